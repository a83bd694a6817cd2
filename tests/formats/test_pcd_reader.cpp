// SPDX-License-Identifier: MIT
// PCD files written by the tests, ascii and binary, with x, y and z of every SIZE and TYPE among
// fields of other counts, read back to the same points bit for bit; headers that lie or name
// what the format does not define, refused with their reason.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "formats/point_formats.h"
#include "support/format_checks.h"
#include "support/point_format_files.h"
#include "support/test_util.h"

using gte::Vector3;
using tavrisk::FormatProblem;
using tavrisk_test::PcdField;
using tavrisk_test::pcdFile;
using tavrisk_test::replaced;
using Kind = tavrisk::FormatProblemKind;

namespace {

struct FieldType {
    char type;
    int size;
    double low, high;  // of the values drawn: whole numbers for the integer types
};
FieldType const kFieldTypes[] = {
    {'I', 1, -128, 127},
    {'I', 2, -32768, 32767},
    {'I', 4, -2147483648.0, 2147483647.0},
    // Beyond 2^53 the nearest double of the stored integer: the values drawn are doubles.
    {'I', 8, -9.2e18, 9.2e18},
    {'U', 1, 0, 255},
    {'U', 2, 0, 65535},
    {'U', 4, 0, 4294967295.0},
    {'U', 8, 0, 1.8e19},
    {'F', 4, -1e5, 1e5},
    {'F', 8, -1e5, 1e5},
};

double valueOf(FieldType const& type, std::mt19937& random) {
    double const v = std::uniform_real_distribution<double>(type.low, type.high)(random);
    return type.type == 'F' ? v : std::floor(v);
}

double stored(FieldType const& type, double v) {
    return type.type == 'F' && type.size == 4 ? tavrisk_test::roundedToFloat(v) : v;
}

std::vector<Vector3> read(std::string const& file, FormatProblem& problem, bool accepted = true) {
    return tavrisk_test::readWith(tavrisk::readPcd, file, problem, accepted);
}

std::vector<PcdField> const kXyz = {{"x", 'F', 4}, {"y", 'F', 4}, {"z", 'F', 4}};

}  // namespace

// Every SIZE and TYPE for each coordinate, among padding, colour and a descriptor of many values.
TEST(PcdReader, EveryTypeAndCountReadsBackBitForBit) {
    std::mt19937 random(2102);
    for (char const* data : {"ascii", "binary"}) {
        for (FieldType const& xType : kFieldTypes) {
            FieldType const& yType = kFieldTypes[random() % std::size(kFieldTypes)];
            FieldType const& zType = kFieldTypes[random() % std::size(kFieldTypes)];
            std::vector<PcdField> const fields = {
                {"_", 'U', 1, 3},    {"y", yType.type, yType.size},
                {"rgb", 'F', 4},     {"x", xType.type, xType.size},
                {"fpfh", 'F', 4, 5}, {"z", zType.type, zType.size},
                {"label", 'U', 4}};
            std::vector<std::vector<double>> rows;
            std::vector<Vector3> expected;
            for (int i = 0; i < 15; ++i) {
                double const x = valueOf(xType, random), y = valueOf(yType, random),
                             z = valueOf(zType, random);
                rows.push_back({1, 2, 3, y, 0.5, x, 1, 2, 3, 4, 5, z, static_cast<double>(i)});
                bool const ascii = std::string(data) == "ascii";
                expected.emplace_back(ascii ? x : stored(xType, x), ascii ? y : stored(yType, y),
                                      ascii ? z : stored(zType, z));
            }
            FormatProblem problem;
            EXPECT_TRUE(
                tavrisk_test::samePointBits(read(pcdFile(data, fields, rows), problem), expected))
                << data << " x " << xType.type << xType.size << " y " << yType.type << yType.size
                << " z " << zType.type << zType.size;
        }
    }
}

