// SPDX-License-Identifier: MIT
// STL files written by the tests, ascii and binary, read back to their distinct corners in the
// order of first occurrence (held to a literal search over the corners kept); files that lie
// or break the format, refused with their reason.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "formats/point_formats.h"
#include "support/format_checks.h"
#include "support/point_format_files.h"
#include "support/test_util.h"

using gte::Vector3;
using tavrisk::FormatProblem;
using tavrisk_test::replaced;
using tavrisk_test::stlBinary;
using tavrisk_test::stlText;
using tavrisk_test::Triangle;
using Kind = tavrisk::FormatProblemKind;

namespace {

std::vector<Vector3> readFile(std::string const& file, FormatProblem& problem,
                              bool accepted = true) {
    return tavrisk_test::readWith(tavrisk::readStl, file, problem, accepted);
}

// The literal form: each corner in turn, kept unless a kept corner has its bits.
std::vector<Vector3> distinctCorners(std::vector<Triangle> const& triangles, bool asFloat) {
    std::vector<Vector3> kept;
    for (Triangle const& t : triangles) {
        for (Vector3 corner : t) {
            if (asFloat) {
                for (int i = 0; i < 3; ++i) corner[i] = tavrisk_test::roundedToFloat(corner[i]);
            }
            bool seen = false;
            for (Vector3 const& k : kept) {
                seen = seen || std::memcmp(&k, &corner, sizeof k) == 0;
            }
            if (!seen) {
                kept.push_back(corner);
            }
        }
    }
    return kept;
}

// A grid of squares, two triangles each, over a curved surface: corners shared by up to six
// triangles, coordinates of full double precision.
std::vector<Triangle> gridMesh(int n) {
    auto corner = [](int i, int j) {
        double const x = 0.1 * i, y = 0.07 * j;
        return Vector3(x, y, 0.01 * x * x - 0.003 * y);
    };
    std::vector<Triangle> mesh;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            mesh.push_back({corner(i, j), corner(i + 1, j), corner(i, j + 1)});
            mesh.push_back({corner(i + 1, j), corner(i + 1, j + 1), corner(i, j + 1)});
        }
    }
    return mesh;
}

}  // namespace

TEST(StlReader, DistinctCornersInOrderOfFirstOccurrence) {
    std::mt19937 random(2104);
    std::vector<std::vector<Triangle>> meshes = {gridMesh(1), gridMesh(25)};
    // Corners drawn from a small set, so that most repeat, with -0 and +0 apart.
    std::vector<Vector3> const pool = {{0, 0, 0},       {-0.0, 0, 0},   {1, 2, 3},
                                       {0.1, 0.2, 0.3}, {1e-30, 5, -7}, {3, 2, 1}};
    std::vector<Triangle> drawn;
    for (int i = 0; i < 300; ++i) {
        drawn.push_back({pool[random() % pool.size()], pool[random() % pool.size()],
                         pool[random() % pool.size()]});
    }
    meshes.push_back(drawn);
    for (std::vector<Triangle> const& mesh : meshes) {
        FormatProblem problem;
        EXPECT_TRUE(tavrisk_test::samePointBits(readFile(stlText(mesh), problem),
                                                distinctCorners(mesh, false)));
        EXPECT_TRUE(tavrisk_test::samePointBits(readFile(stlText(mesh, true), problem),
                                                distinctCorners(mesh, false)));
        for (char const* header : {"from a CAD program", "solid binary part"}) {
            EXPECT_TRUE(tavrisk_test::samePointBits(readFile(stlBinary(mesh, header), problem),
                                                    distinctCorners(mesh, true)));
        }
    }
    // A corner whose float is the same as another's, though its double was not, is one corner.
    std::vector<Triangle> const close = {{{{0.1, 0, 0}, {0.1 + 1e-12, 0, 0}, {0, 1, 0}}}};
    FormatProblem problem;
    EXPECT_EQ(readFile(stlBinary(close, ""), problem).size(), 2u);
    EXPECT_EQ(readFile(stlText(close), problem).size(), 3u);
}

