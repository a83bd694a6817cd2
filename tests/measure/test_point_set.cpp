// Point sets against a line and against each other: values for short sets, count rules, trimmed
// averages, the two outlier filters and the true extremes.
#include <array>
#include <climits>
#include <cmath>
#include <tuple>
#include <vector>

#include "measure/robust_stats.h"
#include "tavrisk.h"
#include "test_util.h"

namespace {

using Points = std::vector<gte_point>;
using Out = std::tuple<int, double, double>;  // return code, maximum, minimum
using Record = std::array<double, 9>;         // centre point, direction, centre/min/max gaps

gte_line const kXAxis(gte_point(0, 0, 0), gte_vector(1, 0, 0));
gte_line const kVertical(gte_point(0, 0, 0), gte_vector(0, 0, 1));
double const kP = poisoned<double>();

// Points i = 0, 1, ... at (dx * i, y_i, dz * i): across the x axis only y counts in XY.
Points row(std::vector<double> const& ys, double dx = 1, double dz = 0) {
    Points points;
    for (std::size_t i = 0; i < ys.size(); ++i) points.emplace_back(dx * i, ys[i], dz * i);
    return points;
}

// Each call starts from poisoned outputs, so an output left alone reads back as kP.
Out distLine(gte_point const* p, int n) {
    Out r(0, kP, kP);
    gte_dist_mutiPoint_line(p, n, kXAxis, &std::get<1>(r), &std::get<2>(r));
    return r;
}
Record gapLine(gte_point const* p, int n) {
    gte_gap_result r = poisoned<gte_gap_result>();
    gte_gap_mutiPoint_line(p, n, kXAxis, &r);
    return doublesOf(r);
}
Out distPair(gte_point const* p1, int n1, Points const& s2, gte_line const& line) {
    Out r(0, kP, kP);
    std::get<0>(r) = gte_dist_mutiPoint_mutiPoint(p1, n1, s2.data(), int(s2.size()), line,
                                                  &std::get<1>(r), &std::get<2>(r));
    return r;
}
Out intervalOf(gte_point const* p, int n, int trim, int average, double sigma, bool useSigma) {
    Out r(0, kP, kP);
    std::get<0>(r) = gte_interval_mutiPoint_line(p, n, kXAxis, trim, average, sigma, useSigma,
                                                 &std::get<1>(r), &std::get<2>(r));
    return r;
}
int gapPair(Points const& s1, int n1, Points const& s2, int n2, gte_line const& line, int trim,
            int average, double sigma, bool useSigma, gte_gap_result* r) {
    return gte_gapSigma_mutiPoint_mutiPoint(s1.data(), n1, s2.data(), n2, line, trim, average,
                                            sigma, useSigma, r);
}

}  // namespace

TEST(PointSetLine, DistAndGapExtremesAndShortSets) {
    auto const two = row({1, 3}, 2);
    EXPECT_EQ(distLine(two.data(), 2), Out(0, 3, 1));
    // The record: halfway from the centroid to its foot, the direction towards the line; a
    // centroid on the line gives no direction.
    EXPECT_EQ(gapLine(two.data(), 2), (Record{1, 1, 0, 0, -1, 0, 2, 1, 3}));
    EXPECT_EQ(gapLine(row({2, -2}, 4).data(), 2), (Record{2, 0, 0, 0, 0, 0, 0, 2, 2}));
    // Fewer than two points, or no array at all: -1 for the values, and only the three gaps.
    for (gte_point const* p : {two.data(), static_cast<gte_point const*>(nullptr)}) {
        int const n = p != nullptr ? 1 : 2;
        EXPECT_EQ(distLine(p, n), Out(0, -1, -1));
        EXPECT_EQ(gapLine(p, n), (Record{kP, kP, kP, kP, kP, kP, -1, -1, -1}));
    }
}

