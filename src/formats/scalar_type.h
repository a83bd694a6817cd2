// SPDX-License-Identifier: MIT
// The numeric types a PLY property or a PCD field holds, and their values as doubles.
#pragma once

#include <cstddef>

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
// which take the nearest double (see nearestDouble).
double loadScalar(ScalarType type, ByteOrder order, unsigned char const* p);

// Whether a value read from text is one the type holds: a whole number in its range for the
// integer types, anything for the floating-point ones (whose text is read as a double).
bool holdsValue(ScalarType type, double value);

}  // namespace formats
}  // namespace tavrisk