// Several solids in one ascii file, and the text variants other writers produce.
TEST(StlReader, AsciiVariants) {
    std::vector<Triangle> const first = {{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}};
    std::vector<Triangle> const second = {{{{1, 0, 0}, {5, 5, 5}, {0, 1, 0}}}};
    std::string const both = stlText(first) + stlText(second);
    std::vector<Vector3> const expected = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}};
    std::string crlf;
    for (char c : both) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string const tabs = replaced(replaced(stlText(first), "      vertex 0 ", "\tvertex\t0\t"),
                                      "endsolid test part\n", "endsolid");
    std::string const noName = replaced(replaced(stlText(first), "solid test part", "solid"),
                                        "endsolid test part", "endsolid");
    std::string const nanNormal = replaced(stlText(first), "normal 0 0 1", "normal nan nan nan");
    // The files of the first solid alone give its three corners, the first of those expected.
    std::vector<std::pair<std::string, std::size_t>> const files = {
        {both, 4}, {crlf, 4}, {"\xEF\xBB\xBF" + both, 4}, {tabs, 3}, {noName, 3}, {nanNormal, 3}};
    for (auto const& [file, count] : files) {
        FormatProblem problem;
        std::vector<Vector3> const want(expected.begin(), expected.begin() + count);
        EXPECT_TRUE(tavrisk_test::samePointBits(readFile(file, problem), want)) << file;
    }
}

TEST(StlReader, BrokenFilesRefusedWithTheirReason) {
    std::vector<Triangle> const mesh = {{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}},
                                        {{{1, 0, 0}, {1, 1, 0}, {0, 1, 0}}}};
    std::string const binary = stlBinary(mesh, "part");
    std::string const text = stlText(mesh);
    double const inf = std::numeric_limits<double>::infinity();
    std::vector<tavrisk_test::Refusal> const refusals = {
        {replaced(binary, std::string("\x02\0\0\0", 4), std::string("\x03\0\0\0", 4)),
         Kind::truncated, "declares 3 triangles (234 bytes), the file ends after 184"},
        {replaced(binary, std::string("\x02\0\0\0", 4), std::string("\x01\0\0\0", 4)),
         Kind::countMismatch, "declares 1 triangle (134 bytes), the file holds 184"},
        {binary + "trailing", Kind::countMismatch, "the file holds 192"},
        {binary.substr(0, 83), Kind::truncated, "inside its 84-byte header"},
        {stlBinary({{{{0, 0, 0}, {inf, 0, 0}, {0, 1, 0}}}}, ""), Kind::notFinite,
         "x of triangle index 0"},
        {stlBinary({}, "solid nothing"), Kind::noPoint, "holds no point"},
        {replaced(text, "endsolid test part\n", ""), Kind::truncated, "where 'endsolid' belongs"},
        {text.substr(0, text.find("endloop")), Kind::truncated, "where 'endloop' belongs"},
        {text.substr(0, text.find(" 0 1\n")), Kind::truncated, "where a number belongs"},
        {replaced(text, "endloop", "vertex 1 1 1\n endloop"), Kind::badHeader,
         "'vertex' where 'endloop' belongs"},
        {replaced(text, "outer loop", "outer"), Kind::badHeader, "'vertex' where 'loop' belongs"},
        {replaced(text, "facet normal", "facet"), Kind::badHeader, "'0' where 'normal' belongs"},
        {replaced(text, "  facet", "  face"), Kind::badHeader,
         "'face' where 'facet' or 'endsolid' belongs"},
        {replaced(text, "vertex 1 0 0", "vertex 1 0 0,5"), Kind::notANumber,
         "'0,5' is not a number"},
        {replaced(text, "vertex 1 0 0", "vertex 1 0 inf"), Kind::notFinite, "'inf' is not finite"},
        {replaced(text, "normal 0 0 1", "normal 0 0 one"), Kind::notANumber, "'one'"},
        {text + "extra\n", Kind::countMismatch, "text after 'endsolid'"},
        {"solid empty\nendsolid empty\n", Kind::noPoint, "holds no point"},
    };
    tavrisk_test::expectRefusals(tavrisk::readStl, "STL", refusals);
    FormatProblem problem;
    readFile(replaced(text, "vertex 1 0 0", "vertex 1 0 0,5"), problem, false);
    EXPECT_EQ(problem.line, 5u);
    EXPECT_EQ(problem.text, "0,5");
}
