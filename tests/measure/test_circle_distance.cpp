// Circle-circle and line-circle distance exports: the three records, their order, the return
// values, and the records left alone when a pair cannot be measured.
#include <cmath>

#include "tavrisk.h"
#include "test_util.h"

namespace {

gte_circle circle(double x, double y, double z, double r, double nx, double ny, double nz) {
    return gte_circle({x, y, z}, r, gte_vector(nx, ny, nz));
}
gte_line line(double x, double y, double z, double vx, double vy, double vz) {
    return gte_line({x, y, z}, gte_vector(vx, vy, vz));
}

// Three result slots, poisoned until written.
struct Records {
    gte_dist_result r[3] = {poisoned<gte_dist_result>(), poisoned<gte_dist_result>(),
                            poisoned<gte_dist_result>()};
    gte_dist_result const& operator[](int i) const { return r[i]; }
    bool pairsUntouched() const { return untouched(r[1]) && untouched(r[2]); }
};

// Measures into fresh records; without records the call must return the same count.
template <class F, class A>
int measure(F f, A const& a, gte_circle const& b, Records& records) {
    records = Records();
    int const count = f(a, b, records.r);
    EXPECT_EQ(f(a, b, nullptr), count);
    return count;
}

// point1 -> point2 with the distance between them, all within tol.
::testing::AssertionResult pairIs(gte_dist_result const& r, gte_point a, gte_point b, double dist,
                                  double tol = 0.0) {
    auto result = tavrisk_test::near3(r.point1.x, r.point1.y, r.point1.z, a.x, a.y, a.z, tol);
    if (result) {
        result = tavrisk_test::near3(r.point2.x, r.point2.y, r.point2.z, b.x, b.y, b.z, tol);
    }
    if (result && !(std::fabs(r.dist - dist) <= tol)) {
        result = ::testing::AssertionFailure() << "dist " << r.dist << " vs " << dist;
    }
    return result;
}

// Radius 2 at the origin and radius 1 five units along x, both facing up; a line three units
// above the first, five units off in y.
gte_circle const kBig = circle(0, 0, 0, 2, 0, 0, 1);
gte_circle const kSmall = circle(5, 0, 0, 1, 0, 0, 1);
gte_line const kAbove = line(0, 5, 3, 1, 0, 0);
auto* const kPlanar = gte_dist_circle_circle;
auto* const kSpatial = gte_dist3D_circle_circle;

}  // namespace

TEST(CircleCircle, CoplanarCirclesAreCutOnTheCentreLine) {
    Records res;
    ASSERT_EQ(measure(kPlanar, kBig, kSmall, res), 3);
    EXPECT_TRUE(pairIs(res[0], {0, 0, 0}, {5, 0, 0}, 5.0));
    EXPECT_TRUE(pairIs(res[1], {2, 0, 0}, {4, 0, 0}, 2.0));
    EXPECT_TRUE(pairIs(res[2], {-2, 0, 0}, {6, 0, 0}, 8.0));

    // Opposite normals still describe one plane. The centre may stand up to 1e-5 off the plane,
    // the normals may differ by 1e-6 in |cos| (a tilt of 0.001 passes, 0.002 does not). Out of
    // plane, or cut in no two points (radius 0): only the centre record.
    std::pair<gte_circle, int> const cases[] = {
        {circle(5, 0, 0, 1, 0, 0, -1), 3},    {circle(5, 0, 0.9e-5, 1, 0, 0, 1), 3},
        {circle(5, 0, 2e-5, 1, 0, 0, 1), 1},  {circle(5, 0, 0, 1, 0.001, 0, 1), 3},
        {circle(5, 0, 0, 1, 0.002, 0, 1), 1}, {circle(5, 0, 0, 1, 1, 0, 0), 1},
        {circle(5, 0, 0, 0, 0, 0, 1), 1},
    };
    for (auto const& [second, count] : cases) {
        EXPECT_EQ(measure(kPlanar, kBig, second, res), count) << second.center.z;
        EXPECT_EQ(res.pairsUntouched(), count == 1);
        EXPECT_NEAR(res[0].dist, 5.0, 1e-9);
    }
}

