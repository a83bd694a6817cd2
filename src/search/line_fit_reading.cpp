// SPDX-License-Identifier: MIT
// The fitted segment's readings in two passes.
//
// The fit needs two passes (the mean, then the scatter about it) and the farthest pair along the
// fitted direction two more (the extreme projections, then the points near them). The first
// pass also takes the box of the coordinates; between the passes, a few thousand points spread
// over the set give an estimate e of the fitted direction; the second pass keeps, beside the
// scatter, the points whose projection onto e lies within a reach W' of the running largest or
// smallest. Once the fit has given d, those points serve when they surely hold every point the
// farthest-pair search keeps along d (extreme_pair.cpp): every point with T >= fl(T_max - M) or
// T <= fl(T_min + M), T = Dot(fl(p - p_0), d) and M = roundingWindow(box, d).
//
// Bound. Let u = 2^-53, R_k the coordinates' ranges, S = sum_k R_k |d_k| and S' likewise for e,
// T' = Dot(fl(p - c), e) with c the mean (inside the box). In reals, t = (p - p_0) . d and
// t' = (p - c) . e, so t'_j - t'_i = (t_j - t_i) + (p_j - p_i) . (e - d): differences of t' and of
// t part by at most D = sum_k R_k |d_k - e_k|. A projection errs by at most 4.01 u of the
// magnitudes it sums (its difference, products and two sums), |T| <= S (1 + 4u) and
// |T'| <= S' (1 + 4u). For a point i with T_i >= fl(T_max - M) and the point j of the largest
// T', T'_j - T'_i <= T_max - T_i + D + 8.02 u (S + S') <= M + D + u (|T_max| + M) +
// 8.02 u (S + S'); so fl(T'_j - W') <= T'_i when W' exceeds that by u (|T'_j| + W'). Since
// M >= 127 u S and M' = roundingWindow(box, e) >= 127 u S', this holds when
// W' >= (M + 2 D + 0.1 (M + M')) (1 + 2^-20) + 2^-1060, D computed in floating point (within a
// factor 1 + 2^-40 of the real one); likewise at the smallest end. A point kept against a running
// largest stays kept against the final one, which only grows; those dropped on the way were
// beyond the cut of the largest at their time, so beyond the final one. The estimate's sign is
// the eigen-solver's: against d, -e serves, which keeps the same points.
//
// An estimate too far from d (eigenvalues that nearly tie, where the direction is barely
// defined), coordinates beyond the window's limits, NaN or infinities leave the search to
// farthestPairAlong and its two passes.
#include "search/line_fit_reading.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "api/convert.h"
#include "search/rounding_window.h"

