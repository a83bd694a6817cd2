// SPDX-License-Identifier: MIT
// Form measures of point sets seen from above: the second-moment ellipse, the profile against a
// nominal contour, and the straightness about a line.
#include <cmath>

#include "api/convert.h"
#include "math/correctly_rounded.h"
#include "api/export_guard.h"
#include "form/profile_deviation.h"
#include "form/straightness_band.h"
#include "search/running_extremes.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

// The second-moment ellipse needs three points.
constexpr int kMinMomentPoints = 3;
// The axis angle of points without a preferred direction (equal spreads, no correlation).
constexpr double kNoPreferredAngle = 0.0;

}  // namespace

extern "C" {

int gte_measure_moment2(const gte_point* points, int count, gte_point* centroid, double* angle,
                        double* major, double* minor) {
    if (points == nullptr || count < kMinMomentPoints) {
        return TAVRISK_REFUSED;
    }
    Vector3 const mean = centroidOf(points, count);

    double sxx = 0.0;
    double syy = 0.0;
    double sxy = 0.0;
    for (int i = 0; i < count; ++i) {
        double const dx = points[i].x - mean[0];
        double const dy = points[i].y - mean[1];
        sxx += dx * dx;
        syy += dy * dy;
        sxy += dx * dy;
    }
    sxx /= count;
    syy /= count;
    sxy /= count;

    // Eigenvalues of the 2x2 moment matrix are (Sxx + Syy +- r) / 2; the axes of the ellipse
    // of one standard deviation are twice their square roots.
    double const r = std::sqrt((sxx - syy) * (sxx - syy) + 4.0 * sxy * sxy);
    double const majorAxis = std::sqrt(2.0 * (sxx + syy + r));
    // For collinear points the minor eigenvalue is 0 but may round a little below it; the
    // axis is then 0, not the square root of a negative number. Undefined stays undefined.
    double const minorSquared = 2.0 * (sxx + syy - r);
    double const minorAxis =
        minorSquared > 0.0 || std::isnan(minorSquared) ? std::sqrt(minorSquared) : 0.0;
    // The axis nearer the x axis. A set without preferred direction (equal spreads, no
    // correlation) reports 0 rather than the undefined quotient 0 / 0.
    double axisAngle = kNoPreferredAngle;
    if (!(syy == sxx && sxy == 0.0)) {
        axisAngle = -0.5 * gte::math::Atan(2.0 * sxy / (syy - sxx));
    }

    if (centroid != nullptr) {
        *centroid = toPointRecord(mean);
    }
    if (angle != nullptr) {
        *angle = axisAngle;
    }
    if (major != nullptr) {
        *major = majorAxis;
    }
    if (minor != nullptr) {
        *minor = minorAxis;
    }
    return TAVRISK_MEASURED;
}

int gte_measure_profile2D(const gte_point* measured, int measuredCount, const gte_point* nominal,
                          const gte_vector* normals, int nominalCount, double* profile) {
    if (measured == nullptr || nominal == nullptr || normals == nullptr || measuredCount < 1 ||
        nominalCount < 1) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        // The band of the deviations of the measured points, each along the normal of its
        // nominal point; a NaN deviation makes the band NaN.
        RunningRange band;
        for (ProfileDeviation const& paired :
             profileDeviationsOf(measured, measuredCount, nominal, normals, nominalCount)) {
            band.offer(paired.deviation);
        }
        if (profile != nullptr) {
            *profile = std::fabs(band.low.value() - band.high.value());
        }
        return TAVRISK_MEASURED;
    });
}

double gte_straightness_xy_line(const gte_point* points, int count, gte_line line,
                                double* deviations) {
    if (points == nullptr || count <= 0) {
        return TAVRISK_NO_STRAIGHTNESS;
    }
    DeviationBand const band = deviationBand(points, count, straightnessPlane(line), deviations);
    return band.high - band.low;
}

}  // extern "C"
