// The line and plane fits as the algorithm reads when written out over a contiguous array of
// Vector3 values: the mean summed in index order, the six scatter sums of the deviations in index
// order, one eigen-decomposition. The oracle for the fits that read the caller's records in
// place, and the clouds, ordinary and degenerate, to compare them on.
#pragma once

#include <cstdint>
#include <limits>
#include <random>
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

// Clouds of every kind the fits meet: ordinary, degenerate (a plane, a line, one point, a few
// points repeated, a grid whose eigenvalues tie), far from the origin, overflowing, underflowing,
// and holding a NaN or an infinity.
class CloudMaker {
public:
    static constexpr int kKinds = 11;

    explicit CloudMaker(std::uint64_t seed) : random_(seed) {}

    std::vector<gte_point> cloud(int kind, int count) {
        std::uniform_real_distribution<double> spread(-100.0, 100.0);
        std::uniform_real_distribution<double> rough(-0.01, 0.01);
        std::uniform_int_distribution<int> small(-3, 3);
        std::vector<gte_point> points;
        for (int i = 0; i < count; ++i) {
            double const x = spread(random_), y = spread(random_), z = spread(random_);
            switch (kind) {
                case 0:
                    points.push_back(gte_point(x, y, z));
                    break;
                case 1:  // a tilted, slightly rough plate
                    points.push_back(gte_point(x, y, 0.02 * x - 0.01 * y + rough(random_)));
                    break;
                case 2:  // exactly in a plane z = const
                    points.push_back(gte_point(x, y, 7.5));
                    break;
                case 3:  // exactly on a line
                    points.push_back(gte_point(small(random_), 2.0 * small(random_), 0.0));
                    points.back().y = 2.0 * points.back().x;
                    break;
                case 4:  // one point
                    points.push_back(gte_point(1.25, -2.5, 3.75));
                    break;
                case 5:  // three points, repeated
                    points.push_back(i % 3 == 0   ? gte_point(0, 0, 0)
                                     : i % 3 == 1 ? gte_point(1, 0, 0)
                                                  : gte_point(0, 1, 0));
                    break;
                case 6:  // far from the origin: the deviations cancel most of the digits
                    points.push_back(gte_point(1e8 + rough(random_), -1e8 + x, 1e7 + y));
                    break;
                case 7:  // sums that overflow
                    points.push_back(gte_point(x * 1e306, y * 1e306, z));
                    break;
                case 8:  // products that underflow
                    points.push_back(gte_point(x * 1e-160, y * 1e-160, z * 1e-170));
                    break;
                case 9:  // an integer grid: exact sums, tying eigenvalues
                    points.push_back(gte_point(small(random_), small(random_), small(random_)));
                    break;
                default:  // one coordinate not finite
                    points.push_back(gte_point(x, y, z));
                    break;
            }
        }
        if (kind == kKinds - 1 && count > 0) {
            double const bad[] = {std::numeric_limits<double>::quiet_NaN(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
            gte_point& p = points[random_() % static_cast<std::uint64_t>(count)];
            (random_() % 2 == 0 ? p.x : p.z) = bad[random_() % 3];
        }
        return points;
    }

    // A count of points that is mostly small, sometimes large enough to thin the record's search.
    int count(int fewest) {
        std::uint64_t const draw = random_() % 1000;
        int const most = draw < 990 ? 16 : draw < 999 ? 450 : 3000;
        return fewest + static_cast<int>(random_() % static_cast<std::uint64_t>(most));
    }

private:
    std::mt19937_64 random_;
};

}  // namespace tavrisk_test
