// SPDX-License-Identifier: MIT
// The point table reader: files of three values a line read to the bits the first library's reader
// gives (its literal scanner the oracle, on random files cut into random pieces), and every rule
// of the layout (header, columns, comments, separators, decimal commas) with the reason for each
// refusal and where it lies.
#include <cstdint>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "pointtext/point_table.h"
#include "support/decimal_texts.h"
#include "support/literal_point_scanner.h"
#include "support/test_util.h"

using gte::Vector3;
using tavrisk::DecimalComma;
using tavrisk::PointTableOptions;
using tavrisk::PointTableReader;
using tavrisk::TableLayout;
using tavrisk::TableProblem;
using Kind = tavrisk::TableProblemKind;

namespace {

tavrisk::platform::CNumberReader const numberReader;

struct Reading {
    bool read = false;
    std::vector<Vector3> points;
    TableProblem problem;
    TableLayout layout;
};

// Reads text given in pieces cut at the given lengths (the rest in one piece after them).
Reading readTable(std::string const& text, PointTableOptions const& options = {},
                  std::vector<std::size_t> const& cuts = {}) {
    Reading out;
    PointTableReader reader(numberReader, options, out.points, out.problem, text.size());
    std::size_t at = 0;
    out.read = true;
    for (std::size_t length : cuts) {
        out.read = reader.feed(text.data() + at, length);
        at += length;
        if (!out.read) {
            break;
        }
    }
    out.read = out.read && reader.feed(text.data() + at, text.size() - at) && reader.finish();
    out.layout = reader.layout();
    return out;
}

PointTableOptions columns(std::size_t x, std::size_t y, std::size_t z) {
    PointTableOptions options;
    options.columnsNamed = true;
    options.columnIndex = {x, y, z};
    return options;
}

PointTableOptions columnNames(std::string x, std::string y, std::string z) {
    PointTableOptions options;
    options.columnsNamed = true;
    options.columnName = {x, y, z};
    return options;
}

// Files of three values a line in the layouts the first library's reader accepts (any mix of
// separators, blank lines, every line end, a byte order mark), now and then with a value it
// refuses, or a first line of names.
class TableFileMaker : public tavrisk_test::TextMaker {
public:
    using TextMaker::TextMaker;

    std::string file() {
        std::string text = below(8) == 0 ? "\xEF\xBB\xBF" : "";
        std::uint64_t const lines = below(25);
        style_ = below(3);
        // A first line of names now and then, or with a name among numbers.
        std::uint64_t const names = below(12);
        for (std::uint64_t line = 0; line < lines; ++line) {
            text += below(10) == 0 ? separators() : "";
            for (int i = 0; i < 3; ++i) {
                text += value(line == 0 && (names < 2 || (names == 2 && i == 1)));
                text += i < 2 ? separators() : below(4) == 0 ? separators() : "";
            }
            text += line + 1 < lines || below(3) != 0 ? lineEnd() : "";
            text += below(15) == 0 ? lineEnd() : "";
        }
        return text;
    }

private:
    // Any text the value generators make that holds no separator and no line end and does not
    // start a comment; a name now and then.
    std::string value(bool name) {
        if (name) {
            static char const* const kNames[] = {"x", "Y", "z_mm", "\"X\"", "e5", "inf_"};
            return kNames[below(6)];
        }
        for (;;) {
            std::uint64_t const kind = below(1000);
            if (kind < 300) {
                return sign() + digits(upTo(4));  // a whole number, that a comma may join
            }
            std::size_t const which = kind < 800 ? 0 : kind < 880 ? 1 : kind < 995 ? 2 : 3;
            std::string const text = (this->*tavrisk_test::generators()[which].make)();
            if (!text.empty() && text.find_first_of(" \t,;\r\n") == std::string::npos &&
                (text[0] != '#')) {
                return text;
            }
        }
    }

