// Angles in degrees between lines, rays, segments and planes.
#include <cmath>

#include "gte/vector.h"
#include "tavrisk.h"
#include "test_util.h"

namespace {

gte_point const O(0, 0, 0);

gte_line lineAlong(double x, double y, double z) {
    return gte_line(O, gte_vector(x, y, z));
}
gte_ray rayAlong(gte_point from, double x, double y, double z) {
    return gte_ray(from, gte_vector(x, y, z));
}
gte_plane const kPlaneZ0(gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0));
// The same plane with the opposite orientation: normal (0,0,-1).
gte_plane const kPlaneZ0Down(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, 0));

}  // namespace

TEST(Angle, LinearPairsDependOnBothSenses) {
    EXPECT_EQ(gte_angle_line_line(lineAlong(1, 2, 3), lineAlong(2, 4, 6)), 0.0);
    EXPECT_EQ(gte_angle_line_line(lineAlong(1, 0, 0), lineAlong(-3, 0, 0)), 180.0);
    EXPECT_EQ(gte_angle_line_line(lineAlong(1, 0, 0), lineAlong(0, 0, 2)), 90.0);
    EXPECT_NEAR(gte_angle_line_line(lineAlong(1, 0, 0), lineAlong(1, 1, 0)), 45.0, 1e-12);
    EXPECT_NEAR(gte_angle_line_line(lineAlong(1, 0, 0), lineAlong(-1, 1, 0)), 135.0, 1e-12);

    // A segment points from pt2 towards pt1.
    gte_lseg const forward(gte_point(0, 0, 0), gte_point(1, 0, 0));
    gte_lseg const backward(gte_point(1, 0, 0), gte_point(0, 0, 0));
    EXPECT_EQ(gte_angle_line_lseg(lineAlong(1, 0, 0), forward), 180.0);
    EXPECT_EQ(gte_angle_line_lseg(lineAlong(1, 0, 0), backward), 0.0);
    EXPECT_EQ(gte_angle_ray_lseg(rayAlong(O, 1, 0, 0), forward), 180.0);

    // Reversing one feature gives 180 - a; reversing both gives a again, digit for digit.
    gte_lseg const s1(gte_point(0, 0, 0), gte_point(1, 2, 3));
    gte_lseg const s2(gte_point(1, 1, 1), gte_point(4, -1, 2));
    gte_lseg const s1r(s1.pt2, s1.pt1), s2r(s2.pt2, s2.pt1);
    double const a = gte_angle_lseg_lseg(s1, s2);
    EXPECT_GT(a, 0.0);
    EXPECT_LT(a, 180.0);
    EXPECT_NEAR(gte_angle_lseg_lseg(s1r, s2), 180.0 - a, 1e-12);
    EXPECT_NEAR(gte_angle_lseg_lseg(s1, s2r), 180.0 - a, 1e-12);
    EXPECT_EQ(gte_angle_lseg_lseg(s1r, s2r), a);

    // Only a ray's direction counts: not its origin, not its one-sidedness.
    gte_ray const r1 = rayAlong(gte_point(5, -7, 9), 1, 2, 3);
    gte_ray const r2 = rayAlong(gte_point(-1, 0, 2), 4, -1, 2);
    double const lines = gte_angle_line_line(lineAlong(1, 2, 3), lineAlong(4, -1, 2));
    EXPECT_EQ(gte_angle_ray_ray(r1, r2), lines);
    EXPECT_EQ(gte_angle_line_ray(lineAlong(1, 2, 3), r2), lines);
    // The segment (1,1,1)-(4,-1,2) points along (-3,2,-1).
    EXPECT_EQ(gte_angle_ray_lseg(r1, s2),
              gte_angle_line_line(lineAlong(1, 2, 3), lineAlong(-3, 2, -1)));
}

