// SPDX-License-Identifier: MIT
// The form exports of the second library as a host meets them: the zones and least-squares
// bands the form core finds, to the bit, in the records the header lays out; degenerate sets
// measured and said so; refusals with their reasons and the caller's record untouched. The zones
// themselves are proved against exact oracles in tests/form (the band against the first
// library's flatness too), and what every record promises whatever the points (offsets half the
// width, lines in XY, unused support entries zero) by the form fuzz target's replays: these
// tests hold the exports to the core.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "form/minimum_zone_flatness.h"
#include "form/minimum_zone_straightness.h"
#include "form/roundness.h"
#include "support/form_cases.h"
#include "support/random_cases.h"
#include "support/test_util.h"
#include "tavrisk_inspect.h"

namespace form = tavrisk::form;
using tavrisk_test::sameBits;
using tavrisk_test::form_cases::Draws;
using tavrisk_test::form_cases::Points;

namespace {

std::vector<gte_point> recordsOf(Points const& points) {
    std::vector<gte_point> records;
    for (gte::Vector3 const& p : points) {
        records.emplace_back(p[0], p[1], p[2]);
    }
    return records;
}

Points bundled(char const* name) {
    tvi_points* block = nullptr;
    std::string const path = std::string(TAVRISK_DATA_DIR "/") + name;
    EXPECT_EQ(tvi_read_points_file(path.c_str(), nullptr, &block, nullptr), TVI_OK) << name;
    Points points;
    for (std::size_t i = 0; block != nullptr && i < block->count; ++i) {
        points.emplace_back(block->points[i].x, block->points[i].y, block->points[i].z);
    }
    tvi_free_points(block);
    return points;
}

// A result record as a host prepares it: the size set, every other byte a pattern that shows
// what the call wrote.
template <class Result>
Result prepared() {
    Result r = tavrisk_test::poisoned<Result>();
    r.size = sizeof r;
    return r;
}

// The record's x, y and z are the core's vector's, bit for bit.
template <class Record>
::testing::AssertionResult sameXYZ(char const* what, Record const& got,
                                   gte::Vector3 const& expected) {
    double const xyz[3] = {got.x, got.y, got.z};
    for (int k = 0; k < 3; ++k) {
        if (!tavrisk_test::sameBits(xyz[k], expected[k])) {
            return ::testing::AssertionFailure()
                   << what << "[" << k << "]: " << tavrisk_test::digitsOf(xyz[k]) << " vs "
                   << tavrisk_test::digitsOf(expected[k]);
        }
    }
    return ::testing::AssertionSuccess();
}

// The contact the header promises for each of the core's.
int contactFor(form::Contact contact) {
    return contact == form::Contact::kHigh ? TVI_CONTACT_HIGH : TVI_CONTACT_LOW;
}

// The record's support entries are the core's, in its order; the entries beyond are zero bytes.
void expectSupport(form::Supports const& core, tvi_support_point const (&got)[TVI_MAX_SUPPORT],
                   std::size_t count) {
    ASSERT_EQ(count, static_cast<std::size_t>(core.count));
    for (std::size_t k = 0; k < count; ++k) {
        form::SupportPoint const& s = core.points[k];
        EXPECT_EQ(got[k].index, s.index) << k;
        EXPECT_TRUE(sameXYZ("support point", got[k].point, s.point)) << k;
        EXPECT_EQ(got[k].contact, contactFor(s.contact)) << k;
    }
}

struct Named {
    std::string name;
    Points points;
};

// Sets of every kind the core tells apart: measured faces, thin slabs far from the origin, fat
// clouds (searched over their hull), integer grids full of ties, and flat, straight and single
// spots.
std::vector<Named> flatnessSets() {
    Draws draws(20240722);
    std::vector<Named> sets = {
        {"face", bundled("face.txt")},
        {"plate", bundled("plate.txt")},
        {"slab", tavrisk_test::form_cases::slab(draws, 500, 200, 100, 0.005, 0.0)},
        {"slab far out", tavrisk_test::form_cases::slab(draws, 300, 20, 10, 0.002, 1e6)},
        {"cloud", tavrisk_test::form_cases::cloud(draws, 40)},
        {"grid", tavrisk_test::form_cases::grid(draws, 30, 3)},
        {"plane", {{0, 0, 1}, {4, 0, 1}, {0, 3, 1}, {4, 3, 1}, {2, 1, 1}}},
        {"line", {{0, 0, 0}, {1, 2, 3}, {2, 4, 6}, {-1, -2, -3}}},
        {"spot", {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}}},
    };
    return sets;
}

