// SPDX-License-Identifier: MIT
// PLY files written by the tests, of every encoding and coordinate type, with other properties
// and elements around the vertices, read back to the same points bit for bit; headers that lie
// or name what the format does not define, refused with their reason.
#include <gtest/gtest.h>

#include <cmath>
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
using tavrisk_test::PlyElement;
using tavrisk_test::plyFile;
using tavrisk_test::replaced;
using Kind = tavrisk::FormatProblemKind;

namespace {

char const* const kEncodings[] = {"ascii", "binary_little_endian", "binary_big_endian"};

struct TypeRange {
    char const* name;
    double low, high;  // integer types: the values they hold
    bool integer;
};
constexpr double kWide = 1e6;
TypeRange const kTypes[] = {
    {"char", -128, 127, true},
    {"int8", -128, 127, true},
    {"uchar", 0, 255, true},
    {"uint8", 0, 255, true},
    {"short", -32768, 32767, true},
    {"int16", -32768, 32767, true},
    {"ushort", 0, 65535, true},
    {"uint16", 0, 65535, true},
    {"int", -2147483648.0, 2147483647.0, true},
    {"int32", -2147483648.0, 2147483647.0, true},
    {"uint", 0, 4294967295.0, true},
    {"uint32", 0, 4294967295.0, true},
    {"float", -kWide, kWide, false},
    {"float32", -kWide, kWide, false},
    {"double", -kWide, kWide, false},
    {"float64", -kWide, kWide, false},
};

// A value of the type drawn at random, the type's extremes among them.
double valueOf(TypeRange const& type, std::mt19937& random) {
    std::uniform_int_distribution<int> pick(0, 9);
    int const which = pick(random);
    if (which == 0) {
        return type.low;
    }
    if (which == 1) {
        return type.high;
    }
    if (type.integer) {
        return std::floor(std::uniform_real_distribution<double>(type.low, type.high)(random));
    }
    // Full double digits: a float type must round them, a double type keep them.
    return std::uniform_real_distribution<double>(type.low, type.high)(random);
}

std::vector<Vector3> read(std::string const& file, FormatProblem& problem, bool accepted = true) {
    return tavrisk_test::readWith(tavrisk::readPly, file, problem, accepted);
}

// The file with the vertices as rows of x, y, z of one type, nothing else.
std::string plainPly(char const* encoding, char const* type, std::vector<Vector3> const& points) {
    PlyElement vertex{"vertex", {{type, "x"}, {type, "y"}, {type, "z"}}, {}};
    for (Vector3 const& p : points) vertex.rows.push_back({p[0], p[1], p[2]});
    return plyFile(encoding, {vertex});
}

}  // namespace

// Layouts drawn at random: the coordinates anywhere among other properties, lists of any count
// and item type in the vertex element too, elements with lists before and after it. Every
// encoding meets every coordinate type: x takes each in turn, y and z any.
TEST(PlyReader, EveryEncodingTypeAndLayoutReadsBackBitForBit) {
    std::mt19937 random(2101);
    for (int trial = 0; trial < 150; ++trial) {
        char const* const encoding = kEncodings[trial % 3];
        bool const ascii = trial % 3 == 0;
        int const extra = static_cast<int>(random() % 5);
        std::vector<TypeRange const*> types;  // of the vertex properties, in order
        std::vector<tavrisk_test::PlyProperty> properties;
        std::vector<bool> lists;
        int const coordinateAt[3] = {static_cast<int>(random() % (extra + 1)),
                                     static_cast<int>(random() % (extra + 2)),
                                     static_cast<int>(random() % (extra + 3))};
        char const* const names[3] = {"x", "y", "z"};
        for (int i = 0; i < extra; ++i) {
            TypeRange const* type = &kTypes[random() % std::size(kTypes)];
            bool const list = random() % 3 == 0;
            properties.push_back({type->name, "extra" + std::to_string(i), list ? "ushort" : ""});
            types.push_back(type);
            lists.push_back(list);
        }
        for (int axis = 0; axis < 3; ++axis) {
            TypeRange const* type =
                &kTypes[(axis == 0 ? static_cast<unsigned>(trial / 3) : random()) %
                        std::size(kTypes)];
            properties.insert(properties.begin() + coordinateAt[axis], {type->name, names[axis]});
            types.insert(types.begin() + coordinateAt[axis], type);
            lists.insert(lists.begin() + coordinateAt[axis], false);
        }
        PlyElement vertex{"vertex", properties, {}};
        std::vector<Vector3> expected;
        int const count = 1 + static_cast<int>(random() % 12);
        for (int v = 0; v < count; ++v) {
            std::vector<double> row;
            Vector3 point;
            for (std::size_t i = 0; i < properties.size(); ++i) {
                int const items = lists[i] ? static_cast<int>(random() % 4) : 1;
                if (lists[i]) {
                    row.push_back(items);
                }
                for (int k = 0; k < items; ++k) {
                    row.push_back(valueOf(*types[i], random));
                }
                for (int axis = 0; axis < 3; ++axis) {
                    if (properties[i].name == names[axis]) {
                        point[axis] =
                            ascii ? row.back() : tavrisk_test::storedAs(types[i]->name, row.back());
                    }
                }
            }
            vertex.rows.push_back(row);
            expected.push_back(point);
        }
        std::vector<PlyElement> elements = {vertex};
        for (int e = static_cast<int>(random() % 3); e > 0; --e) {
            PlyElement other{"other" + std::to_string(e),
                             {{"float", "w"}, {"uchar", "l", "int"}},
                             {{1.5, 2, 4, 5}, {-2, 0}}};
            elements.insert(random() % 2 == 0 ? elements.begin() : elements.end(), other);
        }
        std::string const file = plyFile(encoding, elements);
        FormatProblem problem;
        EXPECT_TRUE(tavrisk_test::samePointBits(read(file, problem), expected))
            << "trial " << trial << "\n"
            << file.substr(0, file.find("end_header"));
    }
}

