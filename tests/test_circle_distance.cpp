// Circle-circle and line-circle distance exports: the three records, their order, the return
// values, and the records left alone when a pair cannot be measured.
#include <cmath>
#include <cstring>

#include "tavrisk.h"
#include "test_util.h"

namespace {

gte_circle circle(double x, double y, double z, double r, double nx, double ny, double nz) {
    return gte_circle(gte_point(x, y, z), r, gte_vector(nx, ny, nz));
}
gte_line line(double x, double y, double z, double vx, double vy, double vz) {
    return gte_line(gte_point(x, y, z), gte_vector(vx, vy, vz));
}

// Three result slots, poisoned until written.
struct Records {
    gte_dist_result r[3] = {poisoned<gte_dist_result>(), poisoned<gte_dist_result>(),
                            poisoned<gte_dist_result>()};
    gte_dist_result const& operator[](int i) const { return r[i]; }
    bool sameBytes(Records const& other) const { return std::memcmp(r, other.r, sizeof(r)) == 0; }
};

// point1 -> point2 with the distance between them, all within tol.
::testing::AssertionResult pairIs(gte_dist_result const& r, gte_point a, gte_point b, double dist,
                                  double tol) {
    auto first = tavrisk_test::near3(r.point1.x, r.point1.y, r.point1.z, a.x, a.y, a.z, tol);
    if (!first) {
        return first << " (point1)";
    }
    auto second = tavrisk_test::near3(r.point2.x, r.point2.y, r.point2.z, b.x, b.y, b.z, tol);
    if (!second) {
        return second << " (point2)";
    }
    if (!(std::fabs(r.dist - dist) <= tol)) {
        return ::testing::AssertionFailure() << "dist " << r.dist << " vs " << dist;
    }
    return ::testing::AssertionSuccess();
}

// Radius 2 at the origin and radius 1 five units along x, both facing up.
gte_circle const kBig = circle(0, 0, 0, 2, 0, 0, 1);
gte_circle const kSmall = circle(5, 0, 0, 1, 0, 0, 1);
// Radius 2 at the origin, facing up, and a line three units above it, five units off in y.
gte_circle const kFlat = circle(0, 0, 0, 2, 0, 0, 1);
gte_line const kAbove = line(0, 5, 3, 1, 0, 0);

}  // namespace

TEST(CircleCircle, CoplanarCirclesAreCutOnTheCentreLine) {
    Records res;
    EXPECT_EQ(gte_dist_circle_circle(kBig, kSmall, res.r), 3);
    EXPECT_TRUE(pairIs(res[0], gte_point(0, 0, 0), gte_point(5, 0, 0), 5.0, 0.0));
    EXPECT_EQ(res[0].dx, 5.0);
    EXPECT_EQ(res[0].dy, 0.0);
    EXPECT_EQ(res[0].dxy, 5.0);
    EXPECT_POINT_EQ(res[0].direction, 1.0, 0.0, 0.0);
    EXPECT_TRUE(pairIs(res[1], gte_point(2, 0, 0), gte_point(4, 0, 0), 2.0, 0.0));
    EXPECT_POINT_EQ(res[1].direction, 1.0, 0.0, 0.0);
    EXPECT_TRUE(pairIs(res[2], gte_point(-2, 0, 0), gte_point(6, 0, 0), 8.0, 0.0));

    // Swapping the circles swaps the orientation of every record.
    Records swapped;
    EXPECT_EQ(gte_dist_circle_circle(kSmall, kBig, swapped.r), 3);
    EXPECT_TRUE(pairIs(swapped[1], gte_point(4, 0, 0), gte_point(2, 0, 0), 2.0, 0.0));
    EXPECT_TRUE(pairIs(swapped[2], gte_point(6, 0, 0), gte_point(-2, 0, 0), 8.0, 0.0));

    // Opposite normals still describe one plane; the pairs are the same.
    Records flipped;
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 0, 0, -1), flipped.r), 3);
    EXPECT_TRUE(pairIs(flipped[1], gte_point(2, 0, 0), gte_point(4, 0, 0), 2.0, 0.0));
    EXPECT_TRUE(pairIs(flipped[2], gte_point(-2, 0, 0), gte_point(6, 0, 0), 8.0, 0.0));

    // Overlapping circles: the nearest pair crosses over (distance 1, not a gap).
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(3, 0, 0, 2, 0, 0, 1), res.r), 3);
    EXPECT_TRUE(pairIs(res[1], gte_point(2, 0, 0), gte_point(1, 0, 0), 1.0, 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(-2, 0, 0), gte_point(5, 0, 0), 7.0, 0.0));
}

