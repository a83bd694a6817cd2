// SPDX-License-Identifier: MIT
// Every reader on every prefix of a small file of every variant, each prefix in a heap block of
// exactly its size so that the address sanitizer sees any read past its end: never a crash,
// never such a read, and a binary file cut anywhere refused with a reason.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "formats/format_detection.h"
#include "formats/point_formats.h"
#include "support/point_format_files.h"
#include "support/test_util.h"

using gte::Vector3;
using tavrisk::FormatProblem;
using Kind = tavrisk::FormatProblemKind;

namespace {

using Reader = bool (*)(unsigned char const*, std::size_t, std::vector<Vector3>&, FormatProblem&);

struct Sample {
    char const* name;
    std::string file;
    Reader reader;
    bool text;  // a text file cut inside its last value may still be a whole file
};

std::vector<Sample> samples() {
    using namespace tavrisk_test;
    PlyElement vertex{"vertex",
                      {{"float", "x"}, {"double", "y"}, {"short", "z"}},
                      {{1.5, -2.25, 3}, {4, 5, 6}, {7, 8, 9}}};
    PlyElement face{"face", {{"int", "vertex_indices", "uchar"}}, {{3, 0, 1, 2}}};
    std::vector<PcdField> const fields = {
        {"x", 'F', 4}, {"y", 'F', 8}, {"z", 'I', 2}, {"rgb", 'U', 4}};
    std::vector<std::vector<double>> const rows = {{1.5, 2, 3, 7}, {4, 5, 6, 7}, {7, 8, 9, 7}};
    LasLayout las14;
    las14.minor = 4;
    las14.pointFormat = 6;
    las14.recordsBytes = 10;
    std::vector<Triangle> const mesh = {{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}},
                                        {{{1, 0, 0}, {1, 1, 0}, {0, 1, 0.5}}}};
    return {
        {"PLY ascii", plyFile("ascii", {vertex, face}), tavrisk::readPly, true},
        {"PLY little endian", plyFile("binary_little_endian", {vertex, face}), tavrisk::readPly,
         false},
        {"PLY big endian", plyFile("binary_big_endian", {face, vertex}), tavrisk::readPly, false},
        {"PCD ascii", pcdFile("ascii", fields, rows), tavrisk::readPcd, true},
        {"PCD binary", pcdFile("binary", fields, rows), tavrisk::readPcd, false},
        {"LAS 1.2", lasFile({}, {{1, 2, 3}, {4, 5, 6}}), tavrisk::readLas, false},
        {"LAS 1.4", lasFile(las14, {{1, 2, 3}, {4, 5, 6}}), tavrisk::readLas, false},
        {"STL ascii", stlText(mesh), tavrisk::readStl, true},
        {"STL binary", stlBinary(mesh, "solid cut short"), tavrisk::readStl, false},
    };
}

Reader const kReaders[] = {tavrisk::readPly, tavrisk::readPcd, tavrisk::readLas, tavrisk::readStl};

}  // namespace

TEST(FormatTruncation, EveryPrefixRefusedOrWholeAndNeverReadPastItsEnd) {
    for (Sample const& sample : samples()) {
        std::vector<Vector3> whole;
        FormatProblem problem;
        ASSERT_TRUE(
            sample.reader(tavrisk_test::bytesOf(sample.file), sample.file.size(), whole, problem))
            << sample.name << ": " << problem.detail;
        for (std::size_t size = 0; size < sample.file.size(); ++size) {
            // A block of exactly the prefix's size (none at all for the empty prefix).
            std::unique_ptr<unsigned char[]> const prefix(size > 0 ? new unsigned char[size]
                                                                   : nullptr);
            std::copy(sample.file.begin(), sample.file.begin() + size, prefix.get());
            tavrisk::detectFileKind(prefix.get(), size);
            for (Reader reader : kReaders) {
                std::vector<Vector3> points = {{-1, -1, -1}};
                bool const read = reader(prefix.get(), size, points, problem);
                EXPECT_EQ(read, problem.kind == Kind::none);
                if (!read) {
                    EXPECT_FALSE(problem.detail.empty());
                    EXPECT_TRUE(tavrisk_test::samePointBits(points, {{-1, -1, -1}}));
                    continue;
                }
                // Only the sample's own reader accepts it, and only a text file whose end
                // alone was cut (a line end, the last digits of its last value).
                EXPECT_TRUE(reader == sample.reader && sample.text)
                    << sample.name << " cut to " << size << " bytes";
                EXPECT_EQ(points.size(), whole.size() + 1) << sample.name << " cut to " << size;
            }
        }
    }
}
