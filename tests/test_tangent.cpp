// Tangents from a point to a circle and common tangents of two circles.
#include <cmath>
#include <cstring>

#include "tavrisk.h"
#include "test_util.h"

using gte::Vector3;

namespace {

gte_vector const kUp(0, 0, 1);
gte_circle const kCircle(gte_point(0, 0, 0), 2.0, kUp);

Vector3 vec(gte_point const& p) {
    return Vector3(p.x, p.y, p.z);
}
Vector3 vec(gte_vector const& v) {
    return Vector3(v.x, v.y, v.z);
}

// Distance from a point to an infinite line, computed independently of the library.
double distanceToLine(gte_point const& p, gte_line const& line) {
    Vector3 const d = vec(line.vector);
    return gte::Length(gte::Cross(vec(p) - vec(line.pt), d)) / gte::Length(d);
}

// Which side of the line (within the plane of normal n) the point lies on.
double side(gte_point const& p, gte_line const& line, gte_vector const& n) {
    return gte::Dot(gte::Cross(vec(line.vector), vec(p) - vec(line.pt)), vec(n));
}

// Everything that makes line a common tangent of the two circles touching them at p1 and p2:
// unit direction, distance from each centre equal to its radius, p1 and p2 on their circles and
// on the line, and both centres on the same side (outer) or on opposite sides (inner).
void expectCommonTangent(gte_line const& line, gte_point const& p1, gte_point const& p2,
                         gte_circle const& c1, gte_circle const& c2, bool outer, double tol) {
    EXPECT_NEAR(gte::Length(vec(line.vector)), 1.0, 1e-15);
    EXPECT_POINT_EQ(line.pt, p1.x, p1.y, p1.z);
    EXPECT_NEAR(distanceToLine(c1.center, line), c1.radius, tol);
    EXPECT_NEAR(distanceToLine(c2.center, line), c2.radius, tol);
    EXPECT_NEAR(gte::Length(vec(p1) - vec(c1.center)), c1.radius, tol);
    EXPECT_NEAR(gte::Length(vec(p2) - vec(c2.center)), c2.radius, tol);
    EXPECT_NEAR(distanceToLine(p2, line), 0.0, tol);
    double const sides = side(c1.center, line, c1.vector) * side(c2.center, line, c1.vector);
    EXPECT_EQ(sides > 0.0, outer);
}

// All outputs of one circle-circle call, pre-filled with a recognisable pattern.
struct Tangents {
    int result = 0;
    int outcount = 77;
    int incount = 77;
    gte_line outline[2];
    gte_point outpoint[4];
    gte_line inLine[2];
    gte_point inpoint[4];
    Tangents() {
        for (auto& l : outline) l = poisoned<gte_line>();
        for (auto& l : inLine) l = poisoned<gte_line>();
        for (auto& p : outpoint) p = poisoned<gte_point>();
        for (auto& p : inpoint) p = poisoned<gte_point>();
    }
};

template <class F>
Tangents call(F function, gte_circle const& a, gte_circle const& b) {
    Tangents t;
    t.result = function(a, b, &t.outcount, t.outline, t.outpoint, &t.incount, t.inLine, t.inpoint);
    return t;
}
Tangents tangents(gte_circle const& a, gte_circle const& b) {
    return call(gte_tangent_circle_circle, a, b);
}

void expectAllTangents(Tangents const& t, gte_circle const& c1, gte_circle const& c2, double tol) {
    // A single tangent of touching circles has its one point of contact on both circles.
    for (int k = 0; k < t.outcount; ++k) {
        SCOPED_TRACE(testing::Message() << "outer " << k);
        gte_point const& p2 = t.outcount == 1 ? t.outpoint[0] : t.outpoint[2 * k + 1];
        expectCommonTangent(t.outline[k], t.outpoint[2 * k], p2, c1, c2, true, tol);
    }
    for (int k = 0; k < t.incount; ++k) {
        SCOPED_TRACE(testing::Message() << "inner " << k);
        gte_point const& p2 = t.incount == 1 ? t.inpoint[0] : t.inpoint[2 * k + 1];
        expectCommonTangent(t.inLine[k], t.inpoint[2 * k], p2, c1, c2, false, tol);
    }
}

bool sameBytes(Tangents const& a, Tangents const& b) {
    return a.result == b.result && a.outcount == b.outcount && a.incount == b.incount &&
           std::memcmp(a.outline, b.outline, sizeof(a.outline)) == 0 &&
           std::memcmp(a.outpoint, b.outpoint, sizeof(a.outpoint)) == 0 &&
           std::memcmp(a.inLine, b.inLine, sizeof(a.inLine)) == 0 &&
           std::memcmp(a.inpoint, b.inpoint, sizeof(a.inpoint)) == 0;
}

}  // namespace