TEST(CircleCircle, OutOfPlaneCirclesGetOnlyTheCentreRecord) {
    Records res;
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 1, 0, 0), res.r), 1);
    EXPECT_TRUE(pairIs(res[0], gte_point(0, 0, 0), gte_point(5, 0, 0), 5.0, 0.0));
    EXPECT_TRUE(untouched(res[1]));
    EXPECT_TRUE(untouched(res[2]));

    // The second centre may stand up to 1e-5 off the first circle's plane.
    Records near, far;
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0.9e-5, 1, 0, 0, 1), near.r), 3);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 2e-5, 1, 0, 0, 1), far.r), 1);
    EXPECT_TRUE(untouched(far[1]));
    // Normals may differ by about 0.08 degrees: 1 - cos stays below 1e-6 for a tilt of 0.001.
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 0.001, 0, 1), near.r), 3);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 0.002, 0, 1), far.r), 1);
}

TEST(CircleCircle, ConcentricCirclesAreCutAlongAFixedDirection) {
    Records res;
    // Facing up: cut along x.
    EXPECT_EQ(
        gte_dist_circle_circle(circle(0, 0, 0, 2, 0, 0, 1), circle(0, 0, 0, 3, 0, 0, 1), res.r), 3);
    EXPECT_EQ(res[0].dist, 0.0);
    EXPECT_POINT_EQ(res[0].direction, 0.0, 0.0, 0.0);
    EXPECT_TRUE(pairIs(res[1], gte_point(2, 0, 0), gte_point(3, 0, 0), 1.0, 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(2, 0, 0), gte_point(-3, 0, 0), 5.0, 0.0));

    // Facing x: z crossed with the normal gives y, so the cut runs along y.
    EXPECT_EQ(
        gte_dist_circle_circle(circle(0, 0, 0, 2, 1, 0, 0), circle(0, 0, 0, 3, 1, 0, 0), res.r), 3);
    EXPECT_TRUE(pairIs(res[1], gte_point(0, 2, 0), gte_point(0, 3, 0), 1.0, 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(0, 2, 0), gte_point(0, -3, 0), 5.0, 0.0));

    // Centres within 1e-6 count as concentric (cut along x); farther apart the centre line (y)
    // decides, and the nearest pair lies on the side the second centre moved away from.
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(0, 5e-7, 0, 3, 0, 0, 1), res.r), 3);
    EXPECT_NEAR(std::fabs(res[1].point1.x), 2.0, 1e-12);
    EXPECT_EQ(res[1].point1.y, 0.0);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(0, 2e-6, 0, 3, 0, 0, 1), res.r), 3);
    EXPECT_TRUE(pairIs(res[1], gte_point(0, -2, 0), gte_point(0, -3 + 2e-6, 0), 1 - 2e-6, 1e-12));
}

TEST(CircleCircle, XYFormLiftsTheSecondCentreToTheFirstHeight) {
    Records direct, seen;
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 7, 1, 0, 0, 1), direct.r), 1);
    EXPECT_EQ(gte_distXY_circle_circle(kBig, circle(5, 0, 7, 1, 0, 0, 1), seen.r), 3);
    EXPECT_EQ(gte_dist_circle_circle(kBig, kSmall, direct.r), 3);
    EXPECT_TRUE(seen.sameBytes(direct));
    EXPECT_POINT_EQ(seen[0].point2, 5.0, 0.0, 0.0);

    // The height taken is circle1's, not zero.
    EXPECT_EQ(
        gte_distXY_circle_circle(circle(0, 0, 2, 2, 0, 0, 1), circle(5, 0, -4, 1, 0, 0, 1), seen.r),
        3);
    EXPECT_POINT_EQ(seen[0].point2, 5.0, 0.0, 2.0);
    EXPECT_TRUE(pairIs(seen[1], gte_point(2, 0, 2), gte_point(4, 0, 2), 2.0, 0.0));

    // The normal is kept: a standing circle stays out of the plane.
    Records standing;
    EXPECT_EQ(gte_distXY_circle_circle(kBig, circle(5, 0, 7, 1, 1, 0, 0), standing.r), 1);
    EXPECT_TRUE(untouched(standing[1]));
}

