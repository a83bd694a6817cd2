// Gap between two edges in XY: measuring direction, the two alignment rules and their NaN paths.
#include <cmath>
#include <cstring>

#include "tavrisk.h"
#include "test_util.h"

namespace {

struct Interval {
    double centerGap;
    double maxDist;
    double minDist;
};

Interval intervalOf(gte_lseg const& a, gte_lseg const& b) {
    Interval r;
    r.centerGap = gte_intervalXY_lseg_lseg(a, b, &r.maxDist, &r.minDist);
    return r;
}

gte_gap_result gapOf(gte_lseg const& a, gte_lseg const& b) {
    gte_gap_result r = poisoned<gte_gap_result>();
    gte_gapXY_lseg_lseg(a, b, &r);
    return r;
}

gte_lseg reversed(gte_lseg const& s) {
    return gte_lseg(s.pt2, s.pt1);
}

gte_lseg const kBase(gte_point(0, 0, 0), gte_point(10, 0, 0));

}  // namespace

TEST(SegmentGapXY, ParallelEdgesInEitherOrder) {
    gte_lseg const above(gte_point(0, 3, 5), gte_point(10, 3, 5));
    for (gte_lseg const& other : {above, reversed(above)}) {
        Interval const i = intervalOf(kBase, other);
        EXPECT_EQ(i.centerGap, 3.0);
        EXPECT_EQ(i.maxDist, 3.0);
        EXPECT_EQ(i.minDist, 3.0);
        gte_gap_result const g = gapOf(kBase, other);
        EXPECT_POINT_EQ(g.centerPoint, 5.0, 1.5, 0.0);  // z is ignored
        EXPECT_POINT_EQ(g.direction, 0.0, -1.0, 0.0);
        EXPECT_EQ(g.centerGap, 3.0);
        EXPECT_EQ(g.minGap, 3.0);
        EXPECT_EQ(g.maxGap, 3.0);
    }
    // Far apart edges: the minimum starts high enough to be replaced.
    gte_lseg const far(gte_point(0, 2e7, 0), gte_point(10, 2e7, 0));
    EXPECT_EQ(gapOf(kBase, far).minGap, 2e7);
    EXPECT_EQ(intervalOf(kBase, far).minDist, 2e7);

    // Outputs are optional; the centre gap is still returned.
    EXPECT_EQ(gte_intervalXY_lseg_lseg(kBase, above, nullptr, nullptr), 3.0);
    gte_gapXY_lseg_lseg(kBase, above, nullptr);
}

TEST(SegmentGapXY, SlantedEdgeGivesTheSameRecordInBothOrders) {
    gte_lseg const slanted(gte_point(0, 1, 0), gte_point(10, 5, 0));
    // Measured across the bisector of the two edges, at half their 21.8 degree angle.
    double const half = std::atan2(4.0, 10.0) / 2;
    gte_gap_result const g = gapOf(kBase, slanted);
    EXPECT_POINT_NEAR(g.centerPoint, 5.0, 1.5, 0.0, 1e-15);
    EXPECT_POINT_NEAR(g.direction, std::sin(half), -std::cos(half), 0.0, 1e-15);
    EXPECT_NEAR(g.centerGap, 3 * std::cos(half), 1e-14);
    EXPECT_NEAR(g.minGap, std::cos(half), 1e-14);
    EXPECT_NEAR(g.maxGap, 5 * std::cos(half), 1e-14);
    EXPECT_NEAR(g.centerGap, 2.95, 0.005);

    // Reversed (theta about 158, phi about 101): aligned back, to the very same record.
    gte_gap_result const back = gapOf(kBase, reversed(slanted));
    EXPECT_EQ(std::memcmp(&g, &back, sizeof g), 0);

    Interval const i = intervalOf(kBase, slanted);
    Interval const j = intervalOf(kBase, reversed(slanted));
    EXPECT_EQ(i.centerGap, g.centerGap);
    EXPECT_EQ(i.minDist, g.minGap);
    EXPECT_EQ(i.maxDist, g.maxGap);
    EXPECT_EQ(std::memcmp(&i, &j, sizeof i), 0);
}

TEST(SegmentGapXY, ObtuseEdgesAlignByDifferentRules) {
    // Edges about 100 degrees apart. The interval rule always reverses the second one.
    gte_lseg const alongCentres(gte_point(16, 6, 0), gte_point(14, 18, 0));
    gte_lseg const acrossCentres(gte_point(-6, 4, 0), gte_point(-8, 16, 0));

    // Centre line near the bisector (phi about 90): the gap rule reverses as well.
    Interval const i1 = intervalOf(kBase, alongCentres);
    gte_gap_result const g1 = gapOf(kBase, alongCentres);
    EXPECT_EQ(g1.centerGap, i1.centerGap);
    EXPECT_EQ(g1.minGap, i1.minDist);
    EXPECT_EQ(g1.maxGap, i1.maxDist);

    // Centre line across the bisector (phi about 180): the gap rule keeps the edges as given and
    // measures across their own bisector.
    Interval const i2 = intervalOf(kBase, acrossCentres);
    gte_gap_result const g2 = gapOf(kBase, acrossCentres);
    double const len = std::sqrt(148.0);
    double const sx = 1.0 - 2.0 / len, sy = 12.0 / len;
    double const s = std::hypot(sx, sy);
    EXPECT_POINT_NEAR(g2.direction, sy / s, -sx / s, 0.0, 1e-15);
    EXPECT_NEAR(g2.centerGap, std::fabs(-12.0 * sy / s - 10.0 * sx / s), 1e-13);
    EXPECT_GT(std::fabs(g2.centerGap - i2.centerGap), 1.0);
}

