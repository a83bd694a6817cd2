// SPDX-License-Identifier: MIT
// The band of a point list about its best-fit plane: what the flatness export measures, shared
// with the command-line tool so that both report the same bits from the same points.
#pragma once

#include <cstddef>
#include <vector>

#include "gte/vector.h"

namespace tavrisk {

struct FlatnessBand {
    gte::Vector3 origin;    // the fitted plane's point (zero for fewer than three points)
    gte::Vector3 normal;    // its unit normal, in the sense the fit chose (zero when it failed)
    bool planeUnique;       // false when the fit failed: too few points, a decomposition that
                            // overflowed, or a smallest spread that ties with the next
    double high;            // largest signed distance to the plane (NaN if any distance is NaN)
    double low;             // smallest signed distance to the plane (NaN if any distance is NaN)
    std::size_t highIndex;  // the first point at the largest distance
    std::size_t lowIndex;   // the first point at the smallest distance
};

// Fits a plane to points and measures their signed distances to it, in list order. The band is
// measured with whatever plane the fit left, even when it failed. When deviations is given it
// receives each point's signed distance. When sum is given it is the points' sum from the zero
// vector in list order, as the reader of a point file adds them up: the fit takes its mean from
// it instead of adding them up again.
FlatnessBand flatnessBandOf(gte::Vector3 const* points, std::size_t count,
                            std::vector<double>* deviations, gte::Vector3 const* sum = nullptr);
inline FlatnessBand flatnessBandOf(std::vector<gte::Vector3> const& points,
                                   std::vector<double>* deviations,
                                   gte::Vector3 const* sum = nullptr) {
    return flatnessBandOf(points.data(), points.size(), deviations, sum);
}

}  // namespace tavrisk
