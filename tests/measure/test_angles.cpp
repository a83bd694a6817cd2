// SPDX-License-Identifier: MIT
// Angles in degrees between lines, rays, segments and planes, and the drawings of some: the
// vertex and the two arm directions.
#include <array>
#include <cmath>
#include <tuple>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

gte_point const O(0, 0, 0);
gte_line lineAlong(double x, double y, double z) {
    return gte_line(O, gte_vector(x, y, z));
}
gte_ray rayAlong(double x, double y, double z) {
    return gte_ray(gte_point(5, -7, 9), gte_vector(x, y, z));
}
gte_plane const kPlaneZ0(O, gte_point(1, 0, 0), gte_point(0, 1, 0));
gte_plane const kPlaneZ0Down(O, gte_point(0, 1, 0), gte_point(1, 0, 0));  // normal (0,0,-1)
gte_plane const kPlaneX0(O, gte_point(0, 1, 0), gte_point(0, 0, 1));

using Drawing = std::array<double, 10>;  // angle, vertex, first arm, second arm
double const kR = std::sqrt(0.5);

// Draws into a poisoned record, so every field must be written; the returned angle is the
// recorded one, without a record to fill too.
template <class F, class A, class B>
gte_angle_result draw(F f, A const& a, B const& b) {
    gte_angle_result r = poisoned<gte_angle_result>();
    double const angle = f(a, b, &r);
    EXPECT_EQ(angle, r.angle);
    EXPECT_EQ(f(a, b, nullptr), r.angle);
    return r;
}

}  // namespace

TEST(Angle, EachPairOfFeatures) {
    // A segment points from pt2 towards pt1: s2 points along (-3,2,-1). Reversing one feature
    // gives 180 - a; reversing both gives a again, digit for digit.
    gte_lseg const s1(O, gte_point(1, 2, 3)), s2(gte_point(1, 1, 1), gte_point(4, -1, 2));
    gte_lseg const s1r(s1.pt2, s1.pt1), s2r(s2.pt2, s2.pt1);
    double const a = gte_angle_lseg_lseg(s1, s2), r3 = std::sqrt(3.0);
    // (1,0,1) and (1,0,-1): 0 from above.
    gte_lseg const up(gte_point(1, 0, 1), O), down(O, gte_point(-1, 0, 1));
    gte_lseg const dot(gte_point(2, 2, 2), gte_point(2, 2, 2));
    gte_plane const tilted(O, gte_point(0, 1, 0), gte_point(1, 0, -1));  // normal (-1,0,-1)/r2
    struct {
        double angle, expected, tol;
    } const cases[] = {
        {a, std::acos(1.0 / 7.0) * 180.0 / std::acos(-1.0), 1e-12},
        {gte_angle_lseg_lseg(s1r, s2), 180.0 - a, 1e-12},
        {gte_angle_lseg_lseg(s1r, s2r), a, 0},
        // Every linear pair measures the same directions.
        {gte_angle_line_line(lineAlong(-1, -2, -3), lineAlong(-3, 2, -1)), a, 0},
        {gte_angle_line_ray(lineAlong(-1, -2, -3), rayAlong(-3, 2, -1)), a, 0},
        {gte_angle_ray_ray(rayAlong(-1, -2, -3), rayAlong(-3, 2, -1)), a, 0},
        {gte_angle_ray_lseg(rayAlong(-1, -2, -3), s2), a, 0},
        {gte_angle_line_lseg(lineAlong(-1, -2, -3), s2), a, 0},
        // (1,1,1) made unit has a dot product with itself just above 1: clamped to exactly 0 and
        // 180, and to exactly 90 against a plane.
        {gte_angle_line_line(lineAlong(1, 1, 1), lineAlong(1, 1, 1)), 0, 0},
        {gte_angle_line_line(lineAlong(1, 1, 1), lineAlong(-1, -1, -1)), 180, 0},
        {gte_angle_line_plane(lineAlong(1, 1, 1),
                              gte_plane(O, gte_point(1, -1, 0), gte_point(0, 1, -1))),
         90, 0},
        // Seen from above, for every pair of features.
        {gte_angleXY_line_line(lineAlong(1, 0, 1), lineAlong(1, 0, -1)), 0, 0},
        {gte_angleXY_line_ray(lineAlong(1, 0, 1), rayAlong(1, 0, -1)), 0, 0},
        {gte_angleXY_line_lseg(lineAlong(1, 0, 1), down), 0, 0},
        {gte_angleXY_ray_ray(rayAlong(1, 0, 1), rayAlong(1, 0, -1)), 0, 0},
        {gte_angleXY_ray_lseg(rayAlong(1, 0, 1), down), 0, 0},
        {gte_angleXY_lseg_lseg(up, down), 0, 0},
        {gte_angleXY_line_line(lineAlong(1, 0, 9), lineAlong(-1, 1, -4)), 135, 1e-12},
        // A vertical direction has no direction from above: 90 against anything, itself included.
        {gte_angleXY_line_line(lineAlong(0, 0, 5), lineAlong(0, 0, 5)), 90, 0},
        // A feature against a plane ignores both senses; planes against planes do not.
        {gte_angle_line_plane(lineAlong(r3, 0, 1), kPlaneZ0Down), 30, 1e-12},
        {gte_angle_ray_plane(rayAlong(1, 0, r3), kPlaneZ0), 60, 1e-12},
        {gte_angle_lseg_plane(gte_lseg(O, gte_point(r3, 1, -2)), kPlaneZ0Down), 45, 1e-12},
        {gte_angle_plane_plane(kPlaneZ0, kPlaneZ0Down), 180, 0},
        {gte_angle_plane_plane(kPlaneZ0, tilted), 135, 1e-12},
        {gte_angle_plane_plane(kPlaneZ0Down, tilted), 45, 1e-12},
        // Zero directions give 90, or 0 against a plane.
        {gte_angle_line_lseg(lineAlong(1, 0, 0), dot), 90, 0},
        {gte_angle_ray_ray(rayAlong(0, 0, 0), rayAlong(1, 0, 0)), 90, 0},
        {gte_angle_lseg_plane(dot, kPlaneZ0), 0, 0},
    };
    for (auto const& c : cases) EXPECT_NEAR(c.angle, c.expected, c.tol) << &c - cases;
}

