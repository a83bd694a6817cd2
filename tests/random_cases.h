// Random cases for the comparisons of the fast paths with the literal measurements: fixed seeds,
// so that every run checks the same cases, and a loop that stops after the first few failures.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

namespace tavrisk_test {

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
