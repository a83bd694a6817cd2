// SPDX-License-Identifier: MIT
// The readings of a point set that a fitted segment needs, the line fit's sums and the points
// near either end along its direction, taken in two passes over the points instead of four.
#pragma once

#include <vector>

#include "gte/orthogonal_fit.h"
#include "gte/vector.h"
#include "search/extreme_pair.h"
#include "tavrisk.h"

namespace tavrisk {

class LineFitReading {
public:
    // Reads the points (count >= 2) twice: the first time for their sum and box, the second for
    // the fit's scatter and for the points whose projections onto an estimate of the fitted
    // direction, taken from a few thousand of them, lie near either end. Keeps the pointer.
    // Allocates (may throw).
    LineFitReading(gte_point const* points, int count);

    // The fit's sums: the mean and the scatter about it, in index order, as gte::Moments sums
    // them.
    gte::Moments const& moments() const { return moments_; }

    // farthestPairAlong(points, count, direction), the same pair on every input: from the points
    // kept when direction lies close enough to the estimate for them to hold every point near
    // either end along it (the fitted direction of ordinary sets does), else by reading again.
    PointPair farthestPair(gte::Vector3 const& direction) const;

private:
    struct Kept {
        double projection;  // onto the estimate, from the mean
        int index;
    };

    void keep(double projection, int index);
    void dropFarFromEnds();

    gte_point const* points_;
    int count_;
    gte::Moments moments_;
    gte::Vector3 low_, high_;  // the box of the coordinates
    bool estimated_ = false;   // the estimate and the box lie within the window's limits
    gte::Vector3 estimate_;    // of the fitted direction
    double reach_ = 0.0;       // the points kept lie this far from an end along the estimate
    double largest_ = 0.0, smallest_ = 0.0;  // projections onto the estimate
    std::vector<Kept> kept_;
    std::size_t dropAt_ = 0;  // the size of kept_ at which the far ones are dropped
};

}  // namespace tavrisk
