// The farthest pair along a direction against the scan of every pair that it replaces, on sets
// built to make rounding decide: rows of points across the direction, copies, ties, tiny and huge
// coordinates, and sets outside the range where the shortcut holds.
#include <vector>

#include "literal_measures.h"
#include "api/convert.h"
#include "measure/extreme_pair.h"
#include "random_cases.h"

using gte::Vector3;
using tavrisk::PointPair;
using namespace tavrisk_test;

namespace {

// The search reads point records, as the caller passes them.
PointPair searchRecords(std::vector<Vector3> const& p, Vector3 const& d) {
    std::vector<gte_point> records;
    for (Vector3 const& v : p) {
        records.push_back(tavrisk::toPointRecord(v));
    }
    return tavrisk::farthestPairAlong(records.data(), static_cast<int>(records.size()), d);
}

::testing::AssertionResult samePair(std::vector<Vector3> const& p, Vector3 const& d) {
    literal::IndexPair const expected =
        literal::farthestPair(p.data(), static_cast<int>(p.size()), d);
    PointPair const actual = searchRecords(p, d);
    if (actual.first == expected.first && actual.second == expected.second) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pair (" << actual.first << ", " << actual.second << ") instead of ("
           << expected.first << ", " << expected.second << ")";
}

// Directions the fit can give: arbitrary, along an axis, in a coordinate plane (a zero
// component, of either sign), and now and then one that is not unit.
Vector3 direction(RandomDraws& g) {
    Vector3 v = g.unit();
    switch (g.integer(0, 5)) {
        case 0:
            v = Vector3::zeroVector();
            v[g.integer(0, 2)] = g.chance(0.5) ? 1.0 : -1.0;
            return v;
        case 1:
            v[g.integer(0, 2)] = g.chance(0.5) ? 0.0 : -0.0;
            return gte::Normalized(v);
        case 2:
            return gte::Normalized(Vector3(g.integer(-4, 4), g.integer(-4, 4), g.integer(-4, 4)));
        default:
            return v;
    }
}

// Points along d at some scale: with noise across it (a noisy line), or in rows across d at both
// ends and one between, whose projections differ by rounding only and which repeat points.
std::vector<Vector3> alongDirection(RandomDraws& g, Vector3 const& d, bool rows) {
    double const length = g.powerOfTen(-4.0, 7.0);
    Vector3 const base(g.uniform(-1, 1) * g.powerOfTen(-4.0, 7.0),
                       g.uniform(-1, 1) * g.powerOfTen(-4.0, 7.0),
                       g.uniform(-1, 1) * g.powerOfTen(-4.0, 7.0));
    Vector3 const e = gte::NormalizedCross(d, g.unit());
    double const step = length * g.powerOfTen(-6.0, 0.0);
    double const noise = length * g.powerOfTen(-17.0, -1.0);
    std::vector<Vector3> p(static_cast<std::size_t>(rows ? g.integer(3, 14) : g.integer(2, 12)));
    for (Vector3& v : p) {
        if (rows) {
            double const at = g.chance(0.1) ? 0.5 * length : (g.chance(0.5) ? 0.0 : length);
            v = base + at * d + (g.integer(-2, 2) * step) * e;
        } else {
            v = base + g.uniform(0, length) * d + noise * g.unit();
        }
    }
    return p;
}

}  // namespace

TEST(FarthestPair, SameAsEveryPair) {
    Vector3 const x(1, 0, 0);
    struct {
        std::vector<Vector3> points;
        Vector3 direction;
        PointPair pair;
    } const cases[] = {
        // The extremes in either order; repeated ends: the first copy of each.
        {{{3, 0, 0}, {-1, 0, 0}, {5, 0, 0}, {0, 0, 0}}, x, {1, 2}},
        {{{5, 0, 0}, {0, 0, 0}, {5, 0, 0}, {-1, 0, 0}, {-1, 0, 0}}, x, {0, 3}},
        // The same extreme projection at other coordinates across d: the first pair wins.
        {{{2, 1, 0}, {0, 0, 0}, {2, 0, 0}, {0, 7, 3}}, x, {0, 1}},
        // One point and its copies only, or no direction: every value is 0, the first pair wins.
        {{{1, 2, 3}, {1, 2, 3}, {1, 2, 3}}, x, {0, 1}},
        {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, Vector3(0, 0, 0), {0, 1}},
        // A NaN value is taken at once and stays.
        {{{0, 0, 0}, {9, 0, 0}, {kNaN, 0, 0}, {-9, 0, 0}}, x, {0, 2}},
        {{{0, 0, 0}, {9, 0, 0}, {1, 0, 0}}, Vector3(kNaN, 0, 0), {0, 1}},
        // Beyond the range of the shortcut: an overflowing difference is the largest value.
        {{{0, 0, 0}, {1e308, 0, 0}, {-1e308, 0, 0}}, x, {1, 2}},
    };
    for (auto const& c : cases) {
        PointPair const pair = searchRecords(c.points, c.direction);
        EXPECT_TRUE(pair.first == c.pair.first && pair.second == c.pair.second);
        EXPECT_TRUE(samePair(c.points, c.direction));
    }
    RandomDraws g(20240611);
    expectCases(150000, [&g](int c) {
        Vector3 const d = direction(g);
        switch (c % 4) {
            case 0:
            case 1:
                return samePair(alongDirection(g, d, c % 4 == 1), d);
            case 2:
                return samePair(g.grid(g.integer(2, 10), 2), d);
            default:
                return samePair(g.extremes(g.integer(2, 8), 0.05), d);
        }
    });
}