TEST(TangentPointCircle, TwoTangentsFromAnOutsidePoint) {
    gte_line lines[2];
    gte_point points[2];
    ASSERT_EQ(gte_tangent_point_circle(gte_point(4, 0, 0), kCircle, lines, points), 2);
    // The chord of contact crosses the axis at r^2 / d = 1; points[0] on the +90 degree side.
    EXPECT_POINT_EQ(points[0], 1.0, std::sqrt(3.0), 0.0);
    EXPECT_POINT_EQ(points[1], 1.0, -std::sqrt(3.0), 0.0);
    EXPECT_POINT_EQ(lines[0].pt, 4.0, 0.0, 0.0);
    EXPECT_POINT_EQ(lines[1].pt, 4.0, 0.0, 0.0);
    EXPECT_POINT_NEAR(lines[0].vector, -std::sqrt(0.75), 0.5, 0.0, 1e-15);
    EXPECT_POINT_NEAR(lines[1].vector, -std::sqrt(0.75), -0.5, 0.0, 1e-15);

    // A point above the plane is projected into it first: the same tangents, from (4, 0, 0).
    gte_line liftedLines[2];
    gte_point liftedPoints[2];
    ASSERT_EQ(gte_tangent_point_circle(gte_point(4, 0, 5), kCircle, liftedLines, liftedPoints), 2);
    EXPECT_EQ(std::memcmp(lines, liftedLines, sizeof(lines)), 0);
    EXPECT_EQ(std::memcmp(points, liftedPoints, sizeof(points)), 0);

    // A tilted circle: each line runs from the projected point and touches the circle.
    gte_circle const tilted(gte_point(1, -2, 3), 1.5, gte_vector(1, 2, 2));
    ASSERT_EQ(gte_tangent_point_circle(gte_point(7, 1, 4), tilted, lines, points), 2);
    for (int k = 0; k < 2; ++k) {
        Vector3 const radius = vec(points[k]) - vec(tilted.center);
        EXPECT_NEAR(gte::Length(radius), 1.5, 1e-14);
        EXPECT_NEAR(gte::Dot(radius, vec(tilted.vector)), 0.0, 1e-14);  // in the plane
        EXPECT_NEAR(gte::Dot(radius, vec(lines[k].vector)), 0.0, 1e-14);
        EXPECT_NEAR(distanceToLine(tilted.center, lines[k]), 1.5, 1e-14);
        EXPECT_NEAR(distanceToLine(points[k], lines[k]), 0.0, 1e-14);
    }
    EXPECT_POINT_EQ(lines[0].pt, lines[1].pt.x, lines[1].pt.y, lines[1].pt.z);
    EXPECT_NEAR(gte::Dot(vec(lines[0].pt) - vec(tilted.center), vec(tilted.vector)), 0.0, 1e-14);
}

