// SPDX-License-Identifier: MIT
#include "api/convert.h"

#include "api/records.h"

namespace tavrisk {

gte::Plane3 toPlane3(gte_plane const& plane) {
    Vector3 const center = planeRecordCenter(plane);
    Vector3 normal = planeRecordNormal(plane);
    // Collinear or coincident points: the horizontal plane through their centroid.
    if (gte::Normalize(normal) < kNormalFallbackLength) {
        normal = Vector3(0.0, 0.0, 1.0);
    }
    return gte::Plane3(normal, gte::Dot(normal, center));
}

gte::Rectangle3 toRectangle3(gte_rect const& rect) {
    gte::Rectangle3 rectangle;
    rectangle.center = toVector3(rect.center);
    Vector3 const u = gte::NormalizedDirection(toVector3(rect.mainVector));
    Vector3 const w = gte::NormalizedDirection(toVector3(rect.norVector));
    rectangle.axis[0] = u;
    // Unit only when the record's two vectors are perpendicular; kept as given.
    rectangle.axis[1] = gte::Cross(w, u);
    rectangle.extent[0] = rect.extent1;
    rectangle.extent[1] = rect.extent2;
    return rectangle;
}

gte_plane toPlaneRecord(gte::Plane3 const& plane) {
    Vector3 const foot = gte::Distance(Vector3::zeroVector(), plane).closestPoint;
    return makePlaneRecord(foot, plane.normal);
}

gte_line lsegToLine(gte_lseg const& lseg) {
    Vector3 direction = toVector3(lseg.pt2) - toVector3(lseg.pt1);
    if (gte::Normalize(direction) == 0.0) {
        // Degenerate: a segment of zero length has no direction of its own.
        direction = Vector3(0.0, 0.0, 1.0);
    }
    return gte_line(lseg.pt1, toVectorRecord(direction));
}

}  // namespace tavrisk
