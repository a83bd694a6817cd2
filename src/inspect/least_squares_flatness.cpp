// SPDX-License-Identifier: MIT
// The first library's flatness of a point text file, with the reason of a refusal.
#include "api/problem_record.h"
#include "platform/x87_precision.h"
#include "reading/file_flatness.h"
#include "reading/problem_messages.h"
#include "tavrisk_inspect.h"

using namespace tavrisk;

namespace {

// The record of a file whose flatness is refused, or of none.
tvi_problem flatnessProblem(FileFlatness const& measured) {
    using Outcome = FileFlatness::Outcome;
    tvi_problem problem = problemOf(TVI_PROBLEM_NONE);
    switch (measured.outcome) {
        case Outcome::measured:
            break;
        case Outcome::unreadable:
            return pointFileProblem(measured.reading);
        case Outcome::tooManyPoints:
            problem = problemOf(TVI_PROBLEM_TOO_LARGE);
            problem.count = measured.count;
            setProblemMessage(problem, "the file holds more than 2147483647 points");
            break;
        case Outcome::planeNotUnique:
            problem = problemOf(TVI_PROBLEM_NO_UNIQUE_FIT);
            setProblemMessage(problem,
                              "the points determine no unique plane: they lie on one line or at "
                              "one place, or their spread ties between two directions");
            break;
        case Outcome::notFinite:
            problem = problemOf(TVI_PROBLEM_NOT_FINITE);
            setProblemMessage(problem, "the flatness overflows: the coordinates are too large");
            break;
    }
    problem.format = TVI_FORMAT_TEXT;
    return problem;
}

}  // namespace

extern "C" {

int tvi_least_squares_flatness_file(const char* path, double* flatness, tvi_problem* problem) {
    // As the first library's export: the numbers are read with the host's x87 precision set
    // aside.
    platform::DoublePrecisionX87 const precision;
    return guardedCall(problem, [&](tvi_problem& found) {
        FileFlatness const measured = measureFileFlatness(path);
        found = flatnessProblem(measured);
        if (measured.outcome != FileFlatness::Outcome::measured) {
            return found.kind == TVI_PROBLEM_OUT_OF_MEMORY ? TVI_OUT_OF_MEMORY : TVI_REFUSED;
        }
        if (flatness != nullptr) {
            *flatness = measured.width;
        }
        return TVI_OK;
    });
}

}  // extern "C"
