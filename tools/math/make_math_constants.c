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
    kWorkBits = 4000,       // far beyond every digit written
    kTwoOverPiLimbs = 80,   // fraction bits of 2/pi, 32 at a time
    kPiLimbs = 41,          // pi: the integer part 3, then 40 limbs of fraction
    kTableSteps = 512,      // the sine table steps by pi/512
    kArcSteps = 256,        // the arc tables step by 1/256
    kArcTangentRows = 257,  // atan on [0, 1]
    kArcSineRows = 129,     // asin on [0, 1/2]
    kTaylorTerms = 10,      // f(c), f'(c), ..., f^(9)(c) / 9!
    kArcTangentSixteenths = 16,     // the slow path's atan(k/16), k = 0 .. 16
    kArcTangentSixteenthLimbs = 32  // fraction limbs of each
};

// Prints value as the double nearest it and the double nearest the rest, and with a head, the
// first rounded to 26 significant bits, and the double nearest value minus the head (the split
// table entries).
static void print_entry(mpfr_t value, int withHead, char const* before, char const* after) {
    mpfr_t rest, head;
    mpfr_init2(rest, kWorkBits);
    mpfr_init2(head, 53);
    double const high = mpfr_get_d(value, MPFR_RNDN);
    mpfr_sub_d(rest, value, high, MPFR_RNDN);
    printf("%s{%a, %a", before, high, mpfr_get_d(rest, MPFR_RNDN));
    if (withHead) {
        mpfr_set_d(head, high, MPFR_RNDN);
        mpfr_prec_round(head, 26, MPFR_RNDN);
        printf(", %a", mpfr_get_d(head, MPFR_RNDN));
        mpfr_sub(rest, value, head, MPFR_RNDN);
        printf(", %a", mpfr_get_d(rest, MPFR_RNDN));
    }
    printf("}%s\n", after);
    mpfr_clears(rest, head, (mpfr_ptr)0);
}

// One entry of the half-turn table: {sin hi, sin lo, cos hi, cos head, cos rest} at angle.
static void print_half_turn_entry(mpfr_t sine, mpfr_t angle) {
    mpfr_t cosine, rest, head;
    mpfr_inits2(kWorkBits, cosine, rest, (mpfr_ptr)0);
    mpfr_init2(head, 53);
    mpfr_cos(cosine, angle, MPFR_RNDN);
    double const sineHigh = mpfr_get_d(sine, MPFR_RNDN);
    mpfr_sub_d(rest, sine, sineHigh, MPFR_RNDN);
    printf("    {%a, %a, ", sineHigh, mpfr_get_d(rest, MPFR_RNDN));
    double const cosineHigh = mpfr_get_d(cosine, MPFR_RNDN);
    mpfr_set_d(head, cosineHigh, MPFR_RNDN);
    mpfr_prec_round(head, 26, MPFR_RNDN);
    mpfr_sub(rest, cosine, head, MPFR_RNDN);
    printf("%a, %a, %a},\n", cosineHigh, mpfr_get_d(head, MPFR_RNDN), mpfr_get_d(rest, MPFR_RNDN));
    mpfr_clears(cosine, rest, head, (mpfr_ptr)0);
}

static void print_double_double(mpfr_t value, char const* before, char const* after) {
    print_entry(value, 0, before, after);
}

