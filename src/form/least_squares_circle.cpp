// SPDX-License-Identifier: MIT
#include "form/least_squares_circle.h"

#include <algorithm>
#include <cmath>

namespace tavrisk::form {

namespace {

// Gauss-Newton steps before giving up; a round profile settles in a handful.
constexpr int kMaxSteps = 100;
// Halvings of a step that raised the sum before the step is abandoned.
constexpr int kMaxHalvings = 30;
// A step below this fraction of the radius ends the iteration: Gauss-Newton converges
// quadratically on a profile, so the centre is then settled to the doubles' rounding.
constexpr double kSettledStep = 1e-13;
// A step may raise the sum of squares by its rounding (the deviations' rounding over the
// points) and still be taken: near the minimum the sum no longer shows the progress.
constexpr double kSumRounding = 1e-12;

// The distance of a point from the centre c given about the mean.
double distanceFrom(gte::Vector3 const& p, gte::Vector2 const& mean, gte::Vector2 const& c) {
    double const dx = p[0] - mean[0] - c[0];
    double const dy = p[1] - mean[1] - c[1];
    return std::sqrt(dx * dx + dy * dy);
}

struct Deviations {
    double sumOfSquares;
    double radius;
};

// The mean distance from the centre (the best radius for it) and the sum of squared deviations.
Deviations deviationsAbout(gte::Vector3 const* p, std::size_t count, gte::Vector2 const& mean,
                           gte::Vector2 const& c) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += distanceFrom(p[i], mean, c);
    }
    double const radius = sum / static_cast<double>(count);
    double squares = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        double const e = distanceFrom(p[i], mean, c) - radius;
        squares += e * e;
    }
    return {squares, radius};
}

}  // namespace

LeastSquaresCircle leastSquaresCircle(gte::Vector3 const* p, std::size_t count) {
    LeastSquaresCircle fit;
    if (count < 3) {
        return fit;
    }
    double const n = static_cast<double>(count);
    gte::Vector2 mean = gte::Vector2::zeroVector();
    gte::Vector2 low(p[0][0], p[0][1]);
    gte::Vector2 high = low;
    for (std::size_t i = 0; i < count; ++i) {
        mean[0] += p[i][0];
        mean[1] += p[i][1];
        for (int k = 0; k < 2; ++k) {
            low[k] = std::min(low[k], p[i][k]);
            high[k] = std::max(high[k], p[i][k]);
        }
    }
    mean[0] /= n;
    mean[1] /= n;
    double const farthest = kFarthestCentreSpreads * std::max(high[0] - low[0], high[1] - low[1]);

    // Kasa: x^2 + y^2 = 2 a x + 2 b y + c in centred coordinates, by its normal equations; the
    // centring makes the sums of x and y vanish, which decouples c.
    double sxx = 0.0, sxy = 0.0, syy = 0.0, sxz = 0.0, syz = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        double const x = p[i][0] - mean[0];
        double const y = p[i][1] - mean[1];
        double const z = x * x + y * y;
        sxx += x * x;
        sxy += x * y;
        syy += y * y;
        sxz += x * z;
        syz += y * z;
    }
    double const det = sxx * syy - sxy * sxy;
    if (!(det > 0.0)) {
        return fit;
    }
    gte::Vector2 c(0.5 * (sxz * syy - syz * sxy) / det, 0.5 * (syz * sxx - sxz * sxy) / det);
    Deviations current = deviationsAbout(p, count, mean, c);

    for (int step = 0; step < kMaxSteps; ++step) {
        // Normal equations of the deviations d_i - mean(d) in the centre: the derivative of d_i
        // is -u_i (u_i the unit vector to the point), of the mean the mean of the u_i.
        double ux = 0.0, uy = 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            double const dx = p[i][0] - mean[0] - c[0];
            double const dy = p[i][1] - mean[1] - c[1];
            double const d = std::sqrt(dx * dx + dy * dy);
            if (d > 0.0) {
                ux += dx / d;
                uy += dy / d;
            }
        }
        ux /= n;
        uy /= n;
        double jxx = 0.0, jxy = 0.0, jyy = 0.0, gx = 0.0, gy = 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            double const dx = p[i][0] - mean[0] - c[0];
            double const dy = p[i][1] - mean[1] - c[1];
            double const d = std::sqrt(dx * dx + dy * dy);
            double const jx = (d > 0.0 ? -dx / d : 0.0) + ux;
            double const jy = (d > 0.0 ? -dy / d : 0.0) + uy;
            double const e = d - current.radius;
            jxx += jx * jx;
            jxy += jx * jy;
            jyy += jy * jy;
            gx += jx * e;
            gy += jy * e;
        }
        double const jdet = jxx * jyy - jxy * jxy;
        if (!(jdet > 0.0)) {
            return fit;
        }
        gte::Vector2 delta(-(gx * jyy - gy * jxy) / jdet, -(gy * jxx - gx * jxy) / jdet);
        bool improved = false;
        for (int halving = 0; halving < kMaxHalvings; ++halving) {
            gte::Vector2 const next = c + delta;
            if (!(gte::Length(next) <= farthest)) {
                delta *= 0.5;
                continue;
            }
            Deviations const trial = deviationsAbout(p, count, mean, next);
            if (trial.sumOfSquares <= current.sumOfSquares * (1.0 + kSumRounding)) {
                c = next;
                current = trial;
                improved = true;
                break;
            }
            delta *= 0.5;
        }
        if (!improved || gte::Length(delta) <= kSettledStep * current.radius) {
            fit.converged = true;
            break;
        }
    }
    fit.center = mean + c;
    fit.radius = current.radius;
    fit.fitted = true;
    return fit;
}

}  // namespace tavrisk::form
