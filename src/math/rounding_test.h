// SPDX-License-Identifier: MIT
// The rounding test of the fast paths (Ziv's): a double-double approximation whose error is
// bounded decides the correctly rounded result when both ends of its error interval round to the
// same double.
#pragma once

#include "math/double_double.h"

namespace gte::math {

// The double nearest every number within errorBound of value.hi + value.lo, into *rounded, or
// false when the interval holds a rounding boundary. value must be normalised (|lo| at most half
// an ulp of hi). The bound is widened by 2^-10 of itself, far more than the two roundings of
// lo -+ errorBound can take from it (at most 2^-53 of |lo| + errorBound, and |lo| is below
// 2^-52 |hi| while every caller's bound is above 2^-70 |hi|).
inline bool RoundIfDecided(DoubleDouble value, double errorBound, double* rounded) {
    constexpr double kWidening = 1.0 + 0x1p-10;
    double const margin = errorBound * kWidening;
    double const low = value.hi + (value.lo - margin);
    double const high = value.hi + (value.lo + margin);
    if (low != high) {
        return false;
    }
    *rounded = low;
    return true;
}

}  // namespace gte::math
