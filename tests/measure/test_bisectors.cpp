// SPDX-License-Identifier: MIT
// Midpoints and bisector segments.
#include <array>
#include <cmath>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

gte_point const kOrigin(0, 0, 0);

TEST(BisectorPoint, MidpointsOfPointsAndOfPointAndLine) {
    std::array<gte_point, 4> out;
    gte_bisector_point_point(kOrigin, gte_point(2, 4, 6), &out[0]);
    // The sum is taken before halving: it overflows where a + (b - a) / 2 would not.
    gte_bisector_point_point(gte_point(1e308, 0, 0), gte_point(1e308, 0, 0), &out[1]);
    // The foot is on the infinite line, whatever the length of its vector; a line without
    // direction is its own point.
    gte_bisector_point_line(gte_point(1, 2, 3), gte_line(kOrigin, gte_vector(0, 0, -7)), &out[2]);
    gte_bisector_point_line({0, 4, 0}, gte_line({2, 0, 0}, gte_vector()), &out[3]);
    EXPECT_TRUE(recordNear(out, {gte_point(1, 2, 3), gte_point(HUGE_VAL, 0, 0),
                                 gte_point(0.5, 1, 3), gte_point(1, 2, 0)}));
}

TEST(BisectorSegments, OrientationThresholdsAndDegenerateInputs) {
    enum Form { pp, ps, ss };  // two points, point and segment, two segments
    struct Case {
        Form form;
        gte_point a, b, c, d;  // point-point: a, b; point-lseg: a, c-d; lseg-lseg: a-b, c-d
        gte_point pt1, pt2;
        double tol;
    };
    gte_point const x1(1, 0, 0), x2(2, 0, 0), y2(0, 2, 0), z4(0, 0, 4), x1000(1000, 0, 0);
    double const r = std::sqrt(0.5);
    // Sine 0.002: not parallel; the second, pointing away, is turned round, then the bisector
    // runs along the half angle, centred between the centres.
    double const h = 0.5 * (500.0 + std::sqrt(250001.0)), a = 0.5 * std::atan2(2.0, 1000.0);
    gte_point const m1(500 - h * std::cos(a), 1 - h * std::sin(a), 0),
        m2(500 + h * std::cos(a), 1 + h * std::sin(a), 0);
    Case const cases[] = {
        // Two points: perpendicular (0, 1, 0) is kept, (0, -1, 0) and (-1, 0, 0) swap the ends.
        {pp, kOrigin, x2, {}, {}, {1, -1, 0}, {1, 1, 0}, 0.0},
        {pp, x2, kOrigin, {}, {}, {1, -1, 0}, {1, 1, 0}, 0.0},
        {pp, kOrigin, y2, {}, {}, {-1, 1, 0}, {1, 1, 0}, 0.0},
        // A vertical pair lies along x; so does unit z = 0.99901 (within 0.001), but not
        // 0.99897, which takes the horizontal perpendicular (0, 1, 0).
        {pp, kOrigin, z4, {}, {}, {-2, 0, 2}, {2, 0, 2}, 0.0},
        {pp, kOrigin, {90, 0, 2024}, {}, {}, {-968, 0, 1012}, {1058, 0, 1012}, 0.0},
        {pp, kOrigin, {88, 0, 1935}, {}, {}, {44, -968.5, 967.5}, {44, 968.5, 967.5}, 1e-12},
        {pp, x1, x1, {}, {}, x1, x1, 0.0},
        // Point and segment: centred above the foot on the carrying line, in the segment's
        // sense; a segment without length gives none.
        {ps, {5, 2, 0}, {}, x1, {-1, 0, 0}, {6, 1, 0}, {4, 1, 0}, 0.0},
        {ps, {0, 4, 0}, {}, x2, x2, {1, 2, 0}, {1, 2, 0}, 0.0},
        // Two segments below sine 0.001 (here 0.0005, or without length): ends paired, the
        // second turned round when it points away.
        {ss, kOrigin, x2, {6, 4, 2}, {1, 4, 2}, {0.5, 2, 1}, {4, 2, 1}, 0.0},
        {ss, kOrigin, x1000, {0, 1, 0}, {1000, 1.5, 0}, {0, 0.5, 0}, {1000, 0.75, 0}, 0.0},
        {ss, kOrigin, x2, {5, 5, 5}, {5, 5, 5}, {2.5, 2.5, 2.5}, {3.5, 2.5, 2.5}, 0.0},
        {ss, kOrigin, x1000, {1000, 3, 0}, {0, 1, 0}, m1, m2, 1e-10},
        // Perpendicular: a dot product of exactly 0 does not turn the second round.
        {ss, kOrigin, x2, y2, kOrigin, {0.5 - r, 0.5 + r, 0}, {0.5 + r, 0.5 - r, 0}, 1e-15},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(&c - cases);
        gte_lseg out = poisoned<gte_lseg>();
        c.form == pp   ? gte_bisectorLseg_point_point(c.a, c.b, &out)
        : c.form == ps ? gte_bisectorLseg_point_lseg(c.a, gte_lseg(c.c, c.d), &out)
                       : gte_bisector_lseg_lseg(gte_lseg(c.a, c.b), gte_lseg(c.c, c.d), &out);
        EXPECT_TRUE(recordNear(out, gte_lseg(c.pt1, c.pt2), c.tol));
    }
}
