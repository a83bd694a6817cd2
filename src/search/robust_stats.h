// SPDX-License-Identifier: MIT
// Robust statistics over measured values: the count rule for trimmed averaging, the trimmed
// extreme averages and the two sigma-based outlier filters of the point-set measurements.
#pragma once

#include <cstdint>
#include <vector>

#include "gte/shapes.h"
#include "search/extreme_averages.h"

namespace tavrisk {

// A set of `count` values can give trimmed extreme averages when both ends, each trimmed and
// averaged separately, fit without sharing a value: count > 2 * (trim + average). Negative trims
// and empty averages are refused. Evaluated in 64 bits so that no argument can overflow it.
bool acceptsTrimAndAverage(std::int64_t count, int trim, int average);

// Averages of the `average` smallest and largest values, skipping the `trim` values at each end,
// each summed from the end inwards: what a sorted copy gives, kept without one (only the
// trim + average values at each end are held). Both are NaN when any value is NaN, the first
// one. The caller has checked the count rule. Allocates (may throw).
ExtremeAverages trimmedExtremeAverages(std::vector<double> const& values, int trim, int average);

// Replaces every value further than sigmaFactor standard deviations (population) from the mean
// by the mean itself; a value exactly at the limit stays.
void replaceOutlierDistances(std::vector<double>& distances, double sigmaFactor);

// Pulls the points whose distance to the plane strays more than sigmaFactor standard deviations
// from the centre's distance onto that distance, each along its own perpendicular to the plane.
// The centre is the centroid of the points as given. Needs at least one point; allocates.
void pullInOutlierPoints(std::vector<gte::Vector3>& points, gte::Plane3 const& plane,
                         double sigmaFactor);

}  // namespace tavrisk
