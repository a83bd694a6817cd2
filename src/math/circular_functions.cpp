// SPDX-License-Identifier: MIT
// Correctly rounded sin and cos: x = k pi/512 + r with |r| <= pi/1024, then
//   sin(x) = sin(k pi/512) cos(r) + cos(k pi/512) sin(r)
// from a table of one quarter turn and short series of r.
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

// The relative error bound of the evaluation, above the reduction's absolute error. The errors,
// relative to |A| + |B r| for A cos r + B sin r: the cosine tail (2^-51.3 of r^2/2 <= 2^-17.7)
// 2^-69; the sine tail (2^-51 of r^2/6) 2^-70.3; truncations 2^-82; the table and the double-
// double sums 2^-104. |A| + |B r| is at most 3 times the result (the worst case is k pi/512 one
// step from a zero, where A cos r and B sin r may cancel half of A), so 2^-67.1 of the result;
// the bound takes 2^-65.
constexpr double kRelativeErrorBound = 0x1p-65;
// The reduction's rounding errors are below 2^-52 of |third.lo| + |k P4|, and the four parts
// miss pi/512 by under 2^-142 per step, below 2^-53 of |k P4|: 2^-50 of their sum bounds both.
constexpr double kReductionErrorFactor = 0x1p-50;

// Taylor coefficients for |r| <= pi/1024 (2^-8.35).
constexpr double kSine3 = -1.0 / 6.0;
constexpr double kSine5 = 1.0 / 120.0;
constexpr double kSine7 = -1.0 / 5040.0;
constexpr double kCosine2 = -0.5;
constexpr double kCosine4 = 1.0 / 24.0;
constexpr double kCosine6 = -1.0 / 720.0;

struct Reduction {
    DoubleDouble remainder;
    unsigned step;      // k modulo one full turn
    double errorBound;  // absolute, on the remainder
};

Reduction Reduce(double x) {
    // The shifted sum holds k in its low bits: k modulo a full turn is read from there.
    double const shifted = x * kStepsPerRadian + kRoundingShift;
    double const k = shifted - kRoundingShift;
    double const* part = kCodyWaitePiOver512;
    // x - k P1 - k P2 is exact: k P1 and k P2 are exact (k < 2^27, 26-bit parts), x - k P1 lies
    // within a factor 2 of k P1 (or k = 0), and since the lowest bits of x (|x| >= 2^-9 when
    // k != 0), k P1 and k P2 weigh at least 2^-61 and the difference is below 2^-8, it has at most
    // 53 bits. The third part's subtraction keeps its error in a double-double.
    double const second = (x - k * part[0]) - k * part[1];
    DoubleDouble const third = TwoSum(second, -(k * part[2]));
    double const fourth = k * part[3];
    Reduction reduction;
    reduction.remainder = TwoSum(third.hi, third.lo - fourth);
    reduction.step = static_cast<unsigned>(BitsOf(shifted) % kFullTurnSteps);
    reduction.errorBound = kReductionErrorFactor * (std::fabs(third.lo) + std::fabs(fourth));
    return reduction;
}

// sin and cos of step * pi/512 as double-doubles, from the quarter-turn table: in quarter q the
// sine is +-sin(m) or +-cos(m) = +-sin(256 - m) steps. Chosen by index arithmetic and a table of
// signs rather than by branches, which random arguments would mispredict.
struct TablePoint {
    SplitDoubleDouble sine;
    SplitDoubleDouble cosine;
};

SplitDoubleDouble Scaled(SplitDoubleDouble v, double sign) {
    return {sign * v.hi, sign * v.lo, sign * v.head};
}

TablePoint PointAt(unsigned step) {
    constexpr double kSigns[2] = {1.0, -1.0};
    unsigned const quarter = step / kQuarterTurnSteps;
    unsigned const m = step % kQuarterTurnSteps;
    unsigned const sineIndex = (quarter & 1) != 0 ? kQuarterTurnSteps - m : m;
    double const sineSign = kSigns[(quarter >> 1) & 1];
    double const cosineSign = kSigns[((quarter + 1) >> 1) & 1];
    return {Scaled(kSineTable[sineIndex], sineSign),
            Scaled(kSineTable[kQuarterTurnSteps - sineIndex], cosineSign)};
}

