// SPDX-License-Identifier: MIT
/* Tavrisk Inspect: the second C library of Tavrisk (libTavriskInspect.so, TavriskInspect.dll).
 *
 * Tavrisk's 85 gte_ functions keep their interface as hosts bound it. This library carries what
 * the command-line tool, the Python package and new hosts need beyond them, with conventions of
 * its own: reading point files of every common format, or the reason one is refused. It shares
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
/// An option out of its range, or columns that name one column twice.
#define TVI_PROBLEM_BAD_OPTION 26
/// A null pointer where one is needed.
#define TVI_PROBLEM_NULL_ARGUMENT 27
/// Memory ran out.
#define TVI_PROBLEM_OUT_OF_MEMORY 28
/// The progress callback asked to stop.
#define TVI_PROBLEM_CANCELLED 29

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

/* ===================================================================== names and version */

/// A stable lower-case identifier of a problem kind ("not_a_number", "ambiguous_comma"), for
/// programs and JSON; "unknown" for a kind this version does not define. Never null; the text is
/// static.
TAVRISK_API const char* TAVRISK_CALL tvi_problem_kind_name(int kind);

/// The name of a format for people ("PLY", "UTF-16 text"); "unknown" for other values. Never
/// null; the text is static.
TAVRISK_API const char* TAVRISK_CALL tvi_format_name(int format);

/// The version of the library as loaded, major * 10000 + minor * 100 + patch: the number
/// TAVRISK_VERSION_NUMBER of the header it was built with.
TAVRISK_API int TAVRISK_CALL tvi_version(void);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVRISK_INSPECT_H */