TEST(CircleCircle, ConcentricCutsAndTheXYForm) {
    Records res;
    // Facing up: cut along x. Facing x: z crossed with the normal gives y.
    ASSERT_EQ(measure(kPlanar, kBig, circle(0, 0, 0, 3, 0, 0, 1), res), 3);
    EXPECT_TRUE(pairIs(res[1], {2, 0, 0}, {3, 0, 0}, 1.0));
    EXPECT_TRUE(pairIs(res[2], {2, 0, 0}, {-3, 0, 0}, 5.0));
    ASSERT_EQ(measure(kPlanar, circle(0, 0, 0, 2, 1, 0, 0), circle(0, 0, 0, 3, 1, 0, 0), res), 3);
    EXPECT_TRUE(pairIs(res[2], {0, 2, 0}, {0, -3, 0}, 5.0));
    // Centres within 1e-6 count as concentric (cut along x); beyond, the centre line (y) decides.
    ASSERT_EQ(measure(kPlanar, kBig, circle(0, 5e-7, 0, 3, 0, 0, 1), res), 3);
    EXPECT_EQ(res[1].point1.y, 0.0);
    ASSERT_EQ(measure(kPlanar, kBig, circle(0, 2e-6, 0, 3, 0, 0, 1), res), 3);
    EXPECT_TRUE(pairIs(res[1], {0, -2, 0}, {0, -3 + 2e-6, 0}, 1 - 2e-6, 1e-12));

    // The XY form lifts circle2's centre to circle1's height (not to zero), keeping its normal.
    auto* const seen = gte_distXY_circle_circle;
    ASSERT_EQ(measure(seen, circle(0, 0, 2, 2, 0, 0, 1), circle(5, 0, -4, 1, 0, 0, 1), res), 3);
    EXPECT_TRUE(pairIs(res[0], {0, 0, 2}, {5, 0, 2}, 5.0));
    EXPECT_EQ(measure(seen, kBig, circle(5, 0, 7, 1, 1, 0, 0), res), 1);
}

TEST(Circle3D, PairsAcrossThePlaneOfTheCentresAndTheMeanNormal) {
    Records res;
    // Opposite normals are averaged with agreeing senses, not cancelled.
    for (double nz : {1.0, -1.0}) {
        ASSERT_EQ(measure(kSpatial, kBig, circle(5, 0, 0, 1, 0, 0, nz), res), 3);
        EXPECT_TRUE(pairIs(res[1], {2, 0, 0}, {4, 0, 0}, 2.0));
        EXPECT_TRUE(pairIs(res[2], {-2, 0, 0}, {6, 0, 0}, 8.0));
    }
    // One circle inside the other: the search's own nearest pair stays.
    ASSERT_EQ(measure(kSpatial, circle(0, 0, 0, 10, 0, 0, 1), circle(2, 0, 0, 3, 0, 0, 1), res), 3);
    EXPECT_TRUE(pairIs(res[1], {10, 0, 0}, {5, 0, 0}, 5.0));
    EXPECT_TRUE(pairIs(res[2], {-10, 0, 0}, {5, 0, 0}, 15.0));
    // Otherwise the nearest record is the pair opposite the farthest, not the closest of the
    // four: second circle tilted 45 degrees, cut at (1, 0, 0) +- h (1, 0, -1).
    double const h = 5.0 / std::sqrt(2.0);
    ASSERT_EQ(measure(kSpatial, circle(0, 0, 0, 5, 0, 0, 1), circle(1, 0, 0, 5, 1, 0, 1), res), 3);
    EXPECT_TRUE(pairIs(res[2], {-5, 0, 0}, {1 + h, 0, -h}, std::hypot(6 + h, h), 1e-12));
    EXPECT_TRUE(pairIs(res[1], {5, 0, 0}, {1 - h, 0, h}, std::hypot(4 + h, h), 1e-12));
    // Concentric: no measuring plane, only the centre record.
    EXPECT_EQ(measure(kSpatial, circle(1, 2, 3, 2, 0, 0, 1), circle(1, 2, 3, 3, 0, 1, 1), res), 1);
    EXPECT_TRUE(res.pairsUntouched());
}

