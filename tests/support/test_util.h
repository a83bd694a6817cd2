// SPDX-License-Identifier: MIT
// Comparison helpers shared by the unit tests.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "gte/vector.h"
#include "support/record_fields.h"
#include "tavrisk.h"

namespace tavrisk_test {

// The same points, bit for bit (an empty list may have no storage to compare).
inline bool samePointBits(std::vector<gte::Vector3> const& a, std::vector<gte::Vector3> const& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(gte::Vector3)) == 0);
}

// Fills a record with a recognisable pattern, to prove later that nothing was written.
template <class Record>
inline Record poisoned() {
    Record r;
    std::memset(static_cast<void*>(&r), 0xA5, sizeof(Record));
    return r;
}
template <class Record>
inline bool untouched(Record const& r) {
    Record const pattern = poisoned<Record>();
    return std::memcmp(&r, &pattern, sizeof r) == 0;
}

// The number of doubles a record of doubles holds.
template <class Record>
constexpr std::size_t kDoublesIn = sizeof(Record) / sizeof(double);

// The doubles of a record made of doubles, in field order: a whole record in one comparison.
template <class Record>
inline std::array<double, kDoublesIn<Record>> doublesOf(Record const& r) {
    static_assert(sizeof(Record) % sizeof(double) == 0, "a record of doubles");
    std::array<double, kDoublesIn<Record>> values;
    std::memcpy(values.data(), &r, sizeof r);
    return values;
}

// Expected values written as a call, which keeps a table row on one or two lines.
template <class... Values>
inline std::array<double, sizeof...(Values)> doubles(Values... values) {
    return {static_cast<double>(values)...};
}

// Points given coordinate by coordinate, three to a point.
template <class... Values>
inline std::vector<gte_point> xyzPoints(Values... values) {
    static_assert(sizeof...(Values) % 3 == 0, "three coordinates to a point");
    double const v[] = {static_cast<double>(values)...};
    std::vector<gte_point> p;
    for (size_t i = 0; i < sizeof v / sizeof v[0]; i += 3) p.emplace_back(v[i], v[i + 1], v[i + 2]);
    return p;
}

// Records written as their coordinates, for tables of cases.
inline gte_line lineThrough(double x, double y, double z, double vx, double vy, double vz) {
    return gte_line(gte_point(x, y, z), gte_vector(vx, vy, vz));
}
inline gte_ray rayFrom(double x, double y, double z, double vx, double vy, double vz) {
    return gte_ray(gte_point(x, y, z), gte_vector(vx, vy, vz));
}
inline gte_lseg segmentBetween(double x1, double y1, double z1, double x2, double y2, double z2) {
    return gte_lseg(gte_point(x1, y1, z1), gte_point(x2, y2, z2));
}
inline gte_circle circleAt(double x, double y, double z, double r, double nx, double ny,
                           double nz) {
    return gte_circle(gte_point(x, y, z), r, gte_vector(nx, ny, nz));
}

// Equal, or both NaN.
inline bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The fewest digits (at least 6) that read back as value: a failure shows the digits that differ.
inline std::string digitsOf(double value) {
    std::ostringstream text;
    for (int digits = 6; digits <= 17; ++digits) {
        text.str("");
        text << std::setprecision(digits) << value;
        if (std::isnan(value) || std::strtod(text.str().c_str(), nullptr) == value) {
            break;
        }
    }
    return text.str();
}

// Every double of a record (or a std::array of records) within tol of the expected one, equal
// (infinities too) or both NaN; tol 0 asks for the exact digits. On failure the first field that
// differs, by name: "gte_dist_result.point2.y: 3 vs 4".
template <class Record>
inline ::testing::AssertionResult recordNear(Record const& actual,
                                             std::array<double, kDoublesIn<Record>> const& expected,
                                             double tol = 0.0) {
    auto const a = doublesOf(actual);
    for (size_t i = 0; i < a.size(); ++i) {
        if (!same(a[i], expected[i]) && !(std::fabs(a[i] - expected[i]) <= tol)) {
            return ::testing::AssertionFailure() << fieldName<Record>(i) << ": " << digitsOf(a[i])
                                                 << " vs " << digitsOf(expected[i]);
        }
    }
    return ::testing::AssertionSuccess();
}
// The same against an expected record.
template <class Record,
          class = std::enable_if_t<!std::is_same_v<Record, std::array<double, kDoublesIn<Record>>>>>
inline ::testing::AssertionResult recordNear(Record const& actual, Record const& expected,
                                             double tol = 0.0) {
    return recordNear(actual, doublesOf(expected), tol);
}

// Every double of a record bit for bit the expected one (which tells -0 from 0 and one NaN from
// another); on failure the first field that differs, by name.
template <class Record>
inline ::testing::AssertionResult sameRecordBits(Record const& actual, Record const& expected) {
    auto const a = doublesOf(actual), e = doublesOf(expected);
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i], &e[i], sizeof(double)) != 0) {
            return ::testing::AssertionFailure() << fieldName<Record>(i) << ": " << digitsOf(a[i])
                                                 << " vs " << digitsOf(e[i]) << " (bits differ)";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tavrisk_test

// A vector (indexed) or a point or vector record (x, y, z) against its three expected
// coordinates.
#define EXPECT_VEC3_NEAR(actual, ex, ey, ez, tol)                                               \
    EXPECT_TRUE(::tavrisk_test::recordNear(gte::Vector3((actual)[0], (actual)[1], (actual)[2]), \
                                           gte::Vector3(ex, ey, ez), tol))
#define EXPECT_POINT_NEAR(actual, ex, ey, ez, tol) \
    EXPECT_TRUE(::tavrisk_test::recordNear(actual, ::tavrisk_test::doubles(ex, ey, ez), tol))
#define EXPECT_POINT_EQ(actual, ex, ey, ez) EXPECT_POINT_NEAR(actual, ex, ey, ez, 0.0)
