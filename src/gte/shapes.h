// SPDX-License-Identifier: MIT
// Primitive shapes of the geometry core: plain values, filled field by field by the conversions.
#pragma once

#include "gte/vector.h"

namespace gte {

struct Line3 {
    Vector3 origin{0.0, 0.0, 0.0};
    Vector3 direction{1.0, 0.0, 0.0};  // unit length when built from a record

    Line3() = default;
    Line3(Vector3 const& o, Vector3 const& d) : origin(o), direction(d) {}
};

struct Ray3 {
    Vector3 origin{0.0, 0.0, 0.0};
    Vector3 direction{1.0, 0.0, 0.0};  // unit length when built from a record

    Ray3() = default;
    Ray3(Vector3 const& o, Vector3 const& d) : origin(o), direction(d) {}
};

struct Segment3 {
    Vector3 p[2] = {{-1.0, 0.0, 0.0}, {1.0, 0.0, 0.0}};

    Segment3() = default;
    Segment3(Vector3 const& p0, Vector3 const& p1) : p{p0, p1} {}

    // Centre, unit direction from p[0] to p[1], and half-length. A segment of zero length keeps
    // the zero direction and extent 0.
    void centeredForm(Vector3& center, Vector3& direction, double& extent) const {
        center = 0.5 * (p[0] + p[1]);
        direction = p[1] - p[0];
        extent = 0.5 * Normalize(direction);
    }
};

struct Segment2 {
    Vector2 p[2];

    Segment2(Vector2 const& p0, Vector2 const& p1) : p{p0, p1} {}

    void centeredForm(Vector2& center, Vector2& direction, double& extent) const {
        center = 0.5 * (p[0] + p[1]);
        direction = p[1] - p[0];
        extent = 0.5 * Normalize(direction);
    }
};

// The set of X with Dot(normal, X) = constant.
struct Plane3 {
    Vector3 normal{0.0, 0.0, 1.0};
    double constant = 0.0;

    Plane3() = default;
    Plane3(Vector3 const& n, double c) : normal(n), constant(c) {}

    // The plane through point with normal n, taken as given (not made unit).
    static Plane3 fromNormalAndPoint(Vector3 const& n, Vector3 const& point) {
        return Plane3(n, Dot(n, point));
    }
    // The plane through three points, oriented by (p1 - p0) x (p2 - p0); collinear points give
    // the zero normal.
    static Plane3 throughPoints(Vector3 const& p0, Vector3 const& p1, Vector3 const& p2) {
        Vector3 const normal = NormalizedCross(p1 - p0, p2 - p0);
        return Plane3(normal, Dot(normal, p0));
    }
};

struct Circle3 {
    Vector3 center{0.0, 0.0, 0.0};
    Vector3 normal{0.0, 0.0, 1.0};
    double radius = 1.0;

    Circle3() = default;
    Circle3(Vector3 const& c, Vector3 const& n, double r) : center(c), normal(n), radius(r) {}
};

// A filled rectangle: center + s0 * axis[0] + s1 * axis[1] with |s_i| <= extent[i].
struct Rectangle3 {
    Vector3 center{0.0, 0.0, 0.0};
    Vector3 axis[2] = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}};
    double extent[2] = {1.0, 1.0};
};

}  // namespace gte
