// SPDX-License-Identifier: MIT
// Signed deviations of every point of an array from a plane, and from a line seen from above:
// element i is what the one-point measurement gives for point i, to the bit.
#include <cstddef>

#include "api/convert.h"
#include "api/point_dist_records.h"
#include "form/straightness_band.h"
#include "inspect/each_point.h"
#include "tavrisk_inspect.h"

using namespace tavrisk;

namespace {

// The straightness band takes an int count: longer arrays go in parts of this many points.
constexpr std::size_t kBandPart = std::size_t(1) << 30;

}  // namespace

extern "C" {

int tvi_deviation_point_plane_array(gte_plane plane, const gte_point* points, size_t count,
                                    double* deviations, tvi_problem* problem) {
    gte::Plane3 const gtePlane = toPlane3(plane);
    return measureEachPoint(points, count, deviations, problem, [&](std::size_t i) {
        deviations[i] = planeDeviation(gtePlane, toVector3(points[i]));
    });
}

int tvi_deviation_xy_point_line_array(gte_line line, const gte_point* points, size_t count,
                                      double* deviations, tvi_problem* problem) {
    int const status = checkArrays(points, count, deviations, problem);
    // The straightness export's own deviations, taken a part at a time: each point's does not
    // depend on the others.
    gte::Plane3 const plane = straightnessPlane(line);
    for (std::size_t start = 0; status == TVI_OK && start < count; start += kBandPart) {
        std::size_t const part = count - start < kBandPart ? count - start : kBandPart;
        deviationBand(points + start, static_cast<int>(part), plane, deviations + start);
    }
    return status;
}

}  // extern "C"
