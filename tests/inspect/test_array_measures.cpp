// SPDX-License-Identifier: MIT
// The whole-array functions against the one-point exports called once per element, bit for bit:
// random shapes (degenerate ones among them) and point arrays holding NaN, infinite and huge
// coordinates; outputs written for exactly count elements; null arrays refused untouched.
#include <cstddef>
#include <cstring>
#include <functional>
#include <vector>

#include "support/random_cases.h"
#include "support/test_util.h"
#include "tavrisk_inspect.h"

using namespace tavrisk_test;

namespace {

gte_point pointOf(gte::Vector3 const& v) {
    return gte_point(v[0], v[1], v[2]);
}
gte_vector vectorOf(gte::Vector3 const& v) {
    return gte_vector(v[0], v[1], v[2]);
}

// Shapes as hosts give them: in general position, or degenerate (no direction, a segment of no
// length, plane points on one line, a circle normal too short to use, a negative radius).
struct Shapes {
    explicit Shapes(RandomDraws& draw) : draw_(draw) {}

    gte_point point() { return pointOf(gte::Vector3(coordinate(), coordinate(), coordinate())); }
    gte_line line() { return gte_line(point(), vectorOf(draw_.direction())); }
    gte_ray ray() { return gte_ray(point(), vectorOf(draw_.direction())); }
    gte_lseg lseg() {
        gte_point const a = point();
        return gte_lseg(a, draw_.chance(0.1) ? a : point());
    }
    gte_plane plane() {
        gte_point const a = point(), b = point();
        gte_point const c =
            draw_.chance(0.1) ? gte_point(2 * b.x - a.x, 2 * b.y - a.y, 2 * b.z - a.z) : point();
        return gte_plane(a, b, c);
    }
    gte_rect rect() {
        return gte_rect(point(), draw_.uniform(0, 3), draw_.uniform(0, 3),
                        vectorOf(draw_.direction()), vectorOf(draw_.direction()));
    }
    gte_circle circle() {
        gte::Vector3 normal = draw_.direction();
        if (draw_.chance(0.1)) {
            normal = normal * 1e-4;
        }
        double const radius = draw_.chance(0.05) ? -1.0 : draw_.uniform(0, 5);
        return gte_circle(point(), radius, vectorOf(normal));
    }

private:
    double coordinate() { return draw_.uniform(-1, 1) * draw_.powerOfTen(-3, 4); }
    RandomDraws& draw_;
};

// A point array of one of RandomDraws' kinds, now and then with a point on the shape's own
// place (where directions vanish) and with coordinates that are not finite.
RandomDraws::Points arrayOf(RandomDraws& draw, int c, gte_point const& onShape) {
    RandomDraws::Points points =
        draw.points(draw.integer(0, 300), c % RandomDraws::kKinds, draw.direction(), 0.02);
    if (!points.empty() && draw.chance(0.5)) {
        points[static_cast<std::size_t>(draw.integer(0, static_cast<int>(points.size()) - 1))] =
            onShape;
    }
    return points;
}

constexpr int kCases = 300;
// The records after the last one the call may write hold this pattern, to catch a write beyond.
constexpr std::size_t kGuard = 2;

// The array function against the one-point export for `records` records a point, over random
// shapes and arrays.
template <class Shape, class MakeShape, class ArrayFunction, class PointFunction>
void expectRecordsOfEachPoint(char const* name, MakeShape makeShape,
                              gte_point (*placeOf)(Shape const&), ArrayFunction array,
                              PointFunction single, std::size_t records) {
    SCOPED_TRACE(name);
    RandomDraws draw(records * 1000 + 17);
    Shapes shapes(draw);
    expectCases(kCases, [&](int c) -> ::testing::AssertionResult {
        Shape const shape = makeShape(shapes);
        RandomDraws::Points const points = arrayOf(draw, c, placeOf(shape));
        std::size_t const count = points.size();
        std::vector<gte_dist_result> got(records * count + kGuard, poisoned<gte_dist_result>());
        tvi_problem problem = poisoned<tvi_problem>();
        if (array(shape, points.data(), count, got.data(), &problem) != TVI_OK ||
            problem.kind != TVI_PROBLEM_NONE) {
            return ::testing::AssertionFailure() << "not measured";
        }
        for (std::size_t i = 0; i < count; ++i) {
            gte_dist_result want[3];
            single(shape, points[i], want);
            for (std::size_t k = 0; k < records; ++k) {
                ::testing::AssertionResult same = sameRecordBits(got[records * i + k], want[k]);
                if (!same) {
                    return same << " at point " << i << ", record " << k;
                }
            }
        }
        for (std::size_t g = records * count; g < got.size(); ++g) {
            if (!untouched(got[g])) {
                return ::testing::AssertionFailure() << "written beyond the last point";
            }
        }
        return ::testing::AssertionSuccess();
    });
}

}  // namespace

