// SPDX-License-Identifier: MIT
// The convex hull of points seen from above, built with exact orientation tests.
#pragma once

#include <cstddef>
#include <vector>

#include "gte/vector.h"

namespace tavrisk::form {

// The indices of the hull's vertices in counterclockwise order, without collinear or repeated
// points: one index when every point is at the same place, two when all lie on one line.
std::vector<std::size_t> convexHullXY(gte::Vector3 const* points, std::size_t count);

// The exact sign of the cross product of b - a and c - a seen from above: positive when c lies to
// the left of the direction from a to b.
int turnXY(gte::Vector3 const& a, gte::Vector3 const& b, gte::Vector3 const& c);

}  // namespace tavrisk::form
