// SPDX-License-Identifier: MIT
// Writes src/math/math_constants.cpp: the digits of pi and 2/pi, the Cody-Waite parts of pi/512
// and the tables of sines, cosines and arc tangents that the correctly rounded functions use,
// each computed by MPFR with far more bits than kept and then rounded to nearest. The test
// math_constants builds this program and compares its output with the committed file, so the
// tables can only change together with this program.
//
// Build and run: cc make_math_constants.c -lmpfr -lgmp && ./a.out > src/math/math_constants.cpp
#include <stdio.h>
#include <mpfr.h>

enum {
    kWorkBits = 4000,     // far beyond every digit written
    kTwoOverPiLimbs = 80, // fraction bits of 2/pi, 32 at a time
    kPiLimbs = 41,        // pi: the integer part 3, then 40 limbs of fraction
    kTableSteps = 512,    // the sine table steps by pi/512
    kArcTableSteps = 256  // the arc tangent table steps by 1/256
};

// Prints value as the double nearest it and the double nearest the rest.
static void print_double_double(mpfr_t value, char const* before, char const* after) {
    mpfr_t rest;
    mpfr_init2(rest, kWorkBits);
    double const high = mpfr_get_d(value, MPFR_RNDN);
    mpfr_sub_d(rest, value, high, MPFR_RNDN);
    double const low = mpfr_get_d(rest, MPFR_RNDN);
    printf("%s{%a, %a}%s\n", before, high, low, after);
    mpfr_clear(rest);
}

// Prints count 32-bit limbs of value's bits from the weight 2^(32 * integerLimbs - 32) down,
// most significant first, truncated.
static void print_limbs(mpfr_t value, int integerLimbs, int count) {
    mpfr_t scaled, limb;
    mpfr_inits2(kWorkBits, scaled, limb, (mpfr_ptr)0);
    mpfr_mul_2si(scaled, value, 32 * (1 - integerLimbs), MPFR_RNDN);
    for (int i = 0; i < count; ++i) {
        mpfr_floor(limb, scaled);
        printf("%s0x%08lxu,%s", i % 6 == 0 ? "    " : " ", mpfr_get_ui(limb, MPFR_RNDN),
               i % 6 == 5 || i == count - 1 ? "\n" : "");
        mpfr_sub(scaled, scaled, limb, MPFR_RNDN);
        mpfr_mul_2ui(scaled, scaled, 32, MPFR_RNDN);
    }
    mpfr_clears(scaled, limb, (mpfr_ptr)0);
}

int main(void) {
    mpfr_t pi, x, y, part;
    mpfr_inits2(kWorkBits, pi, x, y, part, (mpfr_ptr)0);
    mpfr_const_pi(pi, MPFR_RNDN);

    printf("// SPDX-License-Identifier: MIT\n");
    printf("// Written by tools/math/make_math_constants.c with MPFR; do not edit by hand.\n");
    printf("// clang-format off\n");
    printf("#include \"math/math_constants.h\"\n\nnamespace gte::math {\n\n");

    printf("std::uint32_t const kTwoOverPiFraction[kTwoOverPiLimbCount] = {\n");
    mpfr_ui_div(x, 2, pi, MPFR_RNDN);
    print_limbs(x, 0, kTwoOverPiLimbs);
    printf("};\n\nstd::uint32_t const kPiLimbs[kPiLimbCount] = {\n");
    print_limbs(pi, 1, kPiLimbs);
    printf("};\n\n");

    // pi/512 = kCodyWaite[0] + [1] + [2] + [3]: the first three have 26 significant bits, so
    // that k times each is exact for |k| < 2^27; the fourth is the double nearest the rest.
    printf("double const kCodyWaitePiOver512[4] = {");
    mpfr_div_ui(x, pi, kTableSteps, MPFR_RNDN);
    for (int i = 0; i < 4; ++i) {
        mpfr_set_prec(part, kWorkBits);
        mpfr_set(part, x, MPFR_RNDN);
        if (i < 3) {
            mpfr_prec_round(part, 26, MPFR_RNDN);
        }
        printf("%a%s", mpfr_get_d(part, MPFR_RNDN), i < 3 ? ", " : "};\n\n");
        mpfr_sub(x, x, part, MPFR_RNDN);
    }
    mpfr_set_prec(part, kWorkBits);

    printf("DoubleDouble const kSinCosTable[kQuarterTurnSteps][2] = {\n");
    for (int m = 0; m < kTableSteps / 2; ++m) {
        mpfr_mul_ui(x, pi, (unsigned long)m, MPFR_RNDN);
        mpfr_div_ui(x, x, kTableSteps, MPFR_RNDN);
        mpfr_sin_cos(y, part, x, MPFR_RNDN);
        printf("    {\n");
        print_double_double(y, "        ", ",");
        print_double_double(part, "        ", ",");
        printf("    },\n");
    }
    printf("};\n\nDoubleDouble const kArcTangentTable[kArcTableSize] = {\n");
    for (int i = 0; i <= kArcTableSteps; ++i) {
        mpfr_set_ui(x, (unsigned long)i, MPFR_RNDN);
        mpfr_div_ui(x, x, kArcTableSteps, MPFR_RNDN);
        mpfr_atan(y, x, MPFR_RNDN);
        print_double_double(y, "    ", ",");
    }
    printf("};\n\n");
    mpfr_div_2ui(x, pi, 1, MPFR_RNDN);
    print_double_double(x, "DoubleDouble const kHalfPi = ", ";");
    print_double_double(pi, "DoubleDouble const kPi = ", ";");
    printf("\n}  // namespace gte::math\n");
    mpfr_clears(pi, x, y, part, (mpfr_ptr)0);
    mpfr_free_cache();
    return 0;
}
