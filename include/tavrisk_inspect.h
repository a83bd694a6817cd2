// SPDX-License-Identifier: MIT
/* Tavrisk Inspect: the second C library of Tavrisk (libTavriskInspect.so, TavriskInspect.dll).
 *
 * Tavrisk's 85 gte_ functions keep their interface as hosts bound it. This library carries what
 * the command-line tool, the Python package and new hosts need beyond them, with conventions of
 * its own: reading point files of every common format, or the reason one is refused, and form
 * as tolerances define it, by the minimum zone, with the least-squares figures beside. It shares
 * the point and shape records of tavrisk.h and is built from the same core, so a figure both
 * libraries give is the same bits.
 *
 * Calling
 * - Every function is named tvi_. Those that can fail return an int status: TVI_OK when they did
 *   what they were asked and wrote their outputs, one of the other codes below when not. A host
 *   treats a code it does not know as a failure: later versions may add codes.
 * - Inputs are values or pointers to const and are never changed. Outputs are written through
 *   pointers the caller owns; on any status but TVI_OK they keep what the caller put there,
 *   except the problem record.
 * - Counts, sizes and indexes are size_t (or uint64_t where a file position may exceed memory).
 *   Indexes into arrays the caller passed are 0-based; places in a file that a person reads
 *   (lines, values on a line, points of the file) are 1-based, and 0 means "none".
 * - Point sets come as a const gte_point* and a size_t count, the pointer null only with count 0.
 *   A function that gives one result a point writes it to caller-owned arrays of count elements;
 *   one whose output has a size known only once the work is done hands over a block (below).
 *
 * Problems
 * - A function that may refuse takes a tvi_problem* as its last argument. It may be null. When
 *   given, it is always written: kind TVI_PROBLEM_NONE on TVI_OK, otherwise the reason, with the
 *   line, value, text and an English message as far as they apply. The record has a fixed size
 *   and needs no freeing.
 *
 * Result records
 * - A function that gives a fixed set of figures (a form zone) writes them to a record the caller
 *   owns, which opens with a size field the caller sets to sizeof the record as it knows it.
 *   Later versions add fields at the end only; the library writes the fields the given size
 *   covers, and refuses (TVI_BAD_ARGUMENT) a size below the first version's or beyond the fields
 *   it knows. Array fields of such a record have a fixed room and a count of the entries used;
 *   the entries beyond the count are zero.
 *
 * Owned blocks
 * - A function that returns data of a size known only once the work is done (the points of a
 *   file) allocates a block and returns it through a pointer to pointer. Each kind of block has
 *   its own free function (tvi_free_points), which takes null as well. Blocks are read-only to
 *   the caller; their first field is their size in bytes, so that a host built against an older
 *   header reads the fields it knows.
 *
 * Options
 * - Options records open with a size field and are filled with their defaults by an init
 *   function (tvi_init_read_options) before the caller changes what it wants. Later versions
 *   add fields at the end only; the library reads the fields the given size covers and takes the
 *   defaults for the rest, and refuses (TVI_BAD_ARGUMENT) a size below the first version's or
 *   beyond the fields it knows. A null options pointer means the defaults.
 *
 * Units
 * - Coordinates are given and returned in the unit of the file or the caller, never converted;
 *   angles are in degrees.
 *
 * Threads and failures
 * - Every function is stateless and may be called from any number of threads at once; none
 *   starts threads, keeps global state, throws or aborts. A call that runs out of memory returns
 *   TVI_OUT_OF_MEMORY. Callbacks are called on the calling thread, before the call returns.
 *
 * Linking: as tavrisk.h says, with the library TavriskInspect (-lTavriskInspect); TAVRISK_API
 * and TAVRISK_CALL serve both headers, and TAVRISK_STATIC declares the functions of both for a
 * program that links the static library. */
#ifndef TAVRISK_INSPECT_H
#define TAVRISK_INSPECT_H

#include <stddef.h>
#include <stdint.h>

#include "tavrisk.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ===================================================================== status codes */

/// Done: the outputs are written.
#define TVI_OK 0
/// The input was refused (a file that cannot be read as points, or points that give no answer):
/// the problem record says why.
#define TVI_REFUSED 1
/// The call is wrong whatever the input: a null pointer where one is needed, an options record
/// of an unknown size, an option out of its range. The problem record says which.
#define TVI_BAD_ARGUMENT 2
/// Memory ran out; nothing is allocated.
#define TVI_OUT_OF_MEMORY 3
/// The progress callback asked to stop; nothing is allocated.
#define TVI_CANCELLED 4

/* ===================================================================== formats */

/// In options: recognise the format from the data's first bytes. In a problem record: the
/// format was not looked at (the file could not be opened, say).
#define TVI_FORMAT_AUTO 0
/// Text: numbers in columns, one point a line.
#define TVI_FORMAT_TEXT 1
/// PLY, ascii or binary of either byte order.
#define TVI_FORMAT_PLY 2
/// PCD, ascii or binary (binary_compressed is refused).
#define TVI_FORMAT_PCD 3
/// LAS 1.0 to 1.4, not compressed.
#define TVI_FORMAT_LAS 4
/// STL, ascii or binary.
#define TVI_FORMAT_STL 5
/* Formats that are recognised and named in a refusal, not read. */
/// LAZ: compressed LAS.
#define TVI_FORMAT_LAZ 6
/// E57.
#define TVI_FORMAT_E57 7
/// gzip-compressed data.
#define TVI_FORMAT_GZIP 8
/// A zip archive (an office spreadsheet too).
#define TVI_FORMAT_ZIP 9
/// Text encoded as UTF-16 (behind its byte order mark).
#define TVI_FORMAT_UTF16 10
/// Text encoded as UTF-32 (behind its byte order mark).
#define TVI_FORMAT_UTF32 11
/// Binary data of no format above.
#define TVI_FORMAT_BINARY 12

/* ===================================================================== problems */

/* Problem kinds: what tvi_problem.kind holds. tvi_problem_kind_name gives each a stable
 * identifier ("not_a_number") for programs; the message is for people. */

