// SPDX-License-Identifier: MIT
// Roundness of points seen from above (z is ignored): the form about a reference circle, the
// difference between the farthest and the nearest point's distance from its centre. Four
// criteria choose the centre:
// - minimum zone: the two concentric circles nearest together that hold every point, width
//   R - r. Not a convex problem: the zone is found from the least-squares centre by successive
//   linear programmes (the distances linearised about the centre, solved as a narrowest zone)
//   and fixed by its four contacts, two on each circle, whose bisectors meet at the centre.
//   Certified means: every point lies in the annulus and the contacts alternate outer, inner,
//   outer, inner around the centre, which makes the zone a strict local minimum of R - r (no
//   nearby centre does better); both are exact tests. It does not rule out a narrower zone
//   about a distant centre, which a profile that goes round its centre does not have.
// - minimum circumscribed: the smallest circle holding every point (unique; a convex problem).
//   Certified: exact, and the narrowest in the global sense.
// - maximum inscribed: the largest circle holding no point inside, grown from the
//   least-squares centre. Certified: no point lies inside it and its three contacts surround
//   the centre (an acute triangle), a strict local maximum; exact tests.
// - least squares: the circle minimising the sum of squared radial deviations (Gauss-Newton
//   from the algebraic fit). Certified means the iteration converged.
#pragma once

#include <cstddef>

#include "form/form_types.h"
#include "gte/vector.h"

namespace tavrisk::form {

enum class RoundnessCriterion {
    kMinimumZone,
    kMinimumCircumscribed,
    kMaximumInscribed,
    kLeastSquares,
};

struct RoundnessCircles {
    FormStatus status = FormStatus::kTooFewPoints;
    RoundnessCriterion criterion = RoundnessCriterion::kMinimumZone;
    bool certified = false;                            // see above, per criterion
    gte::Vector3 center = gte::Vector3::zeroVector();  // z = 0
    double innerRadius = 0.0;  // distance of the nearest point from the centre
    double outerRadius = 0.0;  // of the farthest point
    double width = 0.0;        // outerRadius - innerRadius, the roundness
    // The criterion's own circle: the zone's middle (minimum zone), the outer or the inner
    // circle, or the fitted radius (least squares).
    double radius = 0.0;
    // Minimum zone: two outer (kHigh) and two inner (kLow) contacts; circumscribed: two or
    // three outer; inscribed: three inner; least squares: the nearest and the farthest point.
    Supports support;
};

// Needs three points whose positions do not all lie on one line (kNoCentre otherwise, and when
// the zone, the inscribed circle or the least-squares circle runs off without bound); refuses
// NaN, infinite and out-of-range x or y. May throw std::bad_alloc.
RoundnessCircles roundness(gte::Vector3 const* points, std::size_t count,
                           RoundnessCriterion criterion);

}  // namespace tavrisk::form