TEST(TangentPointCircle, OnTheCircleOneInsideNone) {
    gte_line lines[2] = {poisoned<gte_line>(), poisoned<gte_line>()};
    gte_point points[2] = {poisoned<gte_point>(), poisoned<gte_point>()};
    // On the circle: the radius direction turned by -90 degrees about the normal.
    ASSERT_EQ(gte_tangent_point_circle(gte_point(2, 0, 0), kCircle, lines, points), 1);
    EXPECT_POINT_EQ(lines[0].pt, 2.0, 0.0, 0.0);
    EXPECT_POINT_EQ(lines[0].vector, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(points[0], 2.0, 0.0, 0.0);
    EXPECT_TRUE(untouched(lines[1]));
    EXPECT_TRUE(untouched(points[1]));
    // Projected onto the circle from below.
    ASSERT_EQ(gte_tangent_point_circle(gte_point(0, 2, -3), kCircle, lines, points), 1);
    EXPECT_POINT_EQ(lines[0].vector, 1.0, 0.0, 0.0);

    lines[0] = poisoned<gte_line>();
    points[0] = poisoned<gte_point>();
    EXPECT_EQ(gte_tangent_point_circle(gte_point(1, 0, 0), kCircle, lines, points), 0);
    EXPECT_EQ(gte_tangent_point_circle(gte_point(0, 0, 5), kCircle, lines, points), 0);  // axis
    for (int k = 0; k < 2; ++k) {
        EXPECT_TRUE(untouched(lines[k]));
        EXPECT_TRUE(untouched(points[k]));
    }

    // Null arrays are skipped, the count is the same.
    EXPECT_EQ(gte_tangent_point_circle(gte_point(4, 0, 0), kCircle, nullptr, nullptr), 2);
    EXPECT_EQ(gte_tangent_point_circle(gte_point(2, 0, 0), kCircle, nullptr, nullptr), 1);
    ASSERT_EQ(gte_tangent_point_circle(gte_point(4, 0, 0), kCircle, lines, nullptr), 2);
    EXPECT_POINT_EQ(lines[1].pt, 4.0, 0.0, 0.0);
}

TEST(TangentCircleCircle, SeparateCirclesHaveFourTangents) {
    gte_circle const small(gte_point(10, 0, 0), 1.0, kUp);
    Tangents const t = tangents(kCircle, small);
    ASSERT_EQ(t.result, 4);
    EXPECT_EQ(t.outcount, 2);
    EXPECT_EQ(t.incount, 2);
    double const tol = 1e-13;
    // Outer: radii turned by +-acos(0.1) from the centre line.
    EXPECT_POINT_NEAR(t.outpoint[0], 0.2, std::sqrt(3.96), 0.0, tol);
    EXPECT_POINT_NEAR(t.outpoint[1], 10.1, std::sqrt(0.99), 0.0, tol);
    EXPECT_POINT_NEAR(t.outpoint[2], 0.2, -std::sqrt(3.96), 0.0, tol);
    EXPECT_POINT_NEAR(t.outpoint[3], 10.1, -std::sqrt(0.99), 0.0, tol);
    // Inner: by +-acos(0.3), circle2's radius pointing back.
    EXPECT_POINT_NEAR(t.inpoint[0], 0.6, 2.0 * std::sqrt(0.91), 0.0, tol);
    EXPECT_POINT_NEAR(t.inpoint[1], 9.7, -std::sqrt(0.91), 0.0, tol);
    EXPECT_POINT_NEAR(t.inpoint[2], 0.6, -2.0 * std::sqrt(0.91), 0.0, tol);
    EXPECT_POINT_NEAR(t.inpoint[3], 9.7, std::sqrt(0.91), 0.0, tol);
    expectAllTangents(t, kCircle, small, tol);

    // Both normals down: the same circles, the rotations run the other way round.
    gte_circle down1 = kCircle, down2 = small;
    down1.vector = down2.vector = gte_vector(0, 0, -3);
    Tangents const d = tangents(down1, down2);
    ASSERT_EQ(d.result, 4);
    EXPECT_POINT_NEAR(d.outpoint[0], 0.2, -std::sqrt(3.96), 0.0, tol);
    EXPECT_POINT_NEAR(d.inpoint[1], 9.7, std::sqrt(0.91), 0.0, tol);

    // Equal radii: the outer tangents are parallel to the centre line.
    gte_circle const twin(gte_point(-5, 3, 0), 2.0, kUp);
    Tangents const e = tangents(kCircle, twin);
    ASSERT_EQ(e.result, 4);
    expectAllTangents(e, kCircle, twin, tol);

    // A tilted common plane; every point stays in circle1's plane.
    gte_circle const tilted1(gte_point(1, 1, 1), 3.0, gte_vector(1, 2, 2));
    gte_circle const tilted2(gte_point(1, 9, -7), 1.5, gte_vector(2, 4, 4));
    Tangents const g = tangents(tilted1, tilted2);
    ASSERT_EQ(g.result, 4);
    expectAllTangents(g, tilted1, tilted2, tol);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(gte::Dot(vec(g.outpoint[i]) - vec(tilted1.center), vec(tilted1.vector)), 0.0,
                    tol);
        EXPECT_NEAR(gte::Dot(vec(g.inpoint[i]) - vec(tilted1.center), vec(tilted1.vector)), 0.0,
                    tol);
    }
}

