// Flatness of a point cloud read from a text file: the width of the band of signed distances to
// the best-fit plane.
#include <climits>
#include <cmath>
#include <vector>

#include "gte/fit.h"
#include "measure/point_file.h"
#include "measure/running_extremes.h"
#include "tavrisk.h"

extern "C" {

int gte_measure_platness_pointCloud_file(const char* path, double* flatness) {
    try {
        std::vector<gte::Vector3> points;
        if (tavrisk::readPointFile(path, points) != 0 || points.size() > INT_MAX) {
            return -1;
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
            return -1;
        }
        if (flatness != nullptr) {
            *flatness = width;
        }
        return 0;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
