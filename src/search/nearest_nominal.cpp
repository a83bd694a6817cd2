// SPDX-License-Identifier: MIT
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
#include "search/nearest_nominal.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace tavrisk {

namespace {

// Points per leaf: small enough to keep leaf scans short, large enough to keep the tree shallow.
constexpr int kLeafSize = 8;

// Deeper than any tree of at most 2^31 points in leaves of kLeafSize: the search keeps one
// waiting node per level and the one it takes.
constexpr int kMaxDepth = 64;

void keepFirst(int& first, int index) {
    if (first < 0) {
        first = index;
    }
}

// How far v lies outside [low, high] on one axis, 0 inside. Beyond an edge this is the magnitude
// of fl(v - edge), which is what the scan squares (a rounded difference only changes sign when
// its operands swap); it is written without branches, as the largest of three values.
double outside(double v, double low, double high) {
    return std::max(std::max(low - v, v - high), 0.0);
}

}  // namespace

NearestNominal::NearestNominal(gte_point const* nominal, int count) {
    std::vector<Site>& sites = sites_;
    sites.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        double const x = nominal[j].x;
        double const y = nominal[j].y;
        if (std::isfinite(x) && std::isfinite(y)) {
            sites.push_back({x, y, j, -1});
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
    std::size_t const n = sites.size();
    if (n == 0) {
        return;
    }
    nodes_.reserve(2 * n / kLeafSize + 2);
    // Puts the sites of [begin, end) into tree order: split at the median across the wider side
    // of the box, which is estimated from the parent's and made tight once the children are
    // built. Returns the node.
    struct Builder {
        std::vector<Site>& sites;
        std::vector<Node>& nodes;

        int operator()(int begin, int end, int parent, double width, double height) {
            int const id = static_cast<int>(nodes.size());
            nodes.push_back(Node{});
            Node node;
            node.begin = begin;
            node.end = end;
            node.parent = parent;
            node.lower = node.upper = -1;
            if (end - begin <= kLeafSize) {
                node.xLow = node.xHigh = sites[begin].x;
                node.yLow = node.yHigh = sites[begin].y;
                node.smallestIndex = sites[begin].index;
                for (int i = begin; i < end; ++i) {
                    Site& site = sites[i];
                    node.xLow = std::min(node.xLow, site.x);
                    node.xHigh = std::max(node.xHigh, site.x);
                    node.yLow = std::min(node.yLow, site.y);
                    node.yHigh = std::max(node.yHigh, site.y);
                    node.smallestIndex = std::min(node.smallestIndex, site.index);
                    site.leaf = id;
                }
                nodes[id] = node;
                return id;
            }
            bool const alongX = width >= height;
            int const middle = begin + (end - begin) / 2;
            std::nth_element(
                sites.begin() + begin, sites.begin() + middle, sites.begin() + end,
                [alongX](Site const& a, Site const& b) { return alongX ? a.x < b.x : a.y < b.y; });
            double const childWidth = alongX ? width / 2 : width;
            double const childHeight = alongX ? height : height / 2;
            node.lower = (*this)(begin, middle, id, childWidth, childHeight);
            node.upper = (*this)(middle, end, id, childWidth, childHeight);
            Node const& a = nodes[node.lower];
            Node const& b = nodes[node.upper];
            node.xLow = std::min(a.xLow, b.xLow);
            node.xHigh = std::max(a.xHigh, b.xHigh);
            node.yLow = std::min(a.yLow, b.yLow);
            node.yHigh = std::max(a.yHigh, b.yHigh);
            node.smallestIndex = std::min(a.smallestIndex, b.smallestIndex);
            nodes[id] = node;
            return id;
        }
    };
    // Widths are taken halved so that a range of finite coordinates cannot overflow.
    double xLow = sites[0].x, xHigh = sites[0].x, yLow = sites[0].y, yHigh = sites[0].y;
    for (Site const& site : sites) {
        xLow = std::min(xLow, site.x);
        xHigh = std::max(xHigh, site.x);
        yLow = std::min(yLow, site.y);
        yHigh = std::max(yHigh, site.y);
    }
    Builder{sites, nodes_}(0, static_cast<int>(n), -1, xHigh / 2 - xLow / 2, yHigh / 2 - yLow / 2);
}

int NearestNominal::nearestTo(gte_point const& measured) {
    if (std::isfinite(measured.x) && std::isfinite(measured.y)) {
        return nearestToFinite(measured.x, measured.y);
    }
    previous_ = -1;
    return nearestToUnbounded(measured.x, measured.y);
}

// The best point so far in the order of the scan.
struct NearestNominal::Best {
    double distance = std::numeric_limits<double>::infinity();
    int index = INT_MAX;
    int position = -1;

    // The squared distance to the node's box, never more than to any point in it.
    static double boundTo(Node const& node, double x, double y);
    // Whether the node may hold a point that comes before the best in the scan's order.
    bool mayImproveOn(Node const& node, double x, double y) const;
};

double NearestNominal::Best::boundTo(Node const& node, double x, double y) {
    double const dx = outside(x, node.xLow, node.xHigh);
    double const dy = outside(y, node.yLow, node.yHigh);
    return dx * dx + dy * dy;
}

bool NearestNominal::Best::mayImproveOn(Node const& node, double x, double y) const {
    double const nodeBound = boundTo(node, x, y);
    return nodeBound < distance || (nodeBound == distance && node.smallestIndex < index);
}

void NearestNominal::search(int root, double x, double y, Best& best) {
    int waiting[kMaxDepth];
    int size = 0;
    waiting[size++] = root;
    while (size > 0) {
        Node const& node = nodes_[static_cast<std::size_t>(waiting[--size])];
        if (!best.mayImproveOn(node, x, y)) {
            continue;
        }
        if (node.lower < 0) {
            for (int position = node.begin; position < node.end; ++position) {
                Site const& site = sites_[static_cast<std::size_t>(position)];
                double const dx = x - site.x;
                double const dy = y - site.y;
                double const s = dx * dx + dy * dy;
                int const index = site.index;
                if (s < best.distance || (s == best.distance && index < best.index)) {
                    best.distance = s;
                    best.index = index;
                    best.position = position;
                }
            }
            continue;
        }
        // The nearer child is searched first; the farther one waits on the stack and is checked
        // again when its turn comes, against what the nearer one found.
        Node const& lower = nodes_[static_cast<std::size_t>(node.lower)];
        Node const& upper = nodes_[static_cast<std::size_t>(node.upper)];
        if (Best::boundTo(lower, x, y) <= Best::boundTo(upper, x, y)) {
            waiting[size++] = node.upper;
            waiting[size++] = node.lower;
        } else {
            waiting[size++] = node.lower;
            waiting[size++] = node.upper;
        }
    }
}

int NearestNominal::nearestToFinite(double x, double y) {
    if (firstUndefined_ >= 0) {
        return firstUndefined_;
    }
    Best best;
    if (previous_ >= 0) {
        // Measured points come in order along the contour: start from the smallest node around
        // the previous answer whose box holds the point, seeded with that answer, then search the
        // other side of each node above it. Together these cover the tree once; the seed and the
        // point's own neighbourhood make the bounds bite early.
        std::size_t const seed = static_cast<std::size_t>(previous_);
        Site const& site = sites_[seed];
        double const dx = x - site.x;
        double const dy = y - site.y;
        best = {dx * dx + dy * dy, site.index, previous_};
        auto holds = [x, y](Node const& box) {
            return box.xLow <= x && x <= box.xHigh && box.yLow <= y && y <= box.yHigh;
        };
        int node = site.leaf;
        while (nodes_[static_cast<std::size_t>(node)].parent >= 0 &&
               !holds(nodes_[static_cast<std::size_t>(node)])) {
            node = nodes_[static_cast<std::size_t>(node)].parent;
        }
        search(node, x, y, best);
        for (int parent = nodes_[node].parent; parent >= 0; parent = nodes_[node].parent) {
            Node const& above = nodes_[static_cast<std::size_t>(parent)];
            int const other = above.lower == node ? above.upper : above.lower;
            if (best.mayImproveOn(nodes_[static_cast<std::size_t>(other)], x, y)) {
                search(other, x, y, best);
            }
            node = parent;
        }
    } else if (!nodes_.empty()) {
        search(0, x, y, best);
    }
    previous_ = best.position;
    // Infinite nominal coordinates are infinitely far: they win only ties at infinity.
    if (firstInfinite_ >= 0 && best.distance == std::numeric_limits<double>::infinity() &&
        firstInfinite_ < best.index) {
        previous_ = -1;
        return firstInfinite_;
    }
    return best.index;
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
