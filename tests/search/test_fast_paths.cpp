// SPDX-License-Identifier: MIT
// The fast searches against the literal measurements they replace, bit for bit, on the point sets
// and directions of random_cases.h: the farthest pair, the nearest nominal point, the range of
// the pair gaps, the trimmed averages of a stream and of the pair gaps. The point-set fuzz target
// holds the exports that run them to the literal exports; these comparisons run everywhere the
// unit tests do.
#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "support/literal_measures.h"
#include "search/extreme_pair.h"
#include "search/extreme_selection.h"
#include "search/nearest_nominal.h"
#include "search/pair_gap_extremes.h"
#include "search/pair_range.h"
#include "search/projected_groups.h"
#include "support/random_cases.h"
#include "support/test_util.h"

using gte::Vector3;
using namespace tavrisk_test;

namespace {

using Points = std::vector<gte_point>;

template <class Actual, class Expected>
::testing::AssertionResult sameRange(Actual const& actual, Expected const& expected) {
    return ::testing::AssertionResult(sameBits(actual.low, expected.low) &&
                                      sameBits(actual.high, expected.high))
           << actual.low << " .. " << actual.high << " instead of " << expected.low << " .. "
           << expected.high;
}

// count points along a straight edge in the direction of d (when d has a horizontal part) at one of
// a few offsets across it: on grid coordinates, so that along an axis every pair value of two
// such edges ties exactly, or anywhere, so that only rounding tells the values apart.
Points edgePoints(RandomDraws& g, int count, gte::Vector3 const& d, double offset) {
    gte::Vector3 along(d[0], d[1], 0.0);
    if (!(gte::Normalize(along) > 0.0) || !std::isfinite(along[0]) || !std::isfinite(along[1])) {
        along = gte::Vector3(1.0, 0.0, 0.0);
    }
    gte::Vector3 const across(-along[1], along[0], 0.0);
    bool const onGrid = g.chance(0.5);
    double const scale = g.powerOfTen(-3, 4);
    Points points;
    for (int i = 0; i < count; ++i) {
        double const at = onGrid ? g.integer(-50, 50) : g.uniform(-50, 50);
        double const off = offset + (g.chance(0.8) ? 0.0 : g.integer(-2, 2) * 0.125);
        gte::Vector3 const p = scale * (at * along + off * across);
        points.emplace_back(p[0], p[1], g.uniform(-1, 1));
    }
    return points;
}

// The first `count` points of a set, and the rest.
std::pair<Points, Points> split(Points const& set, std::size_t count) {
    return {Points(set.begin(), set.begin() + count), Points(set.begin() + count, set.end())};
}

}  // namespace

TEST(FastPaths, FarthestPairAsEveryPair) {
    RandomDraws g(20240611);
    expectCases(60000, [&g](int c) {
        Vector3 const d = g.direction();
        Points const p = g.points(g.integer(2, 14), c % g.kKinds, d, c % 8 == 0 ? 0.05 : 0.0);
        int const n = static_cast<int>(p.size());
        tavrisk::PointPair const expected =
            literal::farthestPair(copiedPoints(p.data(), n).data(), n, d);
        tavrisk::PointPair const actual = tavrisk::farthestPairAlong(p.data(), n, d);
        return ::testing::AssertionResult(actual.first == expected.first &&
                                          actual.second == expected.second)
               << "pair " << actual.first << ", " << actual.second;
    });
}

TEST(FastPaths, FittedSegmentAsTheFitAndEveryPair) {
    // The fitted segment from its two readings against the literal fit and the scan of every
    // pair: clouds along a line (the estimate of the direction serves), rows and grids whose
    // spreads tie (it does not), copies, NaN, infinities and huge coordinates. Now and then a few
    // thousand points, enough to thin the points kept near the ends.
    RandomDraws g(8080);
    expectCases(100000, [&g](int c) {
        int const count = c % 5000 == 0 ? g.integer(1100, 1500) : g.integer(3, 12);
        Vector3 const d = g.direction();
        Points points = g.points(count, c % g.kKinds, d, c % 10 == 0 ? 0.02 : 0.0);
        if (c % 3 == 0) {
            // A regular polygon stretched so slightly along the bisector of two corners that the
            // fitted direction is barely defined and those corners nearly tie along it.
            Vector3 const u = g.unit(), v = gte::NormalizedCross(u, g.unit());
            double const stretch = 1.0 + g.powerOfTen(-13, -5), radius = g.powerOfTen(-2, 3);
            double const step = 2.0 * 3.141592653589793 / count;
            for (int i = 0; i < count; ++i) {
                double const a = step * (i + 0.5);
                Vector3 const p = radius * (stretch * std::cos(a) * u + std::sin(a) * v);
                points[static_cast<std::size_t>(i)] = gte_point(p[0], p[1], p[2]);
            }
        }
        if (c % 7 == 0) {  // in order along the line: every point is the running largest
            std::sort(points.begin(), points.end(),
                      [](gte_point const& a, gte_point const& b) { return a.x < b.x; });
        }
        gte_lseg expected(gte_point(1, 2, 3), gte_point(4, 5, 6)), actual = expected;
        int const want = literal::fitLseg(points.data(), count, &expected);
        int const got = gte_fit_lseg(points.data(), count, &actual);
        auto const a = doublesOf(actual), e = doublesOf(expected);
        return ::testing::AssertionResult(got == want &&
                                          std::equal(a.begin(), a.end(), e.begin(), sameBits))
               << "returned " << got << " (literal " << want << "), or another segment";
    });
}

