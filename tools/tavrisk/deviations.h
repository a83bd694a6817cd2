// SPDX-License-Identifier: MIT
// Summaries of the per-point deviations a measurement produced.
#pragma once

#include <optional>
#include <vector>

#include "gte/vector.h"
#include "report.h"

namespace tavrisk_tool {

struct DeviationSummary {
    Extreme low;   // the smallest deviation; the first point that has it
    Extreme high;  // the largest deviation; the first point that has it
    double rms;    // root mean square of the deviations
};

// The extremes of the deviations of points (one each, at least one) and their RMS. A NaN
// deviation makes every figure NaN rather than hiding it.
DeviationSummary summarize(std::vector<gte::Vector3> const& points,
                           std::vector<double> const& deviations);

// Every point's deviation in file order, for the listing; nominal indices when given.
std::vector<PointDeviation> listDeviations(std::vector<gte::Vector3> const& points,
                                           std::vector<double> const& deviations,
                                           std::vector<int> const* nominalIndices = nullptr);

// Adds the low and high extremes under "deviation", and the RMS when rmsLabel is given.
void reportExtremes(Report& report, DeviationSummary const& summary, char const* rmsLabel);

}  // namespace tavrisk_tool
