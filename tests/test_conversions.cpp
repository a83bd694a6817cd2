// Record <-> core conversions, their fallbacks, and the shared distance record.
#include <cmath>

#include "api/convert.h"
#include "api/dist_result.h"
#include "api/records.h"
#include "test_util.h"

using gte::Vector3;
using namespace tavrisk;

TEST(Conversions, LineAndRayDirectionsAreNormalised) {
    gte::Line3 line = toLine3(gte_line(gte_point(1, 2, 3), gte_vector(0, 0, 5)));
    EXPECT_VEC3_EQ(line.origin, 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(line.direction, 0.0, 0.0, 1.0);
    // A zero direction stays zero: no fallback.
    gte::Ray3 ray = toRay3(gte_ray(gte_point(1, 2, 3), gte_vector(0, 0, 0)));
    EXPECT_VEC3_EQ(ray.direction, 0.0, 0.0, 0.0);
}

TEST(Conversions, CircleNormalFallsBackBelowOneThousandth) {
    gte_circle circle(gte_point(1, 1, 1), 2.5, gte_vector(0, 0.0005, 0));
    gte::Circle3 c = toCircle3(circle);
    EXPECT_VEC3_EQ(c.normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(c.radius, 2.5);
    circle.vector = gte_vector(0, 0.002, 0);
    EXPECT_VEC3_EQ(toCircle3(circle).normal, 0.0, 1.0, 0.0);
    circle.vector = gte_vector(0, 0, 0);
    EXPECT_VEC3_EQ(toCircle3(circle).normal, 0.0, 0.0, 1.0);
}

TEST(Conversions, PlaneOrientationFollowsPointOrder) {
    gte_plane plane(gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0));
    gte::Plane3 p = toPlane3(plane);
    EXPECT_VEC3_EQ(p.normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(p.constant, 0.0);
    plane.pt3 = gte_point(0, -1, 0);
    EXPECT_VEC3_EQ(toPlane3(plane).normal, 0.0, 0.0, -1.0);

    // Coincident points: the horizontal plane through them.
    gte_plane degenerate(gte_point(2, 3, 4), gte_point(2, 3, 4), gte_point(2, 3, 4));
    p = toPlane3(degenerate);
    EXPECT_VEC3_EQ(p.normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(p.constant, 4.0);

    // The plane passes through the centroid of its three points.
    gte_plane raised(gte_point(0, 0, 3), gte_point(3, 0, 3), gte_point(0, 3, 3));
    EXPECT_EQ(toPlane3(raised).constant, 3.0);
    EXPECT_POINT_EQ(planeRecordCenter(raised), 1.0, 1.0, 3.0);
}

TEST(Conversions, RectangleSecondAxisIsNormalCrossMain) {
    gte_rect rect(gte_point(1, 2, 3), 1.0, 2.0, gte_vector(0, 0, 7), gte_vector(3, 0, 0));
    gte::Rectangle3 r = toRectangle3(rect);
    EXPECT_VEC3_EQ(r.center, 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(r.axis[0], 1.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(r.axis[1], 0.0, 1.0, 0.0);
    EXPECT_EQ(r.extent[0], 1.0);
    EXPECT_EQ(r.extent[1], 2.0);
}

TEST(Conversions, MakePlaneRecordRoundTrips) {
    gte_plane plane = makePlaneRecord(gte_point(0, 0, 0), gte_vector(1, 0, 0));
    EXPECT_POINT_EQ(plane.pt1, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(plane.pt2, 0.0, 0.0, 1.0);
    EXPECT_POINT_EQ(plane.pt3, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(plane.reserved1, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(plane.reserved2, 0.0, 0.0, 0.0);

    gte_vector normal(1, 2, 2);
    gte_plane tilted = makePlaneRecord(gte_point(5, -1, 2), normal);
    gte::Plane3 back = toPlane3(tilted);
    EXPECT_VEC3_NEAR(back.normal, 1.0 / 3, 2.0 / 3, 2.0 / 3, 1e-15);
    EXPECT_NEAR(back.constant, (5.0 - 2.0 + 4.0) / 3.0, 1e-14);
}

TEST(Conversions, RecordOperations) {
    EXPECT_POINT_EQ(gte_point(1, 2, 3) + gte_point(1, 1, 1), 2.0, 3.0, 4.0);
    EXPECT_POINT_EQ(gte_point(1, 2, 3) - gte_point(1, 1, 1), 0.0, 1.0, 2.0);
    EXPECT_POINT_EQ(gte_point(1, 2, 3) / 2, 0.5, 1.0, 1.5);
    EXPECT_POINT_EQ(vectUnit(gte_vector(0, 3, 4)), 0.0, 0.6, 0.8);
    EXPECT_POINT_EQ(vectUnit(gte_vector(0, 5e-9, 0)), 0.0, 0.0, 0.0);

    gte_line through(gte_point(1, 1, 1), gte_point(1, 1, 4));
    EXPECT_POINT_EQ(through.pt, 1.0, 1.0, 1.0);
    EXPECT_POINT_EQ(through.vector, 0.0, 0.0, 1.0);
    gte_line nowhere(gte_point(1, 1, 1), gte_point(1, 1, 1 + 1e-9));
    EXPECT_POINT_EQ(nowhere.vector, 0.0, 0.0, 0.0);

    gte_line fromSegment = lsegToLine(gte_lseg(gte_point(1, 0, 0), gte_point(1, 0, -2)));
    EXPECT_POINT_EQ(fromSegment.pt, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(fromSegment.vector, 0.0, 0.0, -1.0);
    gte_line fromPoint = lsegToLine(gte_lseg(gte_point(1, 2, 3), gte_point(1, 2, 3)));
    EXPECT_POINT_EQ(fromPoint.vector, 0.0, 0.0, 1.0);

    gte_quad quad(gte_point(0, 0, 0), gte_point(2, 0, 0), gte_point(2, 2, 0), gte_point(0, 2, 1));
    EXPECT_POINT_EQ(quadCenter(quad), 1.0, 1.0, 0.25);

    // Short raw normals are returned as they are, long ones made unit.
    gte_plane tiny(gte_point(0, 0, 0), gte_point(1e-5, 0, 0), gte_point(0, 1e-5, 0));
    EXPECT_POINT_EQ(planeRecordNormal(tiny), 0.0, 0.0, 1e-5 * 1e-5);
}

TEST(DistResult, ComponentsPointsAndDirection) {
    gte_dist_result r;
    fillDistResult(Vector3(0, 0, 0), Vector3(3, 4, 12), &r);
    EXPECT_EQ(r.dx, 3.0);
    EXPECT_EQ(r.dy, 4.0);
    EXPECT_EQ(r.dz, 12.0);
    EXPECT_EQ(r.dxy, 5.0);
    EXPECT_EQ(r.dist, 13.0);
    EXPECT_EQ(r.dxz, std::sqrt(153.0));
    EXPECT_EQ(r.dyz, std::sqrt(160.0));
    EXPECT_POINT_EQ(r.point1, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(r.point2, 3.0, 4.0, 12.0);
    double const inv = 1.0 / 13.0;
    EXPECT_POINT_EQ(r.direction, 3.0 * inv, 4.0 * inv, 12.0 * inv);

    // Differences are absolute, whichever point is larger.
    fillDistResult(Vector3(3, 4, 12), Vector3(0, 0, 0), &r);
    EXPECT_EQ(r.dx, 3.0);
    EXPECT_EQ(r.dz, 12.0);
    EXPECT_POINT_EQ(r.direction, -3.0 * inv, -4.0 * inv, -12.0 * inv);

    fillDistResult(Vector3(1, 2, 3), Vector3(1, 2, 3), &r);
    EXPECT_EQ(r.dist, 0.0);
    EXPECT_EQ(r.dxy, 0.0);
    EXPECT_EQ(r.dyz, 0.0);
    EXPECT_POINT_EQ(r.direction, 0.0, 0.0, 0.0);

    fillDistResult(Vector3(0, 0, 0), Vector3(1, 1, 1), nullptr);  // no crash, nothing written
}
