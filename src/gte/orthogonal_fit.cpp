// SPDX-License-Identifier: MIT
#include "gte/orthogonal_fit.h"

#include "gte/eigen_solver.h"

namespace gte {

namespace {

// A contiguous array read as it stands.
auto elementsOf(Vector3 const* points) {
    return [points](std::size_t i) -> Vector3 const& { return points[i]; };
}

}  // namespace

void Scatter::decompose(double eval[3], double evec[3][3]) const {
    EigenSolver3()(s00, s01, s02, s11, s12, s22, false, EigenSolver3::kAscending, eval, evec);
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
    scatter.decompose(eval, evec);

    origin_ = moments.mean;
    direction_ = Vector3(evec[2][0], evec[2][1], evec[2][2]);
    return eval[2] > eval[1];
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
    moments.scatter.decompose(eval, evec);

    origin_ = moments.mean;
    normal_ = Vector3(evec[0][0], evec[0][1], evec[0][2]);
    return eval[1] > eval[0];
}

}  // namespace gte