TEST(Angle, ParallelDirectionsAreClampedNotNaN) {
    // (1,1,1) normalised has a dot product with itself just above 1 in floating point.
    gte::Vector3 u(1, 1, 1);
    gte::Normalize(u);
    ASSERT_GT(gte::Dot(u, u), 1.0);
    EXPECT_EQ(gte_angle_line_line(lineAlong(1, 1, 1), lineAlong(1, 1, 1)), 0.0);
    EXPECT_EQ(gte_angle_line_line(lineAlong(1, 1, 1), lineAlong(-1, -1, -1)), 180.0);
    EXPECT_EQ(gte_angle_ray_ray(rayAlong(O, 1, 1, 1), rayAlong(O, 1, 1, 1)), 0.0);
    EXPECT_EQ(gte_angle_lseg_lseg(gte_lseg(O, gte_point(1, 1, 1)), gte_lseg(O, gte_point(1, 1, 1))),
              0.0);
    // Against a plane the same direction gives exactly 90.
    EXPECT_EQ(gte_angle_line_plane(lineAlong(1, 1, 1),
                                   gte_plane(O, gte_point(1, -1, 0), gte_point(0, 1, -1))),
              90.0);
}

TEST(Angle, XYFormsProjectOntoTheGround) {
    EXPECT_EQ(gte_angle_line_line(lineAlong(1, 0, 1), lineAlong(1, 0, -1)), 90.0);
    EXPECT_EQ(gte_angleXY_line_line(lineAlong(1, 0, 1), lineAlong(1, 0, -1)), 0.0);
    EXPECT_EQ(gte_angleXY_line_line(lineAlong(1, 1, 7), lineAlong(1, -1, -3)), 90.0);
    EXPECT_NEAR(gte_angleXY_line_line(lineAlong(1, 0, 9), lineAlong(-1, 1, -4)), 135.0, 1e-12);

    // A vertical direction has no direction from above: 90 against anything, itself included.
    gte_line const vertical = lineAlong(0, 0, 5);
    EXPECT_EQ(gte_angleXY_line_line(vertical, lineAlong(1, 0, 0)), 90.0);
    EXPECT_EQ(gte_angleXY_line_line(vertical, vertical), 90.0);
    EXPECT_EQ(gte_angleXY_line_ray(vertical, rayAlong(O, 0, 0, -1)), 90.0);
    EXPECT_EQ(
        gte_angleXY_lseg_lseg(gte_lseg(O, gte_point(0, 0, 3)), gte_lseg(O, gte_point(1, 0, 0))),
        90.0);

    // Each twin: the projection changes the answer, and the same directions as in space.
    gte_line const up(O, gte_vector(1, 0, 1));
    gte_ray const down = rayAlong(gte_point(3, 3, 3), 1, 0, -1);
    gte_lseg const downSeg(gte_point(0, 0, 0), gte_point(-1, 0, 1));  // points along (1,0,-1)
    EXPECT_EQ(gte_angle_line_ray(up, down), 90.0);
    EXPECT_EQ(gte_angleXY_line_ray(up, down), 0.0);
    EXPECT_EQ(gte_angle_line_lseg(up, downSeg), 90.0);
    EXPECT_EQ(gte_angleXY_line_lseg(up, downSeg), 0.0);
    EXPECT_EQ(gte_angle_ray_ray(rayAlong(O, 1, 0, 1), down), 90.0);
    EXPECT_EQ(gte_angleXY_ray_ray(rayAlong(O, 1, 0, 1), down), 0.0);
    EXPECT_EQ(gte_angle_ray_lseg(rayAlong(O, 1, 0, 1), downSeg), 90.0);
    EXPECT_EQ(gte_angleXY_ray_lseg(rayAlong(O, 1, 0, 1), downSeg), 0.0);
    gte_lseg const upSeg(gte_point(1, 0, 1), gte_point(0, 0, 0));  // points along (1,0,1)
    EXPECT_EQ(gte_angle_lseg_lseg(upSeg, downSeg), 90.0);
    EXPECT_EQ(gte_angleXY_lseg_lseg(upSeg, downSeg), 0.0);
    EXPECT_EQ(gte_angleXY_lseg_lseg(downSeg, gte_lseg(gte_point(0, 0, 9), gte_point(1, 0, 0))),
              180.0);
}

