// SPDX-License-Identifier: MIT
// Best-fit features of a point cloud: the segment spanned along the fitted line and the fitted
// plane reported through three of the cloud's points.
//
// A null points array is refused (-1, nothing written), and so is a point with a coordinate that
// is not a number or infinite, and a record that would come out with one (coordinates so large
// that the fit overflows). A null output pointer is never written: the function still returns
// whether the record could be built.
#include "form/least_squares_fits.h"
#include "api/export_guard.h"

using namespace tavrisk;

namespace {

// Both fits ask for three points (the line fit itself accepts two; a measured segment asks for
// three).
constexpr int kMinFitPoints = 3;

}  // namespace

extern "C" {

int gte_fit_lseg(const gte_point* points, int count, gte_lseg* segment) {
    if (points == nullptr || count < kMinFitPoints) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        FittedLine const fitted = fitLineSegment(points, count);
        if (!fitted.segment) {
            return TAVRISK_REFUSED;
        }
        if (segment != nullptr) {
            *segment = *fitted.segment;
        }
        return TAVRISK_MEASURED;
    });
}

int gte_fit_plane(const gte_point* points, int count, gte_plane* plane) {
    if (points == nullptr || count < kMinFitPoints) {
        return TAVRISK_REFUSED;
    }
    return guarded(TAVRISK_REFUSED, [&] {
        FittedPlane const fitted = fitPlaneRecord(points, count);
        if (!fitted.record) {
            return TAVRISK_REFUSED;
        }
        if (plane != nullptr) {
            *plane = *fitted.record;
        }
        return TAVRISK_MEASURED;
    });
}

}  // extern "C"
