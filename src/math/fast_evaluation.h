// SPDX-License-Identifier: MIT
// The fast paths of the correctly rounded functions: a double-double approximation and a bound
// on its absolute error, proven in the comments of arc_functions.cpp and circular_functions.cpp
// and checked against MPFR by the tests.
#pragma once

#include "math/double_double.h"
#include "math/rounding_test.h"

namespace gte::math {

struct Approximation {
    DoubleDouble value;
    double errorBound;
};

// acos(x) for 2^-57 <= |x| < 1.
Approximation ApproximateAcos(double x);
// atan(|x|) for 2^-27 <= |x| <= 2^54.
Approximation ApproximateAtan(double magnitude);
// sin(x) and cos(x) for 2^-27 <= |x| < 2^19.
Approximation ApproximateSin(double x);
Approximation ApproximateCos(double x);

inline bool RoundIfDecided(Approximation const& approximation, double* rounded) {
    return RoundIfDecided(approximation.value, approximation.errorBound, rounded);
}

}  // namespace gte::math
