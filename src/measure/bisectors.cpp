// SPDX-License-Identifier: MIT
// Geometry halfway between two measured features: midpoints and bisector segments.
#include <cmath>

#include "api/convert.h"
#include "gte/point_distance_queries.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

// A point pair whose unit direction has |z| within this of 1 counts as vertical: the
// horizontal perpendicular is then ill defined and the bisector is laid along x instead.
constexpr double kVerticalTolerance = 0.001;

// Below this sine of their angle two segments are paired end by end as parallel ones.
constexpr double kParallelSine = 0.001;

// Foot of the perpendicular from point on the infinite line.
Vector3 footOnLine(Vector3 const& point, gte::Line3 const& line) {
    return gte::Distance(point, line).closestPoint;
}

}  // namespace

extern "C" {

void gte_bisector_point_point(gte_point first, gte_point second, gte_point* output) {
    if (output == nullptr) {
        return;
    }
    *output = toPointRecord(0.5 * (toVector3(first) + toVector3(second)));
}

void gte_bisector_point_line(gte_point point, gte_line line, gte_point* output) {
    if (output == nullptr) {
        return;
    }
    Vector3 const gtePoint = toVector3(point);
    Vector3 const foot = footOnLine(gtePoint, toLine3(line));
    *output = toPointRecord(0.5 * (foot + gtePoint));
}

void gte_bisectorLseg_point_point(gte_point first, gte_point second, gte_lseg* output) {
    if (output == nullptr) {
        return;
    }
    Vector3 const point1 = toVector3(first);
    Vector3 const point2 = toVector3(second);
    Vector3 pointDirection = point2 - point1;
    double const distance = gte::Normalize(pointDirection);
    Vector3 const up(0.0, 0.0, 1.0);
    double const t = std::fabs(std::fabs(gte::Dot(up, pointDirection)) - 1.0);
    Vector3 const midPoint = 0.5 * (point1 + point2);

    // Horizontal and perpendicular to the pair; a (nearly) vertical pair has no such single
    // direction, so it gets the x axis.
    Vector3 lineDirection;
    if (t < kVerticalTolerance) {
        lineDirection = Vector3(1.0, 0.0, 0.0);
    } else {
        lineDirection = gte::NormalizedCross(up, pointDirection);
    }
    double const halfLength = 0.5 * distance;
    Vector3 const a = midPoint - halfLength * lineDirection;
    Vector3 const b = midPoint + halfLength * lineDirection;

    // The result must not depend on the order of the two points: it always runs towards +x,
    // or towards +y when it is parallel to the y axis.
    bool const reversed =
        lineDirection[0] < 0.0 || (lineDirection[0] == 0.0 && lineDirection[1] < 0.0);
    *output = toLsegRecord(reversed ? gte::Segment3(b, a) : gte::Segment3(a, b));
}

void gte_bisectorLseg_point_lseg(gte_point point, gte_lseg segment, gte_lseg* output) {
    if (output == nullptr) {
        return;
    }
    Vector3 const gtePoint = toVector3(point);
    gte::Segment3 const gteSegment = toSegment3(segment);
    Vector3 center, direction;
    double extent;
    gteSegment.centeredForm(center, direction, extent);

    // The copy is centred halfway to the point's foot on the carrying line, wherever that foot
    // falls relative to the segment itself.
    Vector3 const foot = footOnLine(gtePoint, gte::Line3(gteSegment.p[0], direction));
    Vector3 const midPoint = 0.5 * (foot + gtePoint);
    gte::Segment3 const midLseg(midPoint - extent * direction, midPoint + extent * direction);
    *output = toLsegRecord(midLseg);
}

void gte_bisector_lseg_lseg(gte_lseg first, gte_lseg second, gte_lseg* output) {
    if (output == nullptr) {
        return;
    }
    gte::Segment3 const segment1 = toSegment3(first);
    gte::Segment3 segment2 = toSegment3(second);
    Vector3 center1, direction1, center2, direction2;
    double extent1, extent2;
    segment1.centeredForm(center1, direction1, extent1);
    segment2.centeredForm(center2, direction2, extent2);

    // Bisect the acute angle: turn the second segment round when it points away from the first.
    if (gte::Dot(direction1, direction2) < 0.0) {
        segment2 = gte::Segment3(segment2.p[1], segment2.p[0]);
        segment2.centeredForm(center2, direction2, extent2);
    }

    double const sine = gte::Length(gte::Cross(direction1, direction2));
    if (sine < kParallelSine) {
        // Parallel (or a segment without length): the segment through the end-point midpoints.
        output->pt1 = toPointRecord(0.5 * (segment1.p[0] + segment2.p[0]));
        output->pt2 = toPointRecord(0.5 * (segment1.p[1] + segment2.p[1]));
        return;
    }

    Vector3 const midPoint = 0.5 * (center1 + center2);
    Vector3 const midDirection = gte::Normalized(direction1 + direction2);
    double const halfLength = 0.5 * (extent1 + extent2);
    gte::Segment3 const bisector(midPoint - halfLength * midDirection,
                                 midPoint + halfLength * midDirection);
    *output = toLsegRecord(bisector);
}

}  // extern "C"
