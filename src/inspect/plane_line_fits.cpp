// SPDX-License-Identifier: MIT
// The least-squares plane and line of a point set in full: the first library's fit and record,
// the centroid, the unit normal or direction, and every point's residual with their summary.
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "api/problem_record.h"
#include "api/record_values.h"
#include "form/least_squares_fits.h"
#include "inspect/point_set_problems.h"
#include "reading/problem_messages.h"
#include "tavrisk_inspect.h"

using namespace tavrisk;

namespace {

// The fits take three points, as the first library's fit exports do.
constexpr std::size_t kFitPoints = 3;

bool finite(ResidualSummary const& summary) {
    return std::isfinite(summary.rms) && std::isfinite(summary.low) && std::isfinite(summary.high);
}

// The refusals both fits share, before and after fitting. ready: TVI_OK when the call and the
// count admit a fit.
template <class Record>
int checkFitCall(gte_point const* points, std::size_t count, Record const* fit,
                 char const* recordName, char const* fitted, tvi_problem& problem) {
    if (fit == nullptr) {
        problem = callProblem(TVI_PROBLEM_NULL_ARGUMENT, "no place for the fit (fit is null)");
        return TVI_BAD_ARGUMENT;
    }
    if (fit->size != sizeof(Record)) {
        problem = unknownResultSize(recordName);
        return TVI_BAD_ARGUMENT;
    }
    if (points == nullptr && count > 0) {
        problem = callProblem(TVI_PROBLEM_NULL_ARGUMENT, "no points (points is null)");
        return TVI_BAD_ARGUMENT;
    }
    if (count < kFitPoints) {
        problem = tooFewPoints(count, kFitPoints, fitted);
        return TVI_REFUSED;
    }
    if (count > static_cast<std::size_t>(INT_MAX)) {
        problem = tooManyPoints(count, INT_MAX);
        return TVI_REFUSED;
    }
    return TVI_OK;
}

// Why a fit that is not unique was refused: a coordinate that is not finite, else the points'
// own configuration.
int fitRefused(gte_point const* points, std::size_t count, char const* configuration,
               tvi_problem& problem) {
    if (!firstNotFinite(points, count, problem)) {
        problem = problemOf(TVI_PROBLEM_NO_UNIQUE_FIT);
        setProblemMessage(problem, configuration);
    }
    return TVI_REFUSED;
}

int figuresOverflow(tvi_problem& problem) {
    problem = problemOf(TVI_PROBLEM_NOT_FINITE);
    setProblemMessage(problem, "the residuals overflow: the coordinates are too large");
    return TVI_REFUSED;
}

int fitPlane(gte_point const* points, std::size_t count, tvi_plane_fit* fit, double* residuals,
             tvi_problem& problem) {
    int const ready = checkFitCall(points, count, fit, "tvi_plane_fit", "a plane", problem);
    if (ready != TVI_OK) {
        return ready;
    }
    int const n = static_cast<int>(count);
    FittedPlane const fitted = fitPlaneRecord(points, n);
    if (!fitted.unique) {
        return fitRefused(points, count,
                          "the points determine no unique plane: they lie on one line or at one "
                          "place, their spread ties between two directions, or their coordinates "
                          "are too large for the fit's sums",
                          problem);
    }
    ResidualSummary const summary =
        planeResiduals(points, count, fitted.origin, fitted.normal, residuals);
    double const flatness = summary.high - summary.low;
    if (!finite(summary) || !std::isfinite(flatness)) {
        return figuresOverflow(problem);
    }
    tvi_plane_fit out;
    std::memset(static_cast<void*>(&out), 0, sizeof out);
    out.size = sizeof out;
    out.centroid = toPointRecord(fitted.origin);
    out.normal = toVectorRecord(fitted.normal);
    if (fitted.record) {
        out.plane = *fitted.record;
        out.has_plane = 1;
    }
    out.rms = summary.rms;
    out.low = summary.low;
    out.high = summary.high;
    out.flatness = flatness;
    out.low_index = summary.lowIndex;
    out.high_index = summary.highIndex;
    *fit = out;
    return TVI_OK;
}

int fitLine(gte_point const* points, std::size_t count, tvi_line_fit* fit, double* residuals,
            tvi_problem& problem) {
    int const ready = checkFitCall(points, count, fit, "tvi_line_fit", "a line", problem);
    if (ready != TVI_OK) {
        return ready;
    }
    FittedLine const fitted = fitLineSegment(points, static_cast<int>(count));
    if (!fitted.unique) {
        return fitRefused(points, count,
                          "the points determine no unique line: they lie at one place, their "
                          "spread ties between two directions, or their coordinates are too "
                          "large for the fit's sums",
                          problem);
    }
    ResidualSummary const summary =
        lineResiduals(points, count, gte::Line3(fitted.origin, fitted.direction), residuals);
    if (!finite(summary)) {
        return figuresOverflow(problem);
    }
    tvi_line_fit out;
    std::memset(static_cast<void*>(&out), 0, sizeof out);
    out.size = sizeof out;
    out.centroid = toPointRecord(fitted.origin);
    out.direction = toVectorRecord(fitted.direction);
    if (fitted.segment) {
        out.segment = *fitted.segment;
        out.has_segment = 1;
    }
    out.rms = summary.rms;
    out.high = summary.high;
    out.high_index = summary.highIndex;
    *fit = out;
    return TVI_OK;
}

}  // namespace

extern "C" {

int tvi_fit_plane(const gte_point* points, size_t count, tvi_plane_fit* fit, double* residuals,
                  tvi_problem* problem) {
    return guardedCall(problem, [&](tvi_problem& found) {
        return fitPlane(points, count, fit, residuals, found);
    });
}

int tvi_fit_line(const gte_point* points, size_t count, tvi_line_fit* fit, double* residuals,
                 tvi_problem* problem) {
    return guardedCall(
        problem, [&](tvi_problem& found) { return fitLine(points, count, fit, residuals, found); });
}

}  // extern "C"