/// No problem: the call succeeded.
#define TVI_PROBLEM_NONE 0
/* The file itself. */
/// No file at the path, or no path.
#define TVI_PROBLEM_MISSING 1
/// The file exists but may not be opened for reading.
#define TVI_PROBLEM_CANNOT_OPEN 2
/// A directory, pipe, device or socket.
#define TVI_PROBLEM_NOT_REGULAR_FILE 3
/// Held open by another reading (of this or the first library) or, on Windows, another program.
#define TVI_PROBLEM_LOCKED 4
/// Zero bytes.
#define TVI_PROBLEM_EMPTY 5
/// Reading failed, or the file shrank while it was read.
#define TVI_PROBLEM_READ_ERROR 6
/* Values. */
/// A value that is not wholly a number in the "C" locale.
#define TVI_PROBLEM_NOT_A_NUMBER 7
/// A value that is infinite or NaN, or overflows.
#define TVI_PROBLEM_NOT_FINITE 8
/// A value longer than 1024 characters.
#define TVI_PROBLEM_VALUE_TOO_LONG 9
/* The layout of a text file. */
/// A data line holds another number of values than the lines before it (count, expected).
#define TVI_PROBLEM_VALUE_COUNT 10
/// The lines hold more than three values and the columns of x, y and z were not named (count).
#define TVI_PROBLEM_COLUMNS_NEEDED 11
/// The lines hold fewer than three values (count).
#define TVI_PROBLEM_TOO_FEW_VALUES 12
/// A named column is not in the file: an index beyond the values of a line, or a name that the
/// header line does not hold.
#define TVI_PROBLEM_NO_SUCH_COLUMN 13
/// Columns named by name in a file without a header line.
#define TVI_PROBLEM_NO_HEADER 14
/// Commas between digits on a line whose values blanks separate: decimal commas or separators?
#define TVI_PROBLEM_AMBIGUOUS_COMMA 15
/// A line starting with '#' while comment lines are not enabled.
#define TVI_PROBLEM_COMMENT_LINE 16
/// A line longer than 1048576 bytes.
#define TVI_PROBLEM_LINE_TOO_LONG 17
/// No point at all: only blank lines, comments or a header.
#define TVI_PROBLEM_NO_POINT 18
/* Other formats. */
/// A format that is recognised and not read (format says which).
#define TVI_PROBLEM_UNREAD_FORMAT 19
/// The data ends before a header, record or value that must be there.
#define TVI_PROBLEM_TRUNCATED 20
/// A header line, keyword or field that does not follow the format.
#define TVI_PROBLEM_BAD_HEADER 21
/// A property or field type the format does not define.
#define TVI_PROBLEM_UNKNOWN_TYPE 22
/// No x, y or z to take the points from.
#define TVI_PROBLEM_NO_COORDINATES 23
/// Counts that disagree: data beyond the declared end, values missing from a record.
#define TVI_PROBLEM_COUNT_MISMATCH 24
/// A declared count or size that cannot be held or addressed.
#define TVI_PROBLEM_TOO_LARGE 25
/* The call. */
/// An option or argument out of its range (an unknown criterion, an options or result record of
/// a size this library does not know), or columns that name one column twice.
#define TVI_PROBLEM_BAD_OPTION 26
/// A null pointer where one is needed.
#define TVI_PROBLEM_NULL_ARGUMENT 27
/// Memory ran out.
#define TVI_PROBLEM_OUT_OF_MEMORY 28
/// The progress callback asked to stop.
#define TVI_PROBLEM_CANCELLED 29
/* Points given to a measure (element: the 1-based number of the point at fault, its index + 1;
 * column: its coordinate, 1 for x, 2 for y, 3 for z; text: the value). A coordinate that is
 * infinite or NaN is TVI_PROBLEM_NOT_FINITE, and more points than 2147483647 are
 * TVI_PROBLEM_TOO_LARGE (count: the points given). */
/// Fewer points than the measure needs (count: the points given, expected: the fewest it takes).
#define TVI_PROBLEM_TOO_FEW_POINTS 30
/// A coordinate beyond the magnitudes the exact tests cover: larger than 2^128 (about 3.4e38) or,
/// other than zero, smaller than 2^-96 (about 1.3e-29). No length unit in use comes near them.
#define TVI_PROBLEM_OUT_OF_RANGE 31
/// Roundness: the points go round no centre. They lie on one line seen from above, or on an arc
/// so flat that the zone or the inscribed circle runs off without bound.
#define TVI_PROBLEM_NO_CENTER 32
/// The points determine no unique best fit: for a plane they lie on one line or at one place, for
/// a line at one place, or their spread ties between two directions (the corners of a square).
#define TVI_PROBLEM_NO_UNIQUE_FIT 33

/* The option that resolves a problem: what tvi_problem.option holds. Each front end names its
 * own spelling of it (the tool's --columns, Python's columns=). */

/// No option resolves the problem.
#define TVI_OPTION_NONE 0
/// Name the columns of x, y and z (column_index or column_name).
#define TVI_OPTION_COLUMNS 1
/// Say whether commas are decimal commas (decimal_comma).
#define TVI_OPTION_DECIMAL_COMMA 2
/// Enable comment lines (comment).
#define TVI_OPTION_COMMENT 3
/// Name the format instead of recognising it (format).
#define TVI_OPTION_FORMAT 4

/// Room for the offending text: at most 40 printable characters and the terminating zero.
#define TVI_PROBLEM_TEXT_SIZE 41
/// Room for the message, terminating zero included.
#define TVI_PROBLEM_MESSAGE_SIZE 256
/// tvi_problem.offset when no byte offset applies.
#define TVI_NO_OFFSET UINT64_MAX

