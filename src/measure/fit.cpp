// Best-fit features of a point cloud: the segment spanned along the fitted line and the fitted
// plane reported through three of the cloud's points.
//
// A null points array is refused (-1, nothing written), and so is a point with a coordinate that
// is not a number or infinite, and a record that would come out with one (coordinates so large
// that the fit overflows). A null output pointer is never written: the function still returns
// whether the record could be built.
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "api/convert.h"
#include "gte/fit.h"
#include "gte/point_distance.h"
#include "measure/export.h"
#include "measure/extreme_pair.h"
#include "measure/running_extremes.h"

using gte::Vector3;
using namespace tavrisk;

namespace {

// Candidates for the plane record closer than this on every axis count as the same point.
constexpr double kSamePointTolerance = 0.001;
// Bound on the cross-to-sum ratios below which three points count as collinear.
constexpr double kCollinearRatio = 1e-8;
// Both fits ask for three points (the line fit itself accepts two; a measured segment asks for
// three).
constexpr int kMinFitPoints = 3;
// The plane record thins its searches to about this many indices per loop.
constexpr std::int64_t kSampleTarget = 100;

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

double squaredDistance(Vector3 const& a, Vector3 const& b) {
    Vector3 const diff = a - b;
    return gte::Dot(diff, diff);
}

bool samePoint(Vector3 const& a, Vector3 const& b) {
    return std::fabs(a[0] - b[0]) < kSamePointTolerance &&
           std::fabs(a[1] - b[1]) < kSamePointTolerance &&
           std::fabs(a[2] - b[2]) < kSamePointTolerance;
}

// What one pair of cross terms of two edges (their products u1 v2 and u2 v1 in one coordinate
// plane) says about the edges: in line when the terms' difference is tiny against their sum. Two
// zero terms (an edge with no extent along u, or neither with any along v) say nothing.
enum class CrossTerms { inLine, apart, silent };

CrossTerms judgeCrossTerms(double t1, double t2) {
    double const difference = t1 - t2;
    double const sum = t1 + t2;
    if (difference == 0.0 && sum == 0.0) {
        return CrossTerms::silent;
    }
    // A zero sum under a non-zero difference is an infinite ratio: the edges are apart.
    return std::fabs(difference / sum) < kCollinearRatio ? CrossTerms::inLine : CrossTerms::apart;
}

// Collinearity by the xy and xz cross terms of the edges b - a and c - b. When one of the two
// planes is silent and the other does not find the edges apart (edges in a plane z = const,
// along the y or z axis, in a plane x = const), the sine of the angle between the edges decides,
// held to the same bound.
bool collinear(Vector3 const& a, Vector3 const& b, Vector3 const& c) {
    if (samePoint(a, b) || samePoint(a, c) || samePoint(b, c)) {
        return true;
    }
    Vector3 const d1 = b - a;
    Vector3 const d2 = c - b;
    CrossTerms const xy = judgeCrossTerms(d1[0] * d2[1], d2[0] * d1[1]);
    CrossTerms const xz = judgeCrossTerms(d1[0] * d2[2], d2[0] * d1[2]);
    if (xy == CrossTerms::apart || xz == CrossTerms::apart) {
        return false;
    }
    if (xy == CrossTerms::inLine && xz == CrossTerms::inLine) {
        return true;
    }
    return gte::Length(gte::Cross(d1, d2)) < kCollinearRatio * gte::Length(d1) * gte::Length(d2);
}

// Three cloud points projected onto the plane: the farthest pair, then the point farthest from
// both whose projection does not line up with theirs. The searches are thinned to every step-th
// index; when the thinned search finds no third point (a cloud lying mostly along one line, its
// few points off it between the sampled indices), every point is searched the same way. Without
// any such point the cloud spans no plane the record can describe: nothing is returned.
std::optional<gte_plane> planeRecordOf(gte::Plane3 const& gtePlane, std::vector<Vector3> const& p) {
    std::int64_t const count = static_cast<std::int64_t>(p.size());
    std::int64_t step = count / kSampleTarget;
    if (step < 1) {
        step = 1;
    }

    auto project = [&](std::int64_t i) {
        return gte::Distance(p[static_cast<std::size_t>(i)], gtePlane).closestPoint;
    };
    auto at = [&](std::int64_t i) -> Vector3 const& { return p[static_cast<std::size_t>(i)]; };

    RunningMaximum farthestPair;
    std::int64_t index0 = 0, index1 = 0;
    for (std::int64_t i = 0; i < count; i += step) {
        for (std::int64_t j = i + 1; j < count; j += step) {
            if (farthestPair.offer(squaredDistance(at(i), at(j)))) {
                index0 = i;
                index1 = j;
            }
        }
    }
    Vector3 const foot0 = project(index0);
    Vector3 const foot1 = project(index1);

    auto thirdSample = [&](std::int64_t stride) -> std::optional<std::int64_t> {
        RunningMaximum farthestFromBoth;
        std::optional<std::int64_t> index2;
        for (std::int64_t k = 0; k < count; k += stride) {
            double const d0 = squaredDistance(at(k), at(index0));
            double const d1 = squaredDistance(at(k), at(index1));
            double const m = d1 < d0 ? d1 : d0;
            if (farthestFromBoth.wouldTake(m) && !collinear(foot0, foot1, project(k))) {
                farthestFromBoth.offer(m);
                index2 = k;
            }
        }
        return index2;
    };
    std::optional<std::int64_t> index2 = thirdSample(step);
    if (!index2 && step > 1) {
        index2 = thirdSample(1);
    }
    if (!index2) {
        return std::nullopt;
    }
    return gte_plane(toPointRecord(foot0), toPointRecord(foot1), toPointRecord(project(*index2)));
}

bool finite(gte_plane const& plane) {
    return finite(plane.pt1) && finite(plane.pt2) && finite(plane.pt3);
}

}  // namespace

