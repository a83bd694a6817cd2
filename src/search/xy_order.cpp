// SPDX-License-Identifier: MIT
#include "search/xy_order.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace tavrisk {

namespace {

constexpr double kLastStep = 65535.0;  // 2^16 - 1: the largest quantised coordinate

// The step of a coordinate at t of the way across the box, clamped; 0 for one that is not a
// number (or a box with no width).
std::uint32_t step(double t) {
    double const scaled = t * kLastStep;
    return !(scaled > 0.0) ? 0u : scaled >= kLastStep ? 65535u : static_cast<std::uint32_t>(scaled);
}

// The sixteen bits of v spread to the even bits of the result.
std::uint32_t spreadBits(std::uint32_t v) {
    v = (v | (v << 8)) & 0x00FF00FFu;
    v = (v | (v << 4)) & 0x0F0F0F0Fu;
    v = (v | (v << 2)) & 0x33333333u;
    v = (v | (v << 1)) & 0x55555555u;
    return v;
}

}  // namespace

std::vector<int> xyOrder(gte_point const* points, int count) {
    std::size_t const n = static_cast<std::size_t>(count);
    double xLow = INFINITY, xHigh = -INFINITY, yLow = INFINITY, yHigh = -INFINITY;
    for (std::size_t i = 0; i < n; ++i) {
        if (std::isfinite(points[i].x) && std::isfinite(points[i].y)) {
            xLow = std::fmin(xLow, points[i].x);
            xHigh = std::fmax(xHigh, points[i].x);
            yLow = std::fmin(yLow, points[i].y);
            yHigh = std::fmax(yHigh, points[i].y);
        }
    }
    double const xScale = xHigh > xLow ? 1.0 / (xHigh - xLow) : 0.0;
    double const yScale = yHigh > yLow ? 1.0 / (yHigh - yLow) : 0.0;

    // Key in the high half, index in the low half; a stable radix sort by the key bytes.
    std::vector<std::uint64_t> entries(n);
    for (std::size_t i = 0; i < n; ++i) {
        bool const finite = std::isfinite(points[i].x) && std::isfinite(points[i].y);
        std::uint32_t const key = finite
                                      ? spreadBits(step((points[i].x - xLow) * xScale)) |
                                            (spreadBits(step((points[i].y - yLow) * yScale)) << 1)
                                      : 0u;
        entries[i] = (std::uint64_t(key) << 32) | i;
    }
    std::vector<std::uint64_t> sorted(n);
    for (int shift = 32; shift < 64; shift += 8) {
        std::size_t starts[257] = {};
        for (std::uint64_t e : entries) {
            ++starts[((e >> shift) & 0xFF) + 1];
        }
        for (int b = 0; b < 256; ++b) {
            starts[b + 1] += starts[b];
        }
        for (std::uint64_t e : entries) {
            sorted[starts[(e >> shift) & 0xFF]++] = e;
        }
        entries.swap(sorted);
    }
    std::vector<int> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = static_cast<int>(entries[i] & 0xFFFFFFFFu);
    }
    return order;
}

}  // namespace tavrisk