TEST(PointSetLine, IntervalAndGapSigmaTrimAverageAndFilterStrictOutliers) {
    auto const five = row({1, 2, 3, 4, 10});  // centroid (2, 4, 0)
    EXPECT_EQ(intervalOf(five.data(), 5, 1, 1, 0, false), Out(1, 4, 2));
    EXPECT_EQ(intervalOf(five.data(), 5, 0, 2, 0, false), Out(1, 7, 1.5));
    // Mean 4, sigma sqrt(10): 10 is 6 away and becomes 4; 1 is 3 away and stays.
    EXPECT_EQ(intervalOf(five.data(), 5, 0, 1, 1.0, true), Out(1, 4, 1));
    // Mean 1, sigma 1: values exactly at the limit stay; within a smaller one all become 1.
    auto const even = row({0, 2, 0, 2});
    EXPECT_EQ(intervalOf(even.data(), 4, 0, 1, 1.0, true), Out(1, 2, 0));
    EXPECT_EQ(intervalOf(even.data(), 4, 0, 1, 0.9, true), Out(1, 1, 1));
    // The gap record filters the distances only: the centroid is that of the measured points.
    gte_gap_result r;
    EXPECT_EQ(gte_gapSigma_mutiPoint_line(five.data(), 5, kXAxis, 0, 1, 1.0, true, &r), 1);
    EXPECT_EQ(doublesOf(r), (Record{2, 2, 0, 0, -1, 0, 4, 1, 4}));
}

TEST(PointSets, CountRuleRefusesWithoutWriting) {
    // Accepted only with more than 2 * (trim + average) points, counted in 64 bits; the two-set
    // forms apply the rule to each set on its own. A missing array holds no points.
    auto const six = row({1, 2, 3, 4, 5, 6});
    int const cases[][4] = {
        {4, 1, 1, -1}, {5, 1, 1, 1},        {6, 1, 2, -1},       {6, -1, 1, -1},
        {6, 0, 0, -1}, {6, INT_MAX, 1, -1}, {6, 0, 1 << 30, -1}, {6, INT_MAX, INT_MAX, -1},
        {0, 0, 1, -1}, {-6, 0, 1, -1}};
    for (auto const& c : cases) {
        int const n = c[0] < 0 ? 6 : c[0], trim = c[1], average = c[2], code = c[3];
        gte_point const* p = c[0] < 0 ? nullptr : six.data();
        SCOPED_TRACE(::testing::Message()
                     << c[0] << " points, trim " << trim << ", avg " << average);
        Out const r = intervalOf(p, n, trim, average, 0, false);
        EXPECT_EQ(std::get<0>(r), code);
        EXPECT_EQ(r == Out(-1, kP, kP), code == -1);
        gte_gap_result g = poisoned<gte_gap_result>();
        EXPECT_EQ(gte_gapSigma_mutiPoint_line(p, n, kXAxis, trim, average, 0, false, &g), code);
        EXPECT_EQ(untouched(g), code == -1);
        for (int first : {0, 1}) {
            gte_point const *p1 = first ? p : six.data(), *p2 = first ? six.data() : p;
            int const n1 = first ? n : 6, n2 = first ? 6 : n;
            double high = kP, low = kP;
            EXPECT_EQ(gte_interval_mutiPoint_mutiPoint(p1, n1, p2, n2, kXAxis, trim, average, 0,
                                                       false, &high, &low),
                      code);
            EXPECT_EQ(high == kP && low == kP, code == -1);
            g = poisoned<gte_gap_result>();
            EXPECT_EQ(gte_gapSigma_mutiPoint_mutiPoint(p1, n1, p2, n2, kXAxis, trim, average, 0,
                                                       false, &g),
                      code);
            EXPECT_EQ(untouched(g), code == -1);
        }
    }
}

