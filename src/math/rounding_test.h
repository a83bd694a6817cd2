// SPDX-License-Identifier: MIT
// The rounding test of the fast paths (Ziv's): an approximation whose error is bounded decides
// the correctly rounded result when both ends of its error interval round to the same double.
#pragma once

#include "math/double_double.h"

namespace gte::math {

// The double nearest every number within errorBound of high + low, into *rounded, or false when
// the interval may hold a rounding boundary, for a sum that need not be normalised: the margin
// (see MarginFactor) is the bound widened for the roundings below. Rounding is monotone, so when
// high + (low - margin) and high + (low + margin) round alike, every number between them rounds
// alike too; the two sums miss high + low -+ margin only by the roundings of low -+ margin, at
// most 2^-53 (|low| + margin), which the widening covers. The margin depends on high and the
// bound only, so it is ready before low and the test adds three operations to the end of an
// evaluation.
inline bool RoundIfDecided(double high, double low, double margin, double* rounded) {
    double const down = high + (low - margin);
    double const up = high + (low + margin);
    *rounded = up;
    return down == up;
}

// The margin factor for an error bound of relativeBound |high| where |low| <= lowRatio |high|:
// the bound widened by 2^-10 (for the rounding of the margin and of the sums' margin part) plus
// 2^-52 lowRatio (for the roundings of low in the sums). Take it times |high|.
constexpr double MarginFactor(double relativeBound, double lowRatio) {
    return relativeBound * (1.0 + 0x1p-10) + 0x1p-52 * lowRatio;
}

// The same for a normalised double-double (|lo| at most half an ulp of hi) and an absolute bound
// above 2^-70 |hi|: 2^-53 |lo| is then far below 2^-10 of the bound.
inline bool RoundIfDecided(DoubleDouble value, double errorBound, double* rounded) {
    constexpr double kWidening = 1.0 + 0x1p-10;
    return RoundIfDecided(value.hi, value.lo, errorBound * kWidening, rounded);
}

}  // namespace gte::math
