// SPDX-License-Identifier: MIT
// Distances between two circles and between a line (or segment) and a circle. Each fills up to
// three records: centre to centre (or centre to line), the nearest pair and the farthest pair.
//
// The pairs come from one cut, not from a general search: a measuring plane through both centres
// cuts each circle in the two ends of a diameter, and only those four points are compared. For a
// line the circle is cut along the diameter that points towards the line.
//
// A null result pointer is measured into a scratch array: nothing reaches the caller, and the
// return value is the one the call would give with an array.
#include <cmath>
#include <utility>

#include "api/convert.h"
#include "api/dist_result.h"
#include "api/records.h"
#include "gte/intersection_queries.h"
#include "gte/point_distance_queries.h"
#include "api/export_guard.h"
#include "search/running_extremes.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

// Counts of records written: the centre record only, or all three.
constexpr int kCentreOnly = 1;
constexpr int kAllRecords = 3;

// Normals parallel (in either sense) within this much of |cos| = 1, and the second centre within
// kCoplanarDistance of the first circle's plane: the circles share a plane.
constexpr double kParallelNormals = 1e-6;
constexpr double kCoplanarDistance = 1e-5;
// Centres closer than this are concentric: the centre line gives no direction to cut along.
constexpr double kConcentricDistance = 1e-6;
// A normal within this much of the z axis cannot be crossed with z to find an in-plane direction.
constexpr double kNormalAlongZ = 1e-6;
// A line within about 2.56 degrees of the circle's axis crosses the circle's plane instead of
// running beside it.
constexpr double kAxisParallel = 0.001;

struct PairSearch {
    bool ran = false;  // both circles were cut in two points, and both pair records written
    int item1 = 0;     // indices of the farthest pair, valid when ran
    int item2 = 0;
};

bool cutInTwo(gte::PlaneCircleIntersection const& inter) {
    return inter.intersects && inter.pointsFound && inter.count == 2;
}

// Compares the two cut points of circle1 with those of circle2: the nearest pair goes to out[1],
// the farthest to out[2], each oriented from circle1 to circle2. Among equal distances the first
// pair in loop order wins; a pair at an undefined (NaN) distance makes both records that pair.
PairSearch searchPairs(gte::PlaneCircleIntersection const& inter1,
                       gte::PlaneCircleIntersection const& inter2, gte_dist_result* out) {
    PairSearch search;
    if (!cutInTwo(inter1) || !cutInTwo(inter2)) {
        return search;
    }
    search.ran = true;
    RunningMinimum nearest;
    RunningMaximum farthest;
    for (int i = 0; i < 2; ++i) {
        Vector3 const& point1 = inter1.points[i];
        for (int j = 0; j < 2; ++j) {
            Vector3 const& point2 = inter2.points[j];
            double const d = gte::Length(point2 - point1);
            if (nearest.offer(d)) {
                fillDistResult(point1, point2, &out[1]);
            }
            if (farthest.offer(d)) {
                fillDistResult(point1, point2, &out[2]);
                search.item1 = i;
                search.item2 = j;
            }
        }
    }
    return search;
}

// The records a measurement writes: the caller's three, or scratch ones for a null result, so
// that the return value does not depend on whether the records were asked for.
class ThreeRecords {
public:
    explicit ThreeRecords(gte_dist_result* result) : out_(result != nullptr ? result : scratch_) {}
    ThreeRecords(ThreeRecords const&) = delete;
    ThreeRecords& operator=(ThreeRecords const&) = delete;

    gte_dist_result& operator[](int i) { return out_[i]; }
    gte_dist_result* data() { return out_; }

private:
    gte_dist_result scratch_[3];
    gte_dist_result* const out_;
};

// The start both circle pair measurements share: the circles in core form and the centre
// record, written first. cutWith then cuts both circles with the measuring plane and searches
// the pairs of cut points.
struct CirclePair {
    CirclePair(gte_circle const& record1, gte_circle const& record2, gte_dist_result* result)
        : circle1(toCircle3(record1)), circle2(toCircle3(record2)), out(result) {
        fillDistResult(circle1.center, circle2.center, &out[0]);
    }

