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

// The same test for a bound relative to value.hi, in one multiplication and one addition: the
// fast paths' own. value.hi + value.lo * factor == value.hi shows that every number within
// relativeBound |value.hi| of value.hi + value.lo rounds to value.hi, when factor = 1 + eta with
// eta >= (2^54 relativeBound + 2^-53)(1 + eta) and value.hi is normal.
//
// Proof, for h = value.hi > 0, u the gap from h to the next double up and g the gap down (u, or
// u/2 where h is a power of 2), so that h < 2^53 u and h <= 2^53 g. The sum rounds to h only if
// t = RN(value.lo * factor) lies in [-g/2, u/2]. For value.lo > 0 that gives value.lo * factor
// <= (u/2)(1 + 2^-53) (u/2 is a power of 2), so value.lo + e stays below u/2 for every
// e <= (u/2)(eta - 2^-53)/(1 + eta), and e <= relativeBound h < relativeBound 2^53 u is such an
// e. For value.lo < 0 the same holds with g, and for value.lo = 0 trivially. So every number
// within the bound lies strictly inside the interval that rounds to h, or on an end that rounds
// to h as the sum did.
constexpr double RelativeTestFactor(double relativeBound) {
    // eta <= 2^-8 for the bounds used (below 2^-63); the 2^-52 covers the 2^-53 term, the
    // 2^-61 that (1 + eta) adds to it and the rounding of 1 + eta to a double.
    return 1.0 + (0x1p54 * relativeBound * (1.0 + 0x1p-8) + 0x1p-52);
}

inline bool RoundsToHigh(DoubleDouble value, double factor) {
    return value.hi + value.lo * factor == value.hi;
}

}  // namespace gte::math
