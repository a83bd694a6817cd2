// SPDX-License-Identifier: MIT
// Tangents from a point to a circle and common tangents of two circles.
#include <array>
#include <cmath>
#include <utility>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

gte_vector const kUp(0, 0, 1);
gte_circle const kCircle(gte_point(0, 0, 0), 2.0, kUp);
gte_circle const kSmall(gte_point(10, 0, 0), 1.0, kUp);
double const kNaN = std::nan(""), kInf = HUGE_VAL;

gte_circle at(double x, double r) {
    return gte_circle(gte_point(x, 0, 0), r, kUp);
}
// The tangent line from a to b, as the exports write it: from a, with a unit direction.
gte_line towards(gte_point a, gte_point b) {
    double const dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    return gte_line(a, gte_vector(dx / length, dy / length, 0));
}

// The lines and points of one circle-circle call, poisoned until written.
struct Geometry {
    gte_line outline[2], inLine[2];
    gte_point outpoint[4], inpoint[4];
};
constexpr auto recordFields(RecordTag<Geometry>) {
    return recordTable("Geometry", TAVRISK_TEST_FIELD(Geometry, outline),
                       TAVRISK_TEST_FIELD(Geometry, inLine), TAVRISK_TEST_FIELD(Geometry, outpoint),
                       TAVRISK_TEST_FIELD(Geometry, inpoint));
}
struct Tangents {
    int result = 0, outcount = 77, incount = 77;
    Geometry g = poisoned<Geometry>();
    std::array<int, 3> counts() const { return {result, outcount, incount}; }
};
using Counts = std::array<int, 3>;

// The lines and points of one point-circle call.
using PointTangents = std::pair<std::array<gte_line, 2>, std::array<gte_point, 2>>;

Tangents tangents(gte_circle const& a, gte_circle const& b) {
    Tangents t;
    t.result = gte_tangent_circle_circle(a, b, &t.outcount, t.g.outline, t.g.outpoint, &t.incount,
                                         t.g.inLine, t.g.inpoint);
    return t;
}

}  // namespace

TEST(TangentPointCircle, CountsZeroToTwoFromTheProjectedPoint) {
    double const s3 = std::sqrt(3.0);
    PointTangents out = poisoned<PointTangents>();
    gte_line* const lines = out.first.data();
    gte_point* const points = out.second.data();
    // Inside, and on the axis: nothing.
    EXPECT_EQ(gte_tangent_point_circle(gte_point(1, 0, 0), kCircle, lines, points), TAVRISK_NONE);
    EXPECT_EQ(gte_tangent_point_circle(gte_point(0, 0, 5), kCircle, lines, points), TAVRISK_NONE);
    // On the circle (here projected onto it): the radius turned by -90 degrees about the normal.
    ASSERT_EQ(gte_tangent_point_circle(gte_point(2, 0, -3), kCircle, lines, points), 1);
    EXPECT_TRUE(recordNear(lines[0], gte_line(gte_point(2, 0, 0), gte_vector(0, -1, 0))));
    EXPECT_TRUE(recordNear(points[0], gte_point(2, 0, 0)));
    EXPECT_TRUE(untouched(lines[1]) && untouched(points[1]));
    // Outside, lifted above the plane: from (4, 0, 0), points[0] on the +90 degree side.
    ASSERT_EQ(gte_tangent_point_circle(gte_point(4, 0, 5), kCircle, lines, points), 2);
    gte_point const from(4, 0, 0), left(1, s3, 0), right(1, -s3, 0);
    EXPECT_TRUE(
        recordNear(out, {{towards(from, left), towards(from, right)}, {left, right}}, 1e-15));
}

TEST(TangentCircleCircle, SeparateCirclesHaveFourTangents) {
    double const a = std::sqrt(3.96), b = std::sqrt(0.99), c = std::sqrt(0.91);
    // Outer: radii turned by +-acos(0.1); inner: by +-acos(0.3), circle2's radius pointing back.
    // Both normals down: the rotations run the other way round. Each line runs from its point on
    // circle1 towards its point on circle2.
    for (double up : {1.0, -1.0}) {
        Tangents const t = tangents(gte_circle({0, 0, 0}, 2, {0, 0, up * 3}),
                                    gte_circle({10, 0, 0}, 1, {0, 0, up * 3}));
        ASSERT_EQ(t.counts(), Counts({4, 2, 2}));
        gte_point const o[4] = {
            {0.2, up * a, 0}, {10.1, up * b, 0}, {0.2, -up * a, 0}, {10.1, -up * b, 0}};
        gte_point const i[4] = {
            {0.6, up * 2 * c, 0}, {9.7, -up * c, 0}, {0.6, -up * 2 * c, 0}, {9.7, up * c, 0}};
        Geometry const expected = {{towards(o[0], o[1]), towards(o[2], o[3])},
                                   {towards(i[0], i[1]), towards(i[2], i[3])},
                                   {o[0], o[1], o[2], o[3]},
                                   {i[0], i[1], i[2], i[3]}};
        EXPECT_TRUE(recordNear(t.g, expected, 1e-13));
    }
}