    // Blanks alone, commas with blanks now and then, or any mix (which may make a line
    // ambiguous). No semicolon: the first library's reader takes none.
    std::string separators() {
        static char const* const kBlank[] = {" ", "\t", "  ", " \t"};
        static char const* const kComma[] = {",", ", ", " ,", ",,", " , "};
        static char const* const kAny[] = {" ", ",", "\t", ", ", "\t,", " ,", "\t\t"};
        switch (style_) {
            case 0:
                return kBlank[below(4)];
            case 1:
                return kComma[below(5)];
            default:
                return kAny[below(7)];
        }
    }

    std::string lineEnd() {
        static char const* const kEnds[] = {"\n", "\r\n", "\r"};
        return kEnds[below(3)];
    }

    std::uint64_t style_ = 0;
};

// The lines of text as the reader splits them, without their ends.
std::vector<std::string> linesOf(std::string const& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

// The values of a line split at the separators the expression matches.
std::vector<std::string> splitAt(std::string const& line, std::regex const& separators) {
    return {std::sregex_token_iterator(line.begin(), line.end(), separators, -1),
            std::sregex_token_iterator()};
}

// The rules of a line written as regular expressions, apart from the reader's own code.
bool blank(std::string const& line) {
    return line.find_first_not_of(" \t,;") == std::string::npos;
}
bool ambiguous(std::string const& line) {
    static std::regex const decimalComma("[+-]?[0-9]+,[0-9]+([eE][+-]?[0-9]+)?");
    static std::regex const runWithoutComma("[^ \t,;][ \t;]+[^ \t,;]");
    static std::regex const blanksAndSemicolons("[ \t;]+");
    if (line.find(',') == std::string::npos) {
        return false;
    }
    bool candidate = false;
    for (std::string const& value : splitAt(line, blanksAndSemicolons)) {
        candidate = candidate || std::regex_match(value, decimalComma);
    }
    return candidate && std::regex_search(line, runWithoutComma);
}

// The kind the table reader gives for a value the literal scanner refuses.
Kind kindOf(tavrisk::PointFileProblemKind kind) {
    using Literal = tavrisk::PointFileProblemKind;
    return kind == Literal::notFinite      ? Kind::notFinite
           : kind == Literal::valueTooLong ? Kind::valueTooLong
           : kind == Literal::noPoint      ? Kind::noPoint
                                           : Kind::notANumber;
}

}  // namespace

TEST(PointTable, ReadsThreeValueFilesAsTheFirstLibraryDoesOnRandomFilesAndPieces) {
    TableFileMaker maker(0x7AB1E5u);
    std::size_t read = 0;
    std::size_t refused = 0;
    std::size_t headers = 0;
    std::size_t ambiguities = 0;
    for (int file = 0; file < 1000 && !HasFailure(); ++file) {
        std::string text = maker.file();
        std::vector<std::size_t> cuts;
        if (maker.below(2) == 0) {
            for (std::size_t left = text.size(); left > 1; left -= cuts.back()) {
                cuts.push_back(1 + maker.below(std::min<std::size_t>(left - 1, 40)));
            }
        }
        Reading const got = readTable(text, {}, cuts);
        std::string const label = "file " + std::to_string(file) + ": '" + text.substr(0, 80) + "'";
        // Pieces cut anywhere, between CR and LF too, leave the names and where a fault lies.
        Reading const whole = readTable(text);
        EXPECT_EQ(got.layout.names, whole.layout.names) << label;
        EXPECT_EQ(got.problem.offset, whole.problem.offset) << label;

        // The oracle: a first line of names only is a header, and the literal scanner reads the
        // rest (the header's line kept empty, so that lines count alike).
        std::vector<std::string> const lines = linesOf(text);
        std::size_t first = 0;
        while (first < lines.size() && blank(lines[first])) {
            ++first;
        }
        bool header = false;
        if (first < lines.size()) {
            std::string const bare = first == 0 && lines[0].rfind("\xEF\xBB\xBF", 0) == 0
                                         ? lines[0].substr(3)
                                         : lines[first];
            header = true;
            static std::regex const separators("[ \t,;]+");
            for (std::string const& value : splitAt(bare, separators)) {
                header = header && (value.empty() ||
                                    tavrisk_test::cStrtod(value.c_str()).length != value.size());
            }
        }
        std::string data = text;
        if (header) {
            std::size_t const start = text.find(lines[first].empty() ? "\n" : lines[first]);
            data.replace(start, lines[first].size(), "");
            headers += 1;
        }
        std::vector<Vector3> want;
        tavrisk::PointFileProblem problem;
        tavrisk_test::LiteralPointScanner literal(want, problem);
        bool const accepted = literal.scan(data.data(), data.size()) && literal.finish();
        std::size_t firstAmbiguous = 0;
        for (std::size_t i = first + (header ? 1 : 0); i < lines.size() && firstAmbiguous == 0;
             ++i) {
            firstAmbiguous = ambiguous(lines[i]) ? i + 1 : 0;
        }

        if (firstAmbiguous != 0 && (accepted || firstAmbiguous <= problem.line)) {
            ambiguities += 1;
            EXPECT_FALSE(got.read) << label;
            EXPECT_EQ(got.problem.kind, Kind::ambiguousComma) << label;
            EXPECT_EQ(got.problem.line, firstAmbiguous) << label;
        } else if (accepted) {
            read += 1;
            EXPECT_TRUE(got.read) << label << " refused at line " << got.problem.line;
            EXPECT_TRUE(tavrisk_test::samePointBits(got.points, want)) << label;
            EXPECT_EQ(got.layout.headerLine, header ? first + 1 : 0) << label;
        } else {
            refused += 1;
            EXPECT_FALSE(got.read) << label;
            EXPECT_EQ(got.problem.kind, kindOf(problem.kind)) << label;
            EXPECT_EQ(got.problem.line, problem.line) << label;
            if (!problem.value.empty()) {
                EXPECT_EQ(got.problem.text, problem.value.substr(0, TableProblem::kTextLimit))
                    << label;
            }
        }
    }
    // Every outcome must be common for the comparison to mean anything.
    EXPECT_GT(read, 500u);
    EXPECT_GT(refused, 150u);
    EXPECT_GT(headers, 100u);
    EXPECT_GT(ambiguities, 15u);
}

TEST(PointTable, ReadsHeadersCommentsSeparatorsAndNamedColumns) {
    PointTableOptions hashComments;
    hashComments.comment = '#';
    PointTableOptions percentComments;
    percentComments.comment = '%';
    PointTableOptions decimalCommas;
    decimalCommas.decimalComma = DecimalComma::yes;
    PointTableOptions separatingCommas;
    separatingCommas.decimalComma = DecimalComma::no;
    PointTableOptions mixed = columnNames("", "Y", "x");
    mixed.columnIndex = {3, 0, 0};
    // The points' coordinates in a row, the names joined by '|', the columns as the digits of x,
    // y and z.
    struct Case {
        std::string text;
        PointTableOptions options;
        std::vector<double> want;
        std::string names;
        std::uint64_t headerLine;
        std::size_t columns;
        bool decimalComma;
    } const cases[] = {
        // Blank lines before the header, CR LF, commas; quotes round the names are not theirs.
        {"\n ,\t\r\n\"X\",\"Y\",\"Z\"\r\n1,2,3\r\n", {}, {1, 2, 3}, "X|Y|Z", 3, 123, false},
        // Names in quotes hold separators; a name in quotes is matched without them.
        {"\"X [mm]\", \"Y, corrected\",Z\n1,2,3\n",
         columnNames("Y, corrected", "X [mm]", "Z"),
         {2, 1, 3},
         "X [mm]|Y, corrected|Z",
         1,
         213,
         false},
        // Semicolons on the first data line make commas decimal, on later lines too.
        {"X;Y;Z\n1,5;-2,25;3\n4 5,5 6\n", {}, {1.5, -2.25, 3, 4, 5.5, 6}, "X|Y|Z", 1, 123, true},
        // Columns by name, the exact spelling first, then the one name alike but for case.
        {"i X Y Z\n1 2 3 4\n", columnNames("X", "y", "z"), {2, 3, 4}, "i|X|Y|Z", 1, 234, false},
        {"x X y z\n1 2 3 4\n", columnNames("X", "Y", "z"), {2, 3, 4}, "x|X|y|z", 1, 234, false},
        {"x y z\n1 2 3\n", mixed, {3, 2, 1}, "x|y|z", 1, 321, false},
        // Columns by index in any order; the columns not named may hold anything.
        {"1 2 3\n", columns(3, 1, 2), {3, 1, 2}, "", 0, 312, false},
        {"P1 1 2 3\nP2 4 5 6\n", columns(2, 3, 4), {1, 2, 3, 4, 5, 6}, "", 0, 234, false},
        // Comment lines, after blanks too, when enabled with their character.
        {"# probe 1\n  # tip 2\n1 2 3\n#\n", hashComments, {1, 2, 3}, "", 0, 123, false},
        {"% x y z\nx y z\n1 2 3\n", percentComments, {1, 2, 3}, "x|y|z", 2, 123, false},
        {"1,5 2,5 -3,5e1\n1.5 2 3\n", decimalCommas, {1.5, 2.5, -35, 1.5, 2, 3}, "", 0, 123, true},
        {"1,5;2\n", separatingCommas, {1, 5, 2}, "", 0, 123, false},
        // A byte order mark before the header.
        {"\xEF\xBB\xBFx y z\n1 2 3", {}, {1, 2, 3}, "x|y|z", 1, 123, false},
    };
    for (Case const& c : cases) {
        Reading const got = readTable(c.text, c.options);
        std::string names;
        for (std::string const& name : got.layout.names) {
            names += (names.empty() ? "" : "|") + name;
        }
        std::array<std::size_t, 3> const& column = got.layout.columns;
        EXPECT_TRUE(got.read) << c.text << ": refused at line " << got.problem.line;
        std::vector<Vector3> want;
        for (std::size_t i = 0; i + 2 < c.want.size(); i += 3) {
            want.emplace_back(c.want[i], c.want[i + 1], c.want[i + 2]);
        }
        EXPECT_TRUE(tavrisk_test::samePointBits(got.points, want)) << c.text;
        EXPECT_EQ(names, c.names) << c.text;
        EXPECT_EQ(got.layout.headerLine, c.headerLine) << c.text;
        EXPECT_EQ(column[0] * 100 + column[1] * 10 + column[2], c.columns) << c.text;
        EXPECT_EQ(got.layout.decimalComma, c.decimalComma) << c.text;
    }
}

TEST(PointTable, RefusesWhatItCannotReadWithoutGuessingAndSaysWhere) {
    PointTableOptions percentComments;
    percentComments.comment = '%';
    PointTableOptions separatingCommas;
    separatingCommas.decimalComma = DecimalComma::no;
    std::string const longValue(tavrisk::kMaxPointValueLength + 1, '1');
    std::string const longLine = "1 2 " + std::string(tavrisk::kMaxTableLineLength, '3');
    struct Case {
        std::string text;
        PointTableOptions options;
        Kind kind;
        std::uint64_t line, column, offset, count, expected;
        std::string text_;
        int axis = -1;
    } const cases[] = {
        // Counts: more than three values need the columns named, fewer make no point, and every
        // line holds as many as the first or as the header names.
        {"1 2 3 4 5 6\n", {}, Kind::columnsNeeded, 1, 0, 0, 6, 0, "1 2 3 4 5 6"},
        {"X Y Z NX NY NZ\n1 2 3 4 5 6\n", {}, Kind::columnsNeeded, 2, 0, 15, 6, 0, "1 2 3 4 5 6"},
        {"1,5,2,5,3,5\n", separatingCommas, Kind::columnsNeeded, 1, 0, 0, 6, 0, "1,5,2,5,3,5"},
        {"1 2\n", {}, Kind::tooFewValues, 1, 0, 0, 2, 0, "1 2"},
        {"1 2 3\r\n4 5 6 7\n", {}, Kind::valueCount, 2, 0, 7, 4, 3, "4 5 6 7"},
        {"x y z w\n1 2 3\n", {}, Kind::valueCount, 2, 0, 8, 3, 4, "1 2 3"},
        // Columns that are not there, or named twice.
        {"1 2 3\n", columns(1, 2, 4), Kind::noSuchColumn, 1, 4, 0, 3, 0, "", 2},
        {"1 2 3\n", columnNames("x", "y", "z"), Kind::noHeader, 1, 0, 0, 3, 0, "x", 0},
        {"X Y Z\n1 2 3\n", columnNames("X", "Y", "Q"), Kind::noSuchColumn, 2, 0, 6, 3, 0, "Q", 2},
        {"xa XA y z\n1 2 3 4\n", columnNames("Xa", "y", "z"), Kind::noSuchColumn, 2, 0, 10, 4, 0,
         "Xa", 0},
        {"x x y z\n1 2 3 4\n", columnNames("x", "y", "z"), Kind::noSuchColumn, 2, 0, 8, 4, 0, "x",
         0},
        {"X Y Z\n1 2 3\n", columnNames("X", "Z", "z"), Kind::duplicateColumn, 2, 0, 6, 3, 0, "", 1},
        // Comments that are not enabled, whatever other character is.
        {"1 2 3\n # probe\n", percentComments, Kind::commentLine, 2, 0, 7, 0, 0, "# probe"},
        // Commas that may be decimal commas or separators.
        {"1,5 2,5 3,5\n", {}, Kind::ambiguousComma, 1, 0, 0, 0, 0, "1,5"},
        {"1 2 3\n1 2 -3,5e2\n", {}, Kind::ambiguousComma, 2, 0, 10, 0, 0, "-3,5e2"},
        // Values, with their place on the line and their offset in the data.
        {"1 2 3\r\n4 5 x", {}, Kind::notANumber, 2, 3, 11, 0, 0, "x"},
        {"\xEF\xBB\xBF\x31 2 x", {}, Kind::notANumber, 1, 3, 7, 0, 0, "x"},
        {"1;2;3\n1,5,5;2;3\n", {}, Kind::notANumber, 2, 1, 6, 0, 0, "1,5,5"},
        {"1 2 3\r\r1 nan 3\n", {}, Kind::notFinite, 3, 2, 9, 0, 0, "nan"},
        {"1 2 " + longValue, {}, Kind::valueTooLong, 1, 3, 4, 0, 0, longValue.substr(0, 64)},
        {longLine, {}, Kind::lineTooLong, 1, 0, 0, 0, 0, longLine.substr(0, 64)},
        // No point at all.
        {"", {}, Kind::noPoint, 0, 0, 0, 0, 0, ""},
        {" \n,;\r\n", {}, Kind::noPoint, 0, 0, 0, 0, 0, ""},
        {"x y z\n\n", {}, Kind::noPoint, 0, 0, 0, 0, 0, ""},
        {"% all\n", percentComments, Kind::noPoint, 0, 0, 0, 0, 0, ""},
    };
    for (Case const& c : cases) {
        std::string const label = c.text.substr(0, 40);
        Reading const got = readTable(c.text, c.options);
        EXPECT_FALSE(got.read) << label;
        EXPECT_TRUE(got.points.empty() || c.line > 1) << label;
        TableProblem const& p = got.problem;
        EXPECT_EQ(p.kind, c.kind) << label;
        EXPECT_EQ(p.line, c.line) << label;
        EXPECT_EQ(p.column, c.column) << label;
        EXPECT_EQ(p.line > 0 ? p.offset : 0, c.offset) << label;
        EXPECT_EQ(p.count, c.count) << label;
        EXPECT_EQ(p.expected, c.expected) << label;
        EXPECT_EQ(p.text, c.text_) << label;
        EXPECT_EQ(p.textCut, c.text_.size() == TableProblem::kTextLimit) << label;
        EXPECT_EQ(p.axis, c.axis) << label;
    }
}
