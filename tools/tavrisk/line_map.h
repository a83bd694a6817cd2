// SPDX-License-Identifier: MIT
// A deviation plot along a line: each point's deviation against its position along the line,
// with the band the measurement reports.
#pragma once

#include <string>
#include <vector>

#include "deviations.h"

namespace tavrisk_tool {

struct LineMap {
    std::string title;
    std::vector<std::string> caption;
    std::string unit;
    std::string deviationName;  // the vertical axis: "deviation across the line", ...
    std::vector<double> along;  // each point's position along the line
    std::vector<double> const* deviations;
    DeviationSummary summary;
    double bandLow;  // the band drawn: the measurement's own lowest and highest deviation
    double bandHigh;
    bool markLowest;  // false where the lowest deviation means nothing (unsigned distances)
    // A form zone's support points, ringed instead of the extremes; the band is then the zone.
    std::vector<SupportPoint> supports = {};
    std::string alongName = "position along the line";  // the horizontal axis
};

// Draws the plot into an SVG file: one "point" mark per point, or per point of one in
// markStride of them when there are more than kMostMarks (the extremes are ringed whatever).
void drawLineMap(LineMap const& map, std::string const& path);

}  // namespace tavrisk_tool
