// SPDX-License-Identifier: MIT
// The nominal contour seen from above with the measured points, their deviations drawn larger
// by a stated factor.
#pragma once

#include <string>
#include <vector>

#include "deviations.h"
#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk_tool {

struct ProfileMap {
    std::string title;
    std::vector<std::string> caption;
    std::string unit;
    std::vector<gte_point> const* measured;
    std::vector<gte_point> const* nominal;
    std::vector<gte_vector> const* normals;
    std::vector<int> const* nominalIndex;   // each measured point's nominal point
    std::vector<double> const* deviations;  // along that point's normal, as the profile measures
    DeviationSummary summary;
    double exaggeration;  // 0: chosen so that the largest deviation shows clearly
};

// The factor used when none is given: a round number that draws the largest deviation as about
// a twelfth of the contour's size.
double chosenExaggeration(ProfileMap const& map);

// Draws the map into an SVG file: one "point" mark per measured point.
void drawProfileMap(ProfileMap const& map, std::string const& path);

}  // namespace tavrisk_tool
