// Small operations on the interface records themselves, used where a measurement is defined on
// the caller's records rather than on core values.
#pragma once

#include <cmath>

#include "tavrisk.h"

inline gte_point operator+(gte_point const& a, gte_point const& b) {
    return gte_point(a.x + b.x, a.y + b.y, a.z + b.z);
}
inline gte_point operator+(gte_point const& a, gte_vector const& b) {
    return gte_point(a.x + b.x, a.y + b.y, a.z + b.z);
}
inline gte_point operator-(gte_point const& a, gte_point const& b) {
    return gte_point(a.x - b.x, a.y - b.y, a.z - b.z);
}
inline gte_point operator/(gte_point const& a, int n) {
    double const d = static_cast<double>(n);
    return gte_point(a.x / d, a.y / d, a.z / d);
}

namespace tavrisk {

// Below this length a record-level vector counts as zero.
constexpr double kRecordZeroLength = 1e-8;

inline double recordLength(gte_vector const& v) {
    return std::sqrt((v.x * v.x + v.y * v.y) + v.z * v.z);
}

inline gte_vector recordCross(gte_vector const& a, gte_vector const& b) {
    return gte_vector(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

// The vector b - a.
inline gte_vector vectorFromTo(gte_point const& a, gte_point const& b) {
    return gte_vector(b.x - a.x, b.y - a.y, b.z - a.z);
}

// v divided by its length; (0,0,0) when shorter than kRecordZeroLength.
inline gte_vector vectUnit(gte_vector const& v) {
    double const length = recordLength(v);
    if (length < kRecordZeroLength) {
        return gte_vector();
    }
    return gte_vector(v.x / length, v.y / length, v.z / length);
}

// Centroid of the three defining points, summed in order.
inline gte_point planeRecordCenter(gte_plane const& plane) {
    return (plane.pt1 + plane.pt2 + plane.pt3) / 3;
}

// (pt2 - pt1) x (pt3 - pt1), made unit unless it is too short to carry a direction.
inline gte_vector planeRecordNormal(gte_plane const& plane) {
    gte_vector const n =
        recordCross(vectorFromTo(plane.pt1, plane.pt2), vectorFromTo(plane.pt1, plane.pt3));
    double const length = recordLength(n);
    if (length < kRecordZeroLength) {
        return n;
    }
    return gte_vector(n.x / length, n.y / length, n.z / length);
}

// A plane record through point whose orientation (pt2 - pt1) x (pt3 - pt1) is the unit normal.
inline gte_plane makePlaneRecord(gte_point const& point, gte_vector const& normal) {
    gte_plane plane;
    plane.pt1 = point;
    gte_vector const n = vectUnit(normal);
    // An auxiliary axis well away from n, so that n x a is long enough to normalise.
    gte_vector const a =
        std::fabs(1.0 - std::fabs(n.x)) > 0.1 ? gte_vector(1, 0, 0) : gte_vector(0, 1, 0);
    gte_vector const u = vectUnit(recordCross(n, a));
    plane.pt2 = point + u;
    gte_vector const v = vectUnit(recordCross(n, u));
    plane.pt3 = point + v;
    return plane;
}

// The line carrying the segment, from pt1 towards pt2; a zero-length segment runs along z.
gte_line lsegToLine(gte_lseg const& lseg);

// The centre of a rectangle record is its first three doubles.
inline gte_point rectCenter(gte_rect const& rect) {
    return rect.center;
}

inline gte_point quadCenter(gte_quad const& quad) {
    return gte_point((quad.pt1.x + quad.pt2.x + quad.pt3.x + quad.pt4.x) / 4,
                     (quad.pt1.y + quad.pt2.y + quad.pt3.y + quad.pt4.y) / 4,
                     (quad.pt1.z + quad.pt2.z + quad.pt3.z + quad.pt4.z) / 4);
}

}  // namespace tavrisk
