// SPDX-License-Identifier: MIT
// Intersection exports: counts, points, their order, and outputs left alone.
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

constexpr int kInfinite = TAVRISK_INFINITE_POINTS;

gte_plane planeZ(double z) {
    return gte_plane(gte_point(0, 0, z), gte_point(1, 0, z), gte_point(0, 1, z));
}
gte_plane planeZDown(double z) {
    return gte_plane(gte_point(0, 0, z), gte_point(0, 1, z), gte_point(1, 0, z));
}

// Calls fn into two poisoned slots: the count it returns, the points it writes, every other
// slot untouched; and the same count without an output.
template <class A, class B>
::testing::AssertionResult hit(int(TAVRISK_CALL* fn)(A, B, gte_point*), A a, B b, int count,
                               std::vector<gte_point> points = {}, double tol = 0.0) {
    std::array<gte_point, 2> r = {poisoned<gte_point>(), poisoned<gte_point>()};
    if (fn(a, b, r.data()) != count || fn(a, b, nullptr) != count) {
        return ::testing::AssertionFailure() << "returned " << fn(a, b, nullptr);
    }
    points.resize(2, poisoned<gte_point>());
    return recordNear(r, {points[0], points[1]}, tol);
}

}  // namespace

TEST(IntersectLinearPlane, PointWrittenOnlyWhenMet) {
    gte_plane const z0 = planeZ(0);
    // Behind the line's origin, in the plane (its own point), parallel above.
    EXPECT_TRUE(hit(gte_intersec_line_plane, lineThrough(1, 2, 5, 0, 0, 2), z0, 1, {{1, 2, 0}}));
    EXPECT_TRUE(
        hit(gte_intersec_line_plane, lineThrough(1, 2, 0, 1, 0, 0), z0, kInfinite, {{1, 2, 0}}));
    EXPECT_TRUE(hit(gte_intersec_line_plane, lineThrough(1, 2, 5, 1, 0, 0), z0, TAVRISK_NONE));
    // Starting on the plane is a hit at the ray's origin.
    EXPECT_TRUE(hit(gte_intersec_ray_plane, gte_ray({3, 1, 0}, {0, 1, 1}), z0, 1, {{3, 1, 0}}));
    EXPECT_TRUE(hit(gte_intersec_ray_plane, gte_ray({0, 0, 5}, {0, 0, 1}), z0, TAVRISK_NONE));
    // A segment is met up to its end points exactly, measured from its centre (0,0,4); lying in
    // the plane, its midpoint stands for it.
    gte_lseg const upright(gte_point(0, 0, 2), gte_point(0, 0, 6));
    EXPECT_TRUE(hit(gte_intersec_lseg_plane, upright, planeZ(6), 1, {{0, 0, 6}}));
    EXPECT_TRUE(hit(gte_intersec_lseg_plane, upright, planeZ(6.01), TAVRISK_NONE));
    gte_lseg const flat(gte_point(1, 1, 0), gte_point(5, 3, 0));
    EXPECT_TRUE(hit(gte_intersec_lseg_plane, flat, z0, kInfinite, {{3, 2, 0}}));
}

TEST(IntersectPlanePlane, LineOrRefusal) {
    gte_plane const x3(gte_point(3, 0, 0), gte_point(3, 1, 0), gte_point(3, 0, 1));  // normal +x
    gte_line result;
    // pt is the line's point nearest to the origin; the order of the planes sets the direction.
    EXPECT_EQ(gte_intersec_plane_plane(x3, planeZ(2), &result), 1);
    EXPECT_TRUE(recordNear(result, lineThrough(3, 0, 2, 0, -1, 0)));
    // Normals at cosine 0.8: z = 1 and 0.6x + 0.8z = 2 cross through (2, 0, 1).
    gte_plane const oblique(gte_point(2, 0, 1), gte_point(2, 1, 1), gte_point(2.8, 0, 0.4));
    EXPECT_EQ(gte_intersec_plane_plane(planeZ(1), oblique, &result), 1);
    EXPECT_TRUE(recordNear(result, lineThrough(2, 0, 1, 0, -1, 0), 1e-12));
    // Coincident in either orientation: refused. -z = 1 against z = 1 is apart. Either way the
    // line is left alone.
    std::pair<gte_plane, int> const refusals[] = {{planeZ(1), TAVRISK_NO_ANSWER},
                                                  {planeZDown(1), TAVRISK_NO_ANSWER},
                                                  {planeZDown(-1), TAVRISK_NONE},
                                                  {planeZ(1.25), TAVRISK_NONE}};
    for (auto const& [second, code] : refusals) {
        result = poisoned<gte_line>();
        EXPECT_EQ(gte_intersec_plane_plane(planeZ(1), second, &result), code);
        EXPECT_TRUE(untouched(result));
    }
}