TEST(FastPaths, NearestNominalAsTheScan) {
    RandomDraws g(99173);
    expectCases(50000, [&g](int c) {
        int const n = g.integer(1, 40);
        auto [nominal, measured] = split(
            g.points(n + g.integer(1, 6), c % g.kKinds, g.direction(), c % 7 == 0 ? 0.05 : 0.0), n);
        if (c % 11 == 0) {  // a row along x: a box without height
            for (gte_point& p : nominal) p.y = nominal[0].y;
        }
        // Every measured point in turn from one tree, as the profile asks.
        tavrisk::NearestNominal tree(nominal.data(), n);
        for (gte_point const& m : measured) {
            if (tree.nearestTo(m) != literal::nearestNominal(nominal.data(), n, m)) {
                return ::testing::AssertionFailure() << "measured point " << &m - measured.data();
            }
        }
        return ::testing::AssertionSuccess();
    });
}

TEST(FastPaths, PairRangeXYAsRunningExtremes) {
    // Both the vector loop and the portable one, on second sets of every length around the
    // unrolling.
    RandomDraws g(5150);
    expectCases(50000, [&g](int c) {
        Vector3 const d = g.direction();
        gte::Vector2 const n(d[0], d[1]);
        int const n1 = g.integer(1, 6), n2 = g.integer(1, 13);
        auto const [set1, set2] =
            split(g.points(n1 + n2, c % g.kKinds, d, c % 10 == 0 ? 0.05 : 0.0), n1);
        tavrisk::ValueRange const expected =
            literal::pairRangeXY(set1.data(), n1, set2.data(), n2, n);
        auto const vector =
            sameRange(tavrisk::pairRangeXY(set1.data(), n1, set2.data(), n2, n), expected);
        return vector ? sameRange(tavrisk::detail::pairRangeXYPortable(set1.data(), n1, set2.data(),
                                                                       n2, n),
                                  expected)
                      : vector;
    });
}

TEST(FastPaths, PairRangeXYFromSortedProjectionsAsRunningExtremes) {
    // Sets of any size through the sorted search, which the export takes from 4096 pairs on:
    // random kinds, and straight edges whose pair values tie along the axes.
    RandomDraws g(6160);
    expectCases(100000, [&g](int c) {
        Vector3 const d = g.direction();
        gte::Vector2 n(d[0], d[1]);
        int const most = c % 2000 == 0 ? 300 : 12;
        int const n1 = g.integer(1, most), n2 = g.integer(1, most);
        Points set1, set2;
        if (c % 3 == 0) {
            gte::Normalize(n);
            set1 = edgePoints(g, n1, Vector3(-n[1], n[0], 0.0), 0.0);
            set2 = edgePoints(g, n2, Vector3(-n[1], n[0], 0.0), g.integer(-3, 3));
        } else {
            std::tie(set1, set2) =
                split(g.points(n1 + n2, c % g.kKinds, d, c % 10 == 0 ? 0.05 : 0.0), n1);
        }
        return sameRange(tavrisk::detail::pairRangeXYSorted(set1.data(), n1, set2.data(), n2, n),
                         literal::pairRangeXY(set1.data(), n1, set2.data(), n2, n));
    });
}

