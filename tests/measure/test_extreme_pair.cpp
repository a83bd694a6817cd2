// The farthest pair along a direction against the scan of every pair that it replaces, on sets
// built to make rounding decide: rows of points across the direction, copies, ties, tiny and huge
// coordinates, and sets outside the range where the shortcut holds.
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>
#include <vector>

#include "literal_measures.h"
#include "api/convert.h"
#include "measure/extreme_pair.h"
#include "tavrisk.h"
#include "random_cases.h"
#include "test_util.h"

using gte::Vector3;
using tavrisk::PointPair;

namespace {

double const kNaN = std::numeric_limits<double>::quiet_NaN();
double const kInf = std::numeric_limits<double>::infinity();

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
    std::ostringstream text;
    text.precision(17);
    text << "pair (" << actual.first << ", " << actual.second << ") instead of (" << expected.first
         << ", " << expected.second << ") along (" << d[0] << ", " << d[1] << ", " << d[2]
         << ") for";
    for (Vector3 const& v : p) {
        text << " (" << v[0] << ", " << v[1] << ", " << v[2] << ")";
    }
    return ::testing::AssertionFailure() << text.str();
}

class Generator : public tavrisk_test::RandomDraws {
public:
    using RandomDraws::RandomDraws;

    double scale() { return powerOfTen(-4.0, 7.0); }

    Vector3 unit() {
        Vector3 v(uniform(-1, 1), uniform(-1, 1), uniform(-1, 1));
        gte::Normalize(v);
        return v;
    }

    // Directions the fit can give: arbitrary, along an axis, in a coordinate plane (a zero
    // component, of either sign), and now and then one that is not unit.
    Vector3 direction() {
        switch (integer(0, 5)) {
            case 0: {
                Vector3 v = Vector3::zeroVector();
                v[integer(0, 2)] = chance(0.5) ? 1.0 : -1.0;
                return v;
            }
            case 1: {
                Vector3 v = unit();
                v[integer(0, 2)] = chance(0.5) ? 0.0 : -0.0;
                gte::Normalize(v);
                return v;
            }
            case 2: {
                Vector3 v(integer(-4, 4), integer(-4, 4), integer(-4, 4));
                gte::Normalize(v);
                return v;
            }
            default:
                return unit();
        }
    }

    // A unit vector across d.
    Vector3 across(Vector3 const& d) {
        Vector3 e = gte::Cross(d, unit());
        gte::Normalize(e);
        return e;
    }
};

// Points spread along d with some noise across it, far from the origin or near it.
std::vector<Vector3> noisyLine(Generator& g, Vector3 const& d) {
    int const n = g.integer(2, 12);
    double const length = g.scale();
    double const noise = length * g.powerOfTen(-17.0, -1.0);
    Vector3 const base(g.uniform(-1, 1) * g.scale(), g.uniform(-1, 1) * g.scale(),
                       g.uniform(-1, 1) * g.scale());
    std::vector<Vector3> p;
    for (int i = 0; i < n; ++i) {
        p.push_back(base + g.uniform(0, length) * d + noise * g.unit());
    }
    return p;
}

// Rows of points across d at both ends (and one between): their projections differ by rounding
// only, and some rows repeat points.
std::vector<Vector3> rowsAcross(Generator& g, Vector3 const& d) {
    Vector3 const e = g.across(d);
    double const length = g.scale();
    double const step = length * g.powerOfTen(-6.0, 0.0);
    Vector3 const base(g.uniform(-1, 1) * g.scale(), g.uniform(-1, 1) * g.scale(),
                       g.uniform(-1, 1) * g.scale());
    int const n = g.integer(3, 14);
    std::vector<Vector3> p;
    for (int i = 0; i < n; ++i) {
        double const along = g.chance(0.1) ? 0.5 * length : (g.chance(0.5) ? 0.0 : length);
        p.push_back(base + along * d + (g.integer(-2, 2) * step) * e);
    }
    return p;
}

// Small integer coordinates: many exact ties and repeated points.
std::vector<Vector3> smallGrid(Generator& g) {
    int const n = g.integer(2, 10);
    std::vector<Vector3> p;
    for (int i = 0; i < n; ++i) {
        p.emplace_back(g.integer(-2, 2), g.integer(-2, 2), g.integer(-2, 2));
    }
    return p;
}

// Coordinates near the bottom of the range (products underflow) or beyond the range where the
// shortcut holds, now and then not a number or infinite.
std::vector<Vector3> extremeMagnitudes(Generator& g) {
    static double const magnitudes[] = {1e-310, 1e-300, 1e-160, 1e150, 0x1p500, 0x1p501, 1e300};
    double const magnitude = magnitudes[g.integer(0, 6)];
    int const n = g.integer(2, 8);
    std::vector<Vector3> p;
    for (int i = 0; i < n; ++i) {
        Vector3 v(g.integer(-3, 3) * magnitude, g.uniform(-1, 1) * magnitude,
                  g.integer(-3, 3) * magnitude);
        if (g.chance(0.05)) {
            v[g.integer(0, 2)] = g.chance(0.5) ? kNaN : (g.chance(0.5) ? kInf : -kInf);
        }
        p.push_back(v);
    }
    return p;
}

}  // namespace

TEST(FarthestPair, TiesCopiesAndDegenerateDirections) {
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
        EXPECT_EQ(pair.first, c.pair.first);
        EXPECT_EQ(pair.second, c.pair.second);
        EXPECT_TRUE(samePair(c.points, c.direction));
    }
}

TEST(FarthestPair, SameAsEveryPairOnRandomAndAdversarialSets) {
    Generator g(20240611);
    tavrisk_test::expectCases(150000, [&g](int c) {
        Vector3 const d = g.direction();
        std::vector<Vector3> points;
        switch (c % 4) {
            case 0:
                points = noisyLine(g, d);
                break;
            case 1:
                points = rowsAcross(g, d);
                break;
            case 2:
                points = smallGrid(g);
                break;
            default:
                points = extremeMagnitudes(g);
                break;
        }
        return samePair(points, d);
    });
}