TEST(IntersectXYLineLine, ProjectedCrossing) {
    auto const xy = gte_intersecXY_line_line;
    gte_line const line1 = lineThrough(0, 0, 7, 1, 0, 3);
    // z of line1's point, not of line1 above the crossing; directions of any length.
    EXPECT_TRUE(hit(xy, line1, lineThrough(1, 1, 0, 0, 1, 0), 1, {{1, 0, 7}}));
    EXPECT_TRUE(
        hit(xy, lineThrough(0, 0, 7, 2, 0, 0), lineThrough(3, -1, 0, 0, -5, 0), 1, {{3, 0, 7}}));
    // Parallel in XY off and on line1's trace: nothing written.
    EXPECT_TRUE(hit(xy, line1, lineThrough(1, 1, 0, 2, 0, 0), TAVRISK_NONE));
    EXPECT_TRUE(hit(xy, line1, lineThrough(5, 0, -4, 2, 0, 9), kInfinite));
    // A vertical line is a point seen from above; it used to count as coinciding with any line.
    // It crosses the other trace where it stands on it, or not at all, either way round.
    EXPECT_TRUE(hit(xy, line1, lineThrough(3, 3, 0, 0, 0, 1), TAVRISK_NONE));
    EXPECT_TRUE(hit(xy, line1, lineThrough(3, 0, 9, 0, 0, -2), 1, {{3, 0, 7}}));
    EXPECT_TRUE(hit(xy, lineThrough(3, 0, 5, 0, 0, 1), line1, 1, {{3, 0, 5}}));
    EXPECT_TRUE(hit(xy, lineThrough(3, 1, 5, 0, 0, 1), line1, TAVRISK_NONE));
    EXPECT_TRUE(
        hit(xy, lineThrough(3, 1, 5, 0, 0, 1), lineThrough(3, 1, 0, 0, 0, 4), 1, {{3, 1, 5}}));
    EXPECT_TRUE(
        hit(xy, lineThrough(3, 1, 5, 0, 0, 1), lineThrough(3, 2, 0, 0, 0, 4), TAVRISK_NONE));
}

TEST(IntersectPlaneCircle, OrderTangencyAndFallback) {
    auto const fn = gte_intersec_plane_circle;
    gte_circle const upright = circleAt(0, 0, 0, 2.0, 1, 0, 0);
    EXPECT_TRUE(hit(fn, planeZ(0), upright, 2, {{0, 2, 0}, {0, -2, 0}}));
    EXPECT_TRUE(hit(fn, planeZDown(0), upright, 2, {{0, -2, 0}, {0, 2, 0}}));  // turned over
    // Tangent exactly, and missed by the exact discriminant but within 1e-8 at the foot of the
    // centre: one point.
    for (double z : {2.0, 2.000000000001, 2.000000005}) {
        EXPECT_TRUE(hit(fn, planeZ(0), circleAt(5, -1, z, 2.0, 1, 0, 0), 1, {{5, -1, 0}})) << z;
    }
    // Beyond the tolerance; at the radius but the foot off the circle (parallel, tilted); lying
    // in the plane, refused.
    EXPECT_TRUE(hit(fn, planeZ(0), circleAt(0, 0, 2.00000002, 2.0, 1, 0, 0), TAVRISK_NONE));
    EXPECT_TRUE(hit(fn, planeZ(0), circleAt(0, 0, 2, 2.0, 0, 0, 1), TAVRISK_NONE));
    EXPECT_TRUE(hit(fn, planeZ(0), circleAt(0, 0, 2, 2.0, 1, 0, 1), TAVRISK_NONE));
    EXPECT_TRUE(hit(fn, planeZ(0), circleAt(4, 4, 0, 1.0, 0, 0, -1), TAVRISK_NO_ANSWER));
}

