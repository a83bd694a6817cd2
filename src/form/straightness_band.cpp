// SPDX-License-Identifier: MIT
// Straightness deviations without the per-point foot, normalisation and sign test.
//
// The deviation of p is defined from s = fl(Dot(N, p) - c): e = |s|, negated when
// Dot(Normalized(p - foot), N) < 0 with foot = fl(p - fl(s N)). Rounding is monotone, so every
// component of p - foot has the sign of s N_k or is zero, and so has every term of that dot
// product: for s >= 0 (and for s = -0) the deviation is s itself (with -0 made +0, which adding
// +0 does), and a positive infinity stays. For s < 0 the deviation is s exactly when the dot
// product comes out negative, and that is certain when, with a = -s and k the component of N
// largest in magnitude (|N_k| >= 2^-11):
//   - 2^-480 <= a <= 2^500, so that the squares in the length neither overflow nor, for the
//     component k, underflow (|fl(a N_k)| >= 2^-491);
//   - fl(a |N_k|) >= 2^-50 |p_k|: then p_k - s N_k lies at least |s N_k| - 2^-53 (|p_k| +
//     |s N_k|) > 0 from p_k, so foot_k != p_k and the component k of p - foot is a non-zero
//     number of the sign of s N_k, within [0.87, 1.13] |s N_k|. Every other component is at most
//     2 |s N_j| (the foot is the float nearest p_j - s N_j, p_j itself at |s N_j| from it), so
//     the length is at most 2.01 a |N| and the unit vector's component k at least 0.25 in
//     magnitude: its term is at most -2^-13, the other terms at most 0, the sum negative.
// Points where these do not hold (deviations near the rounding of the coordinates, huge or tiny
// ones, NaN and infinities) are rare: a block of points holding one is gone over again with the
// definition itself.
#include "form/straightness_band.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "api/convert.h"
#include "gte/point_distance_queries.h"
#include "search/running_extremes.h"

namespace tavrisk {

namespace {

using gte::Vector3;

// Points are taken in blocks: a block whose signs are all certain is done in a plain loop.
constexpr int kBlockSize = 256;
// The normals the proof above admits: the largest component at least 2^-11 in magnitude, none
// beyond 2.
constexpr double kLeastLargestComponent = 0x1p-11;
constexpr double kComponentLimit = 2.0;
// The range of |s| within which no square in the length overflows or underflows.
constexpr double kLeastTrustedMagnitude = 0x1p-480;
constexpr double kGreatestTrustedMagnitude = 0x1p500;
// |s N_k| must exceed the coordinate p_k by at least this factor (four units in the last place).
constexpr double kLeastRelativeStep = 0x1p-50;

int largestComponent(Vector3 const& n) {
    int k = 0;
    for (int j = 1; j < 3; ++j) {
        if (std::fabs(n[j]) > std::fabs(n[k])) {
            k = j;
        }
    }
    return k;
}

bool admitted(Vector3 const& n, int k) {
    return std::fabs(n[k]) >= kLeastLargestComponent && std::fabs(n[0]) <= kComponentLimit &&
           std::fabs(n[1]) <= kComponentLimit && std::fabs(n[2]) <= kComponentLimit;
}

// The coordinate K of a point.
template <int K>
double coordinate(gte_point const& p) {
    return K == 0 ? p.x : (K == 1 ? p.y : p.z);
}

// Every point by the definition, in index order.
DeviationBand definedBand(gte_point const* points, int count, gte::Plane3 const& plane,
                          double* deviations) {
    RunningRange band;
    for (int i = 0; i < count; ++i) {
        double const e = signedDeviation(toVector3(points[i]), plane);
        if (deviations != nullptr) {
            deviations[i] = e;
        }
        band.offer(e);
    }
    return {band.high.value(), band.low.value()};
}

// The band with the deviations' signs decided as above, k = K the component of the normal
// largest in magnitude.
template <int K>
DeviationBand blockwiseBand(gte_point const* points, int count, gte::Plane3 const& plane,
                            double* deviations) {
    Vector3 const& n = plane.normal;
    double const nk = std::fabs(n[K]);
    double const c = plane.constant;
    double scratch[kBlockSize];
    RunningRange band;
    for (int start = 0; start < count; start += kBlockSize) {
        int const size = count - start < kBlockSize ? count - start : kBlockSize;
        gte_point const* p = points + start;
        double* e = deviations != nullptr ? deviations + start : scratch;
        // Non-zero when some deviation of the block needs the definition; | keeps the loop free
        // of branches. A NaN is never certain, so a certain block holds none.
        int uncertain = 0;
        double high = -std::numeric_limits<double>::infinity();
        double low = std::numeric_limits<double>::infinity();
        for (int i = 0; i < size; ++i) {
            // Dot(N, p) - c, as the point-plane distance forms it.
            double const s = (n[0] * p[i].x + n[1] * p[i].y) + n[2] * p[i].z - c;
            double const value = s + 0.0;
            e[i] = value;
            double const a = -s;
            bool const certain =
                (s >= 0.0) | ((a >= kLeastTrustedMagnitude) & (a <= kGreatestTrustedMagnitude) &
                              (a * nk >= kLeastRelativeStep * std::fabs(coordinate<K>(p[i]))));
            uncertain |= !certain;
            high = value > high ? value : high;
            low = value < low ? value : low;
        }
        if (uncertain == 0) {
            band.high.offer(high);
            band.low.offer(low);
            continue;
        }
        for (int i = 0; i < size; ++i) {
            e[i] = signedDeviation(toVector3(p[i]), plane);
            band.offer(e[i]);
        }
    }
    return {band.high.value(), band.low.value()};
}

}  // namespace

double signedDeviation(Vector3 const& point, gte::Plane3 const& plane) {
    auto const toPlane = gte::Distance(point, plane);
    Vector3 const side = gte::Normalized(point - toPlane.closestPoint);
    return gte::Dot(side, plane.normal) < 0.0 ? -toPlane.distance : toPlane.distance;
}

DeviationBand deviationBand(gte_point const* points, int count, gte::Plane3 const& plane,
                            double* deviations) {
    int const k = largestComponent(plane.normal);
    if (!admitted(plane.normal, k)) {
        return definedBand(points, count, plane, deviations);
    }
    switch (k) {
        case 0:
            return blockwiseBand<0>(points, count, plane, deviations);
        case 1:
            return blockwiseBand<1>(points, count, plane, deviations);
        default:
            return blockwiseBand<2>(points, count, plane, deviations);
    }
}

}  // namespace tavrisk
