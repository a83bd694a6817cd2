// SPDX-License-Identifier: MIT
#include "search/plane_record.h"

#include <cmath>

namespace tavrisk {

using gte::Vector3;

namespace {

// Candidates for the plane record closer than this on every axis count as the same point.
constexpr double kSamePointTolerance = 0.001;
// Bound on the cross-to-sum ratios below which three points count as collinear.
constexpr double kCollinearRatio = 1e-8;

bool samePoint(Vector3 const& a, Vector3 const& b) {
    return std::fabs(a[0] - b[0]) < kSamePointTolerance &&
           std::fabs(a[1] - b[1]) < kSamePointTolerance &&
           std::fabs(a[2] - b[2]) < kSamePointTolerance;
}

// What one pair of cross terms of two edges (their products u1 v2 and u2 v1 in one coordinate
// plane) says about the edges: in line when the terms' difference is tiny against their sum. Two
// zero terms (an edge with no extent along u, or neither with any along v) say nothing.
enum class CrossTerms { inLine, apart, silent };

CrossTerms judgeCrossTerms(double t1, double t2) {
    double const difference = t1 - t2;
    double const sum = t1 + t2;
    if (difference == 0.0 && sum == 0.0) {
        return CrossTerms::silent;
    }
    // A zero sum under a non-zero difference is an infinite ratio: the edges are apart.
    return std::fabs(difference / sum) < kCollinearRatio ? CrossTerms::inLine : CrossTerms::apart;
}

}  // namespace

// Collinearity by the xy and xz cross terms of the edges b - a and c - b. When one of the two
// planes is silent and the other does not find the edges apart (edges in a plane z = const,
// along the y or z axis, in a plane x = const), the sine of the angle between the edges decides,
// held to the same bound.
bool collinear(Vector3 const& a, Vector3 const& b, Vector3 const& c) {
    if (samePoint(a, b) || samePoint(a, c) || samePoint(b, c)) {
        return true;
    }
    Vector3 const d1 = b - a;
    Vector3 const d2 = c - b;
    CrossTerms const xy = judgeCrossTerms(d1[0] * d2[1], d2[0] * d1[1]);
    CrossTerms const xz = judgeCrossTerms(d1[0] * d2[2], d2[0] * d1[2]);
    if (xy == CrossTerms::apart || xz == CrossTerms::apart) {
        return false;
    }
    if (xy == CrossTerms::inLine && xz == CrossTerms::inLine) {
        return true;
    }
    return gte::Length(gte::Cross(d1, d2)) < kCollinearRatio * gte::Length(d1) * gte::Length(d2);
}

}  // namespace tavrisk
