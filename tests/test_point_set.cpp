// Point sets against a line and against each other: sentinels, count rules, trimmed averages and
// the two outlier filters.
#include <climits>
#include <cmath>
#include <vector>

#include "measure/robust_stats.h"
#include "tavrisk.h"
#include "test_util.h"

namespace {

gte_line const kXAxis(gte_point(0, 0, 0), gte_vector(1, 0, 0));

// Points straight above the x axis, at the given distances from it.
std::vector<gte_point> atDistances(std::vector<double> const& distances) {
    std::vector<gte_point> points;
    for (std::size_t i = 0; i < distances.size(); ++i) {
        points.emplace_back(static_cast<double>(i), distances[i], 0.0);
    }
    return points;
}

// Points at the given y, spread along x and z, which the XY gap across the x axis ignores.
std::vector<gte_point> atHeights(std::vector<double> const& ys) {
    std::vector<gte_point> points;
    for (std::size_t i = 0; i < ys.size(); ++i) {
        points.emplace_back(3.0 * static_cast<double>(i), ys[i], -2.0 * static_cast<double>(i));
    }
    return points;
}

struct Interval {
    int code;
    double maxAverage;
    double minAverage;
};

Interval intervalOf(std::vector<gte_point> const& points, int trim, int average, double sigma,
                    bool useSigma) {
    Interval r{0, poisoned<double>(), poisoned<double>()};
    r.code =
        gte_interval_mutiPoint_line(points.data(), static_cast<int>(points.size()), kXAxis, trim,
                                    average, sigma, useSigma, &r.maxAverage, &r.minAverage);
    return r;
}

// The two-set gap-sigma call on whole vectors, or on their first n1 and n2 points.
int gapSigmaPair(std::vector<gte_point> const& s1, int n1, std::vector<gte_point> const& s2, int n2,
                 gte_line const& line, int trim, int average, double sigma, bool useSigma,
                 gte_gap_result* r) {
    return gte_gapSigma_mutiPoint_mutiPoint(s1.data(), n1, s2.data(), n2, line, trim, average,
                                            sigma, useSigma, r);
}

}  // namespace

TEST(RobustStats, ExtremeAveragesSortACopyAndSumFromTheTrimmedEnds) {
    std::vector<double> const values = {5, 1, 9, 3, 7, 2, 8};
    auto avg = tavrisk::trimmedExtremeAverages(values, 1, 2);
    EXPECT_EQ(avg.low, 2.5);   // (2 + 3) / 2
    EXPECT_EQ(avg.high, 7.5);  // (8 + 7) / 2
    EXPECT_EQ(values[0], 5.0);
    EXPECT_EQ(values[6], 8.0);

    // The low sum runs upwards from the smallest, the high sum downwards from the largest: with
    // 1, 1, 2^53 the two orders round differently.
    double const big = 9007199254740992.0;
    avg = tavrisk::trimmedExtremeAverages({big, 1.0, 1.0}, 0, 3);
    EXPECT_EQ(avg.low, (big + 2.0) / 3);
    EXPECT_EQ(avg.high, big / 3);

    // A NaN neither breaks the sort nor mixes into the numbers: it gathers at the top.
    avg = tavrisk::trimmedExtremeAverages({4.0, NAN, 1.0, 3.0, 2.0}, 0, 1);
    EXPECT_EQ(avg.low, 1.0);
    EXPECT_TRUE(std::isnan(avg.high));
    avg = tavrisk::trimmedExtremeAverages({4.0, NAN, 1.0, 3.0, 2.0}, 1, 1);
    EXPECT_EQ(avg.low, 2.0);
    EXPECT_EQ(avg.high, 4.0);
}