TEST(ArrayMeasures, EachDistanceIsTheOnePointExportsRecord) {
    expectRecordsOfEachPoint<gte_line>(
        "gte_line", [](Shapes& s) { return s.line(); }, [](gte_line const& s) { return s.pt; },
        tvi_dist_point_line_array, gte_dist_point_line, 1);
    expectRecordsOfEachPoint<gte_ray>(
        "gte_ray", [](Shapes& s) { return s.ray(); }, [](gte_ray const& s) { return s.pt; },
        tvi_dist_point_ray_array, gte_dist_point_ray, 1);
    expectRecordsOfEachPoint<gte_lseg>(
        "gte_lseg", [](Shapes& s) { return s.lseg(); }, [](gte_lseg const& s) { return s.pt1; },
        tvi_dist_point_lseg_array, gte_dist_point_lseg, 1);
    expectRecordsOfEachPoint<gte_plane>(
        "gte_plane", [](Shapes& s) { return s.plane(); }, [](gte_plane const& s) { return s.pt1; },
        tvi_dist_point_plane_array, gte_dist_point_plane, 1);
    expectRecordsOfEachPoint<gte_rect>(
        "gte_rect", [](Shapes& s) { return s.rect(); }, [](gte_rect const& s) { return s.center; },
        tvi_dist_point_rect_array, gte_dist_point_rect, 1);
    // A point on the circle's axis (its centre) measures to one chosen circle point.
    expectRecordsOfEachPoint<gte_circle>(
        "gte_circle", [](Shapes& s) { return s.circle(); },
        [](gte_circle const& s) { return s.center; }, tvi_dist_point_circle_array,
        gte_dist_point_circle, 3);
    expectRecordsOfEachPoint<gte_arc>(
        "arc", [](Shapes& s) { return s.circle(); }, [](gte_circle const& s) { return s.center; },
        tvi_dist_point_arc_array, gte_dist_point_arc, 3);
}

