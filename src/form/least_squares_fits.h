// SPDX-License-Identifier: MIT
// The first library's least-squares fits, shared by its fit exports and the second library's
// full fits: the plane and line they fit, the records they report, and the residuals of the
// points about them. The exports and the full fits run this code, so that their records are
// the same bits.
#pragma once

#include <cstddef>
#include <optional>

#include "gte/shapes.h"
#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk {

// A plane fitted as gte_fit_plane fits it.
struct FittedPlane {
    bool unique = false;  // the fit is usable, its normal unique, its origin and normal finite
    gte::Vector3 origin;  // the points' mean
    gte::Vector3 normal;  // unit, in the sense the fit chose
    // Of a unique fit, the three-point record, when three points span it and it is finite.
    std::optional<gte_plane> record;
};

// Needs count >= 3; reads the caller's records where they lie.
FittedPlane fitPlaneRecord(gte_point const* points, int count);

// A line fitted as gte_fit_lseg fits it.
struct FittedLine {
    bool unique = false;     // as FittedPlane's
    gte::Vector3 origin;     // the points' mean
    gte::Vector3 direction;  // unit, in the sense the fit chose
    // Of a unique fit, the segment between the feet of the two points farthest apart along the
    // line, when it is finite.
    std::optional<gte_lseg> segment;
};

// Needs count >= 2. Allocates (may throw).
FittedLine fitLineSegment(gte_point const* points, int count);

// The residuals of the points about a fit: the root mean square (the squares summed in index
// order, divided by the count) and the extremes with the first point that has each.
struct ResidualSummary {
    double rms = 0.0;
    double low = 0.0;
    double high = 0.0;
    std::size_t lowIndex = 0;
    std::size_t highIndex = 0;
};

// Each point's signed distance Dot(p - origin, normal) from the plane, as the flatness band
// measures it, to residuals (when not null), and their summary. Needs count >= 1.
ResidualSummary planeResiduals(gte_point const* points, std::size_t count,
                               gte::Vector3 const& origin, gte::Vector3 const& normal,
                               double* residuals);

// Each point's distance from the line (the point-to-line query's), to residuals (when not null),
// and their summary. Needs count >= 1.
ResidualSummary lineResiduals(gte_point const* points, std::size_t count, gte::Line3 const& line,
                              double* residuals);

}  // namespace tavrisk
