// SPDX-License-Identifier: MIT
// Pair gaps: only the pairs that can hold one of the few smallest or largest values are
// evaluated.
//
// The value of a pair is w = fl(|Dot(fl(p1 - p2), m)|), the dot product summed as (x + y) + z.
// It is close to the difference of the points' projections onto m, so with the projections of
// each set sorted, the pairs whose projections lie close together (the small values) or far
// apart (the large values) can be counted and listed in time linear in the set sizes. A proven
// bound on the rounding decides how far beyond the few smallest and largest projection
// differences to list; the pairs listed are evaluated exactly and selected by value.
//
// Error bound. Let u = 2^-53 and model every operation as fl(a op b) = (a op b)(1 + e) + h with
// |e| <= u and |h| <= 2^-1075, where h != 0 only for a product that underflows. The shortcut
// runs only when every coordinate is at most 2^500 in magnitude and every component of m at most
// 2, so nothing overflows. With R_k the range of coordinate k over both sets, S = sum_k R_k |m_k|,
// c the first point of set 1, and the projections A_i = Dot(fl(p1_i - c), m), B_j likewise:
//   - w differs from the real W = |(p1 - p2) . m| by at most eps = g4 S + 2^-1072,
//     g4 = 4u / (1 - 4u) (a difference, a product and at most two sums per term, |p1_k - p2_k|
//     <= R_k), and A_i, B_j differ from the real a_i = (p1_i - c) . m, b_j likewise, by at most
//     eps, with |a_i|, |b_j| <= S;
//   - D = fl(A_i - B_j) differs from A_i - B_j by at most u |A_i - B_j| <= 2u (S + eps);
//   - W = |a_i - b_j|, hence ||D| - w| <= 3 eps + 2u (S + eps) = E, below 14.1 u S + 2^-1070.
// Low end: let T be a bound with at least k = trim + average pairs of |D| <= T. Their values are
// at most T + E, so the k-th smallest value w(k) is too, and every pair with w <= w(k) has
// |D| <= T + 2E. The pairs with |D| <= fl(T + M) therefore hold every pair whose value is below
// w(k) and enough pairs of value w(k), and the k smallest values among them are the k smallest
// of all pairs, as a multiset, which is all the average reads. This needs
// M (1 - u) >= 2E + u T, and T <= 2 (S + eps)(1 + u): M >= 31 u S + 2^-1069 serves. S is computed
// from the rounded ranges, which understates it by at most a factor 1 + 5u and 2^-1072; so
// M = roundingWindow() = fl(fl(S * 2^-46) + 2^-1060) >= 127 u S + 2^-1061 covers it. High end: let
// T be a bound with at least k pairs of |D| >= T; then the k-th largest value is at least T - E,
// and every pair at or above it has |D| >= T - 2E >= fl(T - M).
//
// Counting and listing. For a fixed projection a, fl(a - b) does not increase as b grows
// (rounding is monotone), so the b with |fl(a - b)| <= T form a run of the sorted projections of
// set 2, and those with |fl(a - b)| >= T > 0 a head and a tail; as a grows, every run edge moves
// only forward. T itself is found by bisection on the bit patterns of non-negative doubles,
// which order as the values do, stopping at the first bound that takes in at least k and not
// many more pairs.
//
// Sets outside the range of the bound, sets whose values tie so widely that the windows would
// take in half of all pairs, and a direction without horizontal part are done by streaming every
// pair through the selection: the same values, one pass, no table.
#include "search/pair_gap_extremes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "search/extreme_selection.h"
#include "search/rounding_window.h"

