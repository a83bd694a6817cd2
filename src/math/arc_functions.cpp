// SPDX-License-Identifier: MIT
// Correctly rounded acos and atan from Taylor expansions at the points c = i/256: atan on
// [0, 1] (beyond, atan(x) = pi/2 - atan(1/x)), and asin on [0, 1/2] for acos (acos(x) = pi/2 -
// asin(x) for |x| <= 1/2, else 2 asin(sqrt((1 - |x|)/2)) or pi minus that). No division on
// [-1, 1] for atan and on [-1/2, 1/2] for acos; one beyond.
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

// The relative error bound of the fast path's arc tangents and acos (see ArcTerms and the
// functions below for the account: 2^-67.0 at most). The relative rounding test takes twice it.
constexpr double kArcErrorBound = 0x1p-66;
constexpr double kTestFactor = RelativeTestFactor(2.0 * kArcErrorBound);

// Below these magnitudes atan(x) rounds to x (x^3/3 < 2^-54 |x|) and acos(x) to the double
// nearest pi/2 (which lies 2^-53.9 below pi/2, well inside its half ulp of 2^-53).
constexpr double kArcTangentIsArgument = 0x1p-27;
constexpr double kArcCosineIsHalfPi = 0x1p-57;
// Above this magnitude atan(x) rounds to the double nearest +-pi/2: pi/2 - 1/x lies between that
// double and 2^-53.9 above it.
constexpr double kArcTangentIsHalfPi = 0x1p54;

// The Taylor coefficients used of each table: atan's up to h^7, asin's up to h^8. The next
// terms weigh at most 2^-71.0 (atan, h^8 at c = 1/256) and 2^-77.0 (asin, h^9 at c = 1/256) of
// the result for |h| <= 2^-9 (a bound of |f^(k)(c)/k!| 2^-9k / |f(c - 2^-9)| over the rows).
constexpr int kArcTangentTerms = 6;
constexpr int kArcSineTerms = 7;

constexpr double kSigns[2] = {1.0, -1.0};

// A point t of [0, 1] as c + h, c = i/256 the nearest table point and h = t - c exact.
struct TablePoint {
    int index;
    double h;
};

inline TablePoint NearestTablePoint(double t) {
    // t plus 1.5 * 2^44 rounds t to a multiple of 2^-8, which fills the sum's low bits.
    constexpr double kStepShift = 0x1.8p44;
    double const shifted = t + kStepShift;
    return {static_cast<int>(BitsOf(shifted) & 0x1ff), t - (shifted - kStepShift)};
}

// The same with h = head + rest by Veltkamp's split (26-bit head, |rest| <= 2^-27 |h|), for the
// product f'(c) h. A split relative to h matters where c = 0 and t is tiny: the rest goes into
// the low part of a result near t.
struct ArcPoint {
    int index;
    double h;
    DoubleDouble split;
};

inline ArcPoint ArcPointOf(double t) {
    TablePoint const point = NearestTablePoint(t);
    return {point.index, point.h, Split(point.h)};
}

// f(c + h) - f(c) from the Taylor row of f at c, for |h| <= 2^-9: the linear part f'(c) h as a
// double-double (hi exact, not normalised) and the higher terms from h^2 on. The errors,
// relative to f(c + h) (at least 0.78 (c + |h|), and at least 2^-9 unless c = 0):
// - the higher terms are at most 2^-17.9 of the result (f''(c) h^2 / 2 <= 2^-18 c for atan and
//   asin; the cubic term at most 2^-27.5 absolutely, and below 2^-18 |h| where c = 0 and
//   f''(0) = 0), computed with a relative error below 2^-50: 2^-67.9;
// - the truncation: 2^-71.0 for atan, 2^-77.0 for asin (see kArcTangentTerms);
// - the linear part: head(f'(c)) * head(h) is exact, head(f'(c)) * rest(h) and the rest of
//   f'(c) times h are below 2^-25 of it and off by 2^-53 of that: 2^-78.
struct ArcTerms {
    DoubleDouble linear;
    double higher;
};

// The terms from h^2 on: a[0] h^2 + ... + a[kTerms - 1] h^(kTerms + 1).
template <int kTerms>
inline double HigherTerms(double const* a, double h) {
    double const h2 = h * h;
    double inner = a[kTerms - 2] + h * a[kTerms - 1];
    if constexpr (kTerms % 2 == 1) {
        inner = a[kTerms - 3] + h * (a[kTerms - 2] + h * a[kTerms - 1]);
    }
    // Pairs of coefficients from the top down, h^2 at a time.
    for (int k = kTerms - (kTerms % 2 == 1 ? 3 : 2) - 2; k >= 0; k -= 2) {
        inner = (a[k] + h * a[k + 1]) + h2 * inner;
    }
    return h2 * inner;
}

