// SPDX-License-Identifier: MIT
#include "reading/file_flatness.h"

#include <climits>
#include <cmath>
#include <vector>

#include "form/flatness_band.h"
#include "gte/vector.h"
#include "pointtext/point_file.h"

namespace tavrisk {

namespace {

// A plane fit needs three points; fewer give flatness 0.
constexpr std::size_t kFitPoints = 3;

}  // namespace

FileFlatness measureFileFlatness(char const* path) {
    FileFlatness measured;
    std::vector<gte::Vector3> points;
    gte::Vector3 sum;
    if (!readPointFile(path, points, &measured.reading, nullptr, &sum)) {
        return measured;
    }
    measured.count = points.size();
    if (points.size() > INT_MAX) {
        measured.outcome = FileFlatness::Outcome::tooManyPoints;
        return measured;
    }
    FlatnessBand const band = flatnessBandOf(points, nullptr, &sum);
    // A plane the points do not determine is no measurement: a band about a normal that rounding
    // chose (spreads that tie, or sums that underflowed to zero) or that a decomposition of
    // overflowed sums left would be a figure of no face. One or two points have no plane at all
    // and measure flat. Coordinates too large for the distances overflow into an infinite or
    // undefined band.
    measured.width = band.high - band.low;
    if (points.size() >= kFitPoints && !band.planeUnique) {
        measured.outcome = FileFlatness::Outcome::planeNotUnique;
    } else if (!std::isfinite(measured.width)) {
        measured.outcome = FileFlatness::Outcome::notFinite;
    } else {
        measured.outcome = FileFlatness::Outcome::measured;
    }
    return measured;
}

}  // namespace tavrisk
