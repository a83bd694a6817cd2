// Nearest nominal point by a k-d tree with exact pruning.
//
// A subtree is skipped only when no point in it can come before the best point found so far in
// the order of the scan: a smaller squared distance, or an equal one at a smaller index. The
// bound that decides it is the squared distance to the subtree's box, computed with the same
// operations as a point's: dx = x - edge when x lies beyond the edge (0 inside), then
// dx * dx + dy * dy. Rounding is monotone, so for every point of the box fl(x - n.x) lies at
// least as far from 0 as fl(x - edge), its square is at least as large, and so is the sum: the
// box's bound never exceeds the distance the scan computes for any point in it, overflow to
// infinity included. A subtree whose bound exceeds the best distance is skipped; one whose bound
// equals it only when all its indices are larger than the best index.
//
// Points that are not finite stay out of the tree: for a finite measured point their distance is
// infinite (an infinite coordinate) or not a number (a NaN coordinate), so the scan's answer
// follows from the first index of each kind. For a measured point with a coordinate that is not
// finite every distance is infinite or undefined, and the answer follows from the same indices.
#include "measure/nearest_nominal.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace tavrisk {

namespace {

// Points per leaf: small enough to keep leaf scans short, large enough to keep the tree shallow.
constexpr int kLeafSize = 8;

struct Entry {
    double x, y;
    int index;
};

void keepFirst(int& first, int index) {
    if (first < 0) {
        first = index;
    }
}

// How far v lies beyond [low, high] on one axis, as the scan subtracts a coordinate; 0 inside.
double beyond(double v, double low, double high) {
    if (v < low) {
        return v - low;
    }
    if (v > high) {
        return v - high;
    }
    return 0.0;
}

}  // namespace

NearestNominal::NearestNominal(gte_point const* nominal, int count) {
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        double const x = nominal[j].x;
        double const y = nominal[j].y;
        if (std::isfinite(x) && std::isfinite(y)) {
            entries.push_back({x, y, j});
        } else if (std::isnan(x) || std::isnan(y)) {
            keepFirst(firstUndefined_, j);
        } else {
            keepFirst(firstInfinite_, j);
            if (std::isinf(x)) {
                keepFirst(firstX_[x > 0.0 ? 0 : 1], j);
            }
            if (std::isinf(y)) {
                keepFirst(firstY_[y > 0.0 ? 0 : 1], j);
            }
        }
    }
    std::size_t const n = entries.size();
    xs_.resize(n);
    ys_.resize(n);
    indices_.resize(n);
    if (n == 0) {
        return;
    }
    nodes_.reserve(2 * n / kLeafSize + 2);
    // Sorts the entries into tree order in place, then lays them out by coordinate.
    struct Builder {
        std::vector<Entry>& entries;
        std::vector<Node>& nodes;

        int operator()(int begin, int end) {
            Node node;
            node.xLow = node.xHigh = entries[begin].x;
            node.yLow = node.yHigh = entries[begin].y;
            node.smallestIndex = entries[begin].index;
            for (int i = begin + 1; i < end; ++i) {
                Entry const& e = entries[i];
                node.xLow = std::min(node.xLow, e.x);
                node.xHigh = std::max(node.xHigh, e.x);
                node.yLow = std::min(node.yLow, e.y);
                node.yHigh = std::max(node.yHigh, e.y);
                node.smallestIndex = std::min(node.smallestIndex, e.index);
            }
            node.begin = begin;
            node.end = end;
            node.lower = node.upper = -1;
            int const id = static_cast<int>(nodes.size());
            nodes.push_back(node);
            if (end - begin <= kLeafSize) {
                return id;
            }
            // Split the wider side at the median. Widths are compared halved so that a range of
            // finite coordinates cannot overflow.
            bool const alongX = node.xHigh / 2 - node.xLow / 2 >= node.yHigh / 2 - node.yLow / 2;
            int const middle = begin + (end - begin) / 2;
            std::nth_element(entries.begin() + begin, entries.begin() + middle,
                             entries.begin() + end, [alongX](Entry const& a, Entry const& b) {
                                 return alongX ? a.x < b.x : a.y < b.y;
                             });
            int const lower = (*this)(begin, middle);
            int const upper = (*this)(middle, end);
            nodes[id].lower = lower;
            nodes[id].upper = upper;
            return id;
        }
    };
    Builder{entries, nodes_}(0, static_cast<int>(n));
    for (std::size_t i = 0; i < n; ++i) {
        xs_[i] = entries[i].x;
        ys_[i] = entries[i].y;
        indices_[i] = entries[i].index;
    }
}

