// SPDX-License-Identifier: MIT
// Flatness of a point cloud read from a text file: the width of the band of signed distances to
// the best-fit plane.
#include <climits>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "gte/orthogonal_fit.h"
#include "form/flatness_band.h"
#include "api/export_guard.h"
#include "platform/x87_precision.h"
#include "pointtext/point_file.h"
#include "search/running_extremes.h"
#include "tavrisk.h"

namespace {

// A plane fit needs three points; fewer give flatness 0.
constexpr std::size_t kFitPoints = 3;

}  // namespace

extern "C" {

int gte_measure_platness_pointCloud_file(const char* path, double* flatness) {
    // Reading the numbers may multiply on the x87 unit (the C++ runtime's from_chars on 32-bit
    // Windows): with the host's precision set aside.
    tavrisk::platform::DoublePrecisionX87 const precision;
    return tavrisk::guarded(TAVRISK_REFUSED, [&] {
        std::vector<gte::Vector3> points;
        gte::Vector3 sum;
        if (!tavrisk::readPointFile(path, points, nullptr, nullptr, &sum) ||
            points.size() > INT_MAX) {
            return TAVRISK_REFUSED;
        }
        tavrisk::FlatnessBand const band = tavrisk::flatnessBandOf(points, nullptr, &sum);
        // A plane the points do not determine is no measurement: a band about a normal that
        // rounding chose (spreads that tie, or sums that underflowed to zero) or that a
        // decomposition of overflowed sums left would be a figure of no face. One or two points
        // have no plane at all and measure flat. Coordinates too large for the distances
        // overflow into an infinite or undefined band. Each is refused like an unreadable file.
        bool const planeRefused = points.size() >= kFitPoints && !band.planeUnique;
        double const width = band.high - band.low;
        if (points.empty() || planeRefused || !std::isfinite(width)) {
            return TAVRISK_REFUSED;
        }
        if (flatness != nullptr) {
            *flatness = width;
        }
        return TAVRISK_FLATNESS_MEASURED;
    });
}

}  // extern "C"