// The remainder r with its split and the tails of the series of cos(r) and sin(r).
struct Series {
    DoubleDouble r;
    DoubleDouble rSplit;
    double cosineTail;  // cos(r) - 1
    double sineTail;    // sin(r) / r - 1
};

Series SeriesOf(DoubleDouble r) {
    double const square = r.hi * r.hi;
    return {r, Split(r.hi), square * (kCosine2 + square * (kCosine4 + square * kCosine6)),
            square * (kSine3 + square * (kSine5 + square * kSine7))};
}

// a cos(r) + b sin(r) with its error bound.
Approximation Combination(SplitDoubleDouble const& a, SplitDoubleDouble const& b,
                          Reduction const& reduction, Series const& series) {
    DoubleDouble const br = MultiplyByEntry(b, series.r.hi, series.rSplit);
    DoubleDouble const sum = TwoSum(a.hi, br.hi);
    double const low = sum.lo + (((a.lo + br.lo + b.hi * series.r.lo) + a.hi * series.cosineTail) +
                                 (b.hi * series.r.hi) * series.sineTail);
    DoubleDouble const value = FastTwoSum(sum.hi, low);
    // The table entries are at most 1, so the reduction's error reaches the result at most once.
    double const bound = kRelativeErrorBound * std::fabs(value.hi) + reduction.errorBound;
    return {value, bound};
}

}  // namespace

Approximation ApproximateSin(double x) {
    Reduction const reduction = Reduce(x);
    TablePoint const point = PointAt(reduction.step);
    return Combination(point.sine, point.cosine, reduction, SeriesOf(reduction.remainder));
}

Approximation ApproximateCos(double x) {
    Reduction const reduction = Reduce(x);
    TablePoint const point = PointAt(reduction.step);
    return Combination(point.cosine, Scaled(point.sine, -1.0), reduction,
                       SeriesOf(reduction.remainder));
}

namespace {

// sin or cos of x where neither shortcut applies: NaN for an infinity (NaN stays itself,
// quieted), else the fast path where it decides, the precise path where it cannot.
double Evaluate(double x, Approximation (*approximate)(double), double (*precise)(double)) {
    double const magnitude = std::fabs(x);
    if (!(magnitude < std::numeric_limits<double>::infinity())) {
        return std::isnan(x) ? x + x : std::numeric_limits<double>::quiet_NaN();
    }
    double rounded = 0.0;
    if (kTryFastPath && magnitude < kFastReductionLimit &&
        RoundIfDecided(approximate(x), &rounded)) {
        return rounded;
    }
    return precise(x);
}

}  // namespace

double Sin(double x) {
    return std::fabs(x) < kSineIsArgument ? x : Evaluate(x, ApproximateSin, PreciseSin);
}

double Cos(double x) {
    return std::fabs(x) < kCosineIsOne ? 1.0 : Evaluate(x, ApproximateCos, PreciseCos);
}

SineCosine SinCos(double x) {
    double const magnitude = std::fabs(x);
    if (!kTryFastPath || !(magnitude >= kCosineIsOne) || magnitude >= kFastReductionLimit) {
        return {Sin(x), Cos(x)};
    }
    Reduction const reduction = Reduce(x);
    TablePoint const point = PointAt(reduction.step);
    Series const series = SeriesOf(reduction.remainder);
    SineCosine result{};
    if (magnitude < kSineIsArgument) {
        result.sine = x;
    } else if (!RoundIfDecided(Combination(point.sine, point.cosine, reduction, series),
                               &result.sine)) {
        result.sine = PreciseSin(x);
    }
    if (!RoundIfDecided(Combination(point.cosine, Scaled(point.sine, -1.0), reduction, series),
                        &result.cosine)) {
        result.cosine = PreciseCos(x);
    }
    return result;
}

}  // namespace gte::math
