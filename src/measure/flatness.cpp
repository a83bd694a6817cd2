// Flatness of a point cloud read from a text file: the width of the band of signed distances to
// the best-fit plane.
#include <climits>
#include <cmath>
#include <vector>

#include "gte/fit.h"
#include "measure/export.h"
#include "measure/point_file.h"
#include "measure/running_extremes.h"
#include "tavrisk.h"

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
        // With fewer than three points, or a normal that is not unique, the fit still leaves an
        // origin and normal (zero vectors for too few points) and the band is measured with them.
        gte::PlaneFit fitter;
        fitter.fit(static_cast<int>(points.size()), points.data());
        gte::Vector3 const& origin = fitter.origin();
        gte::Vector3 const& normal = fitter.normal();
        tavrisk::RunningRange band;
        for (gte::Vector3 const& p : points) {
            band.offer(gte::Dot(p - origin, normal));
        }
        // Coordinates too large for the fit overflow into an infinite or undefined band, which
        // is no measurement: refused like an unreadable file.
        double const width = band.high.value() - band.low.value();
        if (!band.low.found() || !std::isfinite(width)) {
            return tavrisk::kRefused;
        }
        if (flatness != nullptr) {
            *flatness = width;
        }
        return kFlatnessMeasured;
    });
}

}  // extern "C"
