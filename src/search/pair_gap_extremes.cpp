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
// only forward. The first T tried comes from each projection of set 1 with its nearest (or
// farthest) projection of set 2: the k-th smallest (largest) of these, counted with their
// multiplicities, has at least k pairs within (beyond) it, and for ordinary sets not many more,
// so the pairs in its window are listed at once. Where the window takes in too many, T is found
// by bisection on the bit patterns of non-negative doubles, which order as the values do,
// stopping at the first bound that takes in at least k and not many more pairs.
//
// Ties. Points of a set with the same coordinates along the axes where m is not zero give the
// same value with every point of the other set; each set is merged into such groups, which carry
// their counts (projected_groups.h), so that an edge parallel to the line, whose points all tie,
// is one group and costs one pair.
//
// Sets outside the range of the bound are done by streaming every pair through the selection:
// the same values, the first NaN as the sorted table gives it, one pass, no table. Groups whose
// values tie or crowd so widely that the windows would take in half of all their pairs are done
// by streaming every pair of groups.
#include "search/pair_gap_extremes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <queue>
#include <utility>

#include "search/extreme_selection.h"
#include "search/rounding_window.h"

namespace tavrisk {

namespace {

using gte::Vector3;
using Groups = std::vector<ProjectedGroup>;

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

std::uint64_t pairsOf(ProjectedGroup const& a, ProjectedGroup const& b) {
    return std::uint64_t(a.count) * b.count;
}

// The bound within which (or, for the largest values, beyond which) at least `needed` pairs lie,
// from candidate values that each stand for a number of pairs: the needed-th most extreme of
// them, counted with their multiplicities. Keeps no more candidates than it must.
template <bool kLargest>
class CandidateBound {
public:
    explicit CandidateBound(std::uint64_t needed) : needed_(needed) {}

    void offer(double value, std::uint64_t pairs) {
        if (held_ >= needed_ && !moreExtreme(value, kept_.top().first)) {
            return;
        }
        kept_.push({value, pairs});
        held_ += pairs;
        while (held_ - kept_.top().second >= needed_) {
            held_ -= kept_.top().second;
            kept_.pop();
        }
    }

    // Needs at least `needed` pairs offered.
    double bound() const { return kept_.top().first; }

private:
    using Candidate = std::pair<double, std::uint64_t>;
    static bool moreExtreme(double value, double than) {
        return kLargest ? value > than : value < than;
    }
    // The least extreme candidate on top.
    struct Order {
        bool operator()(Candidate const& a, Candidate const& b) const {
            return kLargest ? a.first > b.first : a.first < b.first;
        }
    };

    std::uint64_t needed_;
    std::uint64_t held_ = 0;
    std::priority_queue<Candidate, std::vector<Candidate>, Order> kept_;
};

// The pairs of two sorted lists of groups by their rounded differences D = fl(a - b), each pair
// of groups standing for the product of their counts.
class ProjectionPairs {
public:
    ProjectionPairs(Groups const& a, Groups const& b) : a_(a), b_(b), before_(b.size() + 1) {
        before_[0] = 0;
        for (std::size_t j = 0; j < b_.size(); ++j) {
            before_[j + 1] = before_[j] + b_[j].count;
        }
        for (ProjectedGroup const& g : a_) {
            points1_ += g.count;
        }
    }

    // The largest |D| over all pairs.
    double widest() const {
        return std::max(std::fabs(a_.back().projection - b_.front().projection),
                        std::fabs(a_.front().projection - b_.back().projection));
    }

