// Flatness of a point file: the band of distances to the best-fit plane, and the refusals. What
// makes a file unreadable is the reader's (test_point_file.cpp).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "scratch_files.h"
#include "tavrisk.h"
#include "test_util.h"

namespace {

class Flatness : public ::testing::Test {
protected:
    // The flatness of a file holding content; -1 when the call fails.
    double flatnessOf(std::string const& content) {
        double flatness = -1.0;
        EXPECT_EQ(
            gte_measure_platness_pointCloud_file(dir_.write("f.txt", content).c_str(), &flatness),
            0);
        return flatness;
    }

    tavrisk_test::ScratchDirectory const dir_;
};

std::string const kPyramid = "0,0,0\n2,0,0\n0,2,0\n2,2,0\n1,1,1\n";

}  // namespace

TEST_F(Flatness, BandAroundTheFittedPlane) {
    // The fitted plane is z = 0.2; the distances run from -0.2 to 0.8.
    EXPECT_NEAR(flatnessOf(kPyramid), 1.0, 1e-15);
    // Without the final line feed the last point used to be dropped, leaving four coplanar
    // points and a flatness of 0.
    EXPECT_NEAR(flatnessOf(kPyramid.substr(0, kPyramid.size() - 1)), 1.0, 1e-15);
    // One or two points: the fit fails with a zero normal and every distance is 0.
    EXPECT_EQ(flatnessOf("1 2 3 4 5 6\n"), 0.0);

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
    EXPECT_NEAR(flatnessOf(tilted), 0.05, 1e-15);
}

TEST_F(Flatness, RefusalsLeaveTheFlatnessUnwritten) {
    // An unreadable file: missing, or text that is not whole finite numbers (a header used to
    // be measured as the point (0, 0, 0)). Regression: coordinates large enough to overflow the
    // fit, or NaN coordinates, failed every comparison of the band and gave -2e16, the difference
    // of its start values, as success.
    for (std::string const& path :
         {tavrisk_test::narrowPath(dir_.path() / "missing.txt"),
          dir_.write("header.txt", "x,y,z\n" + kPyramid),
          dir_.write("big.txt", "-1.7e308 0 0\n1.7e308 1 0\n0 2 1\n1.7e308 3 0\n")}) {
        double flatness = poisoned<double>();
        EXPECT_EQ(gte_measure_platness_pointCloud_file(path.c_str(), &flatness), -1) << path;
        EXPECT_TRUE(untouched(flatness)) << path;
    }
}

TEST_F(Flatness, LongAndNonAsciiPathsAreMeasured) {
    // Deeper than the 260 characters at which plain Windows paths stop.
    std::filesystem::path deep;
    for (char level = 'a'; level < 'g'; ++level) {
        deep /= std::string(60, level);
    }
    // The host passes \u00e9 as the ANSI code page spells it: 0xE9 in Windows-1252, and the
    // bytes of the name, UTF-8 here, on POSIX.
    std::filesystem::path const accented =
        std::filesystem::u8path(u8"r\u00e9sultat \u00e9t\u00e9.txt");
    std::string const longest = dir_.write(deep / accented, kPyramid);
    EXPECT_GT(longest.size(), 400u);
    for (std::string const& path :
         {dir_.write(deep / "points.txt", kPyramid), dir_.write(accented, kPyramid), longest}) {
        ASSERT_FALSE(path.empty()) << "the ANSI code page cannot spell the name";
        EXPECT_TRUE(std::any_of(path.begin(), path.end(), [](char c) { return c & 0x80; }) ||
                    path.size() > 260)
            << path;
        double flatness = -1.0;
        EXPECT_EQ(gte_measure_platness_pointCloud_file(path.c_str(), &flatness), 0) << path;
        EXPECT_NEAR(flatness, 1.0, 1e-15) << path;
    }
}
