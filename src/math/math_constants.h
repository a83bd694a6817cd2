// SPDX-License-Identifier: MIT
// The digits the correctly rounded functions are built on, computed once with far more precision
// than kept (tools/math/make_math_constants.c writes math_constants.cpp; a test checks it).
#pragma once

#include <cstdint>

#include "math/double_double.h"

namespace gte::math {

// The fraction bits of 2/pi, 32 at a time, most significant first: enough for the exact
// reduction of the largest double (2^1024) at the slow path's highest precision.
constexpr int kTwoOverPiLimbCount = 80;
extern std::uint32_t const kTwoOverPiFraction[kTwoOverPiLimbCount];

// pi in 32-bit limbs: the integer part 3, then the fraction, most significant first.
constexpr int kPiLimbCount = 41;
extern std::uint32_t const kPiLimbs[kPiLimbCount];

// atan(k/16) for k = 0 .. 16, 32 limbs of fraction each (most significant first, truncated): the
// slow path's arc tangent series starts from the nearest of them.
constexpr int kArcTangentSixteenthCount = 17;
constexpr int kArcTangentSixteenthLimbCount = 32;
extern std::uint32_t const kArcTangentSixteenths[kArcTangentSixteenthCount]
                                                [kArcTangentSixteenthLimbCount];

// pi/512 as four parts whose sum is within 2^-142 of it; the first three have 26 significant
// bits, so k times each is an exact double for |k| < 2^27.
extern double const kCodyWaitePiOver512[4];

// sin(m pi/512) and cos(m pi/512) for m = 0 .. 511 (half a turn): the sine to about 2^-106 as
// a double-double, the cosine as the double nearest it, its 26-bit head and the rest (as in
// SplitDoubleDouble, without the low part), so that a row gives both factors of
// sin(m pi/512 + r) = sin(m pi/512) cos(r) + cos(m pi/512) sin(r).
struct SineCosineEntry {
    double sineHi;
    double sineLo;
    double cosineHi;
    double cosineHead;
    double cosineRest;
};
constexpr int kQuarterTurnSteps = 256;
constexpr int kHalfTurnSteps = 2 * kQuarterTurnSteps;
extern SineCosineEntry const kHalfTurnTable[kHalfTurnSteps];

// Taylor expansions of a function at c = i/256: f(c) and f'(c) to about 2^-106, and
// f^(k)(c) / k! for k = 2 .. 9 as the doubles nearest them.
struct TaylorRow {
    DoubleDouble value;
    SplitDoubleDouble slope;
    double higher[8];
};
constexpr int kArcSteps = 256;
// atan at i/256 for i = 0 .. 256, and asin at i/256 for i = 0 .. 128.
constexpr int kArcTangentRowCount = kArcSteps + 1;
constexpr int kArcSineRowCount = kArcSteps / 2 + 1;
extern TaylorRow const kArcTangentRows[kArcTangentRowCount];
extern TaylorRow const kArcSineRows[kArcSineRowCount];

// The angles the arc functions' sums start from, at c = i/256: pi/2 - atan(c); acos(c) and
// acos(-c) (first index 0 and 1) for c <= 1/2; and 2 asin(c) and pi - 2 asin(c), for
// acos(x) = 2 asin(sqrt((1 - |x|)/2)) and pi minus that.
extern DoubleDouble const kArcTangentComplements[kArcTangentRowCount];
extern DoubleDouble const kArcCosinesNearZero[2][kArcSineRowCount];
extern DoubleDouble const kArcCosinesNearOne[2][kArcSineRowCount];

extern DoubleDouble const kHalfPi;
extern DoubleDouble const kPi;

}  // namespace gte::math
