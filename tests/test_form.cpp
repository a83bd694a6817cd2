// Second-moment ellipse, profile against a nominal contour, straightness about a line, and the
// vector rotation tool.
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

// Two pairs of points along two perpendicular axes through (1, -2), the first at angle theta
// with half-spread a, the second with half-spread b.
std::vector<gte_point> cross(double theta, double a, double b) {
    double const c = std::cos(theta);
    double const s = std::sin(theta);
    return {gte_point(1 + a * c, -2 + a * s, 0), gte_point(1 - a * c, -2 - a * s, 0),
            gte_point(1 - b * s, -2 + b * c, 0), gte_point(1 + b * s, -2 - b * c, 0)};
}

}  // namespace

TEST(Moment, RectangleAndDiagonalExamples) {
    auto r =
        moment({gte_point(0, 0, 1), gte_point(4, 0, 2), gte_point(0, 2, 3), gte_point(4, 2, 6)});
    EXPECT_EQ(r.rc, 1);
    EXPECT_POINT_EQ(r.centroid, 2.0, 1.0, 3.0);
    EXPECT_EQ(r.angle, 0.0);
    EXPECT_EQ(r.major, 4.0);
    EXPECT_EQ(r.minor, 2.0);

    // Equal spreads with positive correlation: the quotient is +infinity.
    auto d = moment({gte_point(0, 0, 0), gte_point(1, 1, 0), gte_point(2, 2, 0)});
    EXPECT_EQ(d.rc, 1);
    EXPECT_POINT_EQ(d.centroid, 1.0, 1.0, 0.0);
    EXPECT_EQ(d.angle, -kPi / 4);
    EXPECT_EQ(d.major, std::sqrt(16.0 / 3.0));
    EXPECT_EQ(d.minor, 0.0);
    auto anti = moment({gte_point(0, 2, 0), gte_point(1, 1, 0), gte_point(2, 0, 0)});
    EXPECT_EQ(anti.angle, kPi / 4);
    EXPECT_EQ(anti.major, d.major);
}

TEST(Moment, AngleFollowsTheAxisNearerX) {
    // Wider along 30 degrees: the major axis is reported.
    auto wide = moment(cross(kPi / 6, 3.0, 1.0));
    EXPECT_NEAR(wide.angle, kPi / 6, 1e-14);
    EXPECT_NEAR(wide.major, std::sqrt(18.0), 1e-14);
    EXPECT_NEAR(wide.minor, std::sqrt(2.0), 1e-14);
    EXPECT_POINT_NEAR(wide.centroid, 1.0, -2.0, 0.0, 1e-15);
    // Wider along 60 degrees: the minor axis, at -30 degrees, is the one nearer x.
    auto tall = moment(cross(kPi / 3, 3.0, 1.0));
    EXPECT_NEAR(tall.angle, -kPi / 6, 1e-14);
    EXPECT_NEAR(tall.major, std::sqrt(18.0), 1e-14);
    EXPECT_NEAR(tall.minor, std::sqrt(2.0), 1e-14);

    // No preferred direction at all: angle 0, not the undefined 0 / 0.
    auto square =
        moment({gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0), gte_point(1, 1, 0)});
    EXPECT_EQ(square.rc, 1);
    EXPECT_EQ(square.angle, 0.0);
    EXPECT_FALSE(std::signbit(square.angle));
    EXPECT_EQ(square.major, 1.0);
    EXPECT_EQ(square.minor, 1.0);
    // Collinear points whose minor eigenvalue rounds a little below zero: the minor axis is 0,
    // not NaN.
    auto line =
        moment({gte_point(0.0, 3.009087709852283, 0), gte_point(1.0, 1.958721749859722, 0),
                gte_point(2.0, 0.9083557898671613, 0), gte_point(3.7, -0.8772663421201923, 0)});
    EXPECT_EQ(line.rc, 1);
    EXPECT_EQ(line.minor, 0.0);
    EXPECT_GT(line.major, 0.0);
    auto same = moment({gte_point(3, 3, 3), gte_point(3, 3, 3), gte_point(3, 3, 3)});
    EXPECT_EQ(same.angle, 0.0);
    EXPECT_EQ(same.major, 0.0);
}

TEST(Moment, RefusalsAndOmittedOutputs) {
    auto two = moment({gte_point(0, 0, 0), gte_point(1, 1, 0)});
    EXPECT_EQ(two.rc, -1);
    EXPECT_TRUE(untouched(two.centroid));
    EXPECT_TRUE(untouched(two.angle));
    EXPECT_TRUE(untouched(two.major));
    EXPECT_TRUE(untouched(two.minor));

    double angle = poisoned<double>();
    EXPECT_EQ(gte_measure_moment2(nullptr, 5, nullptr, &angle, nullptr, nullptr), -1);
    EXPECT_TRUE(untouched(angle));

    gte_point const points[] = {gte_point(0, 0, 0), gte_point(4, 0, 0), gte_point(0, 2, 0),
                                gte_point(4, 2, 0)};
    EXPECT_EQ(gte_measure_moment2(points, 4, nullptr, nullptr, nullptr, nullptr), 1);
    double minor = poisoned<double>();
    EXPECT_EQ(gte_measure_moment2(points, 4, nullptr, nullptr, nullptr, &minor), 1);
    EXPECT_EQ(minor, 2.0);
}

