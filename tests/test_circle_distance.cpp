// Circle-circle and line-circle distance exports: the three records, their order, the return
// values, and the records left alone when a pair cannot be measured.
#include <cmath>
#include <cstring>

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
    bool sameBytes(Records const& other) const { return std::memcmp(r, other.r, sizeof(r)) == 0; }
    bool pairsUntouched() const { return untouched(r[1]) && untouched(r[2]); }
};

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

}  // namespace

TEST(CircleCircle, CoplanarCirclesAreCutOnTheCentreLine) {
    Records res;
    EXPECT_EQ(gte_dist_circle_circle(kBig, kSmall, res.r), 3);
    EXPECT_TRUE(pairIs(res[0], {0, 0, 0}, {5, 0, 0}, 5.0));
    EXPECT_TRUE(pairIs(res[1], {2, 0, 0}, {4, 0, 0}, 2.0));
    EXPECT_TRUE(pairIs(res[2], {-2, 0, 0}, {6, 0, 0}, 8.0));
    // Opposite normals still describe one plane.
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 0, 0, -1), nullptr), 3);

    // Out of plane: only the centre record. The centre may stand up to 1e-5 off the plane, the
    // normals may differ by 1e-6 in |cos| (a tilt of 0.001 passes, 0.002 does not).
    Records out;
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 1, 0, 0), out.r), 1);
    EXPECT_TRUE(out.pairsUntouched() && out[0].dist == 5.0);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0.9e-5, 1, 0, 0, 1), nullptr), 3);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 2e-5, 1, 0, 0, 1), nullptr), 1);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 0.001, 0, 1), nullptr), 3);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 0.002, 0, 1), nullptr), 1);
    // A cut that gives no two points: a circle of radius 0.
    Records dot;
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 0, 0, 0, 1), dot.r), 1);
    EXPECT_TRUE(dot.pairsUntouched());
}

TEST(CircleCircle, ConcentricCutsAndTheXYForm) {
    Records res;
    // Facing up: cut along x. Facing x: z crossed with the normal gives y.
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(0, 0, 0, 3, 0, 0, 1), res.r), 3);
    EXPECT_TRUE(pairIs(res[1], {2, 0, 0}, {3, 0, 0}, 1.0));
    EXPECT_TRUE(pairIs(res[2], {2, 0, 0}, {-3, 0, 0}, 5.0));
    EXPECT_EQ(
        gte_dist_circle_circle(circle(0, 0, 0, 2, 1, 0, 0), circle(0, 0, 0, 3, 1, 0, 0), res.r), 3);
    EXPECT_TRUE(pairIs(res[2], {0, 2, 0}, {0, -3, 0}, 5.0));
    // Centres within 1e-6 count as concentric (cut along x); beyond, the centre line (y) decides.
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(0, 5e-7, 0, 3, 0, 0, 1), res.r), 3);
    EXPECT_EQ(res[1].point1.y, 0.0);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(0, 2e-6, 0, 3, 0, 0, 1), res.r), 3);
    EXPECT_TRUE(pairIs(res[1], {0, -2, 0}, {0, -3 + 2e-6, 0}, 1 - 2e-6, 1e-12));

    // The XY form lifts circle2's centre to circle1's height (not to zero), keeping its normal.
    Records seen;
    EXPECT_EQ(
        gte_distXY_circle_circle(circle(0, 0, 2, 2, 0, 0, 1), circle(5, 0, -4, 1, 0, 0, 1), seen.r),
        3);
    EXPECT_TRUE(pairIs(seen[0], {0, 0, 2}, {5, 0, 2}, 5.0));
    EXPECT_EQ(gte_distXY_circle_circle(kBig, circle(5, 0, 7, 1, 1, 0, 0), nullptr), 1);
}

