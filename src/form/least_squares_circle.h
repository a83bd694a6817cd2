// SPDX-License-Identifier: MIT
// The least-squares circle of points seen from above: the centre and radius minimising the sum
// of squared differences between each point's distance from the centre and the radius.
#pragma once

#include <cstddef>

#include "gte/vector.h"

namespace tavrisk::form {

struct LeastSquaresCircle {
    gte::Vector2 center = gte::Vector2::zeroVector();
    double radius = 0.0;
    bool converged = false;  // false: the algebraic start was singular or the steps did not settle
};

// The algebraic fit (Kasa's: a circle equation linear in its unknowns) gives the start; Gauss-
// Newton steps on the radial deviations, halved when they do not lower the sum, refine it.
// Computed about the centroid, so that coordinates far from the origin lose no digits.
LeastSquaresCircle leastSquaresCircle(gte::Vector3 const* points, std::size_t count);

}  // namespace tavrisk::form
