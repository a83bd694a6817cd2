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

#include "api/convert.h"
#include "api/dist_result.h"
#include "api/records.h"
#include "gte/intersection.h"
#include "gte/point_distance.h"
#include "measure/running_extremes.h"

using gte::IntersectionQuery;
using gte::Vector3;
using namespace tavrisk;

namespace {

// Return values: the centre record only, all three records, no answer.
constexpr int kCentreOnly = 1;
constexpr int kAllRecords = 3;
constexpr int kNoAnswer = -1;

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

// Circle point -> its foot on the line.
void measureToLine(gte_line const& line, gte_point const& point, gte_dist_result* out) {
    gte_point chuizu;
    gte_distfootpoint_point_line(line, point, &chuizu, out);
}

}  // namespace

extern "C" {

int gte_dist_circle_circle(gte_circle circle1, gte_circle circle2, gte_dist_result* result) {
    gte_dist_result scratch[3];
    gte_dist_result* const out = result != nullptr ? result : scratch;

    gte::Circle3 const gtecircle1 = toCircle3(circle1);
    gte::Circle3 const gtecircle2 = toCircle3(circle2);
    Vector3 const& c1 = gtecircle1.center;
    Vector3 const& c2 = gtecircle2.center;
    Vector3 const& N1 = gtecircle1.normal;
    Vector3 const& N2 = gtecircle2.normal;
    fillDistResult(c1, c2, &out[0]);

    gte::Plane3 const plane1(N1, c1);
    gte::DistanceQuery<Vector3, gte::Plane3> disFun;
    auto const dis = disFun(c2, plane1);
    bool const coplanar = std::fabs(1.0 - std::fabs(gte::Dot(N1, N2))) < kParallelNormals &&
                          dis.distance < kCoplanarDistance;
    if (!coplanar) {
        return kCentreOnly;
    }

    // The measuring plane stands on the common plane and holds the centre line, so both circles
    // are cut on that line. Concentric circles are cut along a fixed in-plane direction instead.
    gte::Plane3 plane3;
    if (out[0].dist > kConcentricDistance) {
        plane3 = gte::Plane3(c1, c2, c1 + N1);
    } else {
        Vector3 vectorTemp = std::fabs(1.0 - std::fabs(N1[2])) > kNormalAlongZ
                                 ? Vector3(0.0, 0.0, 1.0)
                                 : Vector3(0.0, 1.0, 0.0);
        vectorTemp = gte::Cross(vectorTemp, N1);
        gte::Normalize(vectorTemp);
        plane3 = gte::Plane3(c1, c1 + vectorTemp, c1 + N1);
    }

    IntersectionQuery<gte::Plane3, gte::Circle3> interFun;
    auto const inter1 = interFun(plane3, gtecircle1);
    auto const inter2 = interFun(plane3, gtecircle2);
    PairSearch const search = searchPairs(inter1, inter2, out);
    return search.ran ? kAllRecords : kCentreOnly;
}

int gte_dist3D_circle_circle(gte_circle circle1, gte_circle circle2, gte_dist_result* result) {
    gte_dist_result scratch[3];
    gte_dist_result* const out = result != nullptr ? result : scratch;

    gte::Circle3 const gtecircle1 = toCircle3(circle1);
    gte::Circle3 const gtecircle2 = toCircle3(circle2);
    Vector3 const& c1 = gtecircle1.center;
    Vector3 const& c2 = gtecircle2.center;
    Vector3 const& N1 = gtecircle1.normal;
    Vector3 const& N2 = gtecircle2.normal;
    fillDistResult(c1, c2, &out[0]);

    // The measuring plane holds both centres and the mean normal direction (the normals taken
    // with agreeing senses).
    Vector3 tempNormal = gte::Dot(N1, N2) >= 0.0 ? N1 + N2 : N1 - N2;
    gte::Normalize(tempNormal);
    Vector3 crossPlaneNormal = gte::Cross(tempNormal, c2 - c1);
    if (gte::Normalize(crossPlaneNormal) == 0.0) {
        // Concentric (or exactly coaxial) circles: no plane is singled out by the centres.
        return kCentreOnly;
    }
    Vector3 const crossPlaneCenter = (c2 + c1) * 0.5;
    gte::Plane3 const crossPlane(crossPlaneNormal, crossPlaneCenter);

    IntersectionQuery<gte::Plane3, gte::Circle3> interFun;
    auto const inter1 = interFun(crossPlane, gtecircle1);
    auto const inter2 = interFun(crossPlane, gtecircle2);
    PairSearch const search = searchPairs(inter1, inter2, out);
    if (!search.ran) {
        return kCentreOnly;
    }
    // Unless one circle encloses the other, the nearest pair is the one opposite the farthest.
    if (std::fabs(gtecircle1.radius - gtecircle2.radius) <= out[0].dist) {
        fillDistResult(inter1.points[1 - search.item1], inter2.points[1 - search.item2], &out[1]);
    }
    return kAllRecords;
}

int gte_distXY_circle_circle(gte_circle circle1, gte_circle circle2, gte_dist_result* result) {
    // Seen from above: circle2 is lifted to circle1's height, its normal kept.
    gte_circle circle2Temp = circle2;
    circle2Temp.center.z = circle1.center.z;
    return gte_dist_circle_circle(circle1, circle2Temp, result);
}

int gte_dist_arc_circle(gte_arc arc, gte_circle circle, gte_dist_result* result) {
    return gte_dist_circle_circle(arc, circle, result);
}

int gte_dist_arc_arc(gte_arc arc1, gte_arc arc2, gte_dist_result* result) {
    return gte_dist_circle_circle(arc1, arc2, result);
}

int gte_dist_line_circle(gte_line line, gte_circle circle, gte_dist_result* result) {
    gte_dist_result scratch[3];
    gte_dist_result* const out = result != nullptr ? result : scratch;

    gte::Circle3 const gtecircle = toCircle3(circle);
    gte::Line3 const gteline = toLine3(line);
    gte::Plane3 const circlePlane(gtecircle.normal, gtecircle.center);

    if (std::fabs(std::fabs(gte::Dot(gteline.direction, gtecircle.normal)) - 1.0) < kAxisParallel) {
        // Along the axis the line pierces the circle's plane: the circle points nearest to and
        // farthest from the line lie on the diameter through the piercing point.
        IntersectionQuery<gte::Line3, gte::Plane3> interFun;
        auto const inter = interFun(gteline, circlePlane);
        if (!inter.intersects || inter.count != 1) {
            return kNoAnswer;
        }
        measureToLine(line, circle.center, &out[0]);
        gte_point const distPoint = toPointRecord(inter.point);
        gte_vector const toDistPoint = vectorFromTo(circle.center, distPoint);
        if (!(recordLength(toDistPoint) > kRecordZeroLength)) {
            return kCentreOnly;  // through the centre: every diameter is alike
        }
        gte_vector const u = vectUnit(toDistPoint);
        double const r = circle.radius;
        gte_point const& C = circle.center;
        gte_point const towards(C.x + r * u.x, C.y + r * u.y, C.z + r * u.z);
        gte_point const away(C.x - r * u.x, C.y - r * u.y, C.z - r * u.z);
        measureToLine(line, towards, &out[1]);
        measureToLine(line, away, &out[2]);
        return kAllRecords;
    }

    gte_point chuizu(0.0, 0.0, 0.0);
    gte_distfootpoint_point_line(line, circle.center, &chuizu, &out[0]);

    // The key line runs in the circle's plane from the foot's projection through the centre; it
    // cuts the circle in the diameter that points towards the line.
    gte::DistanceQuery<Vector3, gte::Plane3> disFun;
    auto const dis = disFun(toVector3(chuizu), circlePlane);
    gte_point const chuizu_incirle = toPointRecord(dis.closestPoint);
    gte_line const keyline(chuizu_incirle, circle.center);

    gte_point insect_line_circel[2] = {gte_point(0.0, 0.0, 0.0), gte_point(0.0, 0.0, 0.0)};
    int const n = gte_intersec_line_circle(keyline, circle, insect_line_circel);
    if (n <= 0) {
        // The line meets the axis at its foot (a line through the centre, for instance): no
        // diameter is singled out.
        return kCentreOnly;
    }
    if (n == 1) {
        // A circle of no size is cut in its one point, which is both the nearest and the
        // farthest; the unused slot must not be measured as a circle point.
        insect_line_circel[1] = insect_line_circel[0];
    }
    gte_distfootpoint_point_line(line, insect_line_circel[0], &chuizu, &out[1]);
    gte_distfootpoint_point_line(line, insect_line_circel[1], &chuizu, &out[2]);
    if (out[1].dist > out[2].dist) {
        // The nearer circle point comes first.
        gte_distfootpoint_point_line(line, insect_line_circel[1], &chuizu, &out[1]);
        gte_distfootpoint_point_line(line, insect_line_circel[0], &chuizu, &out[2]);
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
