// Record <-> core conversions, their fallbacks, and the shared distance record.
#include <cmath>

#include "api/convert.h"
#include "api/dist_result.h"
#include "api/records.h"
#include "test_util.h"

using gte::Vector3;
using namespace tavrisk;

TEST(Conversions, DirectionsAndNormalFallbacks) {
    EXPECT_VEC3_EQ(toLine3(gte_line(gte_point(1, 2, 3), gte_vector(0, 0, 5))).direction, 0.0, 0.0,
                   1.0);
    // A zero direction stays zero: no fallback.
    EXPECT_VEC3_EQ(toRay3(gte_ray(gte_point(1, 2, 3), gte_vector(0, 0, 0))).direction, 0.0, 0.0,
                   0.0);

    // Circle normals shorter than 0.001 fall back to +z.
    gte_circle circle(gte_point(1, 1, 1), 2.5, gte_vector(0, 0.0005, 0));
    EXPECT_VEC3_EQ(toCircle3(circle).normal, 0.0, 0.0, 1.0);
    circle.vector = gte_vector(0, 0.002, 0);
    EXPECT_VEC3_EQ(toCircle3(circle).normal, 0.0, 1.0, 0.0);
    circle.vector = gte_vector(0, 0, 0);
    EXPECT_VEC3_EQ(toCircle3(circle).normal, 0.0, 0.0, 1.0);

    // The second rectangle axis is normal x main.
    gte::Rectangle3 r = toRectangle3(
        gte_rect(gte_point(1, 2, 3), 1.0, 2.0, gte_vector(0, 0, 7), gte_vector(3, 0, 0)));
    EXPECT_VEC3_EQ(r.center, 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(r.axis[0], 1.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(r.axis[1], 0.0, 1.0, 0.0);
    EXPECT_EQ(r.extent[1], 2.0);
}

TEST(Conversions, PlaneRecords) {
    // Oriented by the point order, through the centroid of the three points.
    gte_plane plane(gte_point(0, 0, 3), gte_point(3, 0, 3), gte_point(0, 3, 3));
    EXPECT_VEC3_EQ(toPlane3(plane).normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(toPlane3(plane).constant, 3.0);
    EXPECT_VEC3_EQ(planeRecordCenter(plane), 1.0, 1.0, 3.0);
    plane.pt3 = gte_point(0, -3, 3);
    EXPECT_VEC3_EQ(toPlane3(plane).normal, 0.0, 0.0, -1.0);

    // Coincident points: the horizontal plane through them.
    gte::Plane3 p = toPlane3(gte_plane(gte_point(2, 3, 4), gte_point(2, 3, 4), gte_point(2, 3, 4)));
    EXPECT_VEC3_EQ(p.normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(p.constant, 4.0);
    // Short raw normals are returned as they are, long ones made unit.
    gte_plane tiny(gte_point(0, 0, 0), gte_point(1e-5, 0, 0), gte_point(0, 1e-5, 0));
    EXPECT_VEC3_EQ(planeRecordNormal(tiny), 0.0, 0.0, 1e-5 * 1e-5);

    // Normal along x takes the other auxiliary axis.
    plane = makePlaneRecord(Vector3(0, 0, 0), Vector3(1, 0, 0));
    EXPECT_POINT_EQ(plane.pt2, 0.0, 0.0, 1.0);
    EXPECT_POINT_EQ(plane.pt3, 0.0, -1.0, 0.0);
    gte::Plane3 back = toPlane3(makePlaneRecord(Vector3(5, -1, 2), Vector3(1, 2, 2)));
    EXPECT_VEC3_NEAR(back.normal, 1.0 / 3, 2.0 / 3, 2.0 / 3, 1e-15);
    EXPECT_NEAR(back.constant, (5.0 - 2.0 + 4.0) / 3.0, 1e-14);
}

TEST(Conversions, RecordOperations) {
    // Record units divide by the length.
    EXPECT_VEC3_EQ(unitByDivision(Vector3(0, 3, 4)), 0.0, 0.6, 0.8);
    EXPECT_VEC3_EQ(unitByDivision(Vector3(0, 5e-9, 0)), 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(gte_line(gte_point(1, 1, 1), gte_point(1, 1, 4)).vector, 0.0, 0.0, 1.0);
    EXPECT_POINT_EQ(gte_line(gte_point(1, 1, 1), gte_point(1, 1, 1 + 1e-9)).vector, 0.0, 0.0, 0.0);

    gte_line fromSegment = lsegToLine(gte_lseg(gte_point(1, 0, 0), gte_point(1, 0, -2)));
    EXPECT_POINT_EQ(fromSegment.pt, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(fromSegment.vector, 0.0, 0.0, -1.0);
    gte_line fromPoint = lsegToLine(gte_lseg(gte_point(1, 2, 3), gte_point(1, 2, 3)));
    EXPECT_POINT_EQ(fromPoint.vector, 0.0, 0.0, 1.0);
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
    EXPECT_POINT_EQ(r.direction, -3.0 * inv, -4.0 * inv, -12.0 * inv);

    fillDistResult(Vector3(1, 2, 3), Vector3(1, 2, 3), &r);
    EXPECT_POINT_EQ(r.direction, 0.0, 0.0, 0.0);

    fillDistResult(Vector3(0, 0, 0), Vector3(1, 1, 1), nullptr);  // no crash, nothing written
}
