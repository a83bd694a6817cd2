// Angles with their drawing: the vertex and the two arm directions.
#include <cmath>

#include "gte/vector.h"
#include "tavrisk.h"
#include "test_util.h"

using gte::Vector3;

namespace {

double const kHalfRoot2 = std::sqrt(0.5);

gte_plane const kPlaneZ0(gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0));
// The same plane with the opposite orientation: normal (0,0,-1).
gte_plane const kPlaneZ0Down(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, 0));
// x = 0 with normal (1,0,0).
gte_plane const kPlaneX0(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(0, 0, 1));

Vector3 vec(gte_vector const& v) {
    return Vector3(v.x, v.y, v.z);
}
Vector3 vec(gte_point const& p) {
    return Vector3(p.x, p.y, p.z);
}
double degreesBetween(Vector3 const& a, Vector3 const& b) {
    return std::acos(gte::Dot(a, b) / (gte::Length(a) * gte::Length(b))) * 57.29577951308232;
}

}  // namespace

TEST(AngleDraw, SegmentsVertexLiesOnTheSecondLine) {
    gte_lseg const bottom(gte_point(0, 0, 0), gte_point(2, 0, 0));
    gte_lseg const top(gte_point(1, -1, 5), gte_point(1, 1, 5));
    auto out = poisoned<gte_angle_result>();
    EXPECT_EQ(gte_angle_draw_lseg_lseg(bottom, top, &out), 90.0);
    EXPECT_EQ(out.angle, 90.0);
    EXPECT_POINT_EQ(out.centerPoint, 1.0, 0.0, 5.0);
    EXPECT_POINT_EQ(out.direction1, -1.0, 0.0, 0.0);  // from pt2 towards pt1
    EXPECT_POINT_EQ(out.direction2, 0.0, -1.0, 0.0);

    // Swapped: the vertex moves to the other line and the arms swap with the segments.
    EXPECT_EQ(gte_angle_draw_lseg_lseg(top, bottom, &out), 90.0);
    EXPECT_POINT_EQ(out.centerPoint, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, -1.0, 0.0, 0.0);

    // Seen from above both lines lie in z = 0 and cross there.
    out = poisoned<gte_angle_result>();
    EXPECT_EQ(gte_angleXY_draw_lseg_lseg(bottom, top, &out), 90.0);
    EXPECT_EQ(out.angle, 90.0);
    EXPECT_POINT_EQ(out.centerPoint, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, -1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, -1.0, 0.0);

    // Lines through (1,2,3) along (1,0,2) and (1,3,-1): the vertex is where they meet.
    gte_lseg const s1(gte_point(2, 2, 5), gte_point(-1, 2, -1));
    gte_lseg const s2(gte_point(2, 5, 2), gte_point(-1, -4, 5));
    double const a = gte_angle_draw_lseg_lseg(s1, s2, &out);
    EXPECT_EQ(a, out.angle);
    EXPECT_EQ(a, gte_angle_lseg_lseg(s1, s2));
    EXPECT_NEAR(a, degreesBetween(Vector3(1, 0, 2), Vector3(1, 3, -1)), 1e-12);
    EXPECT_POINT_NEAR(out.centerPoint, 1.0, 2.0, 3.0, 1e-14);
    double const n1 = std::sqrt(5.0), n2 = std::sqrt(11.0);
    EXPECT_POINT_NEAR(out.direction1, 1 / n1, 0.0, 2 / n1, 1e-15);
    EXPECT_POINT_NEAR(out.direction2, 1 / n2, 3 / n2, -1 / n2, 1e-15);
    EXPECT_EQ(gte_angle_draw_lseg_lseg(s1, s2, nullptr), a);
}

