// SPDX-License-Identifier: MIT
// Closest points between lines, rays and segments: every region holds the property of a
// constrained minimum (the parallel and degenerate components are pinned through the exports).
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "gte/linear_distance_queries.h"
#include "support/test_util.h"

using namespace tavrisk_test;
using L = gte::Line3;
using R = gte::Ray3;
using V = gte::Vector3;

// Random pairs: the squared distance is a convex quadratic over a box of parameters, so no
// feasible step along either parameter may shorten the reported pair.
TEST(LinearQueries, RandomPairsAreConstrainedMinima) {
    std::mt19937 engine(20240611u);
    std::uniform_real_distribution<double> coord(-10.0, 10.0);
    auto point = [&] { return V(coord(engine), coord(engine), coord(engine)); };
    auto dir = [&] { return gte::Normalized(point()); };
    double const inf = std::numeric_limits<double>::infinity();
    auto check = [&](gte::LinearDistanceResult const& r, V const& P0, V const& D0, double lo0,
                     V const& P1, V const& D1, double lo1, double hi1) {
        EXPECT_NEAR(r.distance, gte::Length(r.closestPoint[0] - r.closestPoint[1]), 1e-9);
        EXPECT_TRUE(r.parameter[0] >= lo0 - 1e-12 && r.parameter[1] >= lo1 - 1e-12 &&
                    r.parameter[1] <= hi1 + 1e-12);  // within both shapes
        for (double delta : {-1e-3, 1e-3}) {
            double const t0 = std::max(lo0, r.parameter[0] + delta);
            double const t1 = std::min(hi1, std::max(lo1, r.parameter[1] + delta));
            EXPECT_GE(gte::Length(P0 + t0 * D0 - r.closestPoint[1]), r.distance - 1e-9);
            EXPECT_GE(gte::Length(r.closestPoint[0] - (P1 + t1 * D1)), r.distance - 1e-9);
        }
    };
    for (int i = 0; i < 2000; ++i) {
        V const P0 = point(), D0 = dir(), P1 = point(), D1 = dir();
        gte::Segment3 const seg(point(), point());
        V center, direction;
        double e;
        seg.centeredForm(center, direction, e);
        check(gte::Distance(L(P0, D0), L(P1, D1)), P0, D0, -inf, P1, D1, -inf, inf);
        check(gte::Distance(L(P0, D0), R(P1, D1)), P0, D0, -inf, P1, D1, 0.0, inf);
        check(gte::Distance(R(P0, D0), R(P1, D1)), P0, D0, 0.0, P1, D1, 0.0, inf);
        check(gte::Distance(L(P0, D0), seg), P0, D0, -inf, center, direction, -e, e);
        check(gte::Distance(R(P0, D0), seg), P0, D0, 0.0, center, direction, -e, e);
    }
}
