// Core vector arithmetic, where the exact digits are part of the contract.
#include <cmath>

#include "gte/basis.h"
#include "gte/shapes.h"
#include "test_util.h"

using gte::Vector2;
using gte::Vector3;

TEST(Vector3, NormalizeDivisionAndDot) {
    Vector3 v(3.0, 0.0, 4.0);
    EXPECT_EQ(gte::Normalize(v), 5.0);
    // 3 * (1/5) is 0.6000000000000001, not the 0.6 that a division would give.
    EXPECT_VEC3_EQ(v, 0.6000000000000001, 0.0, 0.8);

    Vector3 zero = Vector3::zeroVector();
    EXPECT_EQ(gte::Normalize(zero), 0.0);
    EXPECT_VEC3_EQ(zero, 0.0, 0.0, 0.0);
    // Division by zero yields the zero vector (the same rule serves every dimension).
    EXPECT_VEC3_EQ(Vector3(1.0, 2.0, 3.0) / 0.0, 0.0, 0.0, 0.0);

    // (x + y) + z in index order: any other grouping loses the 1 against 1e16.
    EXPECT_EQ(gte::Dot(Vector3(-1e16, 1e16, 1.0), Vector3(1.0, 1.0, 1.0)), 1.0);
}

TEST(Vector3, CrossAndAxes) {
    EXPECT_VEC3_EQ(gte::Cross(Vector3(1, 2, 3), Vector3(4, 5, 6)), -3.0, 6.0, -3.0);
    EXPECT_VEC3_EQ(gte::NormalizedCross(Vector3(2, 0, 0), Vector3(4, 0, 0)), 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(Vector3::axisVector(1), 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(-Vector3(1, -2, 3), -1.0, 2.0, -3.0);
}

TEST(Shapes, DefaultsCenteredFormAndPlaneFromPoints) {
    Vector3 center, direction;
    double extent;
    gte::Segment3(Vector3(0, 0, 0), Vector3(4, 0, 0)).centeredForm(center, direction, extent);
    EXPECT_VEC3_EQ(center, 2.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(direction, 1.0, 0.0, 0.0);
    EXPECT_EQ(extent, 2.0);
    gte::Segment3(Vector3(1, 2, 3), Vector3(1, 2, 3)).centeredForm(center, direction, extent);
    EXPECT_VEC3_EQ(direction, 0.0, 0.0, 0.0);
    EXPECT_EQ(extent, 0.0);
    Vector2 c2, d2;
    gte::Segment2(Vector2(0, 0), Vector2(0, -6)).centeredForm(c2, d2, extent);
    EXPECT_EQ(c2[1], -3.0);
    EXPECT_EQ(d2[1], -1.0);
    EXPECT_EQ(extent, 3.0);

    EXPECT_VEC3_EQ(gte::Segment3().p[0], -1.0, 0.0, 0.0);
    EXPECT_EQ(gte::Circle3().radius, 1.0);
    EXPECT_VEC3_EQ(gte::Rectangle3().axis[1], 0.0, 1.0, 0.0);

    // Three collinear points leave the plane without a normal; callers decide what to do.
    gte::Plane3 const collinear =
        gte::Plane3::throughPoints(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(2, 0, 0));
    EXPECT_VEC3_EQ(collinear.normal, 0.0, 0.0, 0.0);
    gte::Plane3 const tilted =
        gte::Plane3::throughPoints(Vector3(0, 0, 1), Vector3(1, 0, 1), Vector3(0, 1, 1));
    EXPECT_VEC3_EQ(tilted.normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(tilted.constant, 1.0);
}

TEST(Basis, CompleteBasisIsRightHandedAndGramSchmidtReportsShortest) {
    Vector3 v[3] = {Vector3(0, 0, 1)};
    EXPECT_EQ(gte::CompleteBasis(1, v), 1.0);
    EXPECT_VEC3_EQ(v[1], 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(v[2], -1.0, 0.0, 0.0);
    v[0] = Vector3(1, 0, 0);
    gte::CompleteBasis(1, v);
    EXPECT_VEC3_EQ(v[1], 0.0, 0.0, 1.0);
    EXPECT_VEC3_EQ(v[2], 0.0, -1.0, 0.0);

    EXPECT_EQ(gte::CompleteBasis(3, v), 0.0);
    EXPECT_EQ(gte::GramSchmidt(0, v), 0.0);
    EXPECT_EQ(gte::GramSchmidt(2, nullptr), 0.0);
    Vector3 w[2] = {Vector3(2, 0, 0), Vector3(1, 0.5, 0)};
    EXPECT_EQ(gte::GramSchmidt(2, w), 0.5);
    EXPECT_VEC3_EQ(w[1], 0.0, 1.0, 0.0);
}

TEST(Rotation, RightHandRuleAboutAnyAxisLength) {
    EXPECT_VEC3_NEAR(gte::RotateVector(Vector3(1, 0, 0), Vector3(0, 0, 2), 90.0), 0.0, 1.0, 0.0,
                     1e-15);
    // The component along the axis is kept.
    EXPECT_VEC3_NEAR(gte::RotateVector(Vector3(1, 0, 1), Vector3(0, 0, 2), -90.0), 0.0, -1.0, 1.0,
                     1e-15);
    // A zero axis leaves only the cosine term.
    EXPECT_VEC3_EQ(gte::RotateVector(Vector3(2, 0, 0), Vector3(0, 0, 0), 60.0),
                   2.0 * std::cos(60.0 * 0.017453292519943295), 0.0, 0.0);
}
