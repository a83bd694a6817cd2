// SPDX-License-Identifier: MIT
// The top view of a face in its plane's own frame, each point coloured by its signed deviation.
#pragma once

#include <string>
#include <vector>

#include "deviations.h"
#include "gte/vector.h"

namespace tavrisk_tool {

// A view of a plane: looking against its normal, u to the right and v up.
struct PlaneFrame {
    gte::Vector3 origin;
    gte::Vector3 normal;  // unit, in the sense whose largest component is positive
    gte::Vector3 u;
    gte::Vector3 v;
};

// The frame of the plane through origin with the given unit normal. The normal is turned, when
// needed, so that its largest component is positive (a face seen from above has +z); u is the x
// axis laid into the plane (the y axis when the normal is nearly along x) and v = normal x u.
PlaneFrame planeFrameOf(gte::Vector3 const& origin, gte::Vector3 const& normal);

// p in the frame: its coordinates along u and v.
gte::Vector2 inFrame(PlaneFrame const& frame, gte::Vector3 const& p);

struct PlaneMap {
    std::string title;
    std::string headline;  // the caption's first line: the measurement's figures
    std::string unit;
    PlaneFrame frame;
    std::vector<gte::Vector3> const* points;
    std::vector<double> const* deviations;  // signed, positive on the normal's side
    DeviationSummary summary;
    // A form zone's support points, ringed and joined by boundary instead of the extremes, and
    // the zone's planes as offsets from the frame's origin (marked on the colour bar); none when
    // the map shows a least-squares band.
    std::vector<SupportPoint> supports = {};
    double zoneLow = 0.0;
    double zoneHigh = 0.0;
};

// Draws the map into an SVG file: one "point" mark per point (per point of one in markStride of
// them when there are more than kMostMarks). The caption follows the headline with the extremes
// and the direction of view, or the zone's supports.
void drawPlaneMap(PlaneMap const& map, std::string const& path);

}  // namespace tavrisk_tool
