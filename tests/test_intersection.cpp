// Intersection exports: counts, points, their order, and outputs left alone.
#include <cmath>
#include <cstring>

#include "tavrisk.h"
#include "test_util.h"

namespace {

constexpr int kInfinite = 2147483647;

gte_plane planeZ(double z) {
    return gte_plane(gte_point(0, 0, z), gte_point(1, 0, z), gte_point(0, 1, z));
}
gte_plane const kPlaneZ0 = planeZ(0);
gte_plane const kPlaneZ0Down(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, 0));

gte_line line(double x, double y, double z, double vx, double vy, double vz) {
    return gte_line(gte_point(x, y, z), gte_vector(vx, vy, vz));
}
gte_circle circle(double x, double y, double z, double r, double nx, double ny, double nz) {
    return gte_circle(gte_point(x, y, z), r, gte_vector(nx, ny, nz));
}

// Two result slots, poisoned until written.
struct Pair {
    gte_point p[2] = {poisoned<gte_point>(), poisoned<gte_point>()};
    bool untouchedFrom(int i) const { return i > 1 || (untouched(p[i]) && untouchedFrom(i + 1)); }
};

}  // namespace

TEST(IntersectLinearPlane, PointWrittenOnlyWhenMet) {
    gte_point point = poisoned<gte_point>();
    EXPECT_EQ(gte_intersec_line_plane(line(1, 2, 5, 0, 0, -2), kPlaneZ0, &point), 1);
    EXPECT_POINT_EQ(point, 1.0, 2.0, 0.0);
    point = poisoned<gte_point>();
    EXPECT_EQ(gte_intersec_line_plane(line(1, 2, 5, 1, 0, 0), kPlaneZ0, &point), 0);
    EXPECT_TRUE(untouched(point));
    // In the plane: the line's own point stands for it.
    EXPECT_EQ(gte_intersec_line_plane(line(1, 2, 0, 1, 0, 0), kPlaneZ0, &point), kInfinite);
    EXPECT_POINT_EQ(point, 1.0, 2.0, 0.0);
    // The plane x + z = 2 from three points, met by the z axis.
    gte_plane const tilted(gte_point(2, 0, 0), gte_point(0, 0, 2), gte_point(2, 1, 0));
    EXPECT_EQ(gte_intersec_line_plane(line(0, 0, -3, 0, 0, 7), tilted, &point), 1);
    EXPECT_POINT_NEAR(point, 0.0, 0.0, 2.0, 1e-14);
    EXPECT_EQ(gte_intersec_line_plane(line(1, 2, 5, 0, 0, -2), kPlaneZ0, nullptr), 1);

    point = poisoned<gte_point>();
    EXPECT_EQ(
        gte_intersec_ray_plane(gte_ray(gte_point(0, 0, 5), gte_vector(0, 0, 1)), kPlaneZ0, &point),
        0);
    EXPECT_TRUE(untouched(point));
    EXPECT_EQ(
        gte_intersec_ray_plane(gte_ray(gte_point(3, 1, 0), gte_vector(0, 1, 1)), kPlaneZ0, &point),
        1);  // starting on the plane is a hit at the origin
    EXPECT_POINT_EQ(point, 3.0, 1.0, 0.0);
    EXPECT_EQ(
        gte_intersec_ray_plane(gte_ray(gte_point(-2, 4, 0), gte_vector(5, 5, 0)), kPlaneZ0, &point),
        kInfinite);
    EXPECT_POINT_EQ(point, -2.0, 4.0, 0.0);

    gte_lseg const upright(gte_point(0, 0, -1), gte_point(0, 0, 1));
    EXPECT_EQ(gte_intersec_lseg_plane(upright, planeZ(1.0), &point), 1);
    EXPECT_POINT_EQ(point, 0.0, 0.0, 1.0);
    point = poisoned<gte_point>();
    EXPECT_EQ(gte_intersec_lseg_plane(upright, planeZ(1.01), &point), 0);
    EXPECT_TRUE(untouched(point));
    // Lying in the plane: its midpoint.
    gte_lseg const flat(gte_point(1, 1, 0), gte_point(5, 3, 0));
    EXPECT_EQ(gte_intersec_lseg_plane(flat, kPlaneZ0, &point), kInfinite);
    EXPECT_POINT_EQ(point, 3.0, 2.0, 0.0);
}

