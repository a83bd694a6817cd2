// SPDX-License-Identifier: MIT
// Andrew's monotone chain: the points sorted by x then y, the lower and the upper chain each kept
// turning left.
#include "form/convex_hull_xy.h"

#include <algorithm>

#include "form/exact_sign.h"
#include "form/form_formulas.h"

namespace tavrisk::form {

int turnXY(gte::Vector3 const& a, gte::Vector3 const& b, gte::Vector3 const& c) {
    return exactSign([&](auto kind) { return crossXY<decltype(kind)>(a, b, c); });
}

std::vector<std::size_t> convexHullXY(gte::Vector3 const* points, std::size_t count) {
    std::vector<std::size_t> order(count);
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    auto const before = [points](std::size_t a, std::size_t b) {
        gte::Vector3 const& p = points[a];
        gte::Vector3 const& q = points[b];
        return p[0] != q[0] ? p[0] < q[0] : p[1] != q[1] ? p[1] < q[1] : a < b;
    };
    std::sort(order.begin(), order.end(), before);
    auto const samePlace = [points](std::size_t a, std::size_t b) {
        return points[a][0] == points[b][0] && points[a][1] == points[b][1];
    };
    order.erase(std::unique(order.begin(), order.end(), samePlace), order.end());
    if (order.size() < 3) {
        return order;
    }
    std::vector<std::size_t> hull(2 * order.size());
    std::size_t k = 0;
    for (std::size_t i : order) {
        while (k >= 2 && turnXY(points[hull[k - 2]], points[hull[k - 1]], points[i]) <= 0) {
            --k;
        }
        hull[k++] = i;
    }
    std::size_t const lowerEnd = k + 1;
    for (std::size_t j = order.size() - 1; j-- > 0;) {
        std::size_t const i = order[j];
        while (k >= lowerEnd && turnXY(points[hull[k - 2]], points[hull[k - 1]], points[i]) <= 0) {
            --k;
        }
        hull[k++] = i;
    }
    hull.resize(k - 1);  // the last point is the first again
    return hull;
}

}  // namespace tavrisk::form
