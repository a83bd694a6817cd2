// SPDX-License-Identifier: MIT
#include "fit_refusal.h"

#include <cmath>

#include "gte/orthogonal_fit.h"

namespace tavrisk_tool {

namespace {

bool finite(gte::Vector3 const& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// Points that are not all one point, yet whose scatter sums all come out zero: each square of a
// deviation from the mean is below the smallest double.
bool spreadUnderflows(std::vector<gte::Vector3> const& points) {
    gte::Moments const moments(static_cast<int>(points.size()),
                               [&points](std::size_t i) { return points[i]; });
    gte::Scatter const& s = moments.scatter;
    bool const noSpread = s.s00 == 0.0 && s.s01 == 0.0 && s.s02 == 0.0 && s.s11 == 0.0 &&
                          s.s12 == 0.0 && s.s22 == 0.0;
    for (gte::Vector3 const& p : points) {
        if (noSpread && p != points.front()) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string fitRefusal(std::vector<gte::Vector3> const& points, Fitted fitted) {
    int const count = static_cast<int>(points.size());
    bool unique;
    bool overflowed;
    if (fitted == Fitted::kPlane) {
        gte::PlaneFit fit;
        unique = fit.fit(count, points.data());
        overflowed = !finite(fit.origin()) || !finite(fit.normal());
    } else {
        gte::LineFit fit;
        unique = fit.fit(count, points.data());
        overflowed = !finite(fit.origin()) || !finite(fit.direction());
    }
    if (overflowed) {
        return "the coordinates are too large for the fit: its sums overflow";
    }
    if (spreadUnderflows(points)) {
        return "the points lie too close together for the fit: the squares of their spreads "
               "underflow to zero";
    }
    if (fitted == Fitted::kLine) {
        return "no single best-fit line: the two largest eigenvalues of the points' scatter tie "
               "(the points spread alike in two directions, or coincide)";
    }
    if (unique) {
        return "no plane: the points lie along one line, no three of them span a plane";
    }
    return "no single best-fit plane: the two smallest eigenvalues of the points' scatter tie "
           "(the points lie along one line, coincide, or spread alike in every direction)";
}

}  // namespace tavrisk_tool
