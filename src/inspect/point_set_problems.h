// SPDX-License-Identifier: MIT
// Why a measure of a point set given in memory refused it, as the problem record says it.
#pragma once

#include <cstddef>

#include "tavrisk_inspect.h"

namespace tavrisk {

// Fewer points than the measure (named for the message: "a plane") takes.
tvi_problem tooFewPoints(std::size_t count, std::size_t fewest, char const* fitted);

// More points than the measure counts.
tvi_problem tooManyPoints(std::size_t count, std::size_t most);

// The first point with a coordinate that is infinite or NaN, named by number and coordinate;
// false when every coordinate is finite.
bool firstNotFinite(gte_point const* points, std::size_t count, tvi_problem& problem);

// The result record's size field differs from the size this library writes.
tvi_problem unknownResultSize(char const* record);

}  // namespace tavrisk