TEST(Profile, PairsEachMeasuredPointWithItsNearestNominal) {
    gte_point const nominal[] = {gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(2, 0, 0)};
    gte_vector const up[] = {gte_vector(0, 1, 0), gte_vector(0, 1, 0), gte_vector(0, 1, 0)};
    gte_point const measured[] = {gte_point(0.1, 0.2, 0), gte_point(1, -0.1, 0),
                                  gte_point(2.2, 0.05, 0)};
    double profile = poisoned<double>();
    EXPECT_EQ(gte_measure_profile2D(measured, 3, nominal, up, 3, &profile), 1);
    EXPECT_EQ(profile, 0.2 + 0.1);

    // The first of two equally near nominal points wins; normals are used as given, with only
    // their horizontal part, and nearness ignores z.
    gte_vector const unequal[] = {gte_vector(0, 1, 7), gte_vector(0, 2, 0), gte_vector(0, 4, 0)};
    gte_point const tie[] = {gte_point(0.5, 0.25, 0), gte_point(2, 0, 0)};
    EXPECT_EQ(gte_measure_profile2D(tie, 2, nominal, unequal, 3, &profile), 1);
    EXPECT_EQ(profile, 0.25);
    gte_point const high[] = {gte_point(0, 0, 100), gte_point(1, 0, 0), gte_point(2, 0, 0)};
    gte_point const below[] = {gte_point(0.25, -0.5, 0), gte_point(1.75, 0.5, 0)};
    EXPECT_EQ(gte_measure_profile2D(below, 2, high, unequal, 3, &profile), 1);
    EXPECT_EQ(profile, 2.5);  // deviations -0.5 and 2.0

    // A single measured point has no band; the output may be omitted.
    EXPECT_EQ(gte_measure_profile2D(measured, 1, nominal, up, 3, &profile), 1);
    EXPECT_EQ(profile, 0.0);
    EXPECT_EQ(gte_measure_profile2D(measured, 3, nominal, up, 3, nullptr), 1);
}

TEST(Profile, RefusesEmptyOrMissingInput) {
    gte_point const nominal[] = {gte_point(0, 0, 0)};
    gte_vector const normals[] = {gte_vector(0, 1, 0)};
    gte_point const measured[] = {gte_point(0, 1, 0)};
    double profile = poisoned<double>();
    EXPECT_EQ(gte_measure_profile2D(measured, 0, nominal, normals, 1, &profile), -1);
    EXPECT_EQ(gte_measure_profile2D(measured, 1, nominal, normals, 0, &profile), -1);
    EXPECT_EQ(gte_measure_profile2D(measured, -3, nominal, normals, 1, &profile), -1);
    EXPECT_EQ(gte_measure_profile2D(nullptr, 1, nominal, normals, 1, &profile), -1);
    EXPECT_EQ(gte_measure_profile2D(measured, 1, nullptr, normals, 1, &profile), -1);
    EXPECT_EQ(gte_measure_profile2D(measured, 1, nominal, nullptr, 1, &profile), -1);
    EXPECT_TRUE(untouched(profile));
}

TEST(Straightness, HorizontalLineSignsAndExample) {
    gte_point const points[] = {gte_point(0, 0, 0), gte_point(1, 0.1, 0), gte_point(2, -0.2, 0),
                                gte_point(3, 0, 0)};
    double dev[4];
    gte_line const alongX(gte_point(0, 0, 0), gte_vector(1, 0, 0));
    EXPECT_EQ(gte_straightness_xy_line(points, 4, alongX, dev), 0.2 + 0.1);
    // Positive to the right of the line's direction seen from above.
    EXPECT_EQ(dev[0], 0.0);
    EXPECT_EQ(dev[1], -0.1);
    EXPECT_EQ(dev[2], 0.2);
    EXPECT_EQ(dev[3], 0.0);
    gte_line const backwards(gte_point(5, 0, 9), gte_vector(-3, 0, 0));
    EXPECT_EQ(gte_straightness_xy_line(points, 4, backwards, dev), 0.2 + 0.1);
    EXPECT_EQ(dev[1], 0.1);
    EXPECT_EQ(dev[2], -0.2);

    // Only the across-line offset counts: heights and positions along the line do not.
    gte_point const offset[] = {gte_point(-7, 3, 40), gte_point(12, 1, -5)};
    gte_line const y2(gte_point(0, 2, 0), gte_vector(2, 0, 0));
    EXPECT_EQ(gte_straightness_xy_line(offset, 2, y2, dev), 2.0);
    EXPECT_EQ(dev[0], -1.0);
    EXPECT_EQ(dev[1], 1.0);
    EXPECT_EQ(gte_straightness_xy_line(offset, 2, y2, nullptr), 2.0);
}

