// SPDX-License-Identifier: MIT
// Minimum-zone straightness seen from above against the exhaustive exact search, the bundled
// edge and the degenerate sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "support/exact_oracles.h"
#include "form/minimum_zone_straightness.h"
#include "support/form_cases.h"

using namespace tavrisk_test;
using form_cases::Points;
using tavrisk::form::Contact;
using tavrisk::form::FormStatus;
using tavrisk::form::minimumZoneStraightness;
using tavrisk::form::StraightnessConfiguration;
using tavrisk::form::StraightnessZone;

namespace {

double placeRounding(gte::Vector3 const& mid, gte::Vector3 const& v) {
    double const largest = std::max(std::fabs(mid[0]), std::fabs(mid[1]));
    return 4.0 * (std::nextafter(largest, HUGE_VAL) - largest) + 1e-15 * gte::Length(v - mid);
}

StraightnessZone zoneOf(Points const& p) {
    return minimumZoneStraightness(p.data(), p.size());
}

// Every point within the returned lines seen from above (exact arithmetic on the returned
// doubles), and the supports on the lines their contacts name.
bool holdsAndTouches(Points const& p, StraightnessZone const& z, double tol) {
    for (auto const& v : p) {
        mpq_class const d = mpq_class(z.normal[0]) * (mpq_class(v[0]) - z.midPoint[0]) +
                            mpq_class(z.normal[1]) * (mpq_class(v[1]) - z.midPoint[1]);
        if (abs(d) >
            mpq_class(0.5 * z.width) + mpq_class(tol) + mpq_class(placeRounding(z.midPoint, v))) {
            return false;
        }
    }
    for (int k = 0; k < z.support.count; ++k) {
        auto const& s = z.support.points[static_cast<std::size_t>(k)];
        double const side = s.contact == Contact::kHigh ? 0.5 : -0.5;
        double const d = z.normal[0] * (s.point[0] - z.midPoint[0]) +
                         z.normal[1] * (s.point[1] - z.midPoint[1]) - side * z.width;
        if (std::fabs(d) > 4 * tol + placeRounding(z.midPoint, s.point))
            return false;
    }
    return true;
}

}  // namespace

TEST(MinimumZoneStraightness, AgreesWithTheExhaustiveSearchOnSmallSets) {
    form_cases::Draws d(515u);
    int failures = 0;
    for (int set = 0; set < form_cases::setCount(10000); ++set) {
        int const n = d.integer(2, 12);
        Points p;
        switch (set % 4) {
            case 0:
                p = form_cases::slab(d, n, 200.0, 0.01, 10.0, 0.0);  // an edge, seen from above
                break;
            case 1:
                p = form_cases::cloud(d, n);
                break;
            case 2:
                p = form_cases::grid(d, n, d.integer(1, 3));
                break;
            default:
                p = form_cases::slab(d, n, 100.0, 0.05, 1.0, 3e5);
        }
        StraightnessZone const z = zoneOf(p);
        mpq_class const exact = form_oracle::straightnessWidthSquared(p);
        double const tol = form_oracle::accuracyTolerance(z.width, p, 2);
        bool const ok = z.status == FormStatus::kMeasured && z.certified &&
                        form_oracle::withinOfRoot(z.width, exact, tol) &&
                        holdsAndTouches(p, z, tol);
        if (!ok && ++failures <= 5) {
            ADD_FAILURE() << "set " << set << " of " << n << ": width " << z.width << " exact "
                          << std::sqrt(exact.get_d());
        }
    }
    EXPECT_EQ(failures, 0);
}

// The bundled edge: the independently measured 0.010666, and the exhaustive search to 1e-9.
TEST(MinimumZoneStraightness, MatchesTheBundledEdge) {
    std::ifstream in(std::string(TAVRISK_DATA_DIR) + "/edge.txt");
    Points p;
    std::string line;
    while (std::getline(in, line)) {
        std::replace(line.begin(), line.end(), ',', ' ');
        std::istringstream s(line);
        double x, y, z;
        if (s >> x >> y >> z)
            p.emplace_back(x, y, z);
    }
    ASSERT_EQ(p.size(), 150u);
    StraightnessZone const z = zoneOf(p);
    EXPECT_TRUE(z.certified);
    EXPECT_NEAR(z.width, 0.010666, 5e-7);
    EXPECT_TRUE(form_oracle::withinOfRoot(z.width, form_oracle::straightnessWidthSquared(p), 1e-9));
    EXPECT_TRUE(holdsAndTouches(p, z, 1e-15));
}

TEST(MinimumZoneStraightness, RefusesOrMeasuresDegenerateSets) {
    EXPECT_EQ(zoneOf({{1, 2, 3}}).status, FormStatus::kTooFewPoints);
    EXPECT_EQ(zoneOf({{1, 2, 3}, {4, std::nan(""), 0}}).status, FormStatus::kNonFinite);
    // z is not read: a NaN height is no refusal.
    StraightnessZone const tall = zoneOf({{1, 2, std::nan("")}, {4, 5, 0}, {7, 8, 1}});
    EXPECT_EQ(tall.status, FormStatus::kMeasured);
    EXPECT_EQ(tall.width, 0.0);
    EXPECT_EQ(tall.configuration, StraightnessConfiguration::kCollinear);
    EXPECT_NEAR(std::fabs(tall.direction[0]), std::sqrt(0.5), 1e-15);

    StraightnessZone const spot = zoneOf({{1, 2, 3}, {1, 2, 7}, {1, 2, -1}});
    EXPECT_EQ(spot.width, 0.0);
    EXPECT_EQ(spot.configuration, StraightnessConfiguration::kCoincident);
    EXPECT_TRUE(spot.certified);

    // Three points: the width is the triangle's smallest height, across its longest side (from
    // (4, 0) to (1, 3)): twice the area over its length, 12 / sqrt(18).
    StraightnessZone const triangle = zoneOf({{0, 0, 0}, {4, 0, 0}, {1, 3, 0}});
    EXPECT_NEAR(triangle.width, 2.0 * std::sqrt(2.0), 1e-15);
    EXPECT_EQ(triangle.configuration, StraightnessConfiguration::kTwoPlusOne);
    EXPECT_EQ(triangle.support.points[2].index, 0u);
    EXPECT_EQ(triangle.support.points[2].contact, Contact::kHigh);
}
