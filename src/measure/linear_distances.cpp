// SPDX-License-Identifier: MIT
// Distances between lines, rays and segments, and from a segment to a plane.
//
// The five pair distances return the bare shortest distance of the linear query. The two
// segment forms are point measurements from the first segment's midpoint and report a full
// distance record.
#include "api/convert.h"
#include "api/dist_result.h"
#include "gte/linear_distance_queries.h"
#include "gte/point_distance_queries.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

template <class Shape0, class Shape1>
double linearDistance(Shape0 const& shape0, Shape1 const& shape1) {
    return gte::Distance(shape0, shape1).distance;
}

}  // namespace

extern "C" {

double gte_dist_line_line(gte_line line1, gte_line line2) {
    return linearDistance(toLine3(line1), toLine3(line2));
}

double gte_dist_line_ray(gte_line line, gte_ray ray) {
    return linearDistance(toLine3(line), toRay3(ray));
}

double gte_dist_line_lseg(gte_line line, gte_lseg lseg) {
    return linearDistance(toLine3(line), toSegment3(lseg));
}

double gte_dist_ray_ray(gte_ray ray1, gte_ray ray2) {
    return linearDistance(toRay3(ray1), toRay3(ray2));
}

double gte_dist_ray_lseg(gte_ray ray, gte_lseg lseg) {
    return linearDistance(toRay3(ray), toSegment3(lseg));
}

void gte_dist_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2, gte_dist_result* result) {
    if (result == nullptr) {
        return;
    }
    gte::Segment3 const segment1 = toSegment3(lseg1);
    gte::Segment3 const segment2 = toSegment3(lseg2);
    Vector3 const midPoint = 0.5 * (segment1.p[0] + segment1.p[1]);
    // The second segment only carries a line: its extent plays no part. A zero-length segment
    // leaves a zero direction, and the line collapses to its first end point.
    gte::Line3 const line(segment2.p[0], gte::Normalized(segment2.p[1] - segment2.p[0]));
    fillDistResult(midPoint, gte::Distance(midPoint, line).closestPoint, result);
}

void gte_dist_lseg_plane(gte_lseg lseg, gte_plane plane, gte_dist_result* result) {
    if (result == nullptr) {
        return;
    }
    gte_point const midpoint = toPointRecord(0.5 * (toVector3(lseg.pt1) + toVector3(lseg.pt2)));
    gte_dist_point_plane(plane, midpoint, result);
}

}  // extern "C"