// The nearest double of a 64-bit integer, the same whatever rounding mode the host has set,
// against the correctly rounded decimal reading of its digits: 2^53 + 1, halfway between two
// doubles, goes to the even one and 2^53 + 3 to the one above; the most negative and the
// greatest values round to -2^63 and 2^64; then integers of every length drawn at random.
TEST(PcdReader, SixtyFourBitIntegersTakeTheNearestDouble) {
    struct Row {
        std::int64_t x;
        std::uint64_t y;
        std::int64_t z;
    };
    std::int64_t const halfway = (std::int64_t(1) << 53) + 1;
    std::vector<Row> rows = {{halfway, ~std::uint64_t(0), std::numeric_limits<std::int64_t>::min()},
                             {halfway + 2, (std::uint64_t(1) << 53) - 1, -halfway}};
    std::mt19937_64 random(2105);
    for (int i = 0; i < 300; ++i) {
        std::uint64_t const bits = random() >> (random() % 64);
        rows.push_back(
            {-static_cast<std::int64_t>(bits >> 1), bits, static_cast<std::int64_t>(bits >> 1)});
    }
    auto const little = [](std::uint64_t v) {
        std::string bytes;
        for (int i = 0; i < 8; ++i) bytes += static_cast<char>(v >> (8 * i) & 0xFF);
        return bytes;
    };
    auto const nearest = [](auto v) { return std::strtod(std::to_string(v).c_str(), nullptr); };
    std::string file =
        pcdFile("binary", {{"x", 'I', 8}, {"y", 'U', 8}, {"z", 'I', 8}}, {{0, 0, 0}});
    std::string const count = std::to_string(rows.size());
    file = replaced(replaced(file.substr(0, file.size() - 24), "WIDTH 1", "WIDTH " + count),
                    "POINTS 1", "POINTS " + count);
    std::vector<Vector3> expected;
    for (Row const& r : rows) {
        file += little(static_cast<std::uint64_t>(r.x)) + little(r.y) +
                little(static_cast<std::uint64_t>(r.z));
        expected.emplace_back(nearest(r.x), nearest(r.y), nearest(r.z));
    }
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        FormatProblem problem;
        std::fesetround(mode);
        std::vector<Vector3> const points = read(file, problem);
        std::fesetround(FE_TONEAREST);
        EXPECT_TRUE(tavrisk_test::samePointBits(points, expected)) << "rounding mode " << mode;
    }
}

TEST(PcdReader, LyingAndUndefinedHeadersRefusedWithTheirReason) {
    std::vector<std::vector<double>> const rows = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    std::string const binary = pcdFile("binary", kXyz, rows);
    std::string const ascii = pcdFile("ascii", kXyz, rows);
    std::string const big = "18446744073709551615";
    std::vector<tavrisk_test::Refusal> const refusals = {
        {replaced(binary, "POINTS 3", "POINTS 4"), Kind::countMismatch, "is not POINTS 4"},
        {replaced(replaced(binary, "POINTS 3", "POINTS 4"), "WIDTH 3", "WIDTH 4"), Kind::truncated,
         "declares 4 points of 12 bytes"},
        {replaced(replaced(binary, "POINTS 3", "POINTS 2"), "WIDTH 3", "WIDTH 2"),
         Kind::countMismatch, "12 bytes follow"},
        {replaced(replaced(ascii, "POINTS 3", "POINTS 4"), "WIDTH 3", "WIDTH 4"), Kind::truncated,
         "ends after 3"},
        {replaced(replaced(ascii, "POINTS 3", "POINTS 2"), "WIDTH 3", "WIDTH 2"),
         Kind::countMismatch, "text after the 2 points"},
        {replaced(replaced(binary, "POINTS 3", "POINTS " + big), "WIDTH 3", "WIDTH " + big),
         Kind::truncated, big + " points"},
        {replaced(replaced(ascii, "POINTS 3", "POINTS " + big), "WIDTH 3", "WIDTH " + big),
         Kind::truncated, "more than the"},
        {replaced(replaced(binary, "WIDTH 3", "WIDTH 4294967296"), "HEIGHT 1", "HEIGHT 4294967296"),
         Kind::tooLarge, "more than can be counted"},
        {replaced(replaced(binary, "POINTS 3\n", ""), "WIDTH 3", "WIDTH 4"), Kind::truncated,
         "declares 4 points"},
        {replaced(binary, "DATA binary", "DATA binary_compressed"), Kind::unsupportedVariant,
         "binary_compressed"},
        {pcdFile("binary_compressed", kXyz, rows), Kind::unsupportedVariant,
         "binary_compressed is not read"},
        {replaced(binary, "DATA binary", "DATA zipped"), Kind::unsupportedVariant, "'zipped'"},
        {replaced(binary, "TYPE F F F", "TYPE F F Q"), Kind::unknownPropertyType, "'Q'"},
        {replaced(binary, "SIZE 4 4 4", "SIZE 4 4 2"), Kind::unknownPropertyType,
         "TYPE 'F' with SIZE 2"},
        {replaced(binary, "SIZE 4 4 4", "SIZE 4 4"), Kind::badHeader, "SIZE gives 2 values"},
        {replaced(binary, "TYPE F F F", "TYPE F F"), Kind::badHeader, "TYPE gives 2 values"},
        {replaced(binary, "COUNT 1 1 1", "COUNT 1 1 1 1"), Kind::badHeader, "COUNT gives 4"},
        {replaced(binary, "COUNT 1 1 1", "COUNT 1 1 0"), Kind::badHeader, "COUNT 0"},
        {replaced(binary, "COUNT 1 1 1", "COUNT 1 1 2"), Kind::badHeader, "'z' has COUNT 2"},
        {replaced(binary, "SIZE 4 4 4", "SIZE 4 4 x"), Kind::badHeader, "no whole number"},
        {replaced(binary, "FIELDS x y z", "FIELDS x y w"), Kind::missingCoordinate, "no field 'z'"},
        {replaced(binary, "FIELDS x y z", "FIELDS x y x"), Kind::badHeader,
         "more than one field 'x'"},
        {replaced(binary, "FIELDS x y z\n", ""), Kind::badHeader, "no FIELDS line"},
        {replaced(binary, "WIDTH 3", "WIDTH 3\nWIDTH 3"), Kind::badHeader, "second 'WIDTH'"},
        {replaced(binary, "WIDTH 3", "WIDTH three"), Kind::badHeader, "one whole number"},
        {replaced(replaced(binary, "WIDTH 3\n", ""), "POINTS 3\n", ""), Kind::badHeader,
         "neither POINTS nor WIDTH"},
        {replaced(binary, "VERSION", "VERSIONS"), Kind::badHeader, "'VERSIONS'"},
        {binary.substr(0, binary.find("DATA")), Kind::truncated, "DATA line"},
        {replaced(ascii, "4 5 6", "4 5"), Kind::countMismatch, "fewer values than the 3"},
        {replaced(ascii, "4 5 6", "4 5 6 7"), Kind::countMismatch, "more values than the 3"},
        {replaced(ascii, "4 5 6", "4 5 nan"), Kind::notFinite, "z of point index 1"},
        {replaced(ascii, "4 5 6", "4 5 0x"), Kind::notANumber, "'0x' is not a number"},
        {replaced(replaced(ascii, "TYPE F F F", "TYPE F F U"), "4 5 6", "4 5 -6"), Kind::notANumber,
         "integer type uint32"},
        {replaced(replaced(ascii, "POINTS 3", "POINTS 0"), "WIDTH 3", "WIDTH 0"),
         Kind::countMismatch, "text after the 0 points"},
        {pcdFile("ascii", kXyz, {}), Kind::noPoint, "holds no point"},
    };
    tavrisk_test::expectRefusals(tavrisk::readPcd, "PCD", refusals);
}

