// SPDX-License-Identifier: MIT
// The library's own acos, atan, sin and cos: each returns the double nearest the exact value
// (ties to even) for every double argument, so results are the same bits on every platform and
// C runtime. NaN gives NaN, infinities give what IEEE 754 says (atan(+-inf) = +-pi/2 rounded;
// sin, cos of an infinity and acos outside [-1, 1] are NaN), signed zeros keep their sign.
// They assume the default rounding mode, to nearest.
//
// Each first evaluates in double-double arithmetic with a proven error bound and returns when
// every value within that bound rounds to the same double; otherwise (about one argument in a
// few thousand) it evaluates again in fixed point of increasing precision (precise_evaluation.h).
// Building with TAVRISK_MATH_PRECISE_ONLY takes the slow path always, so tests can check it alone.
#pragma once

// The results depend on the argument alone (the tables read are constant), so the compiler may
// compute a repeated call once.
#if defined(__GNUC__) || defined(__clang__)
#define TAVRISK_MATH_FUNCTION __attribute__((const))
#else
#define TAVRISK_MATH_FUNCTION
#endif

namespace gte::math {

TAVRISK_MATH_FUNCTION double Acos(double x);
TAVRISK_MATH_FUNCTION double Atan(double x);
TAVRISK_MATH_FUNCTION double Sin(double x);
TAVRISK_MATH_FUNCTION double Cos(double x);

struct SineCosine {
    double sine;
    double cosine;
};
// sin(x) and cos(x) from one argument reduction.
TAVRISK_MATH_FUNCTION SineCosine SinCos(double x);

}  // namespace gte::math
