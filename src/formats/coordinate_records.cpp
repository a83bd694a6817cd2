// SPDX-License-Identifier: MIT
#include "formats/coordinate_records.h"

#include <cmath>
#include <string>

#include "formats/format_refusal.h"

namespace tavrisk {
namespace formats {

namespace {

// Appends the points of the records, each coordinate loaded by load(record, axis); the first
// point that is not finite is refused.
template <class Load>
bool appendRecords(unsigned char const* records, std::size_t count, std::size_t recordBytes,
                   Load load, std::vector<gte::Vector3>& points, FormatProblem& problem,
                   char const* format, char const* pointName) {
    unsigned char const* record = records;
    for (std::size_t index = 0; index < count; ++index, record += recordBytes) {
        gte::Vector3 const point(load(record, 0), load(record, 1), load(record, 2));
        if (!(std::isfinite(point[0]) && std::isfinite(point[1]) && std::isfinite(point[2]))) {
            return finitePoint(point, index, problem, format, pointName);
        }
        points.push_back(point);
    }
    return true;
}

// The records of x, y and z of one type in one byte order, the layout nearly every file has:
// the type a constant of the loop, so that each value is one load.
template <ScalarType type, ByteOrder order>
bool appendUniformRecords(unsigned char const* records, std::size_t count,
                          CoordinateLayout const& layout, std::vector<gte::Vector3>& points,
                          FormatProblem& problem, char const* format, char const* pointName) {
    std::size_t const offsets[3] = {layout.offsets[0], layout.offsets[1], layout.offsets[2]};
    return appendRecords(
        records, count, layout.recordBytes,
        [&offsets](unsigned char const* record, int axis) {
            return loadScalar(type, order, record + offsets[axis]);
        },
        points, problem, format, pointName);
}

}  // namespace

bool readCoordinateRecords(unsigned char const* records, std::size_t count,
                           CoordinateLayout const& layout, std::vector<gte::Vector3>& points,
                           FormatProblem& problem, char const* format, char const* pointName) {
    points.reserve(points.size() + count);
    bool const uniform = layout.types[0] == layout.types[1] && layout.types[1] == layout.types[2];
    bool const little = layout.order == ByteOrder::little;
    if (uniform && layout.types[0] == ScalarType::float32) {
        return little ? appendUniformRecords<ScalarType::float32, ByteOrder::little>(
                            records, count, layout, points, problem, format, pointName)
                      : appendUniformRecords<ScalarType::float32, ByteOrder::big>(
                            records, count, layout, points, problem, format, pointName);
    }
    if (uniform && layout.types[0] == ScalarType::float64) {
        return little ? appendUniformRecords<ScalarType::float64, ByteOrder::little>(
                            records, count, layout, points, problem, format, pointName)
                      : appendUniformRecords<ScalarType::float64, ByteOrder::big>(
                            records, count, layout, points, problem, format, pointName);
    }
    return appendRecords(
        records, count, layout.recordBytes,
        [&layout](unsigned char const* record, int axis) {
            return loadScalar(layout.types[axis], layout.order, record + layout.offsets[axis]);
        },
        points, problem, format, pointName);
}

bool finitePoint(gte::Vector3 const& point, std::uint64_t index, FormatProblem& problem,
                 char const* format, char const* pointName) {
    for (int axis = 0; axis < 3; ++axis) {
        if (!std::isfinite(point[axis])) {
            return refusePoint(problem, FormatProblemKind::notFinite, index,
                               std::string(format) + ": coordinate " + kAxisNames[axis] + " of " +
                                   pointName + " index " + std::to_string(index) +
                                   " is not finite");
        }
    }
    return true;
}

bool takeFinitePoint(gte::Vector3 const& point, std::uint64_t index,
                     std::vector<gte::Vector3>& points, FormatProblem& problem, char const* format,
                     char const* pointName) {
    if (!finitePoint(point, index, problem, format, pointName)) {
        return false;
    }
    points.push_back(point);
    return true;
}

}  // namespace formats
}  // namespace tavrisk
