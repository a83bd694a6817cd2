// SPDX-License-Identifier: MIT
// Reader of point text files: coordinates as text, three values to a point.
//
// Values are runs of bytes between separators (space, comma, line feed, carriage return, tab);
// a run of separators ends a value, and so does the end of the file. A UTF-8 byte order mark at
// the very start of the file is skipped. Each three values in a row make a point.
//
// A file is accepted only when every value is a whole finite number as atof reads it in the "C"
// locale (the conversion takes every character of the value), no value is longer than
// kMaxPointValueLength characters, and the values make whole points, at least one. Only the
// bytes the file held when it was opened are read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gte/vector.h"
#include "pointtext/point_file_problem.h"

namespace tavrisk {

// The problem in words for a person: "missing", "not a number at line 3: 'x'", ...
std::string describe(PointFileProblem const& problem);

// How far a reading has gone, for a caller that shows progress on a long file. report is told
// the bytes read so far and the size the file had at open: after about every
// kPointFileProgressStep bytes and once more when every byte is read. It must not throw.
struct PointFileProgress {
    void (*report)(std::uint64_t bytesRead, std::uint64_t totalBytes, void* context) = nullptr;
    void* context = nullptr;
};

constexpr std::uint64_t kPointFileProgressStep = 4u << 20;

// Empties points, then appends the points of the file at path in file order and returns true.
// Returns false, with points empty, when the file is refused; problem, when given, then says why
// (it is reset to kind none on success). progress, when given, is told how far the reading has
// gone; it changes nothing in the result. sum, when given, receives on success the sum of the
// points from the zero vector in file order, the sum gte::Centroid takes.
bool readPointFile(char const* path, std::vector<gte::Vector3>& points,
                   PointFileProblem* problem = nullptr, PointFileProgress const* progress = nullptr,
                   gte::Vector3* sum = nullptr);

}  // namespace tavrisk
