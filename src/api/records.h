// SPDX-License-Identifier: MIT
// Operations defined on the interface records themselves: the plane a plane record stands for,
// the plane record built for a core plane, and the centres of the feature records.
//
// These divide by a length or a count where the core multiplies by a reciprocal, as the records
// have always been computed: the digits of every plane record depend on it.
#pragma once

#include <cmath>

#include "api/record_values.h"
#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk {

// Below this length a record-level vector counts as zero.
constexpr double kRecordZeroLength = 1e-8;
// A plane record's first in-plane axis is crossed from x, unless the normal lies within this of
// the x axis in 1 - |x| (about 26 degrees): then from y.
constexpr double kNearXAxis = 0.1;

// v with each component divided by its length; zero when shorter than kRecordZeroLength.
inline Vector3 unitByDivision(Vector3 const& v) {
    double const length = gte::Length(v);
    if (length < kRecordZeroLength) {
        return Vector3::zeroVector();
    }
    return Vector3(v[0] / length, v[1] / length, v[2] / length);
}

// Centroid of the three defining points, summed in order and divided by 3.
inline Vector3 planeRecordCenter(gte_plane const& plane) {
    Vector3 const sum = toVector3(plane.pt1) + toVector3(plane.pt2) + toVector3(plane.pt3);
    return Vector3(sum[0] / 3.0, sum[1] / 3.0, sum[2] / 3.0);
}

// (pt2 - pt1) x (pt3 - pt1), divided by its length unless too short to carry a direction.
inline Vector3 planeRecordNormal(gte_plane const& plane) {
    Vector3 const p1 = toVector3(plane.pt1);
    Vector3 const n = gte::Cross(toVector3(plane.pt2) - p1, toVector3(plane.pt3) - p1);
    if (gte::Length(n) < kRecordZeroLength) {
        return n;
    }
    return unitByDivision(n);
}

// A plane record through point whose orientation (pt2 - pt1) x (pt3 - pt1) is the unit normal.
inline gte_plane makePlaneRecord(Vector3 const& point, Vector3 const& normal) {
    Vector3 const n = unitByDivision(normal);
    // An auxiliary axis well away from n, so that n x a is long enough to normalise.
    Vector3 const a = std::fabs(1.0 - std::fabs(n[0])) > kNearXAxis ? Vector3(1.0, 0.0, 0.0)
                                                                    : Vector3(0.0, 1.0, 0.0);
    Vector3 const u = unitByDivision(gte::Cross(n, a));
    Vector3 const v = unitByDivision(gte::Cross(n, u));
    return gte_plane(toPointRecord(point), toPointRecord(point + u), toPointRecord(point + v));
}

// The mean of the four corners.
inline Vector3 quadCenter(gte_quad const& quad) {
    return (toVector3(quad.pt1) + toVector3(quad.pt2) + toVector3(quad.pt3) + toVector3(quad.pt4)) /
           4.0;
}

// The line carrying the segment, from pt1 towards pt2; a zero-length segment runs along z.
gte_line lsegToLine(gte_lseg const& lseg);

}  // namespace tavrisk
