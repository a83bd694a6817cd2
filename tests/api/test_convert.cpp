// Record <-> core conversions, their fallbacks, the record operations and the distance record.
#include <cmath>

#include "api/convert.h"
#include "api/dist_result.h"
#include "api/records.h"
#include "test_util.h"

using gte::Vector3;
using namespace tavrisk;

TEST(Conversions, DirectionsAndNormalFallbacks) {
    EXPECT_VEC3_EQ(toLine3(gte_line(gte_point(1, 2, 3), gte_vector(0, 0, 5))).direction, 0, 0, 1);
    // A zero direction stays zero: no fallback.
    EXPECT_VEC3_EQ(toRay3(gte_ray(gte_point(1, 2, 3), gte_vector())).direction, 0, 0, 0);
    // Circle normals shorter than 0.001 fall back to +z; longer ones are made unit.
    for (double y : {0.0, 0.0005, 0.002}) {
        gte_circle const circle(gte_point(1, 1, 1), 2.5, gte_vector(0, y, 0));
        EXPECT_VEC3_EQ(toCircle3(circle).normal, 0.0, y > 0.001 ? 1.0 : 0.0, y > 0.001 ? 0 : 1);
    }
    // The second rectangle axis is normal x main.
    gte::Rectangle3 const r = toRectangle3(
        gte_rect(gte_point(1, 2, 3), 1.0, 2.0, gte_vector(0, 0, 7), gte_vector(3, 0, 0)));
    EXPECT_VEC3_EQ(r.axis[0], 1.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(r.axis[1], 0.0, 1.0, 0.0);
}

TEST(Conversions, PlaneRecordsBothWays) {
    // Oriented by the point order, through the centroid of the three points.
    gte_plane plane(gte_point(0, 0, 3), gte_point(3, 0, 3), gte_point(0, 3, 3));
    EXPECT_VEC3_EQ(toPlane3(plane).normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(toPlane3(plane).constant, 3.0);
    plane.pt3 = gte_point(0, -3, 3);
    EXPECT_VEC3_EQ(toPlane3(plane).normal, 0.0, 0.0, -1.0);
    // Coincident points, or an orientation too short to make unit (1e-10 < 1e-8): the
    // horizontal plane through the centroid.
    for (double s : {0.0, 1e-5}) {
        gte::Plane3 const p =
            toPlane3(gte_plane(gte_point(2, 3, 4), gte_point(2 + s, 3, 4), gte_point(2, 3, 4 + s)));
        EXPECT_VEC3_EQ(p.normal, 0.0, 0.0, 1.0);
        EXPECT_NEAR(p.constant, 4.0, 1e-5);
    }
    // A normal along x crosses y, not x, to find the record's axes.
    plane = makePlaneRecord(Vector3(0, 0, 0), Vector3(1, 0, 0));
    EXPECT_POINT_EQ(plane.pt2, 0.0, 0.0, 1.0);
    EXPECT_POINT_EQ(plane.pt3, 0.0, -1.0, 0.0);
    gte::Plane3 const back = toPlane3(makePlaneRecord(Vector3(5, -1, 2), Vector3(1, 2, 2)));
    EXPECT_VEC3_NEAR(back.normal, 1.0 / 3, 2.0 / 3, 2.0 / 3, 1e-15);
    EXPECT_NEAR(back.constant, (5.0 - 2.0 + 4.0) / 3.0, 1e-14);
}

TEST(Conversions, RecordUnitsDivideAndSegmentsCarryLines) {
    // Record units divide by the length (0.6, where the core's reciprocal gives
    // 0.6000000000000001); below 1e-8 they are zero. The header's two-point line does the same.
    EXPECT_VEC3_EQ(unitByDivision(Vector3(0, 3, 4)), 0.0, 0.6, 0.8);
    EXPECT_VEC3_EQ(unitByDivision(Vector3(0, 5e-9, 0)), 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(gte_line(gte_point(1, 1, 1), gte_point(1, 4, 5)).vector, 0.0, 0.6, 0.8);
    EXPECT_POINT_EQ(gte_line(gte_point(1, 1, 1), gte_point(1, 1, 1 + 1e-9)).vector, 0, 0, 0);
    gte_line const fromSegment = lsegToLine(gte_lseg(gte_point(1, 0, 0), gte_point(1, 0, -2)));
    EXPECT_POINT_EQ(fromSegment.pt, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(fromSegment.vector, 0.0, 0.0, -1.0);
    gte_line const fromPoint = lsegToLine(gte_lseg(gte_point(1, 2, 3), gte_point(1, 2, 3)));
    EXPECT_POINT_EQ(fromPoint.vector, 0.0, 0.0, 1.0);
}

TEST(DistResult, ComponentsPointsAndDirection) {
    // Differences are absolute whichever point is larger; the direction runs point1 -> point2.
    double const inv = 1.0 / 13.0;
    for (double s : {1.0, -1.0}) {
        gte_dist_result r;
        fillDistResult(Vector3(0, 0, 0), Vector3(3 * s, 4 * s, 12 * s), &r);
        EXPECT_EQ(doublesOf(r), (std::array<double, 16>{
                                    3, 5, 13, std::sqrt(153.0), 4, std::sqrt(160.0), 12, 0, 0, 0,
                                    3 * s, 4 * s, 12 * s, 3 * s * inv, 4 * s * inv, 12 * s * inv}));
    }
    gte_dist_result r;
    fillDistResult(Vector3(1, 2, 3), Vector3(1, 2, 3), &r);
    EXPECT_POINT_EQ(r.direction, 0.0, 0.0, 0.0);
}