TEST(Angle, FeatureToPlaneIgnoresBothSenses) {
    // (sqrt(3), 0, 1) rises at 30 degrees.
    double const r3 = std::sqrt(3.0);
    for (gte_plane const& plane : {kPlaneZ0, kPlaneZ0Down}) {
        EXPECT_NEAR(gte_angle_line_plane(lineAlong(r3, 0, 1), plane), 30.0, 1e-12);
        EXPECT_NEAR(gte_angle_line_plane(lineAlong(-r3, 0, -1), plane), 30.0, 1e-12);
        EXPECT_NEAR(gte_angle_ray_plane(rayAlong(O, 1, 0, r3), plane), 60.0, 1e-12);
        EXPECT_NEAR(gte_angle_lseg_plane(gte_lseg(O, gte_point(r3, 1, -2)), plane), 45.0, 1e-12);
        EXPECT_EQ(gte_angle_line_plane(lineAlong(0, 0, 4), plane), 90.0);
        EXPECT_EQ(gte_angle_line_plane(lineAlong(0, 0, -4), plane), 90.0);
        EXPECT_EQ(gte_angle_ray_plane(rayAlong(O, 3, 4, 0), plane), 0.0);
    }
    // A tilted plane: x + z = 0, normal along (-1,0,-1); the x axis meets it at 45 degrees.
    gte_plane const tilted(O, gte_point(0, 1, 0), gte_point(1, 0, -1));
    EXPECT_NEAR(gte_angle_line_plane(lineAlong(1, 0, 0), tilted), 45.0, 1e-12);
    EXPECT_EQ(gte_angle_line_plane(lineAlong(0, 1, 0), tilted), 0.0);
    // Collinear plane points are measured as the horizontal plane.
    gte_plane const collinear(O, gte_point(1, 1, 1), gte_point(2, 2, 2));
    EXPECT_EQ(gte_angle_line_plane(lineAlong(0, 0, 1), collinear), 90.0);
    EXPECT_EQ(gte_angle_line_plane(lineAlong(1, 1, 0), collinear), 0.0);
}

TEST(Angle, PlanePairsMeasureBetweenNormals) {
    EXPECT_EQ(gte_angle_plane_plane(kPlaneZ0, kPlaneZ0), 0.0);
    EXPECT_EQ(gte_angle_plane_plane(kPlaneZ0, kPlaneZ0Down), 180.0);
    gte_plane const raised(gte_point(0, 0, 7), gte_point(5, 0, 7), gte_point(5, 2, 7));
    EXPECT_EQ(gte_angle_plane_plane(kPlaneZ0, raised), 0.0);
    gte_plane const wall(O, gte_point(0, 1, 0), gte_point(0, 0, 1));  // normal (1,0,0)
    EXPECT_EQ(gte_angle_plane_plane(kPlaneZ0, wall), 90.0);
    // Normal (-1,0,-1)/sqrt(2): 135 to the floor's normal, 45 to the reversed floor's.
    gte_plane const tilted(O, gte_point(0, 1, 0), gte_point(1, 0, -1));
    EXPECT_NEAR(gte_angle_plane_plane(kPlaneZ0, tilted), 135.0, 1e-12);
    EXPECT_NEAR(gte_angle_plane_plane(kPlaneZ0Down, tilted), 45.0, 1e-12);
}

TEST(Angle, ZeroDirectionsGiveNinetyOrZero) {
    gte_lseg const dot(gte_point(2, 2, 2), gte_point(2, 2, 2));
    gte_line const noVector(O, gte_vector(0, 0, 0));
    EXPECT_EQ(gte_angle_line_lseg(lineAlong(1, 0, 0), dot), 90.0);
    EXPECT_EQ(gte_angle_lseg_lseg(dot, dot), 90.0);
    EXPECT_EQ(gte_angle_line_line(noVector, lineAlong(0, 1, 0)), 90.0);
    EXPECT_EQ(gte_angle_ray_ray(gte_ray(O, gte_vector(0, 0, 0)), rayAlong(O, 1, 0, 0)), 90.0);
    EXPECT_EQ(gte_angleXY_line_lseg(lineAlong(1, 0, 0), dot), 90.0);
    EXPECT_EQ(gte_angle_lseg_plane(dot, kPlaneZ0), 0.0);
    EXPECT_EQ(gte_angle_line_plane(noVector, kPlaneZ0), 0.0);
}