template <int kTerms>
inline ArcTerms ArcTermsOf(TaylorRow const& row, ArcPoint const& p) {
    return {MultiplyByEntry(row.slope, p.h, p.split), HigherTerms<kTerms>(row.higher, p.h)};
}

// whole - part (both double-doubles, |whole| >= |part|, part's high part exact-ish) as a
// normalised double-double, for the sums below whose terms are ordered by magnitude.
inline DoubleDouble SumOrdered(double big, double next, double low) {
    DoubleDouble const sum = FastTwoSum(big, next);
    return FastTwoSum(sum.hi, sum.lo + low);
}

// atan(t) for 2^-27 <= t <= 1: atan(c) >= |f'(c) h| (c >= 2^-8; or c = 0 and atan(c) = 0), so
// the first fast sum is exact; the additions into the low part are off by 2^-53 of at most
// 2^-17.8 of the result each, 2^-69.8 for both. In all 2^-67.3.
inline DoubleDouble ArcTangentOfUnit(double t) {
    ArcPoint const p = ArcPointOf(t);
    TaylorRow const& row = kArcTangentRows[p.index];
    ArcTerms const terms = ArcTermsOf<kArcTangentTerms>(row, p);
    return SumOrdered(row.value.hi, terms.linear.hi,
                      (row.value.lo + terms.linear.lo) + terms.higher);
}

// atan(x) for 1 < x <= 2^54: pi/2 - atan(1/x), and atan(1/x) = atan(u) + atan(q) with u a
// 24-bit reciprocal (single precision: IEEE 754 too, so the same everywhere) and
// q = (1 - u x)/(x + u) (the difference formula of the arc tangent: (1/x - u)/(1 + u/x)).
// Neither needs a double-double reciprocal:
// - u = RN24(1 / RN24(x)), so |1 - u x| <= 2^-22.99; x = x1 + x2 with x1 = RN24(x) and x2 of at
//   most 29 bits, so u x1 and u x2 are exact, 1 - u x1 is exact (Sterbenz), and e = 1 - u x is
//   off by 2^-53 of itself; e / (x + u) adds two more roundings: q, below 2^-23 (x > 1), is off
//   by 2^-51.4 of itself, 2^-74.4; atan(q) - q, left out, is below q^3/3 <= 2^-70.6;
// - h = u - c has at most 24 significant bits (u is a multiple of 2^-23 of its binade's power
//   of 2, at most 1, and c of 2^-8; |h| <= 2^-9, and h = u where u < 2^-9), so f'(c) h needs no
//   split: head times it is exact, the rest of f'(c) times it below 2^-25 of the product;
// - atan(u) carries the errors of atan's account (2^-67.3 of atan(u) <= pi/4);
// - the result is at least pi/4; pi/2 - atan(c) and the next sum are exact fast sums (pi/2 -
//   atan(c) >= pi/4 > |f'(c) h|), and the four additions into the low part are off by 2^-53 of
//   at most 2^-17.8 of it.
// 2^-67.2 of the result in all.
inline DoubleDouble ArcTangentBeyondUnit(double x) {
    float const xHead = static_cast<float>(x);
    double const u = static_cast<double>(1.0f / xHead);
    double const x1 = static_cast<double>(xHead);
    double const e = (1.0 - u * x1) - u * (x - x1);
    double const q = e / (x + u);
    TablePoint const point = NearestTablePoint(u);
    double const h = point.h;
    TaylorRow const& row = kArcTangentRows[point.index];
    SplitDoubleDouble const& slope = row.slope;
    double const linearLow = (slope.hi - slope.head) * h + slope.lo * h;
    double const higher = HigherTerms<kArcTangentTerms>(row.higher, h);
    DoubleDouble const complement = FastTwoSum(kHalfPi.hi, -row.value.hi);
    double const low = complement.lo + (((kHalfPi.lo - row.value.lo) - linearLow) - (higher + q));
    return SumOrdered(complement.hi, -(slope.head * h), low);
}

// asin(t) for 0 <= t <= 1/2 (with tLow, |tLow| <= 2^-52 t, added through the slope as for
// atan's u.lo) as the pieces of the sums below: asin(c) and the terms of f(c + h) - f(c).
struct ArcSine {
    DoubleDouble value;
    ArcTerms terms;
};

inline ArcSine ArcSineOf(double t, double tLow) {
    ArcPoint const p = ArcPointOf(t);
    TaylorRow const& row = kArcSineRows[p.index];
    ArcTerms terms = ArcTermsOf<kArcSineTerms>(row, p);
    terms.higher += (row.slope.hi + (2.0 * row.higher[0]) * p.h) * tLow;
    return {row.value, terms};
}

