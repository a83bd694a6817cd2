// SPDX-License-Identifier: MIT
#include "form/form_input.h"

#include <climits>
#include <cmath>

namespace tavrisk::form {

namespace {

bool admitted(double x) {
    double const magnitude = std::fabs(x);
    // NaN fails every comparison, an infinity the first.
    return magnitude <= kLargestCoordinate &&
           (magnitude == 0.0 || magnitude >= kSmallestNonzeroCoordinate);
}

}  // namespace

FormStatus checkFormInput(gte::Vector3 const* points, std::size_t count, std::size_t minimumCount,
                          int dimensions, BoundingBox& box) {
    if (points == nullptr || count < minimumCount) {
        return FormStatus::kTooFewPoints;
    }
    if (count > static_cast<std::size_t>(INT_MAX)) {
        return FormStatus::kTooManyPoints;
    }
    bool outOfRange = false;
    BoundingBox found;
    found.low = points[0];
    found.high = points[0];
    for (std::size_t i = 0; i < count; ++i) {
        for (int k = 0; k < dimensions; ++k) {
            double const x = points[i][k];
            if (!std::isfinite(x)) {
                return FormStatus::kNonFinite;
            }
            outOfRange = outOfRange || !admitted(x);
            found.low[k] = x < found.low[k] ? x : found.low[k];
            found.high[k] = x > found.high[k] ? x : found.high[k];
        }
    }
    if (outOfRange) {
        return FormStatus::kOutOfRange;
    }
    for (int k = dimensions; k < 3; ++k) {
        found.low[k] = 0.0;
        found.high[k] = 0.0;
    }
    box = found;
    return FormStatus::kMeasured;
}

}  // namespace tavrisk::form
