// SPDX-License-Identifier: MIT
// Point sets against a line and against each other: values for short sets, the count rule, the
// two outlier filters and the XY direction's limit. The point-set fuzz target holds the exports
// to literal forms that reuse the count rule and the filters tested here; the true extremes of
// the distances to a line (beyond 1e7 or NaN, where a running minimum once started) are held to
// the literal running extremes through gte_dist_mutiPoint_line, whose range the gap shares.
#include <array>
#include <climits>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "tavrisk.h"
#include "support/test_util.h"

using namespace tavrisk_test;

namespace {

using Points = std::vector<gte_point>;
using Out = std::tuple<int, double, double>;  // return value, maximum, minimum
using Record = std::array<double, 9>;         // gte_gap_result's fields in order

gte_line const kXAxis(gte_point(0, 0, 0), gte_vector(1, 0, 0));
double const kP = poisoned<double>();
double const kFew = TAVRISK_TOO_FEW_POINTS;

// Points i = 0, 1, ... at (dx * i, y_i, dz * i): across the x axis only y counts in XY.
Points row(std::vector<double> const& ys, double dx = 1, double dz = 0) {
    Points points;
    for (std::size_t i = 0; i < ys.size(); ++i) points.emplace_back(dx * i, ys[i], dz * i);
    return points;
}

// Each call starts from poisoned outputs, so an output left alone reads back as kP.
gte_gap_result gapLine(gte_point const* p, int n) {
    gte_gap_result r = poisoned<gte_gap_result>();
    gte_gap_mutiPoint_line(p, n, kXAxis, &r);
    return r;
}
Out intervalOf(gte_point const* p, int n, int trim, int average, double sigma, bool useSigma) {
    Out r(0, kP, kP);
    std::get<0>(r) = gte_interval_mutiPoint_line(p, n, kXAxis, trim, average, sigma, useSigma,
                                                 &std::get<1>(r), &std::get<2>(r));
    return r;
}
gte_gap_result gapPair(Points const& s1, Points const& s2, gte_line const& line, double sigma) {
    gte_gap_result r = poisoned<gte_gap_result>();
    EXPECT_EQ(gte_gapSigma_mutiPoint_mutiPoint(s1.data(), int(s1.size()), s2.data(), int(s2.size()),
                                               line, 0, 1, sigma, true, &r),
              TAVRISK_MEASURED);
    return r;
}

}  // namespace

TEST(PointSetLine, GapRecordAndShortSets) {
    auto const two = row({1, 3}, 2);
    // The record: halfway from the centroid to its foot, the direction towards the line; a
    // centroid on the line gives no direction.
    EXPECT_TRUE(recordNear(gapLine(two.data(), 2), Record{1, 1, 0, 0, -1, 0, 2, 1, 3}));
    EXPECT_TRUE(recordNear(gapLine(row({2, -2}, 4).data(), 2), Record{2, 0, 0, 0, 0, 0, 0, 2, 2}));
    // Fewer than two points, or no array at all: only the three gaps, TAVRISK_TOO_FEW_POINTS each.
    EXPECT_TRUE(
        recordNear(gapLine(two.data(), 1), Record{kP, kP, kP, kP, kP, kP, kFew, kFew, kFew}));
    EXPECT_TRUE(recordNear(gapLine(nullptr, 2), Record{kP, kP, kP, kP, kP, kP, kFew, kFew, kFew}));
}

TEST(PointSets, CountRuleRefusesWithoutWriting) {
    // Accepted only with more than 2 * (trim + average) points, counted in 64 bits. A missing array
    // holds no points.
    auto const six = row({1, 2, 3, 4, 5, 6});
    int const refused = TAVRISK_REFUSED;
    int const cases[][4] = {{4, 1, 1, refused},       {5, 1, 1, TAVRISK_MEASURED},
                            {6, 1, 2, refused},       {6, -1, 1, refused},
                            {6, 0, 0, refused},       {6, INT_MAX, 1, refused},
                            {6, 0, 1 << 30, refused}, {6, INT_MAX, INT_MAX, refused},
                            {0, 0, 1, refused},       {-6, 0, 1, refused}};
    for (auto const& c : cases) {
        int const n = c[0] < 0 ? 6 : c[0], trim = c[1], average = c[2], code = c[3];
        gte_point const* p = c[0] < 0 ? nullptr : six.data();
        SCOPED_TRACE(&c - cases);
        Out const r = intervalOf(p, n, trim, average, 0, false);
        EXPECT_EQ(std::get<0>(r), code);
        EXPECT_EQ(r == Out(TAVRISK_REFUSED, kP, kP), code == TAVRISK_REFUSED);
    }
}

