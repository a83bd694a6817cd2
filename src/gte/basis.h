// SPDX-License-Identifier: MIT
// Orthonormal bases and rotations about an axis, and the units angles come in.
#pragma once

#include <cmath>

#include "gte/vector.h"
#include "math/correctly_rounded.h"

namespace gte {

// Orthonormalises v[0..n-1] in place and returns the smallest length met before normalising.
inline double GramSchmidt(int n, Vector3* v) {
    if (v == nullptr || n < 1 || n > 3) {
        return 0.0;
    }
    double minLength = Normalize(v[0]);
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            double const d = Dot(v[i], v[j]);
            v[i] -= v[j] * d;
        }
        double const length = Normalize(v[i]);
        if (length < minLength) {
            minLength = length;
        }
    }
    return minLength;
}

// Completes v[0] (n = 1) or v[0], v[1] (n = 2) to a right-handed orthonormal basis.
inline double CompleteBasis(int n, Vector3 v[3]) {
    if (n == 1) {
        if (std::fabs(v[0][0]) > std::fabs(v[0][1])) {
            v[1] = Vector3(-v[0][2], 0.0, v[0][0]);
        } else {
            v[1] = Vector3(0.0, v[0][2], -v[0][1]);
        }
        n = 2;
    }
    if (n != 2) {
        return 0.0;
    }
    v[2] = Cross(v[0], v[1]);
    return GramSchmidt(3, v);
}

// Angles cross the interface in degrees. The conversion factors are the doubles nearest pi / 180
// and 180 / pi. Scaling by kRadiansToDegrees rounds differently from multiplying by 180 and then
// dividing by pi: an expression keeps the form its digits were defined with.
constexpr double kPi = 3.141592653589793;
constexpr double kQuarterTurnDegrees = 90.0;
constexpr double kHalfTurnDegrees = 180.0;
constexpr double kDegreesToRadians = 0.017453292519943295;
constexpr double kRadiansToDegrees = 57.29577951308232;
static_assert(kDegreesToRadians == kPi / kHalfTurnDegrees, "pi / 180 as a double");
static_assert(kRadiansToDegrees == kHalfTurnDegrees / kPi, "180 / pi as a double");

// The sine and cosine of a rotation given in degrees, for rotating several vectors by it.
inline math::SineCosine TurnOf(double angleDegrees) {
    return math::SinCos(angleDegrees * kDegreesToRadians);
}

// Rodrigues rotation of v about axis (any length: NormalizeDirection) by the right-hand rule, by
// the turn of an angle. A zero axis leaves cos(angle) * v.
inline Vector3 RotateVector(Vector3 const& v, Vector3 const& axis, math::SineCosine const& turn) {
    Vector3 const u = NormalizedDirection(axis);
    Vector3 r = turn.cosine * v;
    r += turn.sine * Cross(u, v);
    r += ((1.0 - turn.cosine) * Dot(u, v)) * u;
    return r;
}

inline Vector3 RotateVector(Vector3 const& v, Vector3 const& axis, double angleDegrees) {
    return RotateVector(v, axis, TurnOf(angleDegrees));
}

}  // namespace gte
