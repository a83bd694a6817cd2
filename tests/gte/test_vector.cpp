// SPDX-License-Identifier: MIT
// Core vector arithmetic and bases, where the exact digits are part of the contract.
#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

#include "gte/basis.h"
#include "support/test_util.h"

using namespace tavrisk_test;
using gte::Vector3;

TEST(Vector3, DivisionByZeroIsTheZeroVector) {
    EXPECT_TRUE(Vector3(1.0, 2.0, 3.0) / 0.0 == Vector3(0, 0, 0));
}

TEST(Basis, CompleteBasisIsRightHandedFromEitherAxis) {
    // |x| > |y| takes the first construction (the second is reached by every circle whose
    // normal is z).
    Vector3 v[3] = {{1, 0, 0}};
    gte::CompleteBasis(1, v);
    EXPECT_TRUE(v[1] == Vector3(0, 0, 1) && v[2] == Vector3(0, -1, 0));
}

TEST(NormalizeDirection, OrdinaryLengthsKeepNormalizesBitsAndAnyScaleGivesTheUnitVector) {
    // Where the squared length is a normal double the unit vector and the length are
    // Normalize's, bit for bit: results for ordinary directions do not move.
    std::mt19937_64 draw(0xD1EC7u);
    std::uniform_real_distribution<double> component(-1.0, 1.0), exponent(-150.0, 150.0);
    for (int i = 0; i < 20000; ++i) {
        double const scale = std::pow(10.0, exponent(draw));
        Vector3 direction(component(draw) * scale, component(draw) * scale, 0.0);
        if (i % 2 == 0)
            direction[2] = component(draw) * scale;
        Vector3 normalized = direction, scaled = direction;
        double const length = gte::Normalize(normalized);
        ASSERT_EQ(gte::NormalizeDirection(scaled), length) << i;
        ASSERT_EQ(std::memcmp(&scaled, &normalized, sizeof scaled), 0) << i;
    }
    // Regression: below about 1e-154 the squares lost digits, (1e-160, 0, 0) became 1.00001
    // times a unit vector and (1e-200, 0, 0) the zero vector; above about 1e154 they overflowed
    // and every direction became zero. Any scale now gives the unit vector of its direction.
    Vector3 const unit = gte::Normalized(Vector3(1.0, 0.5, -0.25));
    for (double const scale : {1e-160, 1e-200, 1e-300, 1e155, 1e200, 1e300}) {
        Vector3 v = Vector3(1.0, 0.5, -0.25) * scale;
        double const length = gte::NormalizeDirection(v);
        EXPECT_TRUE(v == unit) << scale;
        EXPECT_NEAR(length / scale, std::sqrt(1.3125), 1e-15) << scale;
    }
    gte::Vector2 subnormal(0.0, -4.9e-324);
    EXPECT_EQ(gte::NormalizeDirection(subnormal), 4.9e-324);
    EXPECT_TRUE(subnormal == gte::Vector2(0.0, -1.0));
    // The length of a direction beyond the largest double is infinite; its unit vector is not.
    Vector3 longest(DBL_MAX, DBL_MAX, 0.0);
    EXPECT_EQ(gte::NormalizeDirection(longest), INFINITY);
    EXPECT_TRUE(longest == gte::Normalized(Vector3(1.0, 1.0, 0.0)));
    // The zero vector stays zero.
    Vector3 zero = Vector3::zeroVector();
    EXPECT_EQ(gte::NormalizeDirection(zero), 0.0);
    EXPECT_TRUE(zero == Vector3::zeroVector());
}
