// SPDX-License-Identifier: MIT
// Where two shapes meet: a line, ray or segment with a plane; two planes; a plane with a circle;
// two lines in the plane.
//
// Every test here is an exact comparison with 0 or 1. Nearly parallel input takes the general
// branch and yields large but finite coordinates; tolerances belong to the callers.
#pragma once

#include <cmath>
#include <limits>

#include "gte/point_distance_queries.h"
#include "gte/query.h"
#include "gte/shapes.h"

namespace gte {

// The count of intersection points when a whole line (or more) is shared: the largest int.
constexpr int kInfiniteCount = std::numeric_limits<int>::max();

// A line in the plane. The direction may have any length and is never normalised here.
struct Line2 {
    Vector2 origin{0.0, 0.0};
    Vector2 direction{1.0, 0.0};

    Line2() = default;
    Line2(Vector2 const& o, Vector2 const& d) : origin(o), direction(d) {}
};

// Dot of a with the perpendicular (b.y, -b.x) of b: a.x * b.y - a.y * b.x.
inline double PerpDot(Vector2 const& a, Vector2 const& b) {
    return Dot(a, Vector2(b[1], -b[0]));
}

struct LinePlaneIntersection {
    bool intersects = false;
    int count = 0;  // 0, 1, or kInfiniteCount when the component lies in the plane
    // Along the direction from the origin (for a segment, from its centre).
    double parameter = 0.0;
    Vector3 point{0.0, 0.0, 0.0};  // meaningful only when intersects
};

struct PlanePlaneIntersection {
    bool intersects = false;
    bool lineFound = false;  // false with intersects: the planes coincide
    Line3 line;              // origin nearest to the coordinate origin, unit direction
};

struct PlaneCircleIntersection {
    bool intersects = false;
    bool pointsFound = false;  // false with intersects: the circle lies in the plane
    int count = 0;             // 1 or 2 when pointsFound
    Vector3 points[2] = {{0.0, 0.0, 0.0}, {0.0, 0.0, 0.0}};
};

struct Line2Intersection {
    bool intersects = false;
    int count = 0;            // 0, 1, or kInfiniteCount when the lines coincide
    Vector2 point{0.0, 0.0};  // meaningful only when count is 1
};

namespace detail {

// Common to lines, rays and segments: where the carrier line origin + t * direction meets the
// plane. A direction parallel to the plane either misses it or lies in it; in the latter case the
// origin stands for the whole line. A hit whose parameter the component rejects (behind a ray's
// origin, beyond a segment's end) is a miss; otherwise the point is set.
template <class Rejects>
inline LinePlaneIntersection LinearComponentPlane(Vector3 const& origin, Vector3 const& direction,
                                                  Plane3 const& plane, Rejects rejects) {
    LinePlaneIntersection result;
    double const DdN = Dot(direction, plane.normal);
    auto const originToPlane = Distance(origin, plane);
    if (DdN != 0.0) {
        result.intersects = true;
        result.count = 1;
        result.parameter = -originToPlane.signedDistance / DdN;
    } else if (originToPlane.distance == 0.0) {
        result.intersects = true;
        result.count = kInfiniteCount;
        result.parameter = 0.0;
    } else {
        result.intersects = false;
        result.count = 0;
    }
    if (result.intersects && rejects(result.parameter)) {
        result.intersects = false;
        result.count = 0;
    }
    if (result.intersects) {
        result.point = origin + result.parameter * direction;
    }
    return result;
}

}  // namespace detail

template <>
struct IntersectionQuery<Line3, Plane3> {
    using Result = LinePlaneIntersection;
    Result operator()(Line3 const& line, Plane3 const& plane) const {
        return detail::LinearComponentPlane(line.origin, line.direction, plane,
                                            [](double) { return false; });
    }
};

template <>
struct IntersectionQuery<Ray3, Plane3> {
    using Result = LinePlaneIntersection;
    Result operator()(Ray3 const& ray, Plane3 const& plane) const {
        // Behind the origin is off the ray; the origin itself is on it.
        return detail::LinearComponentPlane(ray.origin, ray.direction, plane,
                                            [](double t) { return t < 0.0; });
    }
};

template <>
struct IntersectionQuery<Segment3, Plane3> {
    using Result = LinePlaneIntersection;
    Result operator()(Segment3 const& segment, Plane3 const& plane) const {
        Vector3 center, direction;
        double extent;
        segment.centeredForm(center, direction, extent);
        // The end points belong to the segment.
        return detail::LinearComponentPlane(center, direction, plane,
                                            [extent](double t) { return std::fabs(t) > extent; });
    }
};

template <>
struct IntersectionQuery<Plane3, Plane3> {
    using Result = PlanePlaneIntersection;
    Result operator()(Plane3 const& plane0, Plane3 const& plane1) const {
        Result result;
        double const dot = Dot(plane0.normal, plane1.normal);
        if (std::fabs(dot) >= 1.0) {
            // Parallel: bring the second equation to the first normal's orientation.
            double const cDiff =
                dot >= 0.0 ? plane0.constant - plane1.constant : plane0.constant + plane1.constant;
            if (std::fabs(cDiff) == 0.0) {
                result.intersects = true;
                result.lineFound = false;
            } else {
                result.intersects = false;
            }
            return result;
        }
        // The line's point nearest to the origin is k0 * N0 + k1 * N1, solved from both plane
        // equations.
        double const invDet = 1.0 / (1.0 - dot * dot);
        double const k0 = (plane0.constant - dot * plane1.constant) * invDet;
        double const k1 = (plane1.constant - dot * plane0.constant) * invDet;
        result.intersects = true;
        result.lineFound = true;
        result.line.origin = k0 * plane0.normal + k1 * plane1.normal;
        result.line.direction = NormalizedCross(plane0.normal, plane1.normal);
        return result;
    }
};

template <>
struct IntersectionQuery<Plane3, Circle3> {
    using Result = PlaneCircleIntersection;
    Result operator()(Plane3 const& plane, Circle3 const& circle) const {
        Result result;
        Plane3 const circlePlane = Plane3::fromNormalAndPoint(circle.normal, circle.center);
        auto const inter = Intersect(plane, circlePlane);
        if (!inter.intersects) {
            result.intersects = false;
            return result;
        }
        if (!inter.lineFound) {
            result.intersects = true;
            result.pointsFound = false;
            return result;
        }
        // The circle's points on the line of the two planes: a quadratic in the line parameter.
        Vector3 const& origin = inter.line.origin;
        Vector3 const& direction = inter.line.direction;
        Vector3 const diff = origin - circle.center;
        double const a2 = Dot(direction, direction);
        double const a1 = Dot(diff, direction);
        double const a0 = Dot(diff, diff) - circle.radius * circle.radius;
        double const discr = a1 * a1 - a0 * a2;
        if (discr < 0.0) {
            result.intersects = false;
            return result;
        }
        result.intersects = true;
        result.pointsFound = true;
        double const inv = 1.0 / a2;
        if (discr == 0.0) {
            result.count = 1;
            result.points[0] = origin - (a1 * inv) * direction;
        } else {
            double const root = std::sqrt(discr);
            result.count = 2;
            result.points[0] = origin - ((a1 + root) * inv) * direction;
            result.points[1] = origin - ((a1 - root) * inv) * direction;
        }
        return result;
    }
};

template <>
struct IntersectionQuery<Line2, Line2> {
    using Result = Line2Intersection;
    Result operator()(Line2 const& line0, Line2 const& line1) const {
        Result result;
        Vector2 const diff = line1.origin - line0.origin;
        double const dp = PerpDot(line0.direction, line1.direction);
        if (std::fabs(dp) > 0.0) {
            result.intersects = true;
            result.count = 1;
            double const inv = 1.0 / dp;
            double const s0 = PerpDot(diff, line1.direction) * inv;
            result.point = line0.origin + s0 * line0.direction;
            return result;
        }
        // Parallel directions: the lines coincide when the second origin lies on the first line.
        double const x = PerpDot(Normalized(diff), line1.direction);
        if (x == 0.0) {
            result.intersects = true;
            result.count = kInfiniteCount;
        } else {
            result.intersects = false;
            result.count = 0;
        }
        return result;
    }
};

}  // namespace gte
