// SPDX-License-Identifier: MIT
// Deviations of measured points from the nominal point nearest to each in XY.
#include "form/profile_deviation.h"

#include "gte/vector.h"
#include "search/xy_order.h"

using gte::Vector3;

namespace tavrisk {

ProfileDeviations::ProfileDeviations(gte_point const* nominal, gte_vector const* normals,
                                     int nominalCount)
    : nominal_(nominal), normals_(normals), nearest_(nominal, nominalCount) {}

ProfileDeviation ProfileDeviations::of(gte_point const& m) {
    int const k = nearest_.nearestTo(m);
    gte_point const& n = nominal_[k];
    gte_vector const& normal = normals_[k];
    // Along the nominal normal's horizontal part, as given (not made unit).
    Vector3 const direction(normal.x, normal.y, 0.0);
    Vector3 const offset(m.x - n.x, m.y - n.y, 0.0);
    return ProfileDeviation{k, gte::Dot(offset, direction)};
}

std::vector<ProfileDeviation> profileDeviationsOf(gte_point const* measured, int measuredCount,
                                                  gte_point const* nominal,
                                                  gte_vector const* normals, int nominalCount) {
    ProfileDeviations deviations(nominal, normals, nominalCount);
    std::vector<ProfileDeviation> paired(static_cast<std::size_t>(measuredCount));
    // Visited in XY order, so that each search starts near its answer whatever the caller's
    // order; each point's answer does not depend on the order.
    for (int i : xyOrder(measured, measuredCount)) {
        paired[static_cast<std::size_t>(i)] = deviations.of(measured[i]);
    }
    return paired;
}

}  // namespace tavrisk
