// SPDX-License-Identifier: MIT
// Tangent lines to circles: from a point, and the common outer and inner tangents of two
// circles. Arcs are measured as their full circles.
//
// Null outputs: a null count pointer or a null array is simply not written; the return value
// and every other output are the same as with all outputs present.
#include <cmath>

#include "api/convert.h"
#include "gte/basis.h"
#include "gte/point_distance_queries.h"
#include "math/correctly_rounded.h"
#include "api/export_guard.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

// Normals whose dot product is further than this from 1 (about 2.56 degrees apart, or of
// opposite sense) give circles without common tangents of this construction.
constexpr double kNormalAgreement = 0.001;
// Counts of tangents (TAVRISK_NONE for none).
constexpr int kOneTangent = 1;
constexpr int kTwoTangents = 2;

bool finite(Vector3 const& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// A circle whose radius is negative, infinite or not a number, or whose centre or normal is not
// finite, is no circle and has no tangents (its lines would all be undefined).
bool hasTangents(gte::Circle3 const& circle) {
    return circle.radius >= 0.0 && std::isfinite(circle.radius) && finite(circle.center) &&
           finite(circle.normal);
}

// The tangents of one kind (outer or inner) of two circles, held until they are written out.
struct TangentSet {
    int count = 0;       // tangent lines found: 0, 1 (touching circles) or 2
    int pointCount = 0;  // tangent points found: 1 for touching circles, else 2 per line
    gte_line lines[2];
    gte_point points[4];
};

// At the point of contact of two touching circles the one common tangent runs perpendicular to
// the centre line, within circle1's plane.
void setTouchingTangent(Vector3 const& tangentPoint, Vector3 const& centerDirection,
                        Vector3 const& normal, TangentSet& set) {
    gte::Line3 const tangentLine(tangentPoint, gte::NormalizedCross(centerDirection, normal));
    set.lines[0] = toLineRecord(tangentLine);
    set.points[0] = toPointRecord(tangentPoint);
    set.count = 1;
    set.pointCount = 1;
}

// Tangent k through the ends of two radius vectors, both turned by angle degrees about
// circle1's normal, so that the radii at the tangent points stay parallel.
void setRotatedTangent(int k, Vector3 const& center1, Vector3 const& radius1,
                       Vector3 const& center2, Vector3 const& radius2, Vector3 const& normal,
                       double angle, TangentSet& set) {
    Vector3 tangentPoint[2];
    gte::math::SineCosine const turn = gte::TurnOf(angle);
    tangentPoint[0] = center1 + gte::RotateVector(radius1, normal, turn);
    tangentPoint[1] = center2 + gte::RotateVector(radius2, normal, turn);
    gte::Line3 const line(tangentPoint[0], gte::Normalized(tangentPoint[1] - tangentPoint[0]));
    set.lines[k] = toLineRecord(line);
    set.points[2 * k] = toPointRecord(tangentPoint[0]);
    set.points[2 * k + 1] = toPointRecord(tangentPoint[1]);
}

void writeTangents(TangentSet const& set, int* count, gte_line* lines, gte_point* points) {
    if (count != nullptr) {
        *count = set.count;
    }
    if (lines != nullptr) {
        for (int k = 0; k < set.count; ++k) lines[k] = set.lines[k];
    }
    if (points != nullptr) {
        for (int i = 0; i < set.pointCount; ++i) points[i] = set.points[i];
    }
}

}  // namespace

