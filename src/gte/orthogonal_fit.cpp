// SPDX-License-Identifier: MIT
#include "gte/orthogonal_fit.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "gte/eigen_solver.h"

namespace gte {

namespace {

// A contiguous array read as it stands.
auto elementsOf(Vector3 const* points) {
    return [points](std::size_t i) -> Vector3 const& { return points[i]; };
}

}  // namespace

bool Scatter::decompose(double eval[3], double evec[3][3]) const {
    int const iterations =
        EigenSolver3()(s00, s01, s02, s11, s12, s22, false, EigenSolver3::kAscending, eval, evec);
    bool finite = true;
    for (int k = 0; k < 3; ++k) {
        finite = finite && std::isfinite(eval[k]) && std::isfinite(evec[k][0]) &&
                 std::isfinite(evec[k][1]) && std::isfinite(evec[k][2]);
    }
    return iterations < EigenSolver3::kMaxIterations && finite;
}

bool EigenvalueStandsApart(double const eval[3], int apart, int neighbour) {
    // The eigenvalues of a scatter are never negative, but rounding may leave the smallest a
    // little below zero: the largest magnitude is the scale of the roundoff.
    double const largest = std::max(std::fabs(eval[0]), std::fabs(eval[2]));
    double const resolution = kEigenvalueTieRoundoffs * DBL_EPSILON * largest;
    return std::fabs(eval[apart] - eval[neighbour]) > resolution;
}

bool LineFit::fit(int count, Vector3 const* points) {
    return points == nullptr ? clear() : fitEach(count, elementsOf(points));
}

bool LineFit::clear() {
    origin_ = Vector3::zeroVector();
    direction_ = Vector3::zeroVector();
    return false;
}

bool LineFit::solve(int count, Moments moments) {
    // The covariance proper: the scatter sums divided by the count.
    Scatter& scatter = moments.scatter;
    double const invCount = 1.0 / static_cast<double>(count);
    scatter.s00 *= invCount;
    scatter.s01 *= invCount;
    scatter.s02 *= invCount;
    scatter.s11 *= invCount;
    scatter.s12 *= invCount;
    scatter.s22 *= invCount;

    double eval[3], evec[3][3];
    bool const usable = scatter.decompose(eval, evec);

    origin_ = moments.mean;
    direction_ = Vector3(evec[2][0], evec[2][1], evec[2][2]);
    return usable && EigenvalueStandsApart(eval, 2, 1);
}

bool PlaneFit::fit(int count, Vector3 const* points) {
    return points == nullptr ? clear() : fitEach(count, elementsOf(points));
}

bool PlaneFit::fitSummed(int count, Vector3 const* points, Vector3 const& sum) {
    return points == nullptr || count < 3 ? clear()
                                          : solve(Moments(count, elementsOf(points), sum));
}

bool PlaneFit::clear() {
    origin_ = Vector3::zeroVector();
    normal_ = Vector3::zeroVector();
    return false;
}

bool PlaneFit::solve(Moments const& moments) {
    // Only the eigenvectors matter here, so the scatter sums are not scaled by the count.
    double eval[3], evec[3][3];
    bool const usable = moments.scatter.decompose(eval, evec);

    origin_ = moments.mean;
    normal_ = Vector3(evec[0][0], evec[0][1], evec[0][2]);
    return usable && EigenvalueStandsApart(eval, 0, 1);
}

}  // namespace gte
