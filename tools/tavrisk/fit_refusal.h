// SPDX-License-Identifier: MIT
// Why the library refused to fit a plane or a line to points, in words.
#pragma once

#include <string>
#include <vector>

#include "gte/vector.h"

namespace tavrisk_tool {

enum class Fitted { kPlane, kLine };

// The reason a fit of at least three points was refused, found by running the core's fit again:
// coordinates so large that its sums overflow, points so close together that they underflow,
// eigenvalues that tie, or (a plane whose fit succeeded) points that all lie along one line, so
// that no three of them span a plane.
std::string fitRefusal(std::vector<gte::Vector3> const& points, Fitted fitted);

}  // namespace tavrisk_tool
