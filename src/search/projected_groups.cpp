// SPDX-License-Identifier: MIT
// Sorting projections by their bits: a least-significant-digit radix sort, linear in the count,
// which passes over the digits that every key shares.
#include "search/projected_groups.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tavrisk {

namespace {

constexpr std::uint64_t kSignBit = std::uint64_t(1) << 63;
// Eleven bits a digit: six digits cover the 64 bits, and a digit's counts stay in the first
// level of cache.
constexpr int kDigitBits = 11;
constexpr int kDigits = (64 + kDigitBits - 1) / kDigitBits;
constexpr std::size_t kBuckets = std::size_t(1) << kDigitBits;
// Below this many keys a comparison sort costs less than clearing the counts.
constexpr std::size_t kFewKeys = 512;

std::size_t digitOf(std::uint64_t order, int digit) {
    return static_cast<std::size_t>((order >> (digit * kDigitBits)) & (kBuckets - 1));
}

}  // namespace

std::uint64_t orderOf(double projection) {
    std::uint64_t bits;
    std::memcpy(&bits, &projection, sizeof bits);
    // Negative numbers order backwards in their magnitude bits; all lie below the positive ones.
    return (bits & kSignBit) != 0 ? ~bits : bits | kSignBit;
}

double projectionOf(std::uint64_t order) {
    std::uint64_t const bits = (order & kSignBit) != 0 ? order & ~kSignBit : ~order;
    double projection;
    std::memcpy(&projection, &bits, sizeof projection);
    return projection;
}

void sortByOrder(std::vector<ProjectionKey>& keys) {
    std::size_t const count = keys.size();
    if (count < kFewKeys) {
        std::sort(keys.begin(), keys.end(),
                  [](ProjectionKey const& a, ProjectionKey const& b) { return a.order < b.order; });
        return;
    }
    std::vector<std::array<std::uint32_t, kBuckets>> counts(kDigits);
    for (ProjectionKey const& key : keys) {
        for (int digit = 0; digit < kDigits; ++digit) {
            ++counts[digit][digitOf(key.order, digit)];
        }
    }
    std::vector<ProjectionKey> other(count);
    for (int digit = 0; digit < kDigits; ++digit) {
        std::array<std::uint32_t, kBuckets>& bucket = counts[digit];
        // A digit that every key shares leaves the order as it is.
        if (bucket[digitOf(keys[0].order, digit)] == count) {
            continue;
        }
        std::uint32_t start = 0;
        for (std::uint32_t& n : bucket) {
            std::uint32_t const size = n;
            n = start;
            start += size;
        }
        for (ProjectionKey const& key : keys) {
            other[bucket[digitOf(key.order, digit)]++] = key;
        }
        keys.swap(other);
    }
}

namespace detail {

bool coordinatesLess(gte::Vector3 const& a, gte::Vector3 const& b) {
    if (a[0] != b[0]) {
        return a[0] < b[0];
    }
    if (a[1] != b[1]) {
        return a[1] < b[1];
    }
    return a[2] < b[2];
}

}  // namespace detail

}  // namespace tavrisk