// The configuration the header names for each of the core's.
int flatnessConfigurationFor(form::FlatnessConfiguration c) {
    using C = form::FlatnessConfiguration;
    return c == C::kThreePlusOne ? TVI_CONFIGURATION_THREE_PLUS_ONE
           : c == C::kTwoPlusTwo ? TVI_CONFIGURATION_TWO_PLUS_TWO
           : c == C::kCoplanar   ? TVI_CONFIGURATION_COPLANAR
           : c == C::kCollinear  ? TVI_CONFIGURATION_COLLINEAR
           : c == C::kCoincident ? TVI_CONFIGURATION_COINCIDENT
                                 : -1;
}

}  // namespace

TEST(FormZones, FlatnessGivesTheCoresZoneAndBandToTheBit) {
    int configurationsSeen = 0;
    for (Named const& set : flatnessSets()) {
        SCOPED_TRACE(set.name);
        std::vector<gte_point> const records = recordsOf(set.points);
        form::FlatnessZone const core =
            form::minimumZoneFlatness(set.points.data(), set.points.size());
        ASSERT_EQ(core.status, form::FormStatus::kMeasured);
        tvi_flatness_result r = prepared<tvi_flatness_result>();
        tvi_problem problem = tavrisk_test::poisoned<tvi_problem>();
        ASSERT_EQ(tvi_flatness(records.data(), records.size(), &r, &problem), TVI_OK);
        EXPECT_EQ(problem.kind, TVI_PROBLEM_NONE);
        EXPECT_EQ(problem.message[0], '\0');

        EXPECT_EQ(r.size, sizeof r);
        EXPECT_TRUE(sameXYZ("zone.origin", r.zone.origin, core.midPoint));
        EXPECT_TRUE(sameXYZ("zone.normal", r.zone.normal, core.normal));
        EXPECT_TRUE(sameBits(r.zone.width, core.width));

        form::LeastSquaresPlaneBand const& ls = core.leastSquares;
        EXPECT_TRUE(sameXYZ("least_squares.origin", r.least_squares.origin, ls.origin));
        EXPECT_TRUE(sameXYZ("least_squares.normal", r.least_squares.normal, ls.normal));
        EXPECT_TRUE(sameBits(r.least_squares.low, ls.low));
        EXPECT_TRUE(sameBits(r.least_squares.high, ls.high));
        EXPECT_TRUE(sameBits(r.least_squares.width, ls.width));
        EXPECT_EQ(r.least_squares_unique, ls.normalUnique ? 1 : 0);

        expectSupport(core.support, r.support, r.support_count);
        EXPECT_EQ(r.configuration, flatnessConfigurationFor(core.configuration));
        EXPECT_EQ(r.certified, core.certified ? 1 : 0);
        configurationsSeen |= 1 << r.configuration;
    }
    // The sets reach every configuration flatness has.
    EXPECT_EQ(configurationsSeen,
              (1 << TVI_CONFIGURATION_THREE_PLUS_ONE) | (1 << TVI_CONFIGURATION_TWO_PLUS_TWO) |
                  (1 << TVI_CONFIGURATION_COPLANAR) | (1 << TVI_CONFIGURATION_COLLINEAR) |
                  (1 << TVI_CONFIGURATION_COINCIDENT));
}

