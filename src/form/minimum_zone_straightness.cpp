// SPDX-License-Identifier: MIT
#include "form/minimum_zone_straightness.h"

#include <cmath>
#include <limits>
#include <vector>

#include "form/convex_hull_xy.h"
#include "form/exact_sign.h"
#include "form/form_formulas.h"
#include "form/form_input.h"

namespace tavrisk::form {

namespace {

using gte::Vector3;

// The cross product of b - a and c - a seen from above, in doubles: the walk's measure.
double areaXY(Vector3 const& a, Vector3 const& b, Vector3 const& c) {
    return (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
}

// Whether c lies strictly farther than d to the left of the line from a to b: the sign of
// (b - a) x (c - d), exactly.
bool fartherLeft(Vector3 const& a, Vector3 const& b, Vector3 const& c, Vector3 const& d) {
    return exactSign([&](auto kind) {
               using K = decltype(kind);
               return K::difference(b[0], a[0]) * K::difference(c[1], d[1]) -
                      K::difference(b[1], a[1]) * K::difference(c[0], d[0]);
           }) > 0;
}

Vector3 flat(Vector3 const& v) {
    return Vector3(v[0], v[1], 0.0);
}

}  // namespace

StraightnessZone minimumZoneStraightness(Vector3 const* points, std::size_t count) {
    StraightnessZone result;
    FormInput input;
    result.status = checkFormInput(points, count, 2, 2, input);
    if (result.status != FormStatus::kMeasured) {
        return result;
    }
    std::vector<std::size_t> const hull = convexHullXY(points, count);
    result.certified = true;
    if (hull.size() == 1) {
        result.configuration = StraightnessConfiguration::kCoincident;
        result.midPoint = flat(points[hull[0]]);
        result.support.add(hull[0], points[hull[0]], Contact::kLow);
        return result;
    }
    if (hull.size() == 2) {
        result.configuration = StraightnessConfiguration::kCollinear;
        result.direction = gte::Normalized(flat(points[hull[1]] - points[hull[0]]));
        result.normal = Vector3(-result.direction[1], result.direction[0], 0.0);
        result.midPoint = flat(points[hull[0]]);
        result.support.add(hull[0], points[hull[0]], Contact::kLow);
        result.support.add(hull[1], points[hull[1]], Contact::kLow);
        return result;
    }

    // Rotating calipers: for each edge the vertex farthest to its left, the pointer moving on as
    // the edges turn. Doubles guide the walk; the exact check below has the last word.
    std::size_t const h = hull.size();
    auto const at = [&](std::size_t k) -> Vector3 const& { return points[hull[k % h]]; };
    std::size_t far = 1;
    double best = std::numeric_limits<double>::infinity();
    std::size_t bestEdge = 0;
    std::size_t bestFar = 0;
    for (std::size_t e = 0; e < h; ++e) {
        Vector3 const& a = at(e);
        Vector3 const& b = at(e + 1);
        if (far == e) {
            far = e + 1;
        }
        for (std::size_t step = 0; step < h && areaXY(a, b, at(far + 1)) >= areaXY(a, b, at(far));
             ++step) {
            far = (far + 1) % h;
        }
        double const dx = b[0] - a[0];
        double const dy = b[1] - a[1];
        double const width = areaXY(a, b, at(far)) / std::sqrt(dx * dx + dy * dy);
        if (width < best) {
            best = width;
            bestEdge = e;
            bestFar = far % h;
        }
    }

    // The chosen edge's truly farthest vertex, exactly: a vertex beyond the one found replaces it.
    Vector3 const& a = at(bestEdge);
    Vector3 const& b = at(bestEdge + 1);
    for (bool moved = true; moved;) {
        moved = false;
        for (std::size_t k = 0; k < h; ++k) {
            if (fartherLeft(a, b, at(k), at(bestFar))) {
                bestFar = k;
                moved = true;
            }
        }
    }
    Vector3 const& c = at(bestFar);
    double const area = accurateValue([&](auto kind) { return crossXY<decltype(kind)>(a, b, c); });
    double const ex = accurateValue([&](auto kind) {
        using K = decltype(kind);
        return K::difference(b[0], a[0]);
    });
    double const ey = accurateValue([&](auto kind) {
        using K = decltype(kind);
        return K::difference(b[1], a[1]);
    });
    double const length = std::sqrt(ex * ex + ey * ey);
    result.configuration = StraightnessConfiguration::kTwoPlusOne;
    result.width = area / length;
    result.direction = Vector3(ex / length, ey / length, 0.0);
    // The hull runs counterclockwise: the points lie to the left of each edge.
    result.normal = Vector3(-result.direction[1], result.direction[0], 0.0);
    result.midPoint = flat(a) + result.normal * (0.5 * result.width);
    result.support.add(hull[bestEdge], a, Contact::kLow);
    result.support.add(hull[(bestEdge + 1) % h], b, Contact::kLow);
    result.support.add(hull[bestFar], c, Contact::kHigh);
    return result;
}

}  // namespace tavrisk::form
