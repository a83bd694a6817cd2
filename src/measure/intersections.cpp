// SPDX-License-Identifier: MIT
// Intersections: a line, ray or segment with a plane, two planes, two lines seen from above, and
// a plane, line or circle with a circle. The return value counts what was found; outputs that an
// outcome does not produce are left as the caller passed them.
#include <cmath>
#include <optional>
#include <utility>

#include "api/convert.h"
#include "api/dist_result.h"
#include "gte/intersection_queries.h"
#include "api/export_guard.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

// The queries' counts pass straight to the caller: infinitely many is the interface's count.
static_assert(gte::kInfiniteCount == TAVRISK_INFINITE_POINTS, "one count for infinitely many");

// Counts of points written; two planes return kLineWritten for their line, TAVRISK_NONE when
// they are parallel and apart.
constexpr int kOnePoint = 1;
constexpr int kLineWritten = 1;

// Tangency closer than this is accepted by the plane-circle function even when the exact
// discriminant misses it.
constexpr double kTouchTolerance = 1e-8;
// A line within about 0.057 degrees of a circle's axis (the sine of the angle between them below
// this) has no meaningful crossing with it.
constexpr double kAxisAlignedLength = 0.001;
// Two circles share a plane when the cosine of the angle between their normals is within
// kNormalAgreement of 1 (about 2.56 degrees, same sense) and the second centre lies within
// kCoplanarDistance of the first circle's plane.
constexpr double kNormalAgreement = 0.001;
constexpr double kCoplanarDistance = 0.001;

// Seen from above, a vertical line (no XY direction) is a single point, not a line parallel to
// every other: it meets the other trace once, where that point lies on it exactly, or not at all
// (two vertical lines: where they stand on the same point). Nothing when neither is vertical.
std::optional<gte::Line2Intersection> verticalCrossing(gte::Line2 const& seen1,
                                                       gte::Line2 const& seen2) {
    gte::Vector2 const none = gte::Vector2::zeroVector();
    bool const vertical1 = seen1.direction == none;
    bool const vertical2 = seen2.direction == none;
    if (!vertical1 && !vertical2) {
        return std::nullopt;
    }
    gte::Line2 const& standing = vertical2 ? seen2 : seen1;
    gte::Line2 const& trace = vertical2 ? seen1 : seen2;
    gte::Vector2 const offset = standing.origin - trace.origin;
    bool const onTrace =
        vertical1 && vertical2 ? offset == none : gte::PerpDot(offset, trace.direction) == 0.0;
    gte::Line2Intersection inter;
    if (onTrace) {
        inter.intersects = true;
        inter.count = kOnePoint;
        inter.point = standing.origin;
    }
    return inter;
}

// A line, ray or segment meeting the plane: the count of points, and the point when there is
// one (for a component lying in the plane, the point that stands for it); nothing when it misses.
template <class Linear>
int intersectLinearPlane(Linear const& linear, gte_plane const& plane, gte_point* point) {
    auto const inter = gte::Intersect(linear, toPlane3(plane));
    if (inter.count != TAVRISK_NONE && point != nullptr) {
        *point = toPointRecord(inter.point);
    }
    return inter.count;
}

}  // namespace

