// SPDX-License-Identifier: MIT
// The polar chart of a roundness: the points round the criterion's centre, their distances
// from the middle of the zone drawn larger so that the form shows, between the zone's two
// circles.
#pragma once

#include <string>
#include <vector>

#include "deviations.h"
#include "gte/vector.h"

namespace tavrisk_tool {

struct RoundnessMap {
    std::string title;
    std::vector<std::string> caption;  // the first line in bold
    std::string unit;
    gte::Vector2 centre;
    double radius;  // the criterion's own circle
    double innerRadius;
    double outerRadius;
    std::vector<gte::Vector3> const* points;
    std::vector<double> const* deviations;  // each point's distance from the centre - radius
    DeviationSummary summary;
    std::vector<SupportPoint> supports;
};

// Draws the chart into an SVG file: one "point" mark per point (per point of one in markStride
// of them when there are more than kMostMarks), the two circles of the zone (class "zone"), the
// criterion's circle, the centre and the supports ringed. The caption follows the given lines
// with the enlargement of the radial distances.
void drawRoundnessMap(RoundnessMap const& map, std::string const& path);

}  // namespace tavrisk_tool
