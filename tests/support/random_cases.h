// SPDX-License-Identifier: MIT
// Random cases for the comparisons of the fast paths with the literal measurements: fixed seeds,
// so that every run checks the same cases, point sets and directions built to make rounding and
// ties decide, and a loop that stops after the first few failures.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk_test {

double const kNaN = std::numeric_limits<double>::quiet_NaN();
double const kInf = std::numeric_limits<double>::infinity();

inline bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class RandomDraws {
public:
    using Points = std::vector<gte_point>;

    explicit RandomDraws(std::uint64_t seed) : engine_(seed) {}

    int integer(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(engine_);
    }
    bool chance(double p) { return uniform(0.0, 1.0) < p; }
    // A power of ten with its exponent drawn uniformly from [low, high).
    double powerOfTen(double low, double high) { return std::pow(10.0, uniform(low, high)); }
    gte::Vector3 unit() {
        gte::Vector3 v(uniform(-1, 1), uniform(-1, 1), uniform(-1, 1));
        gte::Normalize(v);
        return v;
    }

    // Directions as the searches meet them: along an axis (either sign), in a coordinate plane
    // (a zero of either sign), of small integer components (ties), none at all, longer than the
    // shortcuts allow, not a number, or arbitrary.
    gte::Vector3 direction() {
        gte::Vector3 v = unit();
        int const k = integer(0, 2);
        switch (integer(0, 7)) {
            case 0:
                return gte::Vector3::axisVector(k) * (chance(0.5) ? 1.0 : -1.0);
            case 1:
                v[k] = chance(0.5) ? 0.0 : -0.0;
                return gte::Normalized(v);
            case 2:
                return gte::Normalized(
                    gte::Vector3(integer(-4, 4), integer(-4, 4), integer(-4, 4)));
            case 3:
                return gte::Vector3::zeroVector();
            case 4:
                return v * uniform(0.5, 3.0);
            case 5:
                v[k] = kNaN;
                return v;
            default:
                return v;
        }
    }

    // The kinds of point set below.
    static constexpr int kKinds = 5;

    // count points of one kind, laid out against the direction d: small integers (exact ties);
    // along d with noise across it, at any scale and far from the origin; in rows across d at
    // both ends and in the middle (projections that only rounding tells apart); coordinates whose
    // products underflow, or overflow, or lie just within or beyond the limits of the shortcuts;
    // arbitrary. Now and then a point repeats an earlier one (most points, in some sets) or has a
    // coordinate that is not finite.
    Points points(int count, int kind, gte::Vector3 const& d, double undefinedChance) {
        static double const magnitudes[] = {1e-310,  1e-300, 1e-170,   1e150,    1e160,    0x1p500,
                                            0x1p501, 1e300,  0x1p1020, 0x1p1021, 0x1p1022, 1e308};
        double const magnitude = magnitudes[integer(0, 11)];
        bool const normal = std::isfinite(gte::Length(d)) && gte::Length(d) > 0.0;
        gte::Vector3 const along = normal ? gte::Normalized(d) : unit();
        gte::Vector3 const across = gte::NormalizedCross(along, unit());
        gte::Vector3 const base(uniform(-1, 1) * powerOfTen(-4, 7),
                                uniform(-1, 1) * powerOfTen(-4, 7),
                                uniform(-1, 1) * powerOfTen(-4, 7));
        double const length = powerOfTen(-4, 7);
        double const step = length * powerOfTen(-6, 0), noise = length * powerOfTen(-17, -1);
        double const repeat = chance(0.1) ? 0.8 : 0.1;
        Points set;
        for (int i = 0; i < count; ++i) {
            gte::Vector3 v;
            if (!set.empty() && chance(repeat)) {
                gte_point const p = set[static_cast<std::size_t>(integer(0, i - 1))];
                v = gte::Vector3(p.x, p.y, p.z);
            } else if (kind == 0) {
                v = gte::Vector3(integer(-3, 3), integer(-3, 3), integer(-1, 1));
            } else if (kind == 1) {
                v = base + uniform(0, length) * along + noise * unit();
            } else if (kind == 2) {
                double const at = chance(0.1) ? 0.5 * length : (chance(0.5) ? 0.0 : length);
                v = base + at * along + (integer(-2, 2) * step) * across;
            } else if (kind == 3) {
                double const m = chance(0.2) ? magnitudes[integer(0, 11)] : magnitude;
                v = gte::Vector3(integer(-3, 3) * m, uniform(-1, 1) * m, integer(-3, 3) * m);
            } else {
                v = gte::Vector3(uniform(-10, 10), uniform(-10, 10), uniform(-10, 10));
            }
            if (chance(undefinedChance)) {
                v[integer(0, 2)] = chance(0.4) ? kNaN : (chance(0.5) ? kInf : -kInf);
            }
            set.emplace_back(v[0], v[1], v[2]);
        }
        return set;
    }

private:
    std::mt19937_64 engine_;
};

// Checks case(c) for c = 0 ... cases - 1; a failing case is reported with its number, and after
// five failures the rest are skipped.
template <class Case>
void expectCases(int cases, Case&& check) {
    int failures = 0;
    for (int c = 0; c < cases && failures < 5; ++c) {
        ::testing::AssertionResult const result = check(c);
        EXPECT_TRUE(result) << "case " << c;
        failures += result ? 0 : 1;
    }
}

}  // namespace tavrisk_test