TEST(IntersectPlanePlane, LineOrRefusal) {
    gte_plane const x0(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(0, 0, 1));  // normal +x
    gte_line result = poisoned<gte_line>();
    EXPECT_EQ(gte_intersec_plane_plane(kPlaneZ0, x0, &result), 1);
    EXPECT_POINT_EQ(result.pt, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(result.vector, 0.0, 1.0, 0.0);
    // z = 2 and x = 3: pt is the line's point nearest to the origin; the order sets the direction.
    gte_plane const x3(gte_point(3, 0, 0), gte_point(3, 1, 0), gte_point(3, 0, 1));
    EXPECT_EQ(gte_intersec_plane_plane(x3, planeZ(2.0), &result), 1);
    EXPECT_POINT_EQ(result.pt, 3.0, 0.0, 2.0);
    EXPECT_POINT_EQ(result.vector, 0.0, -1.0, 0.0);

    result = poisoned<gte_line>();
    EXPECT_EQ(gte_intersec_plane_plane(kPlaneZ0, kPlaneZ0Down, &result), -1);
    EXPECT_EQ(gte_intersec_plane_plane(kPlaneZ0, planeZ(0.25), &result), 0);
    EXPECT_TRUE(untouched(result));
    EXPECT_EQ(gte_intersec_plane_plane(kPlaneZ0, x0, nullptr), 1);
}

TEST(IntersectXYLineLine, ProjectedCrossing) {
    gte_line const line1 = line(0, 0, 7, 1, 0, 3);
    gte_point point = poisoned<gte_point>();
    EXPECT_EQ(gte_intersecXY_line_line(line1, line(1, 1, 0, 0, 1, 0), &point), 1);
    // z comes from line1's point, not from where line1 passes above the crossing.
    EXPECT_POINT_EQ(point, 1.0, 0.0, 7.0);
    EXPECT_EQ(gte_intersecXY_line_line(line(1, 1, -2, 0, 1, 0), line1, &point), 1);
    EXPECT_POINT_EQ(point, 1.0, 0.0, -2.0);

    // Parallel in XY off and on line1's trace, and a vertical line2: nothing written.
    point = poisoned<gte_point>();
    EXPECT_EQ(gte_intersecXY_line_line(line1, line(1, 1, 0, 2, 0, 0), &point), 0);
    EXPECT_EQ(gte_intersecXY_line_line(line1, line(5, 0, -4, 2, 0, 9), &point), kInfinite);
    EXPECT_EQ(gte_intersecXY_line_line(line1, line(3, 3, 0, 0, 0, 1), &point), kInfinite);
    EXPECT_TRUE(untouched(point));
    EXPECT_EQ(gte_intersecXY_line_line(line1, line(1, 1, 0, 0, 1, 0), nullptr), 1);
}

TEST(IntersectPlaneCircle, TwoPointsComeInExchangedOrder) {
    Pair r;
    gte_circle const upright = circle(0, 0, 0, 2.0, 1, 0, 0);
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, upright, r.p), 2);
    EXPECT_POINT_EQ(r.p[0], 0.0, 2.0, 0.0);
    EXPECT_POINT_EQ(r.p[1], 0.0, -2.0, 0.0);
    // Turning the plane or the circle over turns the crossing line, and the order with it.
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0Down, upright, r.p), 2);
    EXPECT_POINT_EQ(r.p[0], 0.0, -2.0, 0.0);
    EXPECT_POINT_EQ(r.p[1], 0.0, 2.0, 0.0);
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(0, 0, 0, 2.0, -3, 0, 0), r.p), 2);
    EXPECT_POINT_EQ(r.p[0], 0.0, -2.0, 0.0);
    // Chord of a raised circle: height 3, radius 5.
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(1, 0, 3, 5.0, 1, 0, 0), r.p), 2);
    EXPECT_POINT_EQ(r.p[0], 1.0, 4.0, 0.0);
    EXPECT_POINT_EQ(r.p[1], 1.0, -4.0, 0.0);
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, upright, nullptr), 2);
}

TEST(IntersectPlaneCircle, TangencyExactAndNear) {
    Pair exact;
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(0, 0, 2, 2.0, 1, 0, 0), exact.p), 1);
    EXPECT_POINT_EQ(exact.p[0], 0.0, 0.0, 0.0);
    EXPECT_TRUE(exact.untouchedFrom(1));

    // Missed by the exact discriminant, caught within 1e-8 at the foot of the centre.
    Pair near;
    EXPECT_EQ(
        gte_intersec_plane_circle(kPlaneZ0, circle(0, 0, 2.000000000001, 2.0, 1, 0, 0), near.p), 1);
    EXPECT_POINT_EQ(near.p[0], 0.0, 0.0, 0.0);
    EXPECT_TRUE(near.untouchedFrom(1));
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(5, -1, 2.000000005, 2.0, 1, 0, 0), near.p),
              1);
    EXPECT_POINT_EQ(near.p[0], 5.0, -1.0, 0.0);
    EXPECT_EQ(
        gte_intersec_plane_circle(kPlaneZ0, circle(0, 0, 2.000000000001, 2.0, 1, 0, 0), nullptr),
        1);

    Pair none;
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(0, 0, 2.00000002, 2.0, 1, 0, 0), none.p),
              0);
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(0, 0, 3, 2.0, 1, 0, 0), none.p), 0);
    EXPECT_TRUE(none.untouchedFrom(0));
}

