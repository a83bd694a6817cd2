// SPDX-License-Identifier: MIT
// Detection of what a file holds from its first bytes: every kind, the binary STL header that
// starts with "solid", text formats behind a UTF-8 byte order mark, files cut short and text
// that starts as a format's mark does.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "formats/format_detection.h"
#include "support/point_format_files.h"

using tavrisk::detectFileKind;
using tavrisk::FileFamily;
using tavrisk::fileFamilyOf;
using tavrisk::FileKind;
using tavrisk::fileKindName;
using tavrisk_test::bytesOf;

namespace {

FileKind kindOf(std::string const& file) {
    return detectFileKind(bytesOf(file), file.size());
}

std::vector<tavrisk_test::Triangle> twoTriangles() {
    return {{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}, {{{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}};
}

std::string plyOf(std::string const& format) {
    return tavrisk_test::plyFile(
        format, {{"vertex", {{"float", "x"}, {"float", "y"}, {"float", "z"}}, {{1, 2, 3}}}});
}

std::string pcdOf(std::string const& data) {
    return tavrisk_test::pcdFile(data, {{"x", 'F', 4}, {"y", 'F', 4}, {"z", 'F', 4}}, {{1, 2, 3}});
}

}  // namespace

// LAZ, gzip, zip, E57, UTF-16 little endian and UTF-32 big endian are told, each as the format
// it is, by the test of every format read through the second library's interface.
TEST(FormatDetection, EveryKindFromItsFirstBytes) {
    std::vector<std::pair<std::string, FileKind>> const cases = {
        {"", FileKind::empty},
        {"1 2 3\n4 5 6\n", FileKind::text},
        {"\xEF\xBB\xBF\x31 2 3\n", FileKind::text},
        {"x;y;z\n1,5;2;3\n", FileKind::text},
        {"Höhe\n1 2 3\n", FileKind::text},  // letters beyond ASCII are still text
        {plyOf("ascii"), FileKind::plyAscii},
        {plyOf("binary_little_endian"), FileKind::plyBinaryLittleEndian},
        {plyOf("binary_big_endian"), FileKind::plyBinaryBigEndian},
        {"ply\r\ncomment before the format\r\nformat ascii 1.0\r\n", FileKind::plyAscii},
        {"ply\nformat binary_middle_endian 1.0\nend_header\n", FileKind::plyUnknownFormat},
        {"ply\nend_header\n", FileKind::plyUnknownFormat},
        {pcdOf("ascii"), FileKind::pcdAscii},
        {pcdOf("binary"), FileKind::pcdBinary},
        {pcdOf("binary_compressed"), FileKind::pcdBinaryCompressed},
        {"VERSION .7\nFIELDS x y z\nDATA zipped\n", FileKind::pcdUnknownData},
        {"# a comment\nFIELDS x y z\n", FileKind::pcdUnknownData},
        {"\n# keywords in another order\nWIDTH 1\nDATA ascii\n", FileKind::pcdAscii},
        {"# a text file's comment\nx y z\n1 2 3\n", FileKind::text},
        {tavrisk_test::lasFile({}, {{1, 2, 3}}), FileKind::las},
        {tavrisk_test::stlText(twoTriangles()), FileKind::stlAscii},
        {tavrisk_test::stlText(twoTriangles(), true), FileKind::stlAscii},
        {tavrisk_test::stlBinary(twoTriangles(), "made by a CAD program"), FileKind::stlBinary},
        {tavrisk_test::stlBinary(twoTriangles(), "solid part, binary"), FileKind::stlBinary},
        {tavrisk_test::stlBinary({}, "solid"), FileKind::stlBinary},
        // Binary bytes after "solid" and a size that does not match: a binary STL that lies.
        {tavrisk_test::stlBinary(twoTriangles(), "solid part") + "x", FileKind::stlBinary},
        // Hex escapes for digits after a NUL, which would otherwise read as an octal escape.
        {std::string("\xFE\xFF\0\x31\0 ", 6), FileKind::utf16BigEndian},
        {std::string("\xFF\xFE\0\0\x31\0\0\0", 8), FileKind::utf32LittleEndian},
        {std::string("1\0.\0\x35\0", 6), FileKind::otherBinary},
        {"1 2 3\x01\n", FileKind::otherBinary},
        // Text formats behind a byte order mark an editor added.
        {"\xEF\xBB\xBF" + plyOf("ascii"), FileKind::plyAscii},
        {"\xEF\xBB\xBF" + pcdOf("ascii"), FileKind::pcdAscii},
        {"\xEF\xBB\xBF" + tavrisk_test::stlText(twoTriangles()), FileKind::stlAscii},
        // Only the first bytes decide: a binary byte far into a text file leaves it text.
        {std::string(5000, ' ') + '\x01', FileKind::text},
        // Files cut short after their first bytes, and text that starts as a format's mark does.
        {"sol", FileKind::text},
        {"solid", FileKind::stlAscii},
        {"solidity 1 2 3\n", FileKind::text},
        {"ply", FileKind::text},
        {"plywood 1 2 3\n", FileKind::text},
        {"LAS", FileKind::text},
        {"LASF", FileKind::las},  // the reader says how it is cut short
        // A binary STL of zero triangles is 84 bytes; with text where its count stands it is text.
        {std::string(84, 'a'), FileKind::text},
    };
    for (auto const& [file, kind] : cases) {
        EXPECT_EQ(kindOf(file), kind) << "'" << file.substr(0, 40) << "'";
    }
}

// The kinds a reader accepts are held to its family by the readings of every format through the
// second library's interface (all but STL also by the fuzz targets' replays), the names that
// messages show by the tool's reading tests: here the kinds no reading reaches.
TEST(FormatDetection, NamesAndFamilies) {
    EXPECT_STREQ(fileKindName(FileKind::plyBinaryBigEndian), "PLY (binary big endian)");
    EXPECT_STREQ(fileKindName(FileKind::pcdBinaryCompressed), "PCD (binary_compressed)");
    EXPECT_STREQ(fileKindName(FileKind::laz), "LAZ (compressed LAS)");
    std::vector<std::pair<FileKind, FileFamily>> const families = {
        {FileKind::empty, FileFamily::text},
        {FileKind::text, FileFamily::text},
        {FileKind::plyUnknownFormat, FileFamily::ply},
        {FileKind::pcdBinaryCompressed, FileFamily::pcd},
        {FileKind::laz, FileFamily::las},
        {FileKind::gzip, FileFamily::unreadable},
        {FileKind::e57, FileFamily::unreadable},
        {FileKind::utf32BigEndian, FileFamily::unreadable},
        {FileKind::otherBinary, FileFamily::unreadable},
    };
    for (auto const& [kind, family] : families) {
        EXPECT_EQ(fileFamilyOf(kind), family) << fileKindName(kind);
    }
}