TEST(RobustStats, PointFilterMovesStrictOutliersToTheCentreDistance) {
    gte::Plane3 const plane(gte::Vector3(0, 1, 0), -1.0);  // y = -1
    // Distances 1, 1, 1, 1, 5: centre distance 1.8, sigma 1.6.
    std::vector<gte::Vector3> points = {{0, 0, 0}, {1, 0, 5}, {2, 0, 0}, {3, 0, 1}, {4, 4, 7}};
    gte::Vector3 const centre = tavrisk::pullInOutlierPoints(points, plane, 1.0);
    EXPECT_VEC3_NEAR(centre, 2.0, 0.8, 2.6, 1e-15);
    EXPECT_VEC3_NEAR(points[4], 4.0, 0.8, 7.0, 1e-15);  // along its perpendicular only
    EXPECT_VEC3_EQ(points[0], 0.0, 0.0, 0.0);

    // An outlier on the far side stays on its side, at the centre's distance.
    points = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, -6, 0}};
    gte::Vector3 const lowCentre = tavrisk::pullInOutlierPoints(points, plane, 1.0);
    EXPECT_VEC3_NEAR(lowCentre, 2.0, -1.2, 0.0, 1e-15);
    EXPECT_VEC3_NEAR(points[4], 4.0, -1.2, 0.0, 1e-14);

    // Distances 0, 0, 2, 2 from y = 0: centre distance 1, sigma 1. Points exactly at the limit
    // are no outliers; within a smaller limit the far ones move in (those on the plane cannot).
    gte::Plane3 const ground(gte::Vector3(0, 1, 0), 0.0);
    std::vector<gte::Vector3> const band = {{0, 0, 0}, {1, 0, 0}, {2, 2, 0}, {3, 2, 0}};
    points = band;
    EXPECT_VEC3_EQ(tavrisk::pullInOutlierPoints(points, ground, 1.0), 1.5, 1.0, 0.0);
    EXPECT_VEC3_EQ(points[2], 2.0, 2.0, 0.0);
    points = band;
    tavrisk::pullInOutlierPoints(points, ground, 0.5);
    EXPECT_VEC3_EQ(points[0], 0.0, 0.0, 0.0);
    EXPECT_VEC3_EQ(points[2], 2.0, 1.0, 0.0);
}

TEST(PointSetLine, DistExtremesAndSentinels) {
    std::vector<gte_point> const two = {gte_point(0, 1, 0), gte_point(0, 3, 0)};
    double maxDist = 0, minDist = 0;
    gte_dist_mutiPoint_line(two.data(), 2, kXAxis, &maxDist, &minDist);
    EXPECT_EQ(maxDist, 3.0);
    EXPECT_EQ(minDist, 1.0);

    gte_dist_mutiPoint_line(two.data(), 1, kXAxis, &maxDist, &minDist);
    EXPECT_EQ(maxDist, -1.0);
    EXPECT_EQ(minDist, -1.0);
    maxDist = minDist = 5;
    gte_dist_mutiPoint_line(nullptr, 2, kXAxis, &maxDist, &minDist);  // no array: empty
    EXPECT_EQ(maxDist, -1.0);
    EXPECT_EQ(minDist, -1.0);

    // Every point further than the starting minimum leaves the sentinel in place.
    std::vector<gte_point> const far = {gte_point(0, 2e7, 0), gte_point(1, 3e7, 0)};
    gte_dist_mutiPoint_line(far.data(), 2, kXAxis, &maxDist, &minDist);
    EXPECT_EQ(maxDist, 3e7);
    EXPECT_EQ(minDist, 1e7);

    // Either output may be missing; the other is still measured.
    minDist = 0;
    gte_dist_mutiPoint_line(two.data(), 2, kXAxis, nullptr, &minDist);
    EXPECT_EQ(minDist, 1.0);
    maxDist = 0;
    gte_dist_mutiPoint_line(two.data(), 2, kXAxis, &maxDist, nullptr);
    EXPECT_EQ(maxDist, 3.0);

    // A line without direction measures to its point.
    gte_line const dot(gte_point(0, 0, 0), gte_vector(0, 0, 0));
    std::vector<gte_point> const pts = {gte_point(3, 4, 0), gte_point(0, 0, 2)};
    gte_dist_mutiPoint_line(pts.data(), 2, dot, &maxDist, &minDist);
    EXPECT_EQ(maxDist, 5.0);
    EXPECT_EQ(minDist, 2.0);
}