namespace tavrisk {

namespace {

using gte::Vector3;

// The reach W' along the estimate, in rounding windows: 2^34 windows, about 2^-12 of the set's
// extent along the estimate, so that an estimate within about 2^-14 radians of the fitted
// direction serves, while ordinary sets keep a few hundred points of a million near each end.
constexpr double kReachInWindows = 0x1p34;
// The estimate is taken from this many points at most, spread evenly over the set: enough for
// the direction of an elongated set to well within the reach.
constexpr std::size_t kSamples = 4096;
// The kept points are thinned whenever their number doubles, and not below this many.
constexpr std::size_t kLeastKept = 1024;
// The margins of the bound above.
constexpr double kBoundFactor = 1.0 + 0x1p-20;
constexpr double kBoundWindows = 0.1;
constexpr double kBoundFloor = 0x1p-1060;

bool finite(Vector3 const& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// The principal axis of the covariance of a sample of the points spread evenly over the set,
// the deviations taken from the mean.
Vector3 estimatedDirection(gte_point const* points, int count, Vector3 const& mean) {
    std::size_t const samples = std::min<std::size_t>(static_cast<std::size_t>(count), kSamples);
    gte::Scatter sample;
    for (std::size_t s = 0; s < samples; ++s) {
        sample.add(toVector3(points[s * static_cast<std::size_t>(count) / samples]) - mean);
    }
    double eval[3], evec[3][3];
    sample.decompose(eval, evec);
    return Vector3(evec[2][0], evec[2][1], evec[2][2]);
}

}  // namespace

LineFitReading::LineFitReading(gte_point const* points, int count)
    : points_(points),
      count_(count),
      moments_(Vector3::zeroVector(), gte::Scatter()),
      estimate_(Vector3::zeroVector()) {
    // First pass: the sum the mean is taken from, and the box.
    Vector3 sum = Vector3::zeroVector();
    low_ = high_ = toVector3(points[0]);
    for (int i = 0; i < count; ++i) {
        Vector3 const p = toVector3(points[i]);
        sum += p;
        for (int k = 0; k < 3; ++k) {
            low_[k] = p[k] < low_[k] ? p[k] : low_[k];
            high_[k] = p[k] > high_[k] ? p[k] : high_[k];
        }
    }
    Vector3 const mean = gte::CentroidOfSum(sum, static_cast<std::size_t>(count));
    estimate_ = estimatedDirection(points, count, mean);
    estimated_ = finite(estimate_) && withinLimit(estimate_, kWindowDirectionLimit) &&
                 withinLimit(low_, kWindowCoordinateLimit) &&
                 withinLimit(high_, kWindowCoordinateLimit) && finite(mean);
    reach_ = estimated_ ? roundingWindow(low_, high_, estimate_) * kReachInWindows : 0.0;

    // Second pass: the scatter, and the points near either end along the estimate, whose
    // projections are taken from the mean with the deviations the scatter takes.
    gte::Scatter scatter;
    if (!estimated_) {
        for (int i = 0; i < count; ++i) {
            scatter.add(toVector3(points[i]) - mean);
        }
    } else {
        dropAt_ = kLeastKept;
        largest_ = -std::numeric_limits<double>::infinity();
        smallest_ = std::numeric_limits<double>::infinity();
        for (int i = 0; i < count; ++i) {
            Vector3 const deviation = toVector3(points[i]) - mean;
            scatter.add(deviation);
            double const t = gte::Dot(deviation, estimate_);
            largest_ = t > largest_ ? t : largest_;
            smallest_ = t < smallest_ ? t : smallest_;
            if (t >= largest_ - reach_ || t <= smallest_ + reach_) {
                keep(t, i);
            }
        }
        dropFarFromEnds();
    }
    moments_ = gte::Moments(mean, scatter);
}

void LineFitReading::keep(double projection, int index) {
    kept_.push_back({projection, index});
    if (kept_.size() >= dropAt_) {
        dropFarFromEnds();
        dropAt_ = std::max(2 * kept_.size(), kLeastKept);
    }
}

void LineFitReading::dropFarFromEnds() {
    double const highCut = largest_ - reach_;
    double const lowCut = smallest_ + reach_;
    kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                               [&](Kept const& k) {
                                   return !(k.projection >= highCut || k.projection <= lowCut);
                               }),
                kept_.end());
}

PointPair LineFitReading::farthestPair(Vector3 const& direction) const {
    if (!estimated_ || !withinLimit(direction, kWindowDirectionLimit)) {
        return farthestPairAlong(points_, count_, direction);
    }
    Vector3 const e = gte::Dot(direction, estimate_) < 0.0 ? -estimate_ : estimate_;
    double apart = 0.0;
    for (int k = 0; k < 3; ++k) {
        apart += (high_[k] - low_[k]) * std::fabs(direction[k] - e[k]);
    }
    double const window = roundingWindow(low_, high_, direction);
    double const needed =
        (window + 2.0 * apart + kBoundWindows * (window + roundingWindow(low_, high_, e))) *
            kBoundFactor +
        kBoundFloor;
    if (!(reach_ >= needed)) {
        return farthestPairAlong(points_, count_, direction);
    }
    std::vector<int> candidates;
    for (Kept const& k : kept_) {
        candidates.push_back(k.index);
    }
    return farthestPairAmong(points_, candidates, direction, low_, high_);
}

}  // namespace tavrisk
