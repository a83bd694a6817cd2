// SPDX-License-Identifier: MIT
// Per-point deviations of measured points from a nominal contour seen from above: what the
// profile export measures, shared with the command-line tool so that both use the same bits.
#pragma once

#include <vector>

#include "search/nearest_nominal.h"
#include "tavrisk.h"

namespace tavrisk {

struct ProfileDeviation {
    int nominalIndex;  // the nominal point nearest in XY; the first of equally near ones
    double deviation;  // offset from it along its normal's horizontal part, as given
};

// Deviations from one nominal contour, one measured point at a time; the nominal points are
// arranged once for the search of the nearest. Keeps the pointers, not copies.
class ProfileDeviations {
public:
    // nominalCount must be at least 1. Allocates (may throw).
    ProfileDeviations(gte_point const* nominal, gte_vector const* normals, int nominalCount);

    // The deviation of the measured point m from the nominal point nearest to it in XY (the first
    // of equally near ones; a nominal point at an undefined distance is taken, so its NaN shows).
    // Fastest for measured points in order along the contour.
    ProfileDeviation of(gte_point const& m);

private:
    gte_point const* nominal_;
    gte_vector const* normals_;
    NearestNominal nearest_;
};

// One entry per measured point, in order. Both counts must be at least 1. Allocates (may throw).
std::vector<ProfileDeviation> profileDeviationsOf(gte_point const* measured, int measuredCount,
                                                  gte_point const* nominal,
                                                  gte_vector const* normals, int nominalCount);

}  // namespace tavrisk
