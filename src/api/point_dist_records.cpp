// SPDX-License-Identifier: MIT
// Nothing in this file calls these functions: each is compiled once, as itself.
#include "api/point_dist_records.h"

#include "api/dist_result.h"
#include "gte/point_distance_queries.h"

namespace tavrisk {

namespace {

template <class Shape>
void fillToClosest(Shape const& shape, gte::Vector3 const& point, gte_dist_result* out) {
    fillDistResult(point, gte::Distance(point, shape).closestPoint, out);
}

}  // namespace

void fillPointToShape(gte::Line3 const& line, gte::Vector3 const& point, gte_dist_result* out) {
    fillToClosest(line, point, out);
}

void fillPointToShape(gte::Ray3 const& ray, gte::Vector3 const& point, gte_dist_result* out) {
    fillToClosest(ray, point, out);
}

void fillPointToShape(gte::Segment3 const& segment, gte::Vector3 const& point,
                      gte_dist_result* out) {
    fillToClosest(segment, point, out);
}

void fillPointToShape(gte::Plane3 const& plane, gte::Vector3 const& point, gte_dist_result* out) {
    fillToClosest(plane, point, out);
}

void fillPointToShape(gte::Rectangle3 const& rectangle, gte::Vector3 const& point,
                      gte_dist_result* out) {
    fillToClosest(rectangle, point, out);
}

void fillPointToCircle(gte::Circle3 const& circle, gte::Vector3 const& point,
                       gte_dist_result out[3]) {
    gte::Vector3 const nearest = gte::Distance(point, circle).closestPoint;
    gte::Vector3 const opposite = 2.0 * circle.center - nearest;
    fillDistResult(point, circle.center, &out[0]);
    fillDistResult(point, nearest, &out[1]);
    fillDistResult(point, opposite, &out[2]);
}

}  // namespace tavrisk