    // Calls visit(i, first, end) for every row: the pairs with |D| <= bound (bound >= 0) are
    // those from `first` to before `end` of set 2. Stops when visit returns false.
    template <class Visit>
    void within(double bound, Visit&& visit) const {
        std::size_t first = 0, end = 0;
        for (std::size_t i = 0; i < a_.size(); ++i) {
            double const a = a_[i].projection;
            while (first < b_.size() && a - b_[first].projection > bound) {
                ++first;
            }
            while (end < b_.size() && a - b_[end].projection >= -bound) {
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
            double const a = a_[i].projection;
            while (head < b_.size() && a - b_[head].projection >= bound) {
                ++head;
            }
            while (tail < b_.size() && a - b_[tail].projection > -bound) {
                ++tail;
            }
            if (!visit(i, head, tail)) {
                return;
            }
        }
    }

    // Pairs with |D| <= bound; counting stops once it exceeds cap.
    std::uint64_t countWithin(double bound, std::uint64_t cap) const {
        std::uint64_t count = 0;
        within(bound, [&](std::size_t i, std::size_t first, std::size_t end) {
            count += a_[i].count * (before_[end] - before_[first]);
            return count <= cap;
        });
        return count;
    }

    // Pairs with |D| >= bound; counting stops once it exceeds cap.
    std::uint64_t countBeyond(double bound, std::uint64_t cap) const {
        if (!(bound > 0.0)) {
            return points1_ * before_.back();
        }
        std::uint64_t count = 0;
        std::size_t const columns = b_.size();
        beyond(bound, [&](std::size_t i, std::size_t head, std::size_t tail) {
            count += a_[i].count * (before_[head] + (before_[columns] - before_[tail]));
            return count <= cap;
        });
        return count;
    }

    // A bound with at least `needed` pairs of |D| within it, from each row's nearest pair.
    double nearBound(std::uint64_t needed) const {
        CandidateBound<false> nearest(needed);
        std::size_t next = 0;  // the first group of set 2 beyond the row's projection
        for (ProjectedGroup const& row : a_) {
            while (next < b_.size() && b_[next].projection <= row.projection) {
                ++next;
            }
            if (next > 0) {
                nearest.offer(std::fabs(row.projection - b_[next - 1].projection),
                              pairsOf(row, b_[next - 1]));
            }
            if (next < b_.size()) {
                nearest.offer(std::fabs(row.projection - b_[next].projection),
                              pairsOf(row, b_[next]));
            }
        }
        return nearest.bound();
    }

    // A bound with at least `needed` pairs of |D| beyond it, from each row's farthest pairs.
    double farBound(std::uint64_t needed) const {
        CandidateBound<true> farthest(needed);
        for (ProjectedGroup const& row : a_) {
            farthest.offer(std::fabs(row.projection - b_.front().projection),
                           pairsOf(row, b_.front()));
            if (b_.size() > 1) {
                farthest.offer(std::fabs(row.projection - b_.back().projection),
                               pairsOf(row, b_.back()));
            }
        }
        return farthest.bound();
    }

    // The smallest bound with at least `needed` pairs within it, or the first bound the
    // bisection meets below `above` that takes in no more than twice as many.
    double tighterLowBound(std::uint64_t needed, double above) const {
        std::uint64_t const enough = 2 * needed;
        if (countWithin(0.0, enough) >= needed) {
            return 0.0;
        }
        std::uint64_t below = 0;  // too few within
        std::uint64_t upper = bitsOf(above);
        while (upper - below > 1) {
            std::uint64_t const middle = below + (upper - below) / 2;
            std::uint64_t const count = countWithin(fromBits(middle), enough);
            if (count >= needed) {
                upper = middle;
                if (count <= enough) {
                    break;
                }
            } else {
                below = middle;
            }
        }
        return fromBits(upper);
    }

    // The largest bound with at least `needed` pairs beyond it, or the first the bisection meets
    // above `below` that takes in no more than twice as many.
    double tighterHighBound(std::uint64_t needed, double below) const {
        std::uint64_t const enough = 2 * needed;
        double const widest = this->widest();
        if (countBeyond(widest, enough) >= needed) {
            return widest;
        }
        std::uint64_t lower = bitsOf(below);   // enough beyond
        std::uint64_t above = bitsOf(widest);  // too few beyond
        while (above - lower > 1) {
            std::uint64_t const middle = lower + (above - lower) / 2;
            std::uint64_t const count = countBeyond(fromBits(middle), enough);
            if (count >= needed) {
                lower = middle;
                if (count <= enough) {
                    break;
                }
            } else {
                above = middle;
            }
        }
        return fromBits(lower);
    }

    ProjectedGroup const& first(std::size_t i) const { return a_[i]; }
    ProjectedGroup const& second(std::size_t j) const { return b_[j]; }
    std::size_t rows() const { return a_.size(); }
    std::size_t columns() const { return b_.size(); }

private:
    Groups const& a_;
    Groups const& b_;
    std::vector<std::uint64_t> before_;  // before_[j]: the points of set 2 in groups before j
    std::uint64_t points1_ = 0;
};

// Both sets as the pair values read them.
struct PairValues {
    PointView points1, points2;
    Vector3 m;

