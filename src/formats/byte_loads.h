// SPDX-License-Identifier: MIT
// Values of the binary formats loaded from bytes in a stated byte order, whatever the machine's:
// built from single bytes with shifts, which compilers turn into one load (and a swap).
#pragma once

#include <cstdint>
#include <cstring>

namespace tavrisk {
namespace formats {

inline std::uint16_t loadLittle16(unsigned char const* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::uint32_t loadLittle32(unsigned char const* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint64_t loadLittle64(unsigned char const* p) {
    return static_cast<std::uint64_t>(loadLittle32(p)) |
           static_cast<std::uint64_t>(loadLittle32(p + 4)) << 32;
}
inline std::uint16_t loadBig16(unsigned char const* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}
inline std::uint32_t loadBig32(unsigned char const* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}
inline std::uint64_t loadBig64(unsigned char const* p) {
    return static_cast<std::uint64_t>(loadBig32(p)) << 32 | loadBig32(p + 4);
}

inline float floatFromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
inline double doubleFromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The double nearest a 64-bit integer, ties to even, whatever rounding mode the host has set: the
// conversion instruction would follow that mode, and a file must read the same in every host.
// The integer is cut to its 53 leading bits in integer arithmetic, which makes the conversion of
// the rest exact.
inline double nearestDouble(std::uint64_t magnitude) {
    constexpr std::uint64_t kExactLimit = std::uint64_t(1) << 53;
    if (magnitude < kExactLimit) {
        return static_cast<double>(magnitude);
    }
    int dropped = 0;  // low bits beyond the 53 a double keeps
    while ((magnitude >> dropped) >= kExactLimit) {
        ++dropped;
    }
    std::uint64_t const kept = magnitude >> dropped;
    std::uint64_t const rest = magnitude & ((std::uint64_t(1) << dropped) - 1);
    std::uint64_t const half = std::uint64_t(1) << (dropped - 1);
    std::uint64_t const rounded = kept + (rest > half || (rest == half && (kept & 1) != 0));
    // kept * 2^dropped and (2^53) * 2^dropped are both exact doubles.
    return static_cast<double>(rounded) * static_cast<double>(std::uint64_t(1) << dropped);
}
inline double nearestDouble(std::int64_t value) {
    // The magnitude of the most negative value is 2^63, which the unsigned type holds.
    std::uint64_t const magnitude = value < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(value)
                                              : static_cast<std::uint64_t>(value);
    double const nearest = nearestDouble(magnitude);
    return value < 0 ? -nearest : nearest;
}

}  // namespace formats
}  // namespace tavrisk
