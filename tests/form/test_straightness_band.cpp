// SPDX-License-Identifier: MIT
// The straightness export against its definition evaluated point by point, bit for bit: the band
// and every deviation, on lines of every kind and points at every distance from them, down to
// the rounding of their coordinates where only the definition can tell the sign.
#include <cmath>
#include <vector>

#include "support/literal_measures.h"
#include "support/random_cases.h"

using namespace tavrisk_test;

namespace {

// Points on the line at random places, each moved across it horizontally by a distance of any
// size (or not at all), of either sign: deviations from far beyond to well below the rounding of
// the coordinates.
std::vector<gte_point> pointsAbout(RandomDraws& g, gte_line const& line, int count) {
    gte::Vector3 const d(line.vector.x, line.vector.y, line.vector.z);
    gte::Vector3 across(d[1], -d[0], 0.0);
    if (!(gte::Normalize(across) > 0.0)) {
        across = gte::Vector3(0.0, 1.0, 0.0);
    }
    double const length = g.powerOfTen(-3, 6);
    double const reach = g.powerOfTen(-22, 2);
    std::vector<gte_point> points;
    for (int i = 0; i < count; ++i) {
        double const at = g.uniform(-1, 1) * length;
        double const off = g.chance(0.1) ? 0.0 : g.uniform(-1, 1) * reach;
        gte::Vector3 const p =
            gte::Vector3(line.pt.x, line.pt.y, line.pt.z) + at * d + off * across;
        points.emplace_back(p[0], p[1], p[2]);
    }
    return points;
}

}  // namespace

TEST(StraightnessBand, DeviationsAndBandAsTheDefinition) {
    RandomDraws g(7001);
    std::vector<double> expected, actual;
    expectCases(100000, [&](int c) {
        // Mostly a few points; now and then enough for several blocks.
        int const count = c % 97 == 0 ? g.integer(250, 800) : g.integer(1, 12);
        gte::Vector3 const d = g.direction();
        gte::Vector3 const o(g.uniform(-1, 1) * g.powerOfTen(-3, 7), g.uniform(-1, 1) * 100,
                             g.uniform(-1, 1));
        gte_line const line(gte_point(o[0], o[1], o[2]), gte_vector(d[0], d[1], d[2]));
        std::vector<gte_point> const points =
            c % 3 == 0 ? g.points(count, c % g.kKinds, d, 0.01) : pointsAbout(g, line, count);
        expected.assign(points.size(), 0.5);
        actual.assign(points.size(), 0.25);
        bool const keepDeviations = c % 5 != 0;
        double const want = literal::straightness(points.data(), count, line, expected.data());
        double const got = gte_straightness_xy_line(points.data(), count, line,
                                                    keepDeviations ? actual.data() : nullptr);
        if (!sameBits(got, want)) {
            return ::testing::AssertionFailure()
                   << "straightness " << got << " instead of " << want;
        }
        for (int i = 0; keepDeviations && i < count; ++i) {
            if (!sameBits(actual[i], expected[i])) {
                return ::testing::AssertionFailure()
                       << "deviation " << i << ": " << actual[i] << " instead of " << expected[i];
            }
        }
        return ::testing::AssertionSuccess();
    });
}
