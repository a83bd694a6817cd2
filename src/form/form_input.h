// SPDX-License-Identifier: MIT
// The checks every form measure makes before it computes: enough points, finite coordinates,
// magnitudes that the exact tests handle without overflow or underflow. The same pass gives the
// points' bounding box, which bounds the rounding errors of the filtered tests, and their sum,
// from which a fit takes the centroid.
#pragma once

#include <cstddef>

#include "form/form_types.h"
#include "gte/vector.h"

namespace tavrisk::form {

// The exact tests multiply up to six coordinate differences. Coordinates of at most 2^128 in
// magnitude keep such products far from overflow (2^774); nonzero coordinates of at least 2^-96
// make every nonzero difference a multiple of 2^-148 and every product a multiple of 2^-888,
// far from underflow. Zero is always admitted. No length unit in use comes near either bound.
constexpr double kLargestCoordinate = 0x1p128;
constexpr double kSmallestNonzeroCoordinate = 0x1p-96;

// What the check learns of admitted points, over the first `dimensions` coordinates (the others
// zero): their box, and their sum from the zero vector in index order (the one Centroid takes).
struct FormInput {
    BoundingBox box;
    gte::Vector3 sum = gte::Vector3::zeroVector();
};

// kMeasured when there are at least minimumCount points, at most an int's worth, each
// coordinate among the first `dimensions` (2 for measures seen from above, 3 otherwise) finite
// and in range; input is written then.
FormStatus checkFormInput(gte::Vector3 const* points, std::size_t count, std::size_t minimumCount,
                          int dimensions, FormInput& input);

}  // namespace tavrisk::form
