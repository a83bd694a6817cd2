// SPDX-License-Identifier: MIT
// The least-squares circle of points seen from above: the centre and radius minimising the sum
// of squared differences between each point's distance from the centre and the radius.
#pragma once

#include <cstddef>

#include "gte/vector.h"

namespace tavrisk::form {

// The fit looks at no centre farther from the points' mean than this many of their spreads (the
// larger extent of their box): there the distances round by more than the deviations they are
// to show, and a sum of squares that is rounding noise could pass for progress. A fit pinned
// near this bound is an arc too flat to have a centre.
constexpr double kFarthestCentreSpreads = 1e6;

struct LeastSquaresCircle {
    gte::Vector2 center = gte::Vector2::zeroVector();
    double radius = 0.0;
    bool fitted = false;     // false: the equations were singular, and there is no centre
    bool converged = false;  // false: not fitted, or the steps did not settle
};

// The algebraic fit (Kasa's: a circle equation linear in its unknowns) gives the start; Gauss-
// Newton steps on the radial deviations, halved when they do not lower the sum or would take
// the centre beyond kFarthestCentreSpreads, refine it. Computed about the centroid, so that
// coordinates far from the origin lose no digits.
LeastSquaresCircle leastSquaresCircle(gte::Vector3 const* points, std::size_t count);

}  // namespace tavrisk::form