TEST(PointSets, DistanceFilterReplacesStrictOutliersByTheMean) {
    auto const five = row({1, 2, 3, 4, 10});  // centroid (2, 4, 0)
    // Mean 4, sigma sqrt(10): 10 is 6 away and becomes 4; 1 is 3 away and stays.
    EXPECT_EQ(intervalOf(five.data(), 5, 0, 1, 1.0, true), Out(TAVRISK_MEASURED, 4, 1));
    // Mean 1, sigma 1: values exactly at the limit stay; within a smaller one all become 1.
    auto const even = row({0, 2, 0, 2});
    EXPECT_EQ(intervalOf(even.data(), 4, 0, 1, 1.0, true), Out(TAVRISK_MEASURED, 2, 0));
    EXPECT_EQ(intervalOf(even.data(), 4, 0, 1, 0.9, true), Out(TAVRISK_MEASURED, 1, 1));
    // The gap record filters the distances only: the centroid is that of the measured points.
    gte_gap_result r;
    EXPECT_EQ(gte_gapSigma_mutiPoint_line(five.data(), 5, kXAxis, 0, 1, 1.0, true, &r),
              TAVRISK_MEASURED);
    EXPECT_TRUE(recordNear(r, Record{2, 2, 0, 0, -1, 0, 4, 1, 4}));
}

TEST(PointSetPair, PointFilterPullsOutliersToTheCentresDistance) {
    // Across the line y = -1: set 1 at distances 1, 1, 1, 1, 5, set 2 all at distance 2. The
    // outlier is pulled to the centre's distance 1.8 (y = 0.8); set 2 has sigma 0 and stays.
    gte_line const line(gte_point(7, -1, 3), gte_vector(3, 0, 0));
    auto const set2 = row({-3, -3, -3, -3, -3}, 3, -2);
    gte_gap_result r = gapPair(row({0, 0, 0, 0, 4}, 3, -2), set2, line, 1.0);
    EXPECT_NEAR(r.maxGap, 3.8, 1e-14);
    EXPECT_EQ(r.minGap, 3.0);
    // An outlier on the far side of the line is pulled in on that side.
    r = gapPair(row({0, 0, 0, 0, -6}, 3, -2), set2, line, 1.0);
    EXPECT_NEAR(r.minGap, 1.8, 1e-14);
    EXPECT_EQ(r.maxGap, 3.0);
    // Distances 0, 0, 2, 2 (centre 1, sigma 1): points exactly at the limit stay; within half of
    // it the far ones move in to distance 1, while those on the line's plane cannot move.
    auto const band = row({-1, -1, 1, 1}, 3, -2);
    EXPECT_EQ(gapPair(band, set2, line, 1.0).maxGap, 4.0);
    r = gapPair(band, set2, line, 0.5);
    EXPECT_EQ(r.maxGap, 3.0);
    EXPECT_EQ(r.minGap, 2.0);
}

TEST(PointSetPair, XYDistanceNeedsAHorizontalDirection) {
    gte_point const one(0, 0, 0), two[] = {gte_point(0, 5, 7), gte_point(3, 2, 0)};
    // An XY length of 1e-4 is just enough for a direction across the line; below it the
    // distance is refused, with 0 and 1e16 written.
    for (auto const& [y, expected] :
         {std::pair(1e-4, Out(true, 3, 0)),
          std::pair(0.99e-4, Out(false, TAVRISK_UNMEASURED_MAX_GAP, TAVRISK_UNMEASURED_MIN_GAP))}) {
        gte_line const steep(gte_point(0, 0, 0), gte_vector(0, y, 5));
        Out r(0, kP, kP);
        std::get<0>(r) =
            gte_dist_mutiPoint_mutiPoint(&one, 1, two, 2, steep, &std::get<1>(r), &std::get<2>(r));
        EXPECT_EQ(r, expected);
    }
}