/// Why a call was refused. Every field is written by every call that takes the record; the ones
/// that do not apply to a problem are 0 (offset TVI_NO_OFFSET, strings empty).
typedef struct tvi_problem {
    uint64_t line;     /**< 1-based line of the fault in a text file or text header; 0: none */
    uint64_t column;   /**< 1-based place of the offending value on its line; 0: none */
    uint64_t element;  /**< 1-based point, vertex, record or triangle at fault; 0: none */
    uint64_t offset;   /**< byte offset of the fault from the start of the data, or
                            TVI_NO_OFFSET */
    uint64_t count;    /**< for a count problem, the values the line holds (or the count found) */
    uint64_t expected; /**< for a count problem, the values it should hold; 0: none */
    int kind;          /**< TVI_PROBLEM_... */
    int format;        /**< TVI_FORMAT_... of the data as recognised; TVI_FORMAT_AUTO: not known */
    int option;        /**< TVI_OPTION_... that resolves the problem */
    int text_cut;      /**< 1 when the offending text goes on beyond what text holds */
    /** The offending text (a value, a keyword, a header name): printable ASCII, each other byte
     *  written as \xNN, cut to 40 characters; empty when no text is at fault. */
    char text[TVI_PROBLEM_TEXT_SIZE];
    /** What is wrong and, where an option resolves it, which option, in English: "line 2 holds
     *  6 values: name the columns of x, y and z (option columns)". It says where the fault is,
     *  so a front end may show it alone; ASCII, cut at a word when it would not fit. */
    char message[TVI_PROBLEM_MESSAGE_SIZE];
} tvi_problem;
TAVRISK_CHECK_OFFSET(tvi_problem, line, 0);
TAVRISK_CHECK_OFFSET(tvi_problem, column, 8);
TAVRISK_CHECK_OFFSET(tvi_problem, element, 16);
TAVRISK_CHECK_OFFSET(tvi_problem, offset, 24);
TAVRISK_CHECK_OFFSET(tvi_problem, count, 32);
TAVRISK_CHECK_OFFSET(tvi_problem, expected, 40);
TAVRISK_CHECK_OFFSET(tvi_problem, kind, 48);
TAVRISK_CHECK_OFFSET(tvi_problem, format, 52);
TAVRISK_CHECK_OFFSET(tvi_problem, option, 56);
TAVRISK_CHECK_OFFSET(tvi_problem, text_cut, 60);
TAVRISK_CHECK_OFFSET(tvi_problem, text, 64);
TAVRISK_CHECK_OFFSET(tvi_problem, message, 64 + TVI_PROBLEM_TEXT_SIZE);

/* ===================================================================== reading points
 * Points from a file at a path or from bytes in memory, in the order the data holds them, or
 * the reason they cannot be read. The format is recognised from the first bytes unless the
 * options name it: text, PLY, PCD, LAS and STL are read; LAZ, E57, gzip, zip, UTF-16 and UTF-32
 * text and other binary data are refused by name (TVI_PROBLEM_UNREAD_FORMAT, format saying
 * which).
 *
 * Text
 * - Every data line holds the same number of values. Exactly three are x, y and z; any other
 *   count needs the columns named (TVI_PROBLEM_COLUMNS_NEEDED otherwise). Values in the columns
 *   not named are not read and may be anything but empty.
 * - A first line of names only (no value on it is a number), followed by data lines of as many
 *   values, is a header line: its names are returned and columns may be named by them. Blank
 *   lines are skipped. A line whose first character (after blanks) is '#' is refused unless
 *   comment lines are enabled with that character.
 * - Values are separated by spaces, tabs, commas and semicolons; runs of them count as one, and
 *   separators at the start or end of a line are ignored. When the first data line holds a
 *   semicolon, or decimal_comma says so, commas are decimal commas (1,5 is 1.5) and only blanks
 *   and semicolons separate. Otherwise commas separate, and unless decimal_comma says that they
 *   do, a line where a value such as 1,5 stands between blank separators is refused as
 *   ambiguous (TVI_PROBLEM_AMBIGUOUS_COMMA).
 * - Each value must be wholly a finite number as strtod reads it in the "C" locale, of at most
 *   1024 characters. A file of three values a line that the first library's flatness reads
 *   gives the same points in the same order, to the bit. A UTF-8 byte order mark is skipped;
 *   CR LF, LF and CR each end a line.
 *
 * Other formats
 * - PLY (ascii, binary little and big endian): the x, y and z of the vertex element, of any
 *   numeric type; other properties and elements are skipped.
 * - PCD (ascii and binary; binary_compressed is refused by name): the fields x, y and z.
 * - LAS 1.0 to 1.4, every point data format, not compressed: each coordinate as its integer
 *   times the header's scale plus its offset.
 * - STL, ascii and binary: the triangles' vertices, each distinct vertex once, in the order of
 *   first occurrence.
 * A header that declares more than the data holds, a type the format does not define or a value
 *   that is not finite is refused with its reason; element then counts the point at fault. */

/// decimal_comma: commas are decimal commas when the first data line holds a semicolon.
#define TVI_DECIMAL_COMMA_AUTO 0
/// decimal_comma: every comma is a decimal comma; blanks and semicolons separate values.
#define TVI_DECIMAL_COMMA_YES 1
/// decimal_comma: every comma separates values, whatever else the line holds.
#define TVI_DECIMAL_COMMA_NO 2

/// Told how far a reading of a file has gone: bytesRead of totalBytes (the size at opening),
/// after about every 4 MiB and once at the end. Returns 0 to go on; any other value stops the
/// reading, which then returns TVI_CANCELLED.
typedef int(TAVRISK_CALL* tvi_progress_function)(uint64_t bytesRead, uint64_t totalBytes,
                                                 void* context);

/// How to read a point file. Fill it with tvi_init_read_options, then change what is wanted.
typedef struct tvi_read_options {
    size_t size; /**< sizeof(tvi_read_options) as the caller knows it (set by init) */
    /** 1-based columns of x, y and z in a text file; 0 where the column is named by name or not
     *  named. Either all three are named (by index or name, in any mix) or none. */
    size_t column_index[3];
    /** Header names of the columns of x, y and z (null: by index or not named). A name matches
     *  a header name spelled alike, or else the one header name equal to it ignoring ASCII
     *  case. */
    const char* column_name[3];
    tvi_progress_function progress; /**< null, or told how far a file's reading has gone */
    void* progress_context;         /**< handed to progress */
    int format;        /**< TVI_FORMAT_AUTO (default), or TEXT, PLY, PCD, LAS or STL to read as */
    int decimal_comma; /**< TVI_DECIMAL_COMMA_AUTO (default), _YES or _NO */
    int comment;       /**< 0 (default): no comment lines; else the character, 33 to 126 and no
                            digit, sign, point, comma or semicolon, that starts a comment line */
} tvi_read_options;

