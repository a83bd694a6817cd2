// SPDX-License-Identifier: MIT
// Form by the minimum zone: flatness, straightness and roundness as the form core measures them,
// handed to the host's result records figure for figure. Nothing is computed here but the
// records' layout: the exports give the bits the core gives.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "api/export_guard.h"
#include "api/problem_record.h"
#include "api/record_values.h"
#include "form/minimum_zone_flatness.h"
#include "form/minimum_zone_straightness.h"
#include "form/roundness.h"
#include "inspect/form_refusal.h"
#include "reading/problem_messages.h"
#include "tavrisk_inspect.h"

namespace tavrisk {

namespace {

static_assert(sizeof(gte::Vector3) == sizeof(gte_point) &&
                  alignof(gte::Vector3) == alignof(gte_point) &&
                  std::is_standard_layout_v<gte::Vector3> &&
                  std::is_trivially_copyable_v<gte::Vector3>,
              "the core reads the caller's point records in place, as three doubles each");

// The core reads the caller's records where they lie: a scan of a million points is not
// copied. The records are only read, during the call.
gte::Vector3 const* corePoints(gte_point const* points) {
    return reinterpret_cast<gte::Vector3 const*>(points);
}

constexpr FormMeasure kFlatness{"flatness", 3, 3};
constexpr FormMeasure kStraightness{"straightness", 2, 2};
constexpr FormMeasure kRoundness{"roundness", 3, 2};

int contactOf(form::Contact contact) {
    return contact == form::Contact::kHigh ? TVI_CONTACT_HIGH : TVI_CONTACT_LOW;
}

// The core's support points into the record's room; the entries beyond stay zero.
void writeSupport(form::Supports const& supports, tvi_support_point (&room)[TVI_MAX_SUPPORT],
                  std::size_t& count) {
    count = static_cast<std::size_t>(supports.count);
    for (std::size_t k = 0; k < count; ++k) {
        form::SupportPoint const& s = supports.points[k];
        room[k].point = toPointRecord(s.point);
        room[k].index = s.index;
        room[k].contact = contactOf(s.contact);
    }
}

// A minimum zone given by its mid-plane: its offsets are half its width either side (halving is
// exact, so high - low is the width to the bit).
tvi_band zoneAbout(gte::Vector3 const& midPoint, gte::Vector3 const& normal, double width) {
    return tvi_band{toPointRecord(midPoint), toVectorRecord(normal), -0.5 * width, 0.5 * width,
                    width};
}

int configurationOf(form::FlatnessConfiguration configuration) {
    switch (configuration) {
        case form::FlatnessConfiguration::kThreePlusOne:
            return TVI_CONFIGURATION_THREE_PLUS_ONE;
        case form::FlatnessConfiguration::kTwoPlusTwo:
            return TVI_CONFIGURATION_TWO_PLUS_TWO;
        case form::FlatnessConfiguration::kCoplanar:
            return TVI_CONFIGURATION_COPLANAR;
        case form::FlatnessConfiguration::kCollinear:
            return TVI_CONFIGURATION_COLLINEAR;
        case form::FlatnessConfiguration::kCoincident:
            break;
    }
    return TVI_CONFIGURATION_COINCIDENT;
}

int configurationOf(form::StraightnessConfiguration configuration) {
    switch (configuration) {
        case form::StraightnessConfiguration::kTwoPlusOne:
            return TVI_CONFIGURATION_TWO_PLUS_ONE;
        case form::StraightnessConfiguration::kCollinear:
            return TVI_CONFIGURATION_COLLINEAR;
        case form::StraightnessConfiguration::kCoincident:
            break;
    }
    return TVI_CONFIGURATION_COINCIDENT;
}

tvi_flatness_result flatnessRecord(form::FlatnessZone const& zone) {
    tvi_flatness_result r;
    std::memset(static_cast<void*>(&r), 0, sizeof r);  // padding too: the bytes are defined
    r.zone = zoneAbout(zone.midPoint, zone.normal, zone.width);
    form::LeastSquaresPlaneBand const& ls = zone.leastSquares;
    r.least_squares =
        tvi_band{toPointRecord(ls.origin), toVectorRecord(ls.normal), ls.low, ls.high, ls.width};
    writeSupport(zone.support, r.support, r.support_count);
    r.configuration = configurationOf(zone.configuration);
    r.certified = zone.certified ? 1 : 0;
    r.least_squares_unique = ls.normalUnique ? 1 : 0;
    return r;
}

tvi_straightness_result straightnessRecord(form::StraightnessZone const& zone) {
    tvi_straightness_result r;
    std::memset(static_cast<void*>(&r), 0, sizeof r);  // padding too: the bytes are defined
    r.zone = zoneAbout(zone.midPoint, zone.normal, zone.width);
    r.direction = toVectorRecord(zone.direction);
    writeSupport(zone.support, r.support, r.support_count);
    r.configuration = configurationOf(zone.configuration);
    r.certified = zone.certified ? 1 : 0;
    return r;
}

tvi_roundness_result roundnessRecord(form::RoundnessCircles const& circles, int criterion) {
    tvi_roundness_result r;
    std::memset(static_cast<void*>(&r), 0, sizeof r);  // padding too: the bytes are defined
    r.center = toPointRecord(circles.center);
    r.radius = circles.radius;
    r.inner_radius = circles.innerRadius;
    r.outer_radius = circles.outerRadius;
    r.width = circles.width;
    writeSupport(circles.support, r.support, r.support_count);
    r.criterion = criterion;
    r.certified = circles.certified ? 1 : 0;
    return r;
}

bool roundnessCriterion(int criterion, form::RoundnessCriterion& chosen) {
    switch (criterion) {
        case TVI_CRITERION_MINIMUM_ZONE:
            chosen = form::RoundnessCriterion::kMinimumZone;
            return true;
        case TVI_CRITERION_LEAST_SQUARES:
            chosen = form::RoundnessCriterion::kLeastSquares;
            return true;
        case TVI_CRITERION_MINIMUM_CIRCUMSCRIBED:
            chosen = form::RoundnessCriterion::kMinimumCircumscribed;
            return true;
        case TVI_CRITERION_MAXIMUM_INSCRIBED:
            chosen = form::RoundnessCriterion::kMaximumInscribed;
            return true;
        default:
            return false;
    }
}

// The sizes of the first version of each result record: every later one is longer.
constexpr std::size_t kFirstFlatnessSize = sizeof(tvi_flatness_result);
constexpr std::size_t kFirstStraightnessSize = sizeof(tvi_straightness_result);
constexpr std::size_t kFirstRoundnessSize = sizeof(tvi_roundness_result);

// The checks every form export makes before it measures: a result record of a size this
// library knows, points unless there are none. TVI_OK, or TVI_BAD_ARGUMENT with the problem.
template <class Result>
int checkCall(gte_point const* points, std::size_t count, Result const* result,
              std::size_t firstSize, tvi_problem& problem) {
    if (result == nullptr) {
        problem =
            callProblem(TVI_PROBLEM_NULL_ARGUMENT, "no place for the result (result is null)");
        return TVI_BAD_ARGUMENT;
    }
    if (result->size < firstSize || result->size > sizeof(Result)) {
        problem = callProblem(TVI_PROBLEM_BAD_OPTION,
                              "the result record has a size this library does not know: set "
                              "its size field to sizeof the record");
        return TVI_BAD_ARGUMENT;
    }
    if (points == nullptr && count > 0) {
        problem =
            callProblem(TVI_PROBLEM_NULL_ARGUMENT, "no points (points is null, count is not 0)");
        return TVI_BAD_ARGUMENT;
    }
    return TVI_OK;
}

// Writes the fields of record that the caller's size covers, its size field as the caller set
// it.
template <class Result>
void deliver(Result record, Result* result) {
    record.size = result->size;
    std::memcpy(static_cast<void*>(result), &record, result->size);
}

// Runs a form export for the host: the call checked, measure run (it returns the core's status
// and fills the record), the record delivered on success, the problem record written on every
// path, no exception out.
template <class Result, class Measure>
int formExport(gte_point const* points, std::size_t count, Result* result, std::size_t firstSize,
               tvi_problem* problem, Measure&& measure) {
    return guardedOr(
        [&] {
            tvi_problem found = problemOf(TVI_PROBLEM_NONE);
            int status = checkCall(points, count, result, firstSize, found);
            if (status == TVI_OK) {
                Result record;
                status = measure(record, found);
                if (status == TVI_OK) {
                    deliver(record, result);
                }
            }
            report(problem, found);
            return status;
        },
        [problem] {
            report(problem, outOfMemoryProblem());
            return TVI_OUT_OF_MEMORY;
        });
}

// TVI_OK when the core measured, else TVI_REFUSED with the reason.
int outcome(form::FormStatus status, FormMeasure const& measure, gte_point const* points,
            std::size_t count, tvi_problem& problem) {
    if (status == form::FormStatus::kMeasured) {
        return TVI_OK;
    }
    problem = formRefusal(status, measure, corePoints(points), count);
    return TVI_REFUSED;
}

}  // namespace

}  // namespace tavrisk

