// Random cases for the comparisons of the fast paths with the literal measurements: fixed seeds,
// so that every run checks the same cases, sets built to make rounding and ties decide, and a
// loop that stops after the first few failures.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "gte/vector.h"

namespace tavrisk_test {

double const kNaN = std::numeric_limits<double>::quiet_NaN();
double const kInf = std::numeric_limits<double>::infinity();

inline bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class RandomDraws {
public:
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
    double notFinite() { return chance(0.4) ? kNaN : (chance(0.5) ? kInf : -kInf); }
    gte::Vector3 unit() {
        gte::Vector3 v(uniform(-1, 1), uniform(-1, 1), uniform(-1, 1));
        gte::Normalize(v);
        return v;
    }

    // Small integer coordinates: values tie everywhere and points repeat.
    std::vector<gte::Vector3> grid(int n, int reach) {
        std::vector<gte::Vector3> set;
        for (int i = 0; i < n; ++i) {
            set.emplace_back(integer(-reach, reach), integer(-reach, reach), integer(-1, 1));
        }
        return set;
    }

    // Coordinates whose products underflow, or beyond the range where the shortcuts hold; now and
    // then a coordinate that is not finite, z included.
    std::vector<gte::Vector3> extremes(int n, double undefinedChance) {
        static double const magnitudes[] = {1e-310, 1e-300, 1e-160, 1e150, 0x1p500, 0x1p501, 1e300};
        double const magnitude = magnitudes[integer(0, 6)];
        std::vector<gte::Vector3> set;
        for (int i = 0; i < n; ++i) {
            gte::Vector3 v(integer(-3, 3) * magnitude, uniform(-1, 1) * magnitude,
                           integer(-3, 3) * magnitude);
            if (chance(undefinedChance)) {
                v[integer(0, 2)] = notFinite();
            }
            set.push_back(v);
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
