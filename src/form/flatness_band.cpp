// SPDX-License-Identifier: MIT
// The band of signed distances of a point list about its best-fit plane.
#include "form/flatness_band.h"

#include <cstddef>
#include <utility>

#include "gte/orthogonal_fit.h"
#include "search/running_extremes.h"

namespace tavrisk {

FlatnessBand flatnessBandOf(std::vector<gte::Vector3> const& points,
                            std::vector<double>* deviations, gte::Vector3 const* sum) {
    // With fewer than three points, or a normal that is not unique, the fit still leaves an
    // origin and normal (zero vectors for too few points) and the band is measured with them.
    gte::PlaneFit fitter;
    int const count = static_cast<int>(points.size());
    bool const unique = sum != nullptr ? fitter.fitSummed(count, points.data(), *sum)
                                       : fitter.fit(count, points.data());
    gte::Vector3 const& origin = fitter.origin();
    gte::Vector3 const& normal = fitter.normal();
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
