// SPDX-License-Identifier: MIT
#include "reading/problem_messages.h"

#include <string>

#include "api/problem_record.h"

namespace tavrisk {

namespace {

using TableKind = TableProblemKind;

char const* const kAxisNames[3] = {"x", "y", "z"};

// Header names listed for a message: enough of them to recognise the file, each printable.
std::string namesList(std::vector<std::string> const& names) {
    constexpr std::size_t kNamesShown = 12;
    constexpr std::size_t kNameCharacters = 24;
    std::string list;
    for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
        bool cut = false;
        list += (i > 0 ? ", " : "") + printableText(names[i], kNameCharacters, cut);
        list += cut ? "..." : "";
    }
    if (names.size() > kNamesShown) {
        list += ", ...";
    }
    return list;
}

std::string quoted(std::string const& bytes, bool textCut) {
    bool cut = false;
    std::string const text = printableText(bytes, kProblemTextCharacters, cut);
    return "'" + text + (cut || textCut ? "...'" : "'");
}

std::string lineAndValue(TableProblem const& problem) {
    std::string where = "line " + std::to_string(problem.line);
    if (problem.column > 0) {
        where += ", value " + std::to_string(problem.column);
    }
    return where;
}

std::string valueCount(std::uint64_t count) {
    return std::to_string(count) + (count == 1 ? " value" : " values");
}

// The kind of the record, the option that resolves it, and its words.
struct Words {
    int kind;
    int option;
    std::string message;
};

Words wordsFor(TableProblem const& problem, TableLayout const& layout) {
    std::string const value = quoted(problem.text, problem.textCut);
    std::string const line = "line " + std::to_string(problem.line);
    std::string const axis = problem.axis >= 0 ? kAxisNames[problem.axis] : "";
    std::string const header = layout.names.empty()
                                   ? std::string()
                                   : "; the header line " + std::to_string(layout.headerLine) +
                                         " names " + namesList(layout.names);
    switch (problem.kind) {
        case TableKind::none:
            break;
        case TableKind::notANumber:
            return {TVI_PROBLEM_NOT_A_NUMBER, TVI_OPTION_NONE,
                    lineAndValue(problem) + " is not a number: " + value};
        case TableKind::notFinite:
            return {TVI_PROBLEM_NOT_FINITE, TVI_OPTION_NONE,
                    lineAndValue(problem) + " is not a finite number: " + value};
        case TableKind::valueTooLong:
            return {TVI_PROBLEM_VALUE_TOO_LONG, TVI_OPTION_NONE,
                    lineAndValue(problem) + " is longer than 1024 characters: " + value};
        case TableKind::valueCount:
            return {TVI_PROBLEM_VALUE_COUNT, TVI_OPTION_NONE,
                    line + " holds " + valueCount(problem.count) +
                        (problem.expectedFromHeader ? " where the header line " : " where line ") +
                        std::to_string(problem.expectedLine) +
                        (problem.expectedFromHeader ? " names " : " holds ") +
                        std::to_string(problem.expected)};
        case TableKind::columnsNeeded:
            return {TVI_PROBLEM_COLUMNS_NEEDED, TVI_OPTION_COLUMNS,
                    line + " holds " + valueCount(problem.count) +
                        ": name the columns of x, y and z (option columns)" + header};
        case TableKind::tooFewValues:
            return {TVI_PROBLEM_TOO_FEW_VALUES, TVI_OPTION_NONE,
                    line + " holds " + valueCount(problem.count) + "; a point needs 3"};
        case TableKind::noSuchColumn:
            if (!problem.text.empty()) {
                return {TVI_PROBLEM_NO_SUCH_COLUMN, TVI_OPTION_COLUMNS,
                        "no single column named " + value + " for " + axis + " (option columns)" +
                            header};
            }
            return {TVI_PROBLEM_NO_SUCH_COLUMN, TVI_OPTION_COLUMNS,
                    "column " + std::to_string(problem.column) + " for " + axis +
                        " lies beyond the " + valueCount(problem.count) + " of " + line +
                        " (option columns)"};
        case TableKind::noHeader:
            return {TVI_PROBLEM_NO_HEADER, TVI_OPTION_COLUMNS,
                    "the column for " + axis + " is named " + value +
                        " but the file has no header line: name it by number (option columns)"};
        case TableKind::duplicateColumn:
            return {TVI_PROBLEM_BAD_OPTION, TVI_OPTION_COLUMNS,
                    axis + " and " + kAxisNames[problem.otherAxis] + " are read from column " +
                        std::to_string(layout.columns[problem.axis]) + " both (option columns)"};
        case TableKind::ambiguousComma:
            return {TVI_PROBLEM_AMBIGUOUS_COMMA, TVI_OPTION_DECIMAL_COMMA,
                    line + ": " + value +
                        " may be one number with a decimal comma or two values, as blanks also "
                        "separate values on the line: say whether commas are decimal commas "
                        "(option decimal_comma)"};
        case TableKind::commentLine:
            return {TVI_PROBLEM_COMMENT_LINE, TVI_OPTION_COMMENT,
                    line + " starts with '#': enable comment lines to skip it (option comment)"};
        case TableKind::lineTooLong:
            return {TVI_PROBLEM_LINE_TOO_LONG, TVI_OPTION_NONE,
                    line + " is longer than 1048576 bytes"};
        case TableKind::noPoint:
            return {TVI_PROBLEM_NO_POINT, TVI_OPTION_NONE,
                    layout.headerLine != 0
                        ? "no point: no data line follows the header line " +
                              std::to_string(layout.headerLine)
                        : std::string("no point: the data holds only blank lines and comments")};
    }
    return {TVI_PROBLEM_NONE, TVI_OPTION_NONE, ""};
}

}  // namespace

