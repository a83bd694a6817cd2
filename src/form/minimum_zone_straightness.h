// SPDX-License-Identifier: MIT
// Straightness by the minimum zone, seen from above: the narrowest pair of parallel lines in XY
// that holds every point (z is ignored, as the straightness export measures horizontally).
//
// The narrowest zone of a polygon has one line along a hull edge and the other through the
// vertex farthest from it; the hull is built with exact orientation tests and its edges are
// walked with their farthest vertices (rotating calipers). The narrowest edge's zone is then
// checked exactly against every hull vertex, and so every point.
#pragma once

#include <cstddef>

#include "form/form_types.h"
#include "gte/vector.h"

namespace tavrisk::form {

enum class StraightnessConfiguration {
    kTwoPlusOne,  // two support points on one line, one on the other
    kCollinear,   // every point on one line: width zero
    kCoincident,  // every point at the same place seen from above: width zero, no direction
};

struct StraightnessZone {
    FormStatus status = FormStatus::kTooFewPoints;
    // The zone holds every point (exact tests) and no narrower one exists (every hull edge
    // tried; widths within their rounding of each other are not told apart). Zero widths of
    // collinear or coincident points are exact too.
    bool certified = false;
    StraightnessConfiguration configuration = StraightnessConfiguration::kCoincident;
    double width = 0.0;
    gte::Vector3 direction = gte::Vector3(1.0, 0.0, 0.0);  // unit, along the lines, z = 0
    gte::Vector3 normal = gte::Vector3(0.0, 1.0, 0.0);     // unit, from the low to the high line
    gte::Vector3 midPoint = gte::Vector3::zeroVector();    // on the mid-line, z = 0
    Supports support;
};

// Needs two points; refuses NaN, infinite and out-of-range x or y (z is not read). May throw
// std::bad_alloc.
StraightnessZone minimumZoneStraightness(gte::Vector3 const* points, std::size_t count);

}  // namespace tavrisk::form