namespace tavrisk {

namespace {

using gte::Vector3;

double pairValue(Vector3 const& p1, Vector3 const& p2, Vector3 const& m) {
    return std::fabs(gte::Dot(p1 - p2, m));
}

ExtremeAverages averageEveryPair(std::vector<Vector3> const& set1, std::vector<Vector3> const& set2,
                                 Vector3 const& m, int trim, int average) {
    TrimmedExtremes extremes(trim, average);
    for (Vector3 const& p1 : set1) {
        for (Vector3 const& p2 : set2) {
            extremes.offer(pairValue(p1, p2, m));
        }
    }
    return extremes.averages();
}

std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double fromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct Projection {
    double value;
    int index;
};

std::vector<Projection> sortedProjections(std::vector<Vector3> const& set, Vector3 const& origin,
                                          Vector3 const& m) {
    std::vector<Projection> projections(set.size());
    for (std::size_t i = 0; i < set.size(); ++i) {
        projections[i] = {gte::Dot(set[i] - origin, m), static_cast<int>(i)};
    }
    std::sort(projections.begin(), projections.end(),
              [](Projection const& a, Projection const& b) { return a.value < b.value; });
    return projections;
}

// The pairs of two sorted projection lists by their rounded differences D = fl(a - b).
class ProjectionPairs {
public:
    ProjectionPairs(std::vector<Projection> a, std::vector<Projection> b)
        : a_(std::move(a)), b_(std::move(b)) {}

    // The largest |D| over all pairs.
    double widest() const {
        return std::max(std::fabs(a_.back().value - b_.front().value),
                        std::fabs(a_.front().value - b_.back().value));
    }

    // Calls visit(i, first, end) for every row: the pairs with |D| <= bound (bound >= 0) are
    // those from `first` to before `end` of set 2. Stops when visit returns false.
    template <class Visit>
    void within(double bound, Visit&& visit) const {
        std::size_t first = 0, end = 0;
        for (std::size_t i = 0; i < a_.size(); ++i) {
            double const a = a_[i].value;
            while (first < b_.size() && a - b_[first].value > bound) {
                ++first;
            }
            while (end < b_.size() && a - b_[end].value >= -bound) {
                ++end;
            }
            if (!visit(i, first, end)) {
                return;
            }
        }
    }

    // Calls visit(i, head, tail) for every row: the pairs with D >= bound are the first `head`
    // of set 2, those with D <= -bound the ones from `tail` on (bound > 0, so they are apart).
    // Stops when visit returns false.
    template <class Visit>
    void beyond(double bound, Visit&& visit) const {
        std::size_t head = 0, tail = 0;
        for (std::size_t i = 0; i < a_.size(); ++i) {
            double const a = a_[i].value;
            while (head < b_.size() && a - b_[head].value >= bound) {
                ++head;
            }
            while (tail < b_.size() && a - b_[tail].value > -bound) {
                ++tail;
            }
            if (!visit(i, head, tail)) {
                return;
            }
        }
    }

    // Number of pairs with |D| <= bound; counting stops once it exceeds cap.
    std::uint64_t countWithin(double bound, std::uint64_t cap) const {
        std::uint64_t count = 0;
        within(bound, [&](std::size_t, std::size_t first, std::size_t end) {
            count += end - first;
            return count <= cap;
        });
        return count;
    }

    // Number of pairs with |D| >= bound; counting stops once it exceeds cap.
    std::uint64_t countBeyond(double bound, std::uint64_t cap) const {
        if (!(bound > 0.0)) {
            return static_cast<std::uint64_t>(a_.size()) * b_.size();
        }
        std::uint64_t count = 0;
        std::size_t const columns = b_.size();
        beyond(bound, [&](std::size_t, std::size_t head, std::size_t tail) {
            count += head + (columns - tail);
            return count <= cap;
        });
        return count;
    }

    // A bound with at least `needed` pairs of |D| within it: the smallest such bound, unless the
    // bisection meets one that takes in no more than twice as many pairs first.
    double lowBound(std::uint64_t needed) const {
        std::uint64_t const enough = 2 * needed;
        if (countWithin(0.0, enough) >= needed) {
            return 0.0;
        }
        std::uint64_t below = 0;                 // too few within
        std::uint64_t above = bitsOf(widest());  // every pair within
        while (above - below > 1) {
            std::uint64_t const middle = below + (above - below) / 2;
            std::uint64_t const count = countWithin(fromBits(middle), enough);
            if (count >= needed) {
                above = middle;
                if (count <= enough) {
                    break;
                }
            } else {
                below = middle;
            }
        }
        return fromBits(above);
    }