TEST(PointSetPair, DistAndGapAcrossTheLineInXY) {
    Points const one = {gte_point(0, 0, 0)};
    Points const two = {gte_point(0, 5, 7), gte_point(3, 2, 0)};
    auto steep = [](double y) { return gte_line(gte_point(0, 0, 0), gte_vector(0, y, 5)); };
    EXPECT_EQ(distPair(one.data(), 1, two, kXAxis), Out(1, 5, 2));
    // No direction across a vertical line in XY: refused, with 0 and 1e16 written. An XY length
    // of 1e-4 is just enough. Empty or missing sets: nothing written.
    EXPECT_EQ(distPair(one.data(), 1, two, kVertical), Out(0, 0, 1e16));
    EXPECT_EQ(distPair(one.data(), 1, two, steep(1e-4)), Out(1, 3, 0));
    EXPECT_EQ(distPair(one.data(), 1, two, steep(0.99e-4)), Out(0, 0, 1e16));
    EXPECT_EQ(distPair(one.data(), 0, two, kXAxis), Out(0, kP, kP));
    EXPECT_EQ(distPair(nullptr, 1, two, kXAxis), Out(0, kP, kP));

    // The XY gap measures across the line turned clockwise, the gap-sigma form across the line
    // turned the other way; a line running backwards flips both.
    auto const set1 = row({0, 0, 0}, 2);
    Points const set2 = {gte_point(0, 4, 1), gte_point(2, 6, 1), gte_point(4, 5, 1)};
    gte_line const backwards(gte_point(9, 9, 9), gte_vector(-2, 0, 0));
    gte_gap_result xy = poisoned<gte_gap_result>(), sigma = poisoned<gte_gap_result>();
    for (double sense : {1.0, -1.0}) {
        gte_line const line = sense > 0 ? kXAxis : backwards;
        EXPECT_TRUE(gte_gapXY_mutiPoint_mutiPoint(set1.data(), 3, set2.data(), 3, line, &xy));
        EXPECT_EQ(doublesOf(xy), (Record{2, 2.5, 0.5, 0, -sense, 0, 5, 4, 6}));
        EXPECT_EQ(gapPair(set1, 3, set2, 3, line, 0, 1, 0.0, false, &sigma), 1);
        EXPECT_EQ(doublesOf(sigma), (Record{2, 2.5, 0.5, 0, sense, 0, 5, 4, 6}));
    }
    // The gap-sigma direction has no length check: a vertical line gives zeros, and success;
    // the XY gap refuses it, and empty or missing sets, writing nothing.
    EXPECT_EQ(gapPair(set1, 3, set2, 3, kVertical, 0, 1, 0.0, false, &sigma), 1);
    EXPECT_EQ(doublesOf(sigma), (Record{2, 2.5, 0.5, 0, 0, 0, 0, 0, 0}));
    xy = poisoned<gte_gap_result>();
    EXPECT_FALSE(gte_gapXY_mutiPoint_mutiPoint(set1.data(), 3, set2.data(), 3, kVertical, &xy));
    EXPECT_FALSE(gte_gapXY_mutiPoint_mutiPoint(set1.data(), 3, set2.data(), 0, kXAxis, &xy));
    EXPECT_FALSE(gte_gapXY_mutiPoint_mutiPoint(nullptr, 3, set2.data(), 3, kXAxis, &xy));
    EXPECT_TRUE(untouched(xy));
}

TEST(PointSetPair, GapSigmaTrimsOverAllPairsAndFiltersPointsButNotCentres) {
    // Pair gaps run from 1 (2 - 1) to 6 (6 - 0); next to them are 1.25 and 5.75.
    gte_gap_result r;
    auto const low = row({0, .25, .5, .75, 1}), high = row({2, 3, 4, 5, 6});
    ASSERT_EQ(gapPair(low, 5, high, 5, kXAxis, 1, 1, 0, false, &r), 1);
    EXPECT_EQ(r.minGap, 1.25);
    EXPECT_EQ(r.maxGap, 5.75);

    // Across the line y = -1: set 1 at distances 1, 1, 1, 1, 5, set 2 all at distance 2. The
    // outlier is pulled to the centre's distance 1.8 (y = 0.8); set 2 has sigma 0 and stays. The
    // centres are those of the measured points, before anything moved.
    gte_line const line(gte_point(7, -1, 3), gte_vector(3, 0, 0));
    auto const set2 = row({-3, -3, -3, -3, -3}, 3, -2);
    ASSERT_EQ(gapPair(row({0, 0, 0, 0, 4}, 3, -2), 5, set2, 5, line, 0, 1, 1.0, true, &r), 1);
    EXPECT_NEAR(r.maxGap, 3.8, 1e-14);
    EXPECT_EQ(r.minGap, 3.0);
    EXPECT_NEAR(r.centerGap, 3.8, 1e-14);
    EXPECT_POINT_NEAR(r.centerPoint, 6.0, -1.1, -4.0, 1e-14);
    // An outlier on the far side of the line is pulled in on that side.
    ASSERT_EQ(gapPair(row({0, 0, 0, 0, -6}, 3, -2), 5, set2, 5, line, 0, 1, 1.0, true, &r), 1);
    EXPECT_NEAR(r.minGap, 1.8, 1e-14);
    EXPECT_EQ(r.maxGap, 3.0);
    // Distances 0, 0, 2, 2 (centre 1, sigma 1): points exactly at the limit stay; within half of
    // it the far ones move in to distance 1, while those on the line's plane cannot move.
    auto const band = row({-1, -1, 1, 1}, 3, -2);
    ASSERT_EQ(gapPair(band, 4, set2, 5, line, 0, 1, 1.0, true, &r), 1);
    EXPECT_EQ(r.maxGap, 4.0);
    ASSERT_EQ(gapPair(band, 4, set2, 5, line, 0, 1, 0.5, true, &r), 1);
    EXPECT_EQ(r.maxGap, 3.0);
    EXPECT_EQ(r.minGap, 2.0);
}

