// The exports with fast paths against their literal forms, record bytes and return codes alike,
// on random and degenerate input: the fits, the profile, the two-set gaps and the intervals.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "literal_measures.h"
#include "tavrisk.h"
#include "random_cases.h"
#include "test_util.h"

namespace {

using Points = std::vector<gte_point>;

double const kNaN = std::numeric_limits<double>::quiet_NaN();
double const kInf = std::numeric_limits<double>::infinity();
int const kCases = 20000;

// Records of doubles, compared bit for bit, except that any NaN matches any NaN: which NaN an
// undefined figure carries depends on the order the compiler gives the operands of a sum.
template <class Record>
bool sameFigures(Record const& a, Record const& b) {
    static_assert(sizeof(Record) % sizeof(double) == 0, "a record of doubles");
    std::size_t const n = sizeof(Record) / sizeof(double);
    double x[n], y[n];
    std::memcpy(x, &a, sizeof(Record));
    std::memcpy(y, &b, sizeof(Record));
    for (std::size_t i = 0; i < n; ++i) {
        if (std::memcmp(&x[i], &y[i], sizeof(double)) != 0 &&
            !(std::isnan(x[i]) && std::isnan(y[i]))) {
            return false;
        }
    }
    return true;
}

class Generator : public tavrisk_test::RandomDraws {
public:
    using RandomDraws::RandomDraws;

    // Coordinates of one case: a coarse grid (ties), near a tilted line far from the origin
    // (rounding decides), tiny (underflow) or huge, now and then not finite.
    Points points(int count, int style) {
        double const magnitude = style == 3 ? (chance(0.5) ? 1e-300 : 1e300) : 1.0;
        double const slope = uniform(-2, 2);
        double const far = style == 1 ? std::pow(10.0, integer(0, 7)) : 0.0;
        Points p;
        for (int i = 0; i < count; ++i) {
            if (!p.empty() && chance(0.1)) {
                p.push_back(
                    p[static_cast<std::size_t>(integer(0, static_cast<int>(p.size()) - 1))]);
                continue;
            }
            gte_point q;
            if (style == 0) {
                q = gte_point(integer(-3, 3), integer(-3, 3), integer(-1, 1));
            } else {
                double const t = uniform(-10, 10);
                q = gte_point(far + t, far + slope * t + 1e-3 * uniform(-1, 1), uniform(-1, 1));
            }
            q.x *= magnitude;
            q.y *= magnitude;
            q.z *= magnitude;
            if (style == 4 && chance(0.05)) {
                double const odd[] = {kNaN, kInf, -kInf};
                double* coordinates[] = {&q.x, &q.y, &q.z};
                *coordinates[integer(0, 2)] = odd[integer(0, 2)];
            }
            p.push_back(q);
        }
        return p;
    }

    gte_line line() {
        gte_vector v(uniform(-1, 1), uniform(-1, 1), uniform(-1, 1));
        switch (integer(0, 5)) {
            case 0:
                v = gte_vector(0, 0, 1);  // vertical: no direction across it in XY
                break;
            case 1:
                v = gte_vector(1, 0, 0);
                break;
            default:
                break;
        }
        return gte_line(gte_point(uniform(-5, 5), uniform(-5, 5), 0), v);
    }
};

}  // namespace

TEST(FastExports, FitLsegAsTheLiteralForm) {
    Generator g(101);
    for (int c = 0; c < kCases; ++c) {
        Points const points = g.points(g.integer(3, 14), c % 5);
        int const count = static_cast<int>(points.size());
        gte_lseg fast = poisoned<gte_lseg>();
        gte_lseg slow = poisoned<gte_lseg>();
        ASSERT_EQ(gte_fit_lseg(points.data(), count, &fast),
                  literal::fitLseg(points.data(), count, &slow))
            << "case " << c;
        ASSERT_TRUE(sameFigures(fast, slow)) << "case " << c;
    }
}

