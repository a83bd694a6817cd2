// SPDX-License-Identifier: MIT
// The line and plane fits as the algorithm reads when written out over a contiguous array of
// Vector3 values: the mean summed in index order, the six scatter sums of the deviations in index
// order, one eigen-decomposition. The oracle for the fits that read the caller's records in
// place.
#pragma once

#include <array>
#include <cmath>
#include <vector>

#include "api/convert.h"
#include "gte/eigen_solver.h"
#include "gte/orthogonal_fit.h"
#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk_test {

struct LiteralFit {
    gte::Vector3 origin;
    gte::Vector3 axis;  // the line's direction or the plane's normal
    bool unique;        // the fit's result: the eigenvalue it takes stands apart
};

inline bool finite(gte::Vector3 const& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// The records copied into core values, as the fit exports used to before fitting.
inline std::vector<gte::Vector3> copiedPoints(gte_point const* points, int count) {
    return tavrisk::toVectors(points, count);
}

// The eigenvector of the smallest (plane) or largest (line) eigenvalue, which must stand apart
// from the next by more than the solver resolves, of a decomposition that converged to finite
// values, of the six scatter sums s00, s01, s02, s11, s12, s22 of the deviations from the mean,
// both summed in index order; the line fit works on their averages, by the reciprocal of the count.
inline LiteralFit literalFit(int count, gte::Vector3 const* p, bool line) {
    LiteralFit fit;
    fit.origin = gte::Vector3::zeroVector();
    for (int i = 0; i < count; ++i) {
        fit.origin += p[i];
    }
    fit.origin /= static_cast<double>(count);
    std::array<double, 6> s{};
    for (int i = 0; i < count; ++i) {
        gte::Vector3 const d = p[i] - fit.origin;
        double const terms[6] = {d[0] * d[0], d[0] * d[1], d[0] * d[2],
                                 d[1] * d[1], d[1] * d[2], d[2] * d[2]};
        for (int k = 0; k < 6; ++k) s[k] += terms[k];
    }
    if (line) {
        for (double& sum : s) sum *= 1.0 / static_cast<double>(count);
    }
    double eval[3], evec[3][3];
    int const iterations = gte::EigenSolver3()(s[0], s[1], s[2], s[3], s[4], s[5], false,
                                               gte::EigenSolver3::kAscending, eval, evec);
    bool usable = iterations < gte::EigenSolver3::kMaxIterations;
    for (int j = 0; j < 3; ++j) {
        usable = usable && std::isfinite(eval[j]) &&
                 finite(gte::Vector3(evec[j][0], evec[j][1], evec[j][2]));
    }
    int const k = line ? 2 : 0;
    fit.axis = gte::Vector3(evec[k][0], evec[k][1], evec[k][2]);
    fit.unique = usable && gte::EigenvalueStandsApart(eval, k, 1);
    return fit;
}

// Needs count >= 3.
inline LiteralFit literalPlaneFit(int count, gte::Vector3 const* p) {
    return literalFit(count, p, false);
}

}  // namespace tavrisk_test
