// The range of the XY pair gaps in a tight loop against the running extremes pair by pair, for
// both the vector and the portable loop, on sets of every length around the unrolling, with
// ties, values that overflow, and coordinates that are not finite.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "measure/pair_range.h"
#include "literal_measures.h"
#include "random_cases.h"
#include "test_util.h"

using gte::Vector2;
using tavrisk::ValueRange;

namespace {

using Points = std::vector<gte_point>;

double const kNaN = std::numeric_limits<double>::quiet_NaN();
double const kInf = std::numeric_limits<double>::infinity();

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

::testing::AssertionResult sameRange(Points const& set1, Points const& set2, Vector2 const& n) {
    literal::Range const expected = literal::pairRangeXY(
        set1.data(), static_cast<int>(set1.size()), set2.data(), static_cast<int>(set2.size()), n);
    int const n1 = static_cast<int>(set1.size());
    int const n2 = static_cast<int>(set2.size());
    ValueRange const ranges[] = {
        tavrisk::pairRangeXY(set1.data(), n1, set2.data(), n2, n),
        tavrisk::detail::pairRangeXYPortable(set1.data(), n1, set2.data(), n2, n)};
    for (ValueRange const& r : ranges) {
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
    tavrisk_test::RandomDraws g(5150);
    auto uniform = [&g](double low, double high) { return g.uniform(low, high); };
    auto integer = [&g](int low, int high) { return g.integer(low, high); };
    static double const magnitudes[] = {1.0, 1e-310, 1e300, 0x1p1020, 0x1p1021, 1e308};
    tavrisk_test::expectCases(100000, [&](int c) {
        double const magnitude = c % 4 ? 1.0 : magnitudes[integer(0, 5)];
        bool const grid = c % 3 == 0;
        double const undefinedChance = c % 10 == 0 ? 0.05 : 0.0;
        auto point = [&]() {
            gte_point p(grid ? integer(-3, 3) : uniform(-1, 1),
                        grid ? integer(-3, 3) : uniform(-1, 1), uniform(-1, 1));
            p.x *= magnitude;
            p.y *= magnitude;
            if (uniform(0, 1) < undefinedChance) {
                double const odd[] = {kNaN, kInf, -kInf};
                (integer(0, 1) ? p.x : p.y) = odd[integer(0, 2)];
            }
            return p;
        };
        Points set1(static_cast<std::size_t>(integer(1, 6)));
        Points set2(static_cast<std::size_t>(integer(1, 13)));
        for (gte_point& p : set1) p = point();
        for (gte_point& p : set2) p = point();
        Vector2 n(uniform(-1, 1), uniform(-1, 1));
        switch (c % 7) {
            case 0:
                n = Vector2(0, 0);
                break;
            case 1:
                n = Vector2(1, 0);
                break;
            default:
                gte::Normalize(n);
                break;
        }
        return sameRange(set1, set2, n);
    });
}
