// SPDX-License-Identifier: MIT
// Flatness by the minimum zone: the narrowest pair of parallel planes that holds every point,
// beside the least-squares band that the flatness export reports.
//
// The zone is found in the least-squares frame (origin at the centroid, height along the fitted
// normal) as the narrowest vertical zone, a small linear programme solved over an active set of
// points that grows by the violators of linear passes; the frame is turned to the zone's normal
// and the programme solved again until the zone's contacts lock it. A certificate follows, with
// exact tests: every point lies in the zone spanned by the support points, and the contacts lock
// it (the low contacts' projection along the normal meets the high contacts' projection at an
// interior point: the single point inside the triangle, or the two segments crossing). Locked
// contacts make the zone the narrowest among nearby directions; a bound from the contacts and the
// points' spread across the normal extends that to every direction, which holds for every set
// that is thin beside its extent, as a measured face is. For a set that is not (a block, a few
// scattered points), the search falls back to enumerating the convex hull's antipodal
// facet-vertex and edge-edge pairs, every candidate checked exactly.
#pragma once

#include <cstddef>

#include "form/form_types.h"
#include "gte/vector.h"

namespace tavrisk::form {

enum class FlatnessSearch {
    kActiveSet,        // the linear programme in the least-squares frame
    kHullEnumeration,  // the antipodal pairs of the convex hull
    kDegenerate,       // the points span no solid: the exact rank test decided
};

// The least-squares band, the same bits as the flatness export's on the same points.
struct LeastSquaresPlaneBand {
    gte::Vector3 origin = gte::Vector3::zeroVector();  // the centroid
    gte::Vector3 normal = gte::Vector3::zeroVector();  // unit, in the sense the fit chose
    bool normalUnique = false;  // false: the smallest spread is tied, the normal one of several
    double low = 0.0;           // smallest signed distance to the fitted plane
    double high = 0.0;          // largest
    double width = 0.0;         // high - low
};

struct FlatnessZone {
    FormStatus status = FormStatus::kTooFewPoints;
    // The zone holds every point (exact tests) and no narrower zone exists: proved by the locked
    // contacts and the bound, or by the complete hull enumeration (whose candidates are compared
    // in doubles: zones narrower by less than their rounding are not told apart). False when
    // the search gave up (the returned zone then still holds every point, by its rounded
    // offsets). The zero width of collinear or coincident points is exact and certified, though
    // the plane is not defined by them.
    bool certified = false;
    FlatnessConfiguration configuration = FlatnessConfiguration::kCoincident;
    FlatnessSearch search = FlatnessSearch::kActiveSet;
    double width = 0.0;                                  // distance between the planes
    gte::Vector3 normal = gte::Vector3::zeroVector();    // unit, from the low to the high plane
    gte::Vector3 midPoint = gte::Vector3::zeroVector();  // on the mid-plane
    Supports support;
    LeastSquaresPlaneBand leastSquares;
};

// Needs three points; refuses NaN, infinite and out-of-range coordinates (form_input.h). May
// throw std::bad_alloc.
FlatnessZone minimumZoneFlatness(gte::Vector3 const* points, std::size_t count);

}  // namespace tavrisk::form
