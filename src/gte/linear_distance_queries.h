// SPDX-License-Identifier: MIT
// Distance between two linear components (line, ray, segment) in space.
//
// Each query minimises the squared distance |P0 + s0 D0 - (P1 + s1 D1)|^2, a quadratic in the
// two parameters, and clamps the minimiser to the admissible parameter ranges region by region:
// a line's parameter is unbounded, a ray's runs from 0, a segment's (in its centred form) lies in
// [-e, e]. The directions are taken to be of unit length (or zero).
#pragma once

#include <cmath>

#include "gte/query.h"
#include "gte/shapes.h"

namespace gte {

struct LinearDistanceResult {
    double distance;
    double squaredDistance;
    double parameter[2];      // s0 on the first component, s1 on the second
    Vector3 closestPoint[2];  // P0 + s0 D0 and P1 + s1 D1
};

namespace detail {

// The coefficients of the quadratic shared by every pair:
//   |diff + s0 D0 - s1 D1|^2 = s0^2 + 2 a01 s0 s1 + s1^2 + 2 b0 s0 + 2 b1 s1 + c.
struct LinearTerms {
    Vector3 diff;
    double a01;
    double b0;
    double c;
    double det;  // |1 - a01^2|, zero exactly when the directions are parallel

    LinearTerms(Vector3 const& P0, Vector3 const& D0, Vector3 const& P1, Vector3 const& D1)
        : diff(P0 - P1),
          a01(-Dot(D0, D1)),
          b0(Dot(diff, D0)),
          c(Dot(diff, diff)),
          det(std::fabs(1.0 - a01 * a01)) {}

    double b1(Vector3 const& D1) const { return -Dot(diff, D1); }

    // The squared distance at (s0, s1), for the unconstrained minimiser.
    double quadratic(double s0, double s1, double b1) const {
        return s0 * (s0 + a01 * s1 + 2.0 * b0) + s1 * (a01 * s0 + s1 + 2.0 * b1) + c;
    }

    // The second component's origin (s1 = 0) against its foot on the first component's line.
    void footOfSecondOrigin(double& s0, double& s1, double& squaredDistance) const {
        s0 = -b0;
        s1 = 0.0;
        squaredDistance = b0 * s0 + c;
    }

    // The first component's origin (s0 = 0) against its foot on the second component's line.
    void footOfFirstOrigin(double b1, double& s0, double& s1, double& squaredDistance) const {
        s0 = 0.0;
        s1 = -b1;
        squaredDistance = b1 * s1 + c;
    }

