// Intersection queries of the geometry core: the fields the exported functions do not show.
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
}  // namespace

TEST(LinePlaneQuery, ParameterFromTheOriginOrTheSegmentCentre) {
    IntersectionQuery<gte::Line3, gte::Plane3> lineFun;
    auto behind = lineFun(gte::Line3(Vector3(1, 2, 5), Vector3(0, 0, 1)), planeZ(0));
    EXPECT_TRUE(behind.intersects);
    EXPECT_EQ(behind.parameter, -5.0);
    IntersectionQuery<gte::Segment3, gte::Plane3> segFun;
    EXPECT_EQ(segFun(gte::Segment3(Vector3(0, 0, 2), Vector3(0, 0, 6)), planeZ(3)).parameter, -1.0);
}

TEST(PlanePlaneQuery, ObliqueLineAndCoincidentPlanes) {
    IntersectionQuery<gte::Plane3, gte::Plane3> interFun;
    // Dot 0.8: z = 1 and 0.6x + 0.8z = 2 cross through (2,0,1), the line's point nearest O.
    auto oblique = interFun(planeZ(1), gte::Plane3(Vector3(0.6, 0, 0.8), 2.0));
    EXPECT_TRUE(oblique.lineFound);
    EXPECT_VEC3_NEAR(oblique.line.origin, 2.0, 0.0, 1.0, 1e-12);
    EXPECT_VEC3_NEAR(oblique.line.direction, 0.0, 1.0, 0.0, 1e-15);
    // Coincident, written with opposite normals: no line.
    gte::Plane3 const down(Vector3(0, 0, -1), -1.0);
    auto same = interFun(down, planeZ(1));
    EXPECT_TRUE(same.intersects);
    EXPECT_FALSE(same.lineFound);
}

TEST(PlaneCircleQuery, PointsAlongTheCrossingLineOrTheCircleLyingIn) {
    IntersectionQuery<gte::Plane3, gte::Circle3> interFun;
    // The crossing line runs along (0,1,0); the centre sits along it, off its nearest point.
    auto two = interFun(planeZ(0), gte::Circle3({0, 3, 1}, {1, 0, 0}, 2.0));
    EXPECT_TRUE(two.pointsFound);
    EXPECT_EQ(two.count, 2);
    EXPECT_VEC3_NEAR(two.points[0], 0.0, 3.0 - std::sqrt(3.0), 0.0, 1e-15);
    EXPECT_VEC3_NEAR(two.points[1], 0.0, 3.0 + std::sqrt(3.0), 0.0, 1e-15);
    auto lying = interFun(planeZ(0), gte::Circle3({1, 2, 0}, {0, 0, -1}, 3.0));
    EXPECT_TRUE(lying.intersects);
    EXPECT_FALSE(lying.pointsFound);
}

TEST(Line2Query, CrossingParallelAndCoincidentLines) {
    IntersectionQuery<gte::Line2, gte::Line2> interFun;
    auto scaled = interFun(gte::Line2({0, 0}, {2, 0}), gte::Line2({3, -1}, {0, -5}));
    EXPECT_EQ(scaled.count, 1);
    EXPECT_EQ(scaled.point, Vector2(3, 0));
    auto same = interFun(gte::Line2(), gte::Line2({-7, 0}, {-3, 0}));
    EXPECT_EQ(same.count, gte::kInfiniteCount);
    // The same origin in the opposite sense; a zero direction, parallel to everything, as the
    // first line off the second.
    EXPECT_EQ(interFun(gte::Line2(), gte::Line2({0, 0}, {-2, 0})).count, gte::kInfiniteCount);
    EXPECT_EQ(interFun(gte::Line2({3, 9}, {0, 0}), gte::Line2()).count, 0);
}