TEST(AngleDraw, ExactlyParallelSegmentsTakeTheSecondStartAsVertex) {
    gte_lseg const base(gte_point(0, 0, 0), gte_point(2, 0, 0));
    gte_angle_result out;
    EXPECT_EQ(
        gte_angle_draw_lseg_lseg(base, gte_lseg(gte_point(5, 3, 1), gte_point(7, 3, 1)), &out),
        0.0);
    EXPECT_POINT_EQ(out.centerPoint, 5.0, 3.0, 1.0);
    EXPECT_POINT_EQ(out.direction1, -1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, -1.0, 0.0, 0.0);

    EXPECT_EQ(
        gte_angle_draw_lseg_lseg(base, gte_lseg(gte_point(7, 3, 1), gte_point(5, 3, 1)), &out),
        180.0);
    EXPECT_POINT_EQ(out.centerPoint, 7.0, 3.0, 1.0);
    EXPECT_POINT_EQ(out.direction2, 1.0, 0.0, 0.0);

    // Parallel only from above: the second start dropped onto z = 0.
    gte_lseg const rising(gte_point(0, 0, 0), gte_point(2, 0, 9));
    gte_lseg const falling(gte_point(5, 3, 1), gte_point(7, 3, -4));
    EXPECT_EQ(gte_angleXY_draw_lseg_lseg(rising, falling, &out), 0.0);
    EXPECT_POINT_EQ(out.centerPoint, 5.0, 3.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, -1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, -1.0, 0.0, 0.0);
}

TEST(AngleDraw, XYFormDropsTheEndPointsBeforeTakingDirections) {
    // Projected: (2,0)->(0,0) against (3,3)->(1,1); the lines cross at the origin.
    gte_lseg const s1(gte_point(0, 0, -1), gte_point(2, 0, 3));
    gte_lseg const s2(gte_point(1, 1, 9), gte_point(3, 3, 1));
    auto out = poisoned<gte_angle_result>();
    double const a = gte_angleXY_draw_lseg_lseg(s1, s2, &out);
    EXPECT_EQ(a, out.angle);
    EXPECT_NEAR(a, 45.0, 1e-12);
    EXPECT_NEAR(a, gte_angleXY_lseg_lseg(s1, s2), 1e-12);
    EXPECT_POINT_NEAR(out.centerPoint, 0.0, 0.0, 0.0, 1e-15);
    EXPECT_EQ(out.centerPoint.z, 0.0);
    EXPECT_POINT_EQ(out.direction1, -1.0, 0.0, 0.0);
    EXPECT_POINT_NEAR(out.direction2, -kHalfRoot2, -kHalfRoot2, 0.0, 1e-15);
    EXPECT_EQ(out.direction2.z, 0.0);
    EXPECT_EQ(gte_angleXY_draw_lseg_lseg(s1, s2, nullptr), a);

    // The spatial form of the same pair keeps z everywhere.
    double const spatial = gte_angle_draw_lseg_lseg(s1, s2, &out);
    EXPECT_EQ(spatial, gte_angle_lseg_lseg(s1, s2));
    EXPECT_GT(std::fabs(spatial - a), 1.0);
    EXPECT_POINT_NEAR(out.direction1, -2 / std::sqrt(20.0), 0.0, -4 / std::sqrt(20.0), 1e-15);

    // A projected 3-4-5 direction is unit within z = 0, not the spatial direction flattened.
    gte_lseg const steep(gte_point(3, 4, 12), gte_point(0, 0, 0));
    EXPECT_NEAR(gte_angleXY_draw_lseg_lseg(steep, s1, &out),
                degreesBetween(Vector3(3, 4, 0), Vector3(-1, 0, 0)), 1e-12);
    EXPECT_POINT_NEAR(out.direction1, 0.6, 0.8, 0.0, 1e-15);

    // A vertical segment has no direction from above: 90 degrees, and as the second segment its
    // line degenerates to its projected start.
    gte_lseg const vertical(gte_point(1, 1, 0), gte_point(1, 1, 5));
    EXPECT_EQ(gte_angleXY_draw_lseg_lseg(s1, vertical, &out), 90.0);
    EXPECT_POINT_EQ(out.centerPoint, 1.0, 1.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, -1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, 0.0, 0.0);
    EXPECT_EQ(gte_angle_draw_lseg_lseg(s1, vertical, &out), gte_angle_lseg_lseg(s1, vertical));
    EXPECT_POINT_EQ(out.direction2, 0.0, 0.0, -1.0);
}

