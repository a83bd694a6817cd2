// Symmetric 3x3 eigen-decomposition: exact results on diagonal input, the three orderings, the
// handedness of the eigenvector basis, and the eigen equations on random matrices.
#include <cmath>
#include <limits>
#include <random>

#include "gte/eigen_solver.h"
#include "test_util.h"

using gte::EigenSolver3;
using gte::Vector3;

namespace {

struct Decomposition {
    int iterations;
    double eval[3];
    double evec[3][3];

    Vector3 row(int k) const { return Vector3(evec[k][0], evec[k][1], evec[k][2]); }
};

struct Symmetric {
    double a00, a01, a02, a11, a12, a22;

    Decomposition solve(int sortType, bool aggressive = false) const {
        Decomposition d;
        EigenSolver3 solver;
        d.iterations = solver(a00, a01, a02, a11, a12, a22, aggressive, sortType, d.eval, d.evec);
        return d;
    }
    Vector3 times(Vector3 const& v) const {
        return Vector3(a00 * v[0] + a01 * v[1] + a02 * v[2], a01 * v[0] + a11 * v[1] + a12 * v[2],
                       a02 * v[0] + a12 * v[1] + a22 * v[2]);
    }
};

// A v = lambda v for every pair, orthonormal rows, row 2 = row 0 x row 1; tol is absolute.
::testing::AssertionResult isEigenBasis(Symmetric const& a, Decomposition const& d, double tol) {
    for (int k = 0; k < 3; ++k) {
        Vector3 const v = d.row(k);
        // Largest component rather than the length: squares of huge entries would overflow.
        Vector3 const residual = a.times(v) - d.eval[k] * v;
        double const worst = std::fmax(std::fabs(residual[0]),
                                       std::fmax(std::fabs(residual[1]), std::fabs(residual[2])));
        if (!(worst <= tol)) {
            return ::testing::AssertionFailure() << "pair " << k << " residual " << worst;
        }
        for (int j = 0; j < 3; ++j) {
            double const expected = j == k ? 1.0 : 0.0;
            if (std::fabs(gte::Dot(v, d.row(j)) - expected) > 1e-14) {
                return ::testing::AssertionFailure()
                       << "rows " << k << ", " << j << " not orthonormal";
            }
        }
    }
    Vector3 const handed = gte::Cross(d.row(0), d.row(1)) - d.row(2);
    if (gte::Length(handed) > 1e-14) {
        return ::testing::AssertionFailure() << "left-handed basis";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(EigenSolver3, DiagonalInputGivesExactAxisVectors) {
    for (double scale : {0.0, 1.0}) {  // the zero matrix and the identity
        Decomposition const d = Symmetric{scale, 0, 0, scale, 0, scale}.solve(1);
        EXPECT_EQ(d.iterations, 0);
        EXPECT_VEC3_EQ(d.eval, scale, scale, scale);
        EXPECT_VEC3_EQ(d.row(0), 0.0, 1.0, 0.0);
        EXPECT_VEC3_EQ(d.row(1), 0.0, 0.0, 1.0);
        EXPECT_VEC3_EQ(d.row(2), 1.0, 0.0, 0.0);
    }

    Symmetric const diag213{2, 0, 0, 1, 0, 3};
    Decomposition d = diag213.solve(1);
    EXPECT_EQ(d.iterations, 0);
    EXPECT_VEC3_EQ(d.eval, 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(d.row(0), 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(d.row(1), 1.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(d.row(2), 0.0, 0.0, -1.0);

    // Unsorted keeps the order in which the reduction leaves the diagonal, not the input order.
    d = diag213.solve(0);
    EXPECT_VEC3_EQ(d.eval, 3.0, 1.0, 2.0);
    EXPECT_VEC3_EQ(d.row(0), 0.0, 0.0, 1.0);
    EXPECT_VEC3_EQ(d.row(1), 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(d.row(2), -1.0, 0.0, 0.0);

    d = diag213.solve(-1);
    EXPECT_VEC3_EQ(d.eval, 3.0, 2.0, 1.0);
    EXPECT_VEC3_EQ(d.row(0), 0.0, 0.0, 1.0);
    EXPECT_VEC3_EQ(d.row(1), 1.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(d.row(2), 0.0, 1.0, 0.0);

    // Any positive selector sorts ascending, any negative one descending.
    Decomposition const up = diag213.solve(7);
    Decomposition const down = diag213.solve(-3);
    EXPECT_VEC3_EQ(up.eval, 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(up.row(2), 0.0, 0.0, -1.0);
    EXPECT_VEC3_EQ(down.eval, 3.0, 2.0, 1.0);
    EXPECT_VEC3_EQ(down.row(2), 0.0, 1.0, 0.0);
}

TEST(EigenSolver3, EqualEigenvaluesKeepTheirOrder) {
    // Strict comparisons: a tie never counts as out of order, which fixes the rows and their
    // handedness for repeated eigenvalues.
    Decomposition d = Symmetric{1, 0, 0, 2, 0, 1}.solve(1);
    EXPECT_VEC3_EQ(d.eval, 1.0, 1.0, 2.0);
    EXPECT_VEC3_EQ(d.row(0), 0.0, 0.0, 1.0);
    EXPECT_VEC3_EQ(d.row(1), 1.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(d.row(2), 0.0, 1.0, 0.0);

    d = Symmetric{1, 0, 0, 1, 0, 2}.solve(1);
    EXPECT_VEC3_EQ(d.eval, 1.0, 1.0, 2.0);
    EXPECT_VEC3_EQ(d.row(0), 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(d.row(1), 1.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(d.row(2), 0.0, 0.0, -1.0);

    d = Symmetric{2, 0, 0, 1, 0, 1}.solve(1);
    EXPECT_VEC3_EQ(d.eval, 1.0, 1.0, 2.0);
    EXPECT_VEC3_EQ(d.row(0), 0.0, 1.0, 0.0);
    EXPECT_VEC3_EQ(d.row(1), 0.0, 0.0, 1.0);
    EXPECT_VEC3_EQ(d.row(2), 1.0, 0.0, 0.0);
}

TEST(EigenSolver3, TridiagonalMatrixInEveryOrder) {
    Symmetric const a{4, 1, 0, 3, 1, 2};
    double const root3 = std::sqrt(3.0);
    double const tol = 1e-14;

    Decomposition const up = a.solve(1);
    EXPECT_NEAR(up.eval[0], 3.0 - root3, tol);
    EXPECT_NEAR(up.eval[1], 3.0, tol);
    EXPECT_NEAR(up.eval[2], 3.0 + root3, tol);
    EXPECT_TRUE(isEigenBasis(a, up, tol));
    // Eigenvector of 3: (1, -1, -1) / sqrt(3), up to sign.
    Vector3 const middle = (up.row(1)[0] > 0.0 ? 1.0 : -1.0) * up.row(1);
    EXPECT_VEC3_NEAR(middle, 1.0 / root3, -1.0 / root3, -1.0 / root3, tol);

    Decomposition const down = a.solve(-1);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(down.eval[k], up.eval[2 - k]);
        // Same eigenvectors, reversed, each possibly flipped.
        EXPECT_NEAR(std::fabs(gte::Dot(down.row(k), up.row(2 - k))), 1.0, tol);
    }
    EXPECT_TRUE(isEigenBasis(a, down, tol));

    Decomposition const unsorted = a.solve(0);
    EXPECT_NEAR(unsorted.eval[0], 3.0, tol);
    EXPECT_NEAR(unsorted.eval[1], 3.0 + root3, tol);
    EXPECT_NEAR(unsorted.eval[2], 3.0 - root3, tol);
    EXPECT_TRUE(isEigenBasis(a, unsorted, tol));

    // Waiting for an exactly zero superdiagonal costs more sweeps but lands on the same result.
    Decomposition const exact = a.solve(1, true);
    EXPECT_EQ(up.iterations, 8);
    EXPECT_EQ(exact.iterations, 15);
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(exact.eval[k], up.eval[k], tol);
        EXPECT_VEC3_NEAR(exact.row(k), up.row(k)[0], up.row(k)[1], up.row(k)[2], tol);
    }
}

TEST(EigenSolver3, LowerBlockAndExtremeScales) {
    // Coupling only between axes 1 and 2: the reduction chases the lower superdiagonal entry.
    Symmetric const lower{5, 0, 0, 2, 1, 2};
    Decomposition const d = lower.solve(1);
    double const h = std::sqrt(0.5);
    EXPECT_VEC3_NEAR(d.eval, 1.0, 3.0, 5.0, 1e-15);
    EXPECT_VEC3_NEAR(d.row(0), 0.0, h, -h, 1e-15);
    EXPECT_VEC3_NEAR(d.row(1), 0.0, h, h, 1e-15);
    EXPECT_VEC3_NEAR(d.row(2), 1.0, 0.0, 0.0, 1e-15);
    EXPECT_TRUE(isEigenBasis(lower, d, 1e-14));

    // Entries whose squares overflow or underflow still decompose: the reflections rescale.
    for (double scale : {1e200, 1e-200}) {
        Symmetric const big{4 * scale, 1 * scale, 0, 3 * scale, 1 * scale, 2 * scale};
        Decomposition const s = big.solve(1);
        EXPECT_NEAR(s.eval[0] / scale, 3.0 - std::sqrt(3.0), 1e-14);
        EXPECT_NEAR(s.eval[2] / scale, 3.0 + std::sqrt(3.0), 1e-14);
        EXPECT_TRUE(isEigenBasis(big, s, 1e-14 * scale));
    }
}

TEST(EigenSolver3, IterationLimitWhenConvergenceNeverShows) {
    double const nan = std::numeric_limits<double>::quiet_NaN();
    double eval[3], evec[3][3];
    EigenSolver3 solver;
    EXPECT_EQ(solver(nan, 0, 0, 1, 0, 1, false, 1, eval, evec), EigenSolver3::kMaxIterations);
    EXPECT_EQ(solver(1, nan, 0, 1, 0.5, 1, true, -1, eval, evec), 2150);
}

TEST(EigenSolver3, RandomMatricesSatisfyTheEigenEquations) {
    std::mt19937 engine(20240611u);
    std::uniform_real_distribution<double> entry(-10.0, 10.0);
    for (int trial = 0; trial < 3000; ++trial) {
        Symmetric a{entry(engine), entry(engine), entry(engine),
                    entry(engine), entry(engine), entry(engine)};
        if (trial % 3 == 1) {  // nearly repeated eigenvalues: a multiple of the identity nudged
            a = Symmetric{5.0, 1e-7 * a.a01, 1e-7 * a.a02, 5.0 + 1e-7 * a.a11, 1e-7 * a.a12, 5.0};
        }
        for (int sortType : {1, -1, 0}) {
            bool const aggressive = trial % 2 == 0;
            Decomposition const d = a.solve(sortType, aggressive);
            ASSERT_LT(d.iterations, EigenSolver3::kMaxIterations);
            ASSERT_TRUE(isEigenBasis(a, d, 1e-12)) << "trial " << trial << " sort " << sortType;
            if (sortType == 1) {
                ASSERT_LE(d.eval[0], d.eval[1]);
                ASSERT_LE(d.eval[1], d.eval[2]);
            } else if (sortType == -1) {
                ASSERT_GE(d.eval[0], d.eval[1]);
                ASSERT_GE(d.eval[1], d.eval[2]);
            }
            double const trace = (a.a00 + a.a11) + a.a22;
            ASSERT_NEAR((d.eval[0] + d.eval[1]) + d.eval[2], trace, 1e-12);
        }
    }
}
