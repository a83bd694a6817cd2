// SPDX-License-Identifier: MIT
// Correctly rounded sin and cos: x = k pi/512 + r with |r| <= pi/1024, then, with k = 512 h + m
// (h the half turn, 0 <= m < 512),
//   sin(x) = s (A cos(r) + B sin(r)),  A = sin(m pi/512), B = cos(m pi/512), s = (-1)^h,
// A and B from one row of a table of half a turn, cos(r) and sin(r) from short series. cos(x) is
// sin(x + pi/2): k + 256.
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

// Below these magnitudes sin(x) rounds to x (x^3/6 < 2^-54 |x|) and cos(x) to 1 (x^2/2 < 2^-55,
// below the half ulp under 1).
constexpr double kSineIsArgument = 0x1p-26;
constexpr double kCosineIsOne = 0x1p-27;
// Up to here k = round(x 512/pi) stays below 2^27, so that k times each of the first three
// Cody-Waite parts of pi/512 is exact; beyond, the precise path reduces exactly.
constexpr double kFastReductionLimit = 0x1p19;
constexpr double kStepsPerRadian = 162.97466172610083;  // 512/pi, only to choose k
// Adding and subtracting 1.5 * 2^52 rounds a double below 2^51 to an integer, to nearest.
constexpr double kRoundingShift = 0x1.8p52;
constexpr unsigned kFullTurnSteps = 4 * kQuarterTurnSteps;
// From here the reduction's third subtraction is a fast one (see Reduce).
constexpr double kFastReductionAbove = 0x1p-33;

// A branch hint for the compilers that take one: the rare case stays off the straight path.
#if defined(__GNUC__) || defined(__clang__)
#define TAVRISK_RARELY(condition) __builtin_expect(!!(condition), 0)
#else
#define TAVRISK_RARELY(condition) (condition)
#endif

// The error bound of the fast path is kRelativeErrorBound |value| + kStepErrorBound |k|.
//
// The evaluation, relative to |A| + |B r| for A cos r + B sin r: the cosine tail (2^-51.3 of
// r^2/2 <= 2^-17.7) 2^-69; the tails evaluated at r.hi where r is left unnormalised (cos changes
// by at most |r| |r.lo| there, with |r.lo| at most half an ulp of r.hi, 2^-62 where |r| > 2^-9,
// plus |k P4| <= 2^-62.03: 2^-8.35 2^-61) 2^-69.35; the sine tail (2^-51 of r^2/6) 2^-70.3;
// the three additions into the low part, each off by 2^-53 of at most 2^-17.6 (|A| + |B r|),
// 2^-69.1; truncations 2^-82; the table, the product B r and the exact double-double sums
// 2^-77: 2^-67.35. |A| + |B r| is at most 3 times the result (the worst case
// is m = 1 with A and B r of opposite signs, where B r may cancel half of A), so 2^-65.7 of the
// result.
//
// The reduction (Reduce) leaves r off by at most 2^-50 (|third.lo| + |k P4|), which reaches the
// result at most once (the derivative of A cos r + B sin r is at most 1 in magnitude):
// |third.lo| <= 2^-53 |third.hi| and |third.hi| <= 1.0002 |result| (where A = 0 the result is
// sin r; elsewhere |A| >= sin(pi/512) and the result is at least |A| - |r| >= |r| >= |third.hi|
// - 2^-61), so 2^-102.9 of the result; and |k P4| <= |k| 2^-88.3, so 2^-138.3 |k|.
//
// 2^-65.7 + 2^-102.9 of the result is below 1.5 2^-66 of it. The bound is taken relative to
// the unnormalised sum's high part, within 2^-15 of the result, and the margin covers that. The
// margin takes |x| for |k|: |k| <= 162.98 |x| + 1/2 <= 326 |x| where k != 0.
constexpr double kRelativeErrorBound = 0x1.8p-66;
constexpr double kStepErrorBound = 0x1p-138;
// The low part of the sum is at most 2^-17.7 (|A| + |B r|) <= 2^-16.1 of the result.
constexpr double kMarginPerValue = MarginFactor(kRelativeErrorBound * (1.0 + 0x1p-15), 0x1p-15);
constexpr double kMarginPerRadian = kStepErrorBound * 326.0 * (1.0 + 0x1p-10);

