// SPDX-License-Identifier: MIT
// Points appended once each: a point with the same bits as one appended before is left out, so
// the list keeps each distinct point in the order of its first occurrence. The triangles of a
// mesh share their corners; the points of the surface are the corners, once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gte/vector.h"

namespace tavrisk {
namespace formats {

class DistinctPoints {
public:
    // Appends to points after what it holds (which is not looked at); expected sizes the table.
    DistinctPoints(std::vector<gte::Vector3>& points, std::size_t expected);

    // Appends the point unless the same bits were appended before.
    void add(gte::Vector3 const& point);

private:
    static std::uint64_t hashOf(gte::Vector3 const& point);
    bool sameBits(std::size_t index, gte::Vector3 const& point) const;
    void grow();

    std::vector<gte::Vector3>& points_;
    std::size_t const first_;  // index of the first point of this set in points_
    // Open addressing: 1 + the point's index from first_, or 0 for an empty slot. The table is
    // kept at most half full, so a search ends soon at an empty slot.
    std::vector<std::size_t> slots_;
};

}  // namespace formats
}  // namespace tavrisk
