// Core vector arithmetic, shapes and bases, where the exact digits are part of the contract.
#include "gte/basis.h"
#include "gte/shapes.h"
#include "test_util.h"

using gte::Vector2;
using gte::Vector3;

TEST(Vector3, NormalizeDotAndCross) {
    Vector3 v(3.0, 0.0, 4.0);
    EXPECT_EQ(gte::Normalize(v), 5.0);
    // 3 * (1/5) is 0.6000000000000001, not the 0.6 that a division would give.
    EXPECT_VEC3_EQ(v, 0.6000000000000001, 0.0, 0.8);
    EXPECT_VEC3_EQ(gte::Normalized(Vector3::zeroVector()), 0.0, 0.0, 0.0);
    // Division by zero is defined away: the zero vector.
    EXPECT_VEC3_EQ(Vector3(1.0, 2.0, 3.0) / 0.0, 0.0, 0.0, 0.0);
    // (x + y) + z in index order: any other grouping loses the 1 against 1e16.
    EXPECT_EQ(gte::Dot(Vector3(-1e16, 1e16, 1.0), Vector3(1.0, 1.0, 1.0)), 1.0);
    EXPECT_VEC3_EQ(gte::Cross(Vector3(1, 2, 3), Vector3(4, 5, 6)), -3.0, 6.0, -3.0);
    EXPECT_VEC3_EQ(gte::NormalizedCross(Vector3(2, 0, 0), Vector3(4, 0, 0)), 0.0, 0.0, 0.0);
}

TEST(Shapes, CenteredFormAndPlaneThroughPoints) {
    Vector3 center, direction;
    double extent;
    gte::Segment3(Vector3(0, 0, 0), Vector3(4, 0, 0)).centeredForm(center, direction, extent);
    EXPECT_VEC3_EQ(center, 2.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(direction, 1.0, 0.0, 0.0);
    EXPECT_EQ(extent, 2.0);
    // A segment of no length keeps the zero direction.
    gte::Segment3(Vector3(1, 2, 3), Vector3(1, 2, 3)).centeredForm(center, direction, extent);
    EXPECT_VEC3_EQ(direction, 0.0, 0.0, 0.0);
    EXPECT_EQ(extent, 0.0);
    Vector2 c2, d2;
    gte::Segment2(Vector2(0, 0), Vector2(0, -6)).centeredForm(c2, d2, extent);
    EXPECT_TRUE(c2 == Vector2(0, -3) && d2 == Vector2(0, -1) && extent == 3.0);

    // Oriented by the point order; collinear points leave the plane without a normal.
    auto const through = gte::Plane3::throughPoints;
    gte::Plane3 const tilted = through(Vector3(0, 0, 1), Vector3(0, 1, 1), Vector3(1, 0, 1));
    EXPECT_VEC3_EQ(tilted.normal, 0.0, 0.0, -1.0);
    EXPECT_EQ(tilted.constant, -1.0);
    EXPECT_VEC3_EQ(through(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(2, 0, 0)).normal, 0, 0, 0);
}

TEST(Basis, CompleteBasisIsRightHandedFromEitherAxis) {
    // |x| > |y| takes the first construction, otherwise the second.
    struct {
        Vector3 first, second, third;
    } const cases[] = {
        {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
        {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {{0, -1, 0}, {0, 0, 1}, {-1, 0, 0}},
    };
    for (auto const& c : cases) {
        Vector3 v[3] = {c.first};
        gte::CompleteBasis(1, v);
        EXPECT_TRUE(v[1] == c.second && v[2] == c.third) << c.first[0] << c.first[1];
    }
}
