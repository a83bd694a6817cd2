// SPDX-License-Identifier: MIT
// Point sets projected onto a direction and sorted by projection, the points that no pair value
// can tell apart merged into one entry that counts them: what the searches over the pairs of two
// sets walk instead of the pairs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk {

// The points of a set as the pair searches read them, without a copy: core vectors as they are,
// or caller's records flattened onto the XY plane (z read as 0).
class PointView {
public:
    explicit PointView(gte::Vector3 const* vectors) : vectors_(vectors), records_(nullptr) {}
    static PointView flattened(gte_point const* records) { return PointView(records); }

    gte::Vector3 operator[](std::size_t i) const {
        return vectors_ != nullptr ? vectors_[i] : gte::Vector3(records_[i].x, records_[i].y, 0.0);
    }

private:
    explicit PointView(gte_point const* records) : vectors_(nullptr), records_(records) {}

    gte::Vector3 const* vectors_;
    gte_point const* records_;
};

// One point of a set, or, once merged, the points with equal coordinates along every axis where
// the direction m is not zero: for finite points every pair value |Dot(p - q, m)| with any third
// point is the same for each of them (the other axes add a zero of either sign, which the
// absolute value hides).
struct ProjectedGroup {
    double projection;    // Dot(p - origin, m), a zero of either sign made +0
    std::uint32_t index;  // one of the points
    std::uint32_t count;  // how many points of the set it stands for
};

// The box of the coordinates of the points projected so far, and whether all of them lay within
// the limit of the rounding window (search/rounding_window.h).
struct ProjectedBox {
    gte::Vector3 low, high;
    bool inRange;
};

// groups[i] = {Dot(points[i] - origin, m) + 0.0, i, 1} for i < count (count < 2^32), and the
// box of the points; box starts as that of origin when fresh.
void projectPoints(PointView points, std::size_t count, gte::Vector3 const& origin,
                   gte::Vector3 const& m, std::vector<ProjectedGroup>& groups, ProjectedBox& box);

// Sorts the groups by projection, ascending (scratch is working room, resized as needed), then
// merges the points of equal projection and equal coordinates along the axes where m is not
// zero. Needs finite points. Allocates (may throw).
void sortAndMerge(std::vector<ProjectedGroup>& groups, PointView points, gte::Vector3 const& m,
                  std::vector<ProjectedGroup>& scratch);

// The key the sort orders projections by: unsigned, in the order of the values (-0 before +0).
std::uint64_t orderOf(double projection);

}  // namespace tavrisk