TEST(FormZones, StraightnessGivesTheCoresLinesToTheBit) {
    Draws draws(7);
    double const nan = std::nan("");
    std::vector<Named> const sets = {
        {"edge", bundled("edge.txt")},
        {"slab", tavrisk_test::form_cases::slab(draws, 200, 50, 0.01, 0.003, 3e5)},
        {"grid", tavrisk_test::form_cases::grid(draws, 20, 2)},
        {"line, any z", {{0, 0, nan}, {2, 1, 7}, {4, 2, -HUGE_VAL}}},
        {"spot", {{1, 2, 3}, {1, 2, -3}}},
    };
    int configurationsSeen = 0;
    for (Named const& set : sets) {
        SCOPED_TRACE(set.name);
        std::vector<gte_point> const records = recordsOf(set.points);
        form::StraightnessZone const core =
            form::minimumZoneStraightness(set.points.data(), set.points.size());
        ASSERT_EQ(core.status, form::FormStatus::kMeasured);
        tvi_straightness_result r = prepared<tvi_straightness_result>();
        ASSERT_EQ(tvi_straightness_xy(records.data(), records.size(), &r, nullptr), TVI_OK);
        EXPECT_TRUE(sameXYZ("zone.origin", r.zone.origin, core.midPoint));
        EXPECT_TRUE(sameXYZ("zone.normal", r.zone.normal, core.normal));
        EXPECT_TRUE(sameXYZ("direction", r.direction, core.direction));
        EXPECT_TRUE(sameBits(r.zone.width, core.width));
        expectSupport(core.support, r.support, r.support_count);
        int const expected = core.configuration == form::StraightnessConfiguration::kTwoPlusOne
                                 ? TVI_CONFIGURATION_TWO_PLUS_ONE
                             : core.configuration == form::StraightnessConfiguration::kCollinear
                                 ? TVI_CONFIGURATION_COLLINEAR
                                 : TVI_CONFIGURATION_COINCIDENT;
        EXPECT_EQ(r.configuration, expected);
        EXPECT_EQ(r.certified, core.certified ? 1 : 0);
        configurationsSeen |= 1 << r.configuration;
    }
    EXPECT_EQ(configurationsSeen, (1 << TVI_CONFIGURATION_TWO_PLUS_ONE) |
                                      (1 << TVI_CONFIGURATION_COLLINEAR) |
                                      (1 << TVI_CONFIGURATION_COINCIDENT));
}

TEST(FormZones, RoundnessGivesTheCoresCirclesForEachCriterion) {
    Draws draws(11);
    std::vector<Named> const sets = {
        {"ring", tavrisk_test::form_cases::ring(draws, 360, 0.0, 0.0, 25.0, 0.004)},
        {"ring far out", tavrisk_test::form_cases::ring(draws, 90, -4e5, 7e5, 3.0, 0.001)},
        {"square", {{1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}, {1, -1, 0}, {1.2, 0, 0}}},
        {"triangle", {{0, 0, 0}, {4, 0, 0}, {1, 3, 0}}},
    };
    struct Criterion {
        int tvi;
        form::RoundnessCriterion core;
    } const criteria[] = {
        {TVI_CRITERION_MINIMUM_ZONE, form::RoundnessCriterion::kMinimumZone},
        {TVI_CRITERION_LEAST_SQUARES, form::RoundnessCriterion::kLeastSquares},
        {TVI_CRITERION_MINIMUM_CIRCUMSCRIBED, form::RoundnessCriterion::kMinimumCircumscribed},
        {TVI_CRITERION_MAXIMUM_INSCRIBED, form::RoundnessCriterion::kMaximumInscribed},
    };
    for (Named const& set : sets) {
        for (Criterion const& criterion : criteria) {
            SCOPED_TRACE(set.name + ", " + tvi_criterion_name(criterion.tvi));
            std::vector<gte_point> const records = recordsOf(set.points);
            form::RoundnessCircles const core =
                form::roundness(set.points.data(), set.points.size(), criterion.core);
            tvi_roundness_result r = prepared<tvi_roundness_result>();
            tvi_problem problem;
            int const status =
                tvi_roundness_xy(records.data(), records.size(), criterion.tvi, &r, &problem);
            if (core.status == form::FormStatus::kNoCentre) {
                // A circle that runs off without bound has no centre to give.
                EXPECT_EQ(status, TVI_REFUSED);
                EXPECT_EQ(problem.kind, TVI_PROBLEM_NO_CENTER);
                continue;
            }
            ASSERT_EQ(core.status, form::FormStatus::kMeasured);
            ASSERT_EQ(status, TVI_OK) << problem.message;
            EXPECT_TRUE(sameXYZ("center", r.center, core.center));
            EXPECT_TRUE(sameBits(r.radius, core.radius));
            EXPECT_TRUE(sameBits(r.inner_radius, core.innerRadius));
            EXPECT_TRUE(sameBits(r.outer_radius, core.outerRadius));
            EXPECT_TRUE(sameBits(r.width, core.width));
            EXPECT_EQ(r.certified, core.certified ? 1 : 0);
            expectSupport(core.support, r.support, r.support_count);
        }
    }
}

