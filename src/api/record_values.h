// SPDX-License-Identifier: MIT
// Points and vectors between their interface records and the core's vector, coordinate for
// coordinate: what every other conversion is built on.
#pragma once

#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk {

using gte::Vector3;

inline Vector3 toVector3(gte_point const& p) {
    return Vector3(p.x, p.y, p.z);
}
inline Vector3 toVector3(gte_vector const& v) {
    return Vector3(v.x, v.y, v.z);
}

inline gte_point toPointRecord(Vector3 const& v) {
    return gte_point(v[0], v[1], v[2]);
}
inline gte_vector toVectorRecord(Vector3 const& v) {
    return gte_vector(v[0], v[1], v[2]);
}

}  // namespace tavrisk
