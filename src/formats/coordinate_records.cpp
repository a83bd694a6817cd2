// SPDX-License-Identifier: MIT
#include "formats/coordinate_records.h"

#include <cmath>
#include <string>

#include "formats/format_refusal.h"

namespace tavrisk {
namespace formats {

bool readCoordinateRecords(unsigned char const* records, std::size_t count,
                           CoordinateLayout const& layout, std::vector<gte::Vector3>& points,
                           FormatProblem& problem, char const* format, char const* pointName) {
    points.reserve(points.size() + count);
    unsigned char const* record = records;
    for (std::size_t index = 0; index < count; ++index, record += layout.recordBytes) {
        gte::Vector3 const point(
            loadScalar(layout.types[0], layout.order, record + layout.offsets[0]),
            loadScalar(layout.types[1], layout.order, record + layout.offsets[1]),
            loadScalar(layout.types[2], layout.order, record + layout.offsets[2]));
        if (!takeFinitePoint(point, index, points, problem, format, pointName)) {
            return false;
        }
    }
    return true;
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