extern "C" {

int gte_tangent_point_circle(gte_point point, gte_circle circle, gte_line* lines,
                             gte_point* points) {
    Vector3 const gtePoint = toVector3(point);
    gte::Circle3 const gteCircle = toCircle3(circle);
    Vector3 const& center = gteCircle.center;
    Vector3 const& normal = gteCircle.normal;
    double const r = gteCircle.radius;
    if (!hasTangents(gteCircle) || !finite(gtePoint)) {
        return TAVRISK_NONE;
    }

    // The tangents are taken from the point's projection into the circle's plane.
    gte::Plane3 const circlePlane = gte::Plane3::fromNormalAndPoint(normal, center);
    Vector3 const projected = gte::Distance(gtePoint, circlePlane).closestPoint;

    Vector3 lineDirection = projected - center;
    double const d = gte::Normalize(lineDirection);
    if (r > d) {
        return TAVRISK_NONE;
    }
    if (d == r) {
        // On the circle: the tangent there, perpendicular to the radius.
        gte::Line3 const tangentLine(projected, gte::NormalizedCross(lineDirection, normal));
        if (lines != nullptr) {
            lines[0] = toLineRecord(tangentLine);
        }
        if (points != nullptr) {
            points[0] = toPointRecord(projected);
        }
        return kOneTangent;
    }

    // Outside: the tangent points are the ends of the chord of contact, which crosses the
    // centre line at distance r^2 / d from the centre, with half-length h.
    double const a = r * r / d;
    Vector3 const chordMidpoint = center + a * lineDirection;
    // Just outside the circle r^2 / d can round above r; the chord then has no length rather
    // than a square root of a negative number.
    double const halfChordSquared = r * r - a * a;
    double const h = halfChordSquared > 0.0 ? std::sqrt(halfChordSquared) : 0.0;
    Vector3 const alongChord = gte::NormalizedCross(normal, lineDirection);
    Vector3 const tangentPoint1 = chordMidpoint + h * alongChord;
    Vector3 const tangentPoint2 = chordMidpoint - h * alongChord;
    if (points != nullptr) {
        points[0] = toPointRecord(tangentPoint1);
        points[1] = toPointRecord(tangentPoint2);
    }
    if (lines != nullptr) {
        gte_point const linePoint = toPointRecord(projected);
        lines[0].pt = linePoint;
        lines[1].pt = linePoint;
        lines[0].vector = toVectorRecord(gte::Normalized(tangentPoint1 - projected));
        lines[1].vector = toVectorRecord(gte::Normalized(tangentPoint2 - projected));
    }
    return kTwoTangents;
}

int gte_tangent_circle_circle(gte_circle circle1, gte_circle circle2, int* outcount,
                              gte_line* outline, gte_point* outpoint, int* incount,
                              gte_line* inLine, gte_point* inpoint) {
    gte::Circle3 const gteCircle1 = toCircle3(circle1);
    gte::Circle3 const gteCircle2 = toCircle3(circle2);
    Vector3 const& c1 = gteCircle1.center;
    Vector3 const& c2 = gteCircle2.center;
    Vector3 const& normal = gteCircle1.normal;
    double const r1 = gteCircle1.radius;
    double const r2 = gteCircle2.radius;

    if (std::fabs(gte::Dot(normal, gteCircle2.normal) - 1.0) > kNormalAgreement) {
        return TAVRISK_NO_ANSWER;
    }
    if (!hasTangents(gteCircle1) || !hasTangents(gteCircle2)) {
        TangentSet const none;
        writeTangents(none, outcount, outline, outpoint);
        writeTangents(none, incount, inLine, inpoint);
        return TAVRISK_NONE;
    }

    // Circle2's normal only takes part in the test above: everything turns about circle1's.
    Vector3 centerDirection = c2 - c1;
    double const distance = gte::Normalize(centerDirection);

    // Outer tangents: both circles on the same side of the line.
    TangentSet outer;
    double const radiusDifference = std::fabs(r1 - r2);
    if (distance == radiusDifference && radiusDifference != 0.0) {
        // One circle inside the other, touching it at the far side of the smaller one.
        Vector3 const tangentPoint =
            r2 > r1 ? c1 - r1 * centerDirection : c2 + r2 * centerDirection;
        setTouchingTangent(tangentPoint, centerDirection, normal, outer);
    } else if (distance > radiusDifference) {
        double const theta = gte::math::Acos((r1 - r2) / distance) * gte::kRadiansToDegrees;
        Vector3 const radius1 = r1 * centerDirection;
        Vector3 const radius2 = r2 * centerDirection;
        setRotatedTangent(0, c1, radius1, c2, radius2, normal, theta, outer);
        setRotatedTangent(1, c1, radius1, c2, radius2, normal, -theta, outer);
        outer.count = 2;
        outer.pointCount = 4;
    }

    // Inner tangents: the line passes between the circles, so the radii point opposite ways.
    TangentSet inner;
    double const radiusSum = r1 + r2;
    if (distance == radiusSum) {
        setTouchingTangent(c1 + r1 * centerDirection, centerDirection, normal, inner);
    } else if (distance > radiusSum) {
        double const theta = gte::math::Acos((r1 + r2) / distance) * gte::kRadiansToDegrees;
        Vector3 const radius1 = r1 * centerDirection;
        Vector3 const radius2 = -1.0 * r2 * centerDirection;
        setRotatedTangent(0, c1, radius1, c2, radius2, normal, theta, inner);
        setRotatedTangent(1, c1, radius1, c2, radius2, normal, -theta, inner);
        inner.count = 2;
        inner.pointCount = 4;
    }

    writeTangents(outer, outcount, outline, outpoint);
    writeTangents(inner, incount, inLine, inpoint);
    return outer.count + inner.count;
}

int gte_tangent_arc_circle(gte_arc arc, gte_circle circle, int* outcount, gte_line* outline,
                           gte_point* outpoint, int* incount, gte_line* inLine,
                           gte_point* inpoint) {
    return gte_tangent_circle_circle(arc, circle, outcount, outline, outpoint, incount, inLine,
                                     inpoint);
}

int gte_tangent_arc_arc(gte_arc arc1, gte_arc arc2, int* outcount, gte_line* outline,
                        gte_point* outpoint, int* incount, gte_line* inLine, gte_point* inpoint) {
    return gte_tangent_circle_circle(arc1, arc2, outcount, outline, outpoint, incount, inLine,
                                     inpoint);
}

}  // extern "C"
