// Flatness of a point file: the band of distances to the best-fit plane, and the refusals.
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tavrisk.h"
#include "test_util.h"

namespace {

class Flatness : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavrisk_flatness_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(std::string const& name, std::string const& content) {
        std::string const path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // The flatness of a file holding content; -1 when the call fails.
    double flatnessOf(std::string const& content) {
        double flatness = -1.0;
        EXPECT_EQ(gte_measure_platness_pointCloud_file(write("f.txt", content).c_str(), &flatness),
                  0);
        return flatness;
    }

    std::string dir_;
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
    // A file held by another call is refused for as long as it is held.
    std::string const held = write("held.txt", kPyramid);
    int const fd = open(held.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    // Files whose text is not whole finite numbers in whole points used to be measured anyway:
    // a header as the point (0, 0, 0), a ';' line as its first number, NaN as a flatness of -2e16.
    std::string semicolons = kPyramid;
    std::replace(semicolons.begin(), semicolons.end(), ',', ';');
    double flatness = poisoned<double>();
    for (std::string const& path :
         {dir_ + "/missing.txt", write("empty.txt", ""), write("short.txt", "1 2\n"), held,
          write("header.txt", "x,y,z\n" + kPyramid), write("semicolons.txt", semicolons),
          write("nan.txt", kPyramid + "nan,0,0\n"), write("huge.txt", kPyramid + "1e999,0,0\n"),
          write("extra.txt", kPyramid + "1,1\n")}) {
        EXPECT_EQ(gte_measure_platness_pointCloud_file(path.c_str(), &flatness), -1) << path;
    }
    EXPECT_TRUE(untouched(flatness));
    close(fd);
    // Released, and with no output: the measurement succeeds.
    EXPECT_EQ(gte_measure_platness_pointCloud_file(held.c_str(), nullptr), 0);
}

TEST_F(Flatness, BandThatIsNotFiniteIsRefused) {
    // Regression: coordinates large enough to overflow the fit, or NaN coordinates, failed every
    // comparison of the band and gave -2e16, the difference of its start values, as success.
    std::string const files[] = {
        "-1.7e308 0 0\n1.7e308 1 0\n0 2 1\n1.7e308 3 0\n",
        "0 0 0\n1 0 0\n0 1 0\nnan 1 1\n",
    };
    for (std::string const& content : files) {
        double flatness = poisoned<double>();
        EXPECT_EQ(
            gte_measure_platness_pointCloud_file(write("big.txt", content).c_str(), &flatness), -1)
            << content;
        EXPECT_TRUE(untouched(flatness)) << content;
    }
}
