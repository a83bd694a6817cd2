// Second-moment ellipse, profile against a nominal contour and straightness about a line.
#include <cmath>
#include <vector>

#include "tavrisk.h"
#include "test_util.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct MomentOut {
    gte_point centroid = poisoned<gte_point>();
    double angle = poisoned<double>();
    double major = poisoned<double>();
    double minor = poisoned<double>();
    int rc = 0;
};

MomentOut moment(std::vector<gte_point> const& points) {
    MomentOut out;
    out.rc = gte_measure_moment2(points.data(), static_cast<int>(points.size()), &out.centroid,
                                 &out.angle, &out.major, &out.minor);
    return out;
}

}  // namespace

TEST(Moment, AxesAndTheAngleOfTheAxisNearerX) {
    auto r =
        moment({gte_point(0, 0, 1), gte_point(4, 0, 2), gte_point(0, 2, 3), gte_point(4, 2, 6)});
    EXPECT_POINT_EQ(r.centroid, 2.0, 1.0, 3.0);

    // Spread 3 along 60 degrees and 1 across, about (1, -2): the minor axis, at -30 degrees, is
    // the one nearer x.
    double const c = 0.5;
    double const s = std::sqrt(0.75);
    auto const tall =
        moment({gte_point(1 + 3 * c, -2 + 3 * s, 0), gte_point(1 - 3 * c, -2 - 3 * s, 0),
                gte_point(1 - s, -2 + c, 0), gte_point(1 + s, -2 - c, 0)});
    struct {
        MomentOut out;
        double angle, major, minor, tol;
    } const cases[] = {
        {r, 0, 4, 2, 0},
        // Equal spreads: the quotient is infinite, with the sign of the correlation.
        {moment({gte_point(0, 2, 0), gte_point(1, 1, 0), gte_point(2, 0, 0)}), kPi / 4,
         std::sqrt(16.0 / 3.0), 0, 0},
        {tall, -kPi / 6, std::sqrt(18.0), std::sqrt(2.0), 1e-14},
        // No preferred direction at all: angle 0, not the undefined 0 / 0.
        {moment({gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0), gte_point(1, 1, 0)}),
         0, 1, 1, 0},
    };
    for (auto const& k : cases) {
        EXPECT_EQ(k.out.rc, 1);
        EXPECT_NEAR(k.out.angle, k.angle, k.tol);
        EXPECT_FALSE(k.angle == 0 && std::signbit(k.out.angle));
        EXPECT_NEAR(k.out.major, k.major, k.tol);
        EXPECT_NEAR(k.out.minor, k.minor, k.tol);
    }

    // Collinear points whose minor eigenvalue rounds a little below zero: the minor axis is 0,
    // not NaN.
    auto line =
        moment({gte_point(0.0, 3.009087709852283, 0), gte_point(1.0, 1.958721749859722, 0),
                gte_point(2.0, 0.9083557898671613, 0), gte_point(3.7, -0.8772663421201923, 0)});
    EXPECT_EQ(line.rc, 1);
    EXPECT_EQ(line.minor, 0.0);
    EXPECT_GT(line.major, 0.0);
}

TEST(Moment, RefusesFewerThanThreePoints) {
    auto two = moment({gte_point(0, 0, 0), gte_point(1, 1, 0)});
    EXPECT_EQ(two.rc, -1);
    EXPECT_TRUE(untouched(two.centroid) && untouched(two.angle) && untouched(two.major) &&
                untouched(two.minor));
    double minor = poisoned<double>();
    EXPECT_EQ(gte_measure_moment2(nullptr, 5, nullptr, nullptr, nullptr, &minor), -1);
    EXPECT_TRUE(untouched(minor));
}

TEST(Profile, RefusesEmptyOrMissingInput) {
    gte_point const p[] = {gte_point(0, 1, 0)};
    gte_vector const n[] = {gte_vector(0, 1, 0)};
    double profile = poisoned<double>();
    for (int missing = 0; missing < 5; ++missing) {
        EXPECT_EQ(gte_measure_profile2D(missing == 2 ? nullptr : p, missing == 0 ? 0 : 1,
                                        missing == 3 ? nullptr : p, missing == 4 ? nullptr : n,
                                        missing == 1 ? 0 : 1, &profile),
                  -1);
    }
    EXPECT_TRUE(untouched(profile));
}

