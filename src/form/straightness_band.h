// SPDX-License-Identifier: MIT
// The signed horizontal deviations of points from the vertical plane through a line, and their
// band: what the straightness export measures.
#pragma once

#include "gte/shapes.h"
#include "tavrisk.h"

namespace tavrisk {

struct DeviationBand {
    double high;  // the largest deviation; NaN when a deviation is NaN (the first one)
    double low;   // the smallest deviation; NaN likewise
};

// The plane the straightness about a line measures from: the vertical plane through the line,
// its normal the line's unit direction crossed with the vertical, pointing to the right of the
// line seen from above and as long as the direction's horizontal part. A line within about 0.057
// degrees of vertical has no horizontal across direction: its plane is crossed with x instead.
gte::Plane3 straightnessPlane(gte_line const& line);

// A point's deviation as the measurement defines it: its distance to the plane, negated when the
// unit vector from its foot on the plane to the point points against the plane's normal.
double signedDeviation(gte::Vector3 const& point, gte::Plane3 const& plane);

// Writes signedDeviation of every point to deviations (when not null) and returns their band,
// the running extremes in index order: the same bits as evaluating the definition point by
// point, without its per-point foot, normalisation and sign test where they cannot change the
// result. Needs count >= 1 and a normal whose largest component is at least 2^-11 in magnitude
// and no component beyond 2 (every unit line direction gives such a normal).
DeviationBand deviationBand(gte_point const* points, int count, gte::Plane3 const& plane,
                            double* deviations);

}  // namespace tavrisk