TEST(Circle3D, PairsAcrossThePlaneOfTheCentresAndTheMeanNormal) {
    Records res;
    EXPECT_EQ(gte_dist3D_circle_circle(kBig, kSmall, res.r), 3);
    EXPECT_TRUE(pairIs(res[0], gte_point(0, 0, 0), gte_point(5, 0, 0), 5.0, 0.0));
    EXPECT_TRUE(pairIs(res[1], gte_point(2, 0, 0), gte_point(4, 0, 0), 2.0, 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(-2, 0, 0), gte_point(6, 0, 0), 8.0, 0.0));

    // Opposite normals are averaged with agreeing senses, not cancelled.
    Records flipped;
    EXPECT_EQ(gte_dist3D_circle_circle(kBig, circle(5, 0, 0, 1, 0, 0, -1), flipped.r), 3);
    EXPECT_TRUE(pairIs(flipped[1], gte_point(2, 0, 0), gte_point(4, 0, 0), 2.0, 0.0));
    EXPECT_TRUE(pairIs(flipped[2], gte_point(-2, 0, 0), gte_point(6, 0, 0), 8.0, 0.0));

    // One circle inside the other: the search's own nearest pair stays.
    EXPECT_EQ(
        gte_dist3D_circle_circle(circle(0, 0, 0, 10, 0, 0, 1), circle(2, 0, 0, 3, 0, 0, 1), res.r),
        3);
    EXPECT_TRUE(pairIs(res[1], gte_point(10, 0, 0), gte_point(5, 0, 0), 5.0, 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(-10, 0, 0), gte_point(5, 0, 0), 15.0, 0.0));
}

TEST(Circle3D, NearestRecordIsThePairOppositeTheFarthest) {
    // Equal radii, centres one apart, the second circle tilted 45 degrees about y. Both are cut
    // by y = 0: circle1 at (+-5, 0, 0), circle2 at (1, 0, 0) +- 5 (1, 0, -1) / sqrt(2). The
    // closest of the four pairs is (5,0,0)-(1+h,0,-h), but the record reports the pair opposite
    // the farthest one, (5,0,0)-(1-h,0,h).
    double const h = 5.0 / std::sqrt(2.0);
    Records res;
    EXPECT_EQ(
        gte_dist3D_circle_circle(circle(0, 0, 0, 5, 0, 0, 1), circle(1, 0, 0, 5, 1, 0, 1), res.r),
        3);
    EXPECT_TRUE(pairIs(res[2], gte_point(-5, 0, 0), gte_point(1 + h, 0, -h),
                       std::sqrt((6 + h) * (6 + h) + h * h), 1e-12));
    EXPECT_TRUE(pairIs(res[1], gte_point(5, 0, 0), gte_point(1 - h, 0, h),
                       std::sqrt((4 + h) * (4 + h) + h * h), 1e-12));
}

