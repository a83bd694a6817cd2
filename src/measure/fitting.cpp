// SPDX-License-Identifier: MIT
// Best-fit features of a point cloud: the segment spanned along the fitted line and the fitted
// plane reported through three of the cloud's points.
//
// A null points array is refused (-1, nothing written), and so is a point with a coordinate that
// is not a number or infinite, and a record that would come out with one (coordinates so large
// that the fit overflows). A null output pointer is never written: the function still returns
// whether the record could be built.
#include <cmath>
#include <cstddef>
#include <optional>

#include "api/convert.h"
#include "gte/orthogonal_fit.h"
#include "gte/point_distance_queries.h"
#include "api/export_guard.h"
#include "search/extreme_pair.h"
#include "search/line_fit_reading.h"
#include "search/plane_record.h"
#include "search/running_extremes.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

// Both fits ask for three points (the line fit itself accepts two; a measured segment asks for
// three).
constexpr int kMinFitPoints = 3;

bool finite(gte_point const& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool finite(Vector3 const& v) {
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

// The fitted origin is the mean of the points: it is finite exactly when every coordinate is
// and their sums do not overflow, so one test refuses both kinds of input.
template <class Fit>
bool fittedFinite(Fit const& fitter, Vector3 const& axis) {
    return finite(fitter.origin()) && finite(axis);
}

bool finite(gte_plane const& plane) {
    return finite(plane.pt1) && finite(plane.pt2) && finite(plane.pt3);
}

}  // namespace

extern "C" {

int gte_fit_lseg(const gte_point* points, int count, gte_lseg* segment) {
    if (points == nullptr || count < kMinFitPoints) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        // The caller's records are read where they lie, twice: for the fit's sums and the points
        // that may lie farthest apart along the fitted line.
        LineFitReading const reading(points, count);
        gte::LineFit fitter;
        if (!fitter.fitMoments(count, reading.moments()) ||
            !fittedFinite(fitter, fitter.direction())) {
            return TAVRISK_REFUSED;
        }
        gte::Line3 const gteLine(fitter.origin(), fitter.direction());

        // The pair lying farthest apart along the line; the first such pair wins ties.
        PointPair const ends = reading.farthestPair(gteLine.direction);
        Vector3 const foot1 = gte::Distance(toVector3(points[ends.first]), gteLine).closestPoint;
        Vector3 const foot2 = gte::Distance(toVector3(points[ends.second]), gteLine).closestPoint;
        gte_lseg const fitted(toPointRecord(foot1), toPointRecord(foot2));
        if (!finite(fitted.pt1) || !finite(fitted.pt2)) {
            return TAVRISK_REFUSED;
        }
        if (segment != nullptr) {
            *segment = fitted;
        }
        return TAVRISK_MEASURED;
    });
}

int gte_fit_plane(const gte_point* points, int count, gte_plane* plane) {
    if (points == nullptr || count < kMinFitPoints) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        // The caller's records are read where they lie, by the fit and by the record.
        auto const pointAt = [points](std::size_t i) { return toVector3(points[i]); };
        gte::PlaneFit fitter;
        if (!fitter.fitEach(count, pointAt) || !fittedFinite(fitter, fitter.normal())) {
            return TAVRISK_REFUSED;
        }
        gte::Plane3 const gtePlane =
            gte::Plane3::fromNormalAndPoint(fitter.normal(), fitter.origin());
        std::optional<gte_plane> const record = planeRecordOf(gtePlane, count, pointAt);
        if (!record || !finite(*record)) {
            return TAVRISK_REFUSED;
        }
        if (plane != nullptr) {
            *plane = *record;
        }
        return TAVRISK_MEASURED;
    });
}

}  // extern "C"
