// Exported distances between lines, rays and segments.
#include <cmath>

#include "tavrisk.h"
#include "test_util.h"

namespace {
gte_line const kXAxis(gte_point(0, 0, 0), gte_vector(1, 0, 0));
gte_ray const kXRay(gte_point(0, 0, 0), gte_vector(2, 0, 0));
}  // namespace

TEST(LinearDistance, EachPairKeepsItsBoundsAndNormalisesTheRecords) {
    // Parallel only once the record vectors are normalised.
    EXPECT_EQ(gte_dist_line_line(gte_line(gte_point(4, 0, 0), gte_vector(-7, 0, 0)),
                                 gte_line(gte_point(1, 3, 4), gte_vector(2, 0, 0))),
              5.0);
    // Each value differs from that of the unbounded lines.
    EXPECT_EQ(gte_dist_line_ray(kXAxis, gte_ray(gte_point(0, 2, 0), gte_vector(0, 4, 0))), 2.0);
    EXPECT_EQ(gte_dist_line_lseg(kXAxis, gte_lseg(gte_point(2, 1, 3), gte_point(2, 2, 3))),
              std::sqrt(10.0));
    EXPECT_EQ(gte_dist_ray_ray(kXRay, gte_ray(gte_point(-1, 1, 0), gte_vector(-1, 0, 0))),
              std::sqrt(2.0));
    EXPECT_EQ(gte_dist_ray_lseg(kXRay, gte_lseg(gte_point(-3, -1, 0), gte_point(-3, 1, 0))), 3.0);
}

TEST(LinearDistance, SegmentToSegmentMeasuresFromTheFirstMidpointToTheSecondLine) {
    gte_dist_result r;
    gte_lseg const onX(gte_point(0, 0, 0), gte_point(2, 0, 0));
    gte_lseg const onY(gte_point(0, 1, 0), gte_point(0, 3, 0));
    gte_dist_lseg_lseg(onX, onY, &r);  // the foot lies beyond onY's ends
    EXPECT_EQ(r.dist, 1.0);
    EXPECT_POINT_EQ(r.point1, 1.0, 0.0, 0.0);
    EXPECT_POINT_EQ(r.point2, 0.0, 0.0, 0.0);
    gte_dist_lseg_lseg(onY, onX, &r);  // not symmetric
    EXPECT_EQ(r.dist, 2.0);
    EXPECT_POINT_EQ(r.point1, 0.0, 2.0, 0.0);
    // A second segment of zero length collapses to its end point.
    gte_dist_lseg_lseg(gte_lseg(gte_point(1, 1, 1), gte_point(3, 3, 3)),
                       gte_lseg(gte_point(5, 5, 5), gte_point(5, 5, 5)), &r);
    EXPECT_POINT_EQ(r.point2, 5.0, 5.0, 5.0);
    EXPECT_EQ(r.dist, std::sqrt(27.0));
}