TEST(AngleDraw, SegmentsMeetOnTheSecondLine) {
    // Arms run from pt2 towards pt1; the vertex is the second line's point nearest the first. The
    // XY form drops every end point onto z = 0 first, then makes the arms unit.
    gte_lseg const bottom = segmentBetween(0, 0, 0, 2, 0, 0),
                   top = segmentBetween(1, -1, 5, 1, 1, 5);
    std::tuple<bool, gte_lseg, gte_lseg, Drawing> const cases[] = {
        {false, bottom, top, {90, 1, 0, 5, -1, 0, 0, 0, -1, 0}},
        {true, bottom, top, {90, 1, 0, 0, -1, 0, 0, 0, -1, 0}},
        // Exactly parallel: the second start is the vertex (projected in the XY form).
        {false, bottom, segmentBetween(5, 3, 1, 7, 3, 1), {0, 5, 3, 1, -1, 0, 0, -1, 0, 0}},
        {true,
         segmentBetween(0, 0, 0, 2, 0, 9),
         segmentBetween(5, 3, 1, 7, 3, -4),
         {0, 5, 3, 0, -1, 0, 0, -1, 0, 0}},
        // Vertical from above: no direction, 90 degrees, its line degenerates to its start.
        {true,
         segmentBetween(0, 0, -1, 2, 0, 3),
         segmentBetween(1, 1, 0, 1, 1, 5),
         {90, 1, 1, 0, -1, 0, 0, 0, 0, 0}},
        {true,
         segmentBetween(3, 4, 12, 0, 0, 0),
         segmentBetween(0, 0, -1, 2, 0, 3),
         {126.86989764584403, -6.9388939039072294e-16, 0, 0, 0.60000000000000009,
          0.80000000000000004, 0, -1, 0, 0}},
    };
    for (auto const& [xy, first, second, expected] : cases) {
        EXPECT_TRUE(recordNear(
            draw(xy ? gte_angleXY_draw_lseg_lseg : gte_angle_draw_lseg_lseg, first, second),
            expected));
    }
}

