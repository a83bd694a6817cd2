// SPDX-License-Identifier: MIT
// The slow path of the correctly rounded functions: each evaluates its function in fixed point
// with a bounded error at 128 bits, and again at 256, 512 and 1024 bits until the error interval
// holds a single rounding. sin, cos, atan and acos of a nonzero rational number are
// transcendental, so no double argument gives a value on a rounding boundary and the loop ends.
#pragma once

namespace gte::math {

// acos(x) for -1 < x < 1.
double PreciseAcos(double x);
// atan(x) for 2^-27 <= |x| < 2^54.
double PreciseAtan(double x);
// sin(x) and cos(x) for finite |x| >= 2^-27.
double PreciseSin(double x);
double PreciseCos(double x);

}  // namespace gte::math
