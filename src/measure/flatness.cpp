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
        // Coordinates too large for the fit overflow into an infinite or undefined band, which
        // is no measurement: refused like an unreadable file.
        double const width = band.high - band.low;
        if (points.empty() || !std::isfinite(width)) {
            return TAVRISK_REFUSED;
        }
        if (flatness != nullptr) {
            *flatness = width;
        }
        return TAVRISK_FLATNESS_MEASURED;
    });
}

}  // extern "C"