extern "C" {

int gte_fit_lseg(const gte_point* points, int count, gte_lseg* segment) {
    if (points == nullptr || count < kMinFitPoints) {
        return kRefused;
    }
    return guarded(kRefused, [&] {
        std::vector<Vector3> const gtePoints = toVectors(points, count);
        gte::LineFit fitter;
        if (!fitter.fit(count, gtePoints.data()) || !fittedFinite(fitter, fitter.direction())) {
            return kRefused;
        }
        gte::Line3 const gteLine(fitter.origin(), fitter.direction());

        // The pair lying farthest apart along the line; the first such pair wins ties.
        PointPair const ends = farthestPairAlong(gtePoints.data(), count, gteLine.direction);
        Vector3 const foot1 = gte::Distance(gtePoints[ends.first], gteLine).closestPoint;
        Vector3 const foot2 = gte::Distance(gtePoints[ends.second], gteLine).closestPoint;
        gte_lseg const fitted(toPointRecord(foot1), toPointRecord(foot2));
        if (!finite(fitted.pt1) || !finite(fitted.pt2)) {
            return kRefused;
        }
        if (segment != nullptr) {
            *segment = fitted;
        }
        return kMeasured;
    });
}

int gte_fit_plane(const gte_point* points, int count, gte_plane* plane) {
    if (points == nullptr || count < kMinFitPoints) {
        return kRefused;
    }
    return guarded(kRefused, [&] {
        std::vector<Vector3> const gtePoints = toVectors(points, count);
        gte::PlaneFit fitter;
        if (!fitter.fit(count, gtePoints.data()) || !fittedFinite(fitter, fitter.normal())) {
            return kRefused;
        }
        gte::Plane3 const gtePlane =
            gte::Plane3::fromNormalAndPoint(fitter.normal(), fitter.origin());
        std::optional<gte_plane> const record = planeRecordOf(gtePlane, gtePoints);
        if (!record || !finite(*record)) {
            return kRefused;
        }
        if (plane != nullptr) {
            *plane = *record;
        }
        return kMeasured;
    });
}

}  // extern "C"