TEST(PointSetLine, GapRecord) {
    std::vector<gte_point> const pts = {gte_point(0, 1, 0), gte_point(2, 3, 0)};
    gte_gap_result r = poisoned<gte_gap_result>();
    gte_gap_mutiPoint_line(pts.data(), 2, kXAxis, &r);
    EXPECT_POINT_EQ(r.centerPoint, 1.0, 1.0, 0.0);
    EXPECT_POINT_EQ(r.direction, 0.0, -1.0, 0.0);
    EXPECT_EQ(r.centerGap, 2.0);
    EXPECT_EQ(r.minGap, 1.0);
    EXPECT_EQ(r.maxGap, 3.0);

    // Too few points: only the three gaps are set, to -1.
    r = poisoned<gte_gap_result>();
    gte_gap_mutiPoint_line(pts.data(), 1, kXAxis, &r);
    EXPECT_EQ(r.centerGap, -1.0);
    EXPECT_EQ(r.minGap, -1.0);
    EXPECT_EQ(r.maxGap, -1.0);
    EXPECT_TRUE(untouched(r.centerPoint));
    EXPECT_TRUE(untouched(r.direction));
    r = poisoned<gte_gap_result>();
    gte_gap_mutiPoint_line(nullptr, 2, kXAxis, &r);
    EXPECT_EQ(r.centerGap, -1.0);
    EXPECT_TRUE(untouched(r.centerPoint));

    // Centroid on the line: no direction; the sentinel minimum shows for far points.
    std::vector<gte_point> const across = {gte_point(0, 2e7, 0), gte_point(4, -2e7, 0)};
    gte_gap_mutiPoint_line(across.data(), 2, kXAxis, &r);
    EXPECT_POINT_EQ(r.direction, 0.0, 0.0, 0.0);
    EXPECT_POINT_EQ(r.centerPoint, 2.0, 0.0, 0.0);
    EXPECT_EQ(r.centerGap, 0.0);
    EXPECT_EQ(r.minGap, 1e7);
    EXPECT_EQ(r.maxGap, 2e7);
    // Off the line, the direction points from the centroid to its foot.
    std::vector<gte_point> const raised = {gte_point(0, 0, 2), gte_point(4, 0, 6)};
    gte_gap_mutiPoint_line(raised.data(), 2, kXAxis, &r);
    EXPECT_POINT_EQ(r.direction, 0.0, 0.0, -1.0);
    EXPECT_POINT_EQ(r.centerPoint, 2.0, 0.0, 2.0);
    EXPECT_EQ(r.centerGap, 4.0);
    EXPECT_EQ(r.minGap, 2.0);
    EXPECT_EQ(r.maxGap, 6.0);

    gte_gap_mutiPoint_line(pts.data(), 2, kXAxis, nullptr);  // nothing to write
}

TEST(PointSetLine, IntervalTrimsAveragesAndFilters) {
    auto const five = atDistances({3, 10, 1, 4, 2});
    Interval r = intervalOf(five, 1, 1, 0.0, false);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.maxAverage, 4.0);
    EXPECT_EQ(r.minAverage, 2.0);
    r = intervalOf(five, 0, 1, 0.0, false);
    EXPECT_EQ(r.maxAverage, 10.0);
    EXPECT_EQ(r.minAverage, 1.0);
    r = intervalOf(five, 0, 2, 0.0, false);
    EXPECT_EQ(r.maxAverage, 7.0);
    EXPECT_EQ(r.minAverage, 1.5);
    // Mean 4, sigma sqrt(10): 10 is 6 away and becomes 4; 1 is 3 away and stays.
    r = intervalOf(five, 0, 1, 1.0, true);
    EXPECT_EQ(r.maxAverage, 4.0);
    EXPECT_EQ(r.minAverage, 1.0);
    r = intervalOf(five, 0, 1, 1.0, false);  // the factor alone does nothing
    EXPECT_EQ(r.maxAverage, 10.0);

    // Mean 1, population sigma 1: values exactly at the limit stay; below it all become 1.
    auto const even = atDistances({0, 2, 0, 2});
    r = intervalOf(even, 0, 1, 1.0, true);
    EXPECT_EQ(r.maxAverage, 2.0);
    EXPECT_EQ(r.minAverage, 0.0);
    r = intervalOf(even, 0, 1, 0.9, true);
    EXPECT_EQ(r.maxAverage, 1.0);
    EXPECT_EQ(r.minAverage, 1.0);

    // Outputs are optional.
    EXPECT_EQ(
        gte_interval_mutiPoint_line(five.data(), 5, kXAxis, 1, 1, 0.0, false, nullptr, nullptr), 1);
}