TEST(SegmentGapXY, NearlyOpposedEdgesAlignOnlyPast170Degrees) {
    // 158 degrees, centre line across the bisector (phi about 0.4): kept as given, so measured
    // across the bisector of (1, 0) and (-10, 4), unlike the interval rule.
    gte_lseg const at158(gte_point(20, -4, 0), gte_point(10, 0, 0));
    gte_gap_result const g = gapOf(kBase, at158);
    double const len = std::sqrt(116.0);
    double const sx = 1.0 - 10.0 / len, sy = 4.0 / len;
    double const s = std::hypot(sx, sy);
    EXPECT_POINT_NEAR(g.direction, sy / s, -sx / s, 0.0, 1e-15);
    EXPECT_GT(std::fabs(g.centerGap - intervalOf(kBase, at158).centerGap), 1.0);

    // 175.7 degrees with the same kind of placement: reversed whatever the centre line says.
    gte_lseg const at176(gte_point(45, -1.5, 0), gte_point(5, 1.5, 0));
    gte_gap_result const h = gapOf(kBase, at176);
    Interval const i = intervalOf(kBase, at176);
    EXPECT_EQ(h.centerGap, i.centerGap);
    EXPECT_EQ(h.minGap, i.minDist);
    EXPECT_EQ(h.maxGap, i.maxDist);
}

TEST(SegmentGapXY, NotANumberAnglesFollowTheirPaths) {
    // Same direction, yet the rounded cosine is 1.0000000000000002: theta is NaN, so the rule goes
    // on to the centre line, which runs along the edges (phi about 90) and reverses the second.
    // The opposed directions then cancel and nothing can be measured.
    gte_lseg const first(gte_point(0, 0, 0), gte_point(1, 5, 0));
    gte_lseg const further(gte_point(2, 10, 0), gte_point(3, 15, 0));
    gte_gap_result g = gapOf(first, further);
    EXPECT_POINT_EQ(g.direction, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(g.centerPoint, 1.5, 7.5, 0.0);
    EXPECT_EQ(g.centerGap, 0.0);
    EXPECT_EQ(g.minGap, 0.0);
    EXPECT_EQ(g.maxGap, 0.0);
    // With an exact cosine of 1 the edges are kept as they are.
    g = gapOf(gte_lseg(gte_point(0, 0, 0), gte_point(1, 0, 0)),
              gte_lseg(gte_point(2, 0, 0), gte_point(3, 0, 0)));
    EXPECT_POINT_EQ(g.direction, 0.0, -1.0, 0.0);

    // Edges 53 degrees apart, symmetric about the perpendicular of their centre line: the
    // rounded cosine of phi exceeds 1, and a NaN phi reverses the second edge.
    gte_lseg const left(gte_point(-6, -8, 0), gte_point(-11, 2, 0));
    gte_lseg const right(gte_point(6, 8, 0), gte_point(-5, 10, 0));
    g = gapOf(left, right);
    EXPECT_POINT_NEAR(g.direction, 0.8, -0.6, 0.0, 1e-15);
    EXPECT_NEAR(g.centerGap, 0.0, 1e-14);
    EXPECT_POINT_NEAR(g.centerPoint, -4.0, 3.0, 0.0, 1e-15);
    // The interval rule sees a positive cosine and keeps them: across the other diagonal.
    EXPECT_NEAR(intervalOf(left, right).centerGap, 15.0, 1e-13);
}

TEST(SegmentGapXY, DegenerateEdgesAndTheEmptyExport) {
    // Both edges vertical: no direction in XY, every value 0 (the minimum sentinel replaced).
    gte_lseg const post1(gte_point(1, 1, 0), gte_point(1, 1, 5));
    gte_lseg const post2(gte_point(4, 5, 0), gte_point(4, 5, 2));
    Interval const i = intervalOf(post1, post2);
    EXPECT_EQ(i.centerGap, 0.0);
    EXPECT_EQ(i.maxDist, 0.0);
    EXPECT_EQ(i.minDist, 0.0);
    gte_gap_result const g = gapOf(post1, post2);
    EXPECT_POINT_EQ(g.centerPoint, 2.5, 3.0, 0.0);
    EXPECT_POINT_EQ(g.direction, 0.0, 0.0, 0.0);
    EXPECT_EQ(g.minGap, 0.0);

    // One vertical edge: measured across the other edge alone.
    Interval const k = intervalOf(kBase, post2);
    EXPECT_EQ(k.centerGap, 5.0);
    EXPECT_EQ(k.minDist, 5.0);
    EXPECT_EQ(k.maxDist, 5.0);

    gte_gap_result r = poisoned<gte_gap_result>();
    gte_gap_lseg_lseg(kBase, post2, &r);
    EXPECT_TRUE(untouched(r));
    gte_gap_lseg_lseg(kBase, post2, nullptr);
}
