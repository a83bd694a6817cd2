// SPDX-License-Identifier: MIT
// The form exports of the second library on any point set: the bytes become the points (decoded
// one by one, small whole numbers on a grid full of ties and flat or straight subsets, or a
// scan-like slab of up to a thousand points) and the measure to take. Each call must refuse
// exactly what the header says it refuses, naming the point and coordinate at fault and leaving
// the result alone; otherwise write the whole record, the same bytes whatever it held, with a zone
// that holds every point and support points that are the points at their indexes, on the
// boundaries they name.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

#include "fuzz_support.h"
#include "tavrisk_inspect.h"

namespace {

using fuzz::Bytes;

constexpr int kMaxDecoded = 40;        // points read one by one
constexpr int kSlabStep = 4;           // a slab has 4 times a byte's value of points
constexpr int kGridReach = 3;          // grid coordinates from -3 to 3
constexpr double kLargest = 0x1p128;   // the magnitudes the header admits
constexpr double kSmallest = 0x1p-96;  // (zero aside)
// What the doubles of a check may differ by: a relative part of the points' extent, far above
// the rounding of deviations from a zone, and units in the last place of the largest coordinate.
constexpr double kRelativeSlack = 1e-9;
constexpr double kLastPlaces = 16.0;

// The bytes the result records are filled with before a call, to show what it wrote.
constexpr unsigned char kFirstPattern = 0xA5;
constexpr unsigned char kSecondPattern = 0x5A;

enum class Measure { kFlatness, kStraightness, kRoundness };

// Stops the run, naming the export, when a promise is broken.
struct Check {
    char const* name;
    void expect(bool condition, char const* what) const { fuzz::require(condition, name, what); }
};

struct Input {
    Measure measure = Measure::kFlatness;
    int criterion = TVI_CRITERION_MINIMUM_ZONE;
    std::vector<gte_point> points;
    bool nullPoints = false;  // a null array with the count of the points
    bool wrongSize = false;   // a result size this library does not know
};

// A slab as a scan gives one: a patch with a small form, turned and moved by the bytes.
void addSlab(Bytes& bytes, std::vector<gte_point>& points) {
    int const n = bytes.byte() * kSlabStep;
    double const form = 1.0 / (1 + bytes.byte());
    double const turn = bytes.byte() / 40.0;
    double const offset = bytes.number();
    std::uint64_t state = bytes.byte() + 1;
    auto const draw = [&state] {  // a fixed sequence in [-1, 1)
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<double>(state >> 11) * 0x1p-52 - 1.0;
    };
    for (int i = 0; i < n; ++i) {
        double const x = 100.0 * draw();
        double const y = 50.0 * draw();
        double const z = form * draw();
        points.emplace_back(std::cos(turn) * x - std::sin(turn) * z + offset, y + offset,
                            std::sin(turn) * x + std::cos(turn) * z + offset);
    }
}

Input decode(Bytes& bytes) {
    Input in;
    std::uint8_t const choice = bytes.byte() % 6;
    in.measure = choice == 0   ? Measure::kFlatness
                 : choice == 1 ? Measure::kStraightness
                               : Measure::kRoundness;
    in.criterion = choice < 2 ? TVI_CRITERION_MINIMUM_ZONE : choice - 1;
    std::uint8_t const flags = bytes.byte();
    in.nullPoints = (flags & 0xF0) == 0xF0;
    in.wrongSize = (flags & 0x0F) == 0x0F;
    if (flags & 1) {
        addSlab(bytes, in.points);
    }
    bool const grid = flags & 2;
    for (int i = bytes.byte() % (kMaxDecoded + 1); i > 0; --i) {
        if (grid) {
            auto const small = [&bytes] {
                return bytes.byte() % (2 * kGridReach + 1) - kGridReach;
            };
            double const x = small(), y = small(), z = small();
            in.points.emplace_back(x, y, z);
        } else {
            in.points.push_back(bytes.record<gte_point>());
        }
    }
    return in;
}

// ---------------------------------------------------------------- what the header promises

struct Expected {
    int status = TVI_OK;
    int kind = TVI_PROBLEM_NONE;
    std::uint64_t element = 0, column = 0;
};

bool admitted(double x) {
    double const m = std::fabs(x);
    return m <= kLargest && (m == 0.0 || m >= kSmallest);
}

// The refusal the header describes for these points, found coordinate by coordinate.
Expected expectedOutcome(Input const& in) {
    std::size_t const needed = in.measure == Measure::kStraightness ? 2 : 3;
    int const dimensions = in.measure == Measure::kFlatness ? 3 : 2;
    if (in.wrongSize) {
        return {TVI_BAD_ARGUMENT, TVI_PROBLEM_BAD_OPTION};
    }
    if (in.nullPoints && !in.points.empty()) {
        return {TVI_BAD_ARGUMENT, TVI_PROBLEM_NULL_ARGUMENT};
    }
    if (in.measure == Measure::kRoundness && (in.criterion < 1 || in.criterion > 4)) {
        return {TVI_BAD_ARGUMENT, TVI_PROBLEM_BAD_OPTION};
    }
    if (in.points.size() < needed) {
        return {TVI_REFUSED, TVI_PROBLEM_TOO_FEW_POINTS};
    }
    for (int pass = 0; pass < 2; ++pass) {  // not finite first, then out of range
        for (std::size_t i = 0; i < in.points.size(); ++i) {
            double const xyz[3] = {in.points[i].x, in.points[i].y, in.points[i].z};
            for (int k = 0; k < dimensions; ++k) {
                bool const fault = pass == 0 ? !std::isfinite(xyz[k]) : !admitted(xyz[k]);
                if (fault) {
                    return {TVI_REFUSED,
                            pass == 0 ? TVI_PROBLEM_NOT_FINITE : TVI_PROBLEM_OUT_OF_RANGE, i + 1,
                            static_cast<std::uint64_t>(k) + 1};
                }
            }
        }
    }
    return {};
}

// How far the checks' doubles may stray for these points.
double slackOf(std::vector<gte_point> const& points, int dimensions) {
    double extent = 0.0;
    double largest = 0.0;
    for (int k = 0; k < dimensions; ++k) {
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        for (gte_point const& p : points) {
            double const v = k == 0 ? p.x : k == 1 ? p.y : p.z;
            low = std::min(low, v);
            high = std::max(high, v);
            largest = std::max(largest, std::fabs(v));
        }
        extent = std::max(extent, high - low);
    }
    double const ulp = std::nextafter(largest, HUGE_VAL) - largest;
    return kRelativeSlack * extent + kLastPlaces * ulp;
}

double deviation(tvi_band const& zone, gte_point const& p, int dimensions) {
    double d = zone.normal.x * (p.x - zone.origin.x) + zone.normal.y * (p.y - zone.origin.y);
    if (dimensions == 3) {
        d += zone.normal.z * (p.z - zone.origin.z);
    }
    return d;
}

// The support entries are points at their indexes with a contact; the rest zero bytes.
void checkSupport(Check const& check, tvi_support_point const (&support)[4], std::size_t count,
                  std::vector<gte_point> const& points) {
    check.expect(count <= TVI_MAX_SUPPORT, "more supports than there is room for");
    for (std::size_t k = 0; k < count && k < TVI_MAX_SUPPORT; ++k) {
        tvi_support_point const& s = support[k];
        check.expect(
            s.index < points.size() && std::memcmp(&s.point, &points[s.index], sizeof s.point) == 0,
            "a support is not the point at its index");
        check.expect(s.contact == TVI_CONTACT_LOW || s.contact == TVI_CONTACT_HIGH,
                     "a support without a contact");
    }
    unsigned char const* const bytes = reinterpret_cast<unsigned char const*>(support);
    for (std::size_t i = count * sizeof support[0]; i < sizeof support; ++i) {
        check.expect(bytes[i] == 0, "an unused support entry is not zero");
    }
}

// Every point in the band, every support on its side; the offsets half the width either side.
void checkZone(Check const& check, tvi_band const& zone, tvi_support_point const (&support)[4],
               std::size_t count, std::vector<gte_point> const& points, int dimensions) {
    double const slack = slackOf(points, dimensions);
    double const length = std::sqrt(zone.normal.x * zone.normal.x + zone.normal.y * zone.normal.y +
                                    zone.normal.z * zone.normal.z);
    check.expect(std::fabs(length - 1.0) <= 1e-12, "the normal is not a unit vector");
    check.expect(std::isfinite(zone.width) && zone.width >= 0.0, "the width is no length");
    check.expect(zone.low == -0.5 * zone.width && zone.high == 0.5 * zone.width,
                 "the offsets are not half the width either side of the mid-plane");
    for (gte_point const& p : points) {
        check.expect(std::fabs(deviation(zone, p, dimensions)) <= 0.5 * zone.width + slack,
                     "a point lies outside the zone");
    }
    for (std::size_t k = 0; k < count && k < TVI_MAX_SUPPORT; ++k) {
        double const side = support[k].contact == TVI_CONTACT_HIGH ? zone.high : zone.low;
        check.expect(std::fabs(deviation(zone, support[k].point, dimensions) - side) <= slack,
                     "a support is not on the boundary its contact names");
    }
}

void checkFlatness(Check const& check, tvi_flatness_result const& r,
                   std::vector<gte_point> const& points) {
    checkSupport(check, r.support, r.support_count, points);
    checkZone(check, r.zone, r.support, r.support_count, points, 3);
    double const slack = slackOf(points, 3);
    check.expect(r.least_squares.width == r.least_squares.high - r.least_squares.low,
                 "the least-squares width is not its band's");
    check.expect(
        !r.certified || !r.least_squares_unique || r.zone.width <= r.least_squares.width + slack,
        "the minimum zone is wider than the least-squares band");
    check.expect(r.configuration >= TVI_CONFIGURATION_THREE_PLUS_ONE &&
                     r.configuration <= TVI_CONFIGURATION_COINCIDENT &&
                     r.configuration != TVI_CONFIGURATION_TWO_PLUS_ONE,
                 "no flatness configuration");
    check.expect(r.configuration < TVI_CONFIGURATION_COPLANAR || r.zone.width == 0.0,
                 "a degenerate set with a width");
}

void checkStraightness(Check const& check, tvi_straightness_result const& r,
                       std::vector<gte_point> const& points) {
    checkSupport(check, r.support, r.support_count, points);
    checkZone(check, r.zone, r.support, r.support_count, points, 2);
    check.expect(r.zone.normal.z == 0.0 && r.zone.origin.z == 0.0 && r.direction.z == 0.0,
                 "the lines are not in XY");
    check.expect(r.direction.x == r.zone.normal.y && r.direction.y == -r.zone.normal.x,
                 "the direction is not the normal turned a quarter clockwise");
    check.expect(r.configuration == TVI_CONFIGURATION_TWO_PLUS_ONE ||
                     ((r.configuration == TVI_CONFIGURATION_COLLINEAR ||
                       r.configuration == TVI_CONFIGURATION_COINCIDENT) &&
                      r.zone.width == 0.0),
                 "no straightness configuration");
}

void checkRoundness(Check const& check, tvi_roundness_result const& r,
                    std::vector<gte_point> const& points, int criterion) {
    checkSupport(check, r.support, r.support_count, points);
    double const slack = slackOf(points, 2);
    check.expect(r.criterion == criterion, "not the criterion asked for");
    check.expect(r.center.z == 0.0, "the centre is not in XY");
    check.expect(std::isfinite(r.width) && 0.0 <= r.inner_radius &&
                     r.inner_radius <= r.outer_radius + slack &&
                     std::fabs(r.width - (r.outer_radius - r.inner_radius)) <= slack,
                 "the radii and the width disagree");
    auto const distance = [&r](gte_point const& p) {
        return std::hypot(p.x - r.center.x, p.y - r.center.y);
    };
    for (gte_point const& p : points) {
        double const d = distance(p);
        check.expect(d >= r.inner_radius - slack && d <= r.outer_radius + slack,
                     "a point lies outside the circles");
    }
    for (std::size_t k = 0; k < r.support_count && k < TVI_MAX_SUPPORT; ++k) {
        double const radius =
            r.support[k].contact == TVI_CONTACT_OUTER ? r.outer_radius : r.inner_radius;
        check.expect(std::fabs(distance(r.support[k].point) - radius) <= slack,
                     "a support is not on the circle its contact names");
    }
}

// Calls the export twice on records filled with two patterns (the size set), and once without a
// problem record: the same status each time; a refusal leaves each record as it was, a success
// writes the same bytes into both.
template <class Result, class Call>
void attempt(Check const& check, Input const& in, Expected const& expected, Call&& call,
             Result& written) {
    Result first, second;
    std::memset(static_cast<void*>(&first), kFirstPattern, sizeof first);
    std::memset(static_cast<void*>(&second), kSecondPattern, sizeof second);
    first.size = second.size = in.wrongSize ? sizeof(Result) + 8 : sizeof(Result);
    Result const firstBefore = first, secondBefore = second;
    gte_point const* const points = in.nullPoints ? nullptr : in.points.data();
    tvi_problem problem;
    int const status = call(points, in.points.size(), &first, &problem);
    check.expect(status == expected.status, "not the status the header gives");
    check.expect(problem.kind == expected.kind, "not the problem the header names");
    check.expect(problem.element == expected.element && problem.column == expected.column,
                 "not the point and coordinate at fault");
    check.expect(call(points, in.points.size(), &second, nullptr) == status,
                 "the status depends on the problem record");
    if (status != TVI_OK) {
        check.expect(std::memcmp(&first, &firstBefore, sizeof first) == 0 &&
                         std::memcmp(&second, &secondBefore, sizeof second) == 0,
                     "a refusal wrote the result");
        return;
    }
    check.expect(problem.kind == TVI_PROBLEM_NONE && problem.message[0] == '\0',
                 "a success with a problem");
    check.expect(std::memcmp(&first, &second, sizeof first) == 0,
                 "the result depends on what the record held");
    written = first;
}

// Calls the export on the input and, when it measures, judges its result.
template <class Result, class Call, class Judge>
void measure(char const* name, Input const& in, Expected const& expected, Call&& call,
             Judge&& judge) {
    Check const check{name};
    Result r;
    attempt(check, in, expected, call, r);
    if (expected.status == TVI_OK) {
        judge(check, r);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    Bytes bytes(data, size);
    Input const in = decode(bytes);
    Expected expected = expectedOutcome(in);
    std::vector<gte_point> const& points = in.points;
    switch (in.measure) {
        case Measure::kFlatness:
            measure<tvi_flatness_result>(
                "tvi_flatness", in, expected, tvi_flatness,
                [&](Check const& check, auto const& r) { checkFlatness(check, r, points); });
            break;
        case Measure::kStraightness:
            measure<tvi_straightness_result>(
                "tvi_straightness_xy", in, expected, tvi_straightness_xy,
                [&](Check const& check, auto const& r) { checkStraightness(check, r, points); });
            break;
        case Measure::kRoundness: {
            auto const call = [&in](gte_point const* p, std::size_t n, tvi_roundness_result* out,
                                    tvi_problem* problem) {
                return tvi_roundness_xy(p, n, in.criterion, out, problem);
            };
            // Points that go round no centre are refused; the header names no test for them
            // beyond points on a line, so a refusal for that reason is taken as found.
            if (expected.status == TVI_OK) {
                tvi_roundness_result probe;
                probe.size = sizeof probe;
                tvi_problem problem;
                if (call(points.data(), points.size(), &probe, &problem) == TVI_REFUSED &&
                    problem.kind == TVI_PROBLEM_NO_CENTER) {
                    expected = {TVI_REFUSED, TVI_PROBLEM_NO_CENTER};
                }
            }
            measure<tvi_roundness_result>("tvi_roundness_xy", in, expected, call,
                                          [&](Check const& check, auto const& r) {
                                              checkRoundness(check, r, points, in.criterion);
                                          });
            break;
        }
    }
    return 0;
}