TEST(Straightness, InclinedAndVerticalLines) {
    // An inclined line keeps its unnormalised horizontal part: deviations shrink by cos 45.
    gte_line const inclined(gte_point(0, 0, 0), gte_vector(1, 0, 1));
    gte_point const p[] = {gte_point(5, 2, 7), gte_point(-1, -1, 0)};
    double dev[2];
    double const s = gte_straightness_xy_line(p, 2, inclined, dev);
    EXPECT_NEAR(dev[0], -std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(dev[1], std::sqrt(0.5), 1e-15);
    EXPECT_NEAR(s, 1.5 * std::sqrt(2.0), 1e-15);

    // A vertical line is measured across y: x does not count.
    gte_line const vertical(gte_point(3, 4, 0), gte_vector(0, 0, -5));
    gte_point const q[] = {gte_point(7, 6, 2), gte_point(-100, 3, 9)};
    EXPECT_EQ(gte_straightness_xy_line(q, 2, vertical, dev), 3.0);
    EXPECT_EQ(dev[0], -2.0);
    EXPECT_EQ(dev[1], 1.0);
    gte_line const up(gte_point(3, 4, 0), gte_vector(0, 0, 1));
    EXPECT_EQ(gte_straightness_xy_line(q, 2, up, dev), 3.0);
    EXPECT_EQ(dev[0], 2.0);
}

TEST(Straightness, SentinelsAndRefusals) {
    // The band starts from -1e6 / 1e6, which shows for a single far point.
    gte_line const alongX(gte_point(0, 0, 0), gte_vector(1, 0, 0));
    gte_point const far[] = {gte_point(0, -5e6, 0)};
    double dev = 0;
    EXPECT_EQ(gte_straightness_xy_line(far, 1, alongX, &dev), 4e6);
    EXPECT_EQ(dev, 5e6);
    gte_point const one[] = {gte_point(4, 1, 0)};
    EXPECT_EQ(gte_straightness_xy_line(one, 1, alongX, &dev), 0.0);

    double untouchedDev = poisoned<double>();
    EXPECT_EQ(gte_straightness_xy_line(one, 0, alongX, &untouchedDev), -1.0);
    EXPECT_EQ(gte_straightness_xy_line(one, -2, alongX, &untouchedDev), -1.0);
    EXPECT_EQ(gte_straightness_xy_line(nullptr, 3, alongX, &untouchedDev), -1.0);
    EXPECT_TRUE(untouched(untouchedDev));
}

TEST(RotateTool, RightHandRuleAndDegenerateAxes) {
    gte_vector r;
    gte_tool_rotate_vector(gte_vector(1, 0, 0), gte_vector(0, 0, 2), 90, &r);
    EXPECT_POINT_NEAR(r, 0.0, 1.0, 0.0, 1e-15);
    gte_tool_rotate_vector(gte_vector(1, 0, 0), gte_vector(0, 0, 2), -90, &r);
    EXPECT_POINT_NEAR(r, 0.0, -1.0, 0.0, 1e-15);
    gte_tool_rotate_vector(gte_vector(0, 1, 0), gte_vector(3, 0, 0), 90, &r);
    EXPECT_POINT_NEAR(r, 0.0, 0.0, 1.0, 1e-15);
    // A third of a turn about the diagonal cycles the axes.
    gte_tool_rotate_vector(gte_vector(1, 2, 3), gte_vector(1, 1, 1), 120, &r);
    EXPECT_POINT_NEAR(r, 3.0, 1.0, 2.0, 1e-14);

    gte_tool_rotate_vector(gte_vector(1.25, -2, 3), gte_vector(0.3, 0.4, 5), 0, &r);
    EXPECT_POINT_EQ(r, 1.25, -2.0, 3.0);
    gte_tool_rotate_vector(gte_vector(1.25, -2, 3), gte_vector(0.3, 0.4, 5), 360, &r);
    EXPECT_POINT_NEAR(r, 1.25, -2.0, 3.0, 1e-14);
    gte_tool_rotate_vector(gte_vector(0, 0, 3), gte_vector(0, 0, 0.5), 37, &r);
    EXPECT_POINT_NEAR(r, 0.0, 0.0, 3.0, 1e-15);

    // A zero axis leaves only the cosine term: a half turn negates the vector.
    gte_tool_rotate_vector(gte_vector(1.5, -2, 4), gte_vector(0, 0, 0), 180, &r);
    EXPECT_POINT_EQ(r, -1.5, 2.0, -4.0);
    gte_tool_rotate_vector(gte_vector(1, 0, 0), gte_vector(0, 0, 1), 90, nullptr);
}