TEST(PointSetPair, IntervalAddsTheTwoEdges) {
    auto const edge1 = row({1, 2, 3, 4, 10}), edge2 = row({-5, -6, -7, -8, -9});
    auto interval = [&](int trim, bool useSigma) {
        Out r(0, kP, kP);
        std::get<0>(r) =
            gte_interval_mutiPoint_mutiPoint(edge1.data(), 5, edge2.data(), 5, kXAxis, trim, 1, 1.0,
                                             useSigma, &std::get<1>(r), &std::get<2>(r));
        return r;
    };
    EXPECT_EQ(interval(1, false), Out(1, 12, 8));  // 4 + 8, 2 + 6
    // The filter reaches both edges: 10 -> 4 in the first; 5 and 9 -> 7 in the second.
    EXPECT_EQ(interval(0, true), Out(1, 12, 7));
}

TEST(PointSetExtremes, TrueExtremesOfTheCandidatesAndNaNPropagates) {
    // Regression: the running minimum started at 1e7 (one set) or 1e16 (two sets) and was
    // reported as the minimum when every distance lay beyond it; a NaN distance failed every
    // comparison and was silently skipped, and the trimmed averages sorted it out of sight.
    double const nan = std::nan("");
    struct {
        std::vector<double> ys;  // distances across the x axis, the set's points in a row
        double maxDist, minDist;
    } const cases[] = {
        {{2e7, -3e7}, 3e7, 2e7},
        {{-3e16, 2e16, 5e16}, 5e16, 2e16},
        {{1, nan, 3}, nan, nan},
    };
    Points const origin = {gte_point(0, 0, 0)};
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.ys.size() << " points, max " << c.maxDist);
        Points const set = row(c.ys);
        int const n = static_cast<int>(set.size());
        Out const line = distLine(set.data(), n);
        EXPECT_TRUE(same(std::get<1>(line), c.maxDist) && same(std::get<2>(line), c.minDist));
        Record const gap = gapLine(set.data(), n);
        EXPECT_TRUE(same(gap[8], c.maxDist) && same(gap[7], c.minDist));
        // Against a set of one point on the x axis the pair gaps are the same distances.
        Out const pair = distPair(origin.data(), 1, set, kXAxis);
        EXPECT_TRUE(same(std::get<1>(pair), c.maxDist) && same(std::get<2>(pair), c.minDist));
        gte_gap_result r = poisoned<gte_gap_result>();
        EXPECT_TRUE(gte_gapXY_mutiPoint_mutiPoint(origin.data(), 1, set.data(), n, kXAxis, &r));
        EXPECT_TRUE(same(r.maxGap, c.maxDist) && same(r.minGap, c.minDist));
    }

    // Trimmed averages: one NaN among the values makes both averages NaN, with or without
    // either outlier filter (the distances' and the two-set points').
    Points const five = row({1, 2, nan, 4, 10});
    for (bool useSigma : {false, true}) {
        Out const interval = intervalOf(five.data(), 5, 1, 1, 1.0, useSigma);
        EXPECT_TRUE(std::isnan(std::get<1>(interval)) && std::isnan(std::get<2>(interval)));
        gte_gap_result r = poisoned<gte_gap_result>();
        EXPECT_EQ(gapPair(row({0, 0, 0, 0, 0}), 5, five, 5, kXAxis, 1, 1, 1.0, useSigma, &r), 1);
        EXPECT_TRUE(std::isnan(r.maxGap) && std::isnan(r.minGap));
    }
}
