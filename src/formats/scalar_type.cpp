// SPDX-License-Identifier: MIT
#include "formats/scalar_type.h"

#include <cmath>
#include <cstdint>

namespace tavrisk {
namespace formats {

std::size_t sizeOf(ScalarType type) {
    switch (type) {
        case ScalarType::int8:
        case ScalarType::uint8:
            return 1;
        case ScalarType::int16:
        case ScalarType::uint16:
            return 2;
        case ScalarType::int32:
        case ScalarType::uint32:
        case ScalarType::float32:
            return 4;
        case ScalarType::int64:
        case ScalarType::uint64:
        case ScalarType::float64:
            return 8;
    }
    return 0;
}

char const* nameOf(ScalarType type) {
    static char const* const kNames[] = {"int8",   "uint8", "int16",  "uint16",  "int32",
                                         "uint32", "int64", "uint64", "float32", "float64"};
    return kNames[static_cast<int>(type)];
}

bool isInteger(ScalarType type) {
    return type != ScalarType::float32 && type != ScalarType::float64;
}

bool holdsValue(ScalarType type, double value) {
    // The bounds of each integer type as exact doubles: the least value, and the first value
    // beyond the greatest (2^64 and 2^63 are powers of two; the greatest values are not doubles).
    double low = 0.0;
    double beyond = 0.0;
    switch (type) {
        case ScalarType::float32:
        case ScalarType::float64:
            return true;
        case ScalarType::int8:
            low = -128.0, beyond = 128.0;
            break;
        case ScalarType::uint8:
            beyond = 256.0;
            break;
        case ScalarType::int16:
            low = -32768.0, beyond = 32768.0;
            break;
        case ScalarType::uint16:
            beyond = 65536.0;
            break;
        case ScalarType::int32:
            low = -2147483648.0, beyond = 2147483648.0;
            break;
        case ScalarType::uint32:
            beyond = 4294967296.0;
            break;
        case ScalarType::int64:
            low = -9223372036854775808.0, beyond = 9223372036854775808.0;
            break;
        case ScalarType::uint64:
            beyond = 18446744073709551616.0;
            break;
    }
    return std::trunc(value) == value && value >= low && value < beyond;
}

}  // namespace formats
}  // namespace tavrisk