/// Points read, owned by the library until tvi_free_points. Fields that do not apply to the
/// format read are 0 or null.
typedef struct tvi_points {
    size_t size;              /**< sizeof(tvi_points) as the library wrote it */
    size_t count;             /**< the number of points */
    const gte_point* points;  /**< count points in the order of the data */
    size_t column[3];         /**< text: 1-based columns read as x, y and z */
    size_t values_per_line;   /**< text: the values every data line holds */
    size_t name_count;        /**< text: the names of the header line; 0 without one */
    const char* const* names; /**< text: name_count zero-terminated names, spelled as in the
                                   file (bytes as found, surrounding double quotes removed) */
    uint64_t header_line;     /**< text: the header's 1-based line; 0 without one */
    int format;               /**< TVI_FORMAT_... of the data read */
    int decimal_comma;        /**< text: 1 when commas were read as decimal commas */
} tvi_points;

/// Fills options with the defaults: size set, format TVI_FORMAT_AUTO, decimal commas as
/// TVI_DECIMAL_COMMA_AUTO, no comment lines, no columns named, no progress. TVI_BAD_ARGUMENT for
/// null.
TAVRISK_API int TAVRISK_CALL tvi_init_read_options(tvi_read_options* options);

/// Reads the points of the file at path (a zero-terminated narrow string, on Windows in the ANSI
/// code page) into a new block at *points. The file is locked while it is read, like the first
/// library's flatness file; only the bytes it held at opening are read. TVI_OK; TVI_REFUSED for
/// a file that cannot be read as points; TVI_BAD_ARGUMENT for a null points pointer or options
/// out of range; TVI_OUT_OF_MEMORY; TVI_CANCELLED.
TAVRISK_API int TAVRISK_CALL tvi_read_points_file(const char* path, const tvi_read_options* options,
                                                  tvi_points** points, tvi_problem* problem);

/// As tvi_read_points_file, from size bytes at data (null only with size 0); the progress
/// callback is not called.
TAVRISK_API int TAVRISK_CALL tvi_read_points_memory(const void* data, size_t size,
                                                    const tvi_read_options* options,
                                                    tvi_points** points, tvi_problem* problem);

/// Frees a block of points; null is ignored.
TAVRISK_API void TAVRISK_CALL tvi_free_points(tvi_points* points);

/* ===================================================================== form
 * Form as tolerances define it: the minimum zone, the narrowest pair of parallel planes (lines,
 * concentric circles) that holds every point. Least-squares bands overstate form; they are given
 * beside, or by their own criterion, for comparison.
 *
 * - Points come as an array of count records. Flatness reads x, y and z; straightness and
 *   roundness look from above and read x and y only (z may hold anything, NaN included).
 * - Refused (TVI_REFUSED): fewer points than the measure needs (TVI_PROBLEM_TOO_FEW_POINTS), a
 *   coordinate read that is infinite or NaN (TVI_PROBLEM_NOT_FINITE) or outside the range the
 *   exact tests cover (TVI_PROBLEM_OUT_OF_RANGE), the point and coordinate named; more than
 *   2147483647 points (TVI_PROBLEM_TOO_LARGE). TVI_BAD_ARGUMENT for a null result, null points
 *   with a count, a result size or criterion this library does not know.
 * - The zone holds every point: exact tests decide on which side of each boundary a point lies.
 *   Certified means, besides, that no narrower zone exists, as each function says. The zone is
 *   not unique in general (several pairs of planes may share the narrowest width): the width is
 *   the figure, the planes one zone of that width.
 * - Degenerate sets are measured, not refused, when the width has a true value: points on one
 *   plane, one line or one spot have width 0, and the configuration says which.
 * - Support points are the points that touch the zone's boundaries and fix it: at most
 *   TVI_MAX_SUPPORT, each with its index into the points given and the boundary it touches.
 * - Lengths are in the unit of the coordinates. */

/// The most support points a zone has: three and one, or two and two.
#define TVI_MAX_SUPPORT 4

/* Criteria: what the reference planes, lines or circles are. tvi_criterion_name gives each the
 * identifier the tool and the Python package spell it with ("minimum-zone"). */

/// The narrowest zone holding every point.
#define TVI_CRITERION_MINIMUM_ZONE 1
/// About the least-squares plane, line or circle.
#define TVI_CRITERION_LEAST_SQUARES 2
/// Roundness about the smallest circle holding every point.
#define TVI_CRITERION_MINIMUM_CIRCUMSCRIBED 3
/// Roundness about the largest circle holding no point inside.
#define TVI_CRITERION_MAXIMUM_INSCRIBED 4

/* Configurations: how the support points of a zone lie. tvi_configuration_name gives each an
 * identifier ("2+2"). */

/// Three support points on one plane, one on the other.
#define TVI_CONFIGURATION_THREE_PLUS_ONE 1
/// Two support points on each plane, along lines that cross seen along the normal.
#define TVI_CONFIGURATION_TWO_PLUS_TWO 2
/// Straightness: two support points on one line, one on the other.
#define TVI_CONFIGURATION_TWO_PLUS_ONE 3
/// Flatness: every point on one plane. Width 0; the plane is the one through the supports.
#define TVI_CONFIGURATION_COPLANAR 4
/// Every point on one line. Width 0; the zone's turn about the line is not defined (the normal
/// given is one of them), the line runs through the two supports.
#define TVI_CONFIGURATION_COLLINEAR 5
/// Every point at one place (seen from above, for straightness). Width 0; no direction defined
/// (the normal given is an axis), the one support is the place.
#define TVI_CONFIGURATION_COINCIDENT 6

