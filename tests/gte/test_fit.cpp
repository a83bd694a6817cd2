// The line and plane fits without enough points: refused, with the previous fit cleared. Their
// results against the literal algorithm are compared with the fit exports (test_fit.cpp there).
#include "gte/fit.h"
#include "test_util.h"

using gte::Vector3;

TEST(Fit, TooFewPointsOrNoneResetTheResult) {
    Vector3 const triangle[3] = {Vector3(1, 0, 0), Vector3(0, 2, 0), Vector3(0, 0, 3)};
    Vector3 const zero = Vector3::zeroVector();
    gte::LineFit line;
    gte::PlaneFit plane;
    for (Vector3 const* points : {triangle, static_cast<Vector3 const*>(nullptr)}) {
        ASSERT_TRUE(line.fit(3, triangle) && plane.fit(3, triangle));
        EXPECT_FALSE(line.fit(points ? 1 : 2, points));
        EXPECT_FALSE(plane.fit(points ? 2 : 3, points));
        EXPECT_TRUE(line.origin() == zero && line.direction() == zero);
        EXPECT_TRUE(plane.origin() == zero && plane.normal() == zero);
        ASSERT_TRUE(plane.fit(3, triangle));
        EXPECT_FALSE(plane.fitSummed(points ? 2 : 3, points, Vector3(1, 2, 3)));
        EXPECT_TRUE(plane.origin() == zero && plane.normal() == zero);
    }
}