TEST(IntersectLineCircle, OrderFollowsTheLine) {
    auto const fn = gte_intersec_line_circle;
    gte_circle const c = circleAt(0, 0, 0, 2.0, 0, 0, 1);
    double const s3 = std::sqrt(3.0);
    EXPECT_TRUE(hit(fn, lineThrough(-10, 1, 0, 1, 0, 0), c, 2, {{-s3, 1, 0}, {s3, 1, 0}}, 1e-14));
    EXPECT_TRUE(hit(fn, lineThrough(-10, 1, 0, -1, 0, 0), c, 2, {{s3, 1, 0}, {-s3, 1, 0}}, 1e-14));
    // Off the circle's plane the line is seen along the axis.
    EXPECT_TRUE(hit(fn, lineThrough(-10, 1, -10, 2, 0, 2), c, 2, {{-s3, 1, 0}, {s3, 1, 0}}, 1e-14));
    EXPECT_TRUE(hit(fn, lineThrough(-10, 2, 3, 1, 0, 0), c, 1, {{0, 2, 0}}, 1e-15));
    EXPECT_TRUE(hit(fn, lineThrough(-10, 2.5, 0, 1, 0, 0), c, TAVRISK_NONE));
    // Within 0.001 of the axis: nothing; just beyond that cone the line counts.
    EXPECT_TRUE(hit(fn, lineThrough(1, 0, 0, 0.0009, 0, 1), c, TAVRISK_NONE));
    EXPECT_TRUE(hit(fn, lineThrough(1, 0, 0, 0.0011, 0, 1), c, 2, {{-2, 0, 0}, {2, 0, 0}}, 1e-12));
}

TEST(IntersectCircleCircle, ChordRefusalsMissesAndConcentric) {
    auto const fn = gte_intersec_circle_circle;
    // 5 about O and 4 about (3,0,0): the point left of the way from the first centre first.
    gte_circle const big = circleAt(0, 0, 0, 5, 0, 0, 1), c2 = circleAt(3, 0, 0, 4, 0, 0, 1);
    EXPECT_TRUE(hit(fn, big, c2, 2, {{3, 4, 0}, {3, -4, 0}}));
    gte_circle const c1 = circleAt(0, 0, 0, 3.0, 0, 0, 1);
    EXPECT_TRUE(hit(fn, c1, circleAt(6, 0, 0, 3.0, 0, 0, 1), 1, {{3, 0, 0}}));
    // Slightly tilted normal and slightly raised centre: still one plane.
    EXPECT_EQ(fn(c1, circleAt(4, 0, 0.0005, 3.0, 0, 0.01, 1), nullptr), 2);
    // Opposite normals, normals apart beyond 0.001, centre off the plane beyond 0.001.
    EXPECT_TRUE(hit(fn, c1, circleAt(4, 0, 0, 3.0, 0, 0, -1), TAVRISK_NO_ANSWER));
    EXPECT_TRUE(hit(fn, c1, circleAt(4, 0, 0, 3.0, 0, 0.1, 1), TAVRISK_NO_ANSWER));
    EXPECT_TRUE(hit(fn, c1, circleAt(4, 0, 0.01, 3.0, 0, 0, 1), TAVRISK_NO_ANSWER));
    EXPECT_TRUE(hit(fn, c1, circleAt(7, 0, 0, 0.5, 0, 0, 1), TAVRISK_NONE));
    // Concentric: the same circle meets itself everywhere, another radius nowhere.
    EXPECT_TRUE(hit(fn, c1, circleAt(0, 0, 0, 3.0, 0, 0, 2), kInfinite));
    EXPECT_TRUE(hit(fn, c1, circleAt(0, 0, 0, 2.0, 0, 0, 1), TAVRISK_NONE));
    // Centres stacked along the normal within tolerance, radii making the radical plane c1's own
    // plane: no point to report.
    double const d = 1.0 / 1024.0, r2 = 3.0000001589457153;  // 3 * 3 - r2 * r2 + d * d == 0
    EXPECT_TRUE(hit(fn, c1, circleAt(0, 0, d, r2, 0, 0, 1), TAVRISK_NONE));
}