TEST(FastPaths, TrimmedAveragesOfAStreamAsTheSortedCopy) {
    // A stream of coarse values that tie often, a few infinite or, rarely, NaN of two kinds: the
    // first NaN comes back for both.
    RandomDraws g(31337);
    double const otherNaN = -std::nan("7");
    expectCases(30000, [&](int c) {
        int const trim = g.integer(0, 4), average = g.integer(1, 5);
        std::vector<double> values(
            static_cast<std::size_t>(2 * (trim + average) + g.integer(1, 12)));
        for (double& v : values) {
            v = g.chance(0.02) ? (g.chance(0.1) ? (g.chance(0.5) ? kNaN : otherNaN)
                                                : (g.chance(0.5) ? kInf : -kInf))
                               : g.integer(-6, 6) * (c % 2 ? 0.5 : 1e300);
        }
        return sameRange(tavrisk::trimmedExtremeAverages(values, trim, average),
                         literal::sortedAverages(values, trim, average));
    });
}

TEST(FastPaths, ProjectedGroupsAreTheSortedDistinctProjections) {
    // Points projected onto x from the origin, so that each projection is the point's x (a -0
    // made +0): the groups must be the distinct values in ascending order with their counts, on
    // lists long enough for the radix sort, of every sign and size, zeros of both signs, repeats,
    // keys that share most of their digits, and values that crowd into few keys of the sort.
    RandomDraws g(4242);
    gte::Vector3 const alongX(1.0, 0.0, 0.0), origin = gte::Vector3::zeroVector();
    for (int c = 0; c < 200; ++c) {
        std::vector<Vector3> points(static_cast<std::size_t>(g.integer(400, 3000)));
        double const base = g.uniform(-1, 1) * g.powerOfTen(-300, 300);
        for (Vector3& p : points) {
            double const x = c % 4 == 0   ? base + g.integer(-3, 3)
                             : c % 4 == 1 ? (g.chance(0.5) ? 0.0 : -0.0) * g.integer(0, 1)
                             : c % 4 == 2 ? g.uniform(-1, 1) * g.powerOfTen(-310, 308)
                                          : g.uniform(-1, 1) * (g.chance(0.01) ? 1e30 : 1.0);
            p = Vector3(x, g.uniform(-1, 1), g.uniform(-1, 1));
        }
        std::vector<tavrisk::ProjectedGroup> groups, scratch;
        tavrisk::ProjectedBox box{origin, origin, true};
        tavrisk::PointView const view(points.data());
        tavrisk::projectPoints(view, points.size(), origin, alongX, groups, box);
        tavrisk::sortAndMerge(groups, view, alongX, scratch);
        std::vector<double> expected;
        for (Vector3 const& p : points) {
            expected.push_back(p[0] + 0.0);
        }
        std::sort(expected.begin(), expected.end());
        std::size_t at = 0;
        for (tavrisk::ProjectedGroup const& group : groups) {
            ASSERT_LE(at + group.count, expected.size()) << c;
            EXPECT_TRUE(
                sameBits(group.projection, expected[at]) &&
                sameBits(group.projection, points[group.index][0] + 0.0) &&
                sameBits(expected[at + group.count - 1], expected[at]) &&
                (at + group.count == expected.size() || expected[at + group.count] > expected[at]))
                << "case " << c << ", group " << &group - groups.data();
            at += group.count;
        }
        EXPECT_EQ(at, expected.size()) << c;
    }
}

TEST(FastPaths, PairGapAveragesAsTheSortedTable) {
    // Now and then a few hundred points in a set, room for the bisection to stop early; the gap
    // direction across a line as the gap-sigma export makes it, or any direction at all, along
    // the sets' layout or not. A third of the cases are straight edges, along an axis or not,
    // whose values tie exactly or up to rounding.
    RandomDraws g(101);
    expectCases(100000, [&g](int c) {
        int const trim = g.integer(0, 3), average = g.integer(1, 3);
        int const least = 2 * (trim + average) + 1, most = least + (c % 2000 == 0 ? 200 : 6);
        int const n1 = g.integer(least, most), n2 = g.integer(least, most);
        Vector3 const d = g.direction();
        Points s1, s2;
        if (c % 3 == 2) {
            s1 = edgePoints(g, n1, d, 0.0);
            s2 = edgePoints(g, n2, d, g.integer(-3, 3));
        } else {
            std::tie(s1, s2) = split(g.points(n1 + n2, c % g.kKinds, d, 0.02), n1);
        }
        std::vector<Vector3> const set1 = copiedPoints(s1.data(), n1);
        std::vector<Vector3> const set2 = copiedPoints(s2.data(), n2);
        Vector3 const across = g.chance(0.5) ? d : g.direction();
        Vector3 const m = c % 2 ? gte::NormalizedCross(Vector3(0, 0, 1), across) : across;
        return sameRange(tavrisk::pairGapAverages(set1, set2, m, trim, average),
                         literal::sortedAverages(literal::pairGaps(set1, set2, m), trim, average));
    });
}
