// SPDX-License-Identifier: MIT
// The farthest pair along a direction, without visiting every pair.
//
// The pair value of points p and q is v(p, q) = fl(|Dot(fl(p - q), d)|), the dot product summed
// as (x + y) + z. The pair farthest apart holds the point of largest and the point of smallest
// projection onto d, up to rounding; the search projects every point once, keeps the points
// whose projection lies within a proven rounding bound of either end, and evaluates the pair
// value itself only for pairs of one point from each end, in the scanning order of the full
// search, so that its tie rule decides as it would.
//
// Error bound. Let u = 2^-53 and model every operation as fl(a op b) = (a op b)(1 + e) + h with
// |e| <= u and |h| <= 2^-1075, where h != 0 only for a product that underflows (a sum or
// difference that underflows is exact). The search runs only when every coordinate is at most
// 2^500 in magnitude and every component of d at most 2, so nothing overflows below. With R_k the
// range of coordinate k over the set and S = sum_k R_k |d_k|:
//   - a pair value v(p, q) differs from the real V(p, q) = |sum_k (p_k - q_k) d_k| by at most
//     eps = g4 S + 2^-1072, g4 = 4u / (1 - 4u): each term passes a difference, a product and at
//     most two sums, and |p_k - q_k| <= R_k;
//   - the projection T_i = Dot(fl(p_i - p_0), d), the same expression against the set's first
//     point, differs from the real t_i = sum_k (p_ik - p_0k) d_k by at most eps as well, and
//     |t_i| <= S.
// Let v* be the largest pair value and (i, j) a pair that reaches it, t_i >= t_j. The pair (a, b)
// of the largest and smallest real projection gives v* >= v(a, b) >= t_max - t_min - eps, so
// t_i - t_j = V(i, j) >= v* - eps >= t_max - t_min - 2 eps: t_i >= t_max - 2 eps and
// t_j <= t_min + 2 eps. Since T_max <= t_max + eps and T_i >= t_i - eps, T_i >= T_max - 4 eps;
// likewise T_j <= T_min + 4 eps. Keeping every point with T >= fl(T_max - M) or T <= fl(T_min + M)
// keeps both points of every pair that reaches v*, when M - u (S + eps + M) >= 4 eps (the
// rounding of the window's edge, |T| <= S + eps), that is when M >= 18 u S + 2^-1069 with room to
// spare. S is computed in floating point from the rounded ranges, which understates it by at most
// a factor 1 + 5u and 2^-1072; M = roundingWindow() = fl(fl(S * 2^-46) + 2^-1060) >= 127 u S +
// 2^-1061 covers that.
//
// Equal points. A point with the same coordinates as an earlier one (coordinates along which d is
// zero aside: they add a zero of either sign, which changes no pair value) gives the same value
// with every third point, and that value comes first in the scanning order with the earlier
// point, whichever side of either index the third point lies. So of equal candidates only the
// first can win when v* > 0, and when v* = 0 every pair ties and the first pair (0, 1) wins. A
// set with many points on both ends (a cloud of rows perpendicular to d) thus costs little as long
// as the rows repeat their coordinates; only distinct points within rounding of both ends
// multiply.
#include "search/extreme_pair.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "api/convert.h"
#include "search/rounding_window.h"
#include "search/running_extremes.h"

namespace tavrisk {

namespace {

using gte::Vector3;

double pairValue(gte_point const* points, int i, int j, Vector3 const& d) {
    return std::fabs(gte::Dot(toVector3(points[i]) - toVector3(points[j]), d));
}

// Every pair in scanning order: the reference behaviour, used where the bound does not hold.
PointPair searchEveryPair(gte_point const* points, int count, Vector3 const& d) {
    RunningMaximum farthest;
    PointPair pair{0, 0};
    for (int i = 0; i + 1 < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            if (farthest.offer(pairValue(points, i, j, d))) {
                pair = {i, j};
            }
        }
    }
    return pair;
}

// The smallest and largest of numbers, written so that the compiler keeps them in registers
// without branches (a NaN is passed over; the caller detects it otherwise).
struct Range {
    double low = 0.0, high = 0.0;

