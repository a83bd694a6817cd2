// Trimmed extreme averages without a sorted copy of every value, against the sorted copy: first
// for a stream of values, then for the gaps of every pair of two point sets across a direction,
// on sets built for ties, crowded values, tiny and huge coordinates, NaN and the vertical line.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <vector>

#include "measure/extreme_selection.h"
#include "measure/pair_gap_extremes.h"
#include "literal_measures.h"
#include "random_cases.h"
#include "test_util.h"

using gte::Vector3;
using tavrisk::ExtremeAverages;

namespace {

double const kNaN = std::numeric_limits<double>::quiet_NaN();
double const kInf = std::numeric_limits<double>::infinity();

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

::testing::AssertionResult sameAverages(ExtremeAverages const& actual,
                                        ExtremeAverages const& expected) {
    if (sameBits(actual.low, expected.low) && sameBits(actual.high, expected.high)) {
        return ::testing::AssertionSuccess();
    }
    std::ostringstream text;
    text.precision(17);
    text << "low " << actual.low << " high " << actual.high << " instead of " << expected.low
         << " and " << expected.high;
    return ::testing::AssertionFailure() << text.str();
}

std::string describe(std::vector<Vector3> const& set) {
    std::ostringstream text;
    text.precision(17);
    for (Vector3 const& p : set) {
        text << " (" << p[0] << ", " << p[1] << ", " << p[2] << ")";
    }
    return text.str();
}

class Generator : public tavrisk_test::RandomDraws {
public:
    using RandomDraws::RandomDraws;

    double scale() { return powerOfTen(-4.0, 6.0); }

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
            default: {
                Vector3 d(uniform(-1, 1), uniform(-1, 1), uniform(-1, 1));
                gte::Normalize(d);
                Vector3 m = gte::Cross(Vector3(0, 0, 1), d);
                gte::Normalize(m);
                return m;
            }
        }
    }

    // Two edges on either side of a line with some noise, points along them and in z.
    void edges(Vector3 const& m, int n1, int n2, std::vector<Vector3>& set1,
               std::vector<Vector3>& set2) {
        Vector3 along = gte::Cross(m, Vector3(0, 0, 1));
        if (gte::Normalize(along) == 0.0) {
            along = Vector3(1, 0, 0);
        }
        double const length = scale();
        double const gap = length * powerOfTen(-3.0, 1.0);
        double const noise = gap * powerOfTen(-16.0, -1.0);
        Vector3 const base(uniform(-1, 1) * scale(), uniform(-1, 1) * scale(), uniform(-1, 1));
        auto edge = [&](int n, double offset, std::vector<Vector3>& set) {
            for (int i = 0; i < n; ++i) {
                // Points now and then repeated, or on the same line across m (near ties).
                if (!set.empty() && chance(0.15)) {
                    set.push_back(chance(0.5) ? set[static_cast<std::size_t>(
                                                    integer(0, static_cast<int>(set.size()) - 1))]
                                              : set.back() + (length / 3) * along);
                    continue;
                }
                set.push_back(base + uniform(0, length) * along +
                              (offset + noise * uniform(-1, 1)) * m +
                              Vector3(0, 0, uniform(-1, 1)));
            }
        };
        edge(n1, 0.0, set1);
        edge(n2, gap, set2);
    }

    // Small integer coordinates: values tie everywhere.
    std::vector<Vector3> grid(int n) {
        std::vector<Vector3> set;
        for (int i = 0; i < n; ++i) {
            set.emplace_back(integer(-3, 3), integer(-3, 3), integer(-1, 1));
        }
        return set;
    }

    // Coordinates whose products underflow, or beyond the range of the shortcut; now and then a
    // coordinate that is not finite, z included.
    std::vector<Vector3> extreme(int n, double magnitude, double undefinedChance) {
        std::vector<Vector3> set;
        for (int i = 0; i < n; ++i) {
            Vector3 v(integer(-3, 3) * magnitude, uniform(-1, 1) * magnitude,
                      integer(-3, 3) * magnitude);
            if (chance(undefinedChance)) {
                v[integer(0, 2)] = chance(0.4) ? kNaN : (chance(0.5) ? kInf : -kInf);
            }
            set.push_back(v);
        }
        return set;
    }
};

// One random case of the pair gaps: sets of the smallest size the count rule allows and up to
// `extra` points more.
struct PairCase {
    std::vector<Vector3> set1, set2;
    Vector3 m;
    int trim, average;
};

