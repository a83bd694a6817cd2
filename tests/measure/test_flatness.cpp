// SPDX-License-Identifier: MIT
// Flatness of a point file: the band of distances to the best-fit plane, and the refusals. What
// makes a file unreadable is the reader's (test_point_file.cpp).
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/scratch_files.h"
#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

// The fitted plane is z = 0.2; the distances run from -0.2 to 0.8.
std::string const kPyramid = "0,0,0\n2,0,0\n0,2,0\n2,2,0\n1,1,1\n";

}  // namespace

TEST(Flatness, BandAcrossTheFittedPlaneOrRefusalLeavingItUnwritten) {
    ScratchDirectory const dir;
    // A face on the tilted plane z = x / 2, raised 0.04 along the plane's normal in the middle
    // and lowered 0.01 at the corners. The bumps leave the fitted plane where it is, and the band
    // is measured across it: 0.05, where measuring along z would give 0.05 * sqrt(1.25).
    double const nx = -0.5 / std::sqrt(1.25);
    double const nz = 1.0 / std::sqrt(1.25);
    std::string tilted;
    for (int i = 0; i < 9; ++i) {
        int const x = i % 3;
        int const y = i / 3;
        double const bump = (x == 1 && y == 1) ? 0.04 : (x != 1 && y != 1) ? -0.01 : 0.0;
        char line[96];
        std::snprintf(line, sizeof line, "%.17g %d %.17g\n", x + bump * nx, y, 0.5 * x + bump * nz);
        tilted += line;
    }
    // Deeper than the 260 characters at which plain Windows paths stop, and a name the host
    // passes as the ANSI code page spells it: 0xE9 in Windows-1252 for \u00e9, the bytes of the
    // name, UTF-8 here, on POSIX.
    std::filesystem::path deep;
    for (char level = 'a'; level < 'g'; ++level) {
        deep /= std::string(60, level);
    }
    std::filesystem::path const accented =
        std::filesystem::u8path(u8"r\u00e9sultat \u00e9t\u00e9.txt");
    std::string const longAccented = dir.write(deep / accented, kPyramid);
    ASSERT_GT(longAccented.size(), 400u) << "the ANSI code page cannot spell the name";
    struct Case {
        std::string path;
        double flatness;  // below zero: refused
    } const cases[] = {
        {dir.write("tilted.txt", tilted), 0.05},
        // One or two points: the fit fails with a zero normal and every distance is 0.
        {dir.write("two.txt", "1 2 3 4 5 6\n"), 0.0},
        {longAccented, 1.0},  // the pyramid
        // Text that is not whole finite numbers: a header used to be measured as the point
        // (0, 0, 0).
        {dir.write("header.txt", "x,y,z\n" + kPyramid), -1},
        // Regression: coordinates large enough to overflow the fit failed every comparison of
        // the band and gave -2e16, the difference of its start values, as success.
        {dir.write("big.txt", "-1.7e308 0 0\n1.7e308 1 0\n0 2 1\n1.7e308 3 0\n"), -1},
    };
    for (Case const& c : cases) {
        double flatness = poisoned<double>();
        int const rc = gte_measure_platness_pointCloud_file(c.path.c_str(), &flatness);
        EXPECT_EQ(rc, c.flatness < 0 ? TAVRISK_REFUSED : TAVRISK_FLATNESS_MEASURED) << c.path;
        EXPECT_TRUE(c.flatness < 0 ? untouched(flatness)
                                   : std::fabs(flatness - c.flatness) <= 1e-15)
            << c.path << ": " << flatness;
    }
}

TEST(Flatness, PlanesThePointsDoNotDetermineAreRefused) {
    // Regression: the export measured the band about whatever normal a failed fit left. A
    // tetrahedron's corner at 1e200 overflowed the fit's sums and gave 1e200 as success, 1.73
    // times the true band 1e200 / sqrt(3); at 1e-200 the sums underflowed to zero and the band
    // was taken across y. The corners of a cube spread alike in every direction: their flatness
    // was 1 axis-aligned and 1.7175 turned by 30 degrees, a figure chosen by rounding. Each is
    // refused now, the flatness unwritten; the corner at a moderate scale keeps its band.
    tavrisk_test::ScratchDirectory const dir;
    auto const corner = [](double s) {
        char text[160];
        std::snprintf(text, sizeof text, "0 0 0\n%.17g 0 0\n0 %.17g 0\n0 0 %.17g\n", s, s, s);
        return std::string(text);
    };
    std::string cube, turnedCube;
    double const c = std::sqrt(0.75), s = 0.5;
    for (int i = 0; i < 8; ++i) {
        int const x = i & 1, y = (i >> 1) & 1, z = (i >> 2) & 1;
        cube += std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + "\n";
        char line[96];
        std::snprintf(line, sizeof line, "%.17g %.17g %d\n", c * x - s * y, s * x + c * y, z);
        turnedCube += line;
    }
    struct Case {
        std::string path;
        double flatness;  // -1: refused
    } const cases[] = {
        {dir.write("corner.txt", corner(1.0)), 1.0 / std::sqrt(3.0)},
        {dir.write("corner-1e200.txt", corner(1e200)), -1},
        {dir.write("corner-1e-200.txt", corner(1e-200)), -1},
        {dir.write("cube.txt", cube), -1},
        {dir.write("turned-cube.txt", turnedCube), -1},
        // Points along a line, and one point four times: no plane, where the band used to be 0.
        {dir.write("line.txt", "0 0 0\n1 2 3\n2 4 6\n"), -1},
        {dir.write("same.txt", "1 2 3\n1 2 3\n1 2 3\n1 2 3\n"), -1},
    };
    for (Case const& k : cases) {
        double flatness = poisoned<double>();
        int const rc = gte_measure_platness_pointCloud_file(k.path.c_str(), &flatness);
        EXPECT_EQ(rc, k.flatness < 0 ? -1 : 0) << k.path;
        EXPECT_TRUE(k.flatness < 0 ? untouched(flatness)
                                   : std::fabs(flatness - k.flatness) <= 1e-15)
            << k.path << ": " << flatness;
    }
}
