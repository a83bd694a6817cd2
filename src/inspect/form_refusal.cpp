// SPDX-License-Identifier: MIT
#include "inspect/form_refusal.h"

#include <charconv>
#include <climits>
#include <cstdint>
#include <string>

#include "api/problem_record.h"
#include "form/form_input.h"
#include "reading/problem_messages.h"

namespace tavrisk {

namespace {

constexpr char const* kAxisNames[] = {"x", "y", "z"};

struct CoordinateFault {
    std::size_t index = 0;
    int axis = 0;
};

// The first coordinate that the core's own input check refuses for the reason it gave: each
// coordinate checked alone, as a point whose others are zero (zero always passes). The core
// reports a non-finite coordinate before one out of range, wherever either lies, so the search
// looks for the reason given.
CoordinateFault firstFault(form::FormStatus status, FormMeasure const& measure,
                           gte::Vector3 const* points, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        for (int axis = 0; axis < measure.dimensions; ++axis) {
            gte::Vector3 alone = gte::Vector3::zeroVector();
            alone[axis] = points[i][axis];
            form::FormInput input;
            if (form::checkFormInput(&alone, 1, 1, 3, input) == status) {
                return {i, axis};
            }
        }
    }
    return {};
}

// The shortest text that reads back as the value, the same on every platform.
std::string valueText(double value) {
    char text[32];
    std::to_chars_result const written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

tvi_problem coordinateProblem(int kind, form::FormStatus status, FormMeasure const& measure,
                              gte::Vector3 const* points, std::size_t count,
                              char const* complaint) {
    CoordinateFault const fault = firstFault(status, measure, points, count);
    std::string const value = valueText(points[fault.index][fault.axis]);
    tvi_problem problem = problemOf(kind);
    problem.element = static_cast<std::uint64_t>(fault.index) + 1;
    problem.column = static_cast<std::uint64_t>(fault.axis) + 1;
    setProblemText(problem, value, false);
    setProblemMessage(problem, "the point at index " + std::to_string(fault.index) + " has " +
                                   kAxisNames[fault.axis] + " = " + value + complaint);
    return problem;
}

}  // namespace

tvi_problem formRefusal(form::FormStatus status, FormMeasure const& measure,
                        gte::Vector3 const* points, std::size_t count) {
    std::string const name = measure.name;
    switch (status) {
        case form::FormStatus::kMeasured:
            break;
        case form::FormStatus::kTooFewPoints: {
            tvi_problem problem = problemOf(TVI_PROBLEM_TOO_FEW_POINTS);
            problem.count = count;
            problem.expected = measure.minimumCount;
            setProblemMessage(problem, name + " needs at least " +
                                           std::to_string(measure.minimumCount) + " points; " +
                                           std::to_string(count) + " given");
            return problem;
        }
        case form::FormStatus::kTooManyPoints: {
            tvi_problem problem = problemOf(TVI_PROBLEM_TOO_LARGE);
            problem.count = count;
            setProblemMessage(problem, name + " takes at most " + std::to_string(INT_MAX) +
                                           " points; " + std::to_string(count) + " given");
            return problem;
        }
        case form::FormStatus::kNonFinite:
            return coordinateProblem(TVI_PROBLEM_NOT_FINITE, status, measure, points, count,
                                     ": every coordinate must be a finite number");
        case form::FormStatus::kOutOfRange:
            return coordinateProblem(
                TVI_PROBLEM_OUT_OF_RANGE, status, measure, points, count,
                ", beyond the magnitudes the exact tests cover (at most 2^128, and 0 or at "
                "least 2^-96): give the points in another unit");
        case form::FormStatus::kNoCentre:
            return callProblem(TVI_PROBLEM_NO_CENTER,
                               "the points go round no centre: seen from above they lie on one "
                               "line, or on an arc too flat to fix one");
    }
    return problemOf(TVI_PROBLEM_NONE);
}

}  // namespace tavrisk