/* Contacts: the boundary of a zone a support point touches. */

/// An entry beyond the support count.
#define TVI_CONTACT_NONE 0
/// The low plane or line (in the sense of the normal), or the inner circle.
#define TVI_CONTACT_LOW 1
/// The high plane or line, or the outer circle.
#define TVI_CONTACT_HIGH 2
/// The inner circle of a roundness zone.
#define TVI_CONTACT_INNER TVI_CONTACT_LOW
/// The outer circle of a roundness zone.
#define TVI_CONTACT_OUTER TVI_CONTACT_HIGH

/// A point that touches a boundary of a zone.
typedef struct tvi_support_point {
    gte_point point; /**< the point, as given */
    size_t index;    /**< its 0-based index into the points given */
    int contact;     /**< TVI_CONTACT_LOW or _HIGH (_INNER, _OUTER); TVI_CONTACT_NONE when unused */
} tvi_support_point;
TAVRISK_CHECK_OFFSET(tvi_support_point, point, 0);
TAVRISK_CHECK_OFFSET(tvi_support_point, index, 24);
TAVRISK_CHECK_OFFSET(tvi_support_point, contact, 24 + sizeof(size_t));
TAVRISK_CHECK_SIZE(tvi_support_point, 24 + 2 * sizeof(size_t));

/// A zone between two parallel planes: the planes through origin + low * normal and
/// origin + high * normal. A point's deviation is its signed distance from origin along normal;
/// every point's lies within [low, high]. A zone between two lines seen from above is the zone
/// between the vertical planes through them (normal.z = 0).
typedef struct tvi_band {
    gte_point origin;  /**< a minimum zone: a point on the mid-plane (mid-line); a least-squares
                            band: the fitted plane's point, the points' centroid */
    gte_vector normal; /**< unit, from the low plane to the high plane */
    double low;        /**< the low plane's signed offset from origin along normal (length unit);
                            -width / 2 for a minimum zone */
    double high;       /**< the high plane's offset; width / 2 for a minimum zone */
    double width;      /**< high - low, the distance between the planes: the form figure */
} tvi_band;
TAVRISK_CHECK_SIZE(tvi_band, 72);
TAVRISK_CHECK_OFFSET(tvi_band, origin, 0);
TAVRISK_CHECK_OFFSET(tvi_band, normal, 24);
TAVRISK_CHECK_OFFSET(tvi_band, low, 48);
TAVRISK_CHECK_OFFSET(tvi_band, high, 56);
TAVRISK_CHECK_OFFSET(tvi_band, width, 64);

/// The flatness of a point set: its minimum zone and, beside it, the band about its
/// least-squares plane.
typedef struct tvi_flatness_result {
    size_t size;            /**< set by the caller: sizeof(tvi_flatness_result) */
    tvi_band zone;          /**< the minimum zone; its normal points into the half-space of the
                                 least-squares normal, so that low and high name the same sides
                                 in both */
    tvi_band least_squares; /**< the band about the least-squares plane: origin the centroid,
                                 normal in the sense the fit chose. Its width is the same bits as
                                 the first library's gte_measure_platness_pointCloud_file gives
                                 for the same points in the same order. */
    tvi_support_point support[TVI_MAX_SUPPORT]; /**< the minimum zone's support points */
    size_t support_count;     /**< entries of support used: 4 for 3+1 and 2+2 (and coplanar
                                   points, four of them), 2 for collinear points, 1 for
                                   coincident ones; a zone not certified may have 2, the lowest
                                   and the highest point */
    int configuration;        /**< TVI_CONFIGURATION_THREE_PLUS_ONE, _TWO_PLUS_TWO, _COPLANAR,
                                   _COLLINEAR or _COINCIDENT */
    int certified;            /**< 1: no narrower zone exists, proved (below); 0: the search
                                   gave up, and the zone given holds every point but may be
                                   wider than the narrowest */
    int least_squares_unique; /**< 1: the least-squares normal is unique; 0: the smallest spread
                                   ties (points on a line, a symmetric set), the band is about
                                   one of several planes, and the first library's flatness
                                   refuses the points */
} tvi_flatness_result;
TAVRISK_CHECK_OFFSET(tvi_flatness_result, size, 0);
TAVRISK_CHECK_OFFSET(tvi_flatness_result, zone, 8);
TAVRISK_CHECK_OFFSET(tvi_flatness_result, least_squares, 80);
TAVRISK_CHECK_OFFSET(tvi_flatness_result, support, 152);
TAVRISK_CHECK_OFFSET(tvi_flatness_result, support_count,
                     152 + TVI_MAX_SUPPORT * sizeof(tvi_support_point));
TAVRISK_CHECK_OFFSET(tvi_flatness_result, configuration,
                     152 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t));
TAVRISK_CHECK_OFFSET(tvi_flatness_result, certified,
                     156 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t));
TAVRISK_CHECK_OFFSET(tvi_flatness_result, least_squares_unique,
                     160 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t));
TAVRISK_CHECK_SIZE(tvi_flatness_result,
                   (164 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t) + 7) / 8 *
                       8);

/// The straightness of points seen from above: the narrowest pair of parallel lines in XY.
typedef struct tvi_straightness_result {
    size_t size;          /**< set by the caller: sizeof(tvi_straightness_result) */
    tvi_band zone;        /**< the minimum zone: origin on the mid-line, normal in XY from the low
                               line to the high line (both with z = 0) */
    gte_vector direction; /**< unit, along the lines, z = 0: normal turned a quarter clockwise */
    tvi_support_point support[TVI_MAX_SUPPORT]; /**< the support points */
    size_t support_count; /**< entries of support used: 3 (two on the low line, one on the high),
                               2 for collinear points, 1 for coincident ones */
    int configuration;    /**< TVI_CONFIGURATION_TWO_PLUS_ONE, _COLLINEAR or _COINCIDENT */
    int certified;        /**< 1: no narrower pair of lines exists (every edge of the points'
                               hull tried, the chosen zone checked exactly against every point;
                               widths within their rounding of each other are not told apart) */
} tvi_straightness_result;
TAVRISK_CHECK_OFFSET(tvi_straightness_result, size, 0);
TAVRISK_CHECK_OFFSET(tvi_straightness_result, zone, 8);
TAVRISK_CHECK_OFFSET(tvi_straightness_result, direction, 80);
TAVRISK_CHECK_OFFSET(tvi_straightness_result, support, 104);
TAVRISK_CHECK_OFFSET(tvi_straightness_result, support_count,
                     104 + TVI_MAX_SUPPORT * sizeof(tvi_support_point));
