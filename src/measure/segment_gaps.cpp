// SPDX-License-Identifier: MIT
// The gap between two measured edges, given as segments, in the XY projection: measured across
// their common (bisecting) direction between every pair of end points and between the centres.
#include <cmath>
#include <utility>

#include "api/convert.h"
#include "gte/basis.h"
#include "math/correctly_rounded.h"
#include "search/running_extremes.h"

using gte::Vector2;
using namespace tavrisk;

namespace {

// Alignment of the second edge (degrees between the edge directions): below kSameWayDegrees it
// runs the same way as the first, beyond kOpposedDegrees clearly the opposite way.
constexpr double kSameWayDegrees = 10.0;
constexpr double kOpposedDegrees = 170.0;
// Between those, a bisector from kAcrossFromDegrees to kAcrossToDegrees off the perpendicular of
// the centre line runs nearer that line than across it.
constexpr double kAcrossFromDegrees = 45.0;
constexpr double kAcrossToDegrees = 135.0;

// An edge projected onto XY (z ignored), with its centred form.
struct EdgeXY {
    gte::Segment2 segment;
    Vector2 center;
    Vector2 direction;  // unit, or zero for an edge seen end-on from above
    double extent;

    explicit EdgeXY(gte_lseg const& lseg) : segment(project(toSegment3(lseg))) {
        segment.centeredForm(center, direction, extent);
    }

    // Walks the edge the other way: the direction flips, the centre stays.
    void reverse() {
        std::swap(segment.p[0], segment.p[1]);
        segment.centeredForm(center, direction, extent);
    }

    static gte::Segment2 project(gte::Segment3 const& s) {
        return gte::Segment2(Vector2(s.p[0][0], s.p[0][1]), Vector2(s.p[1][0], s.p[1][1]));
    }
};

struct GapXY {
    Vector2 midpoint;   // halfway between the edge centres
    Vector2 direction;  // unit measuring direction, or zero
    double centerGap;
    double minGap;
    double maxGap;
};

// Measures across the bisecting direction of the two edges as they are oriented now.
GapXY measureGap(EdgeXY const& edge1, EdgeXY const& edge2) {
    GapXY gap;
    Vector2 const bisector = gte::Normalized(edge1.direction + edge2.direction);
    gap.midpoint = 0.5 * (edge1.center + edge2.center);
    gap.direction = gte::Normalized(Vector2(bisector[1], -bisector[0]));
    gap.centerGap = std::fabs(gte::Dot(edge2.center - edge1.center, gap.direction));
    RunningRange endGaps;
    for (Vector2 const& a : edge1.segment.p) {
        for (Vector2 const& b : edge2.segment.p) {
            endGaps.offer(std::fabs(gte::Dot(b - a, gap.direction)));
        }
    }
    gap.minGap = endGaps.low.value();
    gap.maxGap = endGaps.high.value();
    return gap;
}

// Degrees of an angle given by its cosine. The cosine is taken as computed: one pushed past +-1
// by rounding gives NaN, and NaN fails every comparison of the alignment rule below. The radians
// are multiplied by 180 and then divided by pi, not scaled by kRadiansToDegrees, which rounds
// differently and so can fall on the other side of a threshold.
double degreesOfCosine(double cosine) {
    return gte::math::Acos(cosine) * gte::kHalfTurnDegrees / gte::kPi;
}

// Whether the second edge is to be reversed before measuring: edges running clearly opposite are
// reversed. Between nearly parallel and nearly opposite, two edges facing each other across a gap
// should have a bisector running along the gap, across the line joining their centres; when the
// bisector as given runs nearer that centre line (45 to 135 degrees from its perpendicular), the
// edges were given head to tail and the second one is reversed.
bool gapRuleAligns(EdgeXY const& edge1, EdgeXY const& edge2) {
    double const theta = degreesOfCosine(gte::Dot(edge1.direction, edge2.direction));
    if (kSameWayDegrees > theta) {
        return false;
    }
    if (theta > kOpposedDegrees) {
        return true;
    }
    Vector2 const centerLine = gte::Normalized(edge1.center - edge2.center);
    Vector2 const across(centerLine[1], -centerLine[0]);
    Vector2 const bisector = gte::Normalized(edge1.direction + edge2.direction);
    double const phi = degreesOfCosine(gte::Dot(bisector, across));
    if (phi >= kAcrossToDegrees) {
        return false;
    }
    if (kAcrossFromDegrees >= phi) {
        return false;
    }
    return true;
}

}  // namespace

extern "C" {

double gte_intervalXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2, double* maxDist, double* minDist) {
    EdgeXY const edge1(lseg1);
    EdgeXY edge2(lseg2);
    if (gte::Dot(edge1.direction, edge2.direction) < 0.0) {
        edge2.reverse();
    }
    GapXY const gap = measureGap(edge1, edge2);
    if (maxDist != nullptr) {
        *maxDist = gap.maxGap;
    }
    if (minDist != nullptr) {
        *minDist = gap.minGap;
    }
    return gap.centerGap;
}

void gte_gapXY_lseg_lseg(gte_lseg lseg1, gte_lseg lseg2, gte_gap_result* result) {
    if (result == nullptr) {
        return;
    }
    EdgeXY const edge1(lseg1);
    EdgeXY edge2(lseg2);
    if (gapRuleAligns(edge1, edge2)) {
        edge2.reverse();
    }
    GapXY const gap = measureGap(edge1, edge2);
    result->centerPoint = gte_point(gap.midpoint[0], gap.midpoint[1], 0.0);
    result->direction = gte_vector(gap.direction[0], gap.direction[1], 0.0);
    result->centerGap = gap.centerGap;
    result->minGap = gap.minGap;
    result->maxGap = gap.maxGap;
}

// Kept for hosts that bind it: it measures nothing and leaves the record as it is.
void gte_gap_lseg_lseg(gte_lseg, gte_lseg, gte_gap_result*) {}

}  // extern "C"