TEST(Circle3D, CirclesWithoutAMeasuringPlaneGetOnlyTheCentreRecord) {
    // Concentric: the centres give the plane no normal.
    Records res;
    EXPECT_EQ(
        gte_dist3D_circle_circle(circle(1, 2, 3, 2, 0, 0, 1), circle(1, 2, 3, 3, 0, 1, 1), res.r),
        1);
    EXPECT_TRUE(pairIs(res[0], gte_point(1, 2, 3), gte_point(1, 2, 3), 0.0, 0.0));
    EXPECT_TRUE(untouched(res[1]));
    EXPECT_TRUE(untouched(res[2]));

    // Stacked on a common axis: the centre line is the mean normal.
    Records stacked;
    EXPECT_EQ(gte_dist3D_circle_circle(kBig, circle(0, 0, 5, 1, 0, 0, 1), stacked.r), 1);
    EXPECT_EQ(stacked[0].dist, 5.0);
    EXPECT_TRUE(untouched(stacked[1]));
    EXPECT_TRUE(untouched(stacked[2]));

    // Radii whose squares overflow cut in points that compare as NaN: no pair is ever taken,
    // and the opposite-pair replacement must not run on unset indices.
    Records huge;
    EXPECT_EQ(gte_dist3D_circle_circle(circle(0, 0, 0, 1e200, 0, 0, 1),
                                       circle(1, 0, 0, 1e200, 0, 0, 1), huge.r),
              3);
    EXPECT_EQ(huge[0].dist, 1.0);
    EXPECT_TRUE(untouched(huge[1]));
    EXPECT_TRUE(untouched(huge[2]));
}

TEST(LineCircle, DiameterTowardsTheLineGivesNearestThenFarthest) {
    Records res;
    EXPECT_EQ(gte_dist_line_circle(kAbove, kFlat, res.r), 3);
    EXPECT_TRUE(pairIs(res[0], gte_point(0, 0, 0), gte_point(0, 5, 3), std::sqrt(34.0), 0.0));
    EXPECT_TRUE(pairIs(res[1], gte_point(0, 2, 0), gte_point(0, 5, 3), std::sqrt(18.0), 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(0, -2, 0), gte_point(0, 5, 3), std::sqrt(58.0), 0.0));
    EXPECT_EQ(res[1].dyz, std::sqrt(18.0));
    EXPECT_EQ(res[1].dx, 0.0);

    // On the other side the key line runs the other way; the nearer point still comes first,
    // and the line's own sense changes nothing.
    EXPECT_EQ(gte_dist_line_circle(line(0, -5, 3, -1, 0, 0), kFlat, res.r), 3);
    EXPECT_TRUE(pairIs(res[1], gte_point(0, -2, 0), gte_point(0, -5, 3), std::sqrt(18.0), 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(0, 2, 0), gte_point(0, -5, 3), std::sqrt(58.0), 0.0));

    // A tilted line (z = x + 4): the ends of the diameter towards the centre's foot are
    // reported, each with its own foot.
    double const s = std::sqrt(2.0);
    EXPECT_EQ(gte_dist_line_circle(line(1, 0, 5, 1, 0, 1), kFlat, res.r), 3);
    EXPECT_TRUE(pairIs(res[0], gte_point(0, 0, 0), gte_point(-2, 0, 2), 2 * s, 1e-12));
    EXPECT_TRUE(pairIs(res[1], gte_point(-2, 0, 0), gte_point(-3, 0, 1), s, 1e-12));
    EXPECT_TRUE(pairIs(res[2], gte_point(2, 0, 0), gte_point(-1, 0, 3), 3 * s, 1e-12));

    // Regression: a circle of radius 0 is cut in one point only. The unused second slot held
    // the coordinate origin, which lies nearer to this line and was reported as the nearest
    // circle point. The one point is now both the nearest and the farthest.
    EXPECT_EQ(gte_dist_line_circle(line(0, 0, 1, 0, 1, 0), circle(3, 0, 0, 0, 0, 0, 1), res.r), 3);
    EXPECT_TRUE(pairIs(res[1], gte_point(3, 0, 0), gte_point(0, 0, 1), std::sqrt(10.0), 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(3, 0, 0), gte_point(0, 0, 1), std::sqrt(10.0), 0.0));
}

