// SPDX-License-Identifier: MIT
// The band of signed distances of a point list about its best-fit plane.
#include "form/flatness_band.h"

#include <cstddef>
#include <utility>

#include "gte/orthogonal_fit.h"
#include "search/running_extremes.h"

namespace tavrisk {

FlatnessBand flatnessBandOf(gte::Vector3 const* points, std::size_t count,
                            std::vector<double>* deviations, gte::Vector3 const* sum) {
    // With fewer than three points, or a normal that is not unique, the fit still leaves an
    // origin and normal (zero vectors for too few points) and the band is measured with them.
    gte::PlaneFit fitter;
    int const fitCount = static_cast<int>(count);
    bool const unique =
        sum != nullptr ? fitter.fitSummed(fitCount, points, *sum) : fitter.fit(fitCount, points);
    gte::Vector3 const& origin = fitter.origin();
    gte::Vector3 const& normal = fitter.normal();
    std::vector<double> distances(deviations != nullptr ? count : 0);
    RunningRange band;
    std::size_t highIndex = 0;
    std::size_t lowIndex = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double const d = gte::Dot(points[i] - origin, normal);
        if (band.high.offer(d)) {
            highIndex = i;
        }
        if (band.low.offer(d)) {
            lowIndex = i;
        }
        if (deviations != nullptr) {
            distances[i] = d;
        }
    }
    if (deviations != nullptr) {
        *deviations = std::move(distances);
    }
    return FlatnessBand{origin,           normal,    unique,  band.high.value(),
                        band.low.value(), highIndex, lowIndex};
}

}  // namespace tavrisk
