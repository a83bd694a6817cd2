// Best-fit features of a point cloud: the segment spanned along the fitted line and the fitted
// plane reported through three of the cloud's points.
//
// A null points array is refused (-1, nothing written). A null output pointer is never written:
// the function still returns whether the fit succeeded, but skips building the record.
#include <cmath>
#include <cstdint>
#include <vector>

#include "api/convert.h"
#include "gte/fit.h"
#include "gte/point_distance.h"

using gte::DistanceQuery;
using gte::Vector3;
using namespace tavrisk;

namespace {

// Candidates for the plane record closer than this on every axis count as the same point.
constexpr double kSamePointTolerance = 0.001;
// Bound on the cross-to-sum ratios below which three points count as collinear.
constexpr double kCollinearRatio = 1e-8;
// The plane record thins its searches to about this many indices per loop.
constexpr std::int64_t kSampleTarget = 100;

std::vector<Vector3> toVectors(gte_point const* points, int count) {
    std::vector<Vector3> gtePoints;
    gtePoints.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        gtePoints.push_back(toVector3(points[i]));
    }
    return gtePoints;
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

// Collinearity by the ratios of the xy and xz cross terms of the two edges to their sums. A zero
// sum yields an infinite or undefined ratio, which fails the bound, so the ratios cannot judge
// edges without an x component (along the y or z axis, or in a plane x = const); an edge pair
// whose cross product is exactly zero lies on one line whatever its orientation.
bool collinear(Vector3 const& a, Vector3 const& b, Vector3 const& c) {
    if (samePoint(a, b) || samePoint(a, c) || samePoint(b, c)) {
        return true;
    }
    Vector3 const d1 = b - a;
    Vector3 const d2 = c - b;
    if (gte::Cross(d1, d2) == Vector3::zeroVector()) {
        return true;
    }
    double const q1 = (d1[0] * d2[1] - d2[0] * d1[1]) / (d1[0] * d2[1] + d2[0] * d1[1]);
    double const q2 = (d1[0] * d2[2] - d2[0] * d1[2]) / (d1[0] * d2[2] + d2[0] * d1[2]);
    return std::fabs(q1) < kCollinearRatio && std::fabs(q2) < kCollinearRatio;
}

// Three sampled cloud points projected onto the plane: the farthest pair, then the point
// farthest from both whose projection does not line up with theirs.
gte_plane planeRecordOf(gte::Plane3 const& gteplane, std::vector<Vector3> const& p) {
    std::int64_t const count = static_cast<std::int64_t>(p.size());
    std::int64_t step = count / kSampleTarget;
    if (step < 1) {
        step = 1;
    }

    DistanceQuery<Vector3, gte::Plane3> disFun;
    auto project = [&](std::int64_t i) {
        return disFun(p[static_cast<std::size_t>(i)], gteplane).closestPoint;
    };
    auto at = [&](std::int64_t i) -> Vector3 const& { return p[static_cast<std::size_t>(i)]; };

    double best = 0.0;
    std::int64_t index0 = 0, index1 = 0, index2 = 0;
    for (std::int64_t i = 0; i < count; i += step) {
        for (std::int64_t j = i + 1; j < count; j += step) {
            double const d = squaredDistance(at(i), at(j));
            if (d > best) {
                best = d;
                index0 = i;
                index1 = j;
            }
        }
    }

    best = 0.0;
    for (std::int64_t k = 0; k < count; k += step) {
        double const d0 = squaredDistance(at(k), at(index0));
        double const d1 = squaredDistance(at(k), at(index1));
        double const m = d1 < d0 ? d1 : d0;
        if (m > best && !collinear(project(index0), project(index1), project(k))) {
            best = m;
            index2 = k;
        }
    }

    return gte_plane(toPointRecord(project(index0)), toPointRecord(project(index1)),
                     toPointRecord(project(index2)));
}

}  // namespace

extern "C" {

int gte_fit_lseg(const gte_point* points, int count, gte_lseg* segment) {
    // The line fit accepts two points; a measured segment asks for three.
    if (points == nullptr || count < 3) {
        return -1;
    }
    try {
        std::vector<Vector3> const gtePoints = toVectors(points, count);
        gte::LineFit fitter;
        if (!fitter.fit(count, gtePoints.data())) {
            return -1;
        }
        if (segment == nullptr) {
            return 1;
        }
        gte::Line3 const gteline(fitter.origin(), fitter.direction());

        // The pair lying farthest apart along the line; the first such pair wins ties.
        double best = -1.0;
        int index1 = 0, index2 = 0;
        for (int i = 0; i + 1 < count; ++i) {
            for (int j = i + 1; j < count; ++j) {
                double const d =
                    std::fabs(gte::Dot(gtePoints[i] - gtePoints[j], gteline.direction));
                if (d > best) {
                    best = d;
                    index1 = i;
                    index2 = j;
                }
            }
        }

        DistanceQuery<Vector3, gte::Line3> disFun;
        auto const dis1 = disFun(gtePoints[index1], gteline);
        auto const dis2 = disFun(gtePoints[index2], gteline);
        *segment = gte_lseg(toPointRecord(dis1.closestPoint), toPointRecord(dis2.closestPoint));
        return 1;
    } catch (...) {
        return -1;
    }
}

int gte_fit_plane(const gte_point* points, int count, gte_plane* plane) {
    if (points == nullptr || count < 3) {
        return -1;
    }
    try {
        std::vector<Vector3> const gtePoints = toVectors(points, count);
        gte::PlaneFit fitter;
        if (!fitter.fit(count, gtePoints.data())) {
            return -1;
        }
        if (plane == nullptr) {
            return 1;
        }
        gte::Plane3 const gteplane(fitter.normal(), fitter.origin());
        *plane = planeRecordOf(gteplane, gtePoints);
        return 1;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
