// SPDX-License-Identifier: MIT
// Pair gaps in XY: the smallest and largest value over every pair, from the sorted projections
// of both sets or, for few pairs, in one tight pass.
//
// Every x and y at most 2^500 in magnitude: the value |Dot((p2.x - p1.x, p2.y - p1.y), n)| is the
// gap-sigma pair value |Dot(q1 - q2, m)| of q = (x, y, 0) and m = (n.x, n.y, 0), the negated
// difference giving the negated sum and the zero z term adding +0, which the absolute value
// hides; pair_gap_extremes.cpp finds its smallest and largest (trim 0, average 1) from the
// sorted projections in time n log n, with the proof of its rounding window.
//
// With every x and y at most 2^1020 in magnitude and n at most 2 per component, no value can be
// NaN: the differences stay below 2^1021, the products below 2^1022 and their sum finite. The
// largest and smallest of such values do not depend on the order they are met in, so the pairs
// can run several at a time, in vector lanes and in separate accumulators, from set 2's
// coordinates laid out by axis. Any other input runs through the running extremes pair by pair,
// which decide NaN and infinity as the measurement always has.
#include "search/pair_range.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <limits>
#include <vector>

#include "search/pair_gap_extremes.h"
#include "search/rounding_window.h"
#include "search/running_extremes.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TAVRISK_PAIR_RANGE_SSE2 1
#endif

namespace tavrisk {

namespace {

using gte::Vector2;

constexpr double kCoordinateLimit = 0x1p1020;
constexpr double kDirectionLimit = 2.0;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// From this many pairs on the sorted projections cost less than visiting every pair.
constexpr long long kSortedSearchPairs = 4096;

double pairValue(gte_point const& p1, gte_point const& p2, Vector2 const& n) {
    return std::fabs(gte::Dot(Vector2(p2.x - p1.x, p2.y - p1.y), n));
}

ValueRange runningRange(gte_point const* points1, int count1, gte_point const* points2, int count2,
                        Vector2 const& n) {
    RunningRange range;
    for (int i = 0; i < count1; ++i) {
        for (int j = 0; j < count2; ++j) {
            range.offer(pairValue(points1[i], points2[j], n));
        }
    }
    return {range.low.value(), range.high.value()};
}

bool allWithinLimit(gte_point const* points, int count) {
    bool within = true;
    for (int i = 0; i < count; ++i) {
        // Written so that NaN fails.
        within = within && std::fabs(points[i].x) <= kCoordinateLimit &&
                 std::fabs(points[i].y) <= kCoordinateLimit;
    }
    return within;
}

bool tightLoopHolds(gte_point const* points1, int count1, gte_point const* points2, int count2,
                    Vector2 const& n) {
    return std::fabs(n[0]) <= kDirectionLimit && std::fabs(n[1]) <= kDirectionLimit &&
           allWithinLimit(points1, count1) && allWithinLimit(points2, count2);
}

// Set 2's coordinates by axis, so that neighbouring pairs load side by side.
struct Columns {
    std::vector<double> x, y;

