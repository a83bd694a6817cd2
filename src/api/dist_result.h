// SPDX-License-Identifier: MIT
// The shared distance output record.
#pragma once

#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk {

// Writes the whole record for the pair (point1, point2): per-axis differences, the distances in
// the three coordinate planes and in space, both points and the unit direction point1 -> point2.
void fillDistResult(gte::Vector3 point1, gte::Vector3 point2, gte_dist_result* out);

}  // namespace tavrisk