// Random planes, either way round: the magnitude is the export's dist to the bit, the sign says
// on which side of the plane record's normal (pt2 - pt1) x (pt3 - pt1) the export found the
// point; a point on the plane (pt2 among the points) gives +0. The Python package's tests hold a
// plane and its reverse to the signs of fixed points.
TEST(ArrayMeasures, PlaneDeviationIsTheSignedDistanceOfTheExport) {
    RandomDraws draw(29);
    Shapes shapes(draw);
    expectCases(kCases, [&](int c) -> ::testing::AssertionResult {
        gte_plane const plane = shapes.plane();
        RandomDraws::Points const points = arrayOf(draw, c, plane.pt2);
        std::vector<double> got(points.size() + 1, 7.0);
        if (tvi_deviation_point_plane_array(plane, points.data(), points.size(), got.data(),
                                            nullptr) != TVI_OK) {
            return ::testing::AssertionFailure() << "not measured";
        }
        gte::Vector3 const p1(plane.pt1.x, plane.pt1.y, plane.pt1.z);
        gte::Vector3 normal = gte::Cross(gte::Vector3(plane.pt2.x, plane.pt2.y, plane.pt2.z) - p1,
                                         gte::Vector3(plane.pt3.x, plane.pt3.y, plane.pt3.z) - p1);
        for (std::size_t i = 0; i < points.size(); ++i) {
            gte_dist_result record;
            gte_dist_point_plane(plane, points[i], &record);
            double const along = record.direction.x * normal[0] + record.direction.y * normal[1] +
                                 record.direction.z * normal[2];
            double const want = along > 0.0 ? -record.dist : record.dist;
            // Points that span no plane (a zero cross product) measure from the horizontal.
            bool const spansNoPlane = gte::Length(normal) < 1e-8 * gte::Length(p1);
            if (!sameBits(got[i], want) &&
                !(spansNoPlane && sameBits(std::fabs(got[i]), std::fabs(want)))) {
                return ::testing::AssertionFailure()
                       << "point " << i << ": " << got[i] << " instead of " << want;
            }
        }
        return ::testing::AssertionResult(got.back() == 7.0) << "written beyond the last point";
    });
}

// The sign convention (the right of the line seen from above is positive) is the first library's
// straightness deviation, which its own tests hold to fixed points.
TEST(ArrayMeasures, LineDeviationInXYIsTheStraightnessDeviation) {
    RandomDraws draw(31);
    Shapes shapes(draw);
    expectCases(kCases, [&](int c) -> ::testing::AssertionResult {
        gte_line const line = shapes.line();
        RandomDraws::Points const points = arrayOf(draw, c, line.pt);
        std::vector<double> got(points.size() + 1, 7.0);
        if (tvi_deviation_xy_point_line_array(line, points.data(), points.size(), got.data(),
                                              nullptr) != TVI_OK) {
            return ::testing::AssertionFailure() << "not measured";
        }
        for (std::size_t i = 0; i < points.size(); ++i) {
            double want = 0.0;
            gte_straightness_xy_line(&points[i], 1, line, &want);
            if (!sameBits(got[i], want)) {
                return ::testing::AssertionFailure()
                       << "point " << i << ": " << got[i] << " instead of " << want;
            }
        }
        return ::testing::AssertionResult(got.back() == 7.0) << "written beyond the last point";
    });
}

TEST(ArrayMeasures, NullArraysAreRefusedUnlessEmpty) {
    gte_line const line = lineThrough(0, 0, 0, 1, 0, 0);
    gte_point const point(1, 2, 3);
    gte_dist_result record = poisoned<gte_dist_result>();
    double deviation = 7.0;
    tvi_problem problem = poisoned<tvi_problem>();
    EXPECT_EQ(tvi_dist_point_line_array(line, nullptr, 0, nullptr, &problem), TVI_OK);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_NONE);
    EXPECT_EQ(tvi_dist_point_line_array(line, nullptr, 1, &record, &problem), TVI_BAD_ARGUMENT);
    EXPECT_EQ(problem.kind, TVI_PROBLEM_NULL_ARGUMENT);
    EXPECT_NE(std::strstr(problem.message, "points"), nullptr) << problem.message;
    EXPECT_EQ(tvi_dist_point_circle_array(gte_circle(point, 1, gte_vector(0, 0, 1)), &point, 1,
                                          nullptr, &problem),
              TVI_BAD_ARGUMENT);
    EXPECT_NE(std::strstr(problem.message, "results"), nullptr) << problem.message;
    EXPECT_EQ(tvi_deviation_xy_point_line_array(line, nullptr, 1, &deviation, nullptr),
              TVI_BAD_ARGUMENT);
    EXPECT_EQ(tvi_deviation_point_plane_array(gte_plane(point, point, point), &point, 1, nullptr,
                                              nullptr),
              TVI_BAD_ARGUMENT);
    EXPECT_TRUE(untouched(record));
    EXPECT_EQ(deviation, 7.0);
}
