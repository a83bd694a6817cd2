// SPDX-License-Identifier: MIT
// Points from binary records of one size, with x, y and z at the same places in each: the
// vertices of a PLY file without lists and the points of a binary PCD file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/format_problem.h"
#include "formats/scalar_type.h"
#include "gte/vector.h"

namespace tavrisk {
namespace formats {

struct CoordinateLayout {
    std::size_t recordBytes = 0;
    std::size_t offsets[3] = {0, 0, 0};  // of x, y and z in a record
    ScalarType types[3] = {ScalarType::float32, ScalarType::float32, ScalarType::float32};
    ByteOrder order = ByteOrder::little;
};

// Appends the points of count records from records on (count * layout.recordBytes bytes, which
// the caller has checked are there). A point with a coordinate that is not finite is refused
// by its index; format and pointName ("PLY", "vertex") name it.
bool readCoordinateRecords(unsigned char const* records, std::size_t count,
                           CoordinateLayout const& layout, std::vector<gte::Vector3>& points,
                           FormatProblem& problem, char const* format, char const* pointName);

// Whether the point's coordinates are finite; refuses it by its index otherwise.
bool finitePoint(gte::Vector3 const& point, std::uint64_t index, FormatProblem& problem,
                 char const* format, char const* pointName);

// Appends the point when its coordinates are finite; refuses it by its index otherwise.
bool takeFinitePoint(gte::Vector3 const& point, std::uint64_t index,
                     std::vector<gte::Vector3>& points, FormatProblem& problem, char const* format,
                     char const* pointName);

}  // namespace formats
}  // namespace tavrisk