TEST(Circle3D, PairsAcrossThePlaneOfTheCentresAndTheMeanNormal) {
    Records res;
    EXPECT_EQ(gte_dist3D_circle_circle(kBig, kSmall, res.r), 3);
    EXPECT_TRUE(pairIs(res[1], {2, 0, 0}, {4, 0, 0}, 2.0));
    EXPECT_TRUE(pairIs(res[2], {-2, 0, 0}, {6, 0, 0}, 8.0));
    // Opposite normals are averaged with agreeing senses, not cancelled.
    EXPECT_EQ(gte_dist3D_circle_circle(kBig, circle(5, 0, 0, 1, 0, 0, -1), nullptr), 3);

    // One circle inside the other: the search's own nearest pair stays.
    EXPECT_EQ(
        gte_dist3D_circle_circle(circle(0, 0, 0, 10, 0, 0, 1), circle(2, 0, 0, 3, 0, 0, 1), res.r),
        3);
    EXPECT_TRUE(pairIs(res[1], {10, 0, 0}, {5, 0, 0}, 5.0));
    EXPECT_TRUE(pairIs(res[2], {-10, 0, 0}, {5, 0, 0}, 15.0));

    // Otherwise the nearest record is the pair opposite the farthest, not the closest of the
    // four: second circle tilted 45 degrees, cut at (1, 0, 0) +- h (1, 0, -1).
    double const h = 5.0 / std::sqrt(2.0);
    EXPECT_EQ(
        gte_dist3D_circle_circle(circle(0, 0, 0, 5, 0, 0, 1), circle(1, 0, 0, 5, 1, 0, 1), res.r),
        3);
    EXPECT_TRUE(
        pairIs(res[2], {-5, 0, 0}, {1 + h, 0, -h}, std::sqrt((6 + h) * (6 + h) + h * h), 1e-12));
    EXPECT_TRUE(
        pairIs(res[1], {5, 0, 0}, {1 - h, 0, h}, std::sqrt((4 + h) * (4 + h) + h * h), 1e-12));

    // Concentric: no measuring plane, only the centre record.
    Records concentric;
    EXPECT_EQ(gte_dist3D_circle_circle(circle(1, 2, 3, 2, 0, 0, 1), circle(1, 2, 3, 3, 0, 1, 1),
                                       concentric.r),
              1);
    EXPECT_TRUE(concentric.pairsUntouched());
}

TEST(CirclePairs, ThreeRecordsOnlyWhenBothPairsWereWritten) {
    // Regression: the pair search started from 1e16 (nearest) and 0 (farthest) and wrote a record
    // only when a distance beat its start, yet returned 3 once the circles were cut. Pairs all
    // beyond 1e16 left the nearest record stale; NaN distances (radii whose squares overflow, or
    // a NaN radius) left both stale, and the 3D form replaced the nearest record with unset
    // indices. Every call below starts from poisoned records.
    double const nan = std::nan("");
    gte_circle const wide1 = circle(0, 0, 0, 2e16, 0, 0, 1), wide2 = circle(0, 0, 0, 5e16, 0, 0, 1);
    gte_circle const huge1 = circle(0, 0, 0, 1e200, 0, 0, 1),
                     huge2 = circle(1, 0, 0, 1e200, 0, 0, 1);
    auto const wide3D = [](gte_circle a, gte_circle b, gte_dist_result* r) {
        b.center.x = 1.0;  // off-centre, so that the 3D form has a measuring plane
        return gte_dist3D_circle_circle(a, b, r);
    };
    using Measure = int (*)(gte_circle, gte_circle, gte_dist_result*);
    struct {
        Measure measure;
        gte_circle a, b;
        double nearest, farthest;  // distances of result[1] and result[2]
    } const cases[] = {
        {gte_dist_circle_circle, wide1, wide2, 3e16, 7e16},
        {gte_distXY_circle_circle, wide1, wide2, 3e16, 7e16},
        {gte_dist_arc_arc, wide1, wide2, 3e16, 7e16},
        {wide3D, wide1, wide2, 3e16, 7e16},
        {gte_dist_circle_circle, huge1, huge2, nan, nan},
        {gte_dist3D_circle_circle, huge1, huge2, nan, nan},
        {gte_dist_arc_circle, huge1, huge2, nan, nan},
        {gte_dist_circle_circle, circle(0, 0, 0, nan, 0, 0, 1), kSmall, nan, nan},
        {gte_dist3D_circle_circle, kBig, circle(5, 0, 0, nan, 0, 0, 1), nan, nan},
    };
    auto const same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    for (auto const& c : cases) {
        Records res;
        ASSERT_EQ(c.measure(c.a, c.b, res.r), 3) << c.nearest;
        EXPECT_FALSE(untouched(res[1]) || untouched(res[2])) << c.nearest;
        EXPECT_TRUE(same(res[1].dist, c.nearest)) << res[1].dist;
        EXPECT_TRUE(same(res[2].dist, c.farthest)) << res[2].dist;
    }
    Records wide;
    ASSERT_EQ(gte_dist_circle_circle(wide1, wide2, wide.r), 3);
    EXPECT_TRUE(pairIs(wide[1], {2e16, 0, 0}, {5e16, 0, 0}, 3e16));
    EXPECT_TRUE(pairIs(wide[2], {2e16, 0, 0}, {-5e16, 0, 0}, 7e16));

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
            int const code = gte_dist_line_circle(l, c, res.r);
            EXPECT_TRUE(code == 3 ? !untouched(res[1]) && !untouched(res[2])
                                  : code == 1 && res.pairsUntouched())
                << code;
        }
    }
}

