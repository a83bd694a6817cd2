// Closest points between lines, rays and segments, region by region.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "gte/linear_distance.h"
#include "test_util.h"

using L = gte::Line3;
using R = gte::Ray3;
using S = gte::Segment3;
using V = gte::Vector3;
using tavrisk_test::kTight;

namespace {

V u(double x, double y, double z) {
    V v(x, y, z);
    gte::Normalize(v);
    return v;
}

// The query for the pair's types: line, ray or segment as the arguments are declared.
template <class A, class B>
gte::LinearDistanceResult q(A const& a, B const& b) {
    return gte::DistanceQuery<A, B>()(a, b);
}

L const xLine(V(0, 0, 0), V(1, 0, 0));
R const xRay(V(0, 0, 0), V(1, 0, 0));
V const O(0, 0, 0);
double const h = std::sqrt(0.5);

// The whole result: squared distance and its root, both parameters and both closest points.
struct Row {
    gte::LinearDistanceResult r;
    double sq, s0, s1;
    V c0, c1;
    double tol = 0.0;
};

void expectRows(std::initializer_list<Row> rows) {
    int i = 0;
    for (Row const& w : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << i++);
        EXPECT_NEAR(w.r.squaredDistance, w.sq, w.tol);
        EXPECT_NEAR(w.r.distance, std::sqrt(w.sq), w.tol);
        EXPECT_NEAR(w.r.parameter[0], w.s0, w.tol);
        EXPECT_NEAR(w.r.parameter[1], w.s1, w.tol);
        EXPECT_VEC3_NEAR(w.r.closestPoint[0], w.c0[0], w.c0[1], w.c0[2], w.tol);
        EXPECT_VEC3_NEAR(w.r.closestPoint[1], w.c1[0], w.c1[1], w.c1[2], w.tol);
    }
}

}  // namespace

TEST(LinearQueries, LineLineLineRayLineSegmentRegionsAndZeroDirections) {
    L const skew0(V(-2, 0, 0), V(1, 0, 0));
    V const P(1, 2, 3), zero(0, 0, 0);
    expectRows({
        {q(skew0, L({0, -3, 5}, {0, 1, 0})), 25, 2, 3, O, {0, 0, 5}},
        {q(xLine, L({7, 3, 4}, {1, 0, 0})), 25, 7, 0, {7, 0, 0}, {7, 3, 4}},  // parallel
        {q(xLine, L({7, 3, 4}, {-1, 0, 0})), 25, 7, 0, {7, 0, 0}, {7, 3, 4}},
        {q(skew0, R({0, -3, 5}, {0, 1, 0})), 25, 2, 3, O, {0, 0, 5}},
        {q(xLine, R({3, 2, 1}, {0, 1, 0})), 5, 3, 0, {3, 0, 0}, {3, 2, 1}},   // ray points away
        {q(xLine, R({5, 1, 0}, {-1, 0, 0})), 1, 5, 0, {5, 0, 0}, {5, 1, 0}},  // parallel
        {q(xLine, S({2, -1, 3}, {2, 3, 3})), 9, 2, -1, {2, 0, 0}, {2, 0, 3}},
        {q(xLine, S({2, 1, 3}, {2, 2, 3})), 10, 2, -0.5, {2, 0, 0}, {2, 1, 3}},    // -e end
        {q(xLine, S({2, -2, 3}, {2, -1, 3})), 10, 2, 0.5, {2, 0, 0}, {2, -1, 3}},  // +e end
        {q(xLine, S({3, 1, 0}, {5, 1, 0})), 1, 4, 0, {4, 0, 0}, {4, 1, 0}},  // parallel: centre
        // A zero direction or a zero-length segment acts as its point.
        {q(L(P, zero), xLine), 13, 0, 1, P, {1, 0, 0}},
        {q(R(P, zero), S({-1, 0, 0}, {4, 0, 0})), 13, 0, -0.5, P, {1, 0, 0}},
        {q(xLine, S({3, 4, 0}, {3, 4, 0})), 16, 3, 0, {3, 0, 0}, {3, 4, 0}},
    });
    // Crossing lines whose quadratic rounds to a small negative value: clamped to exactly 0.
    auto const r = q(L({-1, 17, 0}, u(1, -5, 0)), L({4, -4, 2}, u(1, -3, 1)));
    EXPECT_EQ(r.squaredDistance, 0.0);
    EXPECT_EQ(r.distance, 0.0);
    EXPECT_VEC3_NEAR(r.closestPoint[1], 2.0, 2.0, 0.0, kTight);
}