extern "C" {

int gte_intersec_line_plane(gte_line line, gte_plane plane, gte_point* point) {
    return intersectLinearPlane(toLine3(line), plane, point);
}

int gte_intersec_ray_plane(gte_ray ray, gte_plane plane, gte_point* point) {
    return intersectLinearPlane(toRay3(ray), plane, point);
}

int gte_intersec_lseg_plane(gte_lseg lseg, gte_plane plane, gte_point* point) {
    return intersectLinearPlane(toSegment3(lseg), plane, point);
}

int gte_intersec_plane_plane(gte_plane plane1, gte_plane plane2, gte_line* line) {
    auto const inter = gte::Intersect(toPlane3(plane1), toPlane3(plane2));
    if (!inter.intersects) {
        return TAVRISK_NONE;
    }
    if (!inter.lineFound) {
        return TAVRISK_NO_ANSWER;  // one plane: no line to report
    }
    if (line != nullptr) {
        *line = toLineRecord(inter.line);
    }
    return kLineWritten;
}

int gte_intersecXY_line_line(gte_line line1, gte_line line2, gte_point* point) {
    // Seen from above: z is dropped and the directions keep their lengths.
    gte::Line2 const seen1(gte::Vector2(line1.pt.x, line1.pt.y),
                           gte::Vector2(line1.vector.x, line1.vector.y));
    gte::Line2 const seen2(gte::Vector2(line2.pt.x, line2.pt.y),
                           gte::Vector2(line2.vector.x, line2.vector.y));
    auto const inter = verticalCrossing(seen1, seen2).value_or(gte::Intersect(seen1, seen2));
    if (inter.count == kOnePoint && point != nullptr) {
        point->x = inter.point[0];
        point->y = inter.point[1];
        point->z = line1.pt.z;
    }
    return inter.count;
}

int gte_intersec_plane_circle(gte_plane plane, gte_circle circle, gte_point* result) {
    gte::Plane3 const gtePlane = toPlane3(plane);
    gte::Circle3 const gteCircle = toCircle3(circle);
    auto const inter = gte::Intersect(gtePlane, gteCircle);

    if (inter.intersects) {
        if (!inter.pointsFound) {
            return TAVRISK_NO_ANSWER;  // the circle lies in the plane
        }
        gte_point first = toPointRecord(inter.points[0]);
        gte_point second = toPointRecord(inter.points[1]);
        if (inter.count == 2) {
            // The query's first point is where (point - centre) x the plane's normal opposes the
            // circle's normal; report the other one first.
            Vector3 const radius = inter.points[0] - gteCircle.center;
            if (gte::Dot(gte::Cross(radius, gtePlane.normal), gteCircle.normal) < 0.0) {
                std::swap(first, second);
            }
        }
        if (result != nullptr) {
            result[0] = first;
            if (inter.count == 2) {
                result[1] = second;
            }
        }
        return inter.count;
    }

    // Near tangency that the exact discriminant missed: the centre stands at the radius from the
    // plane. Its foot touches the circle only when it also lies in the circle's plane, which is
    // the case for a circle standing perpendicular to the plane. The distance is the one a point
    // distance record holds.
    Vector3 const foot = gte::Distance(gteCircle.center, gtePlane).closestPoint;
    gte_dist_result centreToPlane;
    fillDistResult(gteCircle.center, foot, &centreToPlane);
    if (std::fabs(centreToPlane.dist - gteCircle.radius) < kTouchTolerance) {
        if (std::fabs(gte::Dot(foot - gteCircle.center, gteCircle.normal)) < kTouchTolerance) {
            if (result != nullptr) {
                result[0] = toPointRecord(foot);
            }
            return kOnePoint;
        }
    }
    return TAVRISK_NONE;
}

int gte_intersec_line_circle(gte_line line, gte_circle circle, gte_point* result) {
    gte::Line3 const gteLine = toLine3(line);
    gte::Circle3 const gteCircle = toCircle3(circle);
    if (gte::Length(gte::Cross(gteLine.direction, gteCircle.normal)) < kAxisAlignedLength) {
        return TAVRISK_NONE;
    }
    // The plane holding the line and the circle's axis direction stands perpendicular to the
    // circle, so it cuts the circle where the line, projected along the axis, does.
    Vector3 const& origin = gteLine.origin;
    gte::Plane3 const gtePlane =
        gte::Plane3::throughPoints(origin, origin + gteLine.direction, origin + gteCircle.normal);
    // The plane is handed on as a record, as a host would pass it: the points come from the plane
    // that record describes (its normal rebuilt from three points), not from gtePlane itself.
    gte_plane const planeRecord = toPlaneRecord(gtePlane);
    int const count = gte_intersec_plane_circle(planeRecord, circle, result);
    if (count == 2 && result != nullptr) {
        // First along the line's own direction.
        Vector3 const firstToSecond = toVector3(result[1]) - toVector3(result[0]);
        if (gte::Dot(firstToSecond, toVector3(line.vector)) < 0.0) {
            std::swap(result[0], result[1]);
        }
    }
    return count;
}

int gte_intersec_line_arc(gte_line line, gte_arc arc, gte_point* result) {
    return gte_intersec_line_circle(line, arc, result);
}

int gte_intersec_circle_circle(gte_circle circle1, gte_circle circle2, gte_point* result) {
    gte::Circle3 const C1 = toCircle3(circle1);
    gte::Circle3 const C2 = toCircle3(circle2);
    double const r1 = C1.radius;
    double const r2 = C2.radius;
    if (std::fabs(gte::Dot(C1.normal, C2.normal) - 1.0) > kNormalAgreement) {
        return TAVRISK_NO_ANSWER;  // tilted against each other, or facing opposite ways
    }
    gte::Plane3 const plane1 = gte::Plane3::fromNormalAndPoint(C1.normal, C1.center);
    if (gte::Distance(C2.center, plane1).distance > kCoplanarDistance) {
        return TAVRISK_NO_ANSWER;  // not in one plane
    }
    Vector3 u = C2.center - C1.center;
    double const d = gte::Normalize(u);
    if (d == 0.0) {
        // Concentric: the same circle meets itself everywhere, different radii never meet.
        return r1 == r2 ? TAVRISK_INFINITE_POINTS : TAVRISK_NONE;
    }
    // Both circles cut their common chord from the radical plane, at distance a from c1.
    double const a = (r1 * r1 - r2 * r2 + d * d) / (2.0 * d);
    Vector3 const P = C1.center + a * u;
    gte::Plane3 const radicalPlane = gte::Plane3::fromNormalAndPoint(u, P);
    auto const inter = gte::Intersect(radicalPlane, C1);
    if (!inter.intersects || !inter.pointsFound) {
        return TAVRISK_NONE;
    }
    if (result != nullptr) {
        result[0] = toPointRecord(inter.points[0]);
        if (inter.count == 2) {
            result[1] = toPointRecord(inter.points[1]);
        }
    }
    return inter.count;
}

int gte_intersec_circle_arc(gte_circle circle, gte_arc arc, gte_point* result) {
    return gte_intersec_circle_circle(circle, arc, result);
}

int gte_intersec_arc_arc(gte_arc arc1, gte_arc arc2, gte_point* result) {
    return gte_intersec_circle_circle(arc1, arc2, result);
}

}  // extern "C"
