// SPDX-License-Identifier: MIT
#include "math/argument_sets.h"

#include <cmath>
#include <cstring>
#include <limits>

#include <mpfr.h>

#include "gte/basis.h"

namespace math_test {
namespace {

// splitmix64: the same numbers on every platform.
class Bits {
public:
    explicit Bits(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1) with 53 random bits.
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1p-53; }
    double Between(double low, double high) { return low + (high - low) * Unit(); }
    std::int64_t Integer(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }
    double Sign() { return (Next() & 1) != 0 ? -1.0 : 1.0; }

private:
    std::uint64_t state_;
};

double FromBits(std::uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// A random double with a biased exponent in [lowest, highest] and a random significand.
double LogUniform(Bits& bits, int lowestBiased, int highestBiased) {
    std::uint64_t const exponent =
        static_cast<std::uint64_t>(bits.Integer(lowestBiased, highestBiased));
    std::uint64_t const significand = bits.Next() & ((std::uint64_t{1} << 52) - 1);
    return bits.Sign() * FromBits(exponent << 52 | significand);
}

// steps ulps away from a positive finite x (either way).
double UlpsAway(double x, std::int64_t steps) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return FromBits(bits + static_cast<std::uint64_t>(steps));
}

// The double nearest k * pi/divisor.
double NearestPiMultiple(double k, double divisor) {
    mpfr_t value;
    mpfr_init2(value, 1200);
    mpfr_const_pi(value, MPFR_RNDN);
    mpfr_mul_d(value, value, k, MPFR_RNDN);
    mpfr_div_d(value, value, divisor, MPFR_RNDN);
    double const nearest = mpfr_get_d(value, MPFR_RNDN);
    mpfr_clear(value);
    return nearest;
}

double NearestQuarterTurns(double k) {
    return NearestPiMultiple(k, 2.0);
}

// An argument a few ulps from a point where the fast paths change table rows or ways of
// summing: multiples of pi/512 for sin and cos (within 2^-33 of them the reduction takes its
// exact branch); i/256, the midpoints between them, and their reciprocals for atan; i/256 and
// 1 - 2 (i/256)^2 (whose acos takes asin at the root i/256) for acos.
double NearTablePoint(Bits& bits, Function function) {
    std::int64_t const i = bits.Integer(1, 256);
    double point = 0.0;
    switch (function) {
        case Function::kSin:
        case Function::kCos:
            point = NearestPiMultiple(static_cast<double>(bits.Integer(1, 1 << 14)), 512.0);
            break;
        case Function::kAtan: {
            double const onGrid =
                (static_cast<double>(i) - 0.5 * static_cast<double>(bits.Next() & 1)) / 256.0;
            point = (bits.Next() & 1) != 0 ? onGrid : 1.0 / onGrid;
            break;
        }
        case Function::kAcos: {
            double const c = static_cast<double>(bits.Integer(1, 128)) / 256.0;
            point = (bits.Next() & 1) != 0 ? c : 1.0 - 2.0 * c * c;
            break;
        }
    }
    double const moved = UlpsAway(point, bits.Integer(-4, 4));
    return bits.Sign() * (function == Function::kAcos && moved >= 1.0 ? point : moved);
}

std::vector<double> Specials(Function function) {
    double const infinity = std::numeric_limits<double>::infinity();
    std::vector<double> values = {
        0.0, 1.0, 0.5, infinity, std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(), std::nextafter(1.0, 0.0),
        std::nextafter(1.0, 2.0), std::nextafter(0.5, 0.0),
        // The thresholds of the shortcuts and of the fast reduction.
        0x1p-57, 0x1p-27, 0x1p-26, 0x1p19, 0x1p54, 0x1p-20, 0x1p30, 0x1p1023};
    std::vector<double> result;
    for (double v : values) {
        for (double candidate : {v, std::nextafter(v, 0.0), std::nextafter(v, infinity)}) {
            result.push_back(candidate);
            result.push_back(-candidate);
        }
    }
    (void)function;
    return result;
}

}  // namespace

std::vector<ArgumentSet> ArgumentSets(Function function, std::size_t count, std::uint64_t seed) {
    Bits bits(seed);
    bool const arc = function == Function::kAcos;
    // acos lives on [-1, 1]; the others take any double.
    int const highestBiased = arc ? 1022 : 2046;
    std::size_t const perSet = count / 9 + 1;
    std::vector<ArgumentSet> sets;
    auto add = [&](std::string name, auto draw) {
        ArgumentSet set{std::move(name), {}};
        set.arguments.reserve(perSet);
        for (std::size_t i = 0; i < perSet; ++i) {
            set.arguments.push_back(draw());
        }
        sets.push_back(std::move(set));
    };
    double const span = function == Function::kAtan ? 16.0 : 8.0;
    add("uniform", [&] { return arc ? bits.Between(-1.0, 1.0) : bits.Between(-span, span); });
    add("log-uniform", [&] { return LogUniform(bits, 1, highestBiased); });
    add("near +-1", [&] {
        // Mostly a few ulps away, sometimes thousands; acos from below only.
        std::int64_t const steps = bits.Integer(0, 1 << 16) >> bits.Integer(0, 16);
        return bits.Sign() * UlpsAway(1.0, arc || bits.Sign() < 0 ? -steps : steps);
    });
    add("near k pi/2", [&] {
        // Small and large multiples; acos gets the cosines near 0 and +-1 instead.
        if (arc) {
            return bits.Sign() * LogUniform(bits, 900, 1022) * 0.5;
        }
        double const k = static_cast<double>(bits.Integer(1, 64) << (bits.Integer(0, 3) * 15));
        return bits.Sign() * UlpsAway(NearestQuarterTurns(k), bits.Integer(-3, 3));
    });
    add("degree multiples", [&] {
        // Whole, tenth and hundredth degrees, converted as the library converts them.
        double const degrees = static_cast<double>(bits.Integer(-36000, 36000)) /
                               static_cast<double>(std::int64_t{1} << (bits.Integer(0, 2) * 2)) /
                               (bits.Integer(0, 1) != 0 ? 10.0 : 1.0);
        double const radians = degrees * gte::kDegreesToRadians;
        if (arc) {
            return std::cos(radians);
        }
        return function == Function::kAtan ? std::tan(radians) : radians;
    });
    add("near table points", [&] { return NearTablePoint(bits, function); });
    add("tiny", [&] { return LogUniform(bits, 1023 - 60, 1023 - 14); });
    add("subnormal",
        [&] { return bits.Sign() * FromBits(bits.Next() & ((std::uint64_t{1} << 52) - 1)); });
    sets.push_back({"special", Specials(function)});
    return sets;
}

}  // namespace math_test
