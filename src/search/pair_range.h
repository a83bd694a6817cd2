// SPDX-License-Identifier: MIT
// The range of the XY gaps over every pair of points of two sets: from the sets' sorted
// projections, or for few pairs and extreme coordinates in a tight loop over every pair.
#pragma once

#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk {

struct ValueRange {
    double low;
    double high;
};

// The smallest and largest of |Dot((p2.x - p1.x, p2.y - p1.y), n)| over every p1 of set 1 and p2
// of set 2, as running extremes over the pairs (set 1 outer, set 2 inner) give them: the first
// NaN for both when any value is NaN. Needs both counts >= 1. Allocates (may throw).
ValueRange pairRangeXY(gte_point const* points1, int count1, gte_point const* points2, int count2,
                       gte::Vector2 const& n);

namespace detail {
// The same from the sorted projections whatever the number of pairs, where the coordinates allow.
ValueRange pairRangeXYSorted(gte_point const* points1, int count1, gte_point const* points2,
                             int count2, gte::Vector2 const& n);
// The same without vector instructions; what pairRangeXY runs where there are none.
ValueRange pairRangeXYPortable(gte_point const* points1, int count1, gte_point const* points2,
                               int count2, gte::Vector2 const& n);
}  // namespace detail

}  // namespace tavrisk
