// SPDX-License-Identifier: MIT
// Distance from a point to a line, ray, segment, plane, filled rectangle or circle.
#pragma once

#include <cmath>

#include "gte/basis.h"
#include "gte/query.h"
#include "gte/shapes.h"

namespace gte {

struct PointLineResult {
    double distance;
    double squaredDistance;
    double parameter;  // signed position of the foot along the direction, from the origin
    Vector3 closestPoint;
};

struct PointRayResult {
    double distance;
    double squaredDistance;
    double parameter;  // projection value, kept also when the origin is closest
    Vector3 closestPoint;
};

struct PointSegmentResult {
    double distance;
    double squaredDistance;
    double parameter;  // projection from the segment centre, not clamped
    Vector3 closestPoint;
};

struct PointPlaneResult {
    double distance;
    double signedDistance;  // positive on the side the normal points to
    Vector3 closestPoint;
};

struct PointRectangleResult {
    double distance;
    double squaredDistance;
    Vector3 closestPoint;
};

struct PointCircleResult {
    double distance;
    double squaredDistance;
    Vector3 closestPoint;
};

namespace detail {
template <class Result>
inline void FinishPointDistance(Vector3 const& point, Result& result) {
    Vector3 const diff = point - result.closestPoint;
    result.squaredDistance = Dot(diff, diff);
    result.distance = std::sqrt(result.squaredDistance);
}
}  // namespace detail

template <>
struct DistanceQuery<Vector3, Line3> {
    using Result = PointLineResult;
    Result operator()(Vector3 const& point, Line3 const& line) const {
        Result result;
        Vector3 const diff = point - line.origin;
        double const t = Dot(line.direction, diff);
        result.parameter = t;
        result.closestPoint = line.origin + t * line.direction;
        detail::FinishPointDistance(point, result);
        return result;
    }
};

template <>
struct DistanceQuery<Vector3, Ray3> {
    using Result = PointRayResult;
    Result operator()(Vector3 const& point, Ray3 const& ray) const {
        Result result;
        Vector3 const diff = point - ray.origin;
        double const t = Dot(ray.direction, diff);
        result.parameter = t;
        result.closestPoint = t > 0.0 ? ray.origin + t * ray.direction : ray.origin;
        detail::FinishPointDistance(point, result);
        return result;
    }
};

template <>
struct DistanceQuery<Vector3, Segment3> {
    using Result = PointSegmentResult;
    Result operator()(Vector3 const& point, Segment3 const& segment) const {
        Result result;
        Vector3 center, direction;
        double extent;
        segment.centeredForm(center, direction, extent);
        Vector3 const diff = point - center;
        double const t = Dot(direction, diff);
        result.parameter = t;
        if (t > -extent) {
            result.closestPoint = t < extent ? center + t * direction : center + extent * direction;
        } else {
            result.closestPoint = center - extent * direction;
        }
        detail::FinishPointDistance(point, result);
        return result;
    }
};

template <>
struct DistanceQuery<Vector3, Plane3> {
    using Result = PointPlaneResult;
    Result operator()(Vector3 const& point, Plane3 const& plane) const {
        Result result;
        result.signedDistance = Dot(plane.normal, point) - plane.constant;
        result.distance = std::fabs(result.signedDistance);
        result.closestPoint = point - result.signedDistance * plane.normal;
        return result;
    }
};

template <>
struct DistanceQuery<Vector3, Rectangle3> {
    using Result = PointRectangleResult;
    Result operator()(Vector3 const& point, Rectangle3 const& rectangle) const {
        Result result;
        Vector3 const diff = rectangle.center - point;
        double const b[2] = {Dot(diff, rectangle.axis[0]), Dot(diff, rectangle.axis[1])};
        double s[2] = {-b[0], -b[1]};
        double squaredDistance = Dot(diff, diff);
        for (int i = 0; i < 2; ++i) {
            if (-rectangle.extent[i] > s[i]) {
                s[i] = -rectangle.extent[i];
            } else if (s[i] > rectangle.extent[i]) {
                s[i] = rectangle.extent[i];
            }
            squaredDistance += s[i] * (s[i] + 2.0 * b[i]);
        }
        if (squaredDistance < 0.0) {
            squaredDistance = 0.0;
        }
        result.squaredDistance = squaredDistance;
        result.distance = std::sqrt(squaredDistance);
        result.closestPoint = rectangle.center;
        result.closestPoint += s[0] * rectangle.axis[0];
        result.closestPoint += s[1] * rectangle.axis[1];
        return result;
    }
};

template <>
struct DistanceQuery<Vector3, Circle3> {
    using Result = PointCircleResult;
    Result operator()(Vector3 const& point, Circle3 const& circle) const {
        Result result;
        Vector3 const PmC = point - circle.center;
        Vector3 const QmC = PmC - Dot(circle.normal, PmC) * circle.normal;
        double const lengthQmC = Length(QmC);
        if (lengthQmC > 0.0) {
            result.closestPoint = circle.center + (circle.radius * QmC) / lengthQmC;
        } else {
            // Degenerate: the point is on the axis, every circle point is equally near.
            Vector3 basis[3];
            basis[0] = circle.normal;
            CompleteBasis(1, basis);
            result.closestPoint = circle.center + circle.radius * basis[1];
        }
        detail::FinishPointDistance(point, result);
        return result;
    }
};

}  // namespace gte
