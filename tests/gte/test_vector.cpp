// SPDX-License-Identifier: MIT
// Core vector arithmetic and bases, where the exact digits are part of the contract.
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