TAVRISK_CHECK_OFFSET(tvi_straightness_result, configuration,
                     104 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t));
TAVRISK_CHECK_OFFSET(tvi_straightness_result, certified,
                     108 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t));
TAVRISK_CHECK_SIZE(tvi_straightness_result,
                   (112 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t) + 7) / 8 *
                       8);

/// The roundness of points seen from above: two concentric circles about the centre the
/// criterion chooses, through the nearest and the farthest point.
typedef struct tvi_roundness_result {
    size_t size;         /**< set by the caller: sizeof(tvi_roundness_result) */
    gte_point center;    /**< the centre, z = 0 */
    double radius;       /**< the criterion's own circle: the zone's middle (minimum zone), the
                              outer circle (circumscribed), the inner (inscribed) or the fitted
                              radius (least squares) */
    double inner_radius; /**< the distance of the nearest point from the centre */
    double outer_radius; /**< the distance of the farthest point */
    double width;        /**< outer_radius - inner_radius: the roundness */
    tvi_support_point support[TVI_MAX_SUPPORT]; /**< the support points */
    size_t support_count; /**< entries of support used: minimum zone 4 (two outer, two inner);
                               circumscribed 2 or 3 (outer); inscribed 3 (inner); least squares
                               2 (the nearest, inner, and the farthest, outer). A minimum zone not
                               certified gives the nearest and the farthest point. */
    int criterion;        /**< the TVI_CRITERION_ asked for */
    int certified;        /**< 1 when the criterion's circle is proved, as tvi_roundness_xy says */
} tvi_roundness_result;
TAVRISK_CHECK_OFFSET(tvi_roundness_result, size, 0);
TAVRISK_CHECK_OFFSET(tvi_roundness_result, center, 8);
TAVRISK_CHECK_OFFSET(tvi_roundness_result, radius, 32);
TAVRISK_CHECK_OFFSET(tvi_roundness_result, inner_radius, 40);
TAVRISK_CHECK_OFFSET(tvi_roundness_result, outer_radius, 48);
TAVRISK_CHECK_OFFSET(tvi_roundness_result, width, 56);
TAVRISK_CHECK_OFFSET(tvi_roundness_result, support, 64);
TAVRISK_CHECK_OFFSET(tvi_roundness_result, support_count,
                     64 + TVI_MAX_SUPPORT * sizeof(tvi_support_point));
TAVRISK_CHECK_OFFSET(tvi_roundness_result, criterion,
                     64 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t));
TAVRISK_CHECK_OFFSET(tvi_roundness_result, certified,
                     68 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t));
TAVRISK_CHECK_SIZE(tvi_roundness_result,
                   (72 + TVI_MAX_SUPPORT * sizeof(tvi_support_point) + sizeof(size_t) + 7) / 8 * 8);

/// Flatness of count points (at least 3): the minimum zone and the least-squares band, to
/// *result. The zone is found as the narrowest vertical zone in the least-squares frame, turned
/// until its contacts lock it, and certified with exact orientation tests: every point lies
/// between the planes, the contacts lock the zone (the single point's projection inside the
/// triangle, or the two support segments crossing), and a bound from the points' spread extends
/// that to every direction. Sets for which the bound does not hold (a block, a few scattered
/// points) are searched over the convex hull's antipodal facet-vertex and edge-edge pairs,
/// whose candidates are compared in doubles (zones narrower by less than their rounding are not
/// told apart). TVI_OK; TVI_REFUSED; TVI_BAD_ARGUMENT; TVI_OUT_OF_MEMORY.
TAVRISK_API int TAVRISK_CALL tvi_flatness(const gte_point* points, size_t count,
                                          tvi_flatness_result* result, tvi_problem* problem);

/// Straightness of count points (at least 2) seen from above: the narrowest pair of parallel
/// lines in XY holding every point, to *result. TVI_OK; TVI_REFUSED; TVI_BAD_ARGUMENT;
/// TVI_OUT_OF_MEMORY.
TAVRISK_API int TAVRISK_CALL tvi_straightness_xy(const gte_point* points, size_t count,
                                                 tvi_straightness_result* result,
                                                 tvi_problem* problem);

/// Roundness of count points (at least 3, not all on one line) seen from above, about the
/// centre that criterion chooses, to *result. width is R - r of two concentric circles, never
/// R^2 - r^2.
/// - TVI_CRITERION_MINIMUM_ZONE: the two concentric circles nearest together. Certified: every
///   point lies in the annulus and its four contacts alternate outer, inner, outer, inner round
///   the centre (exact tests), which makes it narrower than about any nearby centre; a narrower
///   zone about a distant centre, which a profile that goes round its centre does not have, is
///   not ruled out.
/// - TVI_CRITERION_MINIMUM_CIRCUMSCRIBED: the smallest circle holding every point; unique, and
///   always certified (exact tests).
/// - TVI_CRITERION_MAXIMUM_INSCRIBED: the largest circle holding no point inside, grown from the
///   least-squares centre. Certified: no point inside and its three contacts surround the centre
///   (an acute triangle), exactly tested: larger than about any nearby centre.
/// - TVI_CRITERION_LEAST_SQUARES: the circle of least squared radial deviations. Certified: the
///   iteration converged.
/// TVI_OK; TVI_REFUSED, also for points that go round no centre (TVI_PROBLEM_NO_CENTER);
/// TVI_BAD_ARGUMENT, also for another criterion; TVI_OUT_OF_MEMORY.
TAVRISK_API int TAVRISK_CALL tvi_roundness_xy(const gte_point* points, size_t count, int criterion,
                                              tvi_roundness_result* result, tvi_problem* problem);

