// SPDX-License-Identifier: MIT
// Symmetric 3x3 eigen-decomposition as the fits call it (ascending, the plain convergence test):
// exact results on block-diagonal input, the order of ties, the handedness of the eigenvector
// basis, and the eigen equations on random matrices.
#include <array>
#include <cmath>
#include <random>

#include "gte/eigen_solver.h"
#include "support/test_util.h"

using namespace tavrisk_test;
using gte::EigenSolver3;
using gte::Vector3;

namespace {

using Symmetric = std::array<double, 6>;  // a00, a01, a02, a11, a12, a22

struct Decomposition {
    double eval[3];
    double evec[3][3];
    Vector3 row(int k) const { return Vector3(evec[k][0], evec[k][1], evec[k][2]); }
};

Decomposition solve(Symmetric const& a) {
    Decomposition d;
    EigenSolver3()(a[0], a[1], a[2], a[3], a[4], a[5], false, EigenSolver3::kAscending, d.eval,
                   d.evec);
    return d;
}

}  // namespace

TEST(EigenSolver3, ExactCasesPinValuesRowsAndOrder) {
    double const h = std::sqrt(0.5);
    struct {
        Symmetric a;
        double eval[3], rows[3][3], tol;
    } const cases[] = {
        {{0, 0, 0, 0, 0, 0}, {0, 0, 0}, {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, 0.0},
        {{1, 0, 0, 1, 0, 1}, {1, 1, 1}, {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, 0.0},
        {{2, 0, 0, 1, 0, 3}, {1, 2, 3}, {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, 0.0},
        // Ties never count as out of order, which fixes rows and handedness for repeated values.
        {{1, 0, 0, 2, 0, 1}, {1, 1, 2}, {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}, 0.0},
        {{1, 0, 0, 1, 0, 2}, {1, 1, 2}, {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, 0.0},
        {{2, 0, 0, 1, 0, 1}, {1, 1, 2}, {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, 0.0},
        // Coupling only between axes 1 and 2: the reduction chases the lower superdiagonal entry.
        {{5, 0, 0, 2, 1, 2}, {1, 3, 5}, {{0, h, -h}, {0, h, h}, {1, 0, 0}}, 1e-15},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        Decomposition const d = solve(c.a);
        EXPECT_VEC3_NEAR(d.eval, c.eval[0], c.eval[1], c.eval[2], c.tol);
        for (int k = 0; k < 3; ++k) {
            EXPECT_VEC3_NEAR(d.evec[k], c.rows[k][0], c.rows[k][1], c.rows[k][2], c.tol);
        }
    }
}

TEST(EigenSolver3, RandomMatricesSatisfyTheEigenEquations) {
    // A v = lambda v for every pair (absolute, on the largest component so that huge entries do
    // not overflow), orthonormal rows, row 2 = row 0 x row 1, and the values ascending.
    std::mt19937 engine(20240611u);
    std::uniform_real_distribution<double> entry(-10.0, 10.0);
    for (int trial = 0; trial < 300; ++trial) {
        Symmetric a;
        for (double& x : a) x = entry(engine);
        if (trial % 3 == 1) {  // nearly repeated eigenvalues: a multiple of the identity nudged
            a = {5.0, 1e-7 * a[1], 1e-7 * a[2], 5.0 + 1e-7 * a[3], 1e-7 * a[4], 5.0};
        }
        // Entries whose squares overflow or underflow still decompose: the
        // reflections rescale.
        double const scale = trial % 5 == 3 ? 1e200 : trial % 5 == 4 ? 1e-200 : 1.0;
        for (double& x : a) x *= scale;
        Vector3 const m[3] = {Vector3(a[0], a[1], a[2]), Vector3(a[1], a[3], a[4]),
                              Vector3(a[2], a[4], a[5])};
        SCOPED_TRACE(::testing::Message() << "trial " << trial);
        Decomposition const d = solve(a);
        for (int k = 0; k < 3; ++k) {
            for (int j = 0; j < 3; ++j) {
                double const residual = gte::Dot(m[j], d.row(k)) - d.eval[k] * d.evec[k][j];
                ASSERT_LE(std::fabs(residual), 1e-12 * scale) << k << ", " << j;
                ASSERT_NEAR(gte::Dot(d.row(k), d.row(j)), j == k ? 1.0 : 0.0, 1e-14);
            }
        }
        ASSERT_LE(gte::Length(gte::Cross(d.row(0), d.row(1)) - d.row(2)), 1e-14);
        ASSERT_LE(d.eval[0], d.eval[1]);
        ASSERT_LE(d.eval[1], d.eval[2]);
    }
}
