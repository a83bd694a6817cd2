// SPDX-License-Identifier: MIT
// Compares the correctly rounded acos, atan, sin, cos and sincos with MPFR's correctly rounded
// values on every argument of the argument sets, bit for bit (NaN with NaN), and checks that the
// fast path's error never exceeds the bound its rounding test relies on.
//
// Usage: math_against_mpfr COUNT [SEED]   COUNT arguments per function.
// Prints one line per function and set, then "N passed, N failed"; exits 1 on any failure.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <mpfr.h>

#include "math/argument_sets.h"
#include "math/correctly_rounded.h"
#include "math/fast_evaluation.h"
#include "math/fast_path_switch.h"

namespace {

using math_test::Function;
using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

struct Checked {
    char const* name;
    Function function;
    double (*ours)(double);
    MpfrFunction reference;
    // The fast path's approximation and the arguments it is defined for.
    gte::math::Approximation (*approximate)(double);
    double fastLow;
    double fastHigh;
};

// MPFR's value rounded to a double as IEEE 754 rounds it, subnormals included.
double Reference(MpfrFunction reference, double x) {
    mpfr_t argument, value;
    mpfr_init2(argument, 53);
    mpfr_init2(value, 53);
    mpfr_set_d(argument, x, MPFR_RNDN);
    int const ternary = reference(value, argument, MPFR_RNDN);
    mpfr_subnormalize(value, ternary, MPFR_RNDN);
    double const rounded = mpfr_get_d(value, MPFR_RNDN);
    mpfr_clears(argument, value, static_cast<mpfr_ptr>(nullptr));
    return rounded;
}

bool SameBits(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Far more bits than the fast path's errors (2^-70 of the result) need to be seen.
constexpr int kExactBits = 192;

// |approximation - exact| / bound, exactly enough to compare with 1.
double ErrorOverBound(MpfrFunction reference, double x, gte::math::Approximation const& a) {
    mpfr_t argument, exact, approximation;
    mpfr_inits2(kExactBits, argument, exact, approximation, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(argument, x, MPFR_RNDN);
    reference(exact, argument, MPFR_RNDN);
    mpfr_set_d(approximation, a.value.hi, MPFR_RNDN);
    mpfr_add_d(approximation, approximation, a.value.lo, MPFR_RNDN);
    mpfr_sub(approximation, approximation, exact, MPFR_RNDN);
    double const ratio = std::fabs(mpfr_get_d(approximation, MPFR_RNDU)) / a.errorBound;
    mpfr_clears(argument, exact, approximation, static_cast<mpfr_ptr>(nullptr));
    return ratio;
}

gte::math::Approximation ApproximateAtanOfArgument(double x) {
    // The fast path takes the magnitude; the sign is put back outside it.
    gte::math::Approximation a = gte::math::ApproximateAtan(std::fabs(x));
    if (x < 0.0) {
        a.value = {-a.value.hi, -a.value.lo};
    }
    return a;
}

double SineOfSinCos(double x) {
    return gte::math::SinCos(x).sine;
}
double CosineOfSinCos(double x) {
    return gte::math::SinCos(x).cosine;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COUNT [SEED]\n", argv[0]);
        return 2;
    }
    std::size_t const count = std::strtoull(argv[1], nullptr, 10);
    std::uint64_t const seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20261206;
    // Doubles as MPFR sees them: the exponent range of IEEE 754 binary64.
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);

    Checked const checked[] = {
        {"acos", Function::kAcos, gte::math::Acos, mpfr_acos, gte::math::ApproximateAcos, 0x1p-57,
         1.0},
        {"atan", Function::kAtan, gte::math::Atan, mpfr_atan, ApproximateAtanOfArgument, 0x1p-27,
         0x1p54},
        {"sin", Function::kSin, gte::math::Sin, mpfr_sin, gte::math::ApproximateSin, 0x1p-26,
         0x1p19},
        {"cos", Function::kCos, gte::math::Cos, mpfr_cos, gte::math::ApproximateCos, 0x1p-27,
         0x1p19},
        {"sincos.sine", Function::kSin, SineOfSinCos, mpfr_sin, nullptr, 0, 0},
        {"sincos.cosine", Function::kCos, CosineOfSinCos, mpfr_cos, nullptr, 0, 0},
    };
    std::uint64_t passed = 0;
    std::uint64_t failed = 0;
    for (Checked const& c : checked) {
        for (auto const& set : math_test::ArgumentSets(c.function, count, seed)) {
            std::uint64_t wrong = 0;
            std::uint64_t fastTaken = 0;
            std::uint64_t fastDecided = 0;
            double worstRatio = 0.0;
            for (double x : set.arguments) {
                double const expected = Reference(c.reference, x);
                double const got = c.ours(x);
                if (!SameBits(expected, got)) {
                    if (wrong < 5) {
                        std::printf("  %s(%a) = %a, MPFR %a\n", c.name, x, got, expected);
                    }
                    ++wrong;
                }
                double const magnitude = std::fabs(x);
                if (gte::math::kTryFastPath && c.approximate != nullptr && magnitude >= c.fastLow &&
                    magnitude < c.fastHigh) {
                    gte::math::Approximation const a = c.approximate(x);
                    double const ratio = ErrorOverBound(c.reference, x, a);
                    if (!(ratio <= 1.0)) {
                        if (wrong < 5) {
                            std::printf("  %s(%a): fast error %g times its bound\n", c.name, x,
                                        ratio);
                        }
                        ++wrong;
                    }
                    worstRatio = ratio > worstRatio ? ratio : worstRatio;
                    double rounded = 0.0;
                    ++fastTaken;
                    fastDecided += gte::math::RoundIfDecided(a, &rounded) ? 1 : 0;
                }
            }
            std::printf("%-14s %-17s %9zu arguments, %" PRIu64 " wrong", c.name, set.name.c_str(),
                        set.arguments.size(), wrong);
            if (fastTaken > 0) {
                std::printf("; fast path undecided %" PRIu64 ", worst error %.3f of its bound",
                            fastTaken - fastDecided, worstRatio);
            }
            std::printf("\n");
            (wrong == 0 ? passed : failed) += 1;
        }
    }
    mpfr_free_cache();
    std::printf("%" PRIu64 " passed, %" PRIu64 " failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
