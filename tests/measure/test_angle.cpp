// Angles in degrees between lines, rays, segments and planes.
#include <cmath>

#include "tavrisk.h"
#include "test_util.h"

namespace {

gte_point const O(0, 0, 0);
gte_line L(double x, double y, double z) {
    return gte_line(O, gte_vector(x, y, z));
}
gte_ray R(double x, double y, double z) {
    return gte_ray(gte_point(5, -7, 9), gte_vector(x, y, z));
}
gte_plane const kPlaneZ0(O, gte_point(1, 0, 0), gte_point(0, 1, 0));
gte_plane const kPlaneZ0Down(O, gte_point(0, 1, 0), gte_point(1, 0, 0));  // normal (0,0,-1)

}  // namespace

TEST(Angle, EachPairOfFeatures) {
    // A segment points from pt2 towards pt1: s2 points along (-3,2,-1). Reversing one feature
    // gives 180 - a; reversing both gives a again, digit for digit.
    gte_lseg const s1(O, gte_point(1, 2, 3)), s2(gte_point(1, 1, 1), gte_point(4, -1, 2));
    gte_lseg const s1r(s1.pt2, s1.pt1), s2r(s2.pt2, s2.pt1);
    double const a = gte_angle_lseg_lseg(s1, s2), r3 = std::sqrt(3.0);
    // (1,0,1) and (1,0,-1): 90 in space, 0 from above.
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
        {gte_angle_line_line(L(-1, -2, -3), L(-3, 2, -1)), a, 0},
        {gte_angle_line_ray(L(-1, -2, -3), R(-3, 2, -1)), a, 0},
        {gte_angle_ray_ray(R(-1, -2, -3), R(-3, 2, -1)), a, 0},
        {gte_angle_ray_lseg(R(-1, -2, -3), s2), a, 0},
        {gte_angle_line_lseg(L(-1, -2, -3), s2), a, 0},
        // (1,1,1) made unit has a dot product with itself just above 1: clamped to exactly 0 and
        // 180, and to exactly 90 against a plane.
        {gte_angle_line_line(L(1, 1, 1), L(1, 1, 1)), 0, 0},
        {gte_angle_line_line(L(1, 1, 1), L(-1, -1, -1)), 180, 0},
        {gte_angle_line_plane(L(1, 1, 1), gte_plane(O, gte_point(1, -1, 0), gte_point(0, 1, -1))),
         90, 0},
        // Seen from above, for every pair of features.
        {gte_angle_line_line(L(1, 0, 1), L(1, 0, -1)), 90, 0},
        {gte_angleXY_line_line(L(1, 0, 1), L(1, 0, -1)), 0, 0},
        {gte_angleXY_line_ray(L(1, 0, 1), R(1, 0, -1)), 0, 0},
        {gte_angleXY_line_lseg(L(1, 0, 1), down), 0, 0},
        {gte_angleXY_ray_ray(R(1, 0, 1), R(1, 0, -1)), 0, 0},
        {gte_angleXY_ray_lseg(R(1, 0, 1), down), 0, 0},
        {gte_angleXY_lseg_lseg(up, down), 0, 0},
        {gte_angleXY_line_line(L(1, 0, 9), L(-1, 1, -4)), 135, 1e-12},
        // A vertical direction has no direction from above: 90 against anything, itself included.
        {gte_angleXY_line_line(L(0, 0, 5), L(0, 0, 5)), 90, 0},
        // A feature against a plane ignores both senses; planes against planes do not.
        {gte_angle_line_plane(L(r3, 0, 1), kPlaneZ0Down), 30, 1e-12},
        {gte_angle_ray_plane(R(1, 0, r3), kPlaneZ0), 60, 1e-12},
        {gte_angle_lseg_plane(gte_lseg(O, gte_point(r3, 1, -2)), kPlaneZ0Down), 45, 1e-12},
        {gte_angle_line_plane(L(0, 0, -4), kPlaneZ0), 90, 0},
        {gte_angle_plane_plane(kPlaneZ0, kPlaneZ0Down), 180, 0},
        {gte_angle_plane_plane(kPlaneZ0, tilted), 135, 1e-12},
        {gte_angle_plane_plane(kPlaneZ0Down, tilted), 45, 1e-12},
        // Zero directions give 90, or 0 against a plane.
        {gte_angle_line_lseg(L(1, 0, 0), dot), 90, 0},
        {gte_angle_ray_ray(R(0, 0, 0), R(1, 0, 0)), 90, 0},
        {gte_angle_lseg_plane(dot, kPlaneZ0), 0, 0},
    };
    for (auto const& c : cases) EXPECT_NEAR(c.angle, c.expected, c.tol) << &c - cases;
}
