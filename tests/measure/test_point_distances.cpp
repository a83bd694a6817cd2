// SPDX-License-Identifier: MIT
// Distance exports from a point to each shape (the closest point, including its clamped and
// degenerate branches, and the record built from the pair), and between lines, rays and
// segments: each pair through its own query, with the parallel and degenerate components that
// random pairs never reach.
#include <array>
#include <cmath>
#include <utility>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

using P = gte_point;
gte_plane const kPlaneZ0(P(0, 0, 0), P(1, 0, 0), P(0, 1, 0));

template <class F, class Shape>
gte_dist_result measured(F f, Shape const& shape, P point) {
    gte_dist_result r;
    f(shape, point, &r);
    EXPECT_TRUE(recordNear(r.point1, point));  // from the point to the shape
    return r;
}

gte_line const kXAxis(P(0, 0, 0), gte_vector(1, 0, 0));
gte_ray const kXRay(P(0, 0, 0), gte_vector(2, 0, 0));

}  // namespace

TEST(PointDistance, ClosestPointOfEachShape) {
    gte_line const along2x(P(0, 0, 0), gte_vector(2, 0, 0)), still(P(1, 1, 1), gte_vector());
    gte_ray const back(P(0, 0, 0), gte_vector(-1, 0, 0)), ahead(P(0, 0, 0), gte_vector(1, 0, 0));
    gte_lseg const seg(P(0, 0, 0), P(2, 0, 0)), dot(P(5, 0, 0), P(5, 0, 0));
    // Collinear points: the horizontal plane through their centroid (z = 2).
    gte_plane const line(P(0, 0, 2), P(1, 0, 2), P(3, 0, 2));
    gte_rect const rect(P(0, 0, 0), 1.0, 2.0, gte_vector(0, 0, 1), gte_vector(1, 0, 0));
    struct {
        gte_dist_result r;
        P closest;  // point2; point1 is the measured point
    } const cases[] = {
        {measured(gte_dist_point_line, along2x, P(3, 4, 0)), P(3, 0, 0)},
        {measured(gte_dist_point_line, still, P(1, 1, 3)), P(1, 1, 1)},  // no direction: its point
        {measured(gte_dist_point_ray, back, P(3, 4, 0)), P(0, 0, 0)},    // behind the origin
        {measured(gte_dist_point_ray, ahead, P(3, 4, 0)), P(3, 0, 0)},
        {measured(gte_dist_point_lseg, seg, P(3, 4, 0)), P(2, 0, 0)},  // beyond either end, inside
        {measured(gte_dist_point_lseg, seg, P(-1, 0, 1)), P(0, 0, 0)},
        {measured(gte_dist_point_lseg, seg, P(1, 4, 0)), P(1, 0, 0)},
        {measured(gte_dist_point_lseg, dot, P(5, 3, 4)), P(5, 0, 0)},
        {measured(gte_dist_point_plane, kPlaneZ0, P(1, 2, -5)), P(1, 2, 0)},
        {measured(gte_dist_point_plane, line, P(7, 7, 7)), P(7, 7, 2)},
        {measured(gte_dist_point_rect, rect, P(3, 1, 4)), P(1, 1, 0)},  // clamped on one axis, the
        {measured(gte_dist_point_rect, rect, P(-0.5, -3, -2)), P(-0.5, -2, 0)},  // other, neither
        {measured(gte_dist_point_rect, rect, P(0.5, 1.5, 3)), P(0.5, 1.5, 0)},
    };
    // The record built from the pair is fillDistResult's (test_convert.cpp).
    for (auto const& c : cases) EXPECT_TRUE(recordNear(c.r.point2, c.closest)) << &c - cases;
}

TEST(PointDistance, FootPointAndRecordEachOptional) {
    gte_line const line(P(0, 0, 1), gte_vector(0, 3, 0));
    gte_point foot;
    gte_dist_result r;
    gte_distfootpoint_point_line(line, P(2, 5, 1), &foot, nullptr);
    gte_distfootpoint_point_line(line, P(2, 5, 1), nullptr, &r);
    EXPECT_TRUE(recordNear(foot, P(0, 5, 1)));
    EXPECT_TRUE(recordNear(r, measured(gte_dist_point_line, line, P(2, 5, 1))));
}

