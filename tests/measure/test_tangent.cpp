// Tangents from a point to a circle and common tangents of two circles.
#include <array>
#include <cmath>
#include <cstring>

#include "tavrisk.h"
#include "test_util.h"

using gte::Vector3;

namespace {

gte_vector const kUp(0, 0, 1);
gte_circle const kCircle(gte_point(0, 0, 0), 2.0, kUp);
gte_circle const kSmall(gte_point(10, 0, 0), 1.0, kUp);
gte_circle const kTouching(gte_point(3, 0, 0), 1.0, kUp);

Vector3 vec(gte_point const& p) {
    return Vector3(p.x, p.y, p.z);
}

// All outputs of one circle-circle call, poisoned until written. No padding: compared whole.
struct Tangents {
    int result = 0, outcount = 77, incount = 77, spare = 0;
    gte_line outline[2], inLine[2];
    gte_point outpoint[4], inpoint[4];
    Tangents() {
        for (int i = 0; i < 2; ++i) outline[i] = inLine[i] = poisoned<gte_line>();
        for (int i = 0; i < 4; ++i) outpoint[i] = inpoint[i] = poisoned<gte_point>();
    }
    bool operator==(Tangents const& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
    std::array<int, 3> counts() const { return {result, outcount, incount}; }
};
using Counts = std::array<int, 3>;

gte_circle movedTo(gte_circle c, double x) {
    c.center.x = x;
    return c;
}

Tangents tangents(gte_circle const& a, gte_circle const& b) {
    Tangents t;
    t.result = gte_tangent_circle_circle(a, b, &t.outcount, t.outline, t.outpoint, &t.incount,
                                         t.inLine, t.inpoint);
    return t;
}

}  // namespace

TEST(TangentPointCircle, CountsZeroToTwoFromTheProjectedPoint) {
    gte_line lines[2] = {poisoned<gte_line>(), poisoned<gte_line>()};
    gte_point points[2] = {poisoned<gte_point>(), poisoned<gte_point>()};
    // Inside, and on the axis: nothing written.
    EXPECT_EQ(gte_tangent_point_circle(gte_point(1, 0, 0), kCircle, lines, points), 0);
    EXPECT_EQ(gte_tangent_point_circle(gte_point(0, 0, 5), kCircle, lines, points), 0);
    EXPECT_TRUE(untouched(lines[0]) && untouched(lines[1]));
    EXPECT_TRUE(untouched(points[0]) && untouched(points[1]));

    // On the circle (here projected onto it): the radius turned by -90 degrees about the normal.
    ASSERT_EQ(gte_tangent_point_circle(gte_point(2, 0, -3), kCircle, lines, points), 1);
    EXPECT_POINT_EQ(lines[0].pt, 2.0, 0.0, 0.0);
    EXPECT_POINT_EQ(lines[0].vector, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(points[0], 2.0, 0.0, 0.0);
    EXPECT_TRUE(untouched(lines[1]) && untouched(points[1]));

    // Outside, lifted above the plane: from (4, 0, 0), points[0] on the +90 degree side.
    ASSERT_EQ(gte_tangent_point_circle(gte_point(4, 0, 5), kCircle, lines, points), 2);
    EXPECT_POINT_EQ(points[0], 1.0, std::sqrt(3.0), 0.0);
    EXPECT_POINT_EQ(points[1], 1.0, -std::sqrt(3.0), 0.0);
    EXPECT_POINT_EQ(lines[0].pt, 4.0, 0.0, 0.0);
    EXPECT_POINT_EQ(lines[1].pt, 4.0, 0.0, 0.0);
    EXPECT_POINT_NEAR(lines[0].vector, -std::sqrt(0.75), 0.5, 0.0, 1e-15);
    EXPECT_POINT_NEAR(lines[1].vector, -std::sqrt(0.75), -0.5, 0.0, 1e-15);
}

TEST(TangentCircleCircle, SeparateCirclesHaveFourTangents) {
    Tangents const t = tangents(kCircle, kSmall);
    ASSERT_EQ(t.counts(), Counts({4, 2, 2}));
    double const tol = 1e-13, a = std::sqrt(3.96), b = std::sqrt(0.99), c = std::sqrt(0.91);
    // Outer: radii turned by +-acos(0.1); inner: by +-acos(0.3), circle2's radius pointing back.
    double const y[2][4] = {{a, b, -a, -b}, {2 * c, -c, -2 * c, c}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_POINT_NEAR(t.outpoint[i], i % 2 ? 10.1 : 0.2, y[0][i], 0.0, tol);
        EXPECT_POINT_NEAR(t.inpoint[i], i % 2 ? 9.7 : 0.6, y[1][i], 0.0, tol);
    }
    // Each line starts at its point on circle1 and passes its point on circle2, at distance r
    // from each centre, with the centres on one side (outer) or on both (inner).
    for (int k = 0; k < 4; ++k) {
        bool const inner = k > 1;
        gte_line const& l = inner ? t.inLine[k - 2] : t.outline[k];
        gte_point const* p = (inner ? t.inpoint : t.outpoint) + 2 * (k % 2);
        Vector3 const u(l.vector.x, l.vector.y, l.vector.z);
        auto const offset = [&](gte_point q) {  // signed distance from the line, in z = 0
            Vector3 const n = gte::Cross(u, vec(q) - vec(l.pt));
            return std::copysign(gte::Length(n), n[2]);
        };
        EXPECT_POINT_EQ(l.pt, p[0].x, p[0].y, p[0].z);
        EXPECT_NEAR(offset(p[1]), 0.0, tol);
        EXPECT_NEAR(std::fabs(offset(kCircle.center)), 2.0, tol);
        EXPECT_NEAR(std::fabs(offset(kSmall.center)), 1.0, tol);
        EXPECT_EQ(offset(kCircle.center) * offset(kSmall.center) > 0.0, !inner) << k;
    }

    // Both normals down: the rotations run the other way round.
    gte_circle down1 = kCircle, down2 = kSmall;
    down1.vector = down2.vector = gte_vector(0, 0, -3);
    Tangents const d = tangents(down1, down2);
    EXPECT_POINT_NEAR(d.outpoint[0], 0.2, -a, 0.0, tol);
    EXPECT_POINT_NEAR(d.inpoint[1], 9.7, c, 0.0, tol);
}

TEST(TangentCircleCircle, CountsFromTouchingToConcentric) {
    // Touching from outside: two outer tangents and one inner tangent at the contact point.
    Tangents t = tangents(kCircle, kTouching);
    ASSERT_EQ(t.counts(), Counts({3, 2, 1}));
    EXPECT_POINT_EQ(t.inLine[0].pt, 2.0, 0.0, 0.0);
    EXPECT_POINT_EQ(t.inLine[0].vector, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(t.inpoint[0], 2.0, 0.0, 0.0);
    EXPECT_TRUE(untouched(t.inLine[1]) && untouched(t.inpoint[1]));

    // Intersecting (one ulp closer): outer tangents only, inner outputs untouched. One ulp
    // farther: four.
    EXPECT_EQ(tangents(kCircle, movedTo(kTouching, std::nextafter(3.0, 4.0))).result, 4);
    t = tangents(kCircle, movedTo(kTouching, std::nextafter(3.0, 2.0)));
    EXPECT_EQ(t.counts(), Counts({2, 2, 0}));
    EXPECT_TRUE(untouched(t.inLine[0]) && untouched(t.inpoint[0]));

    // Touching from inside: one outer tangent at the far side of the smaller circle, reached
    // from circle1 whichever is the bigger. One ulp off: 0 or 2 tangents.
    gte_circle const big(gte_point(0, 0, 0), 3.0, kUp);
    gte_circle const inner(gte_point(1, 0, 0), 2.0, kUp);
    t = tangents(big, inner);
    ASSERT_EQ(t.counts(), Counts({1, 1, 0}));
    EXPECT_POINT_EQ(t.outline[0].pt, 3.0, 0.0, 0.0);
    EXPECT_POINT_EQ(t.outline[0].vector, 0.0, -1.0, 0.0);
    EXPECT_POINT_EQ(t.outpoint[0], 3.0, 0.0, 0.0);
    EXPECT_TRUE(untouched(t.outline[1]) && untouched(t.outpoint[1]));
    t = tangents(inner, big);
    EXPECT_POINT_EQ(t.outpoint[0], 3.0, 0.0, 0.0);
    EXPECT_POINT_EQ(t.outline[0].vector, 0.0, 1.0, 0.0);
    EXPECT_EQ(tangents(big, movedTo(inner, std::nextafter(1.0, 0.0))).result, 0);
    EXPECT_EQ(tangents(big, movedTo(inner, std::nextafter(1.0, 2.0))).result, 2);

    // Strictly inside, concentric, identical: nothing, both counts 0.
    for (gte_circle const& c : {gte_circle(gte_point(0.5, 0, 0), 1.0, kUp),
                                gte_circle(gte_point(0, 0, 0), 1.0, kUp), kCircle}) {
        t = tangents(kCircle, c);
        EXPECT_EQ(t.counts(), Counts({0, 0, 0}));
        EXPECT_TRUE(untouched(t.outline[0]) && untouched(t.outpoint[0]));
    }
}

TEST(TangentCircleCircle, NormalsMustAgree) {
    Tangents refused;
    refused.result = -1;
    gte_circle other = kSmall;
    other.vector = gte_vector(0, 0, -1);
    EXPECT_TRUE(tangents(kCircle, other) == refused);  // counts and arrays untouched
    // Tilted by 2 degrees: accepted, and circle2's normal plays no further part. By 3: refused.
    double const deg = 0.017453292519943295;
    other.vector = gte_vector(std::sin(2 * deg), 0, std::cos(2 * deg));
    EXPECT_TRUE(tangents(kCircle, other) == tangents(kCircle, kSmall));
    other.vector = gte_vector(0, std::sin(3 * deg), std::cos(3 * deg));
    EXPECT_EQ(tangents(kCircle, other).result, -1);
}

TEST(Tangents, CirclesThatAreNotFiniteOrHaveANegativeRadiusHaveNoTangents) {
    // Regression: a negative radius gave two tangents with NaN lines and points; a NaN radius
    // gave two tangents from a point too; an infinite radius, or a centre, normal or point that
    // is not finite, gave two or four tangents made of NaN. Such a circle has none: 0, nothing
    // written but the circle-circle counts (0 each). Disagreeing normals are still refused
    // first, with -1 and nothing written, as for any circles.
    double const nan = std::nan(""), inf = HUGE_VAL;
    gte_circle const undefined[] = {
        gte_circle(gte_point(0, 0, 0), -2.0, kUp),     gte_circle(gte_point(0, 0, 0), -0.5, kUp),
        gte_circle(gte_point(0, 0, 0), nan, kUp),      gte_circle(gte_point(0, 0, 0), inf, kUp),
        gte_circle(gte_point(nan, 0, 0), 1, kUp),      gte_circle(gte_point(0, -inf, 0), 1, kUp),
        gte_circle(gte_point(0, 0, 0), 1, {0, nan, 1})};
    Tangents none, refused;
    none.outcount = none.incount = 0;
    refused.result = -1;
    for (gte_circle const& bad : undefined) {
        SCOPED_TRACE(&bad - undefined);
        gte_line lines[2] = {poisoned<gte_line>(), poisoned<gte_line>()};
        gte_point points[2] = {poisoned<gte_point>(), poisoned<gte_point>()};
        EXPECT_EQ(gte_tangent_point_circle(gte_point(4, 0, 0), bad, lines, points), 0);
        EXPECT_TRUE(untouched(lines) && untouched(points));
        EXPECT_TRUE(tangents(bad, kSmall) == none);
        EXPECT_TRUE(tangents(kSmall, bad) == none);
        gte_circle flipped = bad;
        flipped.vector = gte_vector(0, 0, -1);
        EXPECT_TRUE(tangents(flipped, kSmall) == refused);
    }
    gte_line lines[2] = {poisoned<gte_line>(), poisoned<gte_line>()};
    EXPECT_EQ(gte_tangent_point_circle(gte_point(nan, 0, 0), kSmall, lines, nullptr), 0);
    EXPECT_TRUE(untouched(lines));
}
