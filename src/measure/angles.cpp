// SPDX-License-Identifier: MIT
// Angles in degrees between lines, rays, segments and planes. Every form is one measurement
// with a choice of projection and rule; see gte/direction_angle.h.
#include "api/convert.h"
#include "gte/direction_angle.h"

using namespace tavrisk;
using gte::AngleProjection;
using gte::AngleRule;

namespace {

gte::Line3 shapeOf(gte_line const& line) {
    return toLine3(line);
}
gte::Ray3 shapeOf(gte_ray const& ray) {
    return toRay3(ray);
}
gte::Segment3 shapeOf(gte_lseg const& lseg) {
    return toSegment3(lseg);
}
gte::Plane3 shapeOf(gte_plane const& plane) {
    return toPlane3(plane);
}

template <class First, class Second>
double linearAngle(First const& first, Second const& second) {
    return gte::measureAngle(shapeOf(first), shapeOf(second), AngleProjection::none,
                             AngleRule::linear);
}

template <class First, class Second>
double linearAngleXY(First const& first, Second const& second) {
    return gte::measureAngle(shapeOf(first), shapeOf(second), AngleProjection::xy,
                             AngleRule::linear);
}

template <class Feature>
double angleToPlane(Feature const& feature, gte_plane const& plane) {
    return gte::measureAngle(shapeOf(feature), shapeOf(plane), AngleProjection::none,
                             AngleRule::toPlane);
}

}  // namespace

extern "C" {

double gte_angle_line_line(gte_line line1, gte_line line2) {
    return linearAngle(line1, line2);
}
double gte_angle_line_ray(gte_line line, gte_ray ray) {
    return linearAngle(line, ray);
}
double gte_angle_line_lseg(gte_line line, gte_lseg lseg) {
    return linearAngle(line, lseg);
}
double gte_angle_ray_ray(gte_ray ray1, gte_ray ray2) {
    return linearAngle(ray1, ray2);
}
double gte_angle_ray_lseg(gte_ray ray, gte_lseg lseg) {
    return linearAngle(ray, lseg);
}
double gte_angle_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2) {
    return linearAngle(lseg1, lseg2);
}

double gte_angleXY_line_line(gte_line line1, gte_line line2) {
    return linearAngleXY(line1, line2);
}
double gte_angleXY_line_ray(gte_line line, gte_ray ray) {
    return linearAngleXY(line, ray);
}
double gte_angleXY_line_lseg(gte_line line, gte_lseg lseg) {
    return linearAngleXY(line, lseg);
}
double gte_angleXY_ray_ray(gte_ray ray1, gte_ray ray2) {
    return linearAngleXY(ray1, ray2);
}
double gte_angleXY_ray_lseg(gte_ray ray, gte_lseg lseg) {
    return linearAngleXY(ray, lseg);
}
double gte_angleXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2) {
    return linearAngleXY(lseg1, lseg2);
}

double gte_angle_line_plane(gte_line line, gte_plane plane) {
    return angleToPlane(line, plane);
}
double gte_angle_ray_plane(gte_ray ray, gte_plane plane) {
    return angleToPlane(ray, plane);
}
double gte_angle_lseg_plane(gte_lseg lseg, gte_plane plane) {
    return angleToPlane(lseg, plane);
}

double gte_angle_plane_plane(gte_plane plane1, gte_plane plane2) {
    return gte::measureAngle(shapeOf(plane1), shapeOf(plane2), AngleProjection::none,
                             AngleRule::betweenNormals);
}

}  // extern "C"
