// SPDX-License-Identifier: MIT
// The numeric types a PLY property or a PCD field holds, and their values as doubles.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/byte_loads.h"

namespace tavrisk {
namespace formats {

enum class ScalarType {
    int8,
    uint8,
    int16,
    uint16,
    int32,
    uint32,
    int64,
    uint64,
    float32,
    float64
};

enum class ByteOrder { little, big };

std::size_t sizeOf(ScalarType type);

// "int8", "uint16", "float32", ...: the type's name for a person.
char const* nameOf(ScalarType type);

bool isInteger(ScalarType type);

// The value stored at p in the given byte order: exact for every type but the 64-bit integers,
// which take the nearest double (see nearestDouble). Inline: where the type is a constant, the
// load is a single one.
inline double loadScalar(ScalarType type, ByteOrder order, unsigned char const* p) {
    bool const little = order == ByteOrder::little;
    switch (type) {
        case ScalarType::int8:
            return static_cast<std::int8_t>(p[0]);
        case ScalarType::uint8:
            return p[0];
        case ScalarType::int16:
            return static_cast<std::int16_t>(little ? loadLittle16(p) : loadBig16(p));
        case ScalarType::uint16:
            return little ? loadLittle16(p) : loadBig16(p);
        case ScalarType::int32:
            return static_cast<std::int32_t>(little ? loadLittle32(p) : loadBig32(p));
        case ScalarType::uint32:
            return little ? loadLittle32(p) : loadBig32(p);
        case ScalarType::int64:
            return nearestDouble(
                static_cast<std::int64_t>(little ? loadLittle64(p) : loadBig64(p)));
        case ScalarType::uint64:
            return nearestDouble(little ? loadLittle64(p) : loadBig64(p));
        case ScalarType::float32:
            return floatFromBits(little ? loadLittle32(p) : loadBig32(p));
        case ScalarType::float64:
            return doubleFromBits(little ? loadLittle64(p) : loadBig64(p));
    }
    return 0.0;
}

// Whether a value read from text is one the type holds: a whole number in its range for the
// integer types, anything for the floating-point ones (whose text is read as a double).
bool holdsValue(ScalarType type, double value);

}  // namespace formats
}  // namespace tavrisk
