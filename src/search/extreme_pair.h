// SPDX-License-Identifier: MIT
// The two points of a set that lie farthest apart along a direction, found in linear time.
#pragma once

#include <vector>

#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk {

struct PointPair {
    int first;
    int second;
};

// The pair (i, j), i < j, of the points (read as they lie) with the largest value
// |Dot(p[i] - p[j], direction)|, the first pair in
// the order i outer, j inner (both ascending) winning ties: exactly the pair that scanning every
// pair in that order and keeping a strictly greater value finds, on every input, while reading
// the points twice for a set of ordinary coordinates. Needs count >= 2. Allocates (may throw).
PointPair farthestPairAlong(gte_point const* points, int count, gte::Vector3 const& direction);

// The same pair from candidate indices, ascending, that hold every point whose projection lies
// within the rounding window (search/rounding_window.h) of the largest or the smallest projection
// onto direction (projections from the first point), in a set whose coordinates lie in the box
// from low to high, within the window's limits, and direction within its limit. Allocates.
PointPair farthestPairAmong(gte_point const* points, std::vector<int> const& candidates,
                            gte::Vector3 const& direction, gte::Vector3 const& low,
                            gte::Vector3 const& high);

}  // namespace tavrisk
