// SPDX-License-Identifier: MIT
// The record of a fitted plane: three of the cloud's points projected onto the plane, chosen to
// span it well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "api/convert.h"
#include "gte/point_distance_queries.h"
#include "search/running_extremes.h"
#include "tavrisk.h"

namespace tavrisk {

// The plane record thins its searches to about this many indices per loop.
constexpr std::int64_t kPlaneRecordSampleTarget = 100;

inline double squaredDistance(gte::Vector3 const& a, gte::Vector3 const& b) {
    gte::Vector3 const diff = a - b;
    return gte::Dot(diff, diff);
}

// Whether three points count as lying on one line, two of them as one point included: a third
// sample that lines up with the first two does not span the plane.
bool collinear(gte::Vector3 const& a, gte::Vector3 const& b, gte::Vector3 const& c);

// Three cloud points projected onto the plane: the farthest pair, then the point farthest from
// both whose projection does not line up with theirs. The searches are thinned to every step-th
// index; when the thinned search finds no third point (a cloud lying mostly along one line, its
// few points off it between the sampled indices), every point is searched the same way. Without
// any such point the cloud spans no plane the record can describe: nothing is returned. The
// points are pointAt(0), ..., pointAt(count - 1), read where they lie.
template <class PointAt>
std::optional<gte_plane> planeRecordOf(gte::Plane3 const& gtePlane, std::int64_t count,
                                       PointAt pointAt) {
    using gte::Vector3;
    std::int64_t step = count / kPlaneRecordSampleTarget;
    if (step < 1) {
        step = 1;
    }

    auto at = [&](std::int64_t i) { return pointAt(static_cast<std::size_t>(i)); };
    auto project = [&](std::int64_t i) { return gte::Distance(at(i), gtePlane).closestPoint; };

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

}  // namespace tavrisk