namespace {

enum Measure { kFlatness, kStraightness, kRoundness };

// The result record a call is given: the one prepared, none, or one of a size this library does
// not know.
enum class Room { prepared, none, sizeZero, shorter, longer };

// What a call gave: its status and whether the result record was left as prepared.
struct Call {
    int status;
    bool untouched;
};

template <class Result, class Invoke>
Call callOn(Room room, Invoke measure) {
    Result r = prepared<Result>();
    r.size = room == Room::sizeZero  ? 0
             : room == Room::shorter ? sizeof r - 8
             : room == Room::longer  ? sizeof r + 8
                                     : sizeof r;
    Result const before = r;
    int const status = measure(room == Room::none ? nullptr : &r);
    return {status, std::memcmp(&r, &before, sizeof r) == 0};
}

Call call(Measure measure, gte_point const* points, std::size_t count, tvi_problem* problem,
          int criterion, Room room = Room::prepared) {
    if (measure == kFlatness) {
        return callOn<tvi_flatness_result>(
            room, [&](tvi_flatness_result* r) { return tvi_flatness(points, count, r, problem); });
    }
    if (measure == kStraightness) {
        return callOn<tvi_straightness_result>(room, [&](tvi_straightness_result* r) {
            return tvi_straightness_xy(points, count, r, problem);
        });
    }
    return callOn<tvi_roundness_result>(room, [&](tvi_roundness_result* r) {
        return tvi_roundness_xy(points, count, criterion, r, problem);
    });
}

}  // namespace