TEST(PointSetLine, IntervalCountRuleRefusesWithoutWriting) {
    auto const six = atDistances({1, 2, 3, 4, 5, 6});
    auto refused = [](Interval const& r) {
        return r.code == -1 && untouched(r.maxAverage) && untouched(r.minAverage);
    };
    EXPECT_TRUE(refused(intervalOf({six.begin(), six.begin() + 4}, 1, 1, 0, false)));
    EXPECT_EQ(intervalOf({six.begin(), six.begin() + 5}, 1, 1, 0, false).code, 1);
    EXPECT_TRUE(refused(intervalOf(six, 1, 2, 0, false)));  // 6 == 2 * (1 + 2)
    EXPECT_EQ(intervalOf(six, 0, 2, 0, false).code, 1);
    EXPECT_TRUE(refused(intervalOf(six, -1, 1, 0, false)));
    EXPECT_TRUE(refused(intervalOf(six, 0, 0, 0, false)));
    EXPECT_TRUE(refused(intervalOf(six, INT_MAX, 1, 0, false)));
    EXPECT_TRUE(refused(intervalOf(six, 0, 1 << 30, 0, false)));
    EXPECT_TRUE(refused(intervalOf(six, INT_MAX, INT_MAX, 0, false)));
    EXPECT_TRUE(refused(intervalOf({}, 0, 1, 0, false)));
    double maxAverage = poisoned<double>();
    EXPECT_EQ(gte_interval_mutiPoint_line(nullptr, 6, kXAxis, 0, 1, 0, false, &maxAverage, nullptr),
              -1);
    EXPECT_TRUE(untouched(maxAverage));
}

TEST(PointSetLine, GapSigmaKeepsTheMeasuredCentroid) {
    auto const five = atDistances({1, 2, 3, 4, 10});  // centroid (2, 4, 0)
    gte_gap_result r = poisoned<gte_gap_result>();
    EXPECT_EQ(gte_gapSigma_mutiPoint_line(five.data(), 5, kXAxis, 0, 1, 1.0, true, &r), 1);
    EXPECT_EQ(r.maxGap, 4.0);
    EXPECT_EQ(r.minGap, 1.0);
    EXPECT_POINT_EQ(r.centerPoint, 2.0, 2.0, 0.0);
    EXPECT_POINT_EQ(r.direction, 0.0, -1.0, 0.0);
    EXPECT_EQ(r.centerGap, 4.0);

    EXPECT_EQ(gte_gapSigma_mutiPoint_line(five.data(), 5, kXAxis, 1, 1, 0.0, false, &r), 1);
    EXPECT_EQ(r.maxGap, 4.0);
    EXPECT_EQ(r.minGap, 2.0);

    r = poisoned<gte_gap_result>();
    EXPECT_EQ(gte_gapSigma_mutiPoint_line(five.data(), 4, kXAxis, 1, 1, 0.0, false, &r), -1);
    EXPECT_EQ(gte_gapSigma_mutiPoint_line(five.data(), 5, kXAxis, 0, 0, 0.0, false, &r), -1);
    EXPECT_EQ(gte_gapSigma_mutiPoint_line(five.data(), 5, kXAxis, INT_MAX, 1, 0.0, false, &r), -1);
    EXPECT_EQ(gte_gapSigma_mutiPoint_line(nullptr, 5, kXAxis, 0, 1, 0.0, false, &r), -1);
    EXPECT_TRUE(untouched(r));
    EXPECT_EQ(gte_gapSigma_mutiPoint_line(five.data(), 5, kXAxis, 0, 1, 0.0, false, nullptr), 1);
}

