// SPDX-License-Identifier: MIT
// Correctly rounded acos and atan: both reduce to the arc tangent of a ratio in [0, 1], taken
// from a table of atan(i/256) and a short odd series of the remainder.
#include <cmath>
#include <limits>

#include "math/correctly_rounded.h"
#include "math/double_double.h"
#include "math/fast_evaluation.h"
#include "math/fast_path_switch.h"
#include "math/math_constants.h"
#include "math/precise_evaluation.h"
#include "math/rounding_test.h"

namespace gte::math {
namespace {

// The relative error bound of the fast path's double-double arc tangents, 7.5 times the sum of
// the errors of ArcTangentOfRatio (2^-69.9, see there); the subtractions from pi/2 and pi
// that follow only add magnitude, and the square root of acos adds 2^-100.
constexpr double kArcErrorBound = 0x1p-67;

// Below these magnitudes atan(x) rounds to x (x^3/3 < 2^-54 |x|) and acos(x) to the double
// nearest pi/2 (which lies 2^-53.9 below pi/2, well inside its half ulp of 2^-53).
constexpr double kArcTangentIsArgument = 0x1p-27;
constexpr double kArcCosineIsHalfPi = 0x1p-57;
// Above this magnitude atan(x) rounds to the double nearest +-pi/2: pi/2 - 1/x lies between that
// double and 2^-53.9 above it.
constexpr double kArcTangentIsHalfPi = 0x1p54;

// Odd series of atan(z) = z + z^3 * (c3 + z^2 (c5 + z^2 c7)) for |z| <= 2^-9; the next term,
// z^9/9, is below 2^-75 |z|.
constexpr double kArcTangent3 = -1.0 / 3.0;
constexpr double kArcTangent5 = 1.0 / 5.0;
constexpr double kArcTangent7 = -1.0 / 7.0;

// atan(num / den) for 0 <= num <= den as a double-double. With c = i/256 the nearest table
// point to the ratio, atan(num/den) = atan(c) + atan(z), z = (num - c den) / (den + c num),
// |z| <= 2^-9. Errors relative to the result: the series' rounding (its tail computed in
// double from z's high part, 2^-50.7 of z^3/3 <= 2^-19.6 |z|) 2^-70.3; its truncation 2^-75;
// the table, the division and the double-double sums 2^-99. Below 2^-69.9 in all, since
// |z| <= result.
DoubleDouble ArcTangentOfRatio(DoubleDouble num, DoubleDouble den) {
    int index = static_cast<int>(num.hi / den.hi * kArcTableSteps + 0.5);
    if (index > kArcTableSteps) {
        index = kArcTableSteps;
    }
    double const c = index * (1.0 / kArcTableSteps);  // exact
    // num - c den: the high parts cancel exactly into a double-double, the rest is small.
    DoubleDouble const cDen = TwoProduct(c, den.hi);
    DoubleDouble const numeratorHigh = TwoSum(num.hi, -cDen.hi);
    DoubleDouble const numerator =
        FastTwoSum(numeratorHigh.hi, numeratorHigh.lo + ((num.lo - cDen.lo) - c * den.lo));
    DoubleDouble const denominator = Add(den, Multiply(num, c));
    DoubleDouble const z = Divide(numerator, denominator);
    double const zSquared = z.hi * z.hi;
    double const tail =
        zSquared * (kArcTangent3 + zSquared * (kArcTangent5 + zSquared * kArcTangent7));
    DoubleDouble const table = kArcTangentTable[index];
    // |atan(c)| >= |z| unless c = 0, where the table entry is zero.
    DoubleDouble const sum = FastTwoSum(table.hi, z.hi);
    return FastTwoSum(sum.hi, sum.lo + (table.lo + z.lo + z.hi * tail));
}

// angle.hi + angle.lo subtracted from whole, for whole >= angle >= 0.
DoubleDouble Subtract(DoubleDouble whole, DoubleDouble angle) {
    DoubleDouble const difference = FastTwoSum(whole.hi, -angle.hi);
    return FastTwoSum(difference.hi, difference.lo + (whole.lo - angle.lo));
}

// sqrt(v) as a double-double for a double-double v > 0: relative error below 2^-100.
DoubleDouble SquareRoot(DoubleDouble v) {
    double const root = std::sqrt(v.hi);
    DoubleDouble const square = TwoProduct(root, root);
    // v - root^2: the high parts agree to an ulp, so their difference is exact.
    double const residual = ((v.hi - square.hi) - square.lo) + v.lo;
    return FastTwoSum(root, residual / (2.0 * root));
}

}  // namespace

Approximation ApproximateAtan(double magnitude) {
    DoubleDouble const argument{magnitude, 0.0};
    DoubleDouble const one{1.0, 0.0};
    DoubleDouble const angle = magnitude <= 1.0
                                   ? ArcTangentOfRatio(argument, one)
                                   : Subtract(kHalfPi, ArcTangentOfRatio(one, argument));
    return {angle, kArcErrorBound * angle.hi};
}

Approximation ApproximateAcos(double x) {
    double const magnitude = std::fabs(x);
    // sqrt(1 - x^2): from (1 - |x|)(1 + |x|) where 1 - |x| is exact, else from 1 - x^2 exactly.
    DoubleDouble complementOfSquare;
    if (magnitude >= 0.5) {
        complementOfSquare = Multiply(TwoSum(1.0, magnitude), 1.0 - magnitude);
    } else {
        DoubleDouble const square = TwoProduct(magnitude, magnitude);
        DoubleDouble const difference = TwoSum(1.0, -square.hi);
        complementOfSquare = FastTwoSum(difference.hi, difference.lo - square.lo);
    }
    DoubleDouble const sine = SquareRoot(complementOfSquare);
    DoubleDouble const cosine{magnitude, 0.0};
    // acos(|x|) = atan(sin / cos), taken from the smaller ratio.
    DoubleDouble angle = magnitude >= sine.hi ? ArcTangentOfRatio(sine, cosine)
                                              : Subtract(kHalfPi, ArcTangentOfRatio(cosine, sine));
    if (x < 0.0) {
        angle = Subtract(kPi, angle);
    }
    return {angle, kArcErrorBound * angle.hi};
}

double Atan(double x) {
    double const magnitude = std::fabs(x);
    if (std::isnan(x)) {
        return x + x;
    }
    if (magnitude < kArcTangentIsArgument) {
        return x;
    }
    if (magnitude > kArcTangentIsHalfPi) {
        return x < 0.0 ? -kHalfPi.hi : kHalfPi.hi;
    }
    double rounded = 0.0;
    if (kTryFastPath && RoundIfDecided(ApproximateAtan(magnitude), &rounded)) {
        return x < 0.0 ? -rounded : rounded;
    }
    return PreciseAtan(x);
}

double Acos(double x) {
    double const magnitude = std::fabs(x);
    if (std::isnan(x)) {
        return x + x;
    }
    if (magnitude >= 1.0) {
        if (magnitude > 1.0) {
            return std::numeric_limits<double>::quiet_NaN();
        }
        return x > 0.0 ? 0.0 : kPi.hi;
    }
    if (magnitude < kArcCosineIsHalfPi) {
        return kHalfPi.hi;
    }
    double rounded = 0.0;
    if (kTryFastPath && RoundIfDecided(ApproximateAcos(x), &rounded)) {
        return rounded;
    }
    return PreciseAcos(x);
}

}  // namespace gte::math
