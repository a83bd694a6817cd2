// Reader of point text files: coordinates as text, three values to a point.
#pragma once

#include <vector>

#include "gte/vector.h"

namespace tavrisk {

// Empties points, then appends the points of the file at path in file order and returns 0.
// Returns -1, with points empty, when path is null, the file is missing, locked by another
// reader, empty, not a regular file, cannot be read, or yields no complete point.
//
// Values are runs of bytes between separators (space, comma, line feed, carriage return, tab);
// a value counts only when a separator follows it, and each three values in a row make a point.
// A value reads as atof reads it in the "C" locale.
int readPointFile(char const* path, std::vector<gte::Vector3>& points);

}  // namespace tavrisk
