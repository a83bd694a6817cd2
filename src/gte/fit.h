// Orthogonal (total least squares) fits of a line and of a plane to a set of points.
#pragma once

#include "gte/vector.h"

namespace gte {

// The line through the mean of the points along which their spread is largest.
class LineFit {
public:
    // Needs at least two points. Fewer points or a null array store zero vectors and return
    // false. Otherwise stores the mean and the eigenvector of the largest eigenvalue of the
    // covariance, and returns whether that eigenvalue stands alone (the direction is unique).
    bool fit(int count, Vector3 const* points);

    Vector3 const& origin() const { return origin_; }
    Vector3 const& direction() const { return direction_; }

private:
    Vector3 origin_ = Vector3::zeroVector();
    Vector3 direction_ = Vector3::zeroVector();
};

// The plane through the mean of the points across which their spread is smallest.
class PlaneFit {
public:
    // Needs at least three points. Fewer points or a null array store zero vectors and return
    // false. Otherwise stores the mean and the eigenvector of the smallest eigenvalue of the
    // scatter matrix, and returns whether that eigenvalue stands alone (the normal is unique).
    bool fit(int count, Vector3 const* points);

    Vector3 const& origin() const { return origin_; }
    Vector3 const& normal() const { return normal_; }

private:
    Vector3 origin_ = Vector3::zeroVector();
    Vector3 normal_ = Vector3::zeroVector();
};

}  // namespace gte
