// Trimmed extreme averages without a sorted copy of every value, against the sorted copy: first
// for a stream of values, then for the gaps of every pair of two point sets across a direction,
// on sets built for ties, crowded values, tiny and huge coordinates, NaN and the vertical line.
#include <cmath>
#include <vector>

#include "measure/extreme_selection.h"
#include "measure/pair_gap_extremes.h"
#include "literal_measures.h"
#include "random_cases.h"

using gte::Vector3;
using tavrisk::ExtremeAverages;
using namespace tavrisk_test;

namespace {

::testing::AssertionResult sameAverages(ExtremeAverages const& actual,
                                        ExtremeAverages const& expected) {
    if (sameBits(actual.low, expected.low) && sameBits(actual.high, expected.high)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "low " << actual.low << " high " << actual.high
                                         << " instead of " << expected.low << " " << expected.high;
}

// The stream, and the sorted copy the one-set interval takes, against the literal averages.
::testing::AssertionResult sameTrimmedAverages(std::vector<double> const& values, int trim,
                                               int average) {
    tavrisk::TrimmedExtremes stream(trim, average);
    for (double v : values) {
        stream.offer(v);
    }
    ExtremeAverages const expected = literal::sortedAverages(values, trim, average);
    auto const result = sameAverages(stream.averages(), expected);
    return result ? sameAverages(tavrisk::trimmedExtremeAverages(values, trim, average), expected)
                  : result;
}

class Generator : public RandomDraws {
public:
    using RandomDraws::RandomDraws;

    // The measuring direction as the two-set gap builds it from a line direction: across it,
    // horizontally, made unit; now and then along an axis, zero (a vertical line) or not unit.
    Vector3 across() {
        switch (integer(0, 7)) {
            case 0:
                return Vector3(0, chance(0.5) ? 1.0 : -1.0, 0);
            case 1:
                return Vector3(0, 0, 0);
            case 2:
                return Vector3(uniform(-3, 3), uniform(-3, 3), 0);
            default:
                return gte::NormalizedCross(Vector3(0, 0, 1), unit());
        }
    }

    // Two edges on either side of a line with some noise, points along them and in z; points
    // now and then repeated, or on the same line across m (near ties).
    void edges(Vector3 const& m, int n1, int n2, std::vector<Vector3>& set1,
               std::vector<Vector3>& set2) {
        Vector3 along = gte::Cross(m, Vector3(0, 0, 1));
        if (gte::Normalize(along) == 0.0) {
            along = Vector3(1, 0, 0);
        }
        double const length = powerOfTen(-4.0, 6.0);
        double const gap = length * powerOfTen(-3.0, 1.0);
        double const noise = gap * powerOfTen(-16.0, -1.0);
        Vector3 const base(uniform(-1, 1) * powerOfTen(-4.0, 6.0),
                           uniform(-1, 1) * powerOfTen(-4.0, 6.0), uniform(-1, 1));
        auto edge = [&](int n, double offset, std::vector<Vector3>& set) {
            for (int i = 0; i < n; ++i) {
                if (!set.empty() && chance(0.15)) {
                    int const k = integer(0, static_cast<int>(set.size()) - 1);
                    set.push_back(chance(0.5) ? set[static_cast<std::size_t>(k)]
                                              : set.back() + (length / 3) * along);
                } else {
                    set.push_back(base + uniform(0, length) * along +
                                  (offset + noise * uniform(-1, 1)) * m +
                                  Vector3(0, 0, uniform(-1, 1)));
                }
            }
        };
        edge(n1, 0.0, set1);
        edge(n2, gap, set2);
    }
};

// Sets of the smallest size the count rule allows and up to `extra` points more: two noisy
// edges, grids, or extreme coordinates.
::testing::AssertionResult samePairAverages(Generator& g, int style, int extra) {
    int const trim = g.integer(0, 3), average = g.integer(1, 4);
    int const least = 2 * (trim + average) + 1;
    int const n1 = g.integer(least, least + extra), n2 = g.integer(least, least + extra);
    Vector3 const m = g.across();
    std::vector<Vector3> set1, set2;
    if (style == 0) {
        g.edges(m, n1, n2, set1, set2);
    } else if (style == 1) {
        set1 = g.grid(n1, 3);
        set2 = g.grid(n2, 3);
    } else {
        double const undefinedChance = g.chance(0.3) ? 0.02 : 0.0;
        set1 = g.extremes(n1, undefinedChance);
        set2 = g.extremes(n2, undefinedChance);
    }
    return sameAverages(tavrisk::pairGapAverages(set1, set2, m, trim, average),
                        literal::sortedAverages(literal::pairGaps(set1, set2, m), trim, average));
}

}  // namespace

TEST(TrimmedExtremes, StreamGivesTheSortedAverages) {
    double const big = 9007199254740992.0, otherNaN = -std::nan("7");
    struct {
        std::vector<double> values;
        int trim, average;
    } const cases[] = {
        // The low sum runs upwards, the high sum downwards: 1, 1, 2^53 round differently.
        {{big, 1, 1, 5, 6, 7, 8}, 0, 3},
        // Ties across the trimmed edge, infinities at both ends, zeros of both signs.
        {{2, 2, 2, 1, 2, 2, 3}, 1, 2},
        {{kInf, -kInf, 0.0, -0.0, 0.0, kInf, 1}, 1, 2},
        // The first NaN comes back for both, whatever follows.
        {{1, 2, kNaN, 3, otherNaN, 4}, 0, 1},
        {{otherNaN, 2, kNaN, 3, 5, 4}, 1, 1},
    };
    for (auto const& c : cases) {
        EXPECT_TRUE(sameTrimmedAverages(c.values, c.trim, c.average));
    }
    RandomDraws g(31337);
    expectCases(100000, [&g](int c) {
        int const trim = g.integer(0, 4), average = g.integer(1, 5);
        std::vector<double> values(
            static_cast<std::size_t>(2 * (trim + average) + g.integer(1, 12)));
        for (double& v : values) {
            // Coarse values tie often; a few are infinite or, rarely, NaN.
            v = g.chance(0.02) ? (g.chance(0.1) ? kNaN : (g.chance(0.5) ? kInf : -kInf))
                               : g.integer(-6, 6) * (c % 2 ? 0.5 : 1e300);
        }
        return sameTrimmedAverages(values, trim, average);
    });
}

TEST(PairGapAverages, SameAsSortingEveryPairValue) {
    // A vertical line: every value is 0; with an infinite z, 0 * inf is not a number.
    std::vector<Vector3> const set1 = {{0, 0, 0}, {1, 2, 0}, {2, 1, 5}};
    std::vector<Vector3> const set2 = {{0, 5, 1}, {1, 7, kInf}, {3, 6, 2}};
    for (Vector3 const& m : {Vector3(0, 0, 0), Vector3(0, 1, 0)}) {
        ExtremeAverages const undefined = tavrisk::pairGapAverages(set1, set2, m, 0, 1);
        EXPECT_TRUE(std::isnan(undefined.low) && std::isnan(undefined.high));
    }
    Generator g(8675309);
    expectCases(100000, [&g](int c) { return samePairAverages(g, c % 3, 4); });
    // Sets of a few hundred points, where the bisection has room to stop early.
    expectCases(100, [&g](int c) { return samePairAverages(g, c % 2, 200); });
}
