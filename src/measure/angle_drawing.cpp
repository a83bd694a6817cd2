// SPDX-License-Identifier: MIT
// Angles together with what a host needs to draw them: a vertex and the directions of the two
// arms. The angle itself is measured exactly as the plain angle exports measure it; the drawing
// is built around it.
#include <cmath>

#include "api/convert.h"
#include "gte/linear_distance_queries.h"
#include "gte/point_distance_queries.h"
#include "gte/direction_angle.h"

using gte::AngleProjection;
using gte::AngleRule;
using gte::Vector3;
using namespace tavrisk;

namespace {

// The intersection exports return 1 for one point, or for the one line of two planes.
constexpr int kOneCrossing = 1;
// Where the segment's line never pierces the plane the drawing stands at the origin.
constexpr gte_point kVertexWithoutCrossing(0.0, 0.0, 0.0);
// A normal within this of the z axis in 1 - |z| (about 37 degrees) is crossed with the x axis,
// not with z, to find a direction inside its plane.
constexpr double kNearZAxis = 0.2;

gte_angle_result makeDrawing(double angle, gte_point const& centerPoint, Vector3 const& arm1,
                             Vector3 const& arm2) {
    gte_angle_result drawing;
    drawing.angle = angle;
    drawing.centerPoint = centerPoint;
    drawing.direction1 = toVectorRecord(arm1);
    drawing.direction2 = toVectorRecord(arm2);
    return drawing;
}

// The whole record is written at once, or not at all for a null output.
double report(gte_angle_result const& drawing, gte_angle_result* output) {
    if (output != nullptr) {
        *output = drawing;
    }
    return drawing.angle;
}

// Two segments meet (or pass closest) where the second segment's line comes nearest to the
// first's: the vertex lies on the second line. Seen from above, every end point is first dropped
// onto z = 0, so the arms and the vertex lie in that plane.
gte_angle_result drawSegments(gte_lseg const& first, gte_lseg const& second,
                              AngleProjection projection) {
    gte::Segment3 gteSegment1 = toSegment3(first);
    gte::Segment3 gteSegment2 = toSegment3(second);
    if (projection == AngleProjection::xy) {
        gteSegment1.p[0][2] = 0.0;
        gteSegment1.p[1][2] = 0.0;
        gteSegment2.p[0][2] = 0.0;
        gteSegment2.p[1][2] = 0.0;
    }
    Vector3 const direction1 = featureDirection(gteSegment1);
    Vector3 const direction2 = featureDirection(gteSegment2);
    gte::Line3 const gteLine1(gteSegment1.p[0], direction1);
    gte::Line3 const gteLine2(gteSegment2.p[0], direction2);
    Vector3 const vertex = gte::Distance(gteLine1, gteLine2).closestPoint[1];
    double const angle = angleDegrees(direction1, direction2);
    return makeDrawing(angle, toPointRecord(vertex), direction1, direction2);
}

// The first arm follows the segment from where its line pierces the plane, turned if needed so
// that it leans to the side the normal points to; the second arm is its shadow in the plane.
gte_angle_result drawSegmentPlane(gte_lseg const& segment, gte_plane const& plane) {
    Vector3 direction1 = featureDirection(toSegment3(segment));
    Vector3 const direction2 = featureDirection(toPlane3(plane));
    double const a = angleDegrees(direction1, direction2);
    if (a > gte::kQuarterTurnDegrees) {
        direction1 = -direction1;
    }
    double const angle = applyAngleRule(AngleRule::toPlane, a);

    // The crossing comes from the intersection export with a line record, as a host would ask
    // for it: the export normalises direction1 once more, and the point's digits follow that.
    gte_line const line(segment.pt1, toVectorRecord(direction1));
    gte_point crossPoint;
    if (gte_intersec_line_plane(line, plane, &crossPoint) == kOneCrossing) {
        // direction1 x normal is perpendicular to both; crossing it with the normal again brings
        // it back into the plane on the side of direction1. Zero along the normal.
        Vector3 const shadow = gte::NormalizedCross(direction2, gte::Cross(direction1, direction2));
        return makeDrawing(angle, crossPoint, direction1, shadow);
    }
    // The line never pierces the plane (parallel to it, lying in it, or no segment at all).
    return makeDrawing(angle, kVertexWithoutCrossing, direction1, direction1);
}

// The arms stand on the planes' common line, each perpendicular to it inside its own plane: the
// normals turned a quarter turn about the line, so they open at the angle of the normals.
gte_angle_result drawPlanes(gte_plane const& first, gte_plane const& second) {
    Vector3 const direction1 = featureDirection(toPlane3(first));
    Vector3 const direction2 = featureDirection(toPlane3(second));
    double const angle = angleDegrees(direction1, direction2);

    // The common line comes from the intersection export as a record and is converted back, its
    // direction normalised once more: the vertex and the arms follow those digits.
    gte_line crossLine;
    if (gte_intersec_plane_plane(first, second, &crossLine) == kOneCrossing) {
        gte::Line3 const gteLine = toLine3(crossLine);
        Vector3 const& u = gteLine.direction;
        Vector3 const vertex = gte::Distance(toVector3(first.pt1), gteLine).closestPoint;
        // u is a unit vector perpendicular to both unit normals: the crosses are unit already.
        return makeDrawing(angle, toPointRecord(vertex), gte::Cross(u, direction1),
                           gte::Cross(u, direction2));
    }
    // Parallel or coincident planes: one direction inside the first plane, crossed from an axis
    // that stays well away from the normal.
    Vector3 const axis = 1.0 - std::fabs(direction1[2]) > kNearZAxis ? Vector3(0.0, 0.0, 1.0)
                                                                     : Vector3(1.0, 0.0, 0.0);
    Vector3 const inPlane = gte::NormalizedCross(direction1, axis);
    return makeDrawing(angle, first.pt1, inPlane, inPlane);
}

}  // namespace

extern "C" {

double gte_angle_draw_lseg_lseg(gte_lseg first, gte_lseg second, gte_angle_result* output) {
    return report(drawSegments(first, second, AngleProjection::none), output);
}

double gte_angleXY_draw_lseg_lseg(gte_lseg first, gte_lseg second, gte_angle_result* output) {
    return report(drawSegments(first, second, AngleProjection::xy), output);
}

double gte_angle_draw_lseg_plane(gte_lseg segment, gte_plane plane, gte_angle_result* output) {
    return report(drawSegmentPlane(segment, plane), output);
}

double gte_angle_draw_plane_plane(gte_plane first, gte_plane second, gte_angle_result* output) {
    return report(drawPlanes(first, second), output);
}

}  // extern "C"
