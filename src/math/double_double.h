// SPDX-License-Identifier: MIT
// Double-double arithmetic: a value carried as the unevaluated sum hi + lo of two doubles, and
// the error-free transformations it is built from. Only plain double additions and
// multiplications are used (Dekker's product with Veltkamp's split, no fused multiply-add), so
// every target, with or without FMA, computes the same bits.
#pragma once

#include <cstdint>
#include <cstring>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace gte::math {

struct DoubleDouble {
    double hi;
    double lo;
};

// A double-double table entry with its high part's head: hi rounded to 26 significant bits, so
// that head times a 26-bit number is exact, and the rest, the double nearest hi + lo - head
// (below 2^-26 |hi|, within 2^-53 of itself).
struct SplitDoubleDouble {
    double hi;
    double lo;
    double head;
    double rest;
};

// a + b = sum + error exactly, whatever the magnitudes (Knuth).
inline DoubleDouble TwoSum(double a, double b) {
    double const sum = a + b;
    double const bPart = sum - a;
    double const aPart = sum - bPart;
    return {sum, (a - aPart) + (b - bPart)};
}

// a + b = sum + error exactly when |a| >= |b| or a is zero (Dekker).
inline DoubleDouble FastTwoSum(double a, double b) {
    double const sum = a + b;
    return {sum, b - (sum - a)};
}

// Veltkamp's split: a = hi + lo with hi and lo of at most 26 significant bits each, so that
// their products are exact doubles. Valid for |a| < 2^995 (the multiplier must not overflow).
inline DoubleDouble Split(double a) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    double const scaled = kSplitter * a;
    double const hi = scaled - (scaled - a);
    return {hi, a - hi};
}

// a with the low `bits` bits of its significand cleared: one logical operation, in the
// floating-point registers where SSE2 is there (every x86 target builds with it), since a round
// trip through the integer registers costs more than the operation.
template <int kBits>
inline double Truncated(double a) {
    constexpr std::uint64_t kHighBits = ~((std::uint64_t{1} << kBits) - 1);
#if defined(__SSE2__) || defined(_M_X64)
    __m128d const mask = _mm_castsi128_pd(_mm_set_epi32(0, 0, static_cast<int>(kHighBits >> 32),
                                                        static_cast<int>(kHighBits & 0xffffffffu)));
    return _mm_cvtsd_f64(_mm_and_pd(_mm_set_sd(a), mask));
#else
    std::uint64_t bits;
    std::memcpy(&bits, &a, sizeof bits);
    bits &= kHighBits;
    std::memcpy(&a, &bits, sizeof a);
    return a;
#endif
}

// a = head + rest with head a's first 26 significant bits and rest (at most 27 bits) exact: for
// products with a split table entry, whose 26-bit head times either part is exact. Cheaper than
// Split, but the rest may have 27 bits, so two rests' product is not exact (TwoProduct).
inline DoubleDouble HeadAndRest(double a) {
    double const head = Truncated<27>(a);
    return {head, a - head};
}

// a - b = difference + error exactly when |a| >= |b| or a is zero: FastTwoSum(a, -b) without
// the negation.
inline DoubleDouble FastTwoDifference(double a, double b) {
    double const difference = a - b;
    return {difference, (a - difference) - b};
}

// a * b = product + error exactly, barring underflow (Dekker).
inline DoubleDouble TwoProduct(double a, double b) {
    double const product = a * b;
    DoubleDouble const as = Split(a);
    DoubleDouble const bs = Split(b);
    double const error =
        ((as.hi * bs.hi - product) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {product, error};
}

// b * r as hi + lo with hi = b.head * rSplit.hi exact (rSplit = Split(r) or HeadAndRest(r): a
// 26-bit head and a rest of at most 27 bits, below 2^-25 |r|) and lo the rest, within 2^-76.8 of
// |b r|: b.head * rSplit.lo is exact, b.rest is within 2^-79 |b| of b.hi + b.lo - b.head and its
// product with r off by 2^-53 of a 2^-26 part, and their sum, below 2^-24.4 |b r|, by 2^-53 of
// itself. A third of the work of TwoProduct where the table gives the head; hi and lo are not
// normalised.
inline DoubleDouble MultiplyByEntry(SplitDoubleDouble const& b, double r, DoubleDouble rSplit) {
    return {b.head * rSplit.hi, b.head * rSplit.lo + b.rest * r};
}

// The double-double sum of two double-doubles, renormalised; relative error below 2^-103 when
// no cancellation happens between the two (the callers add terms of one sign or of very
// different magnitudes).
inline DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
    DoubleDouble const sum = TwoSum(a.hi, b.hi);
    return FastTwoSum(sum.hi, sum.lo + (a.lo + b.lo));
}

// The double-double product of a double-double and a double; relative error below 2^-102.
inline DoubleDouble Multiply(DoubleDouble a, double b) {
    DoubleDouble const product = TwoProduct(a.hi, b);
    return FastTwoSum(product.hi, product.lo + a.lo * b);
}

// The double-double product of two double-doubles; relative error below 2^-101.
inline DoubleDouble Multiply(DoubleDouble a, DoubleDouble b) {
    DoubleDouble const product = TwoProduct(a.hi, b.hi);
    return FastTwoSum(product.hi, product.lo + (a.hi * b.lo + a.lo * b.hi));
}

// The double-double quotient a / b for b > 0; relative error below 2^-100.
inline DoubleDouble Divide(DoubleDouble a, DoubleDouble b) {
    double const quotient = a.hi / b.hi;
    // a - quotient * b, with the large part of the product cancelled exactly.
    DoubleDouble const product = TwoProduct(quotient, b.hi);
    double const remainder = (((a.hi - product.hi) - product.lo) + a.lo) - quotient * b.lo;
    return FastTwoSum(quotient, remainder / b.hi);
}

}  // namespace gte::math
