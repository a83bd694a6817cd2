// SPDX-License-Identifier: MIT
// Correctly rounded acos and atan from Taylor expansions at the points c = i/256: atan on
// [0, 1] (beyond, atan(x) = pi/2 - atan(1/x)), and asin on [0, 1/2] for acos (acos(x) = pi/2 -
// asin(x) for |x| <= 1/2, else 2 asin(sqrt((1 - |x|)/2)) or pi minus that). No division on
// [-1, 1] for atan and on [-1/2, 1/2] for acos; one beyond.
//
// Each evaluation ends in an unnormalised sum high + low (|low| <= 2^-16 |high|) that the
// rounding test takes as it is: the arguments of a benchmark loop, or of an export, wait on the
// longest chain of dependent operations more than on their count.
#include <cmath>
#include <cstdint>
#include <limits>

#include "math/correctly_rounded.h"
#include "math/double_double.h"
#include "math/fast_evaluation.h"
#include "math/fast_path_switch.h"
#include "math/float_bits.h"
#include "math/math_constants.h"
#include "math/precise_evaluation.h"
#include "math/rounding_test.h"

namespace gte::math {
namespace {

// The relative error bound of the fast path's arc tangents and acos (see the accounts below:
// 2^-67.4 at most).
constexpr double kArcErrorBound = 0x1p-66;
constexpr double kMarginFactor = MarginFactor(kArcErrorBound, 0x1p-16);

// Below these magnitudes atan(x) rounds to x (x^3/3 < 2^-54 |x|) and acos(x) to the double
// nearest pi/2 (which lies 2^-53.9 below pi/2, well inside its half ulp of 2^-53).
constexpr double kArcTangentIsArgument = 0x1p-27;
constexpr double kArcCosineIsHalfPi = 0x1p-57;
// Above this magnitude atan(x) rounds to the double nearest +-pi/2: pi/2 - 1/x lies between that
// double and 2^-53.9 above it.
constexpr double kArcTangentIsHalfPi = 0x1p54;

constexpr double kSigns[2] = {1.0, -1.0};

// The fast paths' ranges as spans of the bits of |x|, whose order as unsigned integers is that
// of the magnitudes: an unsigned difference and one comparison each, on the integer units that
// the evaluation leaves idle. atan: (1, 2^54] beyond unit, [2^-27, 1] the unit interval (the
// bits of kArcTangentIsHalfPi and kArcTangentIsArgument); acos: [2^-57, 1/2] near zero (from
// kArcCosineIsHalfPi), (1/2, 1) near +-1.
constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kBitsOfOne = 0x3ff0000000000000u;
constexpr std::uint64_t kBitsOfHalf = 0x3fe0000000000000u;
constexpr std::uint64_t kBitsAboveOne = kBitsOfOne + 1;
constexpr std::uint64_t kBitsBeyondUnitSpan = 0x4350000000000000u - kBitsAboveOne;
constexpr std::uint64_t kBitsOfTinyLimit = 0x3e40000000000000u;
constexpr std::uint64_t kBitsUnitSpan = kBitsOfOne - kBitsOfTinyLimit;
constexpr std::uint64_t kBitsOfHalfPiLimit = 0x3c60000000000000u;
constexpr std::uint64_t kBitsNearZeroSpan = kBitsOfHalf - kBitsOfHalfPiLimit;
constexpr std::uint64_t kBitsAboveHalf = kBitsOfHalf + 1;
constexpr std::uint64_t kBitsNearOneSpan = kBitsOfOne - kBitsAboveHalf;

// A point t of [0, 1] as c + h, c = i/256 the nearest table point and h = t - c exact, with
// h = head + rest (26-bit head, |rest| < 2^-25 |h|) for the product f'(c) h.
struct ArcPoint {
    int index;
    double h;
    DoubleDouble split;
};

// t plus 1.5 * 2^44 rounds t in [0, 1] to a multiple of 2^-8, which fills the sum's low bits.
constexpr double kStepShift = 0x1.8p44;

inline ArcPoint ArcPointOf(double t) {
    double const shifted = t + kStepShift;
    double const h = t - (shifted - kStepShift);
    return {static_cast<int>(BitsOf(shifted) & 0x1ff), h, HeadAndRest(h)};
}

// The Taylor terms from h^2 on, Horner's rule on h^2 over pairs of coefficients: atan's up to
// h^7 and asin's up to h^8. The next terms weigh at most 2^-71.0 (atan, h^8 at c = 1/256) and
// 2^-77.0 (asin, h^9 at c = 1/256) of the result for |h| <= 2^-9 (a bound of
// |f^(k)(c)/k!| 2^-9k / |f(c - 2^-9)| over the rows).
inline double ArcTangentHigherTerms(double const* a, double h) {
    double const h2 = h * h;
    return h2 * ((a[0] + h * a[1]) + h2 * ((a[2] + h * a[3]) + h2 * (a[4] + h * a[5])));
}

inline double ArcSineHigherTerms(double const* a, double h) {
    double const h2 = h * h;
    return h2 *
           ((a[0] + h * a[1]) + h2 * ((a[2] + h * a[3]) + h2 * ((a[4] + h * a[5]) + h2 * a[6])));
}

// The pieces of f(c + h) from the Taylor row of f at c, |h| <= 2^-9: the linear part f'(c) h as
// a double-double (hi exact, not normalised) and the higher terms. Their errors, relative to
// f(c + h) (at least 0.78 (c + |h|), and at least 2^-9 unless c = 0):
// - the higher terms are at most 2^-17.9 of the result (f''(c) h^2 / 2 <= 2^-18 c for atan and
//   asin; the cubic term at most 2^-27.5 absolutely, and below 2^-18 |h| where c = 0 and
//   f''(0) = 0), computed with a relative error below 2^-50: 2^-67.9;
// - the truncation: 2^-71.0 for atan, 2^-77.0 for asin;
// - the linear part: head(f'(c)) * head(h) is exact, head(f'(c)) * rest(h) and the rest of
//   f'(c) times h are below 2^-24.4 of it and off by 2^-53 of that: 2^-76.8.
// The sums below add f(c) (or an angle from it, from a table to 2^-106) and the linear part's
// high part by an exact fast sum, the rest into the low part, the higher terms last (the
// longest chain); each addition into the low part is off by 2^-53 of at most 2^-17.8 of the
// result.

// atan(t) for 2^-27 <= t <= 1: atan(c) >= |f'(c) h| (c >= 2^-8; or c = 0 and atan(c) = 0), so
// the fast sum is exact. Errors: 2^-67.9 + 2^-71.0 + 2^-76.8 and one addition of the higher terms,
// 2^-70.8: 2^-67.5.
inline DoubleDouble ArcTangentOfUnit(double t) {
    ArcPoint const p = ArcPointOf(t);
    TaylorRow const& row = kArcTangentRows[p.index];
    DoubleDouble const linear = MultiplyByEntry(row.slope, p.h, p.split);
    DoubleDouble const sum = FastTwoSum(row.value.hi, linear.hi);
    return {sum.hi, (sum.lo + (row.value.lo + linear.lo)) + ArcTangentHigherTerms(row.higher, p.h)};
}

// atan(x) for 1 < x <= 2^54: pi/2 - atan(1/x), and atan(1/x) = atan(u) + atan(q) with u a
// 24-bit reciprocal and q = (1 - u x)/(x + u) (the difference formula of the arc tangent:
// (1/x - u)/(1 + u/x)). Neither needs a double-double reciprocal:
// - u = RN(1/x) cut to 24 significant bits (one logical operation, where rounding it to single
//   precision takes two conversions and a longer wait), so |1 - u x| < 2^-22.99; x = x1 + x2
//   with x1 = x cut to 24 bits and x2 of at most 29 bits, so u x1 and u x2 are exact, 1 - u x1
//   is exact (Sterbenz), and e = 1 - u x is off by 2^-53 of itself; e (1 / (x + u)) adds three
//   more roundings: q, below 2^-23 (x > 1), is off by 2^-51 of itself, 2^-74; atan(q) - q, left
//   out, is below q^3/3 <= 2^-70.6;
// - h = u - c (|h| <= 2^-9 + 2^-23, see below) has at most 25 significant bits (u is a
//   multiple of 2^-23 of its binade's power of 2, at most 1, and c of 2^-8; h = u where
//   u < 2^-9), so f'(c) h needs no split: head times it is exact, the rest of f'(c) times it
//   below 2^-25 of the product (2^-78);
// - atan(u) carries the errors of atan's account (2^-67.9 + 2^-71.0 + 2^-76.8 of atan(u) <= pi/4);
// - the result is at least pi/4; pi/2 - atan(c) comes from a table, the fast sum is exact (pi/2 -
//   atan(c) >= pi/4 > |f'(c) h|), and the addition of the higher terms is off by 2^-70.8.
// 2^-67.3 of the result in all.
inline DoubleDouble ArcTangentBeyondUnit(double x) {
    double const reciprocal = 1.0 / x;
    double const u = Truncated<29>(reciprocal);
    double const x1 = Truncated<29>(x);
    double const q = ((1.0 - u * x1) - u * (x - x1)) * (1.0 / (x + u));
    // The table point from the rounded reciprocal, not waiting for the cut: it is the point
    // nearest u or one next to it where u lies within 2^-23 of a midpoint, so |h| <= 2^-9 +
    // 2^-23 (the account's bounds hold for |h| <= 2^-9 (1 + 2^-12)).
    double const shifted = reciprocal + kStepShift;
    double const h = u - (shifted - kStepShift);
    int const index = static_cast<int>(BitsOf(shifted) & 0x1ff);
    TaylorRow const& row = kArcTangentRows[index];
    SplitDoubleDouble const& slope = row.slope;
    double const linearLow = slope.rest * h;
    DoubleDouble const complement = kArcTangentComplements[index];
    DoubleDouble const sum = FastTwoDifference(complement.hi, slope.head * h);
    // Estrin's order here: this path waits on the division, and the shorter chain pays.
    double const* a = row.higher;
    double const h2 = h * h;
    double const h4 = h2 * h2;
    double const higher =
        h2 * (((a[0] + h * a[1]) + h2 * (a[2] + h * a[3])) + h4 * (a[4] + h * a[5]));
    return {sum.hi, ((sum.lo + (complement.lo - linearLow)) - q) - higher};
}

// acos(x) for |x| <= 1/2: acos(s c) - s (asin(|x|) - asin(c)), s the sign of x, without a
// branch on it; acos(s c) = pi/2 - s asin(c) comes from a table. The fast sum is exact
// (acos(s c) >= pi/3 > |f'(c) h|), and the result is at least pi/3: asin's errors (2^-67.9 +
// 2^-77 + 2^-76.8 of asin(|x|) <= pi/6) and one addition of the higher terms (2^-70.8 of the
// result): 2^-68.3.
inline DoubleDouble ArcCosineNearZero(int negative, double magnitude) {
    double const sign = kSigns[negative];
    ArcPoint const p = ArcPointOf(magnitude);
    TaylorRow const& row = kArcSineRows[p.index];
    DoubleDouble const linear = MultiplyByEntry(row.slope, p.h, p.split);
    DoubleDouble const base = kArcCosinesNearZero[negative][p.index];
    DoubleDouble const sum = FastTwoSum(base.hi, -(sign * linear.hi));
    return {sum.hi,
            (sum.lo + (base.lo - sign * linear.lo)) - sign * ArcSineHigherTerms(row.higher, p.h)};
}

// acos(x) for 1/2 < |x| < 1: 2 asin(sqrt(v)), v = (1 - |x|)/2 exact, or pi minus that.
// - The root as root + rootLow: v - root^2 (about 2^-53 v) is off by 2^-103 v (see below), and
//   rootLow = (v - root^2) / (2 root) (a multiplication by 1/(2 root), started with the
//   product) by 2^-51 of itself and that: 2^-101 of the root.
// - rootLow enters through the slope at root as for atan's rLow: 2^-71 of asin(root).
// - asin(root) carries the errors of the account above (2^-67.9 + 2^-77 + 2^-76.8).
// - 2 asin(c) or pi - 2 asin(c) comes from a table; the fast sum is exact (2 asin(c) >= 2^-7 >
//   2 |f'(c) h| unless c = 0, where it is 0; pi - 2 asin(c) >= 2 pi/3); one addition of the
//   higher terms, 2^-70.8 of the result.
// 2^-67.6 of the result in all.
inline DoubleDouble ArcCosineNearOne(int negative, double magnitude) {
    double const v = (1.0 - magnitude) * 0.5;
    double const root = std::sqrt(v);
    double const halfReciprocal = 0.5 / root;
    // v - root^2 from root = head + rest: head^2 is within 2^-24 of v (Sterbenz: v - head^2 is
    // exact) and 2 head rest exact; only rest^2 (below 2^-50 v) is rounded, by 2^-103 v.
    DoubleDouble const rootSplit = HeadAndRest(root);
    double const residual =
        ((v - rootSplit.hi * rootSplit.hi) - (2.0 * rootSplit.hi) * rootSplit.lo) -
        rootSplit.lo * rootSplit.lo;
    double const rootLow = residual * halfReciprocal;
    ArcPoint const p = ArcPointOf(root);
    TaylorRow const& row = kArcSineRows[p.index];
    DoubleDouble const linear = MultiplyByEntry(row.slope, p.h, p.split);
    double const lowCorrection = (row.slope.hi + (2.0 * row.higher[0]) * p.h) * rootLow;
    double const twiceSign = 2.0 * kSigns[negative];
    DoubleDouble const base = kArcCosinesNearOne[negative][p.index];
    DoubleDouble const sum = FastTwoSum(base.hi, twiceSign * linear.hi);
    return {sum.hi, (sum.lo + (base.lo + twiceSign * (linear.lo + lowCorrection))) +
                        twiceSign * ArcSineHigherTerms(row.higher, p.h)};
}

// atan or acos outside the fast path: NaN stays itself (quieted), the shortcuts, the precise
// path.
double ArcTangentOutsideFastPath(double x) {
    double const magnitude = std::fabs(x);
    if (std::isnan(x)) {
        return x + x;
    }
    if (magnitude < kArcTangentIsArgument) {
        return x;
    }
    if (magnitude > kArcTangentIsHalfPi) {
        return std::copysign(kHalfPi.hi, x);
    }
    return PreciseAtan(x);
}

double ArcCosineOutsideFastPath(double x) {
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
    return PreciseAcos(x);
}

Approximation Normalised(DoubleDouble sum) {
    DoubleDouble const value = FastTwoSum(sum.hi, sum.lo);
    return {value, kArcErrorBound * value.hi};
}

// The angles are positive, so the margin needs no absolute value.
inline bool Decided(DoubleDouble angle, double* rounded) {
    return RoundIfDecided(angle.hi, angle.lo, kMarginFactor * angle.hi, rounded);
}

}  // namespace

Approximation ApproximateAtan(double magnitude) {
    return Normalised(magnitude <= 1.0 ? ArcTangentOfUnit(magnitude)
                                       : ArcTangentBeyondUnit(magnitude));
}

Approximation ApproximateAcos(double x) {
    double const magnitude = std::fabs(x);
    int const negative = x < 0.0;
    return Normalised(magnitude <= 0.5 ? ArcCosineNearZero(negative, magnitude)
                                       : ArcCosineNearOne(negative, magnitude));
}

double Atan(double x) {
    double const magnitude = std::fabs(x);
    std::uint64_t const bits = BitsOf(x);
    std::uint64_t const magnitudeBits = bits & ~kSignBit;
    DoubleDouble angle{};
    if (kTryFastPath && magnitudeBits - kBitsAboveOne <= kBitsBeyondUnitSpan) {
        angle = ArcTangentBeyondUnit(magnitude);
    } else if (kTryFastPath && magnitudeBits - kBitsOfTinyLimit <= kBitsUnitSpan) {
        angle = ArcTangentOfUnit(magnitude);
    } else {
        return ArcTangentOutsideFastPath(x);
    }
    double rounded = 0.0;
    // x's sign by one multiplication (the sign bit picks +-1) rather than copysign's three
    // logical operations.
    return Decided(angle, &rounded) ? kSigns[bits >> 63] * rounded : PreciseAtan(x);
}

double Acos(double x) {
    double const magnitude = std::fabs(x);
    std::uint64_t const bits = BitsOf(x);
    std::uint64_t const magnitudeBits = bits & ~kSignBit;
    int const negative = static_cast<int>(bits >> 63);
    DoubleDouble angle{};
    if (kTryFastPath && magnitudeBits - kBitsOfHalfPiLimit <= kBitsNearZeroSpan) {
        angle = ArcCosineNearZero(negative, magnitude);
    } else if (kTryFastPath && magnitudeBits - kBitsAboveHalf < kBitsNearOneSpan) {
        angle = ArcCosineNearOne(negative, magnitude);
    } else {
        return ArcCosineOutsideFastPath(x);
    }
    double rounded = 0.0;
    return Decided(angle, &rounded) ? rounded : PreciseAcos(x);
}

}  // namespace gte::math