TEST(LineCircle, LineMeetingTheAxisAtItsFootGetsOnlyTheCentreRecord) {
    Records res;
    // Through the centre, in the circle's plane.
    EXPECT_EQ(gte_dist_line_circle(line(-5, 0, 0, 1, 0, 0), kFlat, res.r), 1);
    EXPECT_TRUE(pairIs(res[0], gte_point(0, 0, 0), gte_point(0, 0, 0), 0.0, 0.0));
    EXPECT_TRUE(untouched(res[1]));
    EXPECT_TRUE(untouched(res[2]));

    // Passing straight over the centre.
    Records over;
    EXPECT_EQ(gte_dist_line_circle(line(0, 0, 4, 1, 1, 0), kFlat, over.r), 1);
    EXPECT_TRUE(pairIs(over[0], gte_point(0, 0, 0), gte_point(0, 0, 4), 4.0, 0.0));
    EXPECT_TRUE(untouched(over[1]));
    EXPECT_TRUE(untouched(over[2]));

    // Through the centre and tilted out of the plane.
    Records tilted;
    EXPECT_EQ(gte_dist_line_circle(line(0, 0, 0, 1, 0, 0.2), kFlat, tilted.r), 1);
    EXPECT_EQ(tilted[0].dist, 0.0);
    EXPECT_TRUE(untouched(tilted[1]));
}

TEST(LineCircle, AxisParallelLineMeasuresTheDiameterThroughItsCrossing) {
    Records res;
    EXPECT_EQ(gte_dist_line_circle(line(3, 0, 5, 0, 0, 1), kFlat, res.r), 3);
    EXPECT_TRUE(pairIs(res[0], gte_point(0, 0, 0), gte_point(3, 0, 0), 3.0, 0.0));
    EXPECT_TRUE(pairIs(res[1], gte_point(2, 0, 0), gte_point(3, 0, 0), 1.0, 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(-2, 0, 0), gte_point(3, 0, 0), 5.0, 0.0));

    // Crossing inside the circle, pointing down: the nearer end is still first.
    EXPECT_EQ(gte_dist_line_circle(line(0, -1, 5, 0, 0, -3), kFlat, res.r), 3);
    EXPECT_TRUE(pairIs(res[1], gte_point(0, -2, 0), gte_point(0, -1, 0), 1.0, 0.0));
    EXPECT_TRUE(pairIs(res[2], gte_point(0, 2, 0), gte_point(0, -1, 0), 3.0, 0.0));

    // Tilted within tolerance: the diameter runs through the crossing (3, -0.005, 0), and each
    // end is measured to the tilted line (direction d, through (3, 0, 5)).
    double const len = std::sqrt(9.0 + 0.005 * 0.005);
    gte_point const end(2 * 3 / len, 2 * -0.005 / len, 0);
    double const dn = std::sqrt(1.0 + 1e-6);
    auto const toLine = [&](gte_point p) {
        double const wx = p.x - 3, wy = p.y, wz = p.z - 5;
        double const cx = wy * 1.0 - wz * 0.001, cy = -wx * 1.0, cz = wx * 0.001;
        return std::sqrt(cx * cx + cy * cy + cz * cz) / dn;
    };
    EXPECT_EQ(gte_dist_line_circle(line(3, 0, 5, 0, 0.001, 1), kFlat, res.r), 3);
    EXPECT_POINT_NEAR(res[1].point1, end.x, end.y, 0.0, 1e-12);
    EXPECT_POINT_NEAR(res[2].point1, -end.x, -end.y, 0.0, 1e-12);
    EXPECT_NEAR(res[1].dist, toLine(end), 1e-12);
    EXPECT_NEAR(res[2].dist, toLine(gte_point(-end.x, -end.y, 0)), 1e-12);

    // Along the axis itself: every diameter is alike, only the centre record is written.
    Records axis;
    EXPECT_EQ(gte_dist_line_circle(line(0, 0, 7, 0, 0, -1), kFlat, axis.r), 1);
    EXPECT_TRUE(pairIs(axis[0], gte_point(0, 0, 0), gte_point(0, 0, 0), 0.0, 0.0));
    EXPECT_TRUE(untouched(axis[1]));
    EXPECT_TRUE(untouched(axis[2]));
}