tvi_problem openingProblem(platform::LockedFile::Opening opening) {
    using Opening = platform::LockedFile::Opening;
    switch (opening) {
        case Opening::opened:
            break;
        case Opening::missing:
            return callProblem(TVI_PROBLEM_MISSING, "no file at the path");
        case Opening::cannotOpen:
            return callProblem(TVI_PROBLEM_CANNOT_OPEN, "the file cannot be opened for reading");
        case Opening::notRegular:
            return callProblem(TVI_PROBLEM_NOT_REGULAR_FILE,
                               "not a regular file (a directory, pipe, device or socket)");
        case Opening::locked:
            return callProblem(TVI_PROBLEM_LOCKED, "the file is held open by another reading");
        case Opening::empty:
            return callProblem(TVI_PROBLEM_EMPTY, "the file is empty");
    }
    return problemOf(TVI_PROBLEM_NONE);
}

tvi_problem tableProblem(TableProblem const& problem, TableLayout const& layout) {
    Words const words = wordsFor(problem, layout);
    tvi_problem record = problemOf(words.kind);
    record.format = TVI_FORMAT_TEXT;
    record.option = words.option;
    record.line = problem.line;
    record.column = problem.column;
    if (problem.line > 0) {
        record.offset = problem.offset;
    }
    record.count = problem.count;
    record.expected = problem.expected;
    setProblemText(record, problem.text, problem.textCut);
    setProblemMessage(record, words.message);
    return record;
}

tvi_problem pointFileProblem(PointFileProblem const& problem) {
    using Kind = PointFileProblemKind;
    std::string const line = "line " + std::to_string(problem.line);
    std::string const value = quoted(problem.value, problem.valueCut);
    int kind = TVI_PROBLEM_READ_ERROR;
    std::string message;
    switch (problem.kind) {
        case Kind::none:
            return problemOf(TVI_PROBLEM_NONE);
        case Kind::missing:
            return openingProblem(platform::LockedFile::Opening::missing);
        case Kind::cannotOpen:
            return openingProblem(platform::LockedFile::Opening::cannotOpen);
        case Kind::notRegularFile:
            return openingProblem(platform::LockedFile::Opening::notRegular);
        case Kind::locked:
            return openingProblem(platform::LockedFile::Opening::locked);
        case Kind::empty:
            return openingProblem(platform::LockedFile::Opening::empty);
        case Kind::readError:
            message = "the file could not be read to its end";
            break;
        case Kind::notANumber:
            kind = TVI_PROBLEM_NOT_A_NUMBER;
            message = line + ": " + value + " is not a number";
            break;
        case Kind::notFinite:
            kind = TVI_PROBLEM_NOT_FINITE;
            message = line + ": " + value + " is not a finite number";
            break;
        case Kind::valueTooLong:
            kind = TVI_PROBLEM_VALUE_TOO_LONG;
            message = line + ": a value is longer than 1024 characters";
            break;
        case Kind::incompletePoint:
            kind = TVI_PROBLEM_COUNT_MISMATCH;
            message =
                "the values do not make whole points: one or two are left after the last "
                "point (three values make a point)";
            break;
        case Kind::noPoint:
            kind = TVI_PROBLEM_NO_POINT;
            message = "no point: the file holds no value";
            break;
        case Kind::outOfMemory:
            return outOfMemoryProblem();
    }
    tvi_problem record = problemOf(kind);
    record.format = TVI_FORMAT_TEXT;
    record.line = problem.line;
    setProblemText(record, problem.value, problem.valueCut);
    setProblemMessage(record, message);
    return record;
}