    double operator()(ProjectedGroup const& g1, ProjectedGroup const& g2) const {
        return pairValue(points1[g1.index], points2[g2.index], m);
    }
};

// Offers the pairs of groups within (beyond, for the largest) the window to the selection, each
// value as often as its pairs occur; false, with the selection incomplete, once more than
// `most` pairs of groups have been offered.
bool offerWithin(ProjectionPairs const& pairs, PairValues const& value, double window,
                 std::uint64_t most, SmallestValues& smallest) {
    std::uint64_t listed = 0;
    pairs.within(window, [&](std::size_t i, std::size_t first, std::size_t end) {
        listed += end - first;
        if (listed > most) {
            return false;
        }
        ProjectedGroup const& g1 = pairs.first(i);
        for (std::size_t j = first; j < end; ++j) {
            ProjectedGroup const& g2 = pairs.second(j);
            smallest.offer(value(g1, g2), pairsOf(g1, g2));
        }
        return true;
    });
    return listed <= most;
}

bool offerBeyond(ProjectionPairs const& pairs, PairValues const& value, double window,
                 std::uint64_t most, LargestValues& largest) {
    std::uint64_t listed = 0;
    std::size_t const columns = pairs.columns();
    pairs.beyond(window, [&](std::size_t i, std::size_t head, std::size_t tail) {
        listed += head + (columns - tail);
        if (listed > most) {
            return false;
        }
        ProjectedGroup const& g1 = pairs.first(i);
        auto const offer = [&](std::size_t j) {
            ProjectedGroup const& g2 = pairs.second(j);
            largest.offer(value(g1, g2), pairsOf(g1, g2));
        };
        for (std::size_t j = 0; j < head; ++j) {
            offer(j);
        }
        for (std::size_t j = tail; j < columns; ++j) {
            offer(j);
        }
        return true;
    });
    return listed <= most;
}

// Pairs of groups listed at once from the first bound: beyond this many (and beyond a few per
// value needed) the bound is tightened first.
constexpr std::uint64_t kListedAtOnce = 64;
constexpr std::uint64_t kListedPerValue = 4;

}  // namespace

ExtremeAverages groupedPairGapAverages(PointView points1,
                                       std::vector<ProjectedGroup> const& groups1,
                                       PointView points2,
                                       std::vector<ProjectedGroup> const& groups2, Vector3 const& m,
                                       double window, int trim, int average) {
    ProjectionPairs const pairs(groups1, groups2);
    PairValues const value{points1, points2, m};
    std::uint64_t const needed = static_cast<std::uint64_t>(trim) + average;
    std::size_t const kept = static_cast<std::size_t>(needed);
    // Values that tie or crowd so widely that the windows take in half of all pairs of groups:
    // one pass over every pair of groups costs less than listing them.
    std::uint64_t const budget = static_cast<std::uint64_t>(pairs.rows()) * pairs.columns() / 2;
    std::uint64_t const atOnce = kListedAtOnce + kListedPerValue * needed;

    SmallestValues smallest(kept);
    double const nearBound = pairs.nearBound(needed);
    bool listed = offerWithin(pairs, value, nearBound + window, atOnce, smallest);
    if (!listed) {
        smallest = SmallestValues(kept);
        listed = offerWithin(pairs, value, pairs.tighterLowBound(needed, nearBound) + window,
                             budget, smallest);
    }
    LargestValues largest(kept);
    if (listed) {
        double const farBound = pairs.farBound(needed);
        double highWindow = farBound - window;
        listed = highWindow > 0.0 && offerBeyond(pairs, value, highWindow, atOnce, largest);
        if (!listed) {
            largest = LargestValues(kept);
            highWindow = pairs.tighterHighBound(needed, farBound) - window;
            listed = highWindow > 0.0 && offerBeyond(pairs, value, highWindow, budget, largest);
        }
    }
    if (!listed) {
        smallest = SmallestValues(kept);
        largest = LargestValues(kept);
        for (std::size_t i = 0; i < pairs.rows(); ++i) {
            ProjectedGroup const& g1 = pairs.first(i);
            for (std::size_t j = 0; j < pairs.columns(); ++j) {
                ProjectedGroup const& g2 = pairs.second(j);
                double const v = value(g1, g2);
                smallest.offer(v, pairsOf(g1, g2));
                largest.offer(v, pairsOf(g1, g2));
            }
        }
    }
    return averagesFromEnds(smallest, largest, trim, average);
}

ExtremeAverages pairGapAverages(std::vector<Vector3> const& set1, std::vector<Vector3> const& set2,
                                Vector3 const& m, int trim, int average) {
    PointView const points1(set1.data()), points2(set2.data());
    Groups groups1, groups2, scratch;
    ProjectedBox box{set1[0], set1[0], withinLimit(m, kWindowDirectionLimit)};
    projectPoints(points1, set1.size(), set1[0], m, groups1, box);
    projectPoints(points2, set2.size(), set1[0], m, groups2, box);
    if (!box.inRange) {
        return averageEveryPair(set1, set2, m, trim, average);
    }
    // Across a vertical line there is no measuring direction: every value of finite points is
    // |(0 + 0) + 0| = 0, and so are both averages.
    if (m[0] == 0.0 && m[1] == 0.0 && m[2] == 0.0) {
        return {0.0, 0.0};
    }
    sortAndMerge(groups1, points1, m, scratch);
    sortAndMerge(groups2, points2, m, scratch);
    return groupedPairGapAverages(points1, groups1, points2, groups2, m,
                                  roundingWindow(box.low, box.high, m), trim, average);
}

}  // namespace tavrisk