// Taylor coefficients for |r| <= pi/1024 (2^-8.35).
constexpr double kSine3 = -1.0 / 6.0;
constexpr double kSine5 = 1.0 / 120.0;
constexpr double kSine7 = -1.0 / 5040.0;
constexpr double kCosine2 = -0.5;
constexpr double kCosine4 = 1.0 / 24.0;
constexpr double kCosine6 = -1.0 / 720.0;

struct Reduction {
    DoubleDouble remainder;
    unsigned step;     // k modulo one full turn
    double stepCount;  // |k|
};

inline Reduction Reduce(double x) {
    // The shifted sum holds k in its low bits: k modulo a full turn is read from there.
    double const shifted = x * kStepsPerRadian + kRoundingShift;
    double const k = shifted - kRoundingShift;
    double const* part = kCodyWaitePiOver512;
    // x - k P1 - k P2 is exact: k P1 and k P2 are exact (k < 2^27, 26-bit parts), x - k P1 lies
    // within a factor 2 of k P1 (or k = 0), and since the lowest bits of x (|x| >= 2^-9 when
    // k != 0), k P1 and k P2 weigh at least 2^-61 and the difference is below 2^-8, it has at most
    // 53 bits. The third part's subtraction keeps its error in a double-double.
    double const second = (x - k * part[0]) - k * part[1];
    double const thirdPart = k * part[2];  // below 2^27 2^-61.9 = 2^-34.9
    DoubleDouble remainder{};
    if (TAVRISK_RARELY(std::fabs(second) < kFastReductionAbove)) {
        // x within about 2^-33 of a multiple of pi/512: exact sums throughout.
        DoubleDouble const third = TwoSum(second, -thirdPart);
        remainder = TwoSum(third.hi, third.lo - k * part[3]);
    } else {
        // |second| > |k P3|, so the fast difference is exact, and its high part (above 2^-34)
        // leaves r = third.hi + (third.lo - k P4) unnormalised with a low part below 2^-53
        // |third.hi| + 2^-61.3 < 2^-27 |third.hi|: a two-sum less on the longest chain.
        DoubleDouble const third = FastTwoDifference(second, thirdPart);
        remainder = {third.hi, third.lo - k * part[3]};
    }
    return {remainder, static_cast<unsigned>(BitsOf(shifted) % kFullTurnSteps), std::fabs(k)};
}

// The sign of the result in each half turn.
constexpr double kSigns[2] = {1.0, -1.0};

// A cos(r) + B sin(r) as an unnormalised sum high + low, and s.
struct SignedValue {
    DoubleDouble value;
    double sign;
};

// sin(step pi/512 + r) as s (A cos(r) + B sin(r)), A = sin(m pi/512) and B = cos(m pi/512) for
// m = step mod 512 from one row of the half-turn table, s = -1 in the second half turn: no
// choice between entries or signs that random arguments would mispredict or pay for in index
// arithmetic.
inline SignedValue SineAtStep(unsigned step, DoubleDouble remainder) {
    SineCosineEntry const& entry = kHalfTurnTable[step % kHalfTurnSteps];
    double const r = remainder.hi;
    double const square = r * r;
    double const cosineTail = square * (kCosine2 + square * (kCosine4 + square * kCosine6));
    double const sineTail = square * (kSine3 + square * (kSine5 + square * kSine7));
    // B (r + r.lo) as in MultiplyByEntry: the head product exact, the rest within 2^-76.8 of
    // |B r|; r.lo joins the rest of r (the sum off by 2^-53 of a 2^-25 part, and B's rest times
    // r.lo, left out, below 2^-78 of it).
    DoubleDouble const rSplit = HeadAndRest(r);
    double const brHigh = entry.cosineHead * rSplit.hi;
    double const brLow = entry.cosineHead * (rSplit.lo + remainder.lo) + entry.cosineRest * r;
    // |A| >= sin(pi/512) > 2^-7.3 > |B r| unless A = 0, so the fast sum is exact.
    DoubleDouble const sum = FastTwoSum(entry.sineHi, brHigh);
    double const low = (sum.lo + (entry.sineLo + brLow)) +
                       (entry.sineHi * cosineTail + (entry.cosineHi * r) * sineTail);
    return {{sum.hi, low}, kSigns[(step / kHalfTurnSteps) % 2]};
}

