// SPDX-License-Identifier: MIT
// Flatness of a point file: the band of distances to the best-fit plane, and the planes the points
// do not determine. What makes a file unreadable is the reader's (test_point_file.cpp); lines,
// two points and text that is no number are held to the second library's reasons in
// test_least_squares_fits.cpp.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/scratch_files.h"
#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

TEST(Flatness, BandAcrossTheFittedPlaneOrRefusalLeavingItUnwritten) {
    ScratchDirectory const dir;
    // A face on the tilted plane z = x / 2, raised 0.04 along the plane's normal in the middle
    // and lowered 0.01 at the corners. The bumps leave the fitted plane where it is, and the band
    // is measured across it: 0.05, where measuring along z would give 0.05 * sqrt(1.25).
    double const nx = -0.5 / std::sqrt(1.25), nz = 1.0 / std::sqrt(1.25);
    // The corners of a cube, also turned by 30 degrees about z.
    double const c = std::sqrt(0.75), s = 0.5;
    std::string tilted, cube, turnedCube;
    char line[96];
    for (int i = 0; i < 9; ++i) {
        int const x = i % 3, y = i / 3;
        double const bump = (x == 1 && y == 1) ? 0.04 : (x != 1 && y != 1) ? -0.01 : 0.0;
        std::snprintf(line, sizeof line, "%.17g %d %.17g\n", x + bump * nx, y, 0.5 * x + bump * nz);
        tilted += line;
    }
    for (int i = 0; i < 8; ++i) {
        int const x = i & 1, y = (i >> 1) & 1, z = (i >> 2) & 1;
        std::snprintf(line, sizeof line, "%d %d %d\n", x, y, z);
        cube += line;
        std::snprintf(line, sizeof line, "%.17g %.17g %d\n", c * x - s * y, s * x + c * y, z);
        turnedCube += line;
    }
    auto const corner = [](double scale) {
        char text[160];
        std::snprintf(text, sizeof text, "0 0 0\n%.17g 0 0\n0 %.17g 0\n0 0 %.17g\n", scale, scale,
                      scale);
        return std::string(text);
    };
    // Deeper than the 260 characters at which plain Windows paths stop, and a name the host
    // passes as the ANSI code page spells it: 0xE9 in Windows-1252 for \u00e9, the bytes of the
    // name, UTF-8 here, on POSIX. The pyramid's fitted plane is z = 0.2, its distances run from
    // -0.2 to 0.8.
    std::filesystem::path deep;
    for (char level = 'a'; level < 'g'; ++level) deep /= std::string(60, level);
    std::string const pyramid =
        dir.write(deep / std::filesystem::u8path(u8"r\u00e9sultat \u00e9t\u00e9.txt"),
                  "0,0,0\n2,0,0\n0,2,0\n2,2,0\n1,1,1\n");
    ASSERT_GT(pyramid.size(), 400u) << "the ANSI code page cannot spell the name";
    struct Case {
        std::string path;
        double flatness;  // below zero: refused
    } const cases[] = {
        {dir.write("tilted.txt", tilted), 0.05},
        {pyramid, 1.0},
        {dir.write("corner.txt", corner(1.0)), 1.0 / std::sqrt(3.0)},
        // Regression: the export measured the band about whatever normal a failed fit left.
        // Coordinates large enough to overflow the fit failed every comparison of the band and
        // gave -2e16, the difference of its start values, as success; a corner at 1e200 gave
        // 1e200, 1.73 times the true band; at 1e-200 the sums underflowed to zero and the band
        // was taken across y. A cube spreads alike in every direction: its flatness was 1
        // axis-aligned and 1.7175 turned, a figure chosen by rounding. One point four times
        // used to measure 0.
        {dir.write("big.txt", "-1.7e308 0 0\n1.7e308 1 0\n0 2 1\n1.7e308 3 0\n"), -1},
        {dir.write("corner-1e200.txt", corner(1e200)), -1},
        {dir.write("corner-1e-200.txt", corner(1e-200)), -1},
        {dir.write("cube.txt", cube), -1},
        {dir.write("turned-cube.txt", turnedCube), -1},
        {dir.write("same.txt", "1 2 3\n1 2 3\n1 2 3\n1 2 3\n"), -1},
    };
    for (Case const& k : cases) {
        double flatness = poisoned<double>();
        int const rc = gte_measure_platness_pointCloud_file(k.path.c_str(), &flatness);
        EXPECT_EQ(rc, k.flatness < 0 ? TAVRISK_REFUSED : TAVRISK_FLATNESS_MEASURED) << k.path;
        EXPECT_TRUE(k.flatness < 0 ? untouched(flatness)
                                   : std::fabs(flatness - k.flatness) <= 1e-15)
            << k.path << ": " << flatness;
    }
}