TEST(PointSetPair, DistAcrossTheLineInXY) {
    std::vector<gte_point> const one = {gte_point(0, 0, 0)};
    std::vector<gte_point> const two = {gte_point(0, 5, 7), gte_point(3, 2, 0)};
    double maxDist = 0, minDist = 0;
    EXPECT_TRUE(
        gte_dist_mutiPoint_mutiPoint(one.data(), 1, two.data(), 2, kXAxis, &maxDist, &minDist));
    EXPECT_EQ(maxDist, 5.0);
    EXPECT_EQ(minDist, 2.0);

    // A vertical line has no direction across it in XY: the starting values remain.
    gte_line const vertical(gte_point(0, 0, 0), gte_vector(0, 0, 1));
    EXPECT_FALSE(
        gte_dist_mutiPoint_mutiPoint(one.data(), 1, two.data(), 2, vertical, &maxDist, &minDist));
    EXPECT_EQ(maxDist, 0.0);
    EXPECT_EQ(minDist, 1e16);
    // The XY length 1e-4 is just enough; anything shorter is refused.
    gte_line const steep(gte_point(0, 0, 0), gte_vector(0, 1e-4, 5));
    EXPECT_TRUE(
        gte_dist_mutiPoint_mutiPoint(one.data(), 1, two.data(), 2, steep, &maxDist, &minDist));
    EXPECT_EQ(maxDist, 3.0);
    EXPECT_EQ(minDist, 0.0);
    gte_line const steeper(gte_point(0, 0, 0), gte_vector(0, 0.99e-4, 5));
    EXPECT_FALSE(
        gte_dist_mutiPoint_mutiPoint(one.data(), 1, two.data(), 2, steeper, &maxDist, &minDist));

    // Empty or missing sets: nothing written.
    maxDist = minDist = poisoned<double>();
    EXPECT_FALSE(
        gte_dist_mutiPoint_mutiPoint(one.data(), 0, two.data(), 2, kXAxis, &maxDist, &minDist));
    EXPECT_FALSE(
        gte_dist_mutiPoint_mutiPoint(one.data(), 1, nullptr, 2, kXAxis, &maxDist, &minDist));
    EXPECT_TRUE(untouched(maxDist));
    EXPECT_TRUE(untouched(minDist));

    // Every pair further apart than the starting minimum leaves it showing.
    std::vector<gte_point> const far = {gte_point(0, 2e16, 0)};
    EXPECT_TRUE(
        gte_dist_mutiPoint_mutiPoint(one.data(), 1, far.data(), 1, kXAxis, &maxDist, &minDist));
    EXPECT_EQ(maxDist, 2e16);
    EXPECT_EQ(minDist, 1e16);
    EXPECT_TRUE(
        gte_dist_mutiPoint_mutiPoint(one.data(), 1, far.data(), 1, kXAxis, nullptr, nullptr));
}

TEST(PointSetPair, GapXYAndGapSigmaMeasureInOppositeSenses) {
    std::vector<gte_point> const set1 = {gte_point(0, 0, 0), gte_point(2, 0, 0),
                                         gte_point(4, 0, 0)};
    std::vector<gte_point> const set2 = {gte_point(0, 4, 1), gte_point(2, 6, 1),
                                         gte_point(4, 5, 1)};
    gte_gap_result xy = poisoned<gte_gap_result>();
    EXPECT_TRUE(gte_gapXY_mutiPoint_mutiPoint(set1.data(), 3, set2.data(), 3, kXAxis, &xy));
    EXPECT_POINT_EQ(xy.centerPoint, 2.0, 2.5, 0.5);
    EXPECT_POINT_EQ(xy.direction, 0.0, -1.0, 0.0);
    EXPECT_EQ(xy.centerGap, 5.0);
    EXPECT_EQ(xy.minGap, 4.0);
    EXPECT_EQ(xy.maxGap, 6.0);

    gte_gap_result sigma = poisoned<gte_gap_result>();
    EXPECT_EQ(gapSigmaPair(set1, 3, set2, 3, kXAxis, 0, 1, 0.0, false, &sigma), 1);
    EXPECT_POINT_EQ(sigma.centerPoint, 2.0, 2.5, 0.5);
    EXPECT_POINT_EQ(sigma.direction, 0.0, 1.0, 0.0);
    EXPECT_EQ(sigma.centerGap, 5.0);
    EXPECT_EQ(sigma.minGap, 4.0);
    EXPECT_EQ(sigma.maxGap, 6.0);

    // A line running backwards flips both senses.
    gte_line const backwards(gte_point(9, 9, 9), gte_vector(-2, 0, 0));
    EXPECT_TRUE(gte_gapXY_mutiPoint_mutiPoint(set1.data(), 3, set2.data(), 3, backwards, &xy));
    EXPECT_POINT_EQ(xy.direction, 0.0, 1.0, 0.0);
    EXPECT_EQ(gapSigmaPair(set1, 3, set2, 3, backwards, 0, 1, 0.0, false, &sigma), 1);
    EXPECT_POINT_EQ(sigma.direction, 0.0, -1.0, 0.0);
    EXPECT_EQ(sigma.centerGap, 5.0);

    // Refusals of the XY gap write nothing.
    gte_line const vertical(gte_point(0, 0, 0), gte_vector(0, 0, 1));
    xy = poisoned<gte_gap_result>();
    EXPECT_FALSE(gte_gapXY_mutiPoint_mutiPoint(set1.data(), 3, set2.data(), 3, vertical, &xy));
    EXPECT_FALSE(gte_gapXY_mutiPoint_mutiPoint(set1.data(), 3, set2.data(), 0, kXAxis, &xy));
    EXPECT_FALSE(gte_gapXY_mutiPoint_mutiPoint(nullptr, 3, set2.data(), 3, kXAxis, &xy));
    EXPECT_TRUE(untouched(xy));
    EXPECT_TRUE(gte_gapXY_mutiPoint_mutiPoint(set1.data(), 3, set2.data(), 3, kXAxis, nullptr));

    // The gap-sigma direction has no length check: a vertical line gives zeros, and success.
    EXPECT_EQ(gapSigmaPair(set1, 3, set2, 3, vertical, 0, 1, 0.0, false, &sigma), 1);
    EXPECT_POINT_EQ(sigma.direction, 0.0, 0.0, 0.0);
    EXPECT_EQ(sigma.centerGap, 0.0);
    EXPECT_EQ(sigma.minGap, 0.0);
    EXPECT_EQ(sigma.maxGap, 0.0);
}