TEST(PointDistance, CircleWritesCentreNearestOpposite) {
    // From (4, 0, 4) the nearest circle point lies towards the point's projection; on the axis
    // every circle point is equally near and the basis completed from the normal picks one.
    gte_circle const circle(P(1, 0, 0), 2.0, gte_vector(0, 0, 1));
    std::pair<P, std::array<double, 9>> const cases[] = {
        {P(4, 0, 4), doubles(1, 0, 0, 3, 0, 0, -1, 0, 0)},
        {P(1, 0, 3), doubles(1, 0, 0, 1, 2, 0, 1, -2, 0)},
    };
    for (auto const& [point, expected] : cases) {
        gte_dist_result r[3];
        gte_dist_point_circle(circle, point, r);
        for (auto const& each : r) EXPECT_TRUE(recordNear(each.point1, point));
        EXPECT_TRUE(recordNear(std::array<P, 3>{r[0].point2, r[1].point2, r[2].point2}, expected));
    }
}

TEST(LinearDistance, EachPairKeepsItsBounds) {
    std::pair<double, double> const cases[] = {
        // Parallel only once the record vectors are normalised.
        {gte_dist_line_line(lineThrough(4, 0, 0, -7, 0, 0), lineThrough(1, 3, 4, 2, 0, 0)), 5},
        // Each value differs from that of the unbounded lines.
        {gte_dist_line_ray(kXAxis, rayFrom(0, 2, 0, 0, 4, 0)), 2},
        {gte_dist_line_lseg(kXAxis, segmentBetween(2, 1, 3, 2, 2, 3)), std::sqrt(10.0)},
        {gte_dist_ray_ray(kXRay, rayFrom(-1, 1, 0, -1, 0, 0)), std::sqrt(2.0)},
        {gte_dist_ray_lseg(kXRay, segmentBetween(-3, -1, 0, -3, 1, 0)), 3},
        // Parallel components: no crossing to solve for.
        {gte_dist_line_ray(kXAxis, rayFrom(5, 1, 0, -1, 0, 0)), 1},
        {gte_dist_line_lseg(kXAxis, segmentBetween(3, 1, 0, 5, 1, 0)), 1},
        {gte_dist_ray_ray(kXRay, rayFrom(5, 1, 0, -1, 0, 0)), 1},
        {gte_dist_ray_ray(rayFrom(-2, 1, 0, 1, 0, 0), kXRay), 1},
        {gte_dist_ray_lseg(kXRay, segmentBetween(5, 1, 0, 3, 1, 0)), 1},
        // A zero direction or a zero-length segment acts as its point.
        {gte_dist_line_line(lineThrough(1, 2, 3, 0, 0, 0), kXAxis), std::sqrt(13.0)},
        {gte_dist_ray_lseg(rayFrom(1, 2, 3, 0, 0, 0), segmentBetween(-1, 0, 0, 4, 0, 0)),
         std::sqrt(13.0)},
        {gte_dist_line_lseg(kXAxis, segmentBetween(3, 4, 0, 3, 4, 0)), 4},
        // Crossing lines whose quadratic rounds to a small negative value: exactly 0, not NaN.
        {gte_dist_line_line(lineThrough(-1, 17, 0, 1, -5, 0), lineThrough(4, -4, 2, 1, -3, 1)), 0},
    };
    for (auto const& [distance, expected] : cases) EXPECT_EQ(distance, expected) << expected;
}

TEST(LinearDistance, SegmentToSegmentMeasuresFromTheFirstMidpointToTheSecondLine) {
    gte_lseg const onX = segmentBetween(0, 0, 0, 2, 0, 0), onY = segmentBetween(0, 1, 0, 0, 3, 0);
    // The foot may lie beyond the second segment's ends; the measure is not symmetric; a second
    // segment of zero length collapses to its end point. Each: distance, point1, point2.
    std::pair<std::pair<gte_lseg, gte_lseg>, std::array<double, 7>> const cases[] = {
        {{onX, onY}, doubles(1, 1, 0, 0, 0, 0, 0)},
        {{onY, onX}, doubles(2, 0, 2, 0, 0, 0, 0)},
        {{segmentBetween(1, 1, 1, 3, 3, 3), segmentBetween(5, 5, 5, 5, 5, 5)},
         doubles(std::sqrt(27.0), 2, 2, 2, 5, 5, 5)},
    };
    for (auto const& [pair, expected] : cases) {
        gte_dist_result r;
        gte_dist_lseg_lseg(pair.first, pair.second, &r);
        EXPECT_TRUE(recordNear(
            doubles(r.dist, r.point1.x, r.point1.y, r.point1.z, r.point2.x, r.point2.y, r.point2.z),
            expected));
    }
}
