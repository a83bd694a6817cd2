// SPDX-License-Identifier: MIT
// What the searches that pick candidates by their projections onto a direction share: the range
// of input over which their rounding bound is proven, and the window the bound gives around an
// extreme projection. The bound itself is worked out where each search uses it.
#pragma once

#include <cmath>

#include "gte/vector.h"

namespace tavrisk {

// With every coordinate at most kWindowCoordinateLimit in magnitude and every component of the
// direction at most kWindowDirectionLimit, no difference of coordinates, product or dot product
// overflows, and none is NaN.
constexpr double kWindowCoordinateLimit = 0x1p500;
constexpr double kWindowDirectionLimit = 2.0;

// Whether every component lies within limit; NaN does not.
inline bool withinLimit(gte::Vector3 const& v, double limit) {
    return std::fabs(v[0]) <= limit && std::fabs(v[1]) <= limit && std::fabs(v[2]) <= limit;
}

// fl(fl(S * 2^-46) + 2^-1060) with S = sum_k (high_k - low_k) |d_k| computed in floating point,
// the coordinates' box given by low and high: at least 127 u S_real + 2^-1061, u = 2^-53, since
// the rounded S understates the real one by at most a factor 1 + 5u and 2^-1072. Never smaller
// for a larger box (every step is monotone).
inline double roundingWindow(gte::Vector3 const& low, gte::Vector3 const& high,
                             gte::Vector3 const& d) {
    double const spread =
        ((high[0] - low[0]) * std::fabs(d[0]) + (high[1] - low[1]) * std::fabs(d[1])) +
        (high[2] - low[2]) * std::fabs(d[2]);
    return spread * 0x1p-46 + 0x1p-1060;
}

}  // namespace tavrisk
