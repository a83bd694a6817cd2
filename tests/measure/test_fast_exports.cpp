// The exports with fast paths against their literal forms, record bytes and return codes alike,
// on random and degenerate input: the fits, the profile, the two-set gaps and the intervals.
#include <cmath>
#include <vector>

#include "literal_measures.h"
#include "random_cases.h"
#include "test_util.h"

using namespace tavrisk_test;

namespace {

using Points = std::vector<gte_point>;
int const kCases = 20000;

// Calls both forms into poisoned outputs: the same return code and the same record, bit for bit
// except that any NaN matches any NaN (which NaN an undefined figure carries depends on the order
// the compiler gives the operands of a sum).
template <class Out, class Fast, class Slow>
::testing::AssertionResult agree(Fast fast, Slow slow) {
    Out a = poisoned<Out>(), b = poisoned<Out>();
    int const codeA = static_cast<int>(fast(&a)), codeB = static_cast<int>(slow(&b));
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

struct Range {
    double high, low;
};

// Coordinates of one case: a coarse grid (ties), near a tilted line far from the origin
// (rounding decides), tiny (underflow) or huge, now and then not finite; points repeat.
Points randomPoints(RandomDraws& g, int count, int style) {
    double const magnitude = style == 3 ? (g.chance(0.5) ? 1e-300 : 1e300) : 1.0;
    double const slope = g.uniform(-2, 2);
    double const far = style == 1 ? std::pow(10.0, g.integer(0, 7)) : 0.0;
    Points p;
    for (int i = 0; i < count; ++i) {
        if (!p.empty() && g.chance(0.1)) {
            p.push_back(p[static_cast<std::size_t>(g.integer(0, static_cast<int>(p.size()) - 1))]);
            continue;
        }
        double const t = g.uniform(-10, 10);
        gte_point q = style == 0 ? gte_point(g.integer(-3, 3), g.integer(-3, 3), g.integer(-1, 1))
                                 : gte_point(far + t, far + slope * t + 1e-3 * g.uniform(-1, 1),
                                             g.uniform(-1, 1));
        q = gte_point(q.x * magnitude, q.y * magnitude, q.z * magnitude);
        if (style == 4 && g.chance(0.05)) {
            double* coordinates[] = {&q.x, &q.y, &q.z};
            *coordinates[g.integer(0, 2)] = g.notFinite();
        }
        p.push_back(q);
    }
    return p;
}

// Any line, along x, or vertical (no direction across it in XY).
gte_line randomLine(RandomDraws& g) {
    gte_vector v(g.uniform(-1, 1), g.uniform(-1, 1), g.uniform(-1, 1));
    int const kind = g.integer(0, 5);
    v = kind == 0 ? gte_vector(0, 0, 1) : kind == 1 ? gte_vector(1, 0, 0) : v;
    return gte_line(gte_point(g.uniform(-5, 5), g.uniform(-5, 5), 0), v);
}

}  // namespace

TEST(FastExports, FitLsegAndProfileAsTheLiteralForms) {
    RandomDraws g(101);
    expectCases(kCases, [&g](int c) {
        Points const points = randomPoints(g, g.integer(3, 14), c % 5);
        int const n = static_cast<int>(points.size());
        return agree<gte_lseg>([&](gte_lseg* s) { return gte_fit_lseg(points.data(), n, s); },
                               [&](gte_lseg* s) { return literal::fitLseg(points.data(), n, s); });
    });
    expectCases(kCases, [&g](int c) {
        Points const nominal = randomPoints(g, g.integer(1, 30), c % 5);
        Points const measured = randomPoints(g, g.integer(1, 10), c % 5);
        std::vector<gte_vector> normals;
        for (std::size_t j = 0; j < nominal.size(); ++j) {
            normals.emplace_back(g.uniform(-1, 1), g.uniform(-1, 1), g.uniform(-1, 1));
        }
        normals[0].y = c % 5 == 4 && g.chance(0.2) ? kNaN : normals[0].y;
        int const m = static_cast<int>(measured.size()), n = static_cast<int>(nominal.size());
        return agree<double>(
            [&](double* p) {
                return gte_measure_profile2D(measured.data(), m, nominal.data(), normals.data(), n,
                                             p);
            },
            [&](double* p) {
                return literal::profile2D(measured.data(), m, nominal.data(), normals.data(), n, p);
            });
    });
}

TEST(FastExports, TwoSetGapsAsTheLiteralForms) {
    RandomDraws g(303);
    double const factors[] = {0.0, 0.5, 1.0, 2.0, 3.0};
    expectCases(kCases, [&](int c) {
        int const style = c % 5, trim = g.integer(0, 3), average = g.integer(1, 3);
        int const least = 2 * (trim + average) + 1;
        // Now and then a set one point short of the count rule.
        Points const s1 = randomPoints(g, g.integer(least - (c % 9 == 0), least + 8), style);
        Points const s2 = randomPoints(g, g.integer(least, least + 8), style);
        gte_point const *p1 = s1.data(), *p2 = s2.data();
        int const n1 = static_cast<int>(s1.size()), n2 = static_cast<int>(s2.size());
        gte_line const line = randomLine(g);
        double const factor = factors[g.integer(0, 4)];
        bool const useSigma = g.chance(0.5);
        auto sigma = agree<gte_gap_result>(
            [&](gte_gap_result* r) {
                return gte_gapSigma_mutiPoint_mutiPoint(p1, n1, p2, n2, line, trim, average, factor,
                                                        useSigma, r);
            },
            [&](gte_gap_result* r) {
                return literal::gapSigmaTwoSets(p1, n1, p2, n2, line, trim, average, factor,
                                                useSigma, r);
            });
        auto xy = agree<gte_gap_result>(
            [&](gte_gap_result* r) {
                return gte_gapXY_mutiPoint_mutiPoint(p1, n1, p2, n2, line, r);
            },
            [&](gte_gap_result* r) { return literal::gapXYTwoSets(p1, n1, p2, n2, line, r); });
        auto dist = agree<Range>(
            [&](Range* r) {
                return gte_dist_mutiPoint_mutiPoint(p1, n1, p2, n2, line, &r->high, &r->low);
            },
            [&](Range* r) {
                return literal::distTwoSets(p1, n1, p2, n2, line, &r->high, &r->low);
            });
        auto interval = agree<Range>(
            [&](Range* r) {
                return gte_interval_mutiPoint_line(p1, n1, line, trim, average, factor, useSigma,
                                                   &r->high, &r->low);
            },
            [&](Range* r) {
                return literal::intervalLine(p1, n1, line, trim, average, factor, useSigma,
                                             &r->high, &r->low);
            });
        return !sigma  ? sigma << " (gap sigma)"
               : !xy   ? xy << " (gap XY)"
               : !dist ? dist << " (distance)"
                       : interval << " (interval)";
    });
}