static void print_split_double_double(mpfr_t value, char const* before, char const* after) {
    print_entry(value, 1, before, after);
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

// The Taylor coefficients a[k] = f^(k)(c) / k! at c of f = atan (arcSine 0) or asin (1), from
// their derivatives g = f': (1 + x^2) g = 1 for atan, (1 - x^2) g' = x g for asin, each giving
// a recurrence for the coefficients b[k] of g at c.
static void taylor_coefficients(mpfr_t c, int arcSine, mpfr_t* a) {
    mpfr_t b[kTaylorTerms], t, u, w;
    for (int k = 0; k < kTaylorTerms; ++k) {
        mpfr_init2(b[k], kWorkBits);
    }
    mpfr_inits2(kWorkBits, t, u, w, (mpfr_ptr)0);
    mpfr_sqr(w, c, MPFR_RNDN);
    if (arcSine) {
        mpfr_ui_sub(w, 1, w, MPFR_RNDN);  // 1 - c^2
        mpfr_asin(a[0], c, MPFR_RNDN);
        mpfr_rec_sqrt(b[0], w, MPFR_RNDN);
        // b[k+1] = ((2k + 1) c b[k] + k b[k-1]) / ((1 - c^2)(k + 1))
        for (int k = 0; k + 1 < kTaylorTerms - 1; ++k) {
            mpfr_mul(t, c, b[k], MPFR_RNDN);
            mpfr_mul_ui(t, t, (unsigned long)(2 * k + 1), MPFR_RNDN);
            if (k > 0) {
                mpfr_mul_ui(u, b[k - 1], (unsigned long)k, MPFR_RNDN);
                mpfr_add(t, t, u, MPFR_RNDN);
            }
            mpfr_div(t, t, w, MPFR_RNDN);
            mpfr_div_ui(b[k + 1], t, (unsigned long)(k + 1), MPFR_RNDN);
        }
    } else {
        mpfr_add_ui(w, w, 1, MPFR_RNDN);  // 1 + c^2
        mpfr_atan(a[0], c, MPFR_RNDN);
        mpfr_ui_div(b[0], 1, w, MPFR_RNDN);
        // (1 + c^2) b[k] + 2c b[k-1] + b[k-2] = 0
        for (int k = 1; k < kTaylorTerms - 1; ++k) {
            mpfr_mul(t, c, b[k - 1], MPFR_RNDN);
            mpfr_mul_2ui(t, t, 1, MPFR_RNDN);
            if (k > 1) {
                mpfr_add(t, t, b[k - 2], MPFR_RNDN);
            }
            mpfr_div(t, t, w, MPFR_RNDN);
            mpfr_neg(b[k], t, MPFR_RNDN);
        }
    }
    for (int k = 1; k < kTaylorTerms; ++k) {
        mpfr_div_ui(a[k], b[k - 1], (unsigned long)k, MPFR_RNDN);
    }
    for (int k = 0; k < kTaylorTerms; ++k) {
        mpfr_clear(b[k]);
    }
    mpfr_clears(t, u, w, (mpfr_ptr)0);
}

// One row per c = i/256: f(c) and f'(c) as double-doubles, the higher coefficients as doubles.
static void print_taylor_table(char const* name, int rows, int arcSine) {
    mpfr_t c, a[kTaylorTerms];
    mpfr_init2(c, kWorkBits);
    for (int k = 0; k < kTaylorTerms; ++k) {
        mpfr_init2(a[k], kWorkBits);
    }
    printf("TaylorRow const %s[%d] = {\n", name, rows);
    for (int i = 0; i < rows; ++i) {
        mpfr_set_ui(c, (unsigned long)i, MPFR_RNDN);
        mpfr_div_ui(c, c, kArcSteps, MPFR_RNDN);
        taylor_coefficients(c, arcSine, a);
        printf("    {\n");
        print_double_double(a[0], "        ", ",");
        print_split_double_double(a[1], "        ", ",");
        printf("        {");
        for (int k = 2; k < kTaylorTerms; ++k) {
            printf("%a%s", mpfr_get_d(a[k], MPFR_RNDN), k + 1 < kTaylorTerms ? ", " : "},\n");
        }
        printf("    },\n");
    }
    printf("};\n\n");
    mpfr_clear(c);
    for (int k = 0; k < kTaylorTerms; ++k) {
        mpfr_clear(a[k]);
    }
}

// The angles the arc functions start their sums from, at the table points c = i/256:
// pi/2 - atan(c) for atan beyond 1; acos(c) and acos(-c) = pi/2 -+ asin(c) for acos near 0;
// 2 asin(c) and pi - 2 asin(c) for acos near +-1.
static void print_angle_tables(mpfr_t pi) {
    mpfr_t c, halfPi, angle, value;
    mpfr_inits2(kWorkBits, c, halfPi, angle, value, (mpfr_ptr)0);
    mpfr_div_2ui(halfPi, pi, 1, MPFR_RNDN);
    printf("DoubleDouble const kArcTangentComplements[kArcTangentRowCount] = {\n");
    for (int i = 0; i < kArcTangentRows; ++i) {
        mpfr_set_ui(c, (unsigned long)i, MPFR_RNDN);
        mpfr_div_ui(c, c, kArcSteps, MPFR_RNDN);
        mpfr_atan(angle, c, MPFR_RNDN);
        mpfr_sub(value, halfPi, angle, MPFR_RNDN);
        print_double_double(value, "    ", ",");
    }
    printf("};\n\n");
    for (int table = 0; table < 2; ++table) {
        printf("DoubleDouble const %s[2][kArcSineRowCount] = {\n",
               table == 0 ? "kArcCosinesNearZero" : "kArcCosinesNearOne");
        for (int sign = 0; sign < 2; ++sign) {
            printf("    {\n");
            for (int i = 0; i < kArcSineRows; ++i) {
                mpfr_set_ui(c, (unsigned long)i, MPFR_RNDN);
                mpfr_div_ui(c, c, kArcSteps, MPFR_RNDN);
                mpfr_asin(angle, c, MPFR_RNDN);
                if (table == 0) {
                    // pi/2 - asin(c) for +c, pi/2 + asin(c) for -c
                    (sign == 0 ? mpfr_sub : mpfr_add)(value, halfPi, angle, MPFR_RNDN);
                } else {
                    mpfr_mul_2ui(value, angle, 1, MPFR_RNDN);
                    if (sign == 1) {
                        mpfr_sub(value, pi, value, MPFR_RNDN);
                    }
                }
                print_double_double(value, "        ", ",");
            }
            printf("    },\n");
        }
        printf("};\n\n");
    }
    mpfr_clears(c, halfPi, angle, value, (mpfr_ptr)0);
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

    printf("std::uint32_t const kArcTangentSixteenths[kArcTangentSixteenthCount]\n"
           "                                           [kArcTangentSixteenthLimbCount] = {\n");
    for (int k = 0; k <= kArcTangentSixteenths; ++k) {
        mpfr_set_ui(x, (unsigned long)k, MPFR_RNDN);
        mpfr_div_ui(x, x, kArcTangentSixteenths, MPFR_RNDN);
        mpfr_atan(x, x, MPFR_RNDN);
        printf("    {\n");
        print_limbs(x, 0, kArcTangentSixteenthLimbs);
        printf("    },\n");
    }
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

    // Half a turn of sines and cosines: sin(m pi/512) as a double-double and cos(m pi/512) as
    // the double nearest it with its head and rest.
    printf("SineCosineEntry const kHalfTurnTable[kHalfTurnSteps] = {\n");
    for (int m = 0; m < kTableSteps; ++m) {
        mpfr_mul_ui(x, pi, (unsigned long)m, MPFR_RNDN);
        mpfr_div_ui(x, x, kTableSteps, MPFR_RNDN);
        mpfr_sin(y, x, MPFR_RNDN);
        print_half_turn_entry(y, x);
    }
    printf("};\n\n");
    print_taylor_table("kArcTangentRows", kArcTangentRows, 0);
    print_taylor_table("kArcSineRows", kArcSineRows, 1);
    print_angle_tables(pi);
    mpfr_div_2ui(x, pi, 1, MPFR_RNDN);
    print_double_double(x, "DoubleDouble const kHalfPi = ", ";");
    print_double_double(pi, "DoubleDouble const kPi = ", ";");
    printf("\n}  // namespace gte::math\n");
    mpfr_clears(pi, x, y, part, (mpfr_ptr)0);
    mpfr_free_cache();
    return 0;
}