    PairSearch cutWith(gte::Plane3 const& measuringPlane) {
        cut1 = gte::Intersect(measuringPlane, circle1);
        cut2 = gte::Intersect(measuringPlane, circle2);
        return searchPairs(cut1, cut2, out.data());
    }

    gte::Circle3 const circle1;
    gte::Circle3 const circle2;
    ThreeRecords out;
    gte::PlaneCircleIntersection cut1;
    gte::PlaneCircleIntersection cut2;
};

// A point against the line: the record of the point and its foot, as the point distances write
// it.
void measureToLine(gte::Line3 const& line, Vector3 const& point, gte_dist_result* out) {
    fillDistResult(point, gte::Distance(point, line).closestPoint, out);
}

}  // namespace

extern "C" {

int gte_dist_circle_circle(gte_circle circle1, gte_circle circle2, gte_dist_result* result) {
    CirclePair pair(circle1, circle2, result);
    Vector3 const& c1 = pair.circle1.center;
    Vector3 const& c2 = pair.circle2.center;
    Vector3 const& N1 = pair.circle1.normal;
    Vector3 const& N2 = pair.circle2.normal;

    gte::Plane3 const plane1 = gte::Plane3::fromNormalAndPoint(N1, c1);
    bool const coplanar = std::fabs(1.0 - std::fabs(gte::Dot(N1, N2))) < kParallelNormals &&
                          gte::Distance(c2, plane1).distance < kCoplanarDistance;
    if (!coplanar) {
        return kCentreOnly;
    }

    // The measuring plane stands on the common plane and holds the centre line, so both circles
    // are cut on that line. Concentric circles are cut along a fixed in-plane direction instead.
    gte::Plane3 measuringPlane;
    if (pair.out[0].dist > kConcentricDistance) {
        measuringPlane = gte::Plane3::throughPoints(c1, c2, c1 + N1);
    } else {
        Vector3 const axis = std::fabs(1.0 - std::fabs(N1[2])) > kNormalAlongZ
                                 ? Vector3(0.0, 0.0, 1.0)
                                 : Vector3(0.0, 1.0, 0.0);
        Vector3 const cutDirection = gte::NormalizedCross(axis, N1);
        measuringPlane = gte::Plane3::throughPoints(c1, c1 + cutDirection, c1 + N1);
    }

    return pair.cutWith(measuringPlane).ran ? kAllRecords : kCentreOnly;
}

int gte_dist3D_circle_circle(gte_circle circle1, gte_circle circle2, gte_dist_result* result) {
    CirclePair pair(circle1, circle2, result);
    Vector3 const& c1 = pair.circle1.center;
    Vector3 const& c2 = pair.circle2.center;
    Vector3 const& N1 = pair.circle1.normal;
    Vector3 const& N2 = pair.circle2.normal;

    // The measuring plane holds both centres and the mean normal direction (the normals taken
    // with agreeing senses).
    Vector3 const meanNormal = gte::Normalized(gte::Dot(N1, N2) >= 0.0 ? N1 + N2 : N1 - N2);
    Vector3 crossPlaneNormal = gte::Cross(meanNormal, c2 - c1);
    if (gte::Normalize(crossPlaneNormal) == 0.0) {
        // Concentric (or exactly coaxial) circles: no plane is singled out by the centres.
        return kCentreOnly;
    }
    Vector3 const crossPlaneCenter = (c2 + c1) * 0.5;
    gte::Plane3 const crossPlane =
        gte::Plane3::fromNormalAndPoint(crossPlaneNormal, crossPlaneCenter);

    PairSearch const search = pair.cutWith(crossPlane);
    if (!search.ran) {
        return kCentreOnly;
    }
    // Unless one circle encloses the other, the nearest pair is the one opposite the farthest.
    if (std::fabs(pair.circle1.radius - pair.circle2.radius) <= pair.out[0].dist) {
        fillDistResult(pair.cut1.points[1 - search.item1], pair.cut2.points[1 - search.item2],
                       &pair.out[1]);
    }
    return kAllRecords;
}

int gte_distXY_circle_circle(gte_circle circle1, gte_circle circle2, gte_dist_result* result) {
    // Seen from above: circle2 is lifted to circle1's height, its normal kept.
    gte_circle lifted = circle2;
    lifted.center.z = circle1.center.z;
    return gte_dist_circle_circle(circle1, lifted, result);
}

int gte_dist_arc_circle(gte_arc arc, gte_circle circle, gte_dist_result* result) {
    return gte_dist_circle_circle(arc, circle, result);
}

int gte_dist_arc_arc(gte_arc arc1, gte_arc arc2, gte_dist_result* result) {
    return gte_dist_circle_circle(arc1, arc2, result);
}

int gte_dist_line_circle(gte_line line, gte_circle circle, gte_dist_result* result) {
    ThreeRecords out(result);

    gte::Circle3 const gteCircle = toCircle3(circle);
    gte::Line3 const gteLine = toLine3(line);
    gte::Plane3 const circlePlane =
        gte::Plane3::fromNormalAndPoint(gteCircle.normal, gteCircle.center);

    if (std::fabs(std::fabs(gte::Dot(gteLine.direction, gteCircle.normal)) - 1.0) < kAxisParallel) {
        // Along the axis the line pierces the circle's plane: the circle points nearest to and
        // farthest from the line lie on the diameter through the piercing point.
        auto const inter = gte::Intersect(gteLine, circlePlane);
        if (!inter.intersects || inter.count != 1) {
            return TAVRISK_NO_ANSWER;
        }
        measureToLine(gteLine, gteCircle.center, &out[0]);
        Vector3 const toPiercing = inter.point - gteCircle.center;
        if (!(gte::Length(toPiercing) > kRecordZeroLength)) {
            return kCentreOnly;  // through the centre: every diameter is alike
        }
        Vector3 const u = unitByDivision(toPiercing);
        double const r = gteCircle.radius;
        measureToLine(gteLine, gteCircle.center + r * u, &out[1]);
        measureToLine(gteLine, gteCircle.center - r * u, &out[2]);
        return kAllRecords;
    }

    Vector3 const centreFoot = gte::Distance(gteCircle.center, gteLine).closestPoint;
    fillDistResult(gteCircle.center, centreFoot, &out[0]);

    // The key line runs in the circle's plane from the foot's projection through the centre; it
    // cuts the circle in the diameter that points towards the line. It is built and cut as
    // records, the way a host would do it: the diameter's ends have the digits of that route.
    Vector3 const footInPlane = gte::Distance(centreFoot, circlePlane).closestPoint;
    gte_line const keyLine(toPointRecord(footInPlane), circle.center);

    gte_point diameterEnds[2] = {gte_point(0.0, 0.0, 0.0), gte_point(0.0, 0.0, 0.0)};
    int const n = gte_intersec_line_circle(keyLine, circle, diameterEnds);
    if (n <= 0) {
        // The line meets the axis at its foot (a line through the centre, for instance): no
        // diameter is singled out.
        return kCentreOnly;
    }
    if (n == 1) {
        // A circle of no size is cut in its one point, which is both the nearest and the
        // farthest; the unused slot must not be measured as a circle point.
        diameterEnds[1] = diameterEnds[0];
    }
    measureToLine(gteLine, toVector3(diameterEnds[0]), &out[1]);
    measureToLine(gteLine, toVector3(diameterEnds[1]), &out[2]);
    if (out[1].dist > out[2].dist) {
        std::swap(out[1], out[2]);  // the nearer circle point comes first
    }
    return kAllRecords;
}

int gte_dist_line_arc(gte_line line, gte_arc arc, gte_dist_result* result) {
    return gte_dist_line_circle(line, arc, result);
}

int gte_dist_lseg_circle(gte_lseg lseg, gte_circle circle, gte_dist_result* result) {
    // The segment is measured as its whole line; the feet may lie beyond its ends.
    return gte_dist_line_circle(lsegToLine(lseg), circle, result);
}

int gte_dist_lseg_arc(gte_lseg lseg, gte_arc arc, gte_dist_result* result) {
    return gte_dist_lseg_circle(lseg, arc, result);
}

}  // extern "C"
