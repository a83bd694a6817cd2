// SPDX-License-Identifier: MIT
// What the form measures share: why a set of points was refused, and the support points, the
// points that touch a zone's boundary and fix where it lies.
#pragma once

#include <array>
#include <cstddef>

#include "gte/vector.h"

namespace tavrisk::form {

enum class FormStatus {
    kMeasured,
    kTooFewPoints,   // fewer points than the measure needs
    kTooManyPoints,  // more points than an int counts (the fits count in ints)
    kNonFinite,      // a coordinate is NaN or infinite
    kOutOfRange,     // a coordinate outside the magnitudes the exact tests cover (form_input.h)
    kNoCentre,       // roundness: the points do not go round a centre (collinear, or an arc
                     // so flat that the zone runs away to a straight one)
};

// The smallest box with faces along the axes that holds a set of points.
struct BoundingBox {
    gte::Vector3 low = gte::Vector3::zeroVector();
    gte::Vector3 high = gte::Vector3::zeroVector();
};

// Which boundary of a zone a support point touches: the lower plane or line (in the sense of
// the zone's normal) or the inner circle, the upper plane or line or the outer circle.
enum class Contact { kLow, kHigh };

struct SupportPoint {
    std::size_t index = 0;  // into the caller's points
    gte::Vector3 point = gte::Vector3::zeroVector();
    Contact contact = Contact::kLow;
};

// At most four points fix a zone: three and one, two and two, or fewer when it degenerates.
struct Supports {
    std::array<SupportPoint, 4> points{};
    int count = 0;

    void add(std::size_t index, gte::Vector3 const& point, Contact contact) {
        if (count < static_cast<int>(points.size())) {
            points[static_cast<std::size_t>(count++)] = SupportPoint{index, point, contact};
        }
    }
};

// How the support points of a flatness zone lie.
enum class FlatnessConfiguration {
    kThreePlusOne,  // three support points on one plane, one on the other
    kTwoPlusTwo,    // two on each plane, along crossing lines
    kCoplanar,      // every point on one plane: width zero, the plane through three supports
    kCollinear,     // every point on one line: width zero, the plane's turn about it undefined
    kCoincident,    // every point the same: width zero, no plane defined
};

}  // namespace tavrisk::form
