// SPDX-License-Identifier: MIT
// Trimmed extreme averages of the gaps between two point sets across a direction, taken over
// every pair of points without storing or sorting a value per pair.
#pragma once

#include <vector>

#include "gte/vector.h"
#include "search/extreme_averages.h"
#include "search/projected_groups.h"

namespace tavrisk {

// The trimmed extreme averages (robust_stats.h) of the pair values |Dot(p1 - p2, m)|, p1 from
// set1 and p2 from set2, bit for bit what listing the values of every pair and averaging them
// gives, NaN included (the first undefined value, set 1 outer and set 2 inner). Needs both sets
// larger than 2 * (trim + average) and trim >= 0, average >= 1. Memory grows with the sets and
// with trim + average, not with the number of pairs. Allocates (may throw).
ExtremeAverages pairGapAverages(std::vector<gte::Vector3> const& set1,
                                std::vector<gte::Vector3> const& set2, gte::Vector3 const& m,
                                int trim, int average);

// The same over two sets of finite points, each projected from the same origin onto m and sorted
// and merged into groups (projected_groups.h), all within the range of the rounding bound
// (search/rounding_window.h: every coordinate and every component of m within its limit, m not
// zero), whose box gives window = roundingWindow(low, high, m). Allocates (may throw).
ExtremeAverages groupedPairGapAverages(PointView points1,
                                       std::vector<ProjectedGroup> const& groups1,
                                       PointView points2,
                                       std::vector<ProjectedGroup> const& groups2,
                                       gte::Vector3 const& m, double window, int trim, int average);

}  // namespace tavrisk