// What other writers leave out or add: no COUNT line (one value each), no POINTS line (WIDTH
// times HEIGHT), an organised cloud, comments and CR LF line ends, a byte order mark.
TEST(PcdReader, HeaderVariantsOtherWritersUse) {
    std::vector<std::vector<double>> const rows = {
        {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {0.5, -1e-9, 1e9}};
    std::vector<Vector3> expected;
    for (auto const& r : rows) expected.emplace_back(r[0], r[1], r[2]);
    std::vector<Vector3> expectedFloat;
    for (auto const& r : rows)
        expectedFloat.emplace_back(tavrisk_test::roundedToFloat(r[0]),
                                   tavrisk_test::roundedToFloat(r[1]),
                                   tavrisk_test::roundedToFloat(r[2]));
    std::string const ascii = pcdFile("ascii", kXyz, rows);
    std::string const binary = pcdFile("binary", kXyz, rows);
    std::string crlf;
    for (char c : ascii) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    struct Case {
        std::string file;
        std::vector<Vector3> const& points;
    };
    std::vector<Case> const cases = {
        {replaced(ascii, "COUNT 1 1 1\n", ""), expected},
        {replaced(ascii, "POINTS 4\n", ""), expected},
        {replaced(replaced(ascii, "WIDTH 4", "WIDTH 2"), "HEIGHT 1", "HEIGHT 2"), expected},
        {replaced(ascii, "VERSION", "# from a scanner\n\nVERSION"), expected},
        {crlf, expected},
        {"\xEF\xBB\xBF" + ascii, expected},
        {replaced(binary, "POINTS 4\n", ""), expectedFloat},
        {replaced(replaced(binary, "WIDTH 4\n", ""), "HEIGHT 1\n", ""), expectedFloat},
    };
    for (Case const& c : cases) {
        FormatProblem problem;
        EXPECT_TRUE(tavrisk_test::samePointBits(read(c.file, problem), c.points))
            << c.file.substr(0, 200);
    }
}

// The line and text of an ascii fault, the index of a point that is not finite.
TEST(PcdReader, ProblemsSayWhere) {
    std::string const ascii = pcdFile("ascii", kXyz, {{1, 2, 3}, {4, 5, 6}});
    FormatProblem problem;
    read(replaced(ascii, "4 5 6", "4 5 6,5"), problem, false);
    EXPECT_EQ(problem.line, 13u);  // a comment and ten header lines before
    EXPECT_EQ(problem.text, "6,5");
    read(replaced(ascii, "4 5 6", "4 -inf 6"), problem, false);
    EXPECT_EQ(problem.line, 13u);
    EXPECT_EQ(problem.offset, 1u);
    EXPECT_EQ(problem.offsetUnit, tavrisk::FormatOffsetUnit::element);
    double const nan = std::numeric_limits<double>::quiet_NaN();
    read(pcdFile("binary", {{"x", 'F', 8}, {"y", 'F', 8}, {"z", 'F', 8}},
                 {{1, 2, 3}, {4, 5, 6}, {nan, 0, 0}}),
         problem, false);
    EXPECT_EQ(problem.kind, Kind::notFinite);
    EXPECT_EQ(problem.offset, 2u);
    EXPECT_NE(problem.detail.find("x of point index 2"), std::string::npos) << problem.detail;
}
