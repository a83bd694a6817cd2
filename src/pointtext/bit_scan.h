// SPDX-License-Identifier: MIT
// Bit counting on 64-bit masks, with the compiler's builtins or MSVC's intrinsics.
#pragma once

#include <cstdint>

#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

namespace tavrisk {
namespace platform {

// Index of the lowest set bit; mask must not be 0.
inline int lowestSetBit(std::uint64_t mask) {
#if defined(_MSC_VER) && !defined(__clang__)
    unsigned long index;
    _BitScanForward64(&index, mask);
    return static_cast<int>(index);
#else
    return __builtin_ctzll(mask);
#endif
}

// Number of set bits. Written out rather than left to a popcount instruction, which the
// baseline x86-64 the library is built for does not have.
inline int setBitCount(std::uint64_t mask) {
    mask = mask - ((mask >> 1) & 0x5555555555555555u);
    mask = (mask & 0x3333333333333333u) + ((mask >> 2) & 0x3333333333333333u);
    mask = (mask + (mask >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((mask * 0x0101010101010101u) >> 56);
}

}  // namespace platform
}  // namespace tavrisk