inline double Margin(DoubleDouble value, double magnitude) {
    return kMarginPerValue * std::fabs(value.hi) + kMarginPerRadian * magnitude;
}

// The correctly rounded sin(step pi/512 + r) where the fast path decides, NaN where it cannot
// (no finite argument of sin or cos gives NaN).
inline double RoundedSineAtStep(unsigned step, DoubleDouble remainder, double magnitude) {
    SignedValue const v = SineAtStep(step, remainder);
    double rounded = 0.0;
    if (RoundIfDecided(v.value.hi, v.value.lo, Margin(v.value, magnitude), &rounded)) {
        return v.sign * rounded;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

inline bool InFastRange(double magnitude, double low) {
    return kTryFastPath && magnitude >= low && magnitude < kFastReductionLimit;
}

Approximation Approximate(double x, unsigned quarterTurns) {
    Reduction const reduction = Reduce(x);
    SignedValue const v =
        SineAtStep(reduction.step + quarterTurns * kQuarterTurnSteps, reduction.remainder);
    DoubleDouble const value = FastTwoSum(v.value.hi, v.value.lo);
    double const bound =
        kRelativeErrorBound * std::fabs(value.hi) + kStepErrorBound * reduction.stepCount;
    return {{v.sign * value.hi, v.sign * value.lo}, bound};
}

// sin or cos of x outside the fast path's range: x itself or 1 below the shortcut, NaN for an
// infinity (NaN stays itself, quieted), else the precise path.
double OutsideFastRange(double x, double shortcutBelow, double shortcut,
                        double (*precise)(double)) {
    double const magnitude = std::fabs(x);
    if (magnitude < shortcutBelow) {
        return shortcut;
    }
    if (!(magnitude < std::numeric_limits<double>::infinity())) {
        return std::isnan(x) ? x + x : std::numeric_limits<double>::quiet_NaN();
    }
    return precise(x);
}

}  // namespace

Approximation ApproximateSin(double x) {
    return Approximate(x, 0);
}

Approximation ApproximateCos(double x) {
    return Approximate(x, 1);
}

double Sin(double x) {
    double const magnitude = std::fabs(x);
    if (InFastRange(magnitude, kSineIsArgument)) {
        Reduction const reduction = Reduce(x);
        double const rounded = RoundedSineAtStep(reduction.step, reduction.remainder, magnitude);
        return rounded == rounded ? rounded : PreciseSin(x);
    }
    return OutsideFastRange(x, kSineIsArgument, x, PreciseSin);
}

double Cos(double x) {
    double const magnitude = std::fabs(x);
    if (InFastRange(magnitude, kCosineIsOne)) {
        Reduction const reduction = Reduce(x);
        double const rounded =
            RoundedSineAtStep(reduction.step + kQuarterTurnSteps, reduction.remainder, magnitude);
        return rounded == rounded ? rounded : PreciseCos(x);
    }
    return OutsideFastRange(x, kCosineIsOne, 1.0, PreciseCos);
}

SineCosine SinCos(double x) {
    double const magnitude = std::fabs(x);
    if (!InFastRange(magnitude, kCosineIsOne)) {
        return {Sin(x), Cos(x)};
    }
    Reduction const reduction = Reduce(x);
    SineCosine result{
        x, RoundedSineAtStep(reduction.step + kQuarterTurnSteps, reduction.remainder, magnitude)};
    if (magnitude >= kSineIsArgument) {
        result.sine = RoundedSineAtStep(reduction.step, reduction.remainder, magnitude);
        if (result.sine != result.sine) {
            result.sine = PreciseSin(x);
        }
    }
    if (result.cosine != result.cosine) {
        result.cosine = PreciseCos(x);
    }
    return result;
}

}  // namespace gte::math