TEST(IntersectPlaneCircle, FallbackOnlyForAFootOnTheCircle) {
    Pair r;
    // Parallel to the plane at its radius: the foot of the centre is no point of the circle.
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(0, 0, 2, 2.0, 0, 0, 1), r.p), 0);
    // Tilted, lowest point above the plane, centre at the radius: no touch either.
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(0, 0, 2, 2.0, 1, 0, 1), r.p), 0);
    // Lying in the plane (a zero normal counts as (0,0,1)): refused.
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(4, 4, 0, 1.0, 0, 0, -1), r.p), -1);
    EXPECT_EQ(gte_intersec_plane_circle(kPlaneZ0, circle(4, 4, 0, 1.0, 0, 0, 0), r.p), -1);
    EXPECT_TRUE(r.untouchedFrom(0));
}

TEST(IntersectLineCircle, OrderFollowsTheLine) {
    gte_circle const c = circle(0, 0, 0, 2.0, 0, 0, 1);
    double const s3 = std::sqrt(3.0);
    Pair r;
    EXPECT_EQ(gte_intersec_line_circle(line(-10, 1, 0, 1, 0, 0), c, r.p), 2);
    EXPECT_POINT_NEAR(r.p[0], -s3, 1.0, 0.0, 1e-14);
    EXPECT_POINT_NEAR(r.p[1], s3, 1.0, 0.0, 1e-14);
    EXPECT_EQ(gte_intersec_line_circle(line(-10, 1, 0, -1, 0, 0), c, r.p), 2);
    EXPECT_POINT_NEAR(r.p[0], s3, 1.0, 0.0, 1e-14);
    EXPECT_POINT_NEAR(r.p[1], -s3, 1.0, 0.0, 1e-14);
    // Off the circle's plane the line is seen along the axis: raised or slanted, the same points.
    for (auto const& off : {line(-10, 1, 5, 1, 0, 0), line(-10, 1, -10, 2, 0, 2)}) {
        EXPECT_EQ(gte_intersec_line_circle(off, c, r.p), 2);
        EXPECT_POINT_NEAR(r.p[0], -s3, 1.0, 0.0, 1e-14);
        EXPECT_POINT_NEAR(r.p[1], s3, 1.0, 0.0, 1e-14);
    }
    // Through the centre on a 3-4-5 slant.
    EXPECT_EQ(gte_intersec_line_circle(line(3, 4, 0, -3, -4, 0), c, r.p), 2);
    EXPECT_POINT_NEAR(r.p[0], 1.2, 1.6, 0.0, 1e-14);
    EXPECT_POINT_NEAR(r.p[1], -1.2, -1.6, 0.0, 1e-14);
    EXPECT_EQ(gte_intersec_line_circle(line(-10, 1, 0, 1, 0, 0), c, nullptr), 2);
}

TEST(IntersectLineCircle, TouchingMissingAndAlongTheAxis) {
    gte_circle const c = circle(0, 0, 0, 2.0, 0, 0, 1);
    Pair touch;
    EXPECT_EQ(gte_intersec_line_circle(line(-10, 2, 3, 1, 0, 0), c, touch.p), 1);
    EXPECT_POINT_NEAR(touch.p[0], 0.0, 2.0, 0.0, 1e-15);
    EXPECT_TRUE(touch.untouchedFrom(1));

    Pair none;
    EXPECT_EQ(gte_intersec_line_circle(line(-10, 2.5, 0, 1, 0, 0), c, none.p), 0);
    // Along the axis, or within 0.001 of it: no crossing reported.
    EXPECT_EQ(gte_intersec_line_circle(line(1, 0, 0, 0, 0, -4), c, none.p), 0);
    EXPECT_EQ(gte_intersec_line_circle(line(1, 0, 0, 0.0009, 0, 1), c, none.p), 0);
    EXPECT_TRUE(none.untouchedFrom(0));
    // Just beyond that cone the line counts again.
    EXPECT_EQ(gte_intersec_line_circle(line(1, 0, 0, 0.0011, 0, 1), c, none.p), 2);
}

