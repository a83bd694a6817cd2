// SPDX-License-Identifier: MIT
#include "deviations.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace tavrisk_tool {

DeviationSummary summarize(std::vector<gte::Vector3> const& points,
                           std::vector<double> const& deviations) {
    double const nan = std::numeric_limits<double>::quiet_NaN();
    auto const at = [&](double value, std::size_t i) {
        return Extreme{value, static_cast<std::int64_t>(i), points[i]};
    };
    DeviationSummary summary{at(deviations.front(), 0), at(deviations.front(), 0), 0.0};
    double sumOfSquares = 0.0;
    for (std::size_t i = 0; i < deviations.size(); ++i) {
        double const d = deviations[i];
        if (std::isnan(d)) {
            return DeviationSummary{at(nan, i), at(nan, i), nan};
        }
        if (d < summary.low.value) {
            summary.low = at(d, i);
        }
        if (d > summary.high.value) {
            summary.high = at(d, i);
        }
        sumOfSquares += d * d;
    }
    summary.rms = std::sqrt(sumOfSquares / static_cast<double>(deviations.size()));
    return summary;
}

std::vector<PointDeviation> listDeviations(std::vector<gte::Vector3> const& points,
                                           std::vector<double> const& deviations,
                                           std::vector<int> const* nominalIndices) {
    std::vector<PointDeviation> rows;
    rows.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        PointDeviation row{static_cast<std::int64_t>(i), points[i], deviations[i], std::nullopt};
        if (nominalIndices != nullptr) {
            row.nominalIndex = (*nominalIndices)[i];
        }
        rows.push_back(row);
    }
    return rows;
}

void reportExtremes(Report& report, DeviationSummary const& summary, char const* rmsLabel) {
    report.extreme({"deviation", "min"}, "lowest deviation", summary.low);
    report.extreme({"deviation", "max"}, "highest deviation", summary.high);
    if (rmsLabel != nullptr) {
        report.length({"deviation", "rms"}, rmsLabel, summary.rms);
    }
}

}  // namespace tavrisk_tool