int NearestNominal::nearestTo(gte_point const& measured) {
    if (std::isfinite(measured.x) && std::isfinite(measured.y)) {
        return nearestToFinite(measured.x, measured.y);
    }
    previous_ = -1;
    return nearestToUnbounded(measured.x, measured.y);
}

int NearestNominal::nearestToFinite(double x, double y) {
    if (firstUndefined_ >= 0) {
        return firstUndefined_;
    }
    double best = std::numeric_limits<double>::infinity();
    int bestIndex = INT_MAX;
    int bestPosition = -1;
    auto consider = [&](int position) {
        double const dx = x - xs_[position];
        double const dy = y - ys_[position];
        double const s = dx * dx + dy * dy;
        int const index = indices_[position];
        if (s < best || (s == best && index < bestIndex)) {
            best = s;
            bestIndex = index;
            bestPosition = position;
        }
    };
    auto bound = [&](Node const& node) {
        double const dx = beyond(x, node.xLow, node.xHigh);
        double const dy = beyond(y, node.yLow, node.yHigh);
        return dx * dx + dy * dy;
    };
    auto mayHoldBetter = [&](Node const& node, double nodeBound) {
        return nodeBound < best || (nodeBound == best && node.smallestIndex < bestIndex);
    };

    if (previous_ >= 0) {
        consider(previous_);
    }
    if (!nodes_.empty()) {
        stack_.clear();
        stack_.push_back(0);
        while (!stack_.empty()) {
            Node const& node = nodes_[static_cast<std::size_t>(stack_.back())];
            stack_.pop_back();
            if (!mayHoldBetter(node, bound(node))) {
                continue;
            }
            if (node.lower < 0) {
                for (int position = node.begin; position < node.end; ++position) {
                    consider(position);
                }
                continue;
            }
            // The nearer child is searched first; the farther one waits on the stack and is
            // checked again when its turn comes, against what the nearer one found.
            double const lowerBound = bound(nodes_[static_cast<std::size_t>(node.lower)]);
            double const upperBound = bound(nodes_[static_cast<std::size_t>(node.upper)]);
            if (lowerBound <= upperBound) {
                stack_.push_back(node.upper);
                stack_.push_back(node.lower);
            } else {
                stack_.push_back(node.lower);
                stack_.push_back(node.upper);
            }
        }
    }
    previous_ = bestPosition;
    // Infinite nominal coordinates are infinitely far: they win only ties at infinity.
    if (firstInfinite_ >= 0 && best == std::numeric_limits<double>::infinity() &&
        firstInfinite_ < bestIndex) {
        previous_ = -1;
        return firstInfinite_;
    }
    return bestIndex;
}

int NearestNominal::nearestToUnbounded(double x, double y) const {
    // Every distance is undefined: the first is taken and kept.
    if (std::isnan(x) || std::isnan(y)) {
        return 0;
    }
    // Every distance is infinite, except those that subtract an infinity from itself or involve
    // a nominal NaN: the first of these is kept, and without any the first distance stands.
    int first = firstUndefined_;
    auto earlier = [&first](int index) {
        if (index >= 0 && (first < 0 || index < first)) {
            first = index;
        }
    };
    if (std::isinf(x)) {
        earlier(firstX_[x > 0.0 ? 0 : 1]);
    }
    if (std::isinf(y)) {
        earlier(firstY_[y > 0.0 ? 0 : 1]);
    }
    return first < 0 ? 0 : first;
}

}  // namespace tavrisk
