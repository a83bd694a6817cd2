// Gap between two edges in XY: measuring direction, the two alignment rules and their NaN paths.
#include <array>
#include <cmath>
#include <utility>

#include "tavrisk.h"
#include "test_util.h"

namespace {

using Gaps = std::array<double, 3>;    // centre, minimum, maximum
using Record = std::array<double, 9>;  // centre point, direction, then the gaps as above

// An edge in z = 0.
gte_lseg seg(double x1, double y1, double x2, double y2) {
    return gte_lseg(gte_point(x1, y1, 0), gte_point(x2, y2, 0));
}

gte_lseg const kBase = seg(0, 0, 10, 0);

gte_lseg reversed(gte_lseg const& s) {
    return gte_lseg(s.pt2, s.pt1);
}

Gaps intervalOf(gte_lseg const& a, gte_lseg const& b) {
    Gaps r;
    r[0] = gte_intervalXY_lseg_lseg(a, b, &r[2], &r[1]);
    return r;
}

Record gapOf(gte_lseg const& a, gte_lseg const& b) {
    gte_gap_result r = poisoned<gte_gap_result>();
    gte_gapXY_lseg_lseg(a, b, &r);
    return doublesOf(r);
}

Gaps gaps(Record const& r) {
    return {r[6], r[7], r[8]};
}

}  // namespace

TEST(SegmentGapXY, ParallelEdgesInEitherOrder) {
    gte_lseg const above(gte_point(0, 3, 5), gte_point(10, 3, 5));
    for (gte_lseg const& other : {above, reversed(above)}) {
        EXPECT_EQ(intervalOf(kBase, other), (Gaps{3, 3, 3}));
        EXPECT_EQ(gapOf(kBase, other), (Record{5, 1.5, 0, 0, -1, 0, 3, 3, 3}));  // z is ignored
    }
}

TEST(SegmentGapXY, SlantedEdgeGivesTheSameRecordInBothOrders) {
    gte_lseg const slanted = seg(0, 1, 10, 5);
    // Measured across the bisector of the two edges, at half their 21.8 degree angle.
    double const c = std::cos(std::atan2(4.0, 10.0) / 2), s = std::sin(std::atan2(4.0, 10.0) / 2);
    Record const g = gapOf(kBase, slanted);
    Record const expected = {5, 1.5, 0, s, -c, 0, 3 * c, c, 5 * c};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(g[i], expected[i], i < 6 ? 1e-15 : 1e-14) << i;
    // Reversed (theta about 158, phi about 101): aligned back, to the very same record.
    EXPECT_EQ(gapOf(kBase, reversed(slanted)), g);
    EXPECT_EQ(intervalOf(kBase, slanted), gaps(g));
    EXPECT_EQ(intervalOf(kBase, reversed(slanted)), gaps(g));
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
        EXPECT_EQ(gaps(gapOf(kBase, second)) == intervalOf(kBase, second), reverses);
    }
    // An exact cosine of 1 keeps collinear edges as they are.
    EXPECT_EQ(gapOf(kBase, seg(12, 0, 13, 0))[4], -1.0);

    // Same direction, yet the rounded cosine is 1.0000000000000002: theta is NaN, so the rule goes
    // on to the centre line, which runs along the edges (phi about 90) and reverses the second.
    // The opposed directions then cancel and nothing can be measured.
    EXPECT_EQ(gapOf(seg(0, 0, 1, 5), seg(2, 10, 3, 15)), (Record{1.5, 7.5, 0, 0, 0, 0, 0, 0, 0}));
    // Edges 53 degrees apart, symmetric about the perpendicular of their centre line: the
    // rounded cosine of phi exceeds 1, and a NaN phi reverses the second edge. The interval rule
    // sees a positive cosine and keeps them: across the other diagonal.
    gte_lseg const left = seg(-6, -8, -11, 2), right = seg(6, 8, -5, 10);
    Record const g = gapOf(left, right);
    EXPECT_NEAR(g[3], 0.8, 1e-15);
    EXPECT_NEAR(g[4], -0.6, 1e-15);
    EXPECT_NEAR(intervalOf(left, right)[0], 15.0, 1e-13);
}

TEST(SegmentGapXY, DegenerateEdgesAndTheEmptyExport) {
    // Both edges vertical: no direction in XY, every value 0 (the minimum sentinel replaced).
    gte_lseg const post1(gte_point(1, 1, 0), gte_point(1, 1, 5));
    gte_lseg const post2(gte_point(4, 5, 0), gte_point(4, 5, 2));
    EXPECT_EQ(intervalOf(post1, post2), (Gaps{0, 0, 0}));
    EXPECT_EQ(gapOf(post1, post2), (Record{2.5, 3, 0, 0, 0, 0, 0, 0, 0}));
    // One vertical edge: measured across the other edge alone.
    EXPECT_EQ(intervalOf(kBase, post2), (Gaps{5, 5, 5}));

    gte_gap_result r = poisoned<gte_gap_result>();
    gte_gap_lseg_lseg(kBase, post2, &r);
    EXPECT_TRUE(untouched(r));
}

TEST(SegmentGapXY, TrueExtremesOfTheEndPointGapsAndNaNPropagates) {
    // Regression: the running minimum started at 1e16 and was reported when every end-point gap
    // lay beyond it; a NaN coordinate failed every comparison, leaving 1e16 and 0 as the gaps.
    double const nan = std::nan("");
    struct {
        gte_lseg second;
        Gaps expected;  // centre, minimum, maximum
    } const cases[] = {
        {seg(0, 2e16, 10, 2e16), {2e16, 2e16, 2e16}},
        {seg(0, 3, nan, 3), {nan, nan, nan}},
    };
    for (auto const& c : cases) {
        for (Gaps const& g : {intervalOf(kBase, c.second), gaps(gapOf(kBase, c.second))}) {
            for (int i = 0; i < 3; ++i) EXPECT_TRUE(same(g[i], c.expected[i])) << g[i];
        }
    }
}