TEST(TangentCircleCircle, CountsFromTouchingToConcentric) {
    gte_circle const big = at(0, 3), inner = at(1, 2);
    struct {
        gte_circle a, b;
        Counts counts;
    } const cases[] = {
        // Touching from outside, one ulp closer (intersecting) and one farther.
        {kCircle, at(3, 1), {3, 2, 1}},
        {kCircle, at(std::nextafter(3.0, 2.0), 1), {2, 2, 0}},
        {kCircle, at(std::nextafter(3.0, 4.0), 1), {4, 2, 2}},
        // Touching from inside, whichever is the bigger, and one ulp off.
        {big, inner, {1, 1, 0}},
        {inner, big, {1, 1, 0}},
        {big, at(std::nextafter(1.0, 0.0), 2), {0, 0, 0}},
        {big, at(std::nextafter(1.0, 2.0), 2), {2, 2, 0}},
        // Inside (here concentric), and identical: no radius difference to touch at.
        {kCircle, at(0, 1), {0, 0, 0}},
        {kCircle, kCircle, {0, 0, 0}},
    };
    for (auto const& c : cases) {
        EXPECT_EQ(tangents(c.a, c.b).counts(), c.counts) << &c - cases;
    }
    // Touching from outside: the one inner tangent at the contact point. Touching from inside:
    // the one outer tangent at the far side of the smaller circle, reached from circle1.
    gte_point const contact(2, 0, 0), far(3, 0, 0);
    Tangents const outside = tangents(kCircle, at(3, 1)), inside = tangents(big, inner),
                   turned = tangents(inner, big);
    std::pair<std::pair<gte_line, gte_point>, std::pair<gte_line, gte_point>> const touching[] = {
        {{outside.g.inLine[0], outside.g.inpoint[0]}, {towards(contact, {2, -1, 0}), contact}},
        {{inside.g.outline[0], inside.g.outpoint[0]}, {towards(far, {3, -1, 0}), far}},
        {{turned.g.outline[0], turned.g.outpoint[0]}, {towards(far, {3, 1, 0}), far}},
    };
    for (auto const& [got, expected] : touching) EXPECT_TRUE(recordNear(got, expected));
    // The second slot of a single tangent is left alone.
    EXPECT_TRUE(untouched(outside.g.inLine[1]) && untouched(outside.g.inpoint[1]) &&
                untouched(inside.g.outline[1]) && untouched(inside.g.outpoint[1]));
}

TEST(TangentCircleCircle, NormalsMustAgree) {
    gte_circle other(kSmall.center, 1, {0, 0, -1});
    EXPECT_EQ(tangents(kCircle, other).counts(), Counts({TAVRISK_NO_ANSWER, 77, 77}));
    // Tilted by 2 degrees: accepted, and circle2's normal plays no further part. By 3: refused.
    double const deg = 0.017453292519943295;
    other.vector = gte_vector(std::sin(2 * deg), 0, std::cos(2 * deg));
    Tangents const tilted = tangents(kCircle, other), level = tangents(kCircle, kSmall);
    EXPECT_EQ(tilted.counts(), level.counts());
    EXPECT_TRUE(sameRecordBits(tilted.g, level.g));
    other.vector = gte_vector(0, std::sin(3 * deg), std::cos(3 * deg));
    EXPECT_EQ(tangents(kCircle, other).result, TAVRISK_NO_ANSWER);
}

TEST(Tangents, CirclesThatAreNotFiniteOrHaveANegativeRadiusHaveNoTangents) {
    // Regression: a negative, NaN or infinite radius, or a centre, normal or point that is not
    // finite, gave two or four tangents made of NaN. Such a circle has none: 0, with counts of 0
    // each. Disagreeing normals are still refused first, with TAVRISK_NO_ANSWER.
    gte_circle const undefined[] = {at(0, -2.0),
                                    at(0, kNaN),
                                    at(0, kInf),
                                    at(kNaN, 1),
                                    gte_circle(gte_point(0, -kInf, 0), 1, kUp),
                                    gte_circle(gte_point(0, 0, 0), 1, {0, kNaN, 1})};
    for (gte_circle const& bad : undefined) {
        SCOPED_TRACE(&bad - undefined);
        EXPECT_EQ(gte_tangent_point_circle(gte_point(4, 0, 0), bad, nullptr, nullptr),
                  TAVRISK_NONE);
        EXPECT_EQ(tangents(bad, kSmall).counts(), Counts({0, 0, 0}));
        EXPECT_EQ(tangents(kSmall, bad).counts(), Counts({0, 0, 0}));
        EXPECT_EQ(tangents(gte_circle(bad.center, bad.radius, {0, 0, -1}), kSmall).result,
                  TAVRISK_NO_ANSWER);
    }
    EXPECT_EQ(gte_tangent_point_circle(gte_point(kNaN, 0, 0), kSmall, nullptr, nullptr),
              TAVRISK_NONE);
}
