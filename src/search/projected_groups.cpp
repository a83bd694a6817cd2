// SPDX-License-Identifier: MIT
// Sorting projections with a least-significant-digit radix sort, linear in the count, which
// passes over the digits that every key shares; then the points that tie are merged.
#include "search/projected_groups.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "search/rounding_window.h"

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
// Projections are mapped onto [0, 2^b - 1], b four bits more than the count has, so that keys
// rarely repeat where the projections spread evenly, and at most 32: three digits of eleven
// bits, two up to a quarter of a million points.
constexpr int kMappedDigits = 3;
constexpr int kMostMappedBits = 32;
constexpr int kMappedBitsOverCount = 4;
// The spread of the projections must leave the map's scale a finite normal number.
constexpr double kLeastMappedSpread = 0x1p-990;
constexpr double kMostMappedSpread = 0x1p990;

std::size_t digitOf(std::uint64_t order, int digit) {
    return static_cast<std::size_t>((order >> (digit * kDigitBits)) & (kBuckets - 1));
}

bool coordinatesLess(gte::Vector3 const& a, gte::Vector3 const& b) {
    if (a[0] != b[0]) {
        return a[0] < b[0];
    }
    if (a[1] != b[1]) {
        return a[1] < b[1];
    }
    return a[2] < b[2];
}

// The point's coordinates along the axes where m is not zero, 0 on the others.
gte::Vector3 decidingCoordinates(gte::Vector3 p, gte::Vector3 const& m) {
    for (int k = 0; k < 3; ++k) {
        p[k] = m[k] == 0.0 ? 0.0 : p[k];
    }
    return p;
}

bool projectionLess(ProjectedGroup const& a, ProjectedGroup const& b) {
    return orderOf(a.projection) < orderOf(b.projection);
}

// Sorts by the digits of key(group), least significant first, over as many digits as the keys
// have bits; a digit that every key shares is passed over.
template <int kKeyDigits, class Key>
void radixSort(std::vector<ProjectedGroup>& groups, std::vector<ProjectedGroup>& scratch, Key key) {
    std::size_t const count = groups.size();
    std::array<std::array<std::uint32_t, kBuckets>, kKeyDigits> counts{};
    for (ProjectedGroup const& g : groups) {
        std::uint64_t const k = key(g);
        for (int digit = 0; digit < kKeyDigits; ++digit) {
            ++counts[digit][digitOf(k, digit)];
        }
    }
    for (int digit = 0; digit < kKeyDigits; ++digit) {
        std::array<std::uint32_t, kBuckets>& bucket = counts[digit];
        if (bucket[digitOf(key(groups[0]), digit)] == count) {
            continue;
        }
        scratch.resize(count);
        std::uint32_t start = 0;
        for (std::uint32_t& n : bucket) {
            std::uint32_t const size = n;
            n = start;
            start += size;
        }
        for (ProjectedGroup const& g : groups) {
            scratch[bucket[digitOf(key(g), digit)]++] = g;
        }
        groups.swap(scratch);
    }
}