TEST(AngleDraw, SegmentPlaneArmsLeanTowardsTheNormal) {
    // The segment's own direction (-1,0,-1)/sqrt2 points away from the normal: it is turned.
    gte_lseg const diagonal(gte_point(0, 0, 0), gte_point(1, 0, 1));
    auto out = poisoned<gte_angle_result>();
    double const a = gte_angle_draw_lseg_plane(diagonal, kPlaneZ0, &out);
    EXPECT_EQ(a, out.angle);
    EXPECT_EQ(a, gte_angle_lseg_plane(diagonal, kPlaneZ0));
    EXPECT_NEAR(a, 45.0, 1e-12);
    EXPECT_POINT_EQ(out.centerPoint, 0.0, 0.0, 0.0);
    EXPECT_POINT_NEAR(out.direction1, kHalfRoot2, 0.0, kHalfRoot2, 1e-15);
    EXPECT_POINT_NEAR(out.direction2, 1.0, 0.0, 0.0, 1e-15);
    EXPECT_EQ(gte_angle_draw_lseg_plane(diagonal, kPlaneZ0, nullptr), a);

    // Reversed segment: already leaning towards the normal, the same drawing (the angle is now
    // folded the other way round, so only within rounding).
    gte_lseg const reversed(diagonal.pt2, diagonal.pt1);
    EXPECT_NEAR(gte_angle_draw_lseg_plane(reversed, kPlaneZ0, &out), a, 1e-13);
    EXPECT_EQ(out.angle, gte_angle_lseg_plane(reversed, kPlaneZ0));
    EXPECT_POINT_NEAR(out.centerPoint, 0.0, 0.0, 0.0, 1e-15);
    EXPECT_POINT_NEAR(out.direction1, kHalfRoot2, 0.0, kHalfRoot2, 1e-15);
    EXPECT_POINT_NEAR(out.direction2, 1.0, 0.0, 0.0, 1e-15);

    // Reversed normal: the arms follow it below the plane.
    EXPECT_NEAR(gte_angle_draw_lseg_plane(diagonal, kPlaneZ0Down, &out), a, 1e-13);
    EXPECT_POINT_NEAR(out.direction1, -kHalfRoot2, 0.0, -kHalfRoot2, 1e-15);
    EXPECT_POINT_NEAR(out.direction2, -1.0, 0.0, 0.0, 1e-15);

    // Away from the origin: the line through pt1 pierces the plane at (2,4,0).
    gte_lseg const offset(gte_point(3, 4, -1), gte_point(2, 4, 0));
    EXPECT_NEAR(gte_angle_draw_lseg_plane(offset, kPlaneZ0, &out), 45.0, 1e-12);
    EXPECT_POINT_NEAR(out.centerPoint, 2.0, 4.0, 0.0, 1e-14);
    EXPECT_POINT_NEAR(out.direction1, -kHalfRoot2, 0.0, kHalfRoot2, 1e-15);
    EXPECT_POINT_NEAR(out.direction2, -1.0, 0.0, 0.0, 1e-15);

    // A general pair: the second arm is the first one's unit shadow in the plane.
    gte_plane const tilted(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_lseg const skew(gte_point(1, 2, 3), gte_point(-2, 0.5, -1));
    double const b = gte_angle_draw_lseg_plane(skew, tilted, &out);
    EXPECT_EQ(b, gte_angle_lseg_plane(skew, tilted));
    Vector3 normal = gte::Cross(Vector3(1, 0, 0.2), Vector3(0, 1, -0.1));
    gte::Normalize(normal);
    Vector3 const arm1 = vec(out.direction1), arm2 = vec(out.direction2);
    EXPECT_GT(gte::Dot(arm1, normal), 0.0);
    EXPECT_NEAR(gte::Dot(arm2, normal), 0.0, 1e-15);
    EXPECT_NEAR(gte::Length(arm2), 1.0, 1e-15);
    EXPECT_NEAR(degreesBetween(arm1, arm2), b, 1e-12);
    EXPECT_NEAR(gte::Length(gte::Cross(arm1, vec(skew.pt1) - vec(skew.pt2))), 0.0, 1e-12);
    // The vertex is on the segment's line and in the plane.
    Vector3 const centre = vec(out.centerPoint);
    EXPECT_NEAR(gte::Dot(normal, centre - Vector3(0, 0, 1)), 0.0, 1e-14);
    EXPECT_NEAR(gte::Length(gte::Cross(arm1, centre - vec(skew.pt1))), 0.0, 1e-13);
}

TEST(AngleDraw, SegmentPlaneFallsBackToTheOriginWithoutAPiercing) {
    auto out = poisoned<gte_angle_result>();
    // Parallel above the plane.
    EXPECT_EQ(
        gte_angle_draw_lseg_plane(gte_lseg(gte_point(5, 5, 1), gte_point(6, 5, 1)), kPlaneZ0, &out),
        0.0);
    EXPECT_EQ(out.angle, 0.0);
    EXPECT_POINT_EQ(out.centerPoint, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, -1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, -1.0, 0.0, 0.0);

    // Lying in the plane: infinitely many common points are no single vertex either.
    out = poisoned<gte_angle_result>();
    EXPECT_EQ(
        gte_angle_draw_lseg_plane(gte_lseg(gte_point(5, 5, 0), gte_point(5, 7, 0)), kPlaneZ0, &out),
        0.0);
    EXPECT_POINT_EQ(out.centerPoint, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, -1.0, 0.0);

    // No length, on the plane and off it: no direction, angle 0, zero arms.
    for (double z : {0.0, 3.0}) {
        gte_point const p(3, 3, z);
        out = poisoned<gte_angle_result>();
        EXPECT_EQ(gte_angle_draw_lseg_plane(gte_lseg(p, p), kPlaneZ0, &out), 0.0);
        EXPECT_EQ(out.angle, 0.0);
        EXPECT_POINT_EQ(out.centerPoint, 0.0, 0.0, 0.0);
        EXPECT_POINT_EQ(out.direction1, 0.0, 0.0, 0.0);
        EXPECT_POINT_EQ(out.direction2, 0.0, 0.0, 0.0);
    }

    // Along the normal: pierces, but its shadow in the plane is a point.
    EXPECT_EQ(
        gte_angle_draw_lseg_plane(gte_lseg(gte_point(0, 0, 0), gte_point(0, 0, 1)), kPlaneZ0, &out),
        90.0);
    EXPECT_POINT_EQ(out.centerPoint, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, 0.0, 0.0, 1.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, 0.0, 0.0);
    EXPECT_EQ(
        gte_angle_draw_lseg_plane(gte_lseg(gte_point(4, 5, 7), gte_point(4, 5, 2)), kPlaneZ0, &out),
        90.0);
    EXPECT_POINT_EQ(out.centerPoint, 4.0, 5.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, 0.0, 0.0, 1.0);
}

TEST(AngleDraw, PlanesDrawArmsAcrossTheirCommonLine) {
    // z = 0 and x = 0 meet along the y axis; the vertex is the foot of the first pt1 on it.
    gte_plane const floor(gte_point(3, 7, 0), gte_point(4, 7, 0), gte_point(3, 8, 0));
    auto out = poisoned<gte_angle_result>();
    EXPECT_EQ(gte_angle_draw_plane_plane(floor, kPlaneX0, &out), 90.0);
    EXPECT_EQ(out.angle, 90.0);
    EXPECT_POINT_EQ(out.centerPoint, 0.0, 7.0, 0.0);
    // u = (0,0,1) x (1,0,0) = (0,1,0); arms u x n1 and u x n2.
    EXPECT_POINT_EQ(out.direction1, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, 0.0, -1.0);
    EXPECT_EQ(gte_angle_draw_plane_plane(floor, kPlaneX0, nullptr), 90.0);

    // A general pair: every property of the drawing within rounding.
    gte_plane const p1(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_plane const p2(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, -1));
    double const a = gte_angle_draw_plane_plane(p1, p2, &out);
    EXPECT_EQ(a, out.angle);
    EXPECT_EQ(a, gte_angle_plane_plane(p1, p2));
    Vector3 n1 = gte::Cross(Vector3(1, 0, 0.2), Vector3(0, 1, -0.1));
    Vector3 n2 = gte::Cross(Vector3(0, 1, 0), Vector3(1, 0, -1));
    gte::Normalize(n1);
    gte::Normalize(n2);
    EXPECT_NEAR(a, degreesBetween(n1, n2), 1e-12);
    Vector3 u = gte::Cross(n1, n2);
    gte::Normalize(u);
    Vector3 const arm1 = vec(out.direction1), arm2 = vec(out.direction2);
    EXPECT_NEAR(gte::Length(arm1), 1.0, 1e-15);
    EXPECT_NEAR(gte::Dot(arm1, u), 0.0, 1e-15);
    EXPECT_NEAR(gte::Dot(arm2, u), 0.0, 1e-15);
    EXPECT_NEAR(gte::Dot(arm1, n1), 0.0, 1e-15);
    EXPECT_NEAR(gte::Dot(arm2, n2), 0.0, 1e-15);
    EXPECT_NEAR(degreesBetween(arm1, arm2), a, 1e-12);
    // The vertex is in both planes, at the foot of the first pt1.
    Vector3 const centre = vec(out.centerPoint);
    EXPECT_NEAR(gte::Dot(n1, centre - Vector3(0, 0, 1)), 0.0, 1e-15);
    EXPECT_NEAR(gte::Dot(n2, centre), 0.0, 1e-15);
    EXPECT_NEAR(gte::Dot(u, Vector3(0, 0, 1) - centre), 0.0, 1e-15);
}

TEST(AngleDraw, ParallelPlanesDrawInsideTheFirstPlaneAtItsFirstPoint) {
    gte_point const corner(0.1, 0.3, 2);
    gte_plane const high(corner, gte_point(1.1, 0.3, 2), gte_point(0.1, 1.3, 2));
    auto out = poisoned<gte_angle_result>();
    // Distinct parallel planes.
    EXPECT_EQ(gte_angle_draw_plane_plane(high, kPlaneZ0, &out), 0.0);
    EXPECT_EQ(out.angle, 0.0);
    EXPECT_POINT_EQ(out.centerPoint, 0.1, 0.3, 2.0);
    EXPECT_POINT_EQ(out.direction1, 0.0, 1.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, 1.0, 0.0);

    // Opposite normals: 180; the arm comes from the first normal alone.
    out = poisoned<gte_angle_result>();
    EXPECT_EQ(gte_angle_draw_plane_plane(kPlaneZ0Down, high, &out), 180.0);
    EXPECT_POINT_EQ(out.centerPoint, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, -1.0, 0.0);

    // The same plane twice, from different points.
    out = poisoned<gte_angle_result>();
    gte_plane const sameAsZ0(gte_point(5, -2, 0), gte_point(6, -2, 0), gte_point(5, -1, 0));
    EXPECT_EQ(gte_angle_draw_plane_plane(sameAsZ0, kPlaneZ0, &out), 0.0);
    EXPECT_POINT_EQ(out.centerPoint, 5.0, -2.0, 0.0);
    EXPECT_POINT_EQ(out.direction1, 0.0, 1.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, 1.0, 0.0);

    // Normal (1,0,0): the z axis is crossed instead of the x axis.
    gte_plane const side(gte_point(4, 1, 1), gte_point(4, 2, 1), gte_point(4, 1, 2));
    EXPECT_EQ(gte_angle_draw_plane_plane(side, kPlaneX0, &out), 0.0);
    EXPECT_POINT_EQ(out.centerPoint, 4.0, 1.0, 1.0);
    EXPECT_POINT_EQ(out.direction1, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(out.direction2, 0.0, -1.0, 0.0);
    EXPECT_EQ(gte_angle_draw_plane_plane(side, kPlaneX0, nullptr), 0.0);

    // A tilted normal with z = 0.6 is still far enough from the z axis to cross it (the same
    // plane given twice).
    gte_plane const mild(gte_point(0, 0, 0), gte_point(0, -0.6, 0.8), gte_point(1, 0, 0));
    gte_plane const mildShifted(gte_point(4, 0, 0), gte_point(4, -0.6, 0.8), gte_point(5, 0, 0));
    EXPECT_EQ(gte_angle_draw_plane_plane(mild, mildShifted, &out), 0.0);
    EXPECT_POINT_EQ(out.centerPoint, 0.0, 0.0, 0.0);
    EXPECT_POINT_NEAR(out.direction1, 1.0, 0.0, 0.0, 1e-15);
    EXPECT_POINT_NEAR(out.direction2, 1.0, 0.0, 0.0, 1e-15);
}
