// SPDX-License-Identifier: MIT
// Eigen-decomposition of a real symmetric 3x3 matrix.
//
// One Householder reflection makes the matrix tridiagonal; Givens reflections then drive one
// superdiagonal entry to zero while the other shrinks, and a last reflection diagonalises the
// remaining 2x2 block. The accumulated reflections give the eigenvectors.
#pragma once

namespace gte {

class EigenSolver3 {
public:
    // Sort selectors: ascending for any positive value, descending for any negative one.
    static constexpr int kAscending = 1;
    static constexpr int kUnsorted = 0;
    static constexpr int kDescending = -1;

    // Upper bound on the Givens sweeps; reached only when convergence is never detected.
    static constexpr int kMaxIterations = 2150;

    // Decomposes the symmetric matrix with entries a00, a01, a02, a11, a12, a22 (row, column).
    // eval[k] is an eigenvalue and evec[k] its unit eigenvector; the rows of evec form a
    // right-handed orthonormal basis. With 'aggressive' the loop waits for a superdiagonal entry
    // that is exactly zero, otherwise for one that is negligible next to its diagonal entries.
    // Returns the 0-based iteration in which convergence was detected, or kMaxIterations.
    int operator()(double a00, double a01, double a02, double a11, double a12, double a22,
                   bool aggressive, int sortType, double eval[3], double evec[3][3]) const;
};

}  // namespace gte
