// SPDX-License-Identifier: MIT
// The narrowest zone of a point set found by enumeration over its convex hull: the minimum
// width of a solid is attained with a facet on one plane and a vertex on the other, or with an
// edge on each plane, the two edges antipodal. Every such pair is a candidate; they are tried
// narrowest first (widths compared in doubles) and the first whose zone exactly holds every
// hull vertex, and so every point, is the answer.
//
// The hull is built incrementally with exact orientation tests, which also decide exactly
// whether the points span a solid at all. The work is quadratic in the hull's size (edge
// pairs) and proportional to points times facets while building: a limit on both makes the
// search give up rather than run for minutes on a cloud that is all hull.
#pragma once

#include <array>
#include <cstddef>

#include "form/form_types.h"
#include "form/plane_pair_zone.h"

namespace tavrisk::form {

struct HullZone {
    enum class Outcome { kFound, kDegenerate, kGaveUp };
    Outcome outcome = Outcome::kGaveUp;
    // kFound: the configuration of the zone; kDegenerate: coplanar, collinear or coincident.
    FlatnessConfiguration configuration = FlatnessConfiguration::kCoincident;
    // The planes (kFound, and kDegenerate when coplanar: then both through the same plane).
    PlanePair pair;
    // The support points (indices) and the plane each touches.
    std::array<std::size_t, 4> support{};
    std::array<Contact, 4> contact{};
    int supportCount = 0;
};

HullZone narrowestZoneOfHull(gte::Vector3 const* points, std::size_t count);

}  // namespace tavrisk::form