PairCase randomPairCase(Generator& g, int style, int extra) {
    PairCase c;
    c.trim = g.integer(0, 3);
    c.average = g.integer(1, 4);
    int const least = 2 * (c.trim + c.average) + 1;
    int const n1 = g.integer(least, least + extra);
    int const n2 = g.integer(least, least + extra);
    c.m = g.across();
    switch (style) {
        case 0:
            g.edges(c.m, n1, n2, c.set1, c.set2);
            break;
        case 1:
            c.set1 = g.grid(n1);
            c.set2 = g.grid(n2);
            break;
        default: {
            static double const magnitudes[] = {1e-310,  1e-300,  1e-160, 1e150,
                                                0x1p500, 0x1p501, 1e300};
            double const magnitude = magnitudes[g.integer(0, 6)];
            double const undefinedChance = g.chance(0.3) ? 0.02 : 0.0;
            c.set1 = g.extreme(n1, magnitude, undefinedChance);
            c.set2 = g.extreme(n2, magnitude, undefinedChance);
            break;
        }
    }
    return c;
}

::testing::AssertionResult samePairAverages(PairCase const& c) {
    auto const result = sameAverages(
        tavrisk::pairGapAverages(c.set1, c.set2, c.m, c.trim, c.average),
        literal::sortedAverages(literal::pairGaps(c.set1, c.set2, c.m), c.trim, c.average));
    if (!result) {
        std::ostringstream text;
        text.precision(17);
        text << "\ntrim " << c.trim << " average " << c.average << " m (" << c.m[0] << ", "
             << c.m[1] << ", " << c.m[2] << ")\nset 1" << describe(c.set1) << "\nset 2"
             << describe(c.set2);
        return ::testing::AssertionFailure() << result.message() << text.str();
    }
    return result;
}

}  // namespace

TEST(TrimmedExtremes, StreamGivesTheSortedAverages) {
    double const big = 9007199254740992.0;
    double const otherNaN = -std::nan("7");
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
        tavrisk::TrimmedExtremes stream(c.trim, c.average);
        for (double v : c.values) {
            stream.offer(v);
        }
        EXPECT_TRUE(
            sameAverages(stream.averages(), literal::sortedAverages(c.values, c.trim, c.average)));
    }

    Generator g(31337);
    for (int c = 0; c < 100000; ++c) {
        int const trim = g.integer(0, 4);
        int const average = g.integer(1, 5);
        int const n = 2 * (trim + average) + g.integer(1, 12);
        std::vector<double> values;
        for (int i = 0; i < n; ++i) {
            // Coarse values tie often; a few are infinite or, rarely, NaN.
            double v = g.integer(-6, 6) * (c % 2 ? 0.5 : 1e300);
            if (g.chance(0.02)) {
                v = g.chance(0.1) ? kNaN : (g.chance(0.5) ? kInf : -kInf);
            }
            values.push_back(v);
        }
        tavrisk::TrimmedExtremes stream(trim, average);
        for (double v : values) {
            stream.offer(v);
        }
        ASSERT_TRUE(sameAverages(stream.averages(), literal::sortedAverages(values, trim, average)))
            << "case " << c;
    }
}

TEST(PairGapAverages, VerticalLineAndValuesThatAreNotNumbers) {
    std::vector<Vector3> const set1 = {{0, 0, 0}, {1, 2, 0}, {2, 1, 5}};
    std::vector<Vector3> const set2 = {{0, 5, 1}, {1, 7, 0}, {3, 6, 2}};
    Vector3 const across(0, 1, 0);
    EXPECT_TRUE(sameAverages(tavrisk::pairGapAverages(set1, set2, across, 0, 1), {3.0, 7.0}));
    // A vertical line: every value is 0; with an infinite z, 0 * inf is not a number.
    EXPECT_TRUE(
        sameAverages(tavrisk::pairGapAverages(set1, set2, Vector3(0, 0, 0), 0, 1), {0.0, 0.0}));
    std::vector<Vector3> high = set2;
    high[1][2] = kInf;
    ExtremeAverages const undefined = tavrisk::pairGapAverages(set1, high, Vector3(0, 0, 0), 0, 1);
    EXPECT_TRUE(std::isnan(undefined.low) && std::isnan(undefined.high));
    // Along a horizontal direction z adds a zero, unless z is infinite.
    EXPECT_TRUE(sameAverages(tavrisk::pairGapAverages(set1, high, across, 0, 1),
                             literal::sortedAverages(literal::pairGaps(set1, high, across), 0, 1)));
    EXPECT_TRUE(std::isnan(tavrisk::pairGapAverages(set1, high, across, 0, 1).low));
}

TEST(PairGapAverages, SameAsSortingEveryPairValue) {
    Generator g(8675309);
    tavrisk_test::expectCases(
        100000, [&g](int c) { return samePairAverages(randomPairCase(g, c % 3, 4)); });
}

TEST(PairGapAverages, SameAsSortingEveryPairValueOnLargerSets) {
    // Sets of a few hundred points, where the bisection has room to stop early.
    Generator g(1234);
    for (int c = 0; c < 100; ++c) {
        ASSERT_TRUE(samePairAverages(randomPairCase(g, c % 2, 200))) << "case " << c;
    }
}