TEST(LineCircle, SegmentIsMeasuredAsItsLine) {
    Records asLine, seg;
    EXPECT_EQ(gte_dist_line_circle(kAbove, kFlat, asLine.r), 3);
    EXPECT_EQ(gte_dist_lseg_circle(gte_lseg(gte_point(-1, 5, 3), gte_point(1, 5, 3)), kFlat, seg.r),
              3);
    EXPECT_TRUE(seg.sameBytes(asLine));

    // The feet may lie beyond the segment's ends.
    EXPECT_EQ(gte_dist_lseg_circle(gte_lseg(gte_point(7, 5, 3), gte_point(9, 5, 3)), kFlat, seg.r),
              3);
    EXPECT_TRUE(seg.sameBytes(asLine));

    // A zero-length segment runs along z: here that is the circle's axis direction.
    Records axis, dot;
    EXPECT_EQ(gte_dist_line_circle(line(3, 0, 5, 0, 0, 1), kFlat, axis.r), 3);
    EXPECT_EQ(gte_dist_lseg_circle(gte_lseg(gte_point(3, 0, 5), gte_point(3, 0, 5)), kFlat, dot.r),
              3);
    EXPECT_TRUE(dot.sameBytes(axis));
}

TEST(ArcForms, ForwardToTheirCircleTwinsByteForByte) {
    gte_circle const standing = circle(5, 0, 0, 1, 1, 0, 0);
    for (gte_circle const& second : {kSmall, standing}) {
        Records a, b;
        EXPECT_EQ(gte_dist_arc_circle(kBig, second, a.r),
                  gte_dist_circle_circle(kBig, second, b.r));
        EXPECT_TRUE(a.sameBytes(b));
        Records c, d;
        EXPECT_EQ(gte_dist_arc_arc(kBig, second, c.r), gte_dist_circle_circle(kBig, second, d.r));
        EXPECT_TRUE(c.sameBytes(d));
    }
    gte_lseg const seg(gte_point(-1, 5, 3), gte_point(1, 5, 3));
    for (gte_line const& each : {kAbove, line(1, 0, 5, 1, 0, 1), line(-5, 0, 0, 1, 0, 0)}) {
        Records a, b;
        EXPECT_EQ(gte_dist_line_arc(each, kFlat, a.r), gte_dist_line_circle(each, kFlat, b.r));
        EXPECT_TRUE(a.sameBytes(b));
    }
    Records a, b;
    EXPECT_EQ(gte_dist_lseg_arc(seg, kFlat, a.r), gte_dist_lseg_circle(seg, kFlat, b.r));
    EXPECT_TRUE(a.sameBytes(b));
}

TEST(NullResult, NothingWrittenAndTheSameCountReturned) {
    EXPECT_EQ(gte_dist_circle_circle(kBig, kSmall, nullptr), 3);
    EXPECT_EQ(gte_dist_circle_circle(kBig, circle(5, 0, 0, 1, 1, 0, 0), nullptr), 1);
    EXPECT_EQ(
        gte_dist3D_circle_circle(circle(0, 0, 0, 5, 0, 0, 1), circle(1, 0, 0, 5, 1, 0, 1), nullptr),
        3);
    EXPECT_EQ(gte_dist3D_circle_circle(kBig, kBig, nullptr), 1);
    EXPECT_EQ(gte_distXY_circle_circle(kBig, circle(5, 0, 7, 1, 0, 0, 1), nullptr), 3);
    EXPECT_EQ(gte_dist_arc_arc(kBig, kSmall, nullptr), 3);
    EXPECT_EQ(gte_dist_line_circle(kAbove, kFlat, nullptr), 3);
    EXPECT_EQ(gte_dist_line_circle(line(-5, 0, 0, 1, 0, 0), kFlat, nullptr), 1);
    EXPECT_EQ(gte_dist_line_circle(line(3, 0, 5, 0, 0, 1), kFlat, nullptr), 3);
    EXPECT_EQ(gte_dist_line_circle(line(0, 0, 7, 0, 0, 1), kFlat, nullptr), 1);
    EXPECT_EQ(gte_dist_lseg_arc(gte_lseg(gte_point(-1, 5, 3), gte_point(1, 5, 3)), kFlat, nullptr),
              3);
}
