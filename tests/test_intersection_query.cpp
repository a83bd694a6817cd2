// Intersection queries of the geometry core.
#include <cmath>
#include <limits>

#include "gte/intersection.h"
#include "test_util.h"

using gte::IntersectionQuery;
using gte::Vector2;
using gte::Vector3;

namespace {
gte::Plane3 planeZ(double z) {
    return gte::Plane3(Vector3(0, 0, 1), z);
}
gte::Circle3 circle(Vector3 const& center, Vector3 const& normal, double radius) {
    return gte::Circle3(center, normal, radius);
}
constexpr double kMaxd = std::numeric_limits<double>::max();
}  // namespace

TEST(LinePlaneQuery, LineHitsMissesOrLiesIn) {
    IntersectionQuery<gte::Line3, gte::Plane3> interFun;
    // A whole line has no back side: the plane behind the origin is met at a negative parameter.
    auto behind = interFun(gte::Line3(Vector3(1, 2, 5), Vector3(0, 0, 1)), planeZ(0));
    EXPECT_TRUE(behind.intersects);
    EXPECT_EQ(behind.count, 1);
    EXPECT_EQ(behind.parameter, -5.0);
    EXPECT_VEC3_EQ(behind.point, 1.0, 2.0, 0.0);

    auto oblique = interFun(gte::Line3(Vector3(0, 0, 10), Vector3(0.6, 0, -0.8)), planeZ(2));
    EXPECT_NEAR(oblique.parameter, 10.0, 1e-12);
    EXPECT_VEC3_NEAR(oblique.point, 6.0, 0.0, 2.0, 1e-12);

    auto inPlane = interFun(gte::Line3(Vector3(3, -1, 0), Vector3(1, 0, 0)), planeZ(0));
    EXPECT_TRUE(inPlane.intersects);
    EXPECT_EQ(inPlane.count, gte::kInfiniteCount);
    EXPECT_EQ(inPlane.parameter, 0.0);
    EXPECT_VEC3_EQ(inPlane.point, 3.0, -1.0, 0.0);

    auto parallel = interFun(gte::Line3(Vector3(0, 0, 1), Vector3(1, 0, 0)), planeZ(0));
    EXPECT_FALSE(parallel.intersects);
    EXPECT_EQ(parallel.count, 0);

    // A zero direction is a point: in the plane or off it.
    gte::Line3 const still(Vector3(4, 4, 0), Vector3(0, 0, 0));
    EXPECT_EQ(interFun(still, planeZ(0)).count, gte::kInfiniteCount);
    EXPECT_EQ(interFun(still, planeZ(1e-300)).count, 0);
}

TEST(LinePlaneQuery, RayFromItsOriginSegmentBetweenItsEnds) {
    IntersectionQuery<gte::Ray3, gte::Plane3> rayFun;
    auto away = rayFun(gte::Ray3(Vector3(0, 0, 5), Vector3(0, 0, 1)), planeZ(0));
    EXPECT_FALSE(away.intersects);
    EXPECT_EQ(away.count, 0);
    auto toward = rayFun(gte::Ray3(Vector3(0, 0, 5), Vector3(0, 0, -1)), planeZ(0));
    EXPECT_EQ(toward.count, 1);
    EXPECT_VEC3_EQ(toward.point, 0.0, 0.0, 0.0);
    // Starting on the plane and leaving it: parameter exactly 0 is a hit at the origin.
    auto start = rayFun(gte::Ray3(Vector3(2, 3, 0), Vector3(0, 0, 1)), planeZ(0));
    EXPECT_TRUE(start.intersects);
    EXPECT_EQ(start.count, 1);
    EXPECT_VEC3_EQ(start.point, 2.0, 3.0, 0.0);
    EXPECT_EQ(rayFun(gte::Ray3(Vector3(2, 3, 0), Vector3(0, -1, 0)), planeZ(0)).count,
              gte::kInfiniteCount);

    IntersectionQuery<gte::Segment3, gte::Plane3> segFun;
    gte::Segment3 const upright(Vector3(0, 0, -1), Vector3(0, 0, 1));
    auto top = segFun(upright, planeZ(1));  // |parameter| equals the extent
    EXPECT_EQ(top.count, 1);
    EXPECT_EQ(top.parameter, 1.0);
    EXPECT_VEC3_EQ(top.point, 0.0, 0.0, 1.0);
    EXPECT_VEC3_EQ(segFun(upright, planeZ(-1)).point, 0.0, 0.0, -1.0);
    auto beyond = segFun(upright, planeZ(1.5));
    EXPECT_FALSE(beyond.intersects);
    EXPECT_EQ(beyond.count, 0);
    EXPECT_EQ(segFun(upright, planeZ(-1.5)).count, 0);
    // Measured from the centre (0,0,4), not from the first end.
    auto offCentre = segFun(gte::Segment3(Vector3(0, 0, 2), Vector3(0, 0, 6)), planeZ(3));
    EXPECT_EQ(offCentre.parameter, -1.0);
    EXPECT_VEC3_EQ(offCentre.point, 0.0, 0.0, 3.0);
    auto flat = segFun(gte::Segment3(Vector3(0, 2, 0), Vector3(4, 2, 0)), planeZ(0));
    EXPECT_EQ(flat.count, gte::kInfiniteCount);
    EXPECT_VEC3_EQ(flat.point, 2.0, 2.0, 0.0);
}

