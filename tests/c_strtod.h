// strtod in the "C" locale, the reference every number read from text is held to, and the bits
// of a double to compare results exactly.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>

#include "platform/c_number.h"

namespace tavrisk_test {

inline std::uint64_t bitsOf(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

// The number at the front of a text that ends at its first byte 0.
inline tavrisk::platform::CNumber cStrtod(char const* text) {
    char* end = nullptr;
#if defined(_WIN32)
    // MinGW's strtod is its own C99 reader (hexadecimal, inf, nan, rounded to nearest), unlike
    // the system runtime's; it follows the process locale, which the tests leave at "C".
    double const value = std::strtod(text, &end);
#else
    static locale_t const c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    double const value = strtod_l(text, &end, c);
#endif
    return {value, static_cast<std::size_t>(end - text)};
}

}  // namespace tavrisk_test