TEST(TangentCircleCircle, CountsFromTouchingToConcentric) {
    // Touching from outside: two outer tangents and one inner tangent at the contact point.
    gte_circle const touching(gte_point(3, 0, 0), 1.0, kUp);
    Tangents t = tangents(kCircle, touching);
    EXPECT_EQ(t.result, 3);
    EXPECT_EQ(t.outcount, 2);
    ASSERT_EQ(t.incount, 1);
    EXPECT_POINT_EQ(t.inLine[0].pt, 2.0, 0.0, 0.0);
    EXPECT_POINT_EQ(t.inLine[0].vector, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(t.inpoint[0], 2.0, 0.0, 0.0);
    EXPECT_TRUE(untouched(t.inLine[1]));
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(untouched(t.inpoint[i]));
    expectAllTangents(t, kCircle, touching, 1e-14);

    // One unit in the last place apart decides between touching and not.
    gte_circle apart = touching, overlapping = touching;
    apart.center.x = std::nextafter(3.0, 4.0);
    overlapping.center.x = std::nextafter(3.0, 2.0);
    EXPECT_EQ(tangents(kCircle, apart).result, 4);
    t = tangents(kCircle, overlapping);
    EXPECT_EQ(t.result, 2);
    EXPECT_EQ(t.incount, 0);

    // Intersecting: outer tangents only; inner outputs untouched.
    gte_circle const crossing(gte_point(2, 0, 0), 1.0, kUp);
    t = tangents(kCircle, crossing);
    EXPECT_EQ(t.result, 2);
    EXPECT_EQ(t.outcount, 2);
    EXPECT_EQ(t.incount, 0);
    for (auto const& l : t.inLine) EXPECT_TRUE(untouched(l));
    for (auto const& p : t.inpoint) EXPECT_TRUE(untouched(p));
    expectAllTangents(t, kCircle, crossing, 1e-14);

    // Touching from inside: one outer tangent at the far side of the smaller circle.
    gte_circle const big(gte_point(0, 0, 0), 3.0, kUp);
    gte_circle const inner(gte_point(1, 0, 0), 2.0, kUp);
    t = tangents(big, inner);
    EXPECT_EQ(t.result, 1);
    ASSERT_EQ(t.outcount, 1);
    EXPECT_EQ(t.incount, 0);
    EXPECT_POINT_EQ(t.outline[0].pt, 3.0, 0.0, 0.0);
    EXPECT_POINT_EQ(t.outline[0].vector, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(t.outpoint[0], 3.0, 0.0, 0.0);
    EXPECT_TRUE(untouched(t.outline[1]));
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(untouched(t.outpoint[i]));
    // The same pair given the other way round: the contact point is reached from circle1.
    t = tangents(inner, big);
    EXPECT_EQ(t.result, 1);
    EXPECT_POINT_EQ(t.outpoint[0], 3.0, 0.0, 0.0);
    EXPECT_POINT_EQ(t.outline[0].vector, 0.0, 1.0, 0.0);

    // Strictly inside, concentric, identical: nothing, both counts 0.
    gte_circle const cases[3] = {gte_circle(gte_point(0.5, 0, 0), 1.0, kUp),
                                 gte_circle(gte_point(0, 0, 0), 1.0, kUp), kCircle};
    for (auto const& c : cases) {
        t = tangents(kCircle, c);
        EXPECT_EQ(t.result, 0);
        EXPECT_EQ(t.outcount, 0);
        EXPECT_EQ(t.incount, 0);
        EXPECT_TRUE(untouched(t.outline[0]));
        EXPECT_TRUE(untouched(t.outpoint[0]));
    }
}

TEST(TangentCircleCircle, NormalsMustAgreeInDirectionAndSense) {
    gte_circle const small(gte_point(10, 0, 0), 1.0, kUp);
    gte_circle flipped = small;
    flipped.vector = gte_vector(0, 0, -1);
    Tangents t = tangents(kCircle, flipped);
    EXPECT_EQ(t.result, -1);
    EXPECT_EQ(t.outcount, 77);
    EXPECT_EQ(t.incount, 77);
    EXPECT_TRUE(sameBytes(t, [] {
        Tangents fresh;
        fresh.result = -1;
        return fresh;
    }()));

    // Tilted by 2 degrees: accepted, and circle2's normal plays no further part.
    double const deg = 0.017453292519943295;
    gte_circle tilted = small;
    tilted.vector = gte_vector(std::sin(2 * deg), 0, std::cos(2 * deg));
    EXPECT_TRUE(sameBytes(tangents(kCircle, tilted), tangents(kCircle, small)));
    // By 3 degrees: refused.
    tilted.vector = gte_vector(0, std::sin(3 * deg), std::cos(3 * deg));
    EXPECT_EQ(tangents(kCircle, tilted).result, -1);

    // A normal too short to carry a direction stands for (0, 0, 1).
    gte_circle vague = kCircle;
    vague.vector = gte_vector(0, 0.0005, 0);
    EXPECT_TRUE(sameBytes(tangents(vague, small), tangents(kCircle, small)));
}

TEST(TangentCircleCircle, ArcFormsAndNullOutputs) {
    gte_circle const pairs[3][2] = {
        {kCircle, gte_circle(gte_point(10, 0, 0), 1.0, kUp)},
        {kCircle, gte_circle(gte_point(3, 0, 0), 1.0, kUp)},
        {kCircle, gte_circle(gte_point(10, 0, 0), 1.0, gte_vector(0, 0, -1))}};
    for (auto const& pair : pairs) {
        Tangents const circle = tangents(pair[0], pair[1]);
        EXPECT_TRUE(sameBytes(call(gte_tangent_arc_circle, pair[0], pair[1]), circle));
        EXPECT_TRUE(sameBytes(call(gte_tangent_arc_arc, pair[0], pair[1]), circle));
    }

    gte_circle const small(gte_point(10, 0, 0), 1.0, kUp);
    gte_circle const touching(gte_point(3, 0, 0), 1.0, kUp);
    EXPECT_EQ(gte_tangent_circle_circle(kCircle, small, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr),
              4);
    EXPECT_EQ(gte_tangent_circle_circle(kCircle, touching, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr),
              3);
    gte_circle flipped = small;
    flipped.vector = gte_vector(0, 0, -1);
    EXPECT_EQ(
        gte_tangent_arc_arc(kCircle, flipped, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
        -1);
    // Counts without arrays, and arrays without counts, are written as usual.
    Tangents const full = tangents(kCircle, small);
    Tangents partial;
    EXPECT_EQ(gte_tangent_circle_circle(kCircle, small, &partial.outcount, nullptr, nullptr,
                                        nullptr, partial.inLine, nullptr),
              4);
    EXPECT_EQ(partial.outcount, 2);
    EXPECT_EQ(partial.incount, 77);
    EXPECT_EQ(std::memcmp(partial.inLine, full.inLine, sizeof(full.inLine)), 0);
    EXPECT_TRUE(untouched(partial.outline[0]));
    EXPECT_TRUE(untouched(partial.inpoint[0]));
}