TEST(CirclePairs, ThreeRecordsOnlyWhenBothPairsWereWritten) {
    // Regression: the pair search started from 1e16 (nearest) and 0 (farthest) and wrote a record
    // only when a distance beat its start, yet returned 3 once the circles were cut. Pairs all
    // beyond 1e16 left the nearest record stale; NaN distances (radii whose squares overflow, or
    // a NaN radius) left both stale, and the 3D form replaced the nearest record with unset
    // indices.
    double const nan = std::nan("");
    gte_circle const wide1 = circle(0, 0, 0, 2e16, 0, 0, 1), wide2 = circle(1, 0, 0, 5e16, 0, 0, 1);
    gte_circle const huge1 = circle(0, 0, 0, 1e200, 0, 0, 1),
                     huge2 = circle(1, 0, 0, 1e200, 0, 0, 1);
    struct {
        bool spatial;
        gte_circle a, b;
        double nearest, farthest;  // distances of result[1] and result[2]
    } const cases[] = {
        {false, wide1, wide2, 3e16, 7e16},
        {true, wide1, wide2, 3e16, 7e16},
        {false, huge1, huge2, nan, nan},
        {true, huge1, huge2, nan, nan},
        {false, circle(0, 0, 0, nan, 0, 0, 1), kSmall, nan, nan},
        {true, kBig, circle(5, 0, 0, nan, 0, 0, 1), nan, nan},
    };
    for (auto const& c : cases) {
        Records res;
        ASSERT_EQ(measure(c.spatial ? kSpatial : kPlanar, c.a, c.b, res), 3) << c.nearest;
        EXPECT_TRUE(same(res[1].dist, c.nearest) && same(res[2].dist, c.farthest)) << c.nearest;
    }

    // The line-circle forms hold to the same rule: 3 with both pairs written, or 1 without.
    gte_line const lines[] = {kAbove,
                              line(0, nan, 3, 1, 0, 0),
                              line(0, 5, 3, nan, 0, 0),
                              line(3, 0, 5, 0, 0, 1),
                              line(nan, 0, 5, 0, 0, 1),
                              line(0, 5e20, 3, 1, 0, 0)};
    for (gte_line const& l : lines) {
        for (gte_circle const& c : {kBig, circle(0, 0, 0, nan, 0, 0, 1)}) {
            Records res;
            int const code = measure(gte_dist_line_circle, l, c, res);
            EXPECT_TRUE(code == 3 ? !untouched(res[1]) && !untouched(res[2])
                                  : code == 1 && res.pairsUntouched())
                << code;
        }
    }
}

TEST(LineCircle, DiameterTowardsTheLineGivesNearestThenFarthest) {
    Records res;
    ASSERT_EQ(measure(gte_dist_line_circle, kAbove, kBig, res), 3);
    EXPECT_TRUE(pairIs(res[0], {0, 0, 0}, {0, 5, 3}, std::sqrt(34.0)));
    EXPECT_TRUE(pairIs(res[1], {0, 2, 0}, {0, 5, 3}, std::sqrt(18.0)));
    EXPECT_TRUE(pairIs(res[2], {0, -2, 0}, {0, 5, 3}, std::sqrt(58.0)));
    // On the other side the key line runs the other way; the nearer point still comes first.
    ASSERT_EQ(measure(gte_dist_line_circle, line(0, -5, 3, -1, 0, 0), kBig, res), 3);
    EXPECT_TRUE(pairIs(res[1], {0, -2, 0}, {0, -5, 3}, std::sqrt(18.0)));

    // Regression: a circle of radius 0 is cut in one point only. The unused second slot held
    // the coordinate origin, which lies nearer to this line and was reported as the nearest
    // circle point. The one point is now both the nearest and the farthest.
    gte_circle const dot = circle(3, 0, 0, 0, 0, 0, 1);
    ASSERT_EQ(measure(gte_dist_line_circle, line(0, 0, 1, 0, 1, 0), dot, res), 3);
    EXPECT_TRUE(pairIs(res[1], gte_point(3, 0, 0), gte_point(0, 0, 1), std::sqrt(10.0)));
    EXPECT_TRUE(pairIs(res[2], gte_point(3, 0, 0), gte_point(0, 0, 1), std::sqrt(10.0)));

    // A line meeting the axis at its foot (here through the centre) singles out no diameter.
    EXPECT_EQ(measure(gte_dist_line_circle, line(-5, 0, 0, 1, 0, 0), kBig, res), 1);
    EXPECT_TRUE(res.pairsUntouched());
}

TEST(LineCircle, AxisParallelLineMeasuresTheDiameterThroughItsCrossing) {
    Records res;
    ASSERT_EQ(measure(gte_dist_line_circle, line(3, 0, 5, 0, 0, 1), kBig, res), 3);
    EXPECT_TRUE(pairIs(res[0], {0, 0, 0}, {3, 0, 0}, 3.0));
    EXPECT_TRUE(pairIs(res[1], {2, 0, 0}, {3, 0, 0}, 1.0));
    EXPECT_TRUE(pairIs(res[2], {-2, 0, 0}, {3, 0, 0}, 5.0));
    // Tilted within tolerance: each end of the diameter through the crossing (3, 0, 0) is
    // measured to the line itself, not to the crossing.
    double const n = std::sqrt(1 + 1e-6);
    ASSERT_EQ(measure(gte_dist_line_circle, line(3, 0, 0, 0.001, 0, 1), kBig, res), 3);
    EXPECT_POINT_EQ(res[1].point1, 2.0, 0.0, 0.0);
    EXPECT_NEAR(res[1].dist, 1 / n, 1e-15);
    EXPECT_NEAR(res[2].dist, 5 / n, 1e-15);
    // Along the axis itself: every diameter is alike, only the centre record is written.
    EXPECT_EQ(measure(gte_dist_line_circle, line(0, 0, 7, 0, 0, -1), kBig, res), 1);
    EXPECT_TRUE(res.pairsUntouched());
}
