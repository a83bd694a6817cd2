// SPDX-License-Identifier: MIT
// Second-moment ellipse and straightness about a line. The profile against a nominal contour is
// held to its literal form by the point-set fuzz target, and its nearest-nominal search (once
// started from 1e16, which paired far points with nominal point 0) to the scan in
// test_fast_paths.cpp.
#include <array>
#include <cmath>
#include <vector>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

double const kNaN = std::nan("");
struct Moment {
    gte_point centroid;
    double angle, major, minor;
};
constexpr auto recordFields(RecordTag<Moment>) {
    return recordTable("Moment", TAVRISK_TEST_FIELD(Moment, centroid),
                       TAVRISK_TEST_FIELD(Moment, angle), TAVRISK_TEST_FIELD(Moment, major),
                       TAVRISK_TEST_FIELD(Moment, minor));
}

}  // namespace

TEST(Moment, AxesAndTheAngleOfTheAxisNearerX) {
    double const c = 0.5, s = std::sqrt(0.75), pi = 3.14159265358979323846;
    Moment const poisonedMoment = poisoned<Moment>();
    struct {
        std::vector<gte_point> points;
        int code;
        std::array<double, 6> expected;  // centroid, angle, major, minor
        double tol = 0;
    } const cases[] = {
        {xyzPoints(0, 0, 1, 4, 0, 2, 0, 2, 3, 4, 2, 6), TAVRISK_MEASURED,
         doubles(2, 1, 3, 0, 4, 2)},
        // Equal spreads: the quotient is infinite, with the sign of the correlation.
        {xyzPoints(0, 2, 0, 1, 1, 0, 2, 0, 0), TAVRISK_MEASURED,
         doubles(1, 1, 0, pi / 4, std::sqrt(16.0 / 3.0), 0)},
        // Spread 3 along 60 degrees and 1 across, about (1, -2): the minor axis, at -30 degrees,
        // is the one nearer x.
        {xyzPoints(1 + 3 * c, -2 + 3 * s, 0, 1 - 3 * c, -2 - 3 * s, 0, 1 - s, -2 + c, 0, 1 + s,
                   -2 - c, 0),
         TAVRISK_MEASURED, doubles(1, -2, 0, -pi / 6, std::sqrt(18.0), std::sqrt(2.0)), 1e-14},
        // No preferred direction at all: angle 0, not the undefined 0 / 0.
        {xyzPoints(0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0), TAVRISK_MEASURED,
         doubles(0.5, 0.5, 0, 0, 1, 1)},
        // Collinear points whose minor eigenvalue rounds a little below zero: minor 0, not NaN.
        {xyzPoints(0.0, 3.009087709852283, 0, 1.0, 1.958721749859722, 0, 2.0, 0.9083557898671613, 0,
                   3.7, -0.8772663421201923, 0),
         TAVRISK_MEASURED,
         doubles(1.675, 1.2497247268647433, 0, 0.76083872658270646, 3.9630996256984377, 0)},
        // Regression: a NaN point made the minor axis 0 while the other figures were NaN.
        {xyzPoints(0, 0, 0, 4, kNaN, 0, 0, 2, 0), TAVRISK_MEASURED,
         doubles(1.3333333333333333, kNaN, 0, kNaN, kNaN, kNaN)},
        // Fewer than three points: refused, nothing written.
        {xyzPoints(0, 0, 0, 1, 1, 0), TAVRISK_REFUSED, doublesOf(poisonedMoment)},
    };
    for (auto const& k : cases) {
        Moment m = poisonedMoment;
        EXPECT_EQ(gte_measure_moment2(k.points.data(), static_cast<int>(k.points.size()),
                                      &m.centroid, &m.angle, &m.major, &m.minor),
                  k.code);
        EXPECT_TRUE(recordNear(m, k.expected, k.tol)) << &k - cases;
        // An angle of 0 is +0, never -0.
        EXPECT_TRUE(std::isnan(m.angle) || std::signbit(m.angle) == std::signbit(k.expected[3]));
    }
    EXPECT_EQ(gte_measure_moment2(nullptr, 5, nullptr, nullptr, nullptr, nullptr), TAVRISK_REFUSED);
}

TEST(Straightness, SignsOffsetsAndLineDirections) {
    std::vector<gte_point> const p = {gte_point(-7, 3, 40), gte_point(12, 1, -5)};
    std::vector<gte_point> const q = {gte_point(7, 6, 2), gte_point(-100, 3, 9)};
    double const r = std::sqrt(0.5);
    gte_line const alongX(gte_point(0, 0, 0), gte_vector(1, 0, 0));
    struct {
        std::vector<gte_point> points;
        gte_line line;
        std::vector<double> expected;  // the deviations, then the band
        double tol = 0;
    } const cases[] = {
        // Positive to the right of the line's direction seen from above, so reversing the line
        // flips the signs. Heights and positions along the line do not count.
        {p, gte_line(gte_point(0, 2, 0), gte_vector(2, 0, 0)), {-1, 1, 2}},
        {p, gte_line(gte_point(5, 2, 9), gte_vector(-3, 0, 0)), {1, -1, 2}},
        // An inclined line keeps its unnormalised horizontal part: deviations shrink by cos 45.
        {p, gte_line(gte_point(0, 2, 0), gte_vector(1, 0, 1)), {-r, r, 2 * r}, 1e-15},
        // A vertical line is measured across y, x does not count, and its sense sets the sign.
        {q, gte_line(gte_point(3, 4, 0), gte_vector(0, 0, -5)), {-2, 1, 3}},
        {q, gte_line(gte_point(3, 4, 0), gte_vector(0, 0, 1)), {2, -1, 3}},
        // A NaN point has a NaN deviation. (That the band is the true range of the deviations,
        // NaN with any NaN among them, is the point-set fuzz target's check on every input; it
        // catches the band that started at -1e6 / 1e6.)
        {xyzPoints(0, 1, 0, kNaN, 0, 0, 1, 2, 0), alongX, {-1, kNaN, -2, kNaN}},
    };
    for (auto const& c : cases) {
        std::vector<double> got(c.points.size() + 1);
        got.back() = gte_straightness_xy_line(c.points.data(), static_cast<int>(c.points.size()),
                                              c.line, got.data());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_TRUE(same(got[i], c.expected[i]) || std::fabs(got[i] - c.expected[i]) <= c.tol)
                << &c - cases << ": " << got[i];
        }
    }
}
