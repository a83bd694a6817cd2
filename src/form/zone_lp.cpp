// SPDX-License-Identifier: MIT
// The revised simplex method on the dual of the narrowest vertical zone, with a basis of three
// pairs kept as an explicit 3x3 inverse.
#include "form/zone_lp.h"

#include <algorithm>
#include <cmath>

namespace tavrisk::form {

namespace {

// Rounding noise of a residual z - a x - b y, in units of the magnitudes that enter it: a
// reduced cost below this many roundings of them counts as zero.
constexpr double kNoiseRoundings = 64.0;
constexpr double kUnitRoundoff = 0x1p-53;
// A pivot entry below this fraction of the largest entry of its column is taken as zero.
constexpr double kPivotFraction = 1e-11;
// Pivots beyond the size of the problem's basis exchanges: a cycle, not progress.
constexpr std::size_t kBasePivots = 64;
constexpr std::size_t kPivotsPerPoint = 4;

using Matrix3 = std::array<std::array<double, 3>, 3>;
using Column3 = std::array<double, 3>;

bool invert(Matrix3 const& m, Matrix3& inverse) {
    double const c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    double const c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    double const c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    double const det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    if (!(std::fabs(det) > 0.0) || !std::isfinite(det)) {
        return false;
    }
    double const inv = 1.0 / det;
    inverse[0][0] = c00 * inv;
    inverse[1][0] = c01 * inv;
    inverse[2][0] = c02 * inv;
    inverse[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * inv;
    inverse[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * inv;
    inverse[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * inv;
    inverse[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * inv;
    inverse[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * inv;
    inverse[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * inv;
    return true;
}

Column3 times(Matrix3 const& m, Column3 const& v) {
    Column3 r;
    for (int i = 0; i < 3; ++i) {
        r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    }
    return r;
}

// The column of the pair (upper u, lower l): its difference of positions and its weight's 1.
Column3 columnOf(ZonePoint const& u, ZonePoint const& l) {
    return {u.x - l.x, u.y - l.y, 1.0};
}

// Three points spanning a large triangle of positions: the first pair of a basis and its cycle.
bool spanningTriangle(ZonePoint const* p, std::size_t count, std::array<std::size_t, 3>& corner) {
    std::size_t first = 0;
    for (std::size_t i = 1; i < count; ++i) {
        if (p[i].x < p[first].x || (p[i].x == p[first].x && p[i].y < p[first].y)) {
            first = i;
        }
    }
    std::size_t second = first;
    double farthest = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        double const dx = p[i].x - p[first].x;
        double const dy = p[i].y - p[first].y;
        double const d = dx * dx + dy * dy;
        if (d > farthest) {
            farthest = d;
            second = i;
        }
    }
    std::size_t third = first;
    double largest = 0.0;
    double const ex = p[second].x - p[first].x;
    double const ey = p[second].y - p[first].y;
    for (std::size_t i = 0; i < count; ++i) {
        double const area = std::fabs(ex * (p[i].y - p[first].y) - ey * (p[i].x - p[first].x));
        if (area > largest) {
            largest = area;
            third = i;
        }
    }
    corner = {first, second, third};
    return farthest > 0.0 && largest > 0.0;
}

}  // namespace

VerticalZone narrowestVerticalZone(ZonePoint const* points, std::size_t count) {
    VerticalZone zone;
    std::array<std::size_t, 3> corner;
    if (count < 3 || !spanningTriangle(points, count, corner)) {
        return zone;
    }
    double positionScale = 0.0;
    double heightScale = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        positionScale = std::max({positionScale, std::fabs(points[i].x), std::fabs(points[i].y)});
        heightScale = std::max(heightScale, std::fabs(points[i].z));
    }

    // The cycle corner0 -> corner1 -> corner2 -> corner0 with weights 1/3: its differences of
    // position add up to zero, so it is feasible, and its columns are independent.
    std::array<std::size_t, 3> upper = {corner[0], corner[1], corner[2]};
    std::array<std::size_t, 3> lower = {corner[1], corner[2], corner[0]};
    Column3 weight = {1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0};

    std::size_t const pivotLimit = kBasePivots + kPivotsPerPoint * count;
    for (std::size_t pivot = 0; pivot <= pivotLimit; ++pivot) {
        Matrix3 basis;
        for (int k = 0; k < 3; ++k) {
            Column3 const c = columnOf(points[upper[k]], points[lower[k]]);
            for (int row = 0; row < 3; ++row) {
                basis[row][k] = c[row];
            }
        }
        Matrix3 inverse;
        if (!invert(basis, inverse)) {
            return zone;
        }
        // Prices: the row vector c_B B^-1, (tilt x, tilt y, height).
        Column3 cost;
        for (int k = 0; k < 3; ++k) {
            cost[k] = points[upper[k]].z - points[lower[k]].z;
        }
        Column3 price;
        for (int j = 0; j < 3; ++j) {
            price[j] = cost[0] * inverse[0][j] + cost[1] * inverse[1][j] + cost[2] * inverse[2][j];
        }
        double const a = price[0];
        double const b = price[1];
        double const height = price[2];

        std::size_t top = 0;
        std::size_t bottom = 0;
        double highest = 0.0;
        double lowest = 0.0;
        for (std::size_t i = 0; i < count; ++i) {
            double const r = points[i].z - a * points[i].x - b * points[i].y;
            if (i == 0 || r > highest) {
                highest = r;
                top = i;
            }
            if (i == 0 || r < lowest) {
                lowest = r;
                bottom = i;
            }
        }
        double const noise =
            kNoiseRoundings * kUnitRoundoff *
            (heightScale + (std::fabs(a) + std::fabs(b)) * positionScale + std::fabs(height));
        if (highest - lowest - height <= noise) {
            zone.solved = true;
            zone.tiltX = a;
            zone.tiltY = b;
            zone.low = lowest;
            zone.high = highest;
            zone.upper = upper;
            zone.lower = lower;
            zone.weight = weight;
            return zone;
        }

        // The pair (top, bottom) enters; the ratio test keeps the weights feasible.
        Column3 const direction = times(inverse, columnOf(points[top], points[bottom]));
        double const largestEntry =
            std::max({std::fabs(direction[0]), std::fabs(direction[1]), std::fabs(direction[2])});
        int leaving = -1;
        double ratio = 0.0;
        for (int k = 0; k < 3; ++k) {
            if (direction[k] > kPivotFraction * largestEntry) {
                double const r = weight[k] / direction[k];
                if (leaving < 0 || r < ratio) {
                    leaving = k;
                    ratio = r;
                }
            }
        }
        if (leaving < 0) {
            return zone;  // unbounded dual: cannot happen for a zone; rounding gone astray
        }
        for (int k = 0; k < 3; ++k) {
            weight[k] = std::max(0.0, weight[k] - ratio * direction[k]);
        }
        weight[leaving] = ratio;
        upper[leaving] = top;
        lower[leaving] = bottom;
    }
    return zone;
}

}  // namespace tavrisk::form
