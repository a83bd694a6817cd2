#include "gte/fit.h"

#include "gte/eigen_solver.h"

namespace gte {

namespace {

// Upper triangle of the sum of outer products of the deviations from the mean, in index order.
struct Scatter {
    double s00 = 0.0, s01 = 0.0, s02 = 0.0, s11 = 0.0, s12 = 0.0, s22 = 0.0;

    Scatter(int count, Vector3 const* points, Vector3 const& mean) {
        for (int i = 0; i < count; ++i) {
            Vector3 const diff = points[i] - mean;
            s00 += diff[0] * diff[0];
            s01 += diff[0] * diff[1];
            s02 += diff[0] * diff[2];
            s11 += diff[1] * diff[1];
            s12 += diff[1] * diff[2];
            s22 += diff[2] * diff[2];
        }
    }

    // Eigenvalues in ascending order with their unit eigenvectors.
    void decompose(double eval[3], double evec[3][3]) const {
        EigenSolver3()(s00, s01, s02, s11, s12, s22, false, EigenSolver3::kAscending, eval, evec);
    }
};

}  // namespace

bool LineFit::fit(int count, Vector3 const* points) {
    if (count < 2 || points == nullptr) {
        origin_ = Vector3::zeroVector();
        direction_ = Vector3::zeroVector();
        return false;
    }

    Vector3 const mean = Centroid(points, static_cast<std::size_t>(count));

    // The covariance proper: the scatter sums divided by the count.
    double const invCount = 1.0 / static_cast<double>(count);
    Scatter scatter(count, points, mean);
    scatter.s00 *= invCount;
    scatter.s01 *= invCount;
    scatter.s02 *= invCount;
    scatter.s11 *= invCount;
    scatter.s12 *= invCount;
    scatter.s22 *= invCount;

    double eval[3], evec[3][3];
    scatter.decompose(eval, evec);

    origin_ = mean;
    direction_ = Vector3(evec[2][0], evec[2][1], evec[2][2]);
    return eval[2] > eval[1];
}

bool PlaneFit::fit(int count, Vector3 const* points) {
    if (count < 3 || points == nullptr) {
        origin_ = Vector3::zeroVector();
        normal_ = Vector3::zeroVector();
        return false;
    }

    Vector3 const mean = Centroid(points, static_cast<std::size_t>(count));

    // Only the eigenvectors matter here, so the scatter sums are not scaled by the count.
    Scatter const scatter(count, points, mean);

    double eval[3], evec[3][3];
    scatter.decompose(eval, evec);

    origin_ = mean;
    normal_ = Vector3(evec[0][0], evec[0][1], evec[0][2]);
    return eval[1] > eval[0];
}

}  // namespace gte
