// SPDX-License-Identifier: MIT
// The polynomials of the form certificates, written once for every number kind of
// exact_sign.h: vectors of numbers built from coordinate differences, their dot and cross
// products.
#pragma once

#include "gte/vector.h"

namespace tavrisk::form {

template <class Number>
struct Triple {
    Number x, y, z;
};

// b - a, coordinate by coordinate, in the kind K.
template <class K>
Triple<typename K::Number> differenceOf(gte::Vector3 const& b, gte::Vector3 const& a) {
    return {K::difference(b[0], a[0]), K::difference(b[1], a[1]), K::difference(b[2], a[2])};
}

template <class Number>
Triple<Number> crossOf(Triple<Number> const& a, Triple<Number> const& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

template <class Number>
Number dotOf(Triple<Number> const& a, Triple<Number> const& b) {
    return (a.x * b.x + a.y * b.y) + a.z * b.z;
}

// The cross product of b - a and c - a seen from above (its z component), in the kind K.
template <class K>
typename K::Number crossXY(gte::Vector3 const& a, gte::Vector3 const& b, gte::Vector3 const& c) {
    return K::difference(b[0], a[0]) * K::difference(c[1], a[1]) -
           K::difference(b[1], a[1]) * K::difference(c[0], a[0]);
}

// (b - a) . (c - a) seen from above.
template <class K>
typename K::Number dotXY(gte::Vector3 const& a, gte::Vector3 const& b, gte::Vector3 const& c) {
    return K::difference(b[0], a[0]) * K::difference(c[0], a[0]) +
           K::difference(b[1], a[1]) * K::difference(c[1], a[1]);
}

}  // namespace tavrisk::form
