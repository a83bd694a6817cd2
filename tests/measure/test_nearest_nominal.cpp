// The nearest nominal point through the k-d tree against the scan of every nominal point, on
// sets built for ties: grids, copies, points in a row, distances that underflow to 0 or overflow
// to infinity, and coordinates that are not finite on either side.
#include <algorithm>
#include <cmath>
#include <vector>

#include "gte/basis.h"
#include "measure/nearest_nominal.h"
#include "measure/xy_order.h"
#include "literal_measures.h"
#include "random_cases.h"

using namespace tavrisk_test;

namespace {

using Points = std::vector<gte_point>;

// Answers every measured point in turn from one tree, as the profile does.
::testing::AssertionResult sameNearest(Points const& nominal, Points const& measured) {
    int const n = static_cast<int>(nominal.size());
    tavrisk::NearestNominal tree(nominal.data(), n);
    for (std::size_t i = 0; i < measured.size(); ++i) {
        int const expected = literal::nearestNominal(nominal.data(), n, measured[i]);
        int const actual = tree.nearestTo(measured[i]);
        if (actual != expected) {
            return ::testing::AssertionFailure()
                   << "measured point " << i << ": " << actual << " instead of " << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

// Coordinates in the style of the case: a coarse grid (exact ties), arbitrary values, values so
// small that squares underflow or so large that they overflow; now and then not finite.
Points randomPoints(RandomDraws& g, int count, int style, double undefinedChance) {
    Points p;
    for (int i = 0; i < count; ++i) {
        double xy[2];
        for (double& v : xy) {
            v = style == 0 ? g.integer(-3, 3)
                : style == 1
                    ? 0.5 * g.integer(-8, 8) + (g.chance(0.2) ? 0x1p-40 * g.integer(-2, 2) : 0.0)
                : style == 2 ? g.integer(-3, 3) * 1e-170
                : style == 3
                    ? g.integer(-3, 3) * 1e160 + (g.chance(0.5) ? 1e300 * g.integer(-1, 1) : 0.0)
                    : g.uniform(-10, 10);
        }
        p.emplace_back(xy[0], xy[1], 0.0);
        if (g.chance(undefinedChance)) {
            (g.chance(0.5) ? p.back().x : p.back().y) = g.notFinite();
        }
    }
    return p;
}

}  // namespace

TEST(NearestNominal, TiesAndPointsThatAreNotFinite) {
    // Equally near: (0, 0) and (2, 0) from (1, 0), (1, 1) and (1, -1) too; the first index wins.
    Points const square = {{2, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, -1, 0}};
    Points const infinities = {{0, 0, 0}, {-kInf, 0, 0}, {kInf, 0, 0}, {0, kInf, 0}};
    struct {
        Points nominal;
        gte_point measured;
        int nearest;
    } const cases[] = {
        {square, {1, 0, 0}, 0},
        {square, {1, 0.5, 0}, 1},
        // Squares that underflow make every distance 0: the first index.
        {{{3e-170, 0, 0}, {1e-170, 0, 0}}, {0, 0, 0}, 0},
        // Squares that overflow are all infinite: the first index, even behind an infinity.
        {{{1e200, 0, 0}, {kInf, 0, 0}, {-1e200, 0, 0}}, {0, 1e200, 0}, 0},
        {{{kInf, 0, 0}, {1e200, 0, 0}}, {0, 1e200, 0}, 0},
        {{{kInf, 0, 0}, {1, 0, 0}}, {0, 0, 0}, 1},
        // A nominal NaN makes that distance undefined: it is kept, however near the others are.
        {{{0, 0, 0}, {5, kNaN, 0}, {0, 0, 0}, {kNaN, 0, 0}}, {0, 0, 0}, 1},
        // A measured NaN: every distance is undefined and the first stays.
        {{{0, 0, 0}, {1, 1, 0}}, {kNaN, 1, 0}, 0},
        // A measured infinity: infinity minus itself is the first undefined distance.
        {infinities, {kInf, 3, 0}, 2},
        {infinities, {1, kInf, 0}, 3},
        {{{0, 0, 0}, {-kInf, 0, 0}}, {kInf, -kInf, 0}, 0},
    };
    for (auto const& c : cases) {
        tavrisk::NearestNominal tree(c.nominal.data(), static_cast<int>(c.nominal.size()));
        EXPECT_EQ(tree.nearestTo(c.measured), c.nearest) << (&c - cases);
        EXPECT_TRUE(sameNearest(c.nominal, {c.measured})) << (&c - cases);
    }
}

TEST(NearestNominal, SameAsTheScanOnRandomAndAdversarialSets) {
    RandomDraws g(99173);
    expectCases(100000, [&g](int c) {
        int const style = c % 5;
        double const undefinedChance = c % 7 == 0 ? 0.05 : 0.0;
        Points nominal = randomPoints(g, g.integer(1, 40), style, undefinedChance);
        if (c % 11 == 0) {  // a row along x (a box without height), repeated now and then
            double const y = g.integer(-2, 2);
            for (gte_point& p : nominal) p = gte_point(g.integer(-4, 4) * 0.25, y, 0.0);
        }
        return sameNearest(nominal, randomPoints(g, g.integer(1, 6), style, undefinedChance));
    });
    // Larger trees, measured points walking along the nominal contour and jumping across it, so
    // that each query starts from a neighbour's answer or from a far one.
    expectCases(200, [&g](int) {
        int const n = g.integer(50, 400);
        Points nominal, measured;
        for (int j = 0; j < n; ++j) {
            double const a = 2 * gte::kPi * j / n;
            nominal.emplace_back(std::round(1000 * std::cos(a)) / 64,
                                 std::round(700 * std::sin(a)) / 64, 0);
        }
        for (int i = 0; i < 100; ++i) {
            gte_point const& near = nominal[g.chance(0.9) ? (i * n / 100) : g.integer(0, n - 1)];
            measured.emplace_back(near.x + g.integer(-2, 2) / 64.0,
                                  near.y + g.integer(-2, 2) / 64.0, 0);
        }
        return sameNearest(nominal, measured);
    });
}

TEST(XYOrder, EveryIndexOnceNeighboursTogetherTiesInIndexOrder) {
    // Points of a 4 x 4 grid given column by column, each twice, and two that are not finite.
    Points points;
    for (int copy = 0; copy < 2; ++copy) {
        for (int x = 0; x < 4; ++x) {
            for (int y = 0; y < 4; ++y) {
                points.push_back(gte_point(x, y, 0));
            }
        }
    }
    points.push_back(gte_point(kNaN, 1, 0));
    points.push_back(gte_point(2, -kInf, 0));
    std::vector<int> const order = tavrisk::xyOrder(points.data(), static_cast<int>(points.size()));
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        ASSERT_EQ(sorted[i], static_cast<int>(i));
    }
    // The Z order of the grid: (0,0) and its copy and the two that are not finite (the box's
    // corner), then (1,0), (0,1), (1,1), (2,0) ...
    std::vector<int> const front(order.begin(), order.begin() + 10);
    EXPECT_EQ(front, (std::vector<int>{0, 16, 32, 33, 4, 20, 1, 17, 5, 21}));
}
