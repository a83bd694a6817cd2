// SPDX-License-Identifier: MIT
#include "api/dist_result.h"

#include <cmath>

#include "api/convert.h"

namespace tavrisk {

void fillDistResult(gte::Vector3 point1, gte::Vector3 point2, gte_dist_result* out) {
    if (out == nullptr) {
        return;
    }
    double const dx = std::fabs(point1[0] - point2[0]);
    double const dy = std::fabs(point1[1] - point2[1]);
    double const dz = std::fabs(point1[2] - point2[2]);
    out->dx = dx;
    out->dy = dy;
    out->dz = dz;
    out->dxy = std::sqrt(dx * dx + dy * dy);
    out->dxz = std::sqrt(dx * dx + dz * dz);
    out->dyz = std::sqrt(dz * dz + dy * dy);
    out->dist = std::sqrt(dx * dx + dy * dy + dz * dz);
    out->point1 = toPointRecord(point1);
    out->point2 = toPointRecord(point2);
    out->direction = toVectorRecord(gte::Normalized(point2 - point1));
}

}  // namespace tavrisk
