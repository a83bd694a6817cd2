// SPDX-License-Identifier: MIT
#include "formats/distinct_points.h"

#include <cstring>

namespace tavrisk {
namespace formats {

namespace {

constexpr std::size_t kLeastSlots = 64;

std::size_t slotCountFor(std::size_t points) {
    std::size_t slots = kLeastSlots;
    while (slots / 2 < points && slots < (~std::size_t(0) >> 2)) {
        slots *= 2;
    }
    return slots;
}

}  // namespace

DistinctPoints::DistinctPoints(std::vector<gte::Vector3>& points, std::size_t expected)
    : points_(points), first_(points.size()), slots_(slotCountFor(expected), 0) {}

std::uint64_t DistinctPoints::hashOf(gte::Vector3 const& point) {
    // The coordinates' bits mixed by multiplication with odd constants, the high bits of each
    // product folded down: corners of a mesh differ in their low mantissa bits as often as not.
    std::uint64_t bits[3];
    std::memcpy(bits, &point, sizeof bits);
    std::uint64_t hash = 0;
    for (std::uint64_t b : bits) {
        hash = (hash ^ b) * 0x9E3779B97F4A7C15u;
        hash ^= hash >> 29;
    }
    return hash;
}

bool DistinctPoints::sameBits(std::size_t index, gte::Vector3 const& point) const {
    return std::memcmp(&points_[first_ + index], &point, sizeof point) == 0;
}

void DistinctPoints::add(gte::Vector3 const& point) {
    std::size_t const mask = slots_.size() - 1;
    std::size_t slot = static_cast<std::size_t>(hashOf(point)) & mask;
    while (slots_[slot] != 0) {
        if (sameBits(slots_[slot] - 1, point)) {
            return;
        }
        slot = (slot + 1) & mask;
    }
    std::size_t const index = points_.size() - first_;
    points_.push_back(point);
    slots_[slot] = index + 1;
    if (index + 1 > slots_.size() / 2) {
        grow();
    }
}

void DistinctPoints::grow() {
    std::vector<std::size_t> larger(slots_.size() * 2, 0);
    std::size_t const mask = larger.size() - 1;
    for (std::size_t index = 0; first_ + index < points_.size(); ++index) {
        std::size_t slot = static_cast<std::size_t>(hashOf(points_[first_ + index])) & mask;
        while (larger[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        larger[slot] = index + 1;
    }
    slots_.swap(larger);
}

}  // namespace formats
}  // namespace tavrisk
