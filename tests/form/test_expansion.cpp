// SPDX-License-Identifier: MIT
// Expansion arithmetic and the filtered signs against GMP's rationals: random polynomials of
// coordinate differences, with cancellations built in.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "form/exact_sign.h"

using tavrisk::form::Approx;
using tavrisk::form::exactSign;
using tavrisk::form::Expansion;

namespace {

int signOf(mpq_class const& q) {
    return sgn(q);
}

// A double at 2^e scaled from a random significand, e drawn wide: sums of such keep many terms.
double drawn(std::mt19937_64& engine) {
    std::uniform_real_distribution<double> significand(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-60, 60);
    return std::ldexp(significand(engine), exponent(engine));
}

}  // namespace

// Sums, differences and products of expansions are exact: their sign and their rounded value
// agree with the rationals on degree-six expressions of differences, including ones that cancel
// to zero and to a few units of the smallest term.
TEST(Expansion, AgreesWithRationalArithmetic) {
    std::mt19937_64 engine(11u);
    for (int trial = 0; trial < 20000; ++trial) {
        double v[12];
        for (double& x : v) x = drawn(engine);
        if (trial % 3 == 0) {
            v[6] = v[0];  // a product that cancels its twin exactly
            v[7] = v[1];
            v[8] = v[2];
            v[9] = v[3];
        }
        auto const formula = [&](auto kind) {
            using K = decltype(kind);
            auto const a = K::difference(v[0], v[1]) * K::difference(v[2], v[3]);
            auto const b = K::difference(v[6], v[7]) * K::difference(v[8], v[9]);
            auto const c = K::exact(v[4]) * K::difference(v[5], v[10]) * K::exact(v[11]);
            return (a - b) * (a + b) * K::difference(v[4], v[11]) + c * K::exact(v[10]) * a;
        };
        mpq_class const a = (mpq_class(v[0]) - v[1]) * (mpq_class(v[2]) - v[3]);
        mpq_class const b = (mpq_class(v[6]) - v[7]) * (mpq_class(v[8]) - v[9]);
        mpq_class const c = mpq_class(v[4]) * (mpq_class(v[5]) - v[10]) * v[11];
        mpq_class const exact = (a - b) * (a + b) * (mpq_class(v[4]) - v[11]) + c * v[10] * a;
        ASSERT_EQ(exactSign(formula), signOf(exact)) << trial;
        Expansion const e = formula(tavrisk::form::ExactKind{});
        ASSERT_EQ(e.sign(), signOf(exact)) << trial;
        double const rounded = e.estimate();
        mpq_class const error = mpq_class(rounded) - exact;
        ASSERT_LE(abs(error), abs(exact) * mpq_class(0x1p-51)) << trial;
        // The filter's bound holds whenever it decides.
        Approx const f = formula(tavrisk::form::FilteredKind{});
        ASSERT_LE(abs(mpq_class(f.value) - exact), mpq_class(f.errorBound())) << trial;
    }
}
