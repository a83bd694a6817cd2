// SPDX-License-Identifier: MIT
// Correctly rounded acos and atan from Taylor expansions at the points i/256: atan on [0, 1]
// (beyond, atan(x) = pi/2 - atan(1/x)), and asin on [0, 1/2] for acos (acos(x) = pi/2 - asin(x)
// for |x| <= 1/2, else 2 asin(sqrt((1 - |x|)/2)) or pi minus that). No division on [-1, 1] for
// atan and on [-1/2, 1/2] for acos; one beyond.
#include <cmath>
#include <limits>

#include "math/correctly_rounded.h"
#include "math/double_double.h"
#include "math/fast_evaluation.h"
#include "math/fast_path_switch.h"
#include "math/float_bits.h"
#include "math/math_constants.h"
#include "math/precise_evaluation.h"

namespace gte::math {
namespace {

// The relative error bound of the fast path's arc tangents and arc sines, and of the acos built
// on them (see TaylorSum for the account: 2^-67.6).
constexpr double kArcErrorBound = 0x1p-66;

// Below these magnitudes atan(x) rounds to x (x^3/3 < 2^-54 |x|) and acos(x) to the double
// nearest pi/2 (which lies 2^-53.9 below pi/2, well inside its half ulp of 2^-53).
constexpr double kArcTangentIsArgument = 0x1p-27;
constexpr double kArcCosineIsHalfPi = 0x1p-57;
// Above this magnitude atan(x) rounds to the double nearest +-pi/2: pi/2 - 1/x lies between that
// double and 2^-53.9 above it.
constexpr double kArcTangentIsHalfPi = 0x1p54;

// f(c + h) as a double-double from the Taylor row of f at c = i/256, for |h| <= 2^-9 (1 + 2^-40)
// and h = hHigh + hLow with |hLow| <= 2^-52 (c + |h|). The errors, relative to the result (which is
// at least 0.78 (c + |h|), and at least 2^-9 unless c = 0):
// - the higher terms, in double from hHigh, are at most 2^-17.9 of the result (f''(c) h^2 / 2 <=
//   2^-18 c for atan and asin; the cubic term at most 2^-27.5 absolutely, and below 2^-18 |h|
//   where c = 0 and f''(0) = 0), computed with a relative error below 2^-50: 2^-67.9;
// - hLow enters through the slope at c + hHigh; what that leaves, 3 f'''(c)/3! h^2 hLow, is
//   below 2^-70;
// - the truncation after h^9: 2^-72; f(c), f'(c) and the double-double sums: 2^-100.
// 2^-67.6 in all.
// (Without hLow where h is a double.)
template <bool kWithLow>
DoubleDouble TaylorSum(TaylorRow const& row, double hHigh, double hLow) {
    double const* a = row.higher;
    double const h2 = hHigh * hHigh;
    double const h4 = h2 * h2;
    double const tail = h2 * (((a[0] + hHigh * a[1]) + h2 * (a[2] + hHigh * a[3])) +
                              h4 * ((a[4] + hHigh * a[5]) + h2 * (a[6] + hHigh * a[7])));
    DoubleDouble const linear = MultiplyByEntry(row.slope, hHigh, Split(hHigh));
    // |f(c)| >= |f'(c) h| for both functions unless c = 0, where f(c) is zero.
    DoubleDouble const sum = FastTwoSum(row.value.hi, linear.hi);
    double low = row.value.lo + linear.lo + tail;
    if constexpr (kWithLow) {
        double const slopeAtHigh = row.slope.hi + 2.0 * a[0] * hHigh;
        low += slopeAtHigh * hLow;
    }
    return FastTwoSum(sum.hi, sum.lo + low);
}

// The table point nearest t in [0, 1] (or [0, 1/2]) and t's distance from it, exact: for i >= 1
// t lies within a factor 2 of i/256 (Sterbenz).
struct NearestPoint {
    int index;
    double offset;
};

NearestPoint NearestPointTo(double t) {
    // Adding 1.5 * 2^52 rounds t * 256 to an integer, which then fills the low bits.
    constexpr double kRoundingShift = 0x1.8p52;
    double const shifted = t * kArcSteps + kRoundingShift;
    int const index = static_cast<int>(BitsOf(shifted) & 0x1ff);
    return {index, t - (shifted - kRoundingShift) * (1.0 / kArcSteps)};
}

// whole - angle for whole >= angle >= 0.
DoubleDouble Subtract(DoubleDouble whole, DoubleDouble angle) {
    DoubleDouble const difference = FastTwoSum(whole.hi, -angle.hi);
    return FastTwoSum(difference.hi, difference.lo + (whole.lo - angle.lo));
}

// asin(sqrt(v)) for a double v in (0, 1/4]: the root as a double-double (relative error 2^-104;
// v - root^2 is exact as the high parts agree to an ulp) and the arc sine's expansion.
DoubleDouble ArcSineOfRoot(double v) {
    double const root = std::sqrt(v);
    DoubleDouble const square = TwoProduct(root, root);
    double const rootLow = ((v - square.hi) - square.lo) / (2.0 * root);
    NearestPoint const point = NearestPointTo(root);
    return TaylorSum<true>(kArcSineRows[point.index], point.offset, rootLow);
}

}  // namespace

Approximation ApproximateAtan(double magnitude) {
    DoubleDouble angle;
    if (magnitude <= 1.0) {
        NearestPoint const point = NearestPointTo(magnitude);
        angle = TaylorSum<false>(kArcTangentRows[point.index], point.offset, 0.0);
    } else {
        // atan(x) = pi/2 - atan(1/x), 1/x as a double-double: 1 - x/x's quotient is exact.
        double const reciprocal = 1.0 / magnitude;
        DoubleDouble const product = TwoProduct(reciprocal, magnitude);
        double const reciprocalLow = ((1.0 - product.hi) - product.lo) * reciprocal;
        NearestPoint const point = NearestPointTo(reciprocal);
        angle = Subtract(
            kHalfPi, TaylorSum<true>(kArcTangentRows[point.index], point.offset, reciprocalLow));
    }
    return {angle, kArcErrorBound * angle.hi};
}

Approximation ApproximateAcos(double x) {
    double const magnitude = std::fabs(x);
    DoubleDouble angle;
    if (magnitude <= 0.5) {
        NearestPoint const point = NearestPointTo(magnitude);
        DoubleDouble arcSine = TaylorSum<false>(kArcSineRows[point.index], point.offset, 0.0);
        if (x < 0.0) {
            arcSine = {-arcSine.hi, -arcSine.lo};
        }
        angle = Subtract(kHalfPi, arcSine);
    } else {
        // acos(|x|) = 2 asin(sqrt((1 - |x|)/2)); 1 - |x| and its half are exact.
        DoubleDouble const half = ArcSineOfRoot((1.0 - magnitude) * 0.5);
        angle = {2.0 * half.hi, 2.0 * half.lo};
        if (x < 0.0) {
            angle = Subtract(kPi, angle);
        }
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
        return std::copysign(rounded, x);
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
