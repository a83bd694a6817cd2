// The nearest nominal point through the k-d tree against the scan of every nominal point, on
// sets built for ties: grids, copies, points in a row, distances that underflow to 0 or overflow
// to infinity, and coordinates that are not finite on either side.
#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "gte/basis.h"
#include "measure/nearest_nominal.h"
#include "literal_measures.h"
#include "tavrisk.h"
#include "random_cases.h"
#include "test_util.h"

namespace {

using Points = std::vector<gte_point>;

double const kNaN = std::numeric_limits<double>::quiet_NaN();
double const kInf = std::numeric_limits<double>::infinity();

int scanNearest(Points const& nominal, gte_point const& m) {
    return literal::nearestNominal(nominal.data(), static_cast<int>(nominal.size()), m);
}

std::string describe(Points const& points) {
    std::ostringstream text;
    text.precision(17);
    for (gte_point const& p : points) {
        text << " (" << p.x << ", " << p.y << ")";
    }
    return text.str();
}

// Answers every measured point in turn from one tree, as the profile does.
::testing::AssertionResult sameNearest(Points const& nominal, Points const& measured) {
    tavrisk::NearestNominal tree(nominal.data(), static_cast<int>(nominal.size()));
    for (std::size_t i = 0; i < measured.size(); ++i) {
        int const expected = scanNearest(nominal, measured[i]);
        int const actual = tree.nearestTo(measured[i]);
        if (actual != expected) {
            return ::testing::AssertionFailure()
                   << "measured point " << i << ": " << actual << " instead of " << expected
                   << "\nnominal" << describe(nominal) << "\nmeasured" << describe(measured);
        }
    }
    return ::testing::AssertionSuccess();
}

class Generator : public tavrisk_test::RandomDraws {
public:
    using RandomDraws::RandomDraws;

    // One coordinate in the style of the case: a coarse grid (exact ties), arbitrary values,
    // values so small that squares underflow or so large that they overflow.
    double coordinate(int style) {
        switch (style) {
            case 0:
                return integer(-3, 3);
            case 1:
                return 0.5 * integer(-8, 8) + (chance(0.2) ? 0x1p-40 * integer(-2, 2) : 0.0);
            case 2:
                return integer(-3, 3) * 1e-170;
            case 3:
                return integer(-3, 3) * 1e160 + (chance(0.5) ? 1e300 * integer(-1, 1) : 0.0);
            default:
                return uniform(-10, 10);
        }
    }

    gte_point point(int style, double undefinedChance) {
        gte_point p(coordinate(style), coordinate(style), 0.0);
        if (chance(undefinedChance)) {
            double const odd[] = {kNaN, kInf, -kInf};
            (chance(0.5) ? p.x : p.y) = odd[integer(0, 2)];
        }
        return p;
    }

    Points points(int count, int style, double undefinedChance) {
        Points p;
        for (int i = 0; i < count; ++i) {
            p.push_back(point(style, undefinedChance));
        }
        return p;
    }

    // Nominal points in a row along x (a box without height), repeated now and then.
    Points row(int count) {
        Points p;
        double const y = integer(-2, 2);
        for (int i = 0; i < count; ++i) {
            p.emplace_back(integer(-4, 4) * 0.25, y, 0.0);
        }
        return p;
    }
};

}  // namespace

TEST(NearestNominal, TiesAndPointsThatAreNotFinite) {
    // Equally near: (0, 0) and (2, 0) from (1, 0), (1, 1) and (1, -1) too; the first index wins.
    Points const square = {{2, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, -1, 0}};
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
        {{{0, 0, 0}, {-kInf, 0, 0}, {kInf, 0, 0}, {0, kInf, 0}}, {kInf, 3, 0}, 2},
        {{{0, 0, 0}, {-kInf, 0, 0}, {kInf, 0, 0}, {0, kInf, 0}}, {1, kInf, 0}, 3},
        {{{0, 0, 0}, {-kInf, 0, 0}}, {kInf, -kInf, 0}, 0},
    };
    for (auto const& c : cases) {
        tavrisk::NearestNominal tree(c.nominal.data(), static_cast<int>(c.nominal.size()));
        EXPECT_EQ(tree.nearestTo(c.measured), c.nearest) << describe(c.nominal);
        EXPECT_EQ(scanNearest(c.nominal, c.measured), c.nearest) << describe(c.nominal);
    }
}

TEST(NearestNominal, SameAsTheScanOnRandomAndAdversarialSets) {
    Generator g(99173);
    tavrisk_test::expectCases(100000, [&g](int c) {
        int const style = c % 5;
        double const undefinedChance = c % 7 == 0 ? 0.05 : 0.0;
        Points const nominal = c % 11 == 0 ? g.row(g.integer(1, 40))
                                           : g.points(g.integer(1, 40), style, undefinedChance);
        Points const measured = g.points(g.integer(1, 6), style, undefinedChance);
        return sameNearest(nominal, measured);
    });
}

TEST(NearestNominal, SameAsTheScanAlongAContour) {
    // Larger trees, measured points walking along the nominal contour and jumping across it, so
    // that each query starts from a neighbour's answer or from a far one.
    Generator g(4242);
    for (int c = 0; c < 200; ++c) {
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
        ASSERT_TRUE(sameNearest(nominal, measured)) << "case " << c;
    }
}