TEST(PointSetPair, GapSigmaTrimsOverAllPairs) {
    auto const set1 = atHeights({0, 0.25, 0.5, 0.75, 1});
    auto const set2 = atHeights({2, 3, 4, 5, 6});
    gte_gap_result r;
    // Pair gaps run from 1 (2 - 1) to 6 (6 - 0); next to them are 1.25 and 5.75.
    EXPECT_EQ(gapSigmaPair(set1, 5, set2, 5, kXAxis, 1, 1, 0.0, false, &r), 1);
    EXPECT_EQ(r.minGap, 1.25);
    EXPECT_EQ(r.maxGap, 5.75);
    EXPECT_EQ(gapSigmaPair(set1, 5, set2, 5, kXAxis, 0, 2, 0.0, false, &r), 1);
    EXPECT_EQ(r.minGap, 1.125);
    EXPECT_EQ(r.maxGap, 5.875);

    // Each set must pass the count rule on its own.
    r = poisoned<gte_gap_result>();
    EXPECT_EQ(gapSigmaPair(set1, 5, set2, 2, kXAxis, 0, 1, 0.0, false, &r), -1);
    EXPECT_EQ(gapSigmaPair(set1, 4, set2, 5, kXAxis, 1, 1, 0.0, false, &r), -1);
    EXPECT_EQ(gapSigmaPair(set1, 5, set2, 5, kXAxis, 0, 0, 0.0, false, &r), -1);
    EXPECT_EQ(gapSigmaPair(set1, 5, set2, 5, kXAxis, INT_MAX, INT_MAX, 0.0, false, &r), -1);
    EXPECT_EQ(
        gte_gapSigma_mutiPoint_mutiPoint(set1.data(), 5, nullptr, 5, kXAxis, 0, 1, 0.0, false, &r),
        -1);
    // A table of every pair that cannot exist (2^62 values) is refused before a point is read.
    EXPECT_EQ(gapSigmaPair(set1, INT_MAX, set2, INT_MAX, kXAxis, 0, 1, 0.0, false, &r), -1);
    EXPECT_TRUE(untouched(r));
}