TEST(PlanePlaneQuery, CrossingLineIsNearestTheOrigin) {
    IntersectionQuery<gte::Plane3, gte::Plane3> interFun;
    gte::Plane3 const x3(Vector3(1, 0, 0), 3.0);
    auto shifted = interFun(planeZ(2), x3);
    EXPECT_TRUE(shifted.intersects);
    EXPECT_TRUE(shifted.lineFound);
    EXPECT_VEC3_EQ(shifted.line.origin, 3.0, 0.0, 2.0);
    EXPECT_VEC3_EQ(shifted.line.direction, 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(interFun(x3, planeZ(2)).line.direction, 0.0, -1.0, 0.0);

    // Oblique (dot 0.8): z = 1 and 0.6x + 0.8z = 2 cross through (2,0,1).
    auto oblique = interFun(planeZ(1), gte::Plane3(Vector3(0.6, 0, 0.8), 2.0));
    EXPECT_VEC3_NEAR(oblique.line.origin, 2.0, 0.0, 1.0, 1e-12);
    EXPECT_VEC3_NEAR(oblique.line.direction, 0.0, 1.0, 0.0, 1e-15);
}

TEST(PlanePlaneQuery, ParallelPlanesCoincideOrMiss) {
    IntersectionQuery<gte::Plane3, gte::Plane3> interFun;
    gte::Plane3 const down(Vector3(0, 0, -1), -1.0);  // z = 1 written as -z = -1
    auto same = interFun(planeZ(1), down);
    EXPECT_TRUE(same.intersects);
    EXPECT_FALSE(same.lineFound);
    EXPECT_VEC3_EQ(same.plane.normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(same.plane.constant, 1.0);
    EXPECT_EQ(interFun(down, planeZ(1)).plane.constant, -1.0);  // always the first plane
    EXPECT_FALSE(interFun(planeZ(1), planeZ(1)).lineFound);

    // -z = 1 is z = -1: apart, though the constants are equal.
    EXPECT_FALSE(interFun(planeZ(1), gte::Plane3(Vector3(0, 0, -1), 1.0)).intersects);
    EXPECT_FALSE(interFun(planeZ(0), planeZ(2)).intersects);
}

TEST(PlaneCircleQuery, PointsOrderedAlongTheCrossingLine) {
    IntersectionQuery<gte::Plane3, gte::Circle3> interFun;
    // The crossing line runs along normalizedCross(plane normal, circle normal) = (0,1,0).
    auto upright = interFun(planeZ(0), circle({0, 0, 0}, {1, 0, 0}, 2.0));
    EXPECT_TRUE(upright.intersects);
    EXPECT_TRUE(upright.pointsFound);
    EXPECT_EQ(upright.count, 2);
    EXPECT_VEC3_EQ(upright.points[0], 0.0, -2.0, 0.0);
    EXPECT_VEC3_EQ(upright.points[1], 0.0, 2.0, 0.0);
    auto turned = interFun(planeZ(0), circle({0, 0, 0}, {-1, 0, 0}, 2.0));
    EXPECT_VEC3_EQ(turned.points[0], 0.0, 2.0, 0.0);
    EXPECT_VEC3_EQ(turned.points[1], 0.0, -2.0, 0.0);

    // Chord at height 3 of a radius-5 circle.
    auto offset = interFun(planeZ(0), circle({1, 0, 3}, {1, 0, 0}, 5.0));
    EXPECT_VEC3_EQ(offset.points[0], 1.0, -4.0, 0.0);
    EXPECT_VEC3_EQ(offset.points[1], 1.0, 4.0, 0.0);
    // Centre displaced along the crossing line (non-zero linear term).
    auto shifted = interFun(planeZ(0), circle({0, 3, 1}, {1, 0, 0}, 2.0));
    EXPECT_VEC3_NEAR(shifted.points[0], 0.0, 3.0 - std::sqrt(3.0), 0.0, 1e-15);
    EXPECT_VEC3_NEAR(shifted.points[1], 0.0, 3.0 + std::sqrt(3.0), 0.0, 1e-15);
    // Tilted circle: the crossing line runs along (-1,0,0).
    auto tilted = interFun(planeZ(0), circle({0, 0, 0}, {0, 0.6, 0.8}, 5.0));
    EXPECT_VEC3_NEAR(tilted.points[0], 5.0, 0.0, 0.0, 1e-14);
    EXPECT_VEC3_NEAR(tilted.points[1], -5.0, 0.0, 0.0, 1e-14);
}

TEST(PlaneCircleQuery, TangencyLyingInAndParallel) {
    IntersectionQuery<gte::Plane3, gte::Circle3> interFun;
    auto touching = interFun(planeZ(0), circle({0, 0, 2}, {1, 0, 0}, 2.0));  // discr exactly 0
    EXPECT_TRUE(touching.pointsFound);
    EXPECT_EQ(touching.count, 1);
    EXPECT_VEC3_EQ(touching.points[0], 0.0, 0.0, 0.0);
    EXPECT_FALSE(interFun(planeZ(0), circle({0, 0, 2.000000000001}, {1, 0, 0}, 2.0)).intersects);

    auto lying = interFun(planeZ(0), circle({1, 2, 0}, {0, 0, -1}, 3.0));
    EXPECT_TRUE(lying.intersects);
    EXPECT_FALSE(lying.pointsFound);
    EXPECT_VEC3_EQ(lying.circle.center, 1.0, 2.0, 0.0);
    EXPECT_VEC3_EQ(lying.circle.normal, 0.0, 0.0, -1.0);
    EXPECT_EQ(lying.circle.radius, 3.0);
    // Parallel at exactly its radius: no point.
    EXPECT_FALSE(interFun(planeZ(0), circle({0, 0, 2}, {0, 0, 1}, 2.0)).intersects);
}

TEST(Line2Query, CrossingWithUnitAndNonUnitDirections) {
    IntersectionQuery<gte::Line2, gte::Line2> interFun;
    auto unit = interFun(gte::Line2({0, 0}, {1, 0}), gte::Line2({1, 1}, {0, 1}));
    EXPECT_TRUE(unit.intersects);
    EXPECT_EQ(unit.count, 1);
    EXPECT_EQ(unit.point, Vector2(1, 0));
    EXPECT_EQ(unit.parameter0[0], 1.0);
    EXPECT_EQ(unit.parameter1[0], -1.0);

    // Parameters count in units of each (unnormalised) direction.
    auto scaled = interFun(gte::Line2({0, 0}, {2, 0}), gte::Line2({3, -1}, {0, 5}));
    EXPECT_EQ(scaled.point, Vector2(3, 0));
    EXPECT_EQ(scaled.parameter0[0], 1.5);
    EXPECT_EQ(scaled.parameter1[0], 0.2);
    auto oblique = interFun(gte::Line2({-1, -1}, {3, 3}), gte::Line2({0, 4}, {-0.5, 0.5}));
    EXPECT_EQ(oblique.point, Vector2(2, 2));
    EXPECT_EQ(oblique.parameter1[0], -4.0);
}

TEST(Line2Query, ParallelLinesCoincideOrMiss) {
    IntersectionQuery<gte::Line2, gte::Line2> interFun;
    gte::Line2 const xAxis;  // origin (0,0), direction (1,0)
    auto apart = interFun(xAxis, gte::Line2({0, 1}, {1, 0}));
    EXPECT_FALSE(apart.intersects);
    EXPECT_EQ(apart.count, 0);
    for (auto const& other : {gte::Line2({5, 0}, {2, 0}), gte::Line2({-7, 0}, {-3, 0}), xAxis}) {
        auto same = interFun(xAxis, other);
        EXPECT_TRUE(same.intersects);
        EXPECT_EQ(same.count, gte::kInfiniteCount);
        EXPECT_EQ(same.parameter0[0], -kMaxd);
        EXPECT_EQ(same.parameter0[1], kMaxd);
        EXPECT_EQ(same.parameter1[0], -kMaxd);
        EXPECT_EQ(same.parameter1[1], kMaxd);
    }
    // A zero direction is parallel to everything; as the second line it lies on every line.
    gte::Line2 const still({3, 9}, {0, 0});
    EXPECT_EQ(interFun(xAxis, still).count, gte::kInfiniteCount);
    EXPECT_EQ(interFun(still, xAxis).count, 0);
    EXPECT_EQ(interFun(still, gte::Line2({3, 0}, {0, 1})).count, gte::kInfiniteCount);
}
