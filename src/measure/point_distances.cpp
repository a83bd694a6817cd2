// SPDX-License-Identifier: MIT
// Distances from a point (or a feature's centre) to a line, ray, segment, plane, rectangle or
// circle. Each reports the pair (given point, closest point on the shape).
#include "api/convert.h"
#include "api/dist_result.h"
#include "api/point_dist_records.h"
#include "api/records.h"
#include "gte/point_distance_queries.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

// Runs the point query against the converted shape and reports point -> closest point.
template <class Shape>
void measurePointTo(Shape const& shape, gte_point const& point, gte_dist_result* result) {
    fillPointToShape(shape, toVector3(point), result);
}

}  // namespace

extern "C" {

void gte_dist_point_line(gte_line line, gte_point point, gte_dist_result* result) {
    measurePointTo(toLine3(line), point, result);
}

void gte_distfootpoint_point_line(gte_line line, gte_point point, gte_point* foot,
                                  gte_dist_result* result) {
    Vector3 const gtePoint = toVector3(point);
    Vector3 const gteFoot = gte::Distance(gtePoint, toLine3(line)).closestPoint;
    if (foot != nullptr) {
        *foot = toPointRecord(gteFoot);
    }
    fillDistResult(gtePoint, gteFoot, result);
}

void gte_dist_point_ray(gte_ray ray, gte_point point, gte_dist_result* result) {
    measurePointTo(toRay3(ray), point, result);
}

void gte_dist_point_lseg(gte_lseg lseg, gte_point point, gte_dist_result* result) {
    measurePointTo(toSegment3(lseg), point, result);
}

void gte_dist_point_plane(gte_plane plane, gte_point point, gte_dist_result* result) {
    measurePointTo(toPlane3(plane), point, result);
}

void gte_dist_point_rect(gte_rect rect, gte_point point, gte_dist_result* result) {
    measurePointTo(toRectangle3(rect), point, result);
}

void gte_dist_point_circle(gte_circle circle, gte_point point, gte_dist_result* result) {
    if (result == nullptr) {
        return;
    }
    fillPointToCircle(toCircle3(circle), toVector3(point), result);
}

void gte_dist_point_arc(gte_arc arc, gte_point point, gte_dist_result* result) {
    gte_dist_point_circle(arc, point, result);
}

void gte_dist_rectCenter_line(gte_rect rect, gte_line line, gte_dist_result* result) {
    gte_dist_point_line(line, rect.center, result);
}

void gte_dist_ellipseCenter_line(gte_ellipse ellipse, gte_line line, gte_dist_result* result) {
    gte_dist_point_line(line, ellipse.center, result);
}

void gte_dist_quadCenter_line(gte_quad quad, gte_line line, gte_dist_result* result) {
    gte_dist_point_line(line, toPointRecord(quadCenter(quad)), result);
}

}  // extern "C"