tvi_problem unreadProblem(int format, char const* name) {
    char const* advice = "export the points as text, PLY, PCD, LAS or STL";
    int option = TVI_OPTION_NONE;
    switch (format) {
        case TVI_FORMAT_GZIP:
            advice = "decompress it first";
            break;
        case TVI_FORMAT_UTF16:
        case TVI_FORMAT_UTF32:
            advice = "save the text as UTF-8 or ASCII";
            break;
        case TVI_FORMAT_LAZ:
            advice = "decompress it to LAS";
            break;
        case TVI_FORMAT_BINARY:
            // Text that holds a control byte early on is taken for binary data: naming the
            // format reads it as that format whatever its bytes.
            advice =
                "export the points as text, PLY, PCD, LAS or STL, or name the format to read "
                "it as one (option format)";
            option = TVI_OPTION_FORMAT;
            break;
        default:
            break;
    }
    tvi_problem record = problemOf(TVI_PROBLEM_UNREAD_FORMAT);
    record.format = format;
    record.option = option;
    setProblemMessage(record, std::string(name) + " is not read: " + advice);
    return record;
}

tvi_problem formatProblem(FormatProblem const& problem, int format) {
    int kind = TVI_PROBLEM_BAD_HEADER;
    switch (problem.kind) {
        case FormatProblemKind::none:
            kind = TVI_PROBLEM_NONE;
            break;
        case FormatProblemKind::truncated:
            kind = TVI_PROBLEM_TRUNCATED;
            break;
        case FormatProblemKind::badHeader:
            kind = TVI_PROBLEM_BAD_HEADER;
            break;
        case FormatProblemKind::unsupportedVariant:
            kind = TVI_PROBLEM_UNREAD_FORMAT;
            break;
        case FormatProblemKind::unknownPropertyType:
            kind = TVI_PROBLEM_UNKNOWN_TYPE;
            break;
        case FormatProblemKind::missingCoordinate:
            kind = TVI_PROBLEM_NO_COORDINATES;
            break;
        case FormatProblemKind::countMismatch:
            kind = TVI_PROBLEM_COUNT_MISMATCH;
            break;
        case FormatProblemKind::notANumber:
            kind = TVI_PROBLEM_NOT_A_NUMBER;
            break;
        case FormatProblemKind::valueTooLong:
            kind = TVI_PROBLEM_VALUE_TOO_LONG;
            break;
        case FormatProblemKind::notFinite:
            kind = TVI_PROBLEM_NOT_FINITE;
            break;
        case FormatProblemKind::tooLarge:
            kind = TVI_PROBLEM_TOO_LARGE;
            break;
        case FormatProblemKind::noPoint:
            kind = TVI_PROBLEM_NO_POINT;
            break;
    }
    tvi_problem record = problemOf(kind);
    record.format = format;
    record.line = problem.line;
    if (problem.offsetUnit == FormatOffsetUnit::element) {
        record.element = problem.offset + 1;
    } else {
        record.offset = problem.offset;
    }
    setProblemText(record, problem.text, problem.text.size() >= FormatProblem::kTextLimit);
    setProblemMessage(record, problem.detail);
    return record;
}

tvi_problem callProblem(int kind, char const* message) {
    tvi_problem record = problemOf(kind);
    setProblemMessage(record, message);
    return record;
}

}  // namespace tavrisk
