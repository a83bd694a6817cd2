// The range of the XY pair gaps in a tight loop against the running extremes pair by pair, for
// both the vector and the portable loop, on sets of every length around the unrolling, with
// ties, values that overflow, and coordinates that are not finite.
#include <vector>

#include "measure/pair_range.h"
#include "literal_measures.h"
#include "random_cases.h"

using gte::Vector2;
using namespace tavrisk_test;

namespace {

using Points = std::vector<gte_point>;

::testing::AssertionResult sameRange(Points const& set1, Points const& set2, Vector2 const& n) {
    int const n1 = static_cast<int>(set1.size()), n2 = static_cast<int>(set2.size());
    literal::Range const expected = literal::pairRangeXY(set1.data(), n1, set2.data(), n2, n);
    tavrisk::ValueRange const ranges[] = {
        tavrisk::pairRangeXY(set1.data(), n1, set2.data(), n2, n),
        tavrisk::detail::pairRangeXYPortable(set1.data(), n1, set2.data(), n2, n)};
    for (tavrisk::ValueRange const& r : ranges) {
        if (!sameBits(r.low, expected.low) || !sameBits(r.high, expected.high)) {
            return ::testing::AssertionFailure()
                   << "range " << r.low << " .. " << r.high << " instead of " << expected.low
                   << " .. " << expected.high << " for sets of " << n1 << " and " << n2;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(PairRangeXY, SameAsRunningExtremesPairByPair) {
    RandomDraws g(5150);
    static double const magnitudes[] = {1.0, 1e-310, 1e300, 0x1p1020, 0x1p1021, 1e308};
    expectCases(100000, [&](int c) {
        double const magnitude = c % 4 ? 1.0 : magnitudes[g.integer(0, 5)];
        bool const grid = c % 3 == 0;
        double const undefinedChance = c % 10 == 0 ? 0.05 : 0.0;
        auto coordinate = [&] { return magnitude * (grid ? g.integer(-3, 3) : g.uniform(-1, 1)); };
        Points set1(static_cast<std::size_t>(g.integer(1, 6)));
        Points set2(static_cast<std::size_t>(g.integer(1, 13)));
        for (Points* set : {&set1, &set2}) {
            for (gte_point& p : *set) {
                p = gte_point(coordinate(), coordinate(), g.uniform(-1, 1));
                if (g.chance(undefinedChance)) {
                    (g.integer(0, 1) ? p.x : p.y) = g.notFinite();
                }
            }
        }
        Vector2 n = c % 7 == 0   ? Vector2(0, 0)
                    : c % 7 == 1 ? Vector2(1, 0)
                                 : gte::Normalized(Vector2(g.uniform(-1, 1), g.uniform(-1, 1)));
        return sameRange(set1, set2, n);
    });
}
