// SPDX-License-Identifier: MIT
// The nominal point nearest in XY to a measured point, through a k-d tree over the nominal
// points instead of a scan of all of them.
#pragma once

#include <vector>

#include "tavrisk.h"

namespace tavrisk {

// Answers exactly what the scan of the nominal points in index order answers: the index with the
// smallest squared distance s = dx * dx + dy * dy, dx = m.x - n.x and dy = m.y - n.y, the first of
// equal distances; the first distance is taken whatever it is, and a distance that is not a
// number is taken at once and kept (it is the first such index then).
class NearestNominal {
public:
    // Needs count >= 1; keeps no pointer to the points. Allocates (may throw).
    NearestNominal(gte_point const* nominal, int count);

    // Queries for neighbouring measured points are fastest in turn: each starts around the
    // previous answer.
    int nearestTo(gte_point const& measured);

private:
    struct Node {
        double xLow, xHigh, yLow, yHigh;  // the box of the points below the node
        int smallestIndex;                // the smallest nominal index below the node
        int begin, end;                   // the node's points in the tree order
        int lower, upper;                 // children, or -1 for a leaf
        int parent;                       // -1 for the root
    };
    // A finite nominal point in tree order.
    struct Site {
        double x, y;
        int index;  // in the nominal array
        int leaf;   // the node that holds it
    };
    struct Best;

    int nearestToFinite(double x, double y);
    int nearestToUnbounded(double x, double y) const;
    void search(int node, double x, double y, Best& best);

    std::vector<Site> sites_;
    std::vector<Node> nodes_;  // the root first
    int previous_ = -1;        // position in tree order of the last answer, if finite

    // First indices of nominal points that are not finite, -1 for none: a coordinate that is not
    // a number, an x of +inf or -inf, a y of +inf or -inf, and any infinite coordinate.
    int firstUndefined_ = -1;
    int firstX_[2] = {-1, -1};
    int firstY_[2] = {-1, -1};
    int firstInfinite_ = -1;
};

}  // namespace tavrisk
