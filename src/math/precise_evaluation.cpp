// SPDX-License-Identifier: MIT
#include "math/precise_evaluation.h"

#include <array>
#include <cstdint>

#include "math/fixed_point.h"
#include "math/float_bits.h"
#include "math/math_constants.h"

namespace gte::math {
namespace {

constexpr int kLimbBits = 32;
// The arc tangents start from the nearest of atan(k/16), k = 0 .. 16.
constexpr std::uint32_t kSixteenthsPerUnit = kArcTangentSixteenthCount - 1;
// The precisions tried, in 32-bit limbs of fraction. The fast path leaves the arguments whose
// value lies within about 2^-65 of a rounding boundary; at 128 bits the error interval, 2^-113
// wide, still holds a boundary for about one of them in 2^48, and each doubling divides that
// share again.
constexpr int kPrecisions[] = {4, 8, 16, 32};

// The error of every evaluation below stays under this many ulps of its precision: a series of
// at most about 150 terms, each term off by at most a few ulps and damped by the next factor
// (below 2^-8 for the arc tangent series, far below for the sine series), the reductions, the
// stored constants and the reciprocals off by a few ulps, multiplied by factors below 4.
constexpr std::uint32_t kErrorUlps = 1u << 14;

template <class Evaluation>
double RoundCorrectly(Evaluation evaluate) {
    double rounded = 0.0;
    for (int fractionLimbs : kPrecisions) {
        Fixed const value = evaluate(fractionLimbs);
        if (RoundIfDecided(value, kErrorUlps, &rounded)) {
            return rounded;
        }
    }
    // Unreachable for the arguments each function accepts (see the header); the nearest double
    // of the most precise value is the best answer there is.
    evaluate(kPrecisions[3]).RoundToDouble(&rounded);
    return rounded;
}

// atan(a/b) for |a| <= b/16, b in [1/2, 2], by Euler's series
//   atan(a/b) = (ab/S) * sum_k (2k)!! / (2k+1)!! * (a^2/S)^k,  S = a^2 + b^2,
// whose ratio a^2/S is below 2^-8: each term gains at least 8 bits.
Fixed ArcTangentSeries(Fixed const& a, Fixed const& b) {
    Fixed const aSquared = a * a;
    Fixed const reciprocal = Reciprocal(aSquared + b * b);
    Fixed const ratio = aSquared * reciprocal;
    Fixed term = (a * b) * reciprocal;
    Fixed sum = term;
    for (std::uint32_t k = 1; !term.IsZero(); ++k) {
        // Multiplying by 2k is exact; only the division truncates.
        term = (term * ratio).TimesSmall(2 * k).OverSmall(2 * k + 1);
        sum = sum + term;
    }
    return sum;
}

// atan(k/16) from the stored digits, truncated.
Fixed ArcTangentOfSixteenths(int k, int fractionLimbs) {
    Fixed value(fractionLimbs);
    for (int i = 0; i < fractionLimbs; ++i) {
        value.Limb(fractionLimbs - 1 - i) = kArcTangentSixteenths[k][i];
    }
    return value;
}

// atan(a/b) for 0 <= a <= b, b in [1/2, 2]: with k/16 the sixteenth nearest a/b,
//   atan(a/b) = atan(k/16) + atan((16a - kb) / (16b + ka)),
// the second ratio at most 1/32 (plus the rounding of the double estimate of a/b). 16a - kb and
// 16b + ka are exact; 16b + ka lies in [16b, 32b] and is scaled back into [1/2, 2] by 2^-4 or
// 2^-5, which truncates each part by at most an ulp.
Fixed ArcTangentOfRatio(Fixed const& a, Fixed const& b) {
    double const estimate = a.Approximate() / b.Approximate();
    auto const k = static_cast<std::uint32_t>(estimate * kSixteenthsPerUnit + 0.5);
    Fixed const numerator = a.TimesSmall(kSixteenthsPerUnit) - b.TimesSmall(k);
    Fixed const denominator = b.TimesSmall(kSixteenthsPerUnit) + a.TimesSmall(k);
    int const scale = denominator.Approximate() > 2.0 * kSixteenthsPerUnit ? 5 : 4;
    return ArcTangentOfSixteenths(static_cast<int>(k), a.FractionLimbs()) +
           ArcTangentSeries(numerator.ShiftedRight(scale), denominator.ShiftedRight(scale));
}

// sin(r) and cos(r) for |r| <= pi/4 by their Taylor series.
Fixed SineSeries(Fixed const& r) {
    Fixed const rSquared = r * r;
    Fixed term = r;
    Fixed sum = r;
    for (std::uint32_t k = 1; !term.IsZero(); ++k) {
        term = -(term * rSquared).OverSmall((2 * k) * (2 * k + 1));
        sum = sum + term;
    }
    return sum;
}

Fixed CosineSeries(Fixed const& r) {
    Fixed const rSquared = r * r;
    Fixed term = Fixed::FromDouble(1.0, r.FractionLimbs());
    Fixed sum = term;
    for (std::uint32_t k = 1; !term.IsZero(); ++k) {
        term = -(term * rSquared).OverSmall((2 * k - 1) * (2 * k));
        sum = sum + term;
    }
    return sum;
}

// |x| = (4j + quadrant) * pi/2 + remainder with |remainder| <= pi/4, by Payne and Hanek's method:
// |x| * 2/pi modulo 4 from the few limbs of 2/pi that matter for |x|'s exponent.
struct Reduced {
    int quadrant;
    Fixed remainder;
};

Reduced ReduceQuarterTurns(double x, int fractionLimbs) {
    std::uint64_t const bits = BitsOf(x);
    std::uint64_t const significand =
        (bits & ((std::uint64_t{1} << kFractionBits) - 1)) | std::uint64_t{1} << kFractionBits;
    int const exponent = BiasedExponent(x) - kExponentBias - kFractionBits;  // |x| = m * 2^e
    // Limbs w of 2/pi with e - 32(w + 1) >= 2 give multiples of 4 and drop out; the window ends
    // where the bits left out weigh below 2^-(32n + 75), far below the fraction kept.
    int const firstLimb = exponent >= 2 ? (exponent - 2) / kLimbBits : 0;
    constexpr int kGuardBits = 128;
    int const endLimb =
        (kLimbBits * fractionLimbs + kGuardBits + exponent + kLimbBits - 1) / kLimbBits;
    int const windowLimbs = endLimb - firstLimb;
    // product = m * window, little-endian; it stands for product * 2^(e - 32 * endLimb).
    std::array<std::uint32_t, kTwoOverPiLimbCount + 3> product{};
    std::uint32_t const significandLimbs[2] = {static_cast<std::uint32_t>(significand),
                                               static_cast<std::uint32_t>(significand >> 32)};
    for (int j = 0; j < windowLimbs; ++j) {
        std::uint64_t const limb = kTwoOverPiFraction[endLimb - 1 - j];
        std::uint64_t carry = 0;
        for (int i = 0; i < 2; ++i) {
            carry += limb * significandLimbs[i] + product[i + j];
            product[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        product[j + 2] = static_cast<std::uint32_t>(carry);
    }
    // The fixed-point number keeps the product's bits from 2^-32n up to the integer limb.
    int const dropped = kLimbBits * endLimb - exponent - kLimbBits * fractionLimbs;
    int const limbShift = dropped / kLimbBits;
    int const bitShift = dropped % kLimbBits;
    Fixed turns(fractionLimbs);
    for (int i = 0; i <= fractionLimbs; ++i) {
        std::uint64_t const low = product[i + limbShift];
        std::uint64_t const high = product[i + limbShift + 1];
        turns.Limb(i) = static_cast<std::uint32_t>(((high << 32) | low) >> bitShift);
    }
    // The nearest whole number of quarter turns, modulo 4, and what is left of a quarter turn.
    int quadrant = static_cast<int>(turns.IntegerLimb() & 3);
    turns.SetIntegerLimb(0);
    if (turns.FractionAtLeastHalf()) {
        quadrant = (quadrant + 1) & 3;
        turns = turns - Fixed::FromDouble(1.0, fractionLimbs);
    }
    return {quadrant, turns * Fixed::Pi(1, fractionLimbs)};
}

// sin(|x| + quadrantShift * pi/2).
Fixed SineOfMagnitude(double x, int quadrantShift, int fractionLimbs) {
    Reduced const reduced = ReduceQuarterTurns(x, fractionLimbs);
    int const quadrant = (reduced.quadrant + quadrantShift) & 3;
    Fixed const value =
        quadrant % 2 == 0 ? SineSeries(reduced.remainder) : CosineSeries(reduced.remainder);
    return quadrant >= 2 ? -value : value;
}

}  // namespace

double PreciseAcos(double x) {
    double const magnitude = x < 0.0 ? -x : x;
    return RoundCorrectly([&](int n) {
        Fixed const one = Fixed::FromDouble(1.0, n);
        Fixed const b = Fixed::FromDouble(magnitude, n);
        // a = sqrt(1 - x^2). Near |x| = 1 the square root would magnify the absolute error of
        // 1 - x^2, so it is taken of (1 - |x|)(1 + |x|) scaled by 2^2s into [1/4, 2), exactly.
        Fixed a(n);
        if (magnitude >= 0.5) {
            double const complement = 1.0 - magnitude;  // exact (Sterbenz)
            int const scale = (kExponentBias - BiasedExponent(complement)) / 2;
            Fixed const scaled =
                Fixed::FromDouble(complement * PowerOfTwo(2 * scale), n) * (one + b);
            a = (scaled * ReciprocalSquareRoot(scaled)).ShiftedRight(scale);
        } else {
            Fixed const square = one - b * b;
            a = square * ReciprocalSquareRoot(square);
        }
        Fixed const angle = (a - b).IsNegative() || (a - b).IsZero()
                                ? ArcTangentOfRatio(a, b)
                                : Fixed::Pi(1, n) - ArcTangentOfRatio(b, a);
        return x < 0.0 ? Fixed::Pi(0, n) - angle : angle;
    });
}

double PreciseAtan(double x) {
    double const magnitude = x < 0.0 ? -x : x;
    double const result = RoundCorrectly([&](int n) {
        if (magnitude <= 1.0) {
            return ArcTangentOfRatio(Fixed::FromDouble(magnitude, n), Fixed::FromDouble(1.0, n));
        }
        // atan(|x|) = pi/2 - atan(1/|x|), with 1/|x| as 2^-k / (|x| 2^-k) and |x| 2^-k in [1, 2).
        int const k = BiasedExponent(magnitude) - kExponentBias;
        double const scale = PowerOfTwo(-k);
        return Fixed::Pi(1, n) - ArcTangentOfRatio(Fixed::FromDouble(scale, n),
                                                   Fixed::FromDouble(magnitude * scale, n));
    });
    return x < 0.0 ? -result : result;
}

double PreciseSin(double x) {
    double const magnitude = x < 0.0 ? -x : x;
    double const result = RoundCorrectly([&](int n) { return SineOfMagnitude(magnitude, 0, n); });
    return x < 0.0 ? -result : result;
}

double PreciseCos(double x) {
    double const magnitude = x < 0.0 ? -x : x;
    // cos(y) = sin(y + pi/2).
    return RoundCorrectly([&](int n) { return SineOfMagnitude(magnitude, 1, n); });
}

}  // namespace gte::math