extern "C" {

int tvi_flatness(const gte_point* points, size_t count, tvi_flatness_result* result,
                 tvi_problem* problem) {
    using namespace tavrisk;
    return formExport(points, count, result, kFirstFlatnessSize, problem,
                      [&](tvi_flatness_result& record, tvi_problem& found) {
                          form::FlatnessZone const zone =
                              form::minimumZoneFlatness(corePoints(points), count);
                          record = flatnessRecord(zone);
                          return outcome(zone.status, kFlatness, points, count, found);
                      });
}

int tvi_straightness_xy(const gte_point* points, size_t count, tvi_straightness_result* result,
                        tvi_problem* problem) {
    using namespace tavrisk;
    return formExport(points, count, result, kFirstStraightnessSize, problem,
                      [&](tvi_straightness_result& record, tvi_problem& found) {
                          form::StraightnessZone const zone =
                              form::minimumZoneStraightness(corePoints(points), count);
                          record = straightnessRecord(zone);
                          return outcome(zone.status, kStraightness, points, count, found);
                      });
}

int tvi_roundness_xy(const gte_point* points, size_t count, int criterion,
                     tvi_roundness_result* result, tvi_problem* problem) {
    using namespace tavrisk;
    return formExport(points, count, result, kFirstRoundnessSize, problem,
                      [&](tvi_roundness_result& record, tvi_problem& found) {
                          form::RoundnessCriterion chosen{};
                          if (!roundnessCriterion(criterion, chosen)) {
                              found = callProblem(TVI_PROBLEM_BAD_OPTION,
                                                  "criterion is none of the TVI_CRITERION_ "
                                                  "values roundness takes");
                              return TVI_BAD_ARGUMENT;
                          }
                          form::RoundnessCircles const circles =
                              form::roundness(corePoints(points), count, chosen);
                          record = roundnessRecord(circles, criterion);
                          return outcome(circles.status, kRoundness, points, count, found);
                      });
}

}  // extern "C"