TEST(FastExports, ProfileAsTheLiteralForm) {
    Generator g(202);
    for (int c = 0; c < kCases; ++c) {
        int const style = c % 5;
        Points const nominal = g.points(g.integer(1, 30), style);
        Points const measured = g.points(g.integer(1, 10), style);
        std::vector<gte_vector> normals;
        for (std::size_t j = 0; j < nominal.size(); ++j) {
            normals.emplace_back(g.uniform(-1, 1), g.uniform(-1, 1), g.uniform(-1, 1));
        }
        if (style == 4 && g.chance(0.2)) {
            normals[0].y = kNaN;
        }
        int const m = static_cast<int>(measured.size());
        int const n = static_cast<int>(nominal.size());
        double fast = poisoned<double>(), slow = poisoned<double>();
        ASSERT_EQ(
            gte_measure_profile2D(measured.data(), m, nominal.data(), normals.data(), n, &fast),
            literal::profile2D(measured.data(), m, nominal.data(), normals.data(), n, &slow));
        ASSERT_TRUE(sameFigures(fast, slow))
            << "case " << c << ": " << fast << " instead of " << slow;
    }
}

TEST(FastExports, TwoSetGapsAsTheLiteralForms) {
    Generator g(303);
    double const factors[] = {0.0, 0.5, 1.0, 2.0, 3.0};
    for (int c = 0; c < kCases; ++c) {
        int const style = c % 5;
        int const trim = g.integer(0, 3);
        int const average = g.integer(1, 3);
        int const least = 2 * (trim + average) + 1;
        // Now and then a set one point short of the count rule.
        Points const set1 = g.points(g.integer(least - (c % 9 == 0), least + 8), style);
        Points const set2 = g.points(g.integer(least, least + 8), style);
        int const n1 = static_cast<int>(set1.size());
        int const n2 = static_cast<int>(set2.size());
        gte_line const line = g.line();
        double const factor = factors[g.integer(0, 4)];
        bool const useSigma = g.chance(0.5);

        gte_gap_result fast = poisoned<gte_gap_result>(), slow = poisoned<gte_gap_result>();
        ASSERT_EQ(gte_gapSigma_mutiPoint_mutiPoint(set1.data(), n1, set2.data(), n2, line, trim,
                                                   average, factor, useSigma, &fast),
                  literal::gapSigmaTwoSets(set1.data(), n1, set2.data(), n2, line, trim, average,
                                           factor, useSigma, &slow))
            << "case " << c;
        ASSERT_TRUE(sameFigures(fast, slow)) << "gap sigma, case " << c;

        fast = poisoned<gte_gap_result>();
        slow = poisoned<gte_gap_result>();
        ASSERT_EQ(gte_gapXY_mutiPoint_mutiPoint(set1.data(), n1, set2.data(), n2, line, &fast),
                  literal::gapXYTwoSets(set1.data(), n1, set2.data(), n2, line, &slow));
        ASSERT_TRUE(sameFigures(fast, slow)) << "gap XY, case " << c;

        double fastRange[2] = {poisoned<double>(), poisoned<double>()};
        double slowRange[2] = {poisoned<double>(), poisoned<double>()};
        ASSERT_EQ(gte_dist_mutiPoint_mutiPoint(set1.data(), n1, set2.data(), n2, line,
                                               &fastRange[0], &fastRange[1]),
                  literal::distTwoSets(set1.data(), n1, set2.data(), n2, line, &slowRange[0],
                                       &slowRange[1]));
        ASSERT_TRUE(sameFigures(fastRange, slowRange)) << "distance, case " << c;

        ASSERT_EQ(gte_interval_mutiPoint_line(set1.data(), n1, line, trim, average, factor,
                                              useSigma, &fastRange[0], &fastRange[1]),
                  literal::intervalLine(set1.data(), n1, line, trim, average, factor, useSigma,
                                        &slowRange[0], &slowRange[1]));
        ASSERT_TRUE(sameFigures(fastRange, slowRange)) << "interval, case " << c;
    }
}
