// SPDX-License-Identifier: MIT
// Rotation of a vector about an axis by the right-hand rule.
#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

TEST(RotateTool, RightHandRuleAboutAnyAxis) {
    struct {
        gte_vector vector, axis;
        double angle;
        gte_vector expected;
        double tol;
    } const cases[] = {
        {{1, 0, 0}, {0, 0, 2}, 90, {0, 1, 0}, 1e-15},
        // The component along the axis is kept.
        {{1, 0, 1}, {0, 0, 2}, -90, {0, -1, 1}, 1e-15},
        // A third of a turn about the diagonal cycles the axes.
        {{1, 2, 3}, {1, 1, 1}, 120, {3, 1, 2}, 1e-14},
        // A zero axis leaves only the cosine term: a half turn negates the vector.
        {{1.5, -2, 4}, {0, 0, 0}, 180, {-1.5, 2, -4}, 0},
    };
    for (auto const& c : cases) {
        gte_vector r = poisoned<gte_vector>();
        gte_tool_rotate_vector(c.vector, c.axis, c.angle, &r);
        EXPECT_POINT_NEAR(r, c.expected.x, c.expected.y, c.expected.z, c.tol) << c.angle;
    }
}
