// Per-point deviations of measured points from a nominal contour seen from above: what the
// profile export measures, shared with the command-line tool so that both use the same bits.
#pragma once

#include <vector>

#include "tavrisk.h"

namespace tavrisk {

struct ProfileDeviation {
    int nominalIndex;  // the nominal point nearest in XY; the first of equally near ones
    double deviation;  // offset from it along its normal's horizontal part, as given
};

// The deviation of the measured point m from the nominal point nearest to it in XY (the first of
// equally near ones; a nominal point at an undefined distance is taken, so its NaN shows).
// nominalCount must be at least 1.
ProfileDeviation profileDeviationOf(gte_point const& m, gte_point const* nominal,
                                    gte_vector const* normals, int nominalCount);

// One entry per measured point, in order. Both counts must be at least 1.
std::vector<ProfileDeviation> profileDeviationsOf(gte_point const* measured, int measuredCount,
                                                  gte_point const* nominal,
                                                  gte_vector const* normals, int nominalCount);

}  // namespace tavrisk
