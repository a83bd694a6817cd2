// SPDX-License-Identifier: MIT
// A whole-record comparison that fails names the field it found different, through nested
// records and arrays, and passes what the comparison promises to pass.
#include <array>
#include <cmath>
#include <utility>

#include "support/test_util.h"
#include "tavrisk.h"

using namespace tavrisk_test;

namespace {

std::string messageOf(::testing::AssertionResult const& result) {
    EXPECT_FALSE(result);
    return result.message();
}

}  // namespace

TEST(RecordFields, FailuresNameTheFieldThroughRecordsAndArrays) {
    gte_dist_result expected{};
    gte_dist_result actual = expected;
    actual.point2.y = 3;
    expected.point2.y = 4;
    EXPECT_EQ(messageOf(recordNear(actual, expected)), "gte_dist_result.point2.y: 3 vs 4");
    // The fields that lie before and after nested records, in the header's order.
    actual = expected;
    actual.dxz = 1;
    EXPECT_EQ(messageOf(recordNear(actual, expected)), "gte_dist_result.dxz: 1 vs 0");
    actual = expected;
    actual.direction.z = -1;
    EXPECT_EQ(messageOf(recordNear(actual, expected)), "gte_dist_result.direction.z: -1 vs 0");

    std::array<gte_point, 2> const points = {gte_point(1, 2, 3), gte_point(4, 5, 6)};
    EXPECT_EQ(messageOf(recordNear(points, doubles(1, 2, 3, 4, 5, 7))), "gte_point[1].z: 6 vs 7");
    std::pair<gte_line, gte_point> const tangent = {
        gte_line(gte_point(0, 0, 0), gte_vector(1, 0, 0)), gte_point(0, 0, 0)};
    EXPECT_EQ(messageOf(recordNear(tangent, doubles(0, 0, 0, 1, 2, 0, 0, 0, 0))),
              "pair.first.vector.y: 0 vs 2");
    EXPECT_EQ(messageOf(recordNear(gte::Vector3(1, 2, 3), gte::Vector3(1, 2, 4))),
              "Vector3.v[2]: 3 vs 4");
    EXPECT_EQ(messageOf(recordNear(doubles(1, 2), doubles(1, 5))), "double[1]: 2 vs 5");
}

TEST(RecordFields, NearPassesNaNWithNaNAndDifferencesWithinTheTolerance) {
    double const nan = std::nan("");
    EXPECT_TRUE(recordNear(gte_point(nan, 1, HUGE_VAL), gte_point(nan, 1, HUGE_VAL)));
    EXPECT_TRUE(recordNear(gte_point(0, 1, 2), doubles(0, 1.25, 2), 0.25));
    EXPECT_EQ(messageOf(recordNear(gte_point(nan, 1, 2), gte_point(0, 1, 2), 1.0)),
              "gte_point.x: nan vs 0");
    // As many digits as tell the values apart.
    double const tenths = 0.1 + 0.2;
    EXPECT_EQ(messageOf(recordNear(gte_point(0, tenths, 0), gte_point(0, 0.3, 0))),
              "gte_point.y: 0.30000000000000004 vs 0.3");
}