    Columns(gte_point const* points, int count)
        : x(static_cast<std::size_t>(count)), y(static_cast<std::size_t>(count)) {
        for (int j = 0; j < count; ++j) {
            x[j] = points[j].x;
            y[j] = points[j].y;
        }
    }
};

double smaller(double a, double b) {
    return a < b ? a : b;
}
double larger(double a, double b) {
    return a > b ? a : b;
}

// Four pairs at a time in separate accumulators; the rest of each row one by one.
ValueRange portableRange(gte_point const* points1, int count1, Columns const& set2, Vector2 n) {
    std::size_t const count2 = set2.x.size();
    double const* xs = set2.x.data();
    double const* ys = set2.y.data();
    double low[4] = {kInfinity, kInfinity, kInfinity, kInfinity};
    double high[4] = {-kInfinity, -kInfinity, -kInfinity, -kInfinity};
    for (int i = 0; i < count1; ++i) {
        double const x1 = points1[i].x;
        double const y1 = points1[i].y;
        std::size_t j = 0;
        for (; j + 4 <= count2; j += 4) {
            for (std::size_t lane = 0; lane < 4; ++lane) {
                double const w = std::fabs((xs[j + lane] - x1) * n[0] + (ys[j + lane] - y1) * n[1]);
                low[lane] = smaller(w, low[lane]);
                high[lane] = larger(w, high[lane]);
            }
        }
        for (; j < count2; ++j) {
            double const w = std::fabs((xs[j] - x1) * n[0] + (ys[j] - y1) * n[1]);
            low[0] = smaller(w, low[0]);
            high[0] = larger(w, high[0]);
        }
    }
    return {smaller(smaller(low[0], low[1]), smaller(low[2], low[3])),
            larger(larger(high[0], high[1]), larger(high[2], high[3]))};
}

#ifdef TAVRISK_PAIR_RANGE_SSE2
// Two lanes, two accumulators each: four pairs at a time. The lane operations are the scalar
// ones: minpd and maxpd return the second operand unless the first is strictly beyond it.
ValueRange vectorRange(gte_point const* points1, int count1, Columns const& set2, Vector2 n) {
    std::size_t const count2 = set2.x.size();
    double const* xs = set2.x.data();
    double const* ys = set2.y.data();
    __m128d const magnitude = _mm_set1_pd(-0.0);
    __m128d const nx = _mm_set1_pd(n[0]);
    __m128d const ny = _mm_set1_pd(n[1]);
    __m128d low0 = _mm_set1_pd(kInfinity), low1 = low0;
    __m128d high0 = _mm_set1_pd(-kInfinity), high1 = high0;
    double lowRest = kInfinity, highRest = -kInfinity;
    auto values = [&](std::size_t j, __m128d x1, __m128d y1) {
        __m128d const dx = _mm_sub_pd(_mm_loadu_pd(xs + j), x1);
        __m128d const dy = _mm_sub_pd(_mm_loadu_pd(ys + j), y1);
        return _mm_andnot_pd(magnitude, _mm_add_pd(_mm_mul_pd(dx, nx), _mm_mul_pd(dy, ny)));
    };
    for (int i = 0; i < count1; ++i) {
        __m128d const x1 = _mm_set1_pd(points1[i].x);
        __m128d const y1 = _mm_set1_pd(points1[i].y);
        std::size_t j = 0;
        for (; j + 4 <= count2; j += 4) {
            __m128d const w0 = values(j, x1, y1);
            __m128d const w1 = values(j + 2, x1, y1);
            low0 = _mm_min_pd(w0, low0);
            high0 = _mm_max_pd(w0, high0);
            low1 = _mm_min_pd(w1, low1);
            high1 = _mm_max_pd(w1, high1);
        }
        for (; j < count2; ++j) {
            double const w =
                std::fabs((xs[j] - points1[i].x) * n[0] + (ys[j] - points1[i].y) * n[1]);
            lowRest = smaller(w, lowRest);
            highRest = larger(w, highRest);
        }
    }
    double lows[4], highs[4];
    _mm_storeu_pd(lows, low0);
    _mm_storeu_pd(lows + 2, low1);
    _mm_storeu_pd(highs, high0);
    _mm_storeu_pd(highs + 2, high1);
    for (int lane = 0; lane < 4; ++lane) {
        lowRest = smaller(lows[lane], lowRest);
        highRest = larger(highs[lane], highRest);
    }
    return {lowRest, highRest};
}
#endif

// The range from the sorted projections, or nothing when a coordinate lies beyond the limit of
// the rounding window.
std::optional<ValueRange> sortedRange(gte_point const* points1, int count1,
                                      gte_point const* points2, int count2, Vector2 const& n) {
    gte::Vector3 const m(n[0], n[1], 0.0);
    PointView const view1 = PointView::flattened(points1);
    PointView const view2 = PointView::flattened(points2);
    gte::Vector3 const origin = view1[0];
    ProjectedBox box{origin, origin, withinLimit(m, kWindowDirectionLimit)};
    std::vector<ProjectedGroup> groups1, groups2, scratch;
    projectPoints(view1, static_cast<std::size_t>(count1), origin, m, groups1, box);
    projectPoints(view2, static_cast<std::size_t>(count2), origin, m, groups2, box);
    if (!box.inRange) {
        return std::nullopt;
    }
    sortAndMerge(groups1, view1, m, scratch);
    sortAndMerge(groups2, view2, m, scratch);
    ExtremeAverages const extremes = groupedPairGapAverages(
        view1, groups1, view2, groups2, m, roundingWindow(box.low, box.high, m), 0, 1);
    return ValueRange{extremes.low, extremes.high};
}

}  // namespace

ValueRange pairRangeXY(gte_point const* points1, int count1, gte_point const* points2, int count2,
                       Vector2 const& n) {
    if (static_cast<long long>(count1) * count2 >= kSortedSearchPairs) {
        if (std::optional<ValueRange> const range =
                sortedRange(points1, count1, points2, count2, n)) {
            return *range;
        }
    }
    if (!tightLoopHolds(points1, count1, points2, count2, n)) {
        return runningRange(points1, count1, points2, count2, n);
    }
    Columns const set2(points2, count2);
#ifdef TAVRISK_PAIR_RANGE_SSE2
    return vectorRange(points1, count1, set2, n);
#else
    return portableRange(points1, count1, set2, n);
#endif
}

namespace detail {

ValueRange pairRangeXYSorted(gte_point const* points1, int count1, gte_point const* points2,
                             int count2, Vector2 const& n) {
    if (std::optional<ValueRange> const range = sortedRange(points1, count1, points2, count2, n)) {
        return *range;
    }
    return pairRangeXY(points1, count1, points2, count2, n);
}

ValueRange pairRangeXYPortable(gte_point const* points1, int count1, gte_point const* points2,
                               int count2, Vector2 const& n) {
    if (!tightLoopHolds(points1, count1, points2, count2, n)) {
        return runningRange(points1, count1, points2, count2, n);
    }
    return portableRange(points1, count1, Columns(points2, count2), n);
}

}  // namespace detail

}  // namespace tavrisk