TEST(LineCircle, DiameterTowardsTheLineGivesNearestThenFarthest) {
    Records res;
    EXPECT_EQ(gte_dist_line_circle(kAbove, kBig, res.r), 3);
    EXPECT_TRUE(pairIs(res[0], {0, 0, 0}, {0, 5, 3}, std::sqrt(34.0)));
    EXPECT_TRUE(pairIs(res[1], {0, 2, 0}, {0, 5, 3}, std::sqrt(18.0)));
    EXPECT_TRUE(pairIs(res[2], {0, -2, 0}, {0, 5, 3}, std::sqrt(58.0)));
    // On the other side the key line runs the other way; the nearer point still comes first.
    EXPECT_EQ(gte_dist_line_circle(line(0, -5, 3, -1, 0, 0), kBig, res.r), 3);
    EXPECT_TRUE(pairIs(res[1], {0, -2, 0}, {0, -5, 3}, std::sqrt(18.0)));

    // Regression: a circle of radius 0 is cut in one point only. The unused second slot held
    // the coordinate origin, which lies nearer to this line and was reported as the nearest
    // circle point. The one point is now both the nearest and the farthest.
    EXPECT_EQ(gte_dist_line_circle(line(0, 0, 1, 0, 1, 0), circle(3, 0, 0, 0, 0, 0, 1), res.r), 3);
    EXPECT_TRUE(pairIs(res[1], gte_point(3, 0, 0), gte_point(0, 0, 1), std::sqrt(10.0), 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(3, 0, 0), gte_point(0, 0, 1), std::sqrt(10.0), 0.0));

    // A line meeting the axis at its foot (here through the centre) singles out no diameter.
    Records through;
    EXPECT_EQ(gte_dist_line_circle(line(-5, 0, 0, 1, 0, 0), kBig, through.r), 1);
    EXPECT_TRUE(through.pairsUntouched());
}

TEST(LineCircle, AxisParallelLineMeasuresTheDiameterThroughItsCrossing) {
    Records res;
    EXPECT_EQ(gte_dist_line_circle(line(3, 0, 5, 0, 0, 1), kBig, res.r), 3);
    EXPECT_TRUE(pairIs(res[0], {0, 0, 0}, {3, 0, 0}, 3.0));
    EXPECT_TRUE(pairIs(res[1], {2, 0, 0}, {3, 0, 0}, 1.0));
    EXPECT_TRUE(pairIs(res[2], {-2, 0, 0}, {3, 0, 0}, 5.0));

    // Tilted within tolerance: each end of the diameter through the crossing (3, 0, 0) is
    // measured to the line itself, not to the crossing.
    double const n = std::sqrt(1 + 1e-6);
    EXPECT_EQ(gte_dist_line_circle(line(3, 0, 0, 0.001, 0, 1), kBig, res.r), 3);
    EXPECT_POINT_EQ(res[1].point1, 2.0, 0.0, 0.0);
    EXPECT_NEAR(res[1].dist, 1 / n, 1e-15);
    EXPECT_NEAR(res[2].dist, 5 / n, 1e-15);

    // Along the axis itself: every diameter is alike, only the centre record is written.
    Records axis;
    EXPECT_EQ(gte_dist_line_circle(line(0, 0, 7, 0, 0, -1), kBig, axis.r), 1);
    EXPECT_TRUE(axis.pairsUntouched());
}

TEST(ArcAndSegmentForms, MatchTheirTwinsByteForByte) {
    gte_lseg const seg({7, 5, 3}, {9, 5, 3});  // feet lie beyond its ends
    Records a[5], b[5];
    EXPECT_EQ(gte_dist_arc_circle(kBig, kSmall, a[0].r),
              gte_dist_circle_circle(kBig, kSmall, b[0].r));
    EXPECT_EQ(gte_dist_arc_arc(kBig, kSmall, a[1].r), gte_dist_circle_circle(kBig, kSmall, b[1].r));
    EXPECT_EQ(gte_dist_line_arc(kAbove, kBig, a[2].r), gte_dist_line_circle(kAbove, kBig, b[2].r));
    EXPECT_EQ(gte_dist_lseg_circle(seg, kBig, a[3].r), gte_dist_line_circle(kAbove, kBig, b[3].r));
    EXPECT_EQ(gte_dist_lseg_arc(seg, kBig, a[4].r), gte_dist_line_circle(kAbove, kBig, b[4].r));
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(a[i].sameBytes(b[i])) << i;
}

TEST(NullResult, NothingWrittenAndTheSameCountReturned) {
    EXPECT_EQ(gte_dist_circle_circle(kBig, kSmall, nullptr), 3);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 1, 0, 0), nullptr), 1);
    EXPECT_EQ(gte_dist3D_circle_circle(kBig, kSmall, nullptr), 3);
    EXPECT_EQ(gte_dist_line_circle(kAbove, kBig, nullptr), 3);
    EXPECT_EQ(gte_dist_line_circle(line(-5, 0, 0, 1, 0, 0), kBig, nullptr), 1);
    EXPECT_EQ(gte_dist_line_circle(line(3, 0, 5, 0, 0, 1), kBig, nullptr), 3);
}
