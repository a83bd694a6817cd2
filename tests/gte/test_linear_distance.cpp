// Closest points between lines, rays and segments: degenerate branches by value, every region by
// the property of a constrained minimum.
#include <algorithm>
#include <array>
#include <utility>
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

}  // namespace

// Parallel components and zero directions: the branches random pairs never reach. Every other
// region is held to the property below. Each row: distance, squared distance, both parameters,
// both closest points.
TEST(LinearQueries, ParallelAndDegenerateComponents) {
    V const P(1, 2, 3), zero(0, 0, 0), n0(3, 1, 0), n1(5, 1, 0);
    auto const r2 = std::sqrt(2.0), r13 = std::sqrt(13.0);
    std::pair<gte::LinearDistanceResult, std::array<double, 10>> const rows[] = {
        {q(xLine, L({7, 3, 4}, {1, 0, 0})), doubles(5, 25, 7, 0, 7, 0, 0, 7, 3, 4)},
        {q(xLine, R({5, 1, 0}, {-1, 0, 0})), doubles(1, 1, 5, 0, 5, 0, 0, 5, 1, 0)},
        {q(xLine, S({3, 1, 0}, {5, 1, 0})), doubles(1, 1, 4, 0, 4, 0, 0, 4, 1, 0)},  // the centre
        // Rays with opposite senses, apart and overlapping; same sense, either origin behind.
        {q(xRay, R({-1, 1, 0}, {-1, 0, 0})), doubles(r2, 2, 0, 0, 0, 0, 0, -1, 1, 0)},
        {q(xRay, R({5, 1, 0}, {-1, 0, 0})), doubles(1, 1, 5, 0, 5, 0, 0, 5, 1, 0)},
        {q(R({2, 1, 0}, {1, 0, 0}), xRay), doubles(1, 1, 0, 2, 2, 1, 0, 2, 0, 0)},
        {q(R({-2, 1, 0}, {1, 0, 0}), xRay), doubles(1, 1, 2, 0, 0, 1, 0, 0, 0, 0)},
        // Ray and segment: the end furthest along the ray, in either sense of the segment.
        {q(xRay, S(n0, n1)), doubles(1, 1, 5, 1, 5, 0, 0, 5, 1, 0)},
        {q(xRay, S(n1, n0)), doubles(1, 1, 5, -1, 5, 0, 0, 5, 1, 0)},
        // A zero direction or a zero-length segment acts as its point.
        {q(L(P, zero), xLine), doubles(r13, 13, 0, 1, 1, 2, 3, 1, 0, 0)},
        {q(R(P, zero), S({-1, 0, 0}, {4, 0, 0})), doubles(r13, 13, 0, -0.5, 1, 2, 3, 1, 0, 0)},
        {q(xLine, S({3, 4, 0}, {3, 4, 0})), doubles(4, 16, 3, 0, 3, 0, 0, 3, 4, 0)},
    };
    for (auto const& row : rows) {
        EXPECT_TRUE(recordNear(doublesOf(row.first), row.second)) << &row - rows;
    }
    // Crossing lines whose quadratic rounds to a small negative value: clamped to exactly 0.
    auto const r = q(L({-1, 17, 0}, u(1, -5, 0)), L({4, -4, 2}, u(1, -3, 1)));
    EXPECT_EQ(r.squaredDistance, 0.0);
    EXPECT_VEC3_NEAR(r.closestPoint[1], 2.0, 2.0, 0.0, kTight);
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
    for (int i = 0; i < 2000; ++i) {
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