// Every refusal names its reason, with the point and coordinate at fault where there is one, and
// leaves the result as the caller prepared it; a null problem record changes nothing else.
// (Two points for flatness and points in line for roundness: the Python package's form tests.)
TEST(FormZones, RefusalsNameTheReasonAndLeaveTheResultAlone) {
    double const nan = std::nan("");
    double const inf = HUGE_VAL;
    struct Row {
        char const* what;
        Measure measure;
        std::vector<gte_point> points;
        int status;
        int kind;
        std::uint64_t element, column, count, expected;
        char const* text;
        int criterion = TVI_CRITERION_MINIMUM_ZONE;
    };
    auto const p = [](auto... v) { return tavrisk_test::xyzPoints(v...); };
    Row const rows[] = {
        {"no points", kFlatness, {}, TVI_REFUSED, TVI_PROBLEM_TOO_FEW_POINTS, 0, 0, 0, 3, ""},
        {"one point from above", kStraightness, p(0, 0, 0), TVI_REFUSED, TVI_PROBLEM_TOO_FEW_POINTS,
         0, 0, 1, 2, ""},
        {"NaN z", kFlatness, p(0, 0, 0, 1, 0, 0, 0, 1, nan, 1, 1, 1), TVI_REFUSED,
         TVI_PROBLEM_NOT_FINITE, 3, 3, 0, 0, "nan"},
        {"infinite y", kRoundness, p(0, 0, 0, 1, -inf, 0, 0, 1, 0), TVI_REFUSED,
         TVI_PROBLEM_NOT_FINITE, 2, 2, 0, 0, "-inf"},
        {"too large x", kFlatness, p(0, 0, 0, 1, 0, 0, 0, 1, 0, 1e39, 1, 1), TVI_REFUSED,
         TVI_PROBLEM_OUT_OF_RANGE, 4, 1, 0, 0, "1e+39"},
        {"too small y", kStraightness, p(0, 0, 0, 1, 1e-30, 0), TVI_REFUSED,
         TVI_PROBLEM_OUT_OF_RANGE, 2, 2, 0, 0, "1e-30"},
        // Out of range earlier, not a number later: the core refuses the NaN first.
        {"NaN after a large value", kFlatness, p(1e40, 0, 0, 1, 0, 0, 0, 1, 0, 0, nan, 1),
         TVI_REFUSED, TVI_PROBLEM_NOT_FINITE, 4, 2, 0, 0, "nan"},
        {"unknown criterion", kRoundness, p(1, 0, 0, 0, 1, 0, -1, 0, 0), TVI_BAD_ARGUMENT,
         TVI_PROBLEM_BAD_OPTION, 0, 0, 0, 0, "", 5},
        {"no criterion", kRoundness, p(1, 0, 0, 0, 1, 0, -1, 0, 0), TVI_BAD_ARGUMENT,
         TVI_PROBLEM_BAD_OPTION, 0, 0, 0, 0, "", 0},
    };
    for (Row const& row : rows) {
        SCOPED_TRACE(row.what);
        gte_point const* points = row.points.empty() ? nullptr : row.points.data();
        tvi_problem problem = tavrisk_test::poisoned<tvi_problem>();
        Call const told = call(row.measure, points, row.points.size(), &problem, row.criterion);
        Call const silent = call(row.measure, points, row.points.size(), nullptr, row.criterion);
        EXPECT_EQ(told.status, row.status);
        EXPECT_EQ(silent.status, row.status);
        EXPECT_TRUE(told.untouched && silent.untouched) << "a refusal wrote the result";
        EXPECT_EQ(problem.kind, row.kind) << problem.message;
        EXPECT_EQ(problem.element, row.element);
        EXPECT_EQ(problem.column, row.column);
        EXPECT_EQ(problem.count, row.count);
        EXPECT_EQ(problem.expected, row.expected);
        EXPECT_STREQ(problem.text, row.text);
        EXPECT_EQ(problem.line, 0u);
        EXPECT_EQ(problem.offset, TVI_NO_OFFSET);
        EXPECT_NE(problem.message[0], '\0');
    }
}

// A call that is wrong whatever the points: no result record, a record of a size this library
// does not know, a count without points.
TEST(FormZones, RefuseCallsWithoutRoomOrPoints) {
    std::vector<gte_point> const points = tavrisk_test::xyzPoints(0, 0, 0, 1, 0, 0, 0, 1, 0);
    for (Measure measure : {kFlatness, kStraightness, kRoundness}) {
        SCOPED_TRACE(measure);
        tvi_problem problem;
        EXPECT_EQ(call(measure, points.data(), 3, &problem, TVI_CRITERION_MINIMUM_ZONE, Room::none)
                      .status,
                  TVI_BAD_ARGUMENT);
        EXPECT_EQ(problem.kind, TVI_PROBLEM_NULL_ARGUMENT);
        for (Room room : {Room::sizeZero, Room::shorter, Room::longer}) {
            Call const got =
                call(measure, points.data(), 3, &problem, TVI_CRITERION_MINIMUM_ZONE, room);
            EXPECT_EQ(got.status, TVI_BAD_ARGUMENT);
            EXPECT_TRUE(got.untouched);
            EXPECT_EQ(problem.kind, TVI_PROBLEM_BAD_OPTION);
        }
        Call const got = call(measure, nullptr, 5, &problem, TVI_CRITERION_MINIMUM_ZONE);
        EXPECT_EQ(got.status, TVI_BAD_ARGUMENT);
        EXPECT_TRUE(got.untouched);
        EXPECT_EQ(problem.kind, TVI_PROBLEM_NULL_ARGUMENT);
    }
}

// The names hosts show are checked through the Python package; here only what falls outside.
TEST(FormZones, NameUnknownCriteriaAndConfigurationsSo) {
    for (int unknown : {0, -1, 7, 1000}) {
        EXPECT_STREQ(tvi_configuration_name(unknown), "unknown");
    }
    for (int unknown : {0, -1, 5}) {
        EXPECT_STREQ(tvi_criterion_name(unknown), "unknown");
    }
}
