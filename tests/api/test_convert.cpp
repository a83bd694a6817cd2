// SPDX-License-Identifier: MIT
// Record <-> core conversions, their fallbacks, the record operations and the distance record.
#include <array>
#include <cmath>
#include <vector>

#include "api/convert.h"
#include "api/dist_result.h"
#include "api/records.h"
#include "support/test_util.h"

using namespace tavrisk_test;
using gte::Vector3;
using namespace tavrisk;

TEST(Conversions, NormalFallbacksAndAxes) {
    // Circle normals shorter than 0.001 fall back to +z; longer ones are made unit.
    for (double y : {0.0, 0.0005, 0.002}) {
        EXPECT_TRUE(recordNear(toCircle3(gte_circle({1, 1, 1}, 2.5, {0, y, 0})).normal,
                               y > 0.001 ? Vector3(0, 1, 0) : Vector3(0, 0, 1)));
    }
    // An orientation too short to make unit (1e-10 < 1e-8): the horizontal plane through the
    // centroid.
    gte::Plane3 const p = toPlane3(
        gte_plane(gte_point(2, 3, 4), gte_point(2 + 1e-5, 3, 4), gte_point(2, 3, 4 + 1e-5)));
    EXPECT_TRUE(recordNear(p.normal, Vector3(0, 0, 1)));
    // The record's axes: the normal crossed with x, or with y for a normal along x.
    EXPECT_TRUE(recordNear(makePlaneRecord(Vector3(0, 0, 0), Vector3(1, 0, 0)),
                           gte_plane(gte_point(0, 0, 0), gte_point(0, 0, 1), gte_point(0, -1, 0))));
    EXPECT_TRUE(recordNear(makePlaneRecord(Vector3(0, 0, 0), Vector3(0, 0, 1)),
                           gte_plane(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(-1, 0, 0))));
}

TEST(Conversions, RecordUnitsDivideAndSegmentsCarryLines) {
    // Record units divide by the length (0.6, where the core's reciprocal gives
    // 0.6000000000000001); below 1e-8 they are zero. The header's two-point line does the same.
    EXPECT_TRUE(recordNear(unitByDivision(Vector3(0, 3, 4)), Vector3(0, 0.6, 0.8)));
    EXPECT_TRUE(recordNear(unitByDivision(Vector3(0, 5e-9, 0)), Vector3(0, 0, 0)));
    EXPECT_POINT_EQ(gte_line(gte_point(1, 1, 1), gte_point(1, 4, 5)).vector, 0.0, 0.6, 0.8);
    EXPECT_POINT_EQ(gte_line(gte_point(1, 1, 1), gte_point(1, 1, 1 + 1e-9)).vector, 0, 0, 0);
    // A segment's line runs from pt1 towards pt2; one of no length runs along z.
    gte_line const fromSegment = lsegToLine(gte_lseg(gte_point(1, 0, 0), gte_point(1, 0, -2)));
    EXPECT_TRUE(recordNear(fromSegment, gte_line(gte_point(1, 0, 0), gte_vector(0, 0, -1))));
    gte_line const fromPoint = lsegToLine(gte_lseg(gte_point(1, 2, 3), gte_point(1, 2, 3)));
    EXPECT_POINT_EQ(fromPoint.vector, 0.0, 0.0, 1.0);
}

TEST(DistResult, ComponentsPointsAndDirection) {
    // Differences are absolute whichever point is larger, each distance from its own components
    // (all differ here); the direction runs point1 -> point2.
    gte_dist_result r;
    fillDistResult(Vector3(0, 0, 0), Vector3(-3, -4, -12), &r);
    double const inv = 1.0 / 13.0;
    EXPECT_TRUE(recordNear(r, doubles(3, 5, 13, std::sqrt(153.0), 4, std::sqrt(160.0), 12, 0, 0, 0,
                                      -3, -4, -12, -3 * inv, -4 * inv, -12 * inv)));
}

TEST(UserDirections, EveryExportMeasuresADirectionOfAnyScaleAsItsUnitDirection) {
    // Regression: a direction whose squared length underflowed or overflowed was made unit by a
    // length that had lost its digits: straightness about a line along (1e-160, 0, 0) came out
    // 2.00001 for 2, along (1e-200, 0, 0) or (1e200, 0, 0) the direction became zero. Each
    // export that takes a direction, a normal or an axis now measures the same bits at every
    // scale as with the direction whose largest component is 1.
    std::vector<gte_point> const points = xyzPoints(0, 1, 0, 3, -1, 2, 5, 0.5, -1);
    std::vector<gte_point> const others = xyzPoints(1, 4, 0, 2, 6, 1);
    gte_point const p(3, 4.5, -1.25);
    // A circle normal shorter than 0.001 falls back to +z, and the two-set gaps refuse an XY
    // direction shorter than 0.0001 as too short to measure across: only the long scales reach
    // them.
    auto const measured = [&](gte_vector d, bool longScale) {
        std::vector<double> out(points.size() + 1);
        out.back() = gte_straightness_xy_line(points.data(), 3, gte_line(p, d), out.data());
        std::array<gte_dist_result, 6> r;  // line, ray, rect; circle centre, nearest, opposite
        r.fill(poisoned<gte_dist_result>());
        gte_dist_point_line(gte_line(p, d), points[1], &r[0]);
        gte_dist_point_ray(gte_ray(p, d), points[1], &r[1]);
        gte_dist_point_rect(gte_rect(points[1], 2.0, 1.0, gte_vector(-d.y, d.x, 0), d), p, &r[2]);
        gte_vector turned;
        gte_tool_rotate_vector(gte_vector(1, 2, 3), d, 30.0, &turned);
        out.insert(out.end(),
                   {turned.x, turned.y, turned.z,
                    gte_angle_line_line(gte_line(p, d), gte_line(p, gte_vector(1, 2, 3)))});
        if (longScale) {
            gte_dist_point_circle(gte_circle(points[0], 2.0, d), p, &r[3]);
            out.resize(out.size() + 2);
            gte_dist_mutiPoint_mutiPoint(points.data(), 3, others.data(), 2, gte_line(p, d),
                                         &out[out.size() - 2], &out.back());
        }
        for (gte_dist_result const& result : r) {
            auto const values = doublesOf(result);
            out.insert(out.end(), values.begin(), values.end());
        }
        return out;
    };
    gte_vector const unit(1.0, -0.5, 0.25);
    for (double const scale : {1e-160, 1e-200, 1e-300, 1e200, 1e300}) {
        gte_vector const scaled(unit.x * scale, unit.y * scale, unit.z * scale);
        EXPECT_EQ(measured(scaled, scale > 1.0), measured(unit, scale > 1.0)) << scale;
    }
}
