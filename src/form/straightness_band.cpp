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

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "api/convert.h"
#include "gte/point_distance_queries.h"
#include "search/running_extremes.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TAVRISK_STRAIGHTNESS_SSE2 1
#endif

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

// A line direction with less horizontal length than this (within about 0.057 degrees of the
// vertical) has no horizontal across direction.
constexpr double kMinHorizontalLength = 0.001;

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
double coordinateOf(gte_point const& p) {
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

// What a block of deviations tells about itself: its extremes, the negative deviation nearest 0,
// the largest coordinate k in magnitude (a NaN coordinate aside: its deviation is NaN as well)
// and whether a deviation is NaN.
struct BlockSummary {
    double high, low, nearestBelowZero, largestCoordinate;
    bool undefined;
};

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Writes e[i] = fl(Dot(N, p[i]) - c) + 0, the deviation whose sign is taken as it stands (a -0
// made +0), for i < size, and sums the block up.
template <int K>
BlockSummary summarizePortably(gte_point const* p, int size, Vector3 const& n, double c,
                               double* e) {
    BlockSummary block{-kInfinity, kInfinity, -kInfinity, 0.0, false};
    for (int i = 0; i < size; ++i) {
        // Dot(N, p) - c, as the point-plane distance forms it.
        double const value = (n[0] * p[i].x + n[1] * p[i].y) + n[2] * p[i].z - c + 0.0;
        e[i] = value;
        block.high = value > block.high ? value : block.high;
        block.low = value < block.low ? value : block.low;
        double const belowZero = value < 0.0 ? value : -kInfinity;
        block.nearestBelowZero =
            belowZero > block.nearestBelowZero ? belowZero : block.nearestBelowZero;
        double const coordinate = std::fabs(coordinateOf<K>(p[i]));
        block.largestCoordinate =
            coordinate > block.largestCoordinate ? coordinate : block.largestCoordinate;
        block.undefined |= value != value;
    }
    return block;
}

#ifdef TAVRISK_STRAIGHTNESS_SSE2
// The same, two points a step in the lanes of SSE2 registers: the lane operations are the scalar
// ones (maxpd and minpd keep the second operand unless the first is strictly beyond it), and the
// extremes of numbers do not depend on the order they are taken in.
template <int K>
BlockSummary summarizeInLanes(gte_point const* p, int size, Vector3 const& n, double c, double* e) {
    __m128d const nx = _mm_set1_pd(n[0]), ny = _mm_set1_pd(n[1]), nz = _mm_set1_pd(n[2]);
    __m128d const constant = _mm_set1_pd(c), zero = _mm_setzero_pd();
    __m128d const magnitude = _mm_set1_pd(-0.0), negativeInfinity = _mm_set1_pd(-kInfinity);
    __m128d high = negativeInfinity, low = _mm_set1_pd(kInfinity), nearest = negativeInfinity;
    __m128d largest = zero, undefined = zero;
    int i = 0;
    for (; i + 2 <= size; i += 2) {
        double const* q = &p[i].x;  // x0 y0 z0 x1 y1 z1
        __m128d const xy0 = _mm_loadu_pd(q), zx = _mm_loadu_pd(q + 2), yz1 = _mm_loadu_pd(q + 4);
        __m128d const x = _mm_shuffle_pd(xy0, zx, 2), y = _mm_shuffle_pd(xy0, yz1, 1);
        __m128d const z = _mm_shuffle_pd(zx, yz1, 2);
        __m128d const value = _mm_add_pd(
            _mm_sub_pd(
                _mm_add_pd(_mm_add_pd(_mm_mul_pd(nx, x), _mm_mul_pd(ny, y)), _mm_mul_pd(nz, z)),
                constant),
            zero);
        _mm_storeu_pd(e + i, value);
        high = _mm_max_pd(value, high);
        low = _mm_min_pd(value, low);
        __m128d const negative = _mm_cmplt_pd(value, zero);
        __m128d const belowZero =
            _mm_or_pd(_mm_and_pd(negative, value), _mm_andnot_pd(negative, negativeInfinity));
        nearest = _mm_max_pd(belowZero, nearest);
        __m128d const coordinate = K == 0 ? x : (K == 1 ? y : z);
        largest = _mm_max_pd(_mm_andnot_pd(magnitude, coordinate), largest);
        undefined = _mm_or_pd(undefined, _mm_cmpunord_pd(value, value));
    }
    double lanes[5][2];
    _mm_storeu_pd(lanes[0], high);
    _mm_storeu_pd(lanes[1], low);
    _mm_storeu_pd(lanes[2], nearest);
    _mm_storeu_pd(lanes[3], largest);
    BlockSummary block = summarizePortably<K>(p + i, size - i, n, c, e + i);
    for (int lane = 0; lane < 2; ++lane) {
        block.high = std::max(block.high, lanes[0][lane]);
        block.low = std::min(block.low, lanes[1][lane]);
        block.nearestBelowZero = std::max(block.nearestBelowZero, lanes[2][lane]);
        block.largestCoordinate = std::max(block.largestCoordinate, lanes[3][lane]);
    }
    block.undefined |= _mm_movemask_pd(undefined) != 0;
    return block;
}
#endif

// The band with the deviations' signs decided as above, k = K the component of the normal
// largest in magnitude. The conditions are checked for a whole block at once: the negative
// deviation nearest 0 against the largest coordinate k of the block and the lower limit, the
// most negative one against the upper limit.
template <int K>
DeviationBand blockwiseBand(gte_point const* points, int count, gte::Plane3 const& plane,
                            double* deviations) {
    double const nk = std::fabs(plane.normal[K]);
    double scratch[kBlockSize];
    RunningRange band;
    for (int start = 0; start < count; start += kBlockSize) {
        int const size = count - start < kBlockSize ? count - start : kBlockSize;
        gte_point const* p = points + start;
        double* e = deviations != nullptr ? deviations + start : scratch;
#ifdef TAVRISK_STRAIGHTNESS_SSE2
        BlockSummary const block = summarizeInLanes<K>(p, size, plane.normal, plane.constant, e);
#else
        BlockSummary const block = summarizePortably<K>(p, size, plane.normal, plane.constant, e);
#endif
        double const nearest = -block.nearestBelowZero;
        bool const certain =
            !block.undefined &&
            (block.low >= 0.0 ||
             (nearest >= kLeastTrustedMagnitude && -block.low <= kGreatestTrustedMagnitude &&
              nearest * nk >= kLeastRelativeStep * block.largestCoordinate));
        if (certain) {
            band.high.offer(block.high);
            band.low.offer(block.low);
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

gte::Plane3 straightnessPlane(gte_line const& line) {
    gte::Line3 const gteLine = toLine3(line);
    Vector3 const up(0.0, 0.0, 1.0);
    Vector3 normal;
    if (gte::Length(gte::Cross(up, gteLine.direction)) > kMinHorizontalLength) {
        normal = gte::Cross(gteLine.direction, up);
    } else {
        normal = gte::Cross(gteLine.direction, Vector3(1.0, 0.0, 0.0));
    }
    return gte::Plane3::fromNormalAndPoint(normal, gteLine.origin);
}

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