TEST(IntersectCircleCircle, ChordPointsLeftThenRight) {
    gte_circle const c1 = circle(0, 0, 0, 3.0, 0, 0, 1);
    gte_circle const c2 = circle(4, 0, 0, 3.0, 0, 0, 1);
    double const s5 = std::sqrt(5.0);
    Pair r;
    EXPECT_EQ(gte_intersec_circle_circle(c1, c2, r.p), 2);
    EXPECT_POINT_NEAR(r.p[0], 2.0, s5, 0.0, 1e-15);
    EXPECT_POINT_NEAR(r.p[1], 2.0, -s5, 0.0, 1e-15);
    // From c2 towards c1 the sides swap.
    EXPECT_EQ(gte_intersec_circle_circle(c2, c1, r.p), 2);
    EXPECT_POINT_NEAR(r.p[0], 2.0, -s5, 0.0, 1e-15);
    EXPECT_POINT_NEAR(r.p[1], 2.0, s5, 0.0, 1e-15);
    // Unequal radii: 5 about the origin and 4 about (3,0,0) meet at (3,+-4,0).
    EXPECT_EQ(
        gte_intersec_circle_circle(circle(0, 0, 0, 5, 0, 0, 1), circle(3, 0, 0, 4, 0, 0, 1), r.p),
        2);
    EXPECT_POINT_EQ(r.p[0], 3.0, 4.0, 0.0);
    EXPECT_POINT_EQ(r.p[1], 3.0, -4.0, 0.0);
    // Slightly tilted normal and slightly raised centre: still one plane.
    EXPECT_EQ(gte_intersec_circle_circle(c1, circle(4, 0, 0.0005, 3.0, 0, 0.01, 1), r.p), 2);
    EXPECT_EQ(gte_intersec_circle_circle(c1, c2, nullptr), 2);

    Pair touch;
    EXPECT_EQ(gte_intersec_circle_circle(circle(0, 0, 0, 2, 0, 0, 1), circle(4, 0, 0, 2, 0, 0, 1),
                                         touch.p),
              1);
    EXPECT_POINT_EQ(touch.p[0], 2.0, 0.0, 0.0);
    EXPECT_TRUE(touch.untouchedFrom(1));
}

TEST(IntersectCircleCircle, RefusalsMissesAndConcentric) {
    gte_circle const c1 = circle(0, 0, 0, 3.0, 0, 0, 1);
    auto expectNothing = [&](gte_circle const& c2, int expected) {
        Pair r;
        EXPECT_EQ(gte_intersec_circle_circle(c1, c2, r.p), expected);
        EXPECT_TRUE(r.untouchedFrom(0));
    };
    // Opposite normals, normals apart beyond 0.001, centre off the plane beyond 0.001.
    expectNothing(circle(4, 0, 0, 3.0, 0, 0, -1), -1);
    expectNothing(circle(4, 0, 0, 3.0, 0, 0.1, 1), -1);
    expectNothing(circle(4, 0, 0.01, 3.0, 0, 0, 1), -1);
    // Apart, and one inside the other.
    expectNothing(circle(7, 0, 0, 0.5, 0, 0, 1), 0);
    expectNothing(circle(0.5, 0, 0, 1.0, 0, 0, 1), 0);
    // Concentric: the same circle meets itself everywhere, another radius nowhere.
    expectNothing(circle(0, 0, 0, 3.0, 0, 0, 2), kInfinite);
    expectNothing(circle(0, 0, 0, 2.0, 0, 0, 1), 0);
    // Centres stacked along the normal within tolerance, radii making the radical plane circle1's
    // own plane: no point to report.
    double const d = 1.0 / 1024.0;
    double const r2 = 3.0000001589457153;
    ASSERT_EQ(3.0 * 3.0 - r2 * r2 + d * d, 0.0);
    expectNothing(circle(0, 0, d, r2, 0, 0, 1), 0);
}

TEST(IntersectArcForms, SameBytesAsTheCircleTwins) {
    gte_circle const circles[] = {circle(0, 0, 0, 2, 0, 0, 1), circle(1.5, 0.25, 0, 1.75, 0, 0, 3),
                                  circle(0.3, -0.7, 0.2, 2.5, 0.1, -0.2, 1),
                                  circle(4, 0, 0, 2, 0, 0, 1), circle(0, 0, 0, 2, 0, 0, -1)};
    gte_line const lines[] = {line(-10, 1, 0, 1, 0, 0), line(0.1, 0.2, 3, 0.3, -1, 0.2),
                              line(-10, 2, 0, 1, 0, 0), line(0, 0, 0, 0, 0, 1)};
    auto same = [](int n1, Pair const& a, int n2, Pair const& b) {
        EXPECT_EQ(n1, n2);
        EXPECT_EQ(std::memcmp(a.p, b.p, sizeof(a.p)), 0);
    };
    for (auto const& arc : circles) {
        for (auto const& l : lines) {
            Pair a, b;
            same(gte_intersec_line_circle(l, arc, a.p), a, gte_intersec_line_arc(l, arc, b.p), b);
        }
        for (auto const& other : circles) {
            Pair a, b, c;
            int const n = gte_intersec_circle_circle(other, arc, a.p);
            same(n, a, gte_intersec_circle_arc(other, arc, b.p), b);
            same(n, a, gte_intersec_arc_arc(other, arc, c.p), c);
        }
    }
}