TEST(AngleDraw, SegmentPlaneArmsLeanTowardsTheNormal) {
    // The segment's own direction (-1,0,-1)/sqrt2 points away from the normal: it is turned. The
    // reversed segment already leans that way and draws the same.
    Drawing const leaning = {45, 0, 0, 0, kR, 0, kR, 1, 0, 0};
    std::tuple<gte_lseg, Drawing, double> const cases[] = {
        {segmentBetween(0, 0, 0, 1, 0, 1), leaning, 1e-14},
        {segmentBetween(1, 0, 1, 0, 0, 0), leaning, 1e-14},
        // Away from the origin: the line through pt1 pierces the plane at (2,4,0).
        {segmentBetween(3, 4, -1, 2, 4, 0), {45, 2, 4, 0, -kR, 0, kR, -1, 0, 0}, 1e-14},
        // Along the normal (turned from (0,0,-1)): it pierces, but its shadow is a point.
        {segmentBetween(4, 5, 7, 4, 5, 2), {90, 4, 5, 0, 0, 0, 1, 0, 0, 0}, 0},
        // No piercing, parallel above or lying in the plane: the origin, both arms the segment's.
        {segmentBetween(5, 5, 1, 6, 5, 1), {0, 0, 0, 0, -1, 0, 0, -1, 0, 0}, 0},
        {segmentBetween(5, 5, 0, 5, 7, 0), {0, 0, 0, 0, 0, -1, 0, 0, -1, 0}, 0},
        // No length, on the plane and off it: no direction, angle 0, zero arms.
        {segmentBetween(3, 3, 0, 3, 3, 0), {}, 0},
        {segmentBetween(3, 3, 3, 3, 3, 3), {}, 0},
    };
    for (auto const& [segment, expected, tol] : cases) {
        EXPECT_TRUE(recordNear(draw(gte_angle_draw_lseg_plane, segment, kPlaneZ0), expected, tol));
    }
}

TEST(AngleDraw, PlanesDrawArmsAcrossTheirCommonLine) {
    // Crossing planes: the vertex is the foot of the first pt1 on the common line u, the arms
    // u x n1 and u x n2. z = 0 and x = 0 meet along the y axis.
    gte_plane const floor(gte_point(3, 7, 0), gte_point(4, 7, 0), gte_point(3, 8, 0));
    gte_plane const p1(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_plane const p2(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, -1));
    // Parallel planes: one arm for both, from the first normal alone: crossed with the z axis, or
    // with the x axis for a normal within 0.2 of it (1 - |z|); a normal with z = 0.6 still
    // crosses z. Distinct, opposite and coincident planes alike, at the first plane's pt1.
    gte_plane const high(gte_point(0.1, 0.3, 2), gte_point(1.1, 0.3, 2), gte_point(0.1, 1.3, 2));
    gte_plane const mild(gte_point(0, 0, 0), gte_point(0, -0.6, 0.8), gte_point(1, 0, 0));
    gte_plane const mildShifted(gte_point(4, 0, 0), gte_point(4, -0.6, 0.8), gte_point(5, 0, 0));
    std::tuple<gte_plane, gte_plane, Drawing, double> const cases[] = {
        {floor, kPlaneX0, {90, 0, 7, 0, 1, 0, 0, 0, 0, -1}, 0},
        // Arms across the line, each in its own plane, opening at the angle of the normals.
        {p1,
         p2,
         {123.50793369737613, -0.82876712328767177, 0.054794520547945258, 0.82876712328767166,
          -0.97726938294222077, 0.064612851764774909, -0.20191516176492161, 0.70224688317678341,
          -0.11704114719613055, -0.70224688317678341},
         0},
        {high, kPlaneZ0, {0, 0.1, 0.3, 2, 0, 1, 0, 0, 1, 0}, 0},
        {kPlaneZ0Down, high, {180, 0, 0, 0, 0, -1, 0, 0, -1, 0}, 0},
        {mild, mildShifted, {0, 0, 0, 0, 1, 0, 0, 1, 0, 0}, 1e-15},
    };
    for (auto const& [first, second, expected, tol] : cases) {
        EXPECT_TRUE(recordNear(draw(gte_angle_draw_plane_plane, first, second), expected, tol));
    }
}