    // A bound with at least `needed` pairs of |D| beyond it, the largest such bound or, as above,
    // a slightly smaller one; 0 when only 0 has enough.
    double highBound(std::uint64_t needed) const {
        std::uint64_t const enough = 2 * needed;
        double const widest = this->widest();
        if (countBeyond(widest, enough) >= needed) {
            return widest;
        }
        std::uint64_t below = 0;               // every pair beyond
        std::uint64_t above = bitsOf(widest);  // too few beyond
        while (above - below > 1) {
            std::uint64_t const middle = below + (above - below) / 2;
            std::uint64_t const count = countBeyond(fromBits(middle), enough);
            if (count >= needed) {
                below = middle;
                if (count <= enough) {
                    break;
                }
            } else {
                above = middle;
            }
        }
        return fromBits(below);
    }

    int first(std::size_t i) const { return a_[i].index; }
    int second(std::size_t j) const { return b_[j].index; }

private:
    std::vector<Projection> a_, b_;
};

}  // namespace

ExtremeAverages pairGapAverages(std::vector<Vector3> const& set1, std::vector<Vector3> const& set2,
                                Vector3 const& m, int trim, int average) {
    bool inRange = withinLimit(m, kWindowDirectionLimit);
    Vector3 low = set1[0], high = set1[0];
    for (std::vector<Vector3> const* set : {&set1, &set2}) {
        for (Vector3 const& p : *set) {
            inRange = inRange && withinLimit(p, kWindowCoordinateLimit);
            for (int k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], p[k]);
                high[k] = std::max(high[k], p[k]);
            }
        }
    }
    if (!inRange) {
        return averageEveryPair(set1, set2, m, trim, average);
    }
    // Across a vertical line there is no measuring direction: every value of finite points is
    // |(0 + 0) + 0| = 0, and so are both averages.
    if (m[0] == 0.0 && m[1] == 0.0 && m[2] == 0.0) {
        return {0.0, 0.0};
    }

    double const window = roundingWindow(low, high, m);
    ProjectionPairs const pairs(sortedProjections(set1, set1[0], m),
                                sortedProjections(set2, set1[0], m));

    std::uint64_t const needed = static_cast<std::uint64_t>(trim) + average;
    double const lowWindow = pairs.lowBound(needed) + window;
    double const highWindow = pairs.highBound(needed) - window;
    // Values that tie or crowd so widely that the windows take in half of all pairs: one pass
    // over every pair costs less than listing them.
    std::uint64_t const budget = static_cast<std::uint64_t>(set1.size()) * set2.size() / 2;
    if (!(highWindow > 0.0) ||
        pairs.countWithin(lowWindow, budget) + pairs.countBeyond(highWindow, budget) > budget) {
        return averageEveryPair(set1, set2, m, trim, average);
    }

    std::size_t const kept = static_cast<std::size_t>(needed);
    SmallestValues smallest(kept);
    pairs.within(lowWindow, [&](std::size_t i, std::size_t first, std::size_t end) {
        Vector3 const& p1 = set1[static_cast<std::size_t>(pairs.first(i))];
        for (std::size_t j = first; j < end; ++j) {
            smallest.offer(pairValue(p1, set2[static_cast<std::size_t>(pairs.second(j))], m));
        }
        return true;
    });
    LargestValues largest(kept);
    std::size_t const columns = set2.size();
    pairs.beyond(highWindow, [&](std::size_t i, std::size_t head, std::size_t tail) {
        Vector3 const& p1 = set1[static_cast<std::size_t>(pairs.first(i))];
        for (std::size_t j = 0; j < head; ++j) {
            largest.offer(pairValue(p1, set2[static_cast<std::size_t>(pairs.second(j))], m));
        }
        for (std::size_t j = tail; j < columns; ++j) {
            largest.offer(pairValue(p1, set2[static_cast<std::size_t>(pairs.second(j))], m));
        }
        return true;
    });
    return averagesFromEnds(smallest, largest, trim, average);
}

}  // namespace tavrisk
