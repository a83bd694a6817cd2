// SPDX-License-Identifier: MIT
// Reading measured points: a point file, or standard input, with the library's own reader.
#pragma once

#include <string>
#include <vector>

#include "gte/vector.h"
#include "tavrisk.h"

namespace tavrisk_tool {

// The name a path goes by in messages and captions: "standard input" for "-".
std::string displayName(std::string const& path);

// The points of the file at path ("-": standard input, read whole into a private temporary file
// first), by the rules the library's flatness export reads them. Throws FileProblem, naming the
// file and the reason, when the file cannot be read as points.
std::vector<gte::Vector3> readPoints(std::string const& path);

// Refuses more points than one call of an export takes (its count is an int).
void requireOneCall(std::size_t count);

// The points as interface records, for the exports; refuses more points than one call takes.
std::vector<gte_point> toRecords(std::vector<gte::Vector3> const& points);

}  // namespace tavrisk_tool
