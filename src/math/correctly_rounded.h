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

namespace gte::math {

double Acos(double x);
double Atan(double x);
double Sin(double x);
double Cos(double x);

struct SineCosine {
    double sine;
    double cosine;
};
// sin(x) and cos(x) from one argument reduction.
SineCosine SinCos(double x);

}  // namespace gte::math
