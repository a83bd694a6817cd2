// SPDX-License-Identifier: MIT
// The narrowest vertical zone of points (x, y, z): the tilt (a, b) that minimises
// max(z - a x - b y) - min(z - a x - b y), a linear programme in the tilt, the zone's height and
// its offset.
//
// It is solved in its dual form, a programme of three rows over the ordered pairs of points
// (upper i, lower j): maximise the sum of w_ij (z_i - z_j) subject to the sum of
// w_ij (x_i - x_j, y_i - y_j) being zero, the weights summing to one and none negative. The
// dual prices of a basis are the tilt and the height, and the most attractive pair to enter is
// always (the point highest above the tilted zone, the point lowest below it), found in one
// pass: the pairs never need listing. A basis holds three pairs; the points of the pairs with
// positive weight are the zone's supports, three above and one below (or the reverse) or two
// and two, the configurations minimum zones have.
#pragma once

#include <array>
#include <cstddef>

namespace tavrisk::form {

// A point of the problem: its position across the zone and its height.
struct ZonePoint {
    double x, y, z;
};

struct VerticalZone {
    bool solved = false;  // false: the positions are collinear or the iteration did not settle
    double tiltX = 0.0;   // the zone's planes are z = tiltX x + tiltY y + offset
    double tiltY = 0.0;
    double low = 0.0;   // the offsets of the lower and the upper plane
    double high = 0.0;  //
    // The basis: pair k puts point upper[k] on the upper plane and lower[k] on the lower one
    // (indices into the points), with weight[k] >= 0.
    std::array<std::size_t, 3> upper{};
    std::array<std::size_t, 3> lower{};
    std::array<double, 3> weight{};
};

// The narrowest vertical zone of count points. Needs three points whose positions (x, y) are
// not collinear.
VerticalZone narrowestVerticalZone(ZonePoint const* points, std::size_t count);

}  // namespace tavrisk::form
