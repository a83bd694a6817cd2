// SPDX-License-Identifier: MIT
// Conversions between the interface records and the values of the geometry core.
#pragma once

#include <cstddef>
#include <vector>

#include "api/record_values.h"
#include "gte/point_distance_queries.h"
#include "gte/shapes.h"
#include "tavrisk.h"

namespace tavrisk {

// Circle and plane normals shorter than this are replaced by (0,0,1).
constexpr double kNormalFallbackLength = 0.001;

// The centroid of count point records: gte::Centroid of their core values.
inline Vector3 centroidOf(gte_point const* points, int count) {
    return gte::Centroid(static_cast<std::size_t>(count),
                         [points](std::size_t i) { return toVector3(points[i]); });
}

// The core values of count point records, in order. Allocates.
inline std::vector<Vector3> toVectors(gte_point const* points, int count) {
    std::vector<Vector3> vectors;
    vectors.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        vectors.push_back(toVector3(points[i]));
    }
    return vectors;
}

inline gte::Segment3 toSegment3(gte_lseg const& lseg) {
    return gte::Segment3(toVector3(lseg.pt1), toVector3(lseg.pt2));
}

// The directions and normals a caller gives are made unit whatever their scale
// (gte::NormalizeDirection). A zero direction stays zero: the line then measures as its origin
// point.
inline gte::Line3 toLine3(gte_line const& line) {
    return gte::Line3(toVector3(line.pt), gte::NormalizedDirection(toVector3(line.vector)));
}

inline gte::Ray3 toRay3(gte_ray const& ray) {
    return gte::Ray3(toVector3(ray.pt), gte::NormalizedDirection(toVector3(ray.vector)));
}

inline gte::Circle3 toCircle3(gte_circle const& circle) {
    Vector3 normal = toVector3(circle.vector);
    if (gte::NormalizeDirection(normal) < kNormalFallbackLength) {
        normal = Vector3(0.0, 0.0, 1.0);
    }
    return gte::Circle3(toVector3(circle.center), normal, circle.radius);
}

gte::Plane3 toPlane3(gte_plane const& plane);
gte::Rectangle3 toRectangle3(gte_rect const& rect);

inline gte_lseg toLsegRecord(gte::Segment3 const& segment) {
    return gte_lseg(toPointRecord(segment.p[0]), toPointRecord(segment.p[1]));
}

inline gte_line toLineRecord(gte::Line3 const& line) {
    return gte_line(toPointRecord(line.origin), toVectorRecord(line.direction));
}

// A plane record for a core plane: through the foot of the coordinate origin on the plane.
gte_plane toPlaneRecord(gte::Plane3 const& plane);

}  // namespace tavrisk
