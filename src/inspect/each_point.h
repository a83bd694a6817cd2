// SPDX-License-Identifier: MIT
// What every whole-array function does around its measurement: the arrays checked (one may be null
// only when it holds nothing), the problem record written, then each point measured in order.
#pragma once

#include <cstddef>

#include "api/problem_record.h"
#include "reading/problem_messages.h"
#include "tavrisk_inspect.h"

namespace tavrisk {

// TVI_OK when points and output are given or count is 0, else TVI_BAD_ARGUMENT; the problem
// record, when given, is written either way.
inline int checkArrays(void const* points, std::size_t count, void const* output,
                       tvi_problem* problem) {
    if (count > 0 && points == nullptr) {
        report(problem, callProblem(TVI_PROBLEM_NULL_ARGUMENT, "no points (points is null)"));
        return TVI_BAD_ARGUMENT;
    }
    if (count > 0 && output == nullptr) {
        report(problem,
               callProblem(TVI_PROBLEM_NULL_ARGUMENT, "no room for the results (it is null)"));
        return TVI_BAD_ARGUMENT;
    }
    report(problem, problemOf(TVI_PROBLEM_NONE));
    return TVI_OK;
}

// Checks the arrays, then calls measure(i) for i = 0, ..., count - 1; the status as checkArrays.
template <class Measure>
int measureEachPoint(void const* points, std::size_t count, void const* output,
                     tvi_problem* problem, Measure&& measure) {
    int const status = checkArrays(points, count, output, problem);
    if (status == TVI_OK) {
        for (std::size_t i = 0; i < count; ++i) {
            measure(i);
        }
    }
    return status;
}

}  // namespace tavrisk