// The projections mapped onto keys of at most 32 bits, monotonely (rounding is monotone, and so
// is the clamp): a sort by these keys orders the projections up to runs of equal keys, each then
// sorted by the projections themselves. Two or three digits instead of six; where the
// projections spread too widely for the map, or not at all, the keys are their bits.
void sortByProjection(std::vector<ProjectedGroup>& groups, std::vector<ProjectedGroup>& scratch) {
    std::size_t const count = groups.size();
    if (count < kFewKeys) {
        std::sort(groups.begin(), groups.end(), projectionLess);
        return;
    }
    double low = groups[0].projection, high = low;
    for (ProjectedGroup const& g : groups) {
        low = g.projection < low ? g.projection : low;
        high = g.projection > high ? g.projection : high;
    }
    double const spread = high - low;
    if (!(spread >= kLeastMappedSpread && spread <= kMostMappedSpread)) {
        radixSort<kDigits>(groups, scratch,
                           [](ProjectedGroup const& g) { return orderOf(g.projection); });
        return;
    }
    int bits = kMappedBitsOverCount;
    for (std::size_t rest = count; rest != 0 && bits < kMostMappedBits; rest >>= 1) {
        ++bits;
    }
    double const top = static_cast<double>((std::uint64_t(1) << bits) - 1);
    double const scale = top / spread;
    auto const keyOf = [low, scale, top](ProjectedGroup const& g) {
        double const k = (g.projection - low) * scale;
        return static_cast<std::uint64_t>(k < top ? k : top);
    };
    radixSort<kMappedDigits>(groups, scratch, keyOf);
    for (std::size_t first = 0; first < count;) {
        std::size_t end = first + 1;
        std::uint64_t const k = keyOf(groups[first]);
        while (end < count && keyOf(groups[end]) == k) {
            ++end;
        }
        if (end - first > 1) {
            std::sort(groups.begin() + static_cast<std::ptrdiff_t>(first),
                      groups.begin() + static_cast<std::ptrdiff_t>(end), projectionLess);
        }
        first = end;
    }
}

}  // namespace

std::uint64_t orderOf(double projection) {
    std::uint64_t bits;
    std::memcpy(&bits, &projection, sizeof bits);
    // Negative numbers order backwards in their magnitude bits; all lie below the positive ones.
    return (bits & kSignBit) != 0 ? ~bits : bits | kSignBit;
}

void projectPoints(PointView points, std::size_t count, gte::Vector3 const& origin,
                   gte::Vector3 const& m, std::vector<ProjectedGroup>& groups, ProjectedBox& box) {
    groups.clear();
    groups.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        gte::Vector3 const p = points[i];
        groups.push_back({gte::Dot(p - origin, m) + 0.0, static_cast<std::uint32_t>(i), 1});
        box.inRange = box.inRange && withinLimit(p, kWindowCoordinateLimit);
        for (int k = 0; k < 3; ++k) {
            box.low[k] = p[k] < box.low[k] ? p[k] : box.low[k];
            box.high[k] = p[k] > box.high[k] ? p[k] : box.high[k];
        }
    }
}

void sortAndMerge(std::vector<ProjectedGroup>& groups, PointView points, gte::Vector3 const& m,
                  std::vector<ProjectedGroup>& scratch) {
    sortByProjection(groups, scratch);
    // In place: the merged groups never outrun the ones still to read.
    std::size_t kept = 0;
    std::vector<std::pair<gte::Vector3, std::uint32_t>> run;
    for (std::size_t first = 0; first < groups.size();) {
        std::size_t end = first + 1;
        while (end < groups.size() && groups[end].projection == groups[first].projection) {
            ++end;
        }
        if (end - first == 1) {
            groups[kept++] = groups[first];
            first = end;
            continue;
        }
        // Points that only share a projection stay apart; equal coordinates merge. A row of
        // points all alike (an edge parallel to the measuring line) is one group at once.
        double const projection = groups[first].projection;
        gte::Vector3 const shared = decidingCoordinates(points[groups[first].index], m);
        std::size_t alike = first + 1;
        while (alike < end && decidingCoordinates(points[groups[alike].index], m) == shared) {
            ++alike;
        }
        if (alike == end) {
            groups[kept++] = {projection, groups[first].index,
                              static_cast<std::uint32_t>(end - first)};
            first = end;
            continue;
        }
        run.clear();
        for (std::size_t i = first; i < end; ++i) {
            run.emplace_back(decidingCoordinates(points[groups[i].index], m), groups[i].index);
        }
        std::sort(run.begin(), run.end(),
                  [](auto const& a, auto const& b) { return coordinatesLess(a.first, b.first); });
        for (std::size_t i = 0; i < run.size();) {
            std::size_t j = i + 1;
            while (j < run.size() && run[j].first == run[i].first) {
                ++j;
            }
            groups[kept++] = {projection, run[i].second, static_cast<std::uint32_t>(j - i)};
            i = j;
        }
        first = end;
    }
    groups.resize(kept);
}

}  // namespace tavrisk
