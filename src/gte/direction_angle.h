// SPDX-License-Identifier: MIT
// Angles between measured features, reduced to the angle between two directions.
//
// Every feature gives one direction, of unit length or zero: a line or ray its own direction, a
// segment the direction from its second end point towards its first, a plane its unit normal.
// The angle is the arc cosine of their clamped dot product, in degrees, and a rule then decides
// what it means for the pair of features.
#pragma once

#include <cmath>

#include "gte/basis.h"
#include "gte/shapes.h"
#include "gte/vector.h"
#include "math/correctly_rounded.h"

namespace gte {

inline Vector3 featureDirection(Line3 const& line) {
    return line.direction;
}
inline Vector3 featureDirection(Ray3 const& ray) {
    return ray.direction;
}
// From p[1] towards p[0]; zero when the end points coincide.
inline Vector3 featureDirection(Segment3 const& segment) {
    return Normalized(segment.p[0] - segment.p[1]);
}
inline Vector3 featureDirection(Plane3 const& plane) {
    return plane.normal;
}

// The direction as seen from above: unit in z = 0, zero for a vertical direction.
inline Vector3 projectedXY(Vector3 direction) {
    direction[2] = 0.0;
    return Normalized(direction);
}

// Rounding can put the dot product of two parallel unit vectors just outside [-1, 1], where the
// arc cosine is undefined.
inline double clampedCosine(Vector3 const& d1, Vector3 const& d2) {
    double c = Dot(d1, d2);
    if (c > 1.0) {
        c = 1.0;
    } else if (c < -1.0) {
        c = -1.0;
    }
    return c;
}

// Angle between two directions in degrees, 0 to 180; 90 when either is zero.
inline double angleDegrees(Vector3 const& d1, Vector3 const& d2) {
    return math::Acos(clampedCosine(d1, d2)) * kRadiansToDegrees;
}

// The angle a between two directions whose senses do not matter, folded into 0 to 90.
inline double foldedAngle(double a) {
    return a > kQuarterTurnDegrees ? kHalfTurnDegrees - a : a;
}

enum class AngleRule {
    linear,          // a itself: depends on the sense of both features
    toPlane,         // between a feature and the plane, 0 to 90, whatever the senses
    betweenNormals,  // a itself, between the two unit normals
};

inline double applyAngleRule(AngleRule rule, double a) {
    if (rule == AngleRule::toPlane) {
        // a is measured against the normal: the complement of the folded angle lies in the plane.
        return kQuarterTurnDegrees - foldedAngle(a);
    }
    return a;
}

enum class AngleProjection { none, xy };

// The whole measurement: directions of both features, optional view from above, angle, rule.
template <class First, class Second>
double measureAngle(First const& first, Second const& second, AngleProjection projection,
                    AngleRule rule) {
    Vector3 direction1 = featureDirection(first);
    Vector3 direction2 = featureDirection(second);
    if (projection == AngleProjection::xy) {
        direction1 = projectedXY(direction1);
        direction2 = projectedXY(direction2);
    }
    return applyAngleRule(rule, angleDegrees(direction1, direction2));
}

}  // namespace gte
