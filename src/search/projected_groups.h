// SPDX-License-Identifier: MIT
// A point set projected onto a direction and sorted by projection, the points that no pair value
// can tell apart merged into one entry that counts them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gte/vector.h"

namespace tavrisk {

// Points with equal coordinates along every axis where the direction m is not zero: for finite
// points every pair value |Dot(p - q, m)| with any third point is the same for each of them (the
// other axes add a zero of either sign, which the absolute value hides).
struct ProjectedGroup {
    double projection;    // Dot(p - origin, m), a zero of either sign made +0
    gte::Vector3 point;   // the shared coordinates; 0 on the axes where m is zero
    std::uint64_t count;  // how many points of the set it stands for
};

// A projection's bits made into an unsigned key that orders as the projection does (-0 before
// +0), with the index of its point.
struct ProjectionKey {
    std::uint64_t order;
    std::uint32_t index;
};

// Sorts keys by order, ascending; among equal orders, in no particular order. Allocates.
void sortByOrder(std::vector<ProjectionKey>& keys);

std::uint64_t orderOf(double projection);
// The projection whose key orderOf gave.
double projectionOf(std::uint64_t order);

// The point's coordinates along the axes where m is not zero, 0 on the others.
inline gte::Vector3 decidingCoordinates(gte::Vector3 p, gte::Vector3 const& m) {
    for (int k = 0; k < 3; ++k) {
        p[k] = m[k] == 0.0 ? 0.0 : p[k];
    }
    return p;
}

namespace detail {
// Merges the keys, sorted by order, into groups: within a run of equal projections the points of
// equal deciding coordinates.
template <class PointAt>
std::vector<ProjectedGroup> groupsOf(std::vector<ProjectionKey> const& keys, PointAt pointAt,
                                     gte::Vector3 const& m);
}  // namespace detail

// The finite points pointAt(0) ... pointAt(count - 1), count <= 2^32 - 1, as groups in ascending
// order of projection. Allocates (may throw).
template <class PointAt>
std::vector<ProjectedGroup> projectedGroups(std::size_t count, PointAt pointAt,
                                            gte::Vector3 const& origin, gte::Vector3 const& m) {
    std::vector<ProjectionKey> keys(count);
    for (std::size_t i = 0; i < count; ++i) {
        keys[i] = {orderOf(gte::Dot(pointAt(i) - origin, m) + 0.0), static_cast<std::uint32_t>(i)};
    }
    sortByOrder(keys);
    return detail::groupsOf(keys, pointAt, m);
}

namespace detail {

bool coordinatesLess(gte::Vector3 const& a, gte::Vector3 const& b);

template <class PointAt>
std::vector<ProjectedGroup> groupsOf(std::vector<ProjectionKey> const& keys, PointAt pointAt,
                                     gte::Vector3 const& m) {
    std::vector<ProjectedGroup> groups;
    groups.reserve(keys.size());
    std::vector<gte::Vector3> run;
    for (std::size_t first = 0; first < keys.size();) {
        std::size_t end = first + 1;
        while (end < keys.size() && keys[end].order == keys[first].order) {
            ++end;
        }
        double const projection = projectionOf(keys[first].order);
        if (end - first == 1) {
            groups.push_back({projection, decidingCoordinates(pointAt(keys[first].index), m), 1});
        } else {
            // Points that only share a projection stay apart; equal coordinates merge.
            run.clear();
            for (std::size_t i = first; i < end; ++i) {
                run.push_back(decidingCoordinates(pointAt(keys[i].index), m));
            }
            // Rows of points all alike (an edge parallel to the measuring line) need no sort.
            if (std::find_if(run.begin(), run.end(), [&](gte::Vector3 const& p) {
                    return p != run.front();
                }) != run.end()) {
                std::sort(run.begin(), run.end(), coordinatesLess);
            }
            for (std::size_t i = 0; i < run.size();) {
                std::size_t j = i + 1;
                while (j < run.size() && run[j] == run[i]) {
                    ++j;
                }
                groups.push_back({projection, run[i], j - i});
                i = j;
            }
        }
        first = end;
    }
    return groups;
}

}  // namespace detail

}  // namespace tavrisk
