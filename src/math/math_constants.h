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

// pi/512 as four parts whose sum is within 2^-142 of it; the first three have 26 significant
// bits, so k times each is an exact double for |k| < 2^27.
extern double const kCodyWaitePiOver512[4];

// sin and cos of m * pi/512 for m = 0 .. 255 (one quarter turn), each to about 2^-106.
constexpr int kQuarterTurnSteps = 256;
extern DoubleDouble const kSinCosTable[kQuarterTurnSteps][2];

// atan(i/256) for i = 0 .. 256, each to about 2^-106.
constexpr int kArcTableSteps = 256;
constexpr int kArcTableSize = kArcTableSteps + 1;
extern DoubleDouble const kArcTangentTable[kArcTableSize];

extern DoubleDouble const kHalfPi;
extern DoubleDouble const kPi;

}  // namespace gte::math