// A header that says more than the data holds, or less, or what the format does not define.
TEST(PlyReader, LyingAndUndefinedHeadersRefusedWithTheirReason) {
    std::vector<Vector3> const points = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    std::string const binary = plainPly("binary_little_endian", "float", points);
    std::string const ascii = plainPly("ascii", "double", points);
    std::string const big = "18446744073709551615";
    std::vector<tavrisk_test::Refusal> const refusals = {
        {replaced(binary, "vertex 3", "vertex 4"), Kind::truncated, "declares 4 vertices"},
        {replaced(binary, "vertex 3", "vertex 2"), Kind::countMismatch, "12 bytes follow"},
        {replaced(ascii, "vertex 3", "vertex 4"), Kind::truncated, "ends after 3"},
        {replaced(ascii, "vertex 3", "vertex 2"), Kind::countMismatch, "text after the last"},
        {replaced(binary, "vertex 3", "vertex " + big), Kind::truncated, big + " vertices"},
        {replaced(ascii, "vertex 3", "vertex " + big), Kind::truncated, "more than the"},
        {replaced(binary, "vertex 3", "vertex 18446744073709551616"), Kind::badHeader,
         "no whole number"},
        {replaced(binary, "float x", "int64 x"), Kind::unknownPropertyType, "'int64'"},
        {replaced(binary, "float z", "float w"), Kind::missingCoordinate, "no property 'z'"},
        {replaced(binary, "float y", "float x"), Kind::badHeader, "more than one property 'x'"},
        {replaced(binary, "property float x", "property list uchar float x"), Kind::badHeader,
         "'x' is a list"},
        {replaced(binary, "element vertex", "element point"), Kind::missingCoordinate,
         "no vertex element"},
        {replaced(binary, "1.0", "2.0"), Kind::unsupportedVariant, "version '2.0'"},
        {replaced(binary, "binary_little_endian", "binary_middle_endian"), Kind::unsupportedVariant,
         "'binary_middle_endian'"},
        {replaced(binary, "end_header", "end_head"), Kind::badHeader, "'end_head'"},
        {binary.substr(0, binary.find("end_header")), Kind::truncated, "end_header"},
        {replaced(binary, "ply\n", "ply2\n"), Kind::badHeader, "first line"},
        {replaced(binary, "format binary_little_endian 1.0\n", ""), Kind::badHeader,
         "no format line"},
        {replaced(binary, "end_header", "element empty 1\nend_header"), Kind::badHeader,
         "'empty' has instances but no properties"},
        {replaced(binary, "element vertex 3", "property int x\nelement vertex 3"), Kind::badHeader,
         "property before any element"},
        {replaced(binary, "end_header", "element vertex 0\nend_header"), Kind::badHeader,
         "a second vertex element"},
        {replaced(binary, "property float x", "property list float float x"), Kind::badHeader,
         "count type 'float'"},
        {replaced(ascii, "4 5 6", "4 5"), Kind::countMismatch, "fewer values"},
        {replaced(ascii, "4 5 6", "4 5 6 7"), Kind::countMismatch, "more values"},
        {replaced(ascii, "4 5 6", "4 5x 6"), Kind::notANumber, "'5x' is not a number"},
        {replaced(ascii, "4 5 6", "4 5,5 6"), Kind::notANumber, "'5,5' is not a number"},
        {replaced(ascii, "4 5 6", "4 " + std::string(1025, '5') + " 6"), Kind::valueTooLong,
         "longer than 1024"},
        {replaced(ascii, "4 5 6", "4 nan 6"), Kind::notFinite, "y of vertex index 1"},
        {replaced(replaced(ascii, "double x", "uchar x"), "4 5 6", "4.5 5 6"), Kind::notANumber,
         "integer type uint8"},
        {replaced(replaced(ascii, "double x", "uchar x"), "4 5 6", "256 5 6"), Kind::notANumber,
         "integer type uint8"},
        {replaced(ascii, "vertex 3", "vertex 0"), Kind::countMismatch, "text after"},
        {plainPly("ascii", "float", {}), Kind::noPoint, "holds no point"},
    };
    tavrisk_test::expectRefusals(tavrisk::readPly, "PLY", refusals);
}