    void take(double v) {
        low = v < low ? v : low;
        high = v > high ? v : high;
    }
};

struct Candidate {
    int index;
    bool high;    // projection near the largest
    bool low;     // projection near the smallest
    Vector3 key;  // the coordinates that count towards a pair value
};

bool keyLess(Vector3 const& a, Vector3 const& b) {
    if (a[0] != b[0]) {
        return a[0] < b[0];
    }
    if (a[1] != b[1]) {
        return a[1] < b[1];
    }
    return a[2] < b[2];
}

// Drops every candidate whose key repeats that of a candidate with a smaller index; the rest stay
// in index order.
void dropRepeatedPoints(std::vector<Candidate>& candidates) {
    std::sort(candidates.begin(), candidates.end(), [](Candidate const& a, Candidate const& b) {
        return keyLess(a.key, b.key) || (a.key == b.key && a.index < b.index);
    });
    auto const last =
        std::unique(candidates.begin(), candidates.end(),
                    [](Candidate const& a, Candidate const& b) { return a.key == b.key; });
    candidates.erase(last, candidates.end());
    std::sort(candidates.begin(), candidates.end(),
              [](Candidate const& a, Candidate const& b) { return a.index < b.index; });
}

// The pair among the points each(visit) lists, in ascending index order, whose projections onto d
// lie within the window of tMax or tMin: those points must include every point of the set near
// either end, and tMax and tMin be the set's extreme projections.
template <class EachIndex>
PointPair pairNearEnds(gte_point const* points, EachIndex each, Vector3 const& d, double tMax,
                       double tMin, double window) {
    Vector3 const origin = toVector3(points[0]);
    double const highCut = tMax - window;
    double const lowCut = tMin + window;
    std::vector<Candidate> candidates;
    each([&](int i) {
        double const t = gte::Dot(toVector3(points[i]) - origin, d);
        bool const high = t >= highCut;
        bool const low = t <= lowCut;
        if (high || low) {
            Vector3 key = toVector3(points[i]);
            for (int k = 0; k < 3; ++k) {
                if (d[k] == 0.0) {
                    key[k] = 0.0;
                }
            }
            candidates.push_back({i, high, low, key});
        }
    });
    dropRepeatedPoints(candidates);

    // The pairs of one point from each end, in scanning order.
    double best = 0.0;
    PointPair pair{0, 1};  // when every pair value is 0, the first pair
    std::size_t const n = candidates.size();
    for (std::size_t a = 0; a < n; ++a) {
        Candidate const& first = candidates[a];
        for (std::size_t b = a + 1; b < n; ++b) {
            Candidate const& second = candidates[b];
            if ((first.high && second.low) || (first.low && second.high)) {
                double const value = pairValue(points, first.index, second.index, d);
                if (value > best) {
                    best = value;
                    pair = {first.index, second.index};
                }
            }
        }
    }
    return pair;
}

}  // namespace

PointPair farthestPairAlong(gte_point const* points, int count, Vector3 const& direction) {
    Vector3 const& d = direction;
    Vector3 const origin = toVector3(points[0]);

    // First reading: the projections' range and the coordinates' box. A coordinate that is not a
    // number makes its projection one, which the sum of the projections keeps; infinite and
    // oversized coordinates show in the box.
    Range t;  // the first point projects to exactly 0
    Range x{origin[0], origin[0]}, y{origin[1], origin[1]}, z{origin[2], origin[2]};
    double tSum = 0.0;
    for (int i = 0; i < count; ++i) {
        Vector3 const p = toVector3(points[i]);
        double const projected = gte::Dot(p - origin, d);
        tSum += projected;
        t.take(projected);
        x.take(p[0]);
        y.take(p[1]);
        z.take(p[2]);
    }
    Vector3 const lo(x.low, y.low, z.low), hi(x.high, y.high, z.high);
    bool const inRange = withinLimit(d, kWindowDirectionLimit) &&
                         withinLimit(lo, kWindowCoordinateLimit) &&
                         withinLimit(hi, kWindowCoordinateLimit) && !std::isnan(tSum);
    if (!inRange) {
        return searchEveryPair(points, count, d);
    }
    // Second reading: the points near either end, in index order.
    auto const everyIndex = [count](auto&& visit) {
        for (int i = 0; i < count; ++i) {
            visit(i);
        }
    };
    return pairNearEnds(points, everyIndex, d, t.high, t.low, roundingWindow(lo, hi, d));
}

PointPair farthestPairAmong(gte_point const* points, std::vector<int> const& candidates,
                            Vector3 const& direction, Vector3 const& low, Vector3 const& high) {
    Vector3 const origin = toVector3(points[0]);
    double tMax = 0.0, tMin = 0.0;
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        double const t = gte::Dot(toVector3(points[candidates[c]]) - origin, direction);
        tMax = c == 0 || t > tMax ? t : tMax;
        tMin = c == 0 || t < tMin ? t : tMin;
    }
    auto const eachCandidate = [&candidates](auto&& visit) {
        for (int i : candidates) {
            visit(i);
        }
    };
    return pairNearEnds(points, eachCandidate, direction, tMax, tMin,
                        roundingWindow(low, high, direction));
}

}  // namespace tavrisk
