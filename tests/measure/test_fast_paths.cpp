// The fast paths against the literal measurements they replace, bit for bit, on the point sets
// and directions of random_cases.h: the searches on their own (the farthest pair, the nearest
// nominal point, the range of the pair gaps, the trimmed averages of a stream), then the exports
// that run them, return codes and record bytes alike (the trimmed averages of the pair gaps
// through the gap-sigma export, which is the only caller).
#include <cmath>
#include <type_traits>
#include <vector>

#include "literal_measures.h"
#include "measure/extreme_pair.h"
#include "measure/extreme_selection.h"
#include "measure/nearest_nominal.h"
#include "measure/pair_range.h"
#include "random_cases.h"
#include "test_util.h"

using gte::Vector3;
using namespace tavrisk_test;

namespace {

using Points = std::vector<gte_point>;
int const kKinds = RandomDraws::kKinds;

template <class Actual, class Expected>
::testing::AssertionResult sameRange(Actual const& actual, Expected const& expected) {
    if (sameBits(actual.low, expected.low) && sameBits(actual.high, expected.high)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actual.low << " .. " << actual.high << " instead of "
                                         << expected.low << " .. " << expected.high;
}

// The first `count` points of a set, and the rest.
std::pair<Points, Points> split(Points const& set, std::size_t count) {
    return {Points(set.begin(), set.begin() + count), Points(set.begin() + count, set.end())};
}

// Every measured point in turn from one tree, as the profile asks.
::testing::AssertionResult sameNearest(Points const& nominal, Points const& measured) {
    int const n = static_cast<int>(nominal.size());
    tavrisk::NearestNominal tree(nominal.data(), n);
    for (std::size_t i = 0; i < measured.size(); ++i) {
        int const expected = literal::nearestNominal(nominal.data(), n, measured[i]);
        if (tree.nearestTo(measured[i]) != expected) {
            return ::testing::AssertionFailure()
                   << "measured point " << i << " not at " << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

struct Range {
    double high, low;
};

// Calls both forms with the same input into poisoned outputs: the same return code and the same
// record, bit for bit except that any NaN matches any NaN (which NaN an undefined figure carries
// depends on the order the compiler gives the operands of a sum).
template <class Out, class Fast, class Slow, class... Input>
::testing::AssertionResult agree(Fast fast, Slow slow, Input... input) {
    Out a = poisoned<Out>(), b = poisoned<Out>();
    int codeA, codeB;
    if constexpr (std::is_same_v<Out, Range>) {
        codeA = static_cast<int>(fast(input..., &a.high, &a.low));
        codeB = static_cast<int>(slow(input..., &b.high, &b.low));
    } else {
        codeA = static_cast<int>(fast(input..., &a));
        codeB = static_cast<int>(slow(input..., &b));
    }
    auto const x = doublesOf(a), y = doublesOf(b);
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (!sameBits(x[i], y[i]) && !(std::isnan(x[i]) && std::isnan(y[i]))) {
            return ::testing::AssertionFailure()
                   << "figure " << i << ": " << x[i] << " vs " << y[i];
        }
    }
    return codeA == codeB ? ::testing::AssertionSuccess()
                          : ::testing::AssertionFailure() << "returned " << codeA << ", " << codeB;
}

}  // namespace

TEST(FastPaths, FarthestPairAsEveryPair) {
    RandomDraws g(20240611);
    expectCases(60000, [&g](int c) {
        Vector3 const d = g.direction();
        Points const p = g.points(g.integer(2, 14), c % kKinds, d, c % 8 == 0 ? 0.05 : 0.0);
        int const n = static_cast<int>(p.size());
        literal::IndexPair const expected =
            literal::farthestPair(copiedPoints(p.data(), n).data(), n, d);
        tavrisk::PointPair const actual = tavrisk::farthestPairAlong(p.data(), n, d);
        if (actual.first == expected.first && actual.second == expected.second) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "pair " << actual.first << ", " << actual.second;
    });
}

TEST(FastPaths, NearestNominalAsTheScan) {
    RandomDraws g(99173);
    expectCases(50000, [&g](int c) {
        int const n = g.integer(1, 40);
        auto [nominal, measured] = split(
            g.points(n + g.integer(1, 6), c % kKinds, g.direction(), c % 7 == 0 ? 0.05 : 0.0), n);
        if (c % 11 == 0) {  // a row along x: a box without height
            for (gte_point& p : nominal) p.y = nominal[0].y;
        }
        return sameNearest(nominal, measured);
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
            split(g.points(n1 + n2, c % kKinds, d, c % 10 == 0 ? 0.05 : 0.0), n1);
        literal::Range const expected = literal::pairRangeXY(set1.data(), n1, set2.data(), n2, n);
        auto const vector =
            sameRange(tavrisk::pairRangeXY(set1.data(), n1, set2.data(), n2, n), expected);
        return vector ? sameRange(tavrisk::detail::pairRangeXYPortable(set1.data(), n1, set2.data(),
                                                                       n2, n),
                                  expected)
                      : vector;
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

TEST(FastPaths, ExportsAsTheLiteralForms) {
    RandomDraws g(101);
    expectCases(15000, [&g](int c) {
        Points const points = g.points(g.integer(3, 14), c % kKinds, g.direction(), 0.02);
        return agree<gte_lseg>(gte_fit_lseg, literal::fitLseg, points.data(),
                               static_cast<int>(points.size()));
    });
    expectCases(15000, [&g](int c) {
        int const n = g.integer(1, 30);
        auto const [nominal, measured] =
            split(g.points(n + g.integer(1, 10), c % kKinds, g.direction(), 0.02), n);
        std::vector<gte_vector> normals;
        for (int j = 0; j < n; ++j) {
            normals.push_back(
                tavrisk::toVectorRecord(g.chance(0.01) ? Vector3(0, kNaN, 0) : g.unit()));
        }
        return agree<double>(gte_measure_profile2D, literal::profile2D, measured.data(),
                             static_cast<int>(measured.size()), nominal.data(),
                             static_cast<gte_vector const*>(normals.data()), n);
    });
    double const factors[] = {0.0, 0.5, 1.0, 2.0, 3.0};
    expectCases(15000, [&](int c) {
        int const trim = g.integer(0, 3), average = g.integer(1, 3);
        int const least = 2 * (trim + average) + 1;
        // Now and then a set one point short of the count rule, or a few hundred points longer
        // (room for the bisection of the gap averages to stop early).
        int const most = least + (c % 300 == 0 ? 200 : 8);
        int const n1 = g.integer(least - (c % 9 == 0), most), n2 = g.integer(least, most);
        Vector3 const d = g.direction();
        auto const [s1, s2] = split(g.points(n1 + n2, c % kKinds, d, 0.02), n1);
        gte_point const *p1 = s1.data(), *p2 = s2.data();
        gte_line const line(s1[0], tavrisk::toVectorRecord(g.chance(0.5) ? d : g.direction()));
        double const factor = factors[g.integer(0, 4)];
        bool const useSigma = g.chance(0.5);
        auto sigma =
            agree<gte_gap_result>(gte_gapSigma_mutiPoint_mutiPoint, literal::gapSigmaTwoSets, p1,
                                  n1, p2, n2, line, trim, average, factor, useSigma);
        auto dist =
            agree<Range>(gte_dist_mutiPoint_mutiPoint, literal::distTwoSets, p1, n1, p2, n2, line);
        auto interval = agree<Range>(gte_interval_mutiPoint_line, literal::intervalLine, p1, n1,
                                     line, trim, average, factor, useSigma);
        return !sigma  ? sigma << " (gap sigma)"
               : !dist ? dist << " (distance)"
                       : interval << " (interval)";
    });
}
