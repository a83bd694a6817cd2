// SPDX-License-Identifier: MIT
// Reader of point tables: text files of numbers in columns, one point a line, with an optional
// header line of names, comment lines and the separators and decimal commas that instruments and
// spreadsheets write. Where the first library's reader takes numbers three at a time whatever
// the lines hold, this one reads lines: every data line must hold the same number of values, and
// a layout it cannot read without guessing is refused with the option that resolves it.
//
// The rules:
// - Lines end at CR LF, LF or CR. A UTF-8 byte order mark at the very start is skipped. Lines of
//   nothing but separators are blank and skipped. A line whose first character after blanks is
//   the comment character is skipped; one starting with '#' otherwise is refused.
// - Separators are spaces, tabs, commas and semicolons; a run of them separates once, and those
//   at either end of a line separate nothing. With decimal commas only blanks and semicolons
//   separate, and a comma in a value reads as a decimal point. Decimal commas are used when the
//   options say so or, left to detection, when the first data line holds a semicolon. Without
//   them, a line is refused as ambiguous where a value such as "1,5" could be a decimal and blanks
//   or semicolons alone separate other values.
// - The first line that is not blank or a comment is a header when none of its values (split at
//   every separator) is a number; its names are then split like the data lines, a name in double
//   quotes running to its closing quote.
// - Every data line holds as many values as the first (and as the header names). Three values are
//   x, y and z unless columns are named; other counts need them named.
// - A value is read as the point file reader reads it (pointtext/point_file.h): wholly a finite
//   number as strtod reads it in the "C" locale, at most kMaxPointValueLength characters. Only
//   the named columns are read; the others may hold anything.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gte/vector.h"
#include "pointtext/c_number.h"

namespace tavrisk {

// The longest line a table may hold, in bytes, so that the memory a reading takes does not
// depend on what a file holds: a thousand columns of long values fit many times over.
constexpr std::size_t kMaxTableLineLength = std::size_t(1) << 20;

enum class DecimalComma {
    detect,  // decimal commas when the first data line holds a semicolon
    yes,     // every comma is a decimal comma
    no,      // every comma separates values
};

struct PointTableOptions {
    DecimalComma decimalComma = DecimalComma::detect;
    char comment = '\0';  // the character that starts a comment line; '\0': none
    // The columns of x, y and z: each by its 1-based index or, where the index is 0, by its
    // header name. Used only when columnsNamed.
    bool columnsNamed = false;
    std::array<std::size_t, 3> columnIndex{};
    std::array<std::string, 3> columnName;
};

enum class TableProblemKind {
    none,
    notANumber,       // a value that is not wholly a number
    notFinite,        // a value that reads as infinity or NaN, or overflows
    valueTooLong,     // a value longer than kMaxPointValueLength characters
    valueCount,       // a data line with another count of values than the first (or the header)
    columnsNeeded,    // more than three values a line and no columns named
    tooFewValues,     // fewer than three values a line
    noSuchColumn,     // a column index beyond the line, or a name the header does not hold
    noHeader,         // columns named by name without a header line
    duplicateColumn,  // two coordinates named to one column
    ambiguousComma,   // a value like 1,5 between blank separators: decimal comma or separator?
    commentLine,      // a line starting with '#' without comment lines enabled
    lineTooLong,      // a line longer than kMaxTableLineLength bytes
    noPoint,          // no data line at all
};

struct TableProblem {
    // At most this many bytes of the offending text are kept.
    static constexpr std::size_t kTextLimit = 64;

    TableProblemKind kind = TableProblemKind::none;
    std::uint64_t line = 0;  // 1-based line at fault; 0 when none
    // 1-based place of the offending value on its line, or the column named beyond the line's
    // values (noSuchColumn); 0 when none.
    std::uint64_t column = 0;
    std::uint64_t offset = 0;         // byte offset of the offending value (or line) in the data
    std::uint64_t count = 0;          // the values the line holds, for the count problems
    std::uint64_t expected = 0;       // the values it should hold, for valueCount
    std::uint64_t expectedLine = 0;   // the line that set the expected count
    bool expectedFromHeader = false;  // that line is the header
    int axis = -1;         // the coordinate (0 x, 1 y, 2 z) of a column problem; -1 when none
    int otherAxis = -1;    // for duplicateColumn, the other coordinate naming the column
    std::string text;      // the offending text as found, its first kTextLimit bytes
    bool textCut = false;  // the text goes on beyond them
    std::vector<std::string> names;  // the header's names, for the column problems
};

// What the reader found, once at least the first data line has been read.
struct TableLayout {
    std::vector<std::string> names;        // the header's names; empty without a header
    std::uint64_t headerLine = 0;          // 0 without a header
    std::array<std::size_t, 3> columns{};  // 1-based columns read as x, y and z
    std::size_t valuesPerLine = 0;
    bool decimalComma = false;
};

class PointTableReader {
public:
    // Appends to points; problem says why when a call returns false. number, options, points and
    // problem must outlive the reader. sizeHint, the size of the whole data when known (0 when
    // not), sizes the point list once the first bytes have shown how densely it holds points.
    PointTableReader(platform::CNumberReader const& number, PointTableOptions const& options,
                     std::vector<gte::Vector3>& points, TableProblem& problem,
                     std::uint64_t sizeHint);

    // Takes the next size bytes of the data, in order, cut anywhere. False once the data is
    // refused; no call may follow then.
    bool feed(char const* data, std::size_t size);

    // The end of the data ends its last line; false when the data is refused.
    bool finish();

    TableLayout const& layout() const { return layout_; }

private:
    enum class Stage { firstLine, afterHeader, data };

    bool takeLine(char const* begin, char const* end);
    bool takeFirstDataLine(char const* begin, char const* end);
    bool takeDataLine(char const* begin, char const* end);
    bool chooseColumns(std::size_t count);
    bool readValue(char const* begin, char const* end, std::size_t place, double& value);
    void reserveByDensity();
    bool refuseAt(TableProblemKind kind, char const* begin, char const* end, std::size_t place);
    bool refuseLine(TableProblemKind kind, std::size_t count);
    bool refuseColumn(TableProblemKind kind, int axis, std::size_t count);

    platform::CNumberReader const& number_;
    bool const exactDecimals_;  // the plain decimals may be read by the short way
    PointTableOptions const& options_;
    std::vector<gte::Vector3>& points_;
    TableProblem& problem_;
    std::uint64_t const sizeHint_;
    bool sized_ = false;  // the list has been sized from the density of the data
    TableLayout layout_;

    Stage stage_ = Stage::firstLine;
    bool commasDecimal_ = false;
    std::string header_;  // the header line, kept until the first data line splits it
    std::uint64_t firstDataLine_ = 0;

    std::string partial_;  // a line the data given so far has not ended
    std::uint64_t line_ = 1;
    std::uint64_t lineOffset_ = 0;      // offset of the current line's first byte in the data
    std::uint64_t consumed_ = 0;        // bytes of the data taken by earlier feeds
    bool afterCarriageReturn_ = false;  // the data so far ends with a CR that ended a line
    // The line being taken: its first byte (where lineOffset_ counts from), its text after any
    // byte order mark, and its end.
    char const* lineStart_ = nullptr;
    char const* lineText_ = nullptr;
    char const* lineEnd_ = nullptr;
    // The bytes that may be read around the line's values: the data given or the line's copy.
    std::pair<char const*, char const*> readable_{nullptr, nullptr};
};

}  // namespace tavrisk
