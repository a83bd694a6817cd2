// SPDX-License-Identifier: MIT
#include "gte/eigen_solver.h"

#include <algorithm>
#include <cmath>

namespace gte {

namespace {

// Reflection (c, s) that maps (u, v) onto the first axis, with c never positive. The inputs are
// scaled by their larger magnitude first so that the squares neither overflow nor underflow.
void CosSin(double u, double v, double& c, double& s) {
    double const maxAbs = std::max(std::fabs(u), std::fabs(v));
    if (maxAbs > 0.0) {
        u /= maxAbs;
        v /= maxAbs;
        double const length = std::sqrt(u * u + v * v);
        c = u / length;
        s = v / length;
        if (c > 0.0) {
            c = -c;
            s = -s;
        }
    } else {
        c = -1.0;
        s = 0.0;
    }
}

// The superdiagonal entry e is done with when it is exactly zero ('aggressive') or when adding it
// to the neighbouring diagonal magnitudes no longer changes their sum.
bool Converged(bool aggressive, double d0, double d1, double e) {
    if (aggressive) {
        return e == 0.0;
    }
    double const diagonalSum = std::fabs(d0) + std::fabs(d1);
    return diagonalSum + std::fabs(e) == diagonalSum;
}

// Half-angle reflection for the 2x2 block with diagonal (d0, d1) and off-diagonal e.
void HalfAngle(double d0, double d1, double e, double& c, double& s) {
    double c2, s2;
    CosSin((d0 - d1) / 2.0, e, c2, s2);
    s = std::sqrt((1.0 - c2) / 2.0);
    c = (s2 / 2.0) / s;
}

// Permutation that sorts d ascending (strict comparisons: ties keep the listed order) and whether
// it is odd, which flips the handedness of the reordered eigenvectors.
bool AscendingPermutation(double const d[3], int& i0, int& i1, int& i2) {
    if (d[1] > d[0]) {
        if (d[0] > d[2]) {
            i0 = 2, i1 = 0, i2 = 1;
            return false;
        }
        if (d[1] > d[2]) {
            i0 = 0, i1 = 2, i2 = 1;
            return true;
        }
        i0 = 0, i1 = 1, i2 = 2;
        return false;
    }
    if (d[1] > d[2]) {
        i0 = 2, i1 = 1, i2 = 0;
        return true;
    }
    if (d[0] > d[2]) {
        i0 = 1, i1 = 2, i2 = 0;
        return false;
    }
    i0 = 1, i1 = 0, i2 = 2;
    return true;
}

}  // namespace

int EigenSolver3::operator()(double a00, double a01, double a02, double a11, double a12, double a22,
                             bool aggressive, int sortType, double eval[3],
                             double evec[3][3]) const {
    // Householder reflection that zeroes the (0,2) entry.
    double c, s;
    CosSin(a12, -a02, c, s);
    double Q[3][3] = {{c, s, 0.0}, {s, -c, 0.0}, {0.0, 0.0, 1.0}};
    bool isRotation = false;  // a reflection has determinant -1

    double t0 = c * a00 + s * a01;
    double t1 = c * a01 + s * a11;
    double b00 = c * t0 + s * t1;
    double b01 = s * t0 - c * t1;
    t0 = s * a00 - c * a01;
    t1 = s * a01 - c * a11;
    double b11 = s * t0 - c * t1;
    double b12 = s * a02 - c * a12;
    double b22 = a22;

    int iteration = 0;
    if (std::fabs(b12) <= std::fabs(b01)) {
        // Chase the larger superdiagonal entry b01 to zero; b12 shrinks towards the block.
        for (iteration = 0; iteration < kMaxIterations; ++iteration) {
            HalfAngle(b00, b11, b01, c, s);
            for (int r = 0; r < 3; ++r) {
                double const q0 = Q[r][0], q1 = Q[r][1], q2 = Q[r][2];
                Q[r][0] = c * q0 + s * q1;
                Q[r][1] = q2;
                Q[r][2] = c * q1 - s * q0;
            }
            isRotation = !isRotation;

            double const old00 = b00, old01 = b01, old11 = b11;
            t0 = c * old00 + s * old01;
            t1 = c * old01 + s * old11;
            b00 = c * t0 + s * t1;
            b11 = b22;
            t0 = c * old01 - s * old00;
            t1 = c * old11 - s * old01;
            b22 = c * t1 - s * t0;
            b01 = s * b12;
            b12 = c * b12;

            if (Converged(aggressive, b00, b11, b01)) {
                // Diagonalise the remaining upper 2x2 block.
                HalfAngle(b00, b11, b01, c, s);
                for (int r = 0; r < 3; ++r) {
                    double const q0 = Q[r][0], q1 = Q[r][1];
                    Q[r][0] = c * q0 + s * q1;
                    Q[r][1] = s * q0 - c * q1;
                }
                isRotation = !isRotation;

                double const f00 = b00, f01 = b01, f11 = b11;
                t0 = c * f00 + s * f01;
                t1 = c * f01 + s * f11;
                b00 = c * t0 + s * t1;
                t0 = s * f00 - c * f01;
                t1 = s * f01 - c * f11;
                b11 = s * t0 - c * t1;
                break;
            }
        }
    } else {
        // Mirror image: chase b12 to zero while b01 shrinks.
        for (iteration = 0; iteration < kMaxIterations; ++iteration) {
            HalfAngle(b22, b11, b12, c, s);
            for (int r = 0; r < 3; ++r) {
                double const q0 = Q[r][0], q1 = Q[r][1], q2 = Q[r][2];
                Q[r][0] = c * q1 - s * q2;
                Q[r][1] = q0;
                Q[r][2] = c * q2 + s * q1;
            }
            isRotation = !isRotation;

            double const old11 = b11, old12 = b12, old22 = b22;
            t0 = c * old22 + s * old12;
            t1 = c * old12 + s * old11;
            b22 = c * t0 + s * t1;
            b11 = b00;
            t0 = c * old12 - s * old22;
            t1 = c * old11 - s * old12;
            b00 = c * t1 - s * t0;
            b12 = s * b01;
            b01 = c * b01;

            if (Converged(aggressive, b11, b22, b12)) {
                // Diagonalise the remaining lower 2x2 block.
                HalfAngle(b11, b22, b12, c, s);
                for (int r = 0; r < 3; ++r) {
                    double const q1 = Q[r][1], q2 = Q[r][2];
                    Q[r][1] = c * q1 + s * q2;
                    Q[r][2] = s * q1 - c * q2;
                }
                isRotation = !isRotation;

                double const f11 = b11, f12 = b12, f22 = b22;
                t0 = c * f11 + s * f12;
                t1 = c * f12 + s * f22;
                b11 = c * t0 + s * t1;
                t0 = s * f11 - c * f12;
                t1 = s * f12 - c * f22;
                b22 = s * t0 - c * t1;
                break;
            }
        }
    }

    double const diagonal[3] = {b00, b11, b22};
    int i0 = 0, i1 = 1, i2 = 2;
    if (sortType >= 1) {
        if (AscendingPermutation(diagonal, i0, i1, i2)) {
            isRotation = !isRotation;
        }
    } else if (sortType <= -1) {
        if (!AscendingPermutation(diagonal, i0, i1, i2)) {
            isRotation = !isRotation;
        }
        std::swap(i0, i2);
    }

    int const order[3] = {i0, i1, i2};
    for (int k = 0; k < 3; ++k) {
        eval[k] = diagonal[order[k]];
        for (int j = 0; j < 3; ++j) {
            evec[k][j] = Q[j][order[k]];
        }
    }

    // Reflections so far would leave a left-handed basis: flip the last vector.
    if (!isRotation) {
        for (int j = 0; j < 3; ++j) {
            evec[2][j] = -evec[2][j];
        }
    }
    return iteration;
}

}  // namespace gte
