// SPDX-License-Identifier: MIT
#include "form/least_squares_fits.h"

#include <cmath>

#include "api/convert.h"
#include "gte/orthogonal_fit.h"
#include "gte/point_distance_queries.h"
#include "search/extreme_pair.h"
#include "search/line_fit_reading.h"
#include "search/plane_record.h"

namespace tavrisk {

namespace {

using gte::Vector3;

bool finite(gte_point const& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool finite(Vector3 const& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// The running sums of a residual summary, offered the residuals in index order.
class ResidualSums {
public:
    void offer(std::size_t i, double residual) {
        if (i == 0 || residual < summary_.low) {
            summary_.low = residual;
            summary_.lowIndex = i;
        }
        if (i == 0 || residual > summary_.high) {
            summary_.high = residual;
            summary_.highIndex = i;
        }
        squares_ += residual * residual;
    }

    ResidualSummary finished(std::size_t count) {
        summary_.rms = std::sqrt(squares_ / static_cast<double>(count));
        return summary_;
    }

private:
    ResidualSummary summary_;
    double squares_ = 0.0;
};

}  // namespace

FittedPlane fitPlaneRecord(gte_point const* points, int count) {
    // The caller's records are read where they lie, by the fit and by the record. The fitted
    // origin is the mean of the points: it is finite exactly when every coordinate is and their
    // sums do not overflow.
    auto const pointAt = [points](std::size_t i) { return toVector3(points[i]); };
    gte::PlaneFit fitter;
    FittedPlane fitted;
    fitted.unique =
        fitter.fitEach(count, pointAt) && finite(fitter.origin()) && finite(fitter.normal());
    fitted.origin = fitter.origin();
    fitted.normal = fitter.normal();
    if (fitted.unique) {
        gte::Plane3 const plane = gte::Plane3::fromNormalAndPoint(fitted.normal, fitted.origin);
        fitted.record = planeRecordOf(plane, count, pointAt);
        if (fitted.record && !(finite(fitted.record->pt1) && finite(fitted.record->pt2) &&
                               finite(fitted.record->pt3))) {
            fitted.record.reset();
        }
    }
    return fitted;
}

FittedLine fitLineSegment(gte_point const* points, int count) {
    // The caller's records are read where they lie, twice: for the fit's sums and the points
    // that may lie farthest apart along the fitted line.
    LineFitReading const reading(points, count);
    gte::LineFit fitter;
    FittedLine fitted;
    fitted.unique = fitter.fitMoments(count, reading.moments()) && finite(fitter.origin()) &&
                    finite(fitter.direction());
    fitted.origin = fitter.origin();
    fitted.direction = fitter.direction();
    if (fitted.unique) {
        gte::Line3 const line(fitted.origin, fitted.direction);
        // The pair lying farthest apart along the line; the first such pair wins ties.
        PointPair const ends = reading.farthestPair(line.direction);
        Vector3 const foot1 = gte::Distance(toVector3(points[ends.first]), line).closestPoint;
        Vector3 const foot2 = gte::Distance(toVector3(points[ends.second]), line).closestPoint;
        gte_lseg const segment(toPointRecord(foot1), toPointRecord(foot2));
        if (finite(segment.pt1) && finite(segment.pt2)) {
            fitted.segment = segment;
        }
    }
    return fitted;
}

ResidualSummary planeResiduals(gte_point const* points, std::size_t count, Vector3 const& origin,
                               Vector3 const& normal, double* residuals) {
    ResidualSums sums;
    for (std::size_t i = 0; i < count; ++i) {
        double const d = gte::Dot(toVector3(points[i]) - origin, normal);
        sums.offer(i, d);
        if (residuals != nullptr) {
            residuals[i] = d;
        }
    }
    return sums.finished(count);
}

ResidualSummary lineResiduals(gte_point const* points, std::size_t count, gte::Line3 const& line,
                              double* residuals) {
    ResidualSums sums;
    for (std::size_t i = 0; i < count; ++i) {
        double const d = gte::Distance(toVector3(points[i]), line).distance;
        sums.offer(i, d);
        if (residuals != nullptr) {
            residuals[i] = d;
        }
    }
    return sums.finished(count);
}

}  // namespace tavrisk
