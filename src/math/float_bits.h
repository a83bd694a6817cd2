// SPDX-License-Identifier: MIT
// The fields of an IEEE 754 double, read and written without the C library (whose ldexp and
// frexp may use the x87 unit on 32-bit Windows).
#pragma once

#include <cstdint>
#include <cstring>

namespace gte::math {

constexpr int kExponentBias = 1023;
constexpr int kFractionBits = 52;

inline std::uint64_t BitsOf(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

inline double FromBits(std::uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// The biased exponent field: 0 for zeros and subnormals, 2047 for infinities and NaNs.
inline int BiasedExponent(double x) {
    return static_cast<int>((BitsOf(x) >> kFractionBits) & 0x7ff);
}

// 2^k for a k of the normal range, exactly.
inline double PowerOfTwo(int k) {
    return FromBits(static_cast<std::uint64_t>(k + kExponentBias) << kFractionBits);
}

}  // namespace gte::math
