// Flatness of a point cloud read from a text file: the width of the band of signed distances to
// the best-fit plane.
#include <climits>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "gte/fit.h"
#include "measure/flatness_band.h"
#include "measure/export.h"
#include "measure/point_file.h"
#include "measure/running_extremes.h"
#include "tavrisk.h"

namespace tavrisk {

FlatnessBand flatnessBandOf(std::vector<gte::Vector3> const& points,
                            std::vector<double>* deviations) {
    // With fewer than three points, or a normal that is not unique, the fit still leaves an
    // origin and normal (zero vectors for too few points) and the band is measured with them.
    gte::PlaneFit fitter;
    bool const unique = fitter.fit(static_cast<int>(points.size()), points.data());
    gte::Vector3 const& origin = fitter.origin();
    gte::Vector3 const& normal = fitter.normal();
    // Sized once and written by index: growing a vector of doubles here would instantiate
    // library templates that the shared library would then export.
    std::vector<double> distances(deviations != nullptr ? points.size() : 0);
    RunningRange band;
    for (std::size_t i = 0; i < points.size(); ++i) {
        double const d = gte::Dot(points[i] - origin, normal);
        band.offer(d);
        if (deviations != nullptr) {
            distances[i] = d;
        }
    }
    if (deviations != nullptr) {
        *deviations = std::move(distances);
    }
    return FlatnessBand{origin, normal, unique, band.high.value(), band.low.value()};
}

}  // namespace tavrisk

namespace {

// The flatness export reports success as 0.
constexpr int kFlatnessMeasured = 0;

}  // namespace

extern "C" {

int gte_measure_platness_pointCloud_file(const char* path, double* flatness) {
    return tavrisk::guarded(tavrisk::kRefused, [&] {
        std::vector<gte::Vector3> points;
        if (tavrisk::readPointFile(path, points) != 0 || points.size() > INT_MAX) {
            return tavrisk::kRefused;
        }
        tavrisk::FlatnessBand const band = tavrisk::flatnessBandOf(points, nullptr);
        // Coordinates too large for the fit overflow into an infinite or undefined band, which
        // is no measurement: refused like an unreadable file.
        double const width = band.high - band.low;
        if (points.empty() || !std::isfinite(width)) {
            return tavrisk::kRefused;
        }
        if (flatness != nullptr) {
            *flatness = width;
        }
        return kFlatnessMeasured;
    });
}

}  // extern "C"