    // The point at parameter end of the second component against its foot on the first line.
    void endOnFirstLine(double end, double b1, double& s0, double& s1,
                        double& squaredDistance) const {
        s1 = end;
        s0 = -(a01 * s1 + b0);
        squaredDistance = -s0 * s0 + s1 * (s1 + 2.0 * b1) + c;
    }
};

inline LinearDistanceResult FinishLinearDistance(Vector3 const& P0, Vector3 const& D0,
                                                 Vector3 const& P1, Vector3 const& D1, double s0,
                                                 double s1, double squaredDistance) {
    // Rounding can push a tiny true distance just below zero.
    if (squaredDistance < 0.0) {
        squaredDistance = 0.0;
    }
    LinearDistanceResult result;
    result.squaredDistance = squaredDistance;
    result.distance = std::sqrt(squaredDistance);
    result.parameter[0] = s0;
    result.parameter[1] = s1;
    result.closestPoint[0] = P0 + s0 * D0;
    result.closestPoint[1] = P1 + s1 * D1;
    return result;
}

}  // namespace detail

template <>
struct DistanceQuery<Line3, Line3> {
    using Result = LinearDistanceResult;
    Result operator()(Line3 const& line0, Line3 const& line1) const {
        Vector3 const& P0 = line0.origin;
        Vector3 const& D0 = line0.direction;
        Vector3 const& P1 = line1.origin;
        Vector3 const& D1 = line1.direction;
        detail::LinearTerms const t(P0, D0, P1, D1);
        double s0, s1, squaredDistance;
        if (t.det > 0.0) {
            double const b1 = t.b1(D1);
            double const invDet = 1.0 / t.det;
            s0 = (t.a01 * b1 - t.b0) * invDet;
            s1 = (t.a01 * t.b0 - b1) * invDet;
            squaredDistance = t.quadratic(s0, s1, b1);
        } else {
            // Parallel: every point of the second line has a partner; take its origin.
            t.footOfSecondOrigin(s0, s1, squaredDistance);
        }
        return detail::FinishLinearDistance(P0, D0, P1, D1, s0, s1, squaredDistance);
    }
};

template <>
struct DistanceQuery<Line3, Ray3> {
    using Result = LinearDistanceResult;
    Result operator()(Line3 const& line, Ray3 const& ray) const {
        Vector3 const& P0 = line.origin;
        Vector3 const& D0 = line.direction;
        Vector3 const& P1 = ray.origin;
        Vector3 const& D1 = ray.direction;
        detail::LinearTerms const t(P0, D0, P1, D1);
        double s0, s1, squaredDistance;
        if (t.det > 0.0) {
            double const b1 = t.b1(D1);
            s1 = t.a01 * t.b0 - b1;
            if (s1 >= 0.0) {
                double const invDet = 1.0 / t.det;
                s0 = (t.a01 * b1 - t.b0) * invDet;
                s1 *= invDet;
                squaredDistance = t.quadratic(s0, s1, b1);
            } else {
                // The ray points away from the line: its origin is closest.
                t.footOfSecondOrigin(s0, s1, squaredDistance);
            }
        } else {
            s0 = -t.b0;
            s1 = 0.0;
            squaredDistance = t.b0 * s0 + t.c;
        }
        return detail::FinishLinearDistance(P0, D0, P1, D1, s0, s1, squaredDistance);
    }
};

template <>
struct DistanceQuery<Line3, Segment3> {
    using Result = LinearDistanceResult;
    Result operator()(Line3 const& line, Segment3 const& segment) const {
        Vector3 const& P0 = line.origin;
        Vector3 const& D0 = line.direction;
        Vector3 P1, D1;
        double e;
        segment.centeredForm(P1, D1, e);
        detail::LinearTerms const t(P0, D0, P1, D1);
        double s0, s1, squaredDistance;
        if (t.det > 0.0) {
            double const b1 = t.b1(D1);
            s1 = t.a01 * t.b0 - b1;
            double const extDet = e * t.det;
            if (s1 >= -extDet) {
                if (s1 <= extDet) {
                    double const invDet = 1.0 / t.det;
                    s0 = (t.a01 * b1 - t.b0) * invDet;
                    s1 *= invDet;
                    squaredDistance = t.quadratic(s0, s1, b1);
                } else {
                    t.endOnFirstLine(e, b1, s0, s1, squaredDistance);
                }
            } else {
                t.endOnFirstLine(-e, b1, s0, s1, squaredDistance);
            }
        } else {
            // Parallel: measure from the segment centre.
            t.footOfSecondOrigin(s0, s1, squaredDistance);
        }
        return detail::FinishLinearDistance(P0, D0, P1, D1, s0, s1, squaredDistance);
    }
};

template <>
struct DistanceQuery<Ray3, Ray3> {
    using Result = LinearDistanceResult;
    Result operator()(Ray3 const& ray0, Ray3 const& ray1) const {
        Vector3 const& P0 = ray0.origin;
        Vector3 const& D0 = ray0.direction;
        Vector3 const& P1 = ray1.origin;
        Vector3 const& D1 = ray1.direction;
        detail::LinearTerms const t(P0, D0, P1, D1);
        double s0, s1, squaredDistance;
        // The second origin against the first ray: its foot, or the first origin behind it.
        auto const secondOriginToFirstRay = [&]() {
            if (t.b0 >= 0.0) {
                s0 = 0.0;
                s1 = 0.0;
                squaredDistance = t.c;
            } else {
                t.footOfSecondOrigin(s0, s1, squaredDistance);
            }
        };
        if (t.det > 0.0) {
            double const b1 = t.b1(D1);
            s0 = t.a01 * b1 - t.b0;
            s1 = t.a01 * t.b0 - b1;
            if (s0 >= 0.0) {
                if (s1 >= 0.0) {
                    double const invDet = 1.0 / t.det;
                    s0 *= invDet;
                    s1 *= invDet;
                    squaredDistance = t.quadratic(s0, s1, b1);
                } else {
                    secondOriginToFirstRay();
                }
            } else if (s1 >= 0.0 || t.b0 >= 0.0) {
                // First origin, measured to the second ray: also when both rays point away
                // from their lines' closest pair and the second origin's foot falls behind the
                // first origin.
                if (b1 >= 0.0) {
                    s0 = 0.0;
                    s1 = 0.0;
                    squaredDistance = t.c;
                } else {
                    t.footOfFirstOrigin(b1, s0, s1, squaredDistance);
                }
            } else {
                // Both point away, the second origin's foot lies on the first ray.
                t.footOfSecondOrigin(s0, s1, squaredDistance);
            }
        } else if (t.a01 > 0.0) {
            // Parallel with opposite senses.
            secondOriginToFirstRay();
        } else if (t.b0 >= 0.0) {
            // Parallel with the same sense, the first origin ahead of the second.
            t.footOfFirstOrigin(t.b1(D1), s0, s1, squaredDistance);
        } else {
            t.footOfSecondOrigin(s0, s1, squaredDistance);
        }
        return detail::FinishLinearDistance(P0, D0, P1, D1, s0, s1, squaredDistance);
    }
};

template <>
struct DistanceQuery<Ray3, Segment3> {
    using Result = LinearDistanceResult;
    Result operator()(Ray3 const& ray, Segment3 const& segment) const {
        Vector3 const& P0 = ray.origin;
        Vector3 const& D0 = ray.direction;
        Vector3 P1, D1;
        double e;
        segment.centeredForm(P1, D1, e);
        detail::LinearTerms const t(P0, D0, P1, D1);
        double const b1 = t.b1(D1);
        double s0 = t.a01 * b1 - t.b0;
        double s1 = t.a01 * t.b0 - b1;
        double const extDet = e * t.det;
        double squaredDistance;

        // The segment end s1 (= +-e) against the ray, or against the ray origin when the foot
        // on the ray's line falls behind it.
        auto const endPoint = [&](double end) {
            t.endOnFirstLine(end, b1, s0, s1, squaredDistance);
            if (!(s0 > 0.0)) {
                s0 = 0.0;
                squaredDistance = s1 * (s1 + 2.0 * b1) + t.c;
            }
        };
        // The ray origin against the segment.
        auto const rayOrigin = [&]() {
            s0 = 0.0;
            s1 = -b1;
            if (s1 < -e) {
                s1 = -e;
            }
            if (s1 > e) {
                s1 = e;
            }
            squaredDistance = s1 * (s1 + 2.0 * b1) + t.c;
        };

        if (t.det > 0.0) {
            if (s0 >= 0.0) {
                if (s1 >= -extDet) {
                    if (s1 <= extDet) {
                        double const invDet = 1.0 / t.det;
                        s0 *= invDet;
                        s1 *= invDet;
                        squaredDistance = t.quadratic(s0, s1, b1);
                    } else {
                        endPoint(e);
                    }
                } else {
                    endPoint(-e);
                }
            } else if (s1 <= extDet && s1 > -extDet) {
                rayOrigin();
            } else {
                // Behind the ray origin and beyond an end: that end if its foot lies on the ray,
                // otherwise the ray origin. (-a01 * e equals a01 * -e exactly.)
                t.endOnFirstLine(s1 <= -extDet ? -e : e, b1, s0, s1, squaredDistance);
                if (!(s0 > 0.0)) {
                    rayOrigin();
                }
            }
        } else {
            // Parallel: the segment end that lies furthest along the ray's sense.
            endPoint(t.a01 > 0.0 ? -e : e);
        }
        return detail::FinishLinearDistance(P0, D0, P1, D1, s0, s1, squaredDistance);
    }
};

}  // namespace gte
