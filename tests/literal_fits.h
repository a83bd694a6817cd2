// The line and plane fits as the algorithm reads when written out over a contiguous array of
// Vector3 values: the mean summed in index order, the six scatter sums of the deviations in index
// order, one eigen-decomposition. The oracle for the fits that read the caller's records in
// place.
#pragma once

#include <vector>

#include "gte/eigen_solver.h"
#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk_test {

struct LiteralFit {
    gte::Vector3 origin;
    gte::Vector3 axis;  // the line's direction or the plane's normal
    bool unique;        // the fit's result: the eigenvalue it takes stands alone
};

// The records copied into core values, as the fit exports used to before fitting.
inline std::vector<gte::Vector3> copiedPoints(gte_point const* points, int count) {
    std::vector<gte::Vector3> copy;
    copy.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        copy.push_back(gte::Vector3(points[i].x, points[i].y, points[i].z));
    }
    return copy;
}

struct LiteralScatter {
    double s00 = 0.0, s01 = 0.0, s02 = 0.0, s11 = 0.0, s12 = 0.0, s22 = 0.0;
};

inline gte::Vector3 literalSum(int count, gte::Vector3 const* p) {
    gte::Vector3 sum = gte::Vector3::zeroVector();
    for (int i = 0; i < count; ++i) {
        sum += p[i];
    }
    return sum;
}

inline LiteralScatter literalScatter(int count, gte::Vector3 const* p, gte::Vector3 const& mean) {
    LiteralScatter s;
    for (int i = 0; i < count; ++i) {
        gte::Vector3 const diff = p[i] - mean;
        s.s00 += diff[0] * diff[0];
        s.s01 += diff[0] * diff[1];
        s.s02 += diff[0] * diff[2];
        s.s11 += diff[1] * diff[1];
        s.s12 += diff[1] * diff[2];
        s.s22 += diff[2] * diff[2];
    }
    return s;
}

// Needs count >= 3.
inline LiteralFit literalPlaneFit(int count, gte::Vector3 const* p) {
    gte::Vector3 const mean = literalSum(count, p) / static_cast<double>(count);
    LiteralScatter const s = literalScatter(count, p, mean);
    double eval[3], evec[3][3];
    gte::EigenSolver3()(s.s00, s.s01, s.s02, s.s11, s.s12, s.s22, false,
                        gte::EigenSolver3::kAscending, eval, evec);
    return {mean, gte::Vector3(evec[0][0], evec[0][1], evec[0][2]), eval[1] > eval[0]};
}

// Needs count >= 2.
inline LiteralFit literalLineFit(int count, gte::Vector3 const* p) {
    double const invCount = 1.0 / static_cast<double>(count);
    gte::Vector3 mean = literalSum(count, p);
    mean *= invCount;
    LiteralScatter s = literalScatter(count, p, mean);
    for (double* sum : {&s.s00, &s.s01, &s.s02, &s.s11, &s.s12, &s.s22}) {
        *sum *= invCount;
    }
    double eval[3], evec[3][3];
    gte::EigenSolver3()(s.s00, s.s01, s.s02, s.s11, s.s12, s.s22, false,
                        gte::EigenSolver3::kAscending, eval, evec);
    return {mean, gte::Vector3(evec[2][0], evec[2][1], evec[2][2]), eval[2] > eval[1]};
}

}  // namespace tavrisk_test
