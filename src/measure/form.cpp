// Form measures of point sets seen from above: the second-moment ellipse, the profile against a
// nominal contour, and the straightness about a line.
#include <algorithm>
#include <cmath>
#include <vector>

#include "api/convert.h"
#include "gte/point_distance.h"
#include "measure/profile_deviation.h"
#include "measure/running_extremes.h"

using gte::DistanceQuery;
using gte::Vector3;
using namespace tavrisk;

namespace {

// Ascending order with every NaN after all numbers, so that a NaN cannot break the sort.
bool ascendingNaNLast(double a, double b) {
    return a < b || (!std::isnan(a) && std::isnan(b));
}

}  // namespace

namespace tavrisk {

std::vector<ProfileDeviation> profileDeviationsOf(gte_point const* measured, int measuredCount,
                                                  gte_point const* nominal,
                                                  gte_vector const* normals, int nominalCount) {
    std::vector<ProfileDeviation> paired(static_cast<std::size_t>(measuredCount));
    for (int i = 0; i < measuredCount; ++i) {
        // Pair the measured point with the nominal point nearest in XY; the first of equally
        // near points wins, and a nominal point at an undefined distance is taken (its NaN then
        // shows in the deviation instead of being passed over).
        gte_point const& m = measured[i];
        RunningMinimum nearest;
        int k = 0;
        for (int j = 0; j < nominalCount; ++j) {
            double const dx = m.x - nominal[j].x;
            double const dy = m.y - nominal[j].y;
            if (nearest.offer(dx * dx + dy * dy)) {
                k = j;
            }
        }
        // Deviation along the nominal normal's horizontal part, as given (not made unit).
        Vector3 const direction(normals[k].x, normals[k].y, 0.0);
        Vector3 const offset(m.x - nominal[k].x, m.y - nominal[k].y, 0.0);
        paired[static_cast<std::size_t>(i)] = ProfileDeviation{k, gte::Dot(offset, direction)};
    }
    return paired;
}

}  // namespace tavrisk

extern "C" {

int gte_measure_moment2(const gte_point* points, int count, gte_point* centroid, double* angle,
                        double* major, double* minor) {
    if (points == nullptr || count < 3) {
        return -1;
    }
    try {
        std::vector<Vector3> list;
        list.reserve(static_cast<std::size_t>(count));
        Vector3 sum = Vector3::zeroVector();
        for (int i = 0; i < count; ++i) {
            Vector3 const p = toVector3(points[i]);
            sum += p;
            list.push_back(p);
        }
        Vector3 const mean = sum / static_cast<double>(count);

        double sxx = 0.0;
        double syy = 0.0;
        double sxy = 0.0;
        for (Vector3 const& p : list) {
            double const dx = p[0] - mean[0];
            double const dy = p[1] - mean[1];
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
        double axisAngle = 0.0;
        if (!(syy == sxx && sxy == 0.0)) {
            axisAngle = -0.5 * std::atan(2.0 * sxy / (syy - sxx));
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
        return 1;
    } catch (...) {
        return -1;
    }
}

int gte_measure_profile2D(const gte_point* measured, int measuredCount, const gte_point* nominal,
                          const gte_vector* normals, int nominalCount, double* profile) {
    if (measured == nullptr || nominal == nullptr || normals == nullptr || measuredCount < 1 ||
        nominalCount < 1) {
        return -1;
    }
    try {
        std::vector<ProfileDeviation> const paired =
            profileDeviationsOf(measured, measuredCount, nominal, normals, nominalCount);
        std::vector<double> sorted(paired.size());
        for (std::size_t i = 0; i < paired.size(); ++i) {
            sorted[i] = paired[i].deviation;
        }
        std::sort(sorted.begin(), sorted.end(), ascendingNaNLast);
        if (profile != nullptr) {
            *profile = std::fabs(sorted.front() - sorted.back());
        }
        return 1;
    } catch (...) {
        return -1;
    }
}

double gte_straightness_xy_line(const gte_point* points, int count, gte_line line,
                                double* deviations) {
    if (points == nullptr || count <= 0) {
        return -1.0;
    }
    gte::Line3 const gteline = toLine3(line);
    Vector3 const up(0.0, 0.0, 1.0);
    Vector3 across = gte::Cross(up, gteline.direction);
    // Deviations are measured horizontally, in the vertical plane through the line. A vertical
    // line has no horizontal across direction: it is measured across y instead.
    Vector3 normal;
    if (gte::Normalize(across) > 0.001) {
        normal = gte::Cross(gteline.direction, up);
    } else {
        normal = gte::Cross(gteline.direction, Vector3(1.0, 0.0, 0.0));
    }
    gte::Plane3 const plane(normal, gteline.origin);

    DistanceQuery<Vector3, gte::Plane3> disFun;
    RunningRange band;
    for (int i = 0; i < count; ++i) {
        Vector3 const gtePoint = toVector3(points[i]);
        auto const dis = disFun(gtePoint, plane);
        double e = dis.distance;
        Vector3 side = gtePoint - dis.closestPoint;
        gte::Normalize(side);
        if (gte::Dot(side, normal) < 0.0) {
            e = -e;
        }
        if (deviations != nullptr) {
            deviations[i] = e;
        }
        band.offer(e);
    }
    return band.high.value() - band.low.value();
}

}  // extern "C"
