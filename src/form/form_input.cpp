// SPDX-License-Identifier: MIT
#include "form/form_input.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tavrisk::form {

namespace {

bool admitted(double x) {
    double const magnitude = std::fabs(x);
    // NaN fails every comparison, an infinity the first.
    return magnitude <= kLargestCoordinate &&
           (magnitude == 0.0 || magnitude >= kSmallestNonzeroCoordinate);
}

std::uint64_t bitsOf(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// One pass over a scan of a million points must run at the speed of memory, so it has no branch
// on the data and no chain of comparisons: the box by minima and maxima, the sum in index order,
// and the magnitudes too small to admit or-ed together (zero when there is none). A NaN or an
// infinity makes its coordinate's sum non-finite; so may finite coordinates near the largest
// double, which the caller then tells apart point by point.
struct Scan {
    BoundingBox box;
    gte::Vector3 sum = gte::Vector3::zeroVector();
    std::uint64_t tooSmallBits = 0;
};

template <int Dimensions>
Scan scanOf(gte::Vector3 const* points, std::size_t count) {
    Scan scan;
    double low[Dimensions];
    double high[Dimensions];
    double sum[Dimensions];
    for (int k = 0; k < Dimensions; ++k) {
        low[k] = points[0][k];
        high[k] = points[0][k];
        sum[k] = 0.0;
    }
    std::uint64_t tooSmall = 0;
    for (std::size_t i = 0; i < count; ++i) {
        for (int k = 0; k < Dimensions; ++k) {
            double const x = points[i][k];
            double const magnitude = std::fabs(x);
            tooSmall |= bitsOf(magnitude < kSmallestNonzeroCoordinate ? magnitude : 0.0);
            low[k] = x < low[k] ? x : low[k];
            high[k] = x > high[k] ? x : high[k];
            sum[k] += x;
        }
    }
    for (int k = 0; k < Dimensions; ++k) {
        scan.box.low[k] = low[k];
        scan.box.high[k] = high[k];
        scan.sum[k] = sum[k];
    }
    scan.tooSmallBits = tooSmall;
    return scan;
}

// The verdict point by point, for the rare set whose sums left the finite doubles: a non-finite
// coordinate anywhere outranks a finite one out of range.
FormStatus verdictByPoint(gte::Vector3 const* points, std::size_t count, int dimensions) {
    bool outOfRange = false;
    for (std::size_t i = 0; i < count; ++i) {
        for (int k = 0; k < dimensions; ++k) {
            double const x = points[i][k];
            if (!std::isfinite(x)) {
                return FormStatus::kNonFinite;
            }
            outOfRange = outOfRange || !admitted(x);
        }
    }
    return outOfRange ? FormStatus::kOutOfRange : FormStatus::kMeasured;
}

}  // namespace

FormStatus checkFormInput(gte::Vector3 const* points, std::size_t count, std::size_t minimumCount,
                          int dimensions, FormInput& input) {
    if (points == nullptr || count < minimumCount) {
        return FormStatus::kTooFewPoints;
    }
    if (count > static_cast<std::size_t>(INT_MAX)) {
        return FormStatus::kTooManyPoints;
    }
    Scan const scan = dimensions == 2 ? scanOf<2>(points, count) : scanOf<3>(points, count);
    bool sumsFinite = true;
    bool inRange = scan.tooSmallBits == 0;
    for (int k = 0; k < dimensions; ++k) {
        sumsFinite = sumsFinite && std::isfinite(scan.sum[k]);
        inRange = inRange && admitted(scan.box.low[k]) && admitted(scan.box.high[k]);
    }
    if (!sumsFinite) {
        FormStatus const verdict = verdictByPoint(points, count, dimensions);
        if (verdict != FormStatus::kMeasured) {
            return verdict;
        }
    }
    if (!inRange) {
        return FormStatus::kOutOfRange;
    }
    input.box = scan.box;
    input.sum = scan.sum;
    return FormStatus::kMeasured;
}

}  // namespace tavrisk::form