/* ===================================================================== whole arrays
 * A measurement of each of count points against one shape, in one call. Element i of the output
 * is, to the bit, what the first library's export of one point writes for points[i]: the shape is
 * converted once and every point goes through the export's own code, with no per-point call.
 *
 * - points is an array of count records, outputs are caller-owned arrays of count elements (of
 *   3 * count records for a circle or an arc: point i's three at 3 i, 3 i + 1 and 3 i + 2). Either
 *   may be null only with count 0. The output must not overlap the points.
 * - Every point is measured, whatever its coordinates: NaN, infinite or huge ones give what the
 *   one-point export gives for them.
 * - TVI_OK, or TVI_BAD_ARGUMENT with nothing written for a null array with count > 0 (the
 *   problem record, when given, says which). */

/// gte_dist_point_line(line, points[i], &results[i]) for each point.
TAVRISK_API int TAVRISK_CALL tvi_dist_point_line_array(gte_line line, const gte_point* points,
                                                       size_t count, gte_dist_result* results,
                                                       tvi_problem* problem);
/// gte_dist_point_ray(ray, points[i], &results[i]) for each point.
TAVRISK_API int TAVRISK_CALL tvi_dist_point_ray_array(gte_ray ray, const gte_point* points,
                                                      size_t count, gte_dist_result* results,
                                                      tvi_problem* problem);
/// gte_dist_point_lseg(lseg, points[i], &results[i]) for each point.
TAVRISK_API int TAVRISK_CALL tvi_dist_point_lseg_array(gte_lseg lseg, const gte_point* points,
                                                       size_t count, gte_dist_result* results,
                                                       tvi_problem* problem);
/// gte_dist_point_plane(plane, points[i], &results[i]) for each point.
TAVRISK_API int TAVRISK_CALL tvi_dist_point_plane_array(gte_plane plane, const gte_point* points,
                                                        size_t count, gte_dist_result* results,
                                                        tvi_problem* problem);
/// gte_dist_point_rect(rect, points[i], &results[i]) for each point.
TAVRISK_API int TAVRISK_CALL tvi_dist_point_rect_array(gte_rect rect, const gte_point* points,
                                                       size_t count, gte_dist_result* results,
                                                       tvi_problem* problem);
/// gte_dist_point_circle(circle, points[i], &results[3 * i]) for each point: 3 * count records.
TAVRISK_API int TAVRISK_CALL tvi_dist_point_circle_array(gte_circle circle, const gte_point* points,
                                                         size_t count, gte_dist_result* results,
                                                         tvi_problem* problem);
/// gte_dist_point_arc(arc, points[i], &results[3 * i]) for each point: 3 * count records.
TAVRISK_API int TAVRISK_CALL tvi_dist_point_arc_array(gte_arc arc, const gte_point* points,
                                                      size_t count, gte_dist_result* results,
                                                      tvi_problem* problem);

/// The signed deviation of each point from the plane, to deviations[i]: the dist that
/// gte_dist_point_plane(plane, points[i], ...) writes, negated when the point lies on the side
/// against the plane's normal ((pt2 - pt1) x (pt3 - pt1), or +z for points spanning no plane),
/// that is when the record's direction (from the point to its foot) points along the normal. A
/// point on the plane has +0; a NaN distance stays NaN.
TAVRISK_API int TAVRISK_CALL tvi_deviation_point_plane_array(gte_plane plane,
                                                             const gte_point* points, size_t count,
                                                             double* deviations,
                                                             tvi_problem* problem);
/// The signed horizontal deviation of each point from the line seen from above, to
/// deviations[i]: the deviation gte_straightness_xy_line(&points[i], 1, line, ...) writes,
/// positive to the right of the line's direction.
TAVRISK_API int TAVRISK_CALL tvi_deviation_xy_point_line_array(gte_line line,
                                                               const gte_point* points,
                                                               size_t count, double* deviations,
                                                               tvi_problem* problem);

/* ===================================================================== least-squares fits
 * The orthogonal least-squares plane and line of a point set with what a user of a fit asks next:
 * the centroid, the unit normal or direction, every point's residual, their RMS and extremes, and
 * the first library's record of the fit, from one call. The fit is the first library's own:
 * gte_fit_plane and gte_fit_lseg write the same records, to the bit, and the band of the plane's
 * residuals is the flatness gte_measure_platness_pointCloud_file gives for the same points in a
 * file.
 *
 * - fit is a record the caller owns, with its size field set to sizeof the record (the first
 *   version of each: no other size is accepted yet). residuals is null, or an array of count
 *   doubles that receives each point's residual.
 * - Refused (TVI_REFUSED, nothing written but the problem): fewer than 3 points
 *   (TVI_PROBLEM_TOO_FEW_POINTS), more than 2147483647 (TVI_PROBLEM_TOO_LARGE), a coordinate that
 *   is infinite or NaN (TVI_PROBLEM_NOT_FINITE, the first such point and coordinate named), points
 *   that determine no unique fit (TVI_PROBLEM_NO_UNIQUE_FIT), figures that overflow
 *   (TVI_PROBLEM_NOT_FINITE, no point named). TVI_BAD_ARGUMENT for a null fit, null points with a
 *   count, or a size this library does not know; TVI_OUT_OF_MEMORY. */