// acos(x) for |x| <= 1/2: pi/2 - s asin(|x|), s the sign of x, without a branch on it. pi/2 -
// s asin(c) and the next sum are exact fast sums (pi/2 - asin(1/2) = pi/3 > |f'(c) h|), and the
// result is at least pi/3: with asin's errors (2^-67.9 + 2^-77 + 2^-78 of asin(|x|) <= pi/6)
// and four additions into the low part, 2^-68.5 of the result.
inline DoubleDouble ArcCosineNearZero(double x, double magnitude) {
    double const sign = kSigns[x < 0.0];
    ArcSine const a = ArcSineOf(magnitude, 0.0);
    DoubleDouble const base = FastTwoSum(kHalfPi.hi, -(sign * a.value.hi));
    double const low =
        base.lo + (kHalfPi.lo - sign * ((a.value.lo + a.terms.linear.lo) + a.terms.higher));
    return SumOrdered(base.hi, -(sign * a.terms.linear.hi), low);
}

// acos(x) for 1/2 < |x| < 1: 2 asin(sqrt(v)), v = (1 - |x|)/2 exact, or pi minus that. The root
// as a double-double (relative error 2^-104; v - root^2 is exact as the high parts agree to an
// ulp) and asin of it (2^-67.3 of asin, the relative error of atan's account with asin's
// constants: 2^-67.9 + 2^-77 + 2^-78 and two additions into the low part, 2^-69.8); pi - 2
// asin, for x < 0, is at least 2 pi/3 and adds four more (2^-69.6 of it): 2^-67.2 in all.
inline DoubleDouble ArcCosineNearOne(double x, double magnitude) {
    constexpr double kPiIfNegative[2] = {0.0, 1.0};
    double const v = (1.0 - magnitude) * 0.5;
    double const root = std::sqrt(v);
    DoubleDouble const square = TwoProduct(root, root);
    double const rootLow = ((v - square.hi) - square.lo) / (2.0 * root);
    ArcSine const a = ArcSineOf(root, rootLow);
    double const twiceSign = 2.0 * kSigns[x < 0.0];
    double const negative = kPiIfNegative[x < 0.0];
    // 2 asin(root), or pi - 2 asin(root) where pi - 2 asin(c) >= 2 pi/3 exceeds every later term.
    DoubleDouble const base = FastTwoSum(negative * kPi.hi, twiceSign * a.value.hi);
    double const low = base.lo + (negative * kPi.lo +
                                  twiceSign * ((a.value.lo + a.terms.linear.lo) + a.terms.higher));
    return SumOrdered(base.hi, twiceSign * a.terms.linear.hi, low);
}

inline double Signed(double magnitude, double x) {
    return std::copysign(magnitude, x);
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
        return Signed(kHalfPi.hi, x);
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

}  // namespace

Approximation ApproximateAtan(double magnitude) {
    DoubleDouble const angle =
        magnitude <= 1.0 ? ArcTangentOfUnit(magnitude) : ArcTangentBeyondUnit(magnitude);
    return {angle, kArcErrorBound * angle.hi};
}

Approximation ApproximateAcos(double x) {
    double const magnitude = std::fabs(x);
    DoubleDouble const angle =
        magnitude <= 0.5 ? ArcCosineNearZero(x, magnitude) : ArcCosineNearOne(x, magnitude);
    return {angle, kArcErrorBound * angle.hi};
}

double Atan(double x) {
    double const magnitude = std::fabs(x);
    if (kTryFastPath && magnitude <= 1.0 && magnitude >= kArcTangentIsArgument) {
        DoubleDouble const angle = ArcTangentOfUnit(magnitude);
        if (RoundsToHigh(angle, kTestFactor)) {
            return Signed(angle.hi, x);
        }
    } else if (kTryFastPath && magnitude <= kArcTangentIsHalfPi && magnitude > 1.0) {
        DoubleDouble const angle = ArcTangentBeyondUnit(magnitude);
        if (RoundsToHigh(angle, kTestFactor)) {
            return Signed(angle.hi, x);
        }
    } else {
        return ArcTangentOutsideFastPath(x);
    }
    // The relative test may overstate the bound up to twice; the exact one before the precise
    // path.
    double rounded = 0.0;
    if (RoundIfDecided(ApproximateAtan(magnitude), &rounded)) {
        return Signed(rounded, x);
    }
    return PreciseAtan(x);
}

double Acos(double x) {
    double const magnitude = std::fabs(x);
    if (kTryFastPath && magnitude <= 0.5 && magnitude >= kArcCosineIsHalfPi) {
        DoubleDouble const angle = ArcCosineNearZero(x, magnitude);
        if (RoundsToHigh(angle, kTestFactor)) {
            return angle.hi;
        }
    } else if (kTryFastPath && magnitude < 1.0 && magnitude > 0.5) {
        DoubleDouble const angle = ArcCosineNearOne(x, magnitude);
        if (RoundsToHigh(angle, kTestFactor)) {
            return angle.hi;
        }
    } else {
        return ArcCosineOutsideFastPath(x);
    }
    double rounded = 0.0;
    if (RoundIfDecided(ApproximateAcos(x), &rounded)) {
        return rounded;
    }
    return PreciseAcos(x);
}

}  // namespace gte::math
