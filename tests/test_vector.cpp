// Core vector arithmetic, where the exact digits are part of the contract.
#include <cmath>

#include "gte/shapes.h"
#include "test_util.h"

using gte::Vector2;
using gte::Vector3;

TEST(Vector3, NormalizeMultipliesByTheReciprocal) {
    Vector3 v(3.0, 0.0, 4.0);
    EXPECT_EQ(gte::Normalize(v), 5.0);
    // 3 * (1/5) is 0.6000000000000001, not the 0.6 that a division would give.
    EXPECT_EQ(v[0], 0.6000000000000001);
    EXPECT_EQ(v[0], 3.0 * 0.2);
    EXPECT_EQ(v[1], 0.0);
    EXPECT_EQ(v[2], 0.8);
}

TEST(Vector3, ZeroIsLeftAloneAndDivisionByZeroGivesZero) {
    Vector3 zero = Vector3::zeroVector();
    EXPECT_EQ(gte::Normalize(zero), 0.0);
    EXPECT_VEC3_EQ(zero, 0.0, 0.0, 0.0);

    Vector3 v(1.0, 2.0, 3.0);
    v /= 0.0;
    EXPECT_VEC3_EQ(v, 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(Vector3(1.0, 2.0, 3.0) / 0.0, 0.0, 0.0, 0.0);

    Vector2 w(1.0, 2.0);
    w /= 0.0;
    EXPECT_EQ(w[0], 0.0);
    EXPECT_EQ(w[1], 0.0);
}

TEST(Vector3, DotSumsInIndexOrder) {
    // (1e16 + 1) - 1e16 loses the 1 only if the first two products are summed first.
    Vector3 a(1e16, 1.0, -1e16);
    Vector3 b(1.0, 1.0, 1.0);
    EXPECT_EQ(gte::Dot(a, b), 0.0);
    Vector3 c(1.0, 1e16, -1e16);
    EXPECT_EQ(gte::Dot(c, b), 0.0);
    Vector3 d(-1e16, 1e16, 1.0);
    EXPECT_EQ(gte::Dot(d, b), 1.0);
}

TEST(Vector3, CrossAndAxes) {
    EXPECT_VEC3_EQ(gte::Cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), 0.0, 0.0, 1.0);
    EXPECT_VEC3_EQ(gte::Cross(Vector3(0, 1, 0), Vector3(1, 0, 0)), 0.0, 0.0, -1.0);
    EXPECT_VEC3_EQ(gte::normalizedCross(Vector3(2, 0, 0), Vector3(4, 0, 0)), 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(Vector3::axisVector(1), 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(-Vector3(1, -2, 3), -1.0, 2.0, -3.0);
}

TEST(Shapes, DefaultsAndCenteredForm) {
    gte::Segment3 segment(Vector3(0, 0, 0), Vector3(4, 0, 0));
    Vector3 center, direction;
    double extent;
    segment.centeredForm(center, direction, extent);
    EXPECT_VEC3_EQ(center, 2.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(direction, 1.0, 0.0, 0.0);
    EXPECT_EQ(extent, 2.0);

    gte::Segment3 point(Vector3(1, 2, 3), Vector3(1, 2, 3));
    point.centeredForm(center, direction, extent);
    EXPECT_VEC3_EQ(center, 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(direction, 0.0, 0.0, 0.0);
    EXPECT_EQ(extent, 0.0);

    gte::Segment2 flat(Vector2(0, 0), Vector2(0, -6));
    Vector2 c2, d2;
    flat.centeredForm(c2, d2, extent);
    EXPECT_EQ(c2[1], -3.0);
    EXPECT_EQ(d2[1], -1.0);
    EXPECT_EQ(extent, 3.0);

    gte::Segment3 defaultSegment;
    EXPECT_VEC3_EQ(defaultSegment.p[0], -1.0, 0.0, 0.0);
    gte::Circle3 defaultCircle;
    EXPECT_EQ(defaultCircle.radius, 1.0);
    gte::Rectangle3 defaultRect;
    EXPECT_VEC3_EQ(defaultRect.axis[1], 0.0, 1.0, 0.0);

    // Three collinear points leave the plane without a normal; callers decide what to do.
    gte::Plane3 collinear(Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(2, 0, 0));
    EXPECT_VEC3_EQ(collinear.normal, 0.0, 0.0, 0.0);
    gte::Plane3 tilted(Vector3(0, 0, 1), Vector3(1, 0, 1), Vector3(0, 1, 1));
    EXPECT_VEC3_EQ(tilted.normal, 0.0, 0.0, 1.0);
    EXPECT_EQ(tilted.constant, 1.0);
}

TEST(Basis, CompleteBasisIsRightHanded) {
    Vector3 v[3];
    v[0] = Vector3(0, 0, 1);
    EXPECT_EQ(gte::completeBasis(1, v), 1.0);
    EXPECT_VEC3_EQ(v[1], 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(v[2], -1.0, 0.0, 0.0);

    v[0] = Vector3(1, 0, 0);
    gte::completeBasis(1, v);
    EXPECT_VEC3_EQ(v[1], 0.0, 0.0, 1.0);
    EXPECT_VEC3_EQ(v[2], 0.0, -1.0, 0.0);

    EXPECT_EQ(gte::completeBasis(3, v), 0.0);
    EXPECT_EQ(gte::gramSchmidt(0, v), 0.0);
    EXPECT_EQ(gte::gramSchmidt(2, nullptr), 0.0);

    // Gram-Schmidt reports the shortest vector met after projection.
    Vector3 w[2] = {Vector3(2, 0, 0), Vector3(1, 0.5, 0)};
    EXPECT_EQ(gte::gramSchmidt(2, w), 0.5);
    EXPECT_VEC3_EQ(w[1], 0.0, 1.0, 0.0);
}

TEST(Rotation, RightHandRuleAboutAnyAxisLength) {
    Vector3 r = gte::rotateVector(Vector3(1, 0, 0), Vector3(0, 0, 2), 90.0);
    EXPECT_VEC3_NEAR(r, 0.0, 1.0, 0.0, 1e-15);
    r = gte::rotateVector(Vector3(1, 0, 0), Vector3(0, 0, 2), -90.0);
    EXPECT_VEC3_NEAR(r, 0.0, -1.0, 0.0, 1e-15);
    r = gte::rotateVector(Vector3(1, 2, 3), Vector3(0, 0, 1), 0.0);
    EXPECT_VEC3_EQ(r, 1.0, 2.0, 3.0);
    // A zero axis leaves only the cosine term.
    r = gte::rotateVector(Vector3(2, 0, 0), Vector3(0, 0, 0), 60.0);
    EXPECT_VEC3_EQ(r, 2.0 * std::cos(60.0 * 0.017453292519943295), 0.0, 0.0);
}
