// SPDX-License-Identifier: MIT
// Gap between two edges in XY: measuring direction, the two alignment rules and their NaN paths.
// That the extremes are the end-point gaps' own (beyond 1e16 or NaN, where a running minimum once
// started) is the records fuzz target's check on every input; both forms measure alike.
#include <array>
#include <cmath>
#include <utility>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

using Gaps = std::array<double, 3>;    // the interval: centre, minimum, maximum
using Record = std::array<double, 9>;  // gte_gap_result's fields in order

// An edge in z = 0.
gte_lseg seg(double x1, double y1, double x2, double y2) {
    return gte_lseg(gte_point(x1, y1, 0), gte_point(x2, y2, 0));
}

gte_lseg const kBase = seg(0, 0, 10, 0);

Gaps intervalOf(gte_lseg const& a, gte_lseg const& b) {
    Gaps r;
    r[0] = gte_intervalXY_lseg_lseg(a, b, &r[2], &r[1]);
    return r;
}

gte_gap_result gapOf(gte_lseg const& a, gte_lseg const& b) {
    gte_gap_result r = poisoned<gte_gap_result>();
    gte_gapXY_lseg_lseg(a, b, &r);
    return r;
}

}  // namespace

TEST(SegmentGapXY, RecordAndIntervalOfEachPair) {
    gte_lseg const above(gte_point(0, 3, 5), gte_point(10, 3, 5)), slanted = seg(0, 1, 10, 5);
    gte_lseg const post1(gte_point(1, 1, 0), gte_point(1, 1, 5));
    gte_lseg const post2(gte_point(4, 5, 0), gte_point(4, 5, 2));
    // Measured across the bisector of the two edges, at half their 21.8 degree angle.
    double const c = std::cos(std::atan2(4.0, 10.0) / 2), s = std::sin(std::atan2(4.0, 10.0) / 2);
    Record const across = doubles(5, 1.5, 0, s, -c, 0, 3 * c, c, 5 * c);
    struct {
        gte_lseg first, second;
        Record gap;
        Gaps interval;
        double tol = 0;
    } const cases[] = {
        // Parallel edges in either order; z is ignored.
        {kBase, above, doubles(5, 1.5, 0, 0, -1, 0, 3, 3, 3), doubles(3, 3, 3)},
        {kBase, gte_lseg(above.pt2, above.pt1), doubles(5, 1.5, 0, 0, -1, 0, 3, 3, 3),
         doubles(3, 3, 3)},
        // Reversed (theta about 158, phi about 101): aligned back, to the same record.
        {kBase, slanted, across, doubles(3 * c, c, 5 * c), 1e-14},
        {kBase, seg(10, 5, 0, 1), across, doubles(3 * c, c, 5 * c), 1e-14},
        // Both edges vertical: no direction in XY, every value 0 (the minimum sentinel replaced).
        // One vertical edge: measured across the other edge alone.
        {post1, post2, doubles(2.5, 3, 0, 0, 0, 0, 0, 0, 0), doubles(0, 0, 0)},
        {kBase, post2, doubles(4.5, 2.5, 0, 0, -1, 0, 5, 5, 5), doubles(5, 5, 5)},
    };
    for (auto const& k : cases) {
        EXPECT_TRUE(recordNear(gapOf(k.first, k.second), k.gap, k.tol)) << &k - cases;
        EXPECT_TRUE(recordNear(intervalOf(k.first, k.second), k.interval, k.tol)) << &k - cases;
    }
}

TEST(SegmentGapXY, GapRuleReversesOnlyOpposedOrHeadToTailEdges) {
    // Unlike the interval rule (which reverses every obtuse pair), the gap rule reverses the second
    // edge past 170 degrees, keeps it below 10, and in between only when the bisector as given
    // runs 45 to 135 degrees from the perpendicular of the centre line.
    std::pair<gte_lseg, bool> const cases[] = {
        // About 100 degrees, centre line along the bisector (phi about 90) and across it (180).
        {seg(16, 6, 14, 18), true},
        {seg(-6, 4, -8, 16), false},
        // 158 degrees with the centre line across the bisector; 175.7 degrees placed alike.
        {seg(20, -4, 10, 0), false},
        {seg(45, -1.5, 5, 1.5), true},
    };
    for (auto const& [second, reverses] : cases) {
        gte_gap_result const g = gapOf(kBase, second);
        EXPECT_EQ(intervalOf(kBase, second) == doubles(g.centerGap, g.minGap, g.maxGap), reverses);
    }
    // An exact cosine of 1 keeps collinear edges as they are.
    EXPECT_EQ(gapOf(kBase, seg(12, 0, 13, 0)).direction.y, -1.0);

    // Same direction, yet the rounded cosine is 1.0000000000000002: theta is NaN, so the rule goes
    // on to the centre line, which runs along the edges (phi about 90) and reverses the second.
    // The opposed directions then cancel and nothing can be measured.
    EXPECT_TRUE(recordNear(gapOf(seg(0, 0, 1, 5), seg(2, 10, 3, 15)),
                           doubles(1.5, 7.5, 0, 0, 0, 0, 0, 0, 0)));
    // Edges 53 degrees apart, symmetric about the perpendicular of their centre line: the
    // rounded cosine of phi exceeds 1, and a NaN phi reverses the second edge. The interval rule
    // sees a positive cosine and keeps them: across the other diagonal.
    gte_lseg const left = seg(-6, -8, -11, 2), right = seg(6, 8, -5, 10);
    gte_gap_result const g = gapOf(left, right);
    EXPECT_TRUE(recordNear(g.direction, doubles(0.8, -0.6, 0), 1e-15));
    EXPECT_NEAR(intervalOf(left, right)[0], 15.0, 1e-13);
}