TEST(LinearQueries, RayRayRegions) {
    R const diag(V(4, 2, 1), u(1, 1, 0)), x3(V(3, 0, 0), V(1, 0, 0));
    expectRows({
        {q(R({-2, 0, 0}, {1, 0, 0}), R({0, -3, 5}, {0, 1, 0})), 25, 2, 3, O, {0, 0, 5}},
        {q(xRay, R({-1, -3, 1}, u(-1, -1, 0))), 11, 0, 0, O, {-1, -3, 1}},
        {q(xRay, R({1, -1, 1}, u(-1, -1, 0))), 2, 1, 0, {1, 0, 0}, {1, -1, 1}},
        {q(R({-1, -3, 1}, u(-1, -1, 0)), xRay), 11, 0, 0, {-1, -3, 1}, O},
        // Both point away from their lines' closest pair: the second origin against the first
        // ray, or, when its foot falls behind the first origin, the first origin.
        {q(x3, diag), 5, 1, 0, {4, 0, 0}, {4, 2, 1}},
        {q(diag, x3), 5, 0, 1, {4, 2, 1}, {4, 0, 0}},
        // Parallel, opposite senses: apart, then overlapping; same sense: either origin behind.
        {q(xRay, R({-1, 1, 0}, {-1, 0, 0})), 2, 0, 0, O, {-1, 1, 0}},
        {q(xRay, R({5, 1, 0}, {-1, 0, 0})), 1, 5, 0, {5, 0, 0}, {5, 1, 0}},
        {q(R({2, 1, 0}, {1, 0, 0}), xRay), 1, 0, 2, {2, 1, 0}, {2, 0, 0}},
        {q(R({-2, 1, 0}, {1, 0, 0}), xRay), 1, 2, 0, {0, 1, 0}, O},
    });
}

TEST(LinearQueries, RaySegmentRegions) {
    V const a(-2, -3, 1), b(-1, -2, 1), A(1, 2, 1), B(2, 3, 1), c(-0.25, 0.75, 1), d(0.75, 1.75, 1);
    V const n0(3, 1, 0), n1(5, 1, 0);
    expectRows({
        {q(xRay, S({2, -1, 3}, {2, 3, 3})), 9, 2, -1, {2, 0, 0}, {2, 0, 3}},
        {q(xRay, S({2, -2, 3}, {2, -1, 3})), 10, 2, 0.5, {2, 0, 0}, {2, -1, 3}},
        {q(xRay, S({2, -1, 3}, {2, -2, 3})), 10, 2, -0.5, {2, 0, 0}, {2, -1, 3}},
        // Lines meet ahead of the origin; the nearest end's foot is behind it.
        {q(xRay, S(a, b)), 6, 0, h, O, b, kTight},
        // Lines closest behind the origin: an end whose foot is on the ray, either end.
        {q(xRay, S(A, B)), 5, 1, -h, {1, 0, 0}, A, kTight},
        {q(xRay, S(B, A)), 5, 1, h, {1, 0, 0}, A, kTight},
        // ... that end's foot behind the origin too: the origin, clamped to either end.
        {q(xRay, S(c, d)), 1.625, 0, -h, O, c, kTight},
        {q(xRay, S(d, c)), 1.625, 0, h, O, c, kTight},
        {q(xRay, S({-3, -1, 2}, {-3, 3, 2})), 13, 0, -1, O, {-3, 0, 2}},  // unclamped
        // Parallel: the end furthest along the ray, in either sense of the segment.
        {q(xRay, S(n0, n1)), 1, 5, 1, {5, 0, 0}, n1},
        {q(xRay, S(n1, n0)), 1, 5, -1, {5, 0, 0}, n1},
    });
}

// Random pairs: the squared distance is a convex quadratic over a box of parameters, so no
// feasible step along either parameter may shorten the reported pair.
TEST(LinearQueries, RandomPairsAreConstrainedMinima) {
    std::mt19937 engine(20240611u);
    std::uniform_real_distribution<double> coord(-10.0, 10.0);
    auto point = [&] { return V(coord(engine), coord(engine), coord(engine)); };
    auto dir = [&] { return u(coord(engine), coord(engine), coord(engine)); };
    double const inf = std::numeric_limits<double>::infinity();
    auto check = [&](gte::LinearDistanceResult const& r, V const& P0, V const& D0, double lo0,
                     V const& P1, V const& D1, double lo1, double hi1) {
        EXPECT_NEAR(r.distance, gte::Length(r.closestPoint[0] - r.closestPoint[1]), 1e-9);
        EXPECT_GE(r.parameter[0], lo0 - 1e-12);
        EXPECT_GE(r.parameter[1], lo1 - 1e-12);
        EXPECT_LE(r.parameter[1], hi1 + 1e-12);
        for (double delta : {-1e-3, 1e-3}) {
            double const t0 = std::max(lo0, r.parameter[0] + delta);
            double const t1 = std::min(hi1, std::max(lo1, r.parameter[1] + delta));
            EXPECT_GE(gte::Length(P0 + t0 * D0 - r.closestPoint[1]), r.distance - 1e-9);
            EXPECT_GE(gte::Length(r.closestPoint[0] - (P1 + t1 * D1)), r.distance - 1e-9);
        }
    };
    for (int i = 0; i < 100; ++i) {
        V const P0 = point(), D0 = dir(), P1 = point(), D1 = dir();
        S const seg(point(), point());
        V center, direction;
        double e;
        seg.centeredForm(center, direction, e);
        check(q(L(P0, D0), L(P1, D1)), P0, D0, -inf, P1, D1, -inf, inf);
        check(q(L(P0, D0), R(P1, D1)), P0, D0, -inf, P1, D1, 0.0, inf);
        check(q(R(P0, D0), R(P1, D1)), P0, D0, 0.0, P1, D1, 0.0, inf);
        check(q(L(P0, D0), seg), P0, D0, -inf, center, direction, -e, e);
        check(q(R(P0, D0), seg), P0, D0, 0.0, center, direction, -e, e);
    }
}
