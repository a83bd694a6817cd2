// The exports with fast paths against their literal forms, record bytes and return codes alike,
// on random and degenerate input: the fits, the profile, the two-set gaps and the intervals.
#include <cmath>
#include <type_traits>
#include <vector>

#include "literal_measures.h"
#include "random_cases.h"
#include "test_util.h"

using namespace tavrisk_test;

namespace {

using Points = std::vector<gte_point>;
int const kCases = 20000;

struct Range {
    double high, low;
};

// Calls both forms with the same input into poisoned outputs: the same return code and the same
// record, bit for bit except that any NaN matches any NaN (which NaN an undefined figure carries
// depends on the order the compiler gives the operands of a sum).
template <class Out, class Fast, class Slow, class... Input>
::testing::AssertionResult agree(Fast fast, Slow slow, Input... input) {
    Out a = poisoned<Out>(), b = poisoned<Out>();
    int codeA, codeB;
    if constexpr (std::is_same_v<Out, Range>) {
        codeA = static_cast<int>(fast(input..., &a.high, &a.low));
        codeB = static_cast<int>(slow(input..., &b.high, &b.low));
    } else {
        codeA = static_cast<int>(fast(input..., &a));
        codeB = static_cast<int>(slow(input..., &b));
    }
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
        return agree<gte_lseg>(gte_fit_lseg, literal::fitLseg, points.data(),
                               static_cast<int>(points.size()));
    });
    expectCases(kCases, [&g](int c) {
        Points const nominal = randomPoints(g, g.integer(1, 30), c % 5);
        Points const measured = randomPoints(g, g.integer(1, 10), c % 5);
        std::vector<gte_vector> normals;
        for (std::size_t j = 0; j < nominal.size(); ++j) {
            normals.emplace_back(g.uniform(-1, 1), g.uniform(-1, 1), g.uniform(-1, 1));
        }
        normals[0].y = c % 5 == 4 && g.chance(0.2) ? kNaN : normals[0].y;
        return agree<double>(gte_measure_profile2D, literal::profile2D, measured.data(),
                             static_cast<int>(measured.size()), nominal.data(),
                             static_cast<gte_vector const*>(normals.data()),
                             static_cast<int>(nominal.size()));
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
        auto sigma =
            agree<gte_gap_result>(gte_gapSigma_mutiPoint_mutiPoint, literal::gapSigmaTwoSets, p1,
                                  n1, p2, n2, line, trim, average, factor, useSigma);
        auto xy = agree<gte_gap_result>(gte_gapXY_mutiPoint_mutiPoint, literal::gapXYTwoSets, p1,
                                        n1, p2, n2, line);
        auto dist =
            agree<Range>(gte_dist_mutiPoint_mutiPoint, literal::distTwoSets, p1, n1, p2, n2, line);
        auto interval = agree<Range>(gte_interval_mutiPoint_line, literal::intervalLine, p1, n1,
                                     line, trim, average, factor, useSigma);
        return !sigma  ? sigma << " (gap sigma)"
               : !xy   ? xy << " (gap XY)"
               : !dist ? dist << " (distance)"
                       : interval << " (interval)";
    });
}