/// The least-squares plane of a point set.
typedef struct tvi_plane_fit {
    size_t size;        /**< set by the caller: sizeof(tvi_plane_fit) */
    gte_point centroid; /**< the mean of the points, summed in order: the plane's point */
    gte_vector normal;  /**< the unit normal, in the sense the fit chose */
    gte_plane plane;    /**< what gte_fit_plane writes for the points: three of them projected
                             onto the plane, oriented by them (not by normal); zero when
                             has_plane is 0 */
    double rms;         /**< the root mean square of the residuals */
    double low;         /**< the smallest residual */
    double high;        /**< the largest residual */
    double flatness;    /**< high - low: the width of the band about the plane */
    size_t low_index;   /**< the 0-based index of the first point with the smallest residual */
    size_t high_index;  /**< the 0-based index of the first point with the largest residual */
    int has_plane;      /**< 1 when plane is written; 0 where gte_fit_plane refuses points whose
                             fit is unique: their projections lie on one line, or within 0.001 of
                             each other on every axis */
} tvi_plane_fit;
TAVRISK_CHECK_OFFSET(tvi_plane_fit, size, 0);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, centroid, 8);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, normal, 32);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, plane, 56);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, rms, 176);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, low, 184);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, high, 192);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, flatness, 200);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, low_index, 208);
TAVRISK_CHECK_OFFSET(tvi_plane_fit, high_index, 208 + sizeof(size_t));
TAVRISK_CHECK_OFFSET(tvi_plane_fit, has_plane, 208 + 2 * sizeof(size_t));
TAVRISK_CHECK_SIZE(tvi_plane_fit, (212 + 2 * sizeof(size_t) + 7) / 8 * 8);

/// The least-squares line of a point set.
typedef struct tvi_line_fit {
    size_t size;          /**< set by the caller: sizeof(tvi_line_fit) */
    gte_point centroid;   /**< the mean of the points, summed in order: the line's point */
    gte_vector direction; /**< the unit direction, in the sense the fit chose */
    gte_lseg segment;     /**< what gte_fit_lseg writes for the points: the feet on the line of
                               the two points farthest apart along it; zero when has_segment is
                               0 */
    double rms;           /**< the root mean square of the residuals */
    double high;          /**< the largest residual */
    size_t high_index;    /**< the 0-based index of the first point with the largest residual */
    int has_segment;      /**< 1 when segment is written; 0 when its ends would not be finite */
} tvi_line_fit;
TAVRISK_CHECK_OFFSET(tvi_line_fit, size, 0);
TAVRISK_CHECK_OFFSET(tvi_line_fit, centroid, 8);
TAVRISK_CHECK_OFFSET(tvi_line_fit, direction, 32);
TAVRISK_CHECK_OFFSET(tvi_line_fit, segment, 56);
TAVRISK_CHECK_OFFSET(tvi_line_fit, rms, 104);
TAVRISK_CHECK_OFFSET(tvi_line_fit, high, 112);
TAVRISK_CHECK_OFFSET(tvi_line_fit, high_index, 120);
TAVRISK_CHECK_OFFSET(tvi_line_fit, has_segment, 120 + sizeof(size_t));
TAVRISK_CHECK_SIZE(tvi_line_fit, (124 + sizeof(size_t) + 7) / 8 * 8);

/// The least-squares plane of count points (at least 3), to *fit; residual i, the signed
/// distance of point i from the plane (positive on the side normal points to), to residuals[i]
/// when residuals is given. TVI_OK, TVI_REFUSED, TVI_BAD_ARGUMENT or TVI_OUT_OF_MEMORY.
TAVRISK_API int TAVRISK_CALL tvi_fit_plane(const gte_point* points, size_t count,
                                           tvi_plane_fit* fit, double* residuals,
                                           tvi_problem* problem);

/// The least-squares line of count points (at least 3), to *fit; residual i, the distance of
/// point i from the line (never negative), to residuals[i] when residuals is given. TVI_OK,
/// TVI_REFUSED, TVI_BAD_ARGUMENT or TVI_OUT_OF_MEMORY.
TAVRISK_API int TAVRISK_CALL tvi_fit_line(const gte_point* points, size_t count, tvi_line_fit* fit,
                                          double* residuals, tvi_problem* problem);

/// The flatness of the points in a text file as the first library measures it, to *flatness:
/// the same reading, figure and refusals as gte_measure_platness_pointCloud_file, with the
/// reason of a refusal in the problem record. The file is read by that function's rules (values
/// three to a point, whatever the lines), not by tvi_read_points_file's: a file this function
/// reads gives the first library's figure to the bit. TVI_OK; TVI_REFUSED for a file that cannot
/// be read (the kinds of tvi_read_points_file: TVI_PROBLEM_MISSING, _LOCKED, _NOT_A_NUMBER at its
/// line, ...; values left over after the last point are TVI_PROBLEM_COUNT_MISMATCH, count the
/// values left, expected 3), points that determine no unique plane
/// (TVI_PROBLEM_NO_UNIQUE_FIT) or a flatness that overflows (TVI_PROBLEM_NOT_FINITE);
/// TVI_OUT_OF_MEMORY.
TAVRISK_API int TAVRISK_CALL tvi_least_squares_flatness_file(const char* path, double* flatness,
                                                             tvi_problem* problem);

/* ===================================================================== names and version */

/// A stable lower-case identifier of a problem kind ("not_a_number", "ambiguous_comma"), for
/// programs and JSON; "unknown" for a kind this version does not define. Never null; the text is
/// static.
TAVRISK_API const char* TAVRISK_CALL tvi_problem_kind_name(int kind);

/// The name of a format for people ("PLY", "UTF-16 text"); "unknown" for other values. Never
/// null; the text is static.
TAVRISK_API const char* TAVRISK_CALL tvi_format_name(int format);

/// The identifier of a form criterion, as the tool and the Python package spell it:
/// "minimum-zone", "least-squares", "circumscribed", "inscribed"; "unknown" for other values.
/// Never null; the text is static.
TAVRISK_API const char* TAVRISK_CALL tvi_criterion_name(int criterion);

/// The identifier of a zone's configuration: "3+1", "2+2", "2+1", "coplanar", "collinear",
/// "coincident"; "unknown" for other values. Never null; the text is static.
TAVRISK_API const char* TAVRISK_CALL tvi_configuration_name(int configuration);

/// The version of the library as loaded, major * 10000 + minor * 100 + patch: the number
/// TAVRISK_VERSION_NUMBER of the header it was built with.
TAVRISK_API int TAVRISK_CALL tvi_version(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVRISK_INSPECT_H */