TEST(PointSetPair, GapSigmaFilterMovesPointsButNotCentres) {
    // Across the line y = -1: set 1 at distances 1, 1, 1, 1, 5, set 2 all at distance 2.
    gte_line const line(gte_point(7, -1, 3), gte_vector(3, 0, 0));
    auto const set1 = atHeights({0, 0, 0, 0, 4});
    auto const set2 = atHeights({-3, -3, -3, -3, -3});
    gte_gap_result plain, filtered;
    ASSERT_EQ(gapSigmaPair(set1, 5, set2, 5, line, 0, 1, 1.0, false, &plain), 1);
    EXPECT_EQ(plain.maxGap, 7.0);
    EXPECT_EQ(plain.minGap, 3.0);
    ASSERT_EQ(gapSigmaPair(set1, 5, set2, 5, line, 0, 1, 1.0, true, &filtered), 1);
    // The outlier is pulled to the centre's distance 1.8 (y = 0.8); set 2 has sigma 0 and stays.
    EXPECT_NEAR(filtered.maxGap, 3.8, 1e-14);
    EXPECT_EQ(filtered.minGap, 3.0);
    // Centres are those of the measured points, before anything moved.
    EXPECT_NEAR(filtered.centerGap, 3.8, 1e-14);
    EXPECT_NEAR(plain.centerGap, 3.8, 1e-14);
    EXPECT_POINT_NEAR(filtered.centerPoint, 6.0, -1.1, -4.0, 1e-14);
    EXPECT_POINT_EQ(filtered.direction, 0.0, 1.0, 0.0);

    // An outlier on the far side of the line is pulled in on that side.
    auto const below = atHeights({0, 0, 0, 0, -6});
    ASSERT_EQ(gapSigmaPair(below, 5, set2, 5, line, 0, 1, 1.0, true, &filtered), 1);
    EXPECT_NEAR(filtered.minGap, 1.8, 1e-14);
    EXPECT_EQ(filtered.maxGap, 3.0);
    EXPECT_NEAR(filtered.centerGap, 1.8, 1e-14);
}

TEST(PointSetPair, IntervalAddsTheTwoEdges) {
    auto const edge1 = atDistances({1, 2, 3, 4, 10});
    std::vector<gte_point> edge2;
    for (double d : {5.0, 6.0, 7.0, 8.0, 9.0}) edge2.emplace_back(d, -d, 0.0);
    double maxAverage = 0, minAverage = 0;
    EXPECT_EQ(gte_interval_mutiPoint_mutiPoint(edge1.data(), 5, edge2.data(), 5, kXAxis, 1, 1, 0.0,
                                               false, &maxAverage, &minAverage),
              1);
    EXPECT_EQ(maxAverage, 12.0);  // 4 + 8
    EXPECT_EQ(minAverage, 8.0);   // 2 + 6
    // The filter reaches both edges: 10 -> 4 in the first; 5 and 9 -> 7 in the second.
    EXPECT_EQ(gte_interval_mutiPoint_mutiPoint(edge1.data(), 5, edge2.data(), 5, kXAxis, 0, 1, 1.0,
                                               true, &maxAverage, &minAverage),
              1);
    EXPECT_EQ(maxAverage, 12.0);
    EXPECT_EQ(minAverage, 7.0);

    // Either edge refused: -1 and nothing written.
    maxAverage = minAverage = poisoned<double>();
    EXPECT_EQ(gte_interval_mutiPoint_mutiPoint(edge1.data(), 4, edge2.data(), 5, kXAxis, 1, 1, 0.0,
                                               false, &maxAverage, &minAverage),
              -1);
    EXPECT_EQ(gte_interval_mutiPoint_mutiPoint(edge1.data(), 5, edge2.data(), 4, kXAxis, 1, 1, 0.0,
                                               false, &maxAverage, &minAverage),
              -1);
    EXPECT_EQ(gte_interval_mutiPoint_mutiPoint(nullptr, 5, edge2.data(), 5, kXAxis, 0, 1, 0.0,
                                               false, &maxAverage, &minAverage),
              -1);
    EXPECT_EQ(gte_interval_mutiPoint_mutiPoint(edge1.data(), 5, edge2.data(), 5, kXAxis, -1, 2, 0.0,
                                               false, &maxAverage, &minAverage),
              -1);
    EXPECT_TRUE(untouched(maxAverage));
    EXPECT_TRUE(untouched(minAverage));
    EXPECT_EQ(gte_interval_mutiPoint_mutiPoint(edge1.data(), 5, edge2.data(), 5, kXAxis, 1, 1, 0.0,
                                               false, nullptr, nullptr),
              1);
}
