// SPDX-License-Identifier: MIT
// The records of a point's distance to a shape, as the point distance exports write them. The
// one-point exports and their whole-array forms call these same compiled functions, kept out of
// line on purpose: inlined into different loops, the same source may be compiled to different
// instructions, which agree on every number but not always on the sign of a NaN.
#pragma once

#include <cstdint>
#include <cstring>

#include "gte/shapes.h"
#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk {

// The record from the point to its closest point on the shape.
void fillPointToShape(gte::Line3 const& line, gte::Vector3 const& point, gte_dist_result* out);
void fillPointToShape(gte::Ray3 const& ray, gte::Vector3 const& point, gte_dist_result* out);
void fillPointToShape(gte::Segment3 const& segment, gte::Vector3 const& point,
                      gte_dist_result* out);
void fillPointToShape(gte::Plane3 const& plane, gte::Vector3 const& point, gte_dist_result* out);
void fillPointToShape(gte::Rectangle3 const& rectangle, gte::Vector3 const& point,
                      gte_dist_result* out);

// The three records from the point to a circle: to its centre, to the nearest circle point and
// to the far end of the diameter through that point.
void fillPointToCircle(gte::Circle3 const& circle, gte::Vector3 const& point,
                       gte_dist_result out[3]);

// The point's signed deviation from the plane by the plane distance's record: its dist, negated
// when the record's direction (from the point to its foot) points along the plane's normal, so
// that points on the normal's side are positive. The magnitude is the record's to the bit.
// The sign is flipped by its bit, not chosen by a branch: on a scanned face the side changes
// from point to point at random, and a mispredicted branch a point doubled the time of an array.
// Flipping the bit is what negation does, NaN included.
inline double planeDeviation(gte::Plane3 const& plane, gte::Vector3 const& point) {
    gte_dist_result record;
    fillPointToShape(plane, point, &record);
    gte::Vector3 const towardsFoot(record.direction.x, record.direction.y, record.direction.z);
    std::uint64_t const footAlongNormal = gte::Dot(towardsFoot, plane.normal) > 0.0 ? 1 : 0;
    std::uint64_t bits;
    std::memcpy(&bits, &record.dist, sizeof bits);
    bits ^= footAlongNormal << 63;
    double deviation;
    std::memcpy(&deviation, &bits, sizeof deviation);
    return deviation;
}

}  // namespace tavrisk
