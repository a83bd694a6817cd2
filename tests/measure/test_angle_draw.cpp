// Angles with their drawing: the vertex and the two arm directions.
#include <array>
#include <cmath>
#include <tuple>

#include "tavrisk.h"
#include "test_util.h"

namespace {

using Drawing = std::array<double, 10>;  // angle, vertex, first arm, second arm
double const kR = std::sqrt(0.5);

gte_plane const kPlaneZ0(gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0));
gte_plane const kPlaneZ0Down(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, 0));
gte_plane const kPlaneX0(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(0, 0, 1));

gte_lseg seg(double x1, double y1, double z1, double x2, double y2, double z2) {
    return gte_lseg(gte_point(x1, y1, z1), gte_point(x2, y2, z2));
}

// Draws into a poisoned record, so every field must be written; the return value must be the
// recorded angle, with or without a record to fill.
template <class F, class A, class B>
Drawing draw(F f, A const& a, B const& b) {
    gte_angle_result r = poisoned<gte_angle_result>();
    double const angle = f(a, b, &r);
    EXPECT_EQ(angle, r.angle);
    EXPECT_EQ(f(a, b, nullptr), angle);
    return doublesOf(r);
}

}  // namespace

TEST(AngleDraw, SegmentsMeetOnTheSecondLine) {
    // Arms run from pt2 towards pt1; the vertex is the second line's point nearest the first. The
    // XY form drops every end point onto z = 0 first, then makes the arms unit.
    gte_lseg const bottom = seg(0, 0, 0, 2, 0, 0), top = seg(1, -1, 5, 1, 1, 5);
    std::tuple<bool, gte_lseg, gte_lseg, Drawing> const cases[] = {
        {false, bottom, top, {90, 1, 0, 5, -1, 0, 0, 0, -1, 0}},
        {true, bottom, top, {90, 1, 0, 0, -1, 0, 0, 0, -1, 0}},
        // Exactly parallel: the second start is the vertex (projected in the XY form).
        {false, bottom, seg(5, 3, 1, 7, 3, 1), {0, 5, 3, 1, -1, 0, 0, -1, 0, 0}},
        {true, seg(0, 0, 0, 2, 0, 9), seg(5, 3, 1, 7, 3, -4), {0, 5, 3, 0, -1, 0, 0, -1, 0, 0}},
        // Vertical from above: no direction, 90 degrees, its line degenerates to its start.
        {true, seg(0, 0, -1, 2, 0, 3), seg(1, 1, 0, 1, 1, 5), {90, 1, 1, 0, -1, 0, 0, 0, 0, 0}},
        {true,
         seg(3, 4, 12, 0, 0, 0),
         seg(0, 0, -1, 2, 0, 3),
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
        {seg(0, 0, 0, 1, 0, 1), leaning, 1e-14},
        {seg(1, 0, 1, 0, 0, 0), leaning, 1e-14},
        // Away from the origin: the line through pt1 pierces the plane at (2,4,0).
        {seg(3, 4, -1, 2, 4, 0), {45, 2, 4, 0, -kR, 0, kR, -1, 0, 0}, 1e-14},
        // Along the normal (turned from (0,0,-1)): it pierces, but its shadow is a point.
        {seg(4, 5, 7, 4, 5, 2), {90, 4, 5, 0, 0, 0, 1, 0, 0, 0}, 0},
        // No piercing, parallel above or lying in the plane: the origin, both arms the segment's.
        {seg(5, 5, 1, 6, 5, 1), {0, 0, 0, 0, -1, 0, 0, -1, 0, 0}, 0},
        {seg(5, 5, 0, 5, 7, 0), {0, 0, 0, 0, 0, -1, 0, 0, -1, 0}, 0},
        // No length, on the plane and off it: no direction, angle 0, zero arms.
        {seg(3, 3, 0, 3, 3, 0), {}, 0},
        {seg(3, 3, 3, 3, 3, 3), {}, 0},
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
