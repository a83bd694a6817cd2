// SPDX-License-Identifier: MIT
// LAS files written by the tests, of every version and point data format, read back to the
// scaled integers times the scale plus the offset, bit for bit; headers that lie refused with
// their reason.
#include <gtest/gtest.h>

#include <cstring>
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
using tavrisk_test::lasFile;
using tavrisk_test::LasLayout;
using tavrisk_test::ScaledPoint;
using Kind = tavrisk::FormatProblemKind;

namespace {

std::vector<Vector3> readFile(std::string const& file, FormatProblem& problem,
                              bool accepted = true) {
    return tavrisk_test::readWith(tavrisk::readLas, file, problem, accepted);
}

// The coordinates as the format defines them, written out: X * scale + offset, in double.
std::vector<Vector3> scaledBack(LasLayout const& layout, std::vector<ScaledPoint> const& points) {
    std::vector<Vector3> expected;
    for (ScaledPoint const& p : points) {
        Vector3 v;
        for (int i = 0; i < 3; ++i) {
            double const product = static_cast<double>(p[i]) * layout.scale[i];
            v[i] = product + layout.offset[i];
        }
        expected.push_back(v);
    }
    return expected;
}

// Overwrites the bytes at offset with the value's.
template <class T>
std::string patched(std::string file, std::size_t offset, T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    file.replace(offset, sizeof value, bytes, sizeof value);
    return file;
}

}  // namespace

// Every version with every point data format, records longer than the format's (extra bytes),
// variable-length records between header and points, scales and offsets that round: the product
// and the sum rounded one at a time, as a fused multiply-add would not for most of these points.
TEST(LasReader, EveryVersionAndPointFormatReadsBackBitForBit) {
    std::mt19937 random(2103);
    std::uniform_int_distribution<std::int32_t> anyScaled(std::numeric_limits<std::int32_t>::min(),
                                                          std::numeric_limits<std::int32_t>::max());
    for (int minor = 0; minor <= 4; ++minor) {
        for (int format = 0; format <= 10; ++format) {
            LasLayout layout;
            layout.minor = minor;
            layout.pointFormat = format;
            layout.recordBytes = tavrisk_test::lasRecordBytes(format) + (format % 3) * 5;
            layout.recordsBytes = (format % 2) * 54;
            layout.scale = {0.001, 1e-7, 0.01};
            layout.offset = {431000.125, -5.3e6, 0.1};
            layout.legacyCount = format % 2 == 0;
            std::vector<ScaledPoint> points = {{std::numeric_limits<std::int32_t>::min(),
                                                std::numeric_limits<std::int32_t>::max(), 0}};
            for (int i = 0; i < 12; ++i) {
                points.push_back({anyScaled(random), anyScaled(random), anyScaled(random)});
            }
            FormatProblem problem;
            std::vector<Vector3> const read = readFile(lasFile(layout, points), problem);
            EXPECT_TRUE(tavrisk_test::samePointBits(read, scaledBack(layout, points)))
                << "1." << minor << " format " << format;
        }
    }
}

TEST(LasReader, LyingHeadersRefusedWithTheirReason) {
    std::vector<ScaledPoint> const points = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    LasLayout layout14;
    layout14.minor = 4;
    layout14.pointFormat = 6;
    std::string const v12 = lasFile({}, points);
    std::string const v14 = lasFile(layout14, points);
    std::vector<tavrisk_test::Refusal> const refusals = {
        {patched<std::uint32_t>(v12, 107, 4), Kind::truncated, "declares 4 points of 20 bytes"},
        {patched<std::uint32_t>(v12, 107, 0xFFFFFFFF), Kind::truncated, "4294967295 points"},
        {patched<std::uint64_t>(v14, 247, 4), Kind::countMismatch, "3 points in 32 bits and 4"},
        {patched<std::uint32_t>(patched<std::uint64_t>(v14, 247, ~std::uint64_t(0)), 107, 0),
         Kind::truncated, "18446744073709551615 points"},
        {patched<std::uint32_t>(v12, 96, 100), Kind::badHeader, "inside the header"},
        {patched<std::uint32_t>(v12, 96, 1000), Kind::truncated, "from byte 1000"},
        {patched<std::uint16_t>(v12, 94, 200), Kind::badHeader, "header of 200 bytes"},
        {patched<std::uint16_t>(v14, 94, 235), Kind::badHeader, "1.4 header of 235 bytes"},
        {patched<std::uint16_t>(v12, 94, 60000), Kind::truncated, "inside its header"},
        {patched<std::uint16_t>(v12, 105, 19), Kind::badHeader, "shorter than the 20 bytes"},
        {patched<std::uint16_t>(v14, 105, 29), Kind::badHeader, "of point data format 6"},
        {patched<std::uint8_t>(v12, 104, 11), Kind::unsupportedVariant, "point data format 11"},
        {patched<std::uint8_t>(v12, 104, 0x83), Kind::unsupportedVariant, "compressed (LAZ)"},
        {patched<std::uint8_t>(v12, 24, 2), Kind::unsupportedVariant, "version 2.2"},
        {patched<std::uint8_t>(v12, 25, 5), Kind::unsupportedVariant, "version 1.5"},
        {patched<double>(v12, 139, 0.0), Kind::badHeader, "y scale factor is zero"},
        {patched<double>(v12, 147, std::numeric_limits<double>::infinity()), Kind::badHeader,
         "z scale factor"},
        {patched<double>(v12, 155, std::numeric_limits<double>::quiet_NaN()), Kind::badHeader,
         "x offset is not finite"},
        {patched<double>(v12, 131, 1e308), Kind::notFinite, "x of point index 1"},  // 4e308
        {v12.substr(0, 226), Kind::truncated, "inside its header, after 226 bytes"},
        {"LASG" + v12.substr(4), Kind::badHeader, "does not start with LASF"},
        {lasFile({}, {}), Kind::noPoint, "holds no point"},
    };
    tavrisk_test::expectRefusals(tavrisk::readLas, "LAS", refusals);
}

// Version 1.4 files that count their points in the 32-bit field only (the other way round is in
// the test of every version above), and data after the points (extended records, waveforms),
// which the points leave alone.
TEST(LasReader, PointCountsOfVersionFourteenAndDataAfterThePoints) {
    std::vector<ScaledPoint> const points = {{1, 2, 3}, {4, 5, 6}};
    LasLayout layout;
    layout.minor = 4;
    layout.pointFormat = 1;
    std::string const both = lasFile(layout, points);
    for (std::string const& file : {patched<std::uint64_t>(both, 247, 0), both + "EVLR after"}) {
        FormatProblem problem;
        EXPECT_TRUE(
            tavrisk_test::samePointBits(readFile(file, problem), scaledBack(layout, points)));
    }
}
