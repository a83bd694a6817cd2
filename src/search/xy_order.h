// SPDX-License-Identifier: MIT
// An order of points that keeps points near each other in XY near each other in the sequence.
#pragma once

#include <vector>

#include "tavrisk.h"

namespace tavrisk {

// The indices 0 to count - 1 sorted by the Z-order (Morton) key of each point's XY position in
// the box of the finite points, quantised to 2^16 steps a side; equal keys keep index order. A
// point with a coordinate that is not finite gets the key of the box's corner. The order changes
// no result: it lets a search that starts from its previous answer, such as the nearest nominal
// point's, stay short when the caller's points come in no particular order. Allocates (may
// throw).
std::vector<int> xyOrder(gte_point const* points, int count);

}  // namespace tavrisk
