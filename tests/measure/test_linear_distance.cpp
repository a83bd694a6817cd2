// Exported distances between lines, rays and segments: each pair through its own query, with the
// parallel and degenerate components that random pairs never reach.
#include <array>
#include <cmath>
#include <utility>

#include "tavrisk.h"
#include "test_util.h"

namespace {
gte_point const O(0, 0, 0);
gte_line const kXAxis(O, gte_vector(1, 0, 0));
gte_ray const kXRay(O, gte_vector(2, 0, 0));
gte_line L(double x, double y, double z, double vx, double vy, double vz) {
    return gte_line(gte_point(x, y, z), gte_vector(vx, vy, vz));
}
gte_ray R(double x, double y, double z, double vx, double vy, double vz) {
    return gte_ray(gte_point(x, y, z), gte_vector(vx, vy, vz));
}
gte_lseg S(double x1, double y1, double z1, double x2, double y2, double z2) {
    return gte_lseg(gte_point(x1, y1, z1), gte_point(x2, y2, z2));
}
}  // namespace

TEST(LinearDistance, EachPairKeepsItsBounds) {
    std::pair<double, double> const cases[] = {
        // Parallel only once the record vectors are normalised.
        {gte_dist_line_line(L(4, 0, 0, -7, 0, 0), L(1, 3, 4, 2, 0, 0)), 5},
        // Each value differs from that of the unbounded lines.
        {gte_dist_line_ray(kXAxis, R(0, 2, 0, 0, 4, 0)), 2},
        {gte_dist_line_lseg(kXAxis, S(2, 1, 3, 2, 2, 3)), std::sqrt(10.0)},
        {gte_dist_ray_ray(kXRay, R(-1, 1, 0, -1, 0, 0)), std::sqrt(2.0)},
        {gte_dist_ray_lseg(kXRay, S(-3, -1, 0, -3, 1, 0)), 3},
        // Parallel components: no crossing to solve for.
        {gte_dist_line_ray(kXAxis, R(5, 1, 0, -1, 0, 0)), 1},
        {gte_dist_line_lseg(kXAxis, S(3, 1, 0, 5, 1, 0)), 1},
        {gte_dist_ray_ray(kXRay, R(5, 1, 0, -1, 0, 0)), 1},
        {gte_dist_ray_ray(R(-2, 1, 0, 1, 0, 0), kXRay), 1},
        {gte_dist_ray_lseg(kXRay, S(5, 1, 0, 3, 1, 0)), 1},
        // A zero direction or a zero-length segment acts as its point.
        {gte_dist_line_line(L(1, 2, 3, 0, 0, 0), kXAxis), std::sqrt(13.0)},
        {gte_dist_ray_lseg(R(1, 2, 3, 0, 0, 0), S(-1, 0, 0, 4, 0, 0)), std::sqrt(13.0)},
        {gte_dist_line_lseg(kXAxis, S(3, 4, 0, 3, 4, 0)), 4},
        // Crossing lines whose quadratic rounds to a small negative value: exactly 0, not NaN.
        {gte_dist_line_line(L(-1, 17, 0, 1, -5, 0), L(4, -4, 2, 1, -3, 1)), 0},
    };
    for (auto const& [distance, expected] : cases) EXPECT_EQ(distance, expected) << expected;
}

TEST(LinearDistance, SegmentToSegmentMeasuresFromTheFirstMidpointToTheSecondLine) {
    gte_lseg const onX = S(0, 0, 0, 2, 0, 0), onY = S(0, 1, 0, 0, 3, 0);
    // The foot may lie beyond the second segment's ends; the measure is not symmetric; a second
    // segment of zero length collapses to its end point. Each: distance, point1, point2.
    std::pair<std::pair<gte_lseg, gte_lseg>, std::array<double, 7>> const cases[] = {
        {{onX, onY}, doubles(1, 1, 0, 0, 0, 0, 0)},
        {{onY, onX}, doubles(2, 0, 2, 0, 0, 0, 0)},
        {{S(1, 1, 1, 3, 3, 3), S(5, 5, 5, 5, 5, 5)}, doubles(std::sqrt(27.0), 2, 2, 2, 5, 5, 5)},
    };
    for (auto const& [pair, expected] : cases) {
        gte_dist_result r;
        gte_dist_lseg_lseg(pair.first, pair.second, &r);
        EXPECT_EQ(
            doubles(r.dist, r.point1.x, r.point1.y, r.point1.z, r.point2.x, r.point2.y, r.point2.z),
            expected);
    }
}
