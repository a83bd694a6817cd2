// SPDX-License-Identifier: MIT
// Orthogonal (total least squares) fits of a line and of a plane to a set of points.
//
// Besides a contiguous array of Vector3 values, a fit takes its points through an accessor,
// pointAt(i) giving the i-th point, so that a caller's own records are read where they lie
// instead of being copied first. The sums run over the points in index order whatever the
// accessor: the same points give the same bits.
#pragma once

#include <cstddef>

#include "gte/vector.h"

namespace gte {

// Upper triangle of the sum of outer products of the deviations from the mean, in index order.
struct Scatter {
    double s00 = 0.0, s01 = 0.0, s02 = 0.0, s11 = 0.0, s12 = 0.0, s22 = 0.0;

    Scatter() = default;
    template <class PointAt>
    Scatter(std::size_t count, PointAt pointAt, Vector3 const& mean) {
        for (std::size_t i = 0; i < count; ++i) {
            add(pointAt(i) - mean);
        }
    }

    // Adds the outer product of the next deviation from the mean.
    void add(Vector3 const& diff) {
        s00 += diff[0] * diff[0];
        s01 += diff[0] * diff[1];
        s02 += diff[0] * diff[2];
        s11 += diff[1] * diff[1];
        s12 += diff[1] * diff[2];
        s22 += diff[2] * diff[2];
    }

    // Eigenvalues in ascending order with their unit eigenvectors. Returns whether the
    // decomposition can be used: it converged, and every value it gave is finite (sums that
    // overflowed give none that is).
    bool decompose(double eval[3], double evec[3][3]) const;
};

// The decomposition of a symmetric matrix is backward stable: each eigenvalue it gives is the
// exact one of a matrix that differs from the given one by a few units of roundoff of its
// largest eigenvalue (each of its handful of reflections rounds at that size, and it stops when
// the off-diagonal entry left is below one unit of its diagonal). Two eigenvalues that come out
// closer than this many such units cannot be told apart, and nor can the directions they belong
// to: whether they came out equal, or in either order, is decided by rounding. Rotating a square
// or a cube, whose spreads tie exactly, separates them by up to three units.
constexpr double kEigenvalueTieRoundoffs = 16.0;

// Whether the eigenvalue at 'apart' of a usable ascending decomposition stands apart from its
// neighbour at 'neighbour' by more than the decomposition can resolve, so that its eigenvector
// is determined by the matrix and not by rounding.
bool EigenvalueStandsApart(double const eval[3], int apart, int neighbour);

// The mean of the points and the scatter of their deviations from it, the sums of each in index
// order.
struct Moments {
    Vector3 mean;
    Scatter scatter;

    template <class PointAt>
    Moments(int count, PointAt pointAt)
        : mean(Centroid(static_cast<std::size_t>(count), pointAt)),
          scatter(static_cast<std::size_t>(count), pointAt, mean) {}
    // Summed already, by a caller that reads the points for more than the fit.
    Moments(Vector3 const& mean_, Scatter const& scatter_) : mean(mean_), scatter(scatter_) {}
    // The same, with the sum of the points from the zero vector in index order known already.
    template <class PointAt>
    Moments(int count, PointAt pointAt, Vector3 const& sum)
        : mean(CentroidOfSum(sum, static_cast<std::size_t>(count))),
          scatter(static_cast<std::size_t>(count), pointAt, mean) {}
};

// The line through the mean of the points along which their spread is largest.
class LineFit {
public:
    // Needs at least two points. Fewer points or a null array store zero vectors and return
    // false. Otherwise stores the mean and the eigenvector of the largest eigenvalue of the
    // covariance, and returns whether the decomposition is usable and that eigenvalue stands
    // apart from the next (EigenvalueStandsApart): only then is the direction unique.
    bool fit(int count, Vector3 const* points);
    // The same fit of the points pointAt(0), ..., pointAt(count - 1).
    template <class PointAt>
    bool fitEach(int count, PointAt pointAt);
    // The same fit from the moments of the count points, summed as Moments sums them.
    bool fitMoments(int count, Moments const& moments) {
        return count < 2 ? clear() : solve(count, moments);
    }

    Vector3 const& origin() const { return origin_; }
    Vector3 const& direction() const { return direction_; }

private:
    bool solve(int count, Moments moments);
    bool clear();

    Vector3 origin_ = Vector3::zeroVector();
    Vector3 direction_ = Vector3::zeroVector();
};

// The plane through the mean of the points across which their spread is smallest.
class PlaneFit {
public:
    // Needs at least three points. Fewer points or a null array store zero vectors and return
    // false. Otherwise stores the mean and the eigenvector of the smallest eigenvalue of the
    // scatter matrix, and returns whether the decomposition is usable and that eigenvalue stands
    // apart from the next (EigenvalueStandsApart): only then is the normal unique.
    bool fit(int count, Vector3 const* points);
    // The same fit of the points pointAt(0), ..., pointAt(count - 1).
    template <class PointAt>
    bool fitEach(int count, PointAt pointAt);
    // The same fit of points whose sum from the zero vector in index order, the one the mean is
    // taken from, is known already: one pass over the points fewer, the same bits.
    bool fitSummed(int count, Vector3 const* points, Vector3 const& sum);

    Vector3 const& origin() const { return origin_; }
    Vector3 const& normal() const { return normal_; }

private:
    bool solve(Moments const& moments);
    bool clear();

    Vector3 origin_ = Vector3::zeroVector();
    Vector3 normal_ = Vector3::zeroVector();
};

template <class PointAt>
bool LineFit::fitEach(int count, PointAt pointAt) {
    return count < 2 ? clear() : solve(count, Moments(count, pointAt));
}

template <class PointAt>
bool PlaneFit::fitEach(int count, PointAt pointAt) {
    return count < 3 ? clear() : solve(Moments(count, pointAt));
}

}  // namespace gte