TEST(Straightness, SignsOffsetsAndLineDirections) {
    gte_point const p[] = {gte_point(-7, 3, 40), gte_point(12, 1, -5)};
    gte_point const q[] = {gte_point(7, 6, 2), gte_point(-100, 3, 9)};
    struct {
        gte_point const* points;
        gte_line line;
        double dev0, dev1, tol;
    } const cases[] = {
        // Positive to the right of the line's direction seen from above, so reversing the line
        // flips the signs. Heights and positions along the line do not count.
        {p, gte_line(gte_point(0, 2, 0), gte_vector(2, 0, 0)), -1.0, 1.0, 0},
        {p, gte_line(gte_point(5, 2, 9), gte_vector(-3, 0, 0)), 1.0, -1.0, 0},
        // An inclined line keeps its unnormalised horizontal part: deviations shrink by cos 45.
        {p, gte_line(gte_point(0, 2, 0), gte_vector(1, 0, 1)), -std::sqrt(0.5), std::sqrt(0.5),
         1e-15},
        // A vertical line is measured across y, x does not count, and its sense sets the sign.
        {q, gte_line(gte_point(3, 4, 0), gte_vector(0, 0, -5)), -2.0, 1.0, 0},
        {q, gte_line(gte_point(3, 4, 0), gte_vector(0, 0, 1)), 2.0, -1.0, 0},
    };
    double dev[2];
    for (auto const& c : cases) {
        double const band = gte_straightness_xy_line(c.points, 2, c.line, dev);
        EXPECT_NEAR(dev[0], c.dev0, c.tol);
        EXPECT_NEAR(dev[1], c.dev1, c.tol);
        EXPECT_NEAR(band, std::fabs(c.dev0 - c.dev1), c.tol);
    }
}

TEST(FormExtremes, TrueExtremesOfTheCandidatesAndNaNPropagates) {
    // Regression: the straightness band started at -1e6 / 1e6, so deviations all beyond 1e6 on
    // one side gave 1000001 instead of 1, and NaN points gave -2e6.
    double const nan = std::nan("");
    gte_line const alongX(gte_point(0, 0, 0), gte_vector(1, 0, 0));
    struct {
        std::vector<gte_point> points;
        double band;
    } const straightness[] = {
        {{gte_point(0, -2e6, 0), gte_point(1, -2e6 - 1, 0)}, 1.0},
        {{gte_point(0, 3e6, 0), gte_point(1, 3e6 + 1, 0)}, 1.0},
        {{gte_point(0, -5e6, 0)}, 0.0},
        // No points, or none given: refused.
        {{}, -1.0},
        {{gte_point(0, nan, 0), gte_point(1, nan, 0)}, nan},
        {{gte_point(0, 1, 0), gte_point(nan, 0, 0), gte_point(1, 2, 0)}, nan},
    };
    for (auto const& c : straightness) {
        double deviations[3] = {poisoned<double>(), poisoned<double>(), poisoned<double>()};
        double const band = gte_straightness_xy_line(
            c.points.data(), static_cast<int>(c.points.size()), alongX, deviations);
        EXPECT_TRUE(same(band, c.band)) << band;
        EXPECT_EQ(untouched(deviations[0]), c.points.empty());
    }
    double deviation = poisoned<double>();
    EXPECT_EQ(gte_straightness_xy_line(nullptr, 3, alongX, &deviation), -1.0);
    EXPECT_TRUE(untouched(deviation));

    // Regression: the nearest nominal point was searched from 1e16, so a measured point whose
    // squared distance to every nominal point exceeded it was paired with nominal point 0. The
    // two far nominal points at the same place differ by their normals: the first one wins.
    gte_point const nominal[] = {gte_point(1e9, 0, 0), gte_point(2e9, 0, 0), gte_point(2e9, 0, 0)};
    gte_vector const normals[] = {gte_vector(0, 1, 0), gte_vector(0, 2, 0), gte_vector(0, 4, 0)};
    gte_point const measured[] = {gte_point(3e9, 0.5, 0), gte_point(3e9, -0.25, 0)};
    double profile = poisoned<double>();
    EXPECT_EQ(gte_measure_profile2D(measured, 2, nominal, normals, 3, &profile), 1);
    EXPECT_EQ(profile, 1.5);  // deviations 1.0 and -0.5 along normal 1
    // A nominal point at an undefined distance is the nearest one: the profile is NaN, not the
    // band of the other points.
    gte_point const holed[] = {gte_point(0, 0, 0), gte_point(nan, 0, 0), gte_point(2, 0, 0)};
    gte_point const near[] = {gte_point(0.1, 0.2, 0), gte_point(2.2, 0.05, 0)};
    EXPECT_EQ(gte_measure_profile2D(near, 2, holed, normals, 3, &profile), 1);
    EXPECT_TRUE(std::isnan(profile));

    // Regression: a NaN point made the minor axis 0 while the other figures were NaN.
    auto const undefined = moment({gte_point(0, 0, 0), gte_point(4, nan, 0), gte_point(0, 2, 0)});
    EXPECT_EQ(undefined.rc, 1);
    EXPECT_TRUE(std::isnan(undefined.major) && std::isnan(undefined.minor) &&
                std::isnan(undefined.angle) && std::isnan(undefined.centroid.y));
}