// Where the fault lies: the line and text of an ascii value, the byte offset of a binary end,
// the index of a point that is not finite.
TEST(PlyReader, ProblemsSayWhere) {
    std::vector<Vector3> const points = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    FormatProblem problem;
    std::string const ascii = plainPly("ascii", "double", points);
    read(replaced(ascii, "4 5 6", "4 5x 6"), problem, false);
    EXPECT_EQ(problem.line, 10u);  // ply, format, comment, element, 3 properties, end, 1 2 3
    EXPECT_EQ(problem.text, "5x");
    EXPECT_EQ(problem.offset, ascii.find("4 5 6") + 2);
    EXPECT_EQ(problem.offsetUnit, tavrisk::FormatOffsetUnit::byte);
    read(replaced(ascii, "7 8 9", "7 8 inf"), problem, false);
    EXPECT_EQ(problem.offset, 2u);
    EXPECT_EQ(problem.offsetUnit, tavrisk::FormatOffsetUnit::element);
    EXPECT_EQ(problem.line, 11u);

    std::vector<Vector3> const infinite = {
        {1, 2, 3}, {4, std::numeric_limits<double>::infinity(), 6}, {7, 8, 9}};
    for (char const* encoding : {"binary_little_endian", "binary_big_endian"}) {
        read(plainPly(encoding, "float", infinite), problem, false);
        EXPECT_EQ(problem.kind, Kind::notFinite);
        EXPECT_EQ(problem.offset, 1u);
        EXPECT_EQ(problem.offsetUnit, tavrisk::FormatOffsetUnit::element);
        EXPECT_EQ(problem.line, 0u);
    }
    std::string const binary = plainPly("binary_big_endian", "double", points);
    read(binary.substr(0, binary.size() - 1), problem, false);
    EXPECT_EQ(problem.offset, binary.size() - 1);
    EXPECT_NE(problem.detail.find("declares 3 vertices of at least 24 bytes"), std::string::npos)
        << problem.detail;
}

// Lists in binary data: a count beyond the data, a negative count, a list that ends early, in
// another element and in the vertex element, whose points are read instance by instance.
TEST(PlyReader, BinaryListsCheckedAgainstTheData) {
    PlyElement vertex{"vertex", {{"float", "x"}, {"float", "y"}, {"float", "z"}}, {{1, 2, 3}}};
    PlyElement face{"face", {{"int", "vertex_indices", "uint"}}, {{3, 0, 0, 0}}};
    std::string const file = plyFile("binary_little_endian", {vertex, face});
    FormatProblem problem;
    EXPECT_EQ(read(file, problem).size(), 1u);
    std::string const count = std::string("\x03\x00\x00\x00", 4);
    PlyElement listed{"vertex",
                      {{"uchar", "ids", "uchar"}, {"float", "x"}, {"float", "y"}, {"float", "z"}},
                      {{2, 5, 6, 1, 2, 3}, {0, 4, 5, 6}}};
    std::string const listedFile = plyFile("binary_big_endian", {listed});
    tavrisk_test::expectRefusals(
        tavrisk::readPly, "PLY",
        {{replaced(file, count, "\xFF\xFF\xFF\xFF"), Kind::truncated,
          "inside 'face' element index 0"},
         {replaced(file, count, std::string("\x02\x00\x00\x00", 4)), Kind::countMismatch, ""},
         {replaced(replaced(file, "list uint", "list int"), count, "\xFF\xFF\xFF\xFF"),
          Kind::countMismatch, "negative count"},
         {listedFile.substr(0, listedFile.size() - 2), Kind::truncated, "inside vertex index 1"}});
}

// What editors and other systems do to a text header: CR LF line ends, a byte order mark,
// blank lines in ascii data. (Points appended after what the list held: the fuzz targets'
// replays.)
TEST(PlyReader, TextHeaderVariants) {
    std::vector<Vector3> const points = {{0.1, -2.5e-7, 3}, {4, 5, 1e300}};
    std::string ascii = plainPly("ascii", "double", points);
    std::string crlf;
    for (char c : ascii) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string const binary = plainPly("binary_little_endian", "double", points);
    std::string const binaryCrlf =
        replaced(replaced(binary, "\nend_header\n", "\r\nend_header\r\n"), "ply\n", "ply\r\n");
    for (std::string const& file :
         {crlf, "\xEF\xBB\xBF" + ascii, replaced(ascii, "end_header\n", "end_header\n\n  \n"),
          binaryCrlf, "\xEF\xBB\xBF" + binary}) {
        FormatProblem problem;
        EXPECT_TRUE(tavrisk_test::samePointBits(read(file, problem), points));
    }
}
