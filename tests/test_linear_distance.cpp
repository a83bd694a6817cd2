// Exported distances between lines, rays and segments, and from a segment to a plane.
#include <cmath>
#include <cstring>

#include "tavrisk.h"
#include "test_util.h"

namespace {
gte_line const kXAxis(gte_point(0, 0, 0), gte_vector(1, 0, 0));
gte_plane const kPlaneZ0(gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0));
}  // namespace

TEST(LinearDistance, PairDistancesNormaliseTheRecordDirections) {
    // Record vectors of any length: (0,3,0) measures as (0,1,0).
    EXPECT_EQ(gte_dist_line_line(kXAxis, gte_line(gte_point(0, 0, 5), gte_vector(0, 3, 0))), 5.0);
    EXPECT_EQ(gte_dist_line_line(gte_line(gte_point(4, 0, 0), gte_vector(-7, 0, 0)),
                                 gte_line(gte_point(1, 3, 4), gte_vector(2, 0, 0))),
              5.0);

    EXPECT_EQ(gte_dist_line_lseg(kXAxis, gte_lseg(gte_point(2, -1, 3), gte_point(2, 1, 3))), 3.0);
    EXPECT_EQ(gte_dist_line_lseg(kXAxis, gte_lseg(gte_point(2, 1, 3), gte_point(2, 2, 3))),
              std::sqrt(10.0));

    // The ray points away from the line: its origin is 2 away, not the 0 of its line.
    EXPECT_EQ(gte_dist_line_ray(kXAxis, gte_ray(gte_point(0, 2, 0), gte_vector(0, 4, 0))), 2.0);
    EXPECT_EQ(gte_dist_line_ray(kXAxis, gte_ray(gte_point(0, 2, 0), gte_vector(0, -4, 0))), 0.0);

    gte_ray const xRay(gte_point(0, 0, 0), gte_vector(2, 0, 0));
    EXPECT_EQ(gte_dist_ray_ray(xRay, gte_ray(gte_point(-1, 1, 0), gte_vector(-1, 0, 0))),
              std::sqrt(2.0));
    EXPECT_EQ(gte_dist_ray_ray(xRay, gte_ray(gte_point(-1, 1, 0), gte_vector(1, 0, 0))), 1.0);

    EXPECT_EQ(gte_dist_ray_lseg(xRay, gte_lseg(gte_point(-3, -1, 0), gte_point(-3, 1, 0))), 3.0);
    EXPECT_EQ(gte_dist_ray_lseg(gte_ray(gte_point(0, 0, 0), gte_vector(-5, 0, 0)),
                                gte_lseg(gte_point(-3, -1, 0), gte_point(-3, 1, 0))),
              0.0);
}

TEST(LinearDistance, DegenerateDirectionsMeasureFromThePoint) {
    // A zero vector: the line or ray is its point.
    gte_line const point(gte_point(1, 2, 2), gte_vector(0, 0, 0));
    EXPECT_EQ(gte_dist_line_line(point, kXAxis), std::sqrt(8.0));
    EXPECT_EQ(gte_dist_line_ray(kXAxis, gte_ray(gte_point(1, 2, 2), gte_vector(0, 0, 0))),
              std::sqrt(8.0));
    // A segment of zero length is its point.
    EXPECT_EQ(gte_dist_ray_lseg(gte_ray(gte_point(0, 0, 0), gte_vector(1, 0, 0)),
                                gte_lseg(gte_point(5, 3, 4), gte_point(5, 3, 4))),
              5.0);
    EXPECT_EQ(gte_dist_line_lseg(kXAxis, gte_lseg(gte_point(-5, 3, 4), gte_point(-5, 3, 4))), 5.0);
}

TEST(LinearDistance, SegmentToSegmentMeasuresFromTheFirstMidpoint) {
    gte_dist_result r;
    gte_lseg const upper(gte_point(0, 4, 0), gte_point(2, 4, 0));
    gte_lseg const farAway(gte_point(10, 0, 0), gte_point(11, 0, 0));
    gte_dist_lseg_lseg(upper, farAway, &r);  // the second segment is extended to a line
    EXPECT_EQ(r.dist, 4.0);
    EXPECT_EQ(r.dy, 4.0);
    EXPECT_POINT_EQ(r.point1, 1.0, 4.0, 0.0);
    EXPECT_POINT_EQ(r.point2, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(r.direction, 0.0, -1.0, 0.0);

    // Not symmetric: swapping the segments measures from the other midpoint.
    gte_lseg const onX(gte_point(0, 0, 0), gte_point(2, 0, 0));
    gte_lseg const onY(gte_point(0, 1, 0), gte_point(0, 3, 0));
    gte_dist_lseg_lseg(onX, onY, &r);
    EXPECT_EQ(r.dist, 1.0);
    EXPECT_POINT_EQ(r.point1, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(r.point2, 0.0, 0.0, 0.0);
    gte_dist_lseg_lseg(onY, onX, &r);
    EXPECT_EQ(r.dist, 2.0);
    EXPECT_POINT_EQ(r.point1, 0.0, 2.0, 0.0);
    EXPECT_POINT_EQ(r.point2, 0.0, 0.0, 0.0);

    // A second segment of zero length collapses to its end point.
    gte_dist_lseg_lseg(gte_lseg(gte_point(1, 1, 1), gte_point(3, 3, 3)),
                       gte_lseg(gte_point(5, 5, 5), gte_point(5, 5, 5)), &r);
    EXPECT_POINT_EQ(r.point1, 2.0, 2.0, 2.0);
    EXPECT_POINT_EQ(r.point2, 5.0, 5.0, 5.0);
    EXPECT_EQ(r.dist, std::sqrt(27.0));

    gte_dist_lseg_lseg(upper, farAway, nullptr);  // no crash
}

TEST(LinearDistance, SegmentToPlaneMeasuresFromTheMidpoint) {
    gte_dist_result r;
    gte_lseg const segment(gte_point(0, 0, 1), gte_point(2, 2, 5));
    gte_dist_lseg_plane(segment, kPlaneZ0, &r);
    EXPECT_EQ(r.dist, 3.0);
    EXPECT_EQ(r.dz, 3.0);
    EXPECT_EQ(r.dxy, 0.0);
    EXPECT_POINT_EQ(r.point1, 1.0, 1.0, 3.0);
    EXPECT_POINT_EQ(r.point2, 1.0, 1.0, 0.0);
    EXPECT_POINT_EQ(r.direction, 0.0, 0.0, -1.0);

    // The same as measuring the midpoint itself.
    gte_dist_result p;
    gte_dist_point_plane(kPlaneZ0, gte_point(1, 1, 3), &p);
    EXPECT_EQ(std::memcmp(&r, &p, sizeof(r)), 0);

    // Collinear plane points: the horizontal plane through their centroid (z = 2).
    gte_plane const collinear(gte_point(0, 0, 2), gte_point(1, 0, 2), gte_point(3, 0, 2));
    gte_dist_lseg_plane(gte_lseg(gte_point(0, 0, 0), gte_point(2, 2, -2)), collinear, &r);
    EXPECT_POINT_EQ(r.point1, 1.0, 1.0, -1.0);
    EXPECT_POINT_EQ(r.point2, 1.0, 1.0, 2.0);
    EXPECT_EQ(r.dist, 3.0);

    gte_dist_lseg_plane(segment, kPlaneZ0, nullptr);  // no crash
}
