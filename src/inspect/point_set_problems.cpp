// SPDX-License-Identifier: MIT
#include "inspect/point_set_problems.h"

#include <cmath>
#include <string>

#include "api/problem_record.h"
#include "reading/problem_messages.h"

namespace tavrisk {

tvi_problem tooFewPoints(std::size_t count, std::size_t fewest, char const* fitted) {
    tvi_problem problem = problemOf(TVI_PROBLEM_TOO_FEW_POINTS);
    problem.count = count;
    problem.expected = fewest;
    setProblemMessage(problem, std::to_string(count) + (count == 1 ? " point" : " points") +
                                   " given: " + fitted + " takes at least " +
                                   std::to_string(fewest));
    return problem;
}

tvi_problem tooManyPoints(std::size_t count, std::size_t most) {
    tvi_problem problem = problemOf(TVI_PROBLEM_TOO_LARGE);
    problem.count = count;
    setProblemMessage(problem, std::to_string(count) + " points given: at most " +
                                   std::to_string(most) + " are measured at once");
    return problem;
}

bool firstNotFinite(gte_point const* points, std::size_t count, tvi_problem& problem) {
    static char const* const kAxes[3] = {"x", "y", "z"};
    for (std::size_t i = 0; i < count; ++i) {
        double const coordinates[3] = {points[i].x, points[i].y, points[i].z};
        for (int axis = 0; axis < 3; ++axis) {
            double const value = coordinates[axis];
            if (std::isfinite(value)) {
                continue;
            }
            char const* const text = std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf");
            problem = problemOf(TVI_PROBLEM_NOT_FINITE);
            problem.element = i + 1;
            problem.column = static_cast<std::uint64_t>(axis) + 1;
            setProblemText(problem, text, false);
            setProblemMessage(problem, "point " + std::to_string(i + 1) + " (index " +
                                           std::to_string(i) + ") has " + kAxes[axis] + " = " +
                                           text + ": every coordinate must be finite");
            return true;
        }
    }
    return false;
}

tvi_problem unknownResultSize(char const* record) {
    return callProblem(TVI_PROBLEM_BAD_OPTION,
                       (std::string("the result record has a size this library does not write: "
                                    "set its size field to sizeof(") +
                        record + ")")
                           .c_str());
}

}  // namespace tavrisk
