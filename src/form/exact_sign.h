// SPDX-License-Identifier: MIT
// The exact sign of a polynomial in the input coordinates, quickly where rounding cannot decide
// it: the polynomial is written once, as a function of a number kind, and evaluated first in
// doubles with a bound on their rounding error (the filter), then, only when the double lies
// within that bound of zero, in exact expansions.
//
// A formula receives a kind K and builds its value from K::difference(a, b) (a - b of two
// coordinates) and K::exact(x) (a coordinate itself) with +, - and *.
#pragma once

#include <algorithm>
#include <cmath>

#include "form/expansion.h"

namespace tavrisk::form {

// A double with what bounds its rounding error: the same polynomial evaluated on the absolute
// values of the leaves with every subtraction made an addition, and the longest chain of
// roundings that led to it (products add their chains, sums extend the longer one).
struct Approx {
    double value;
    double magnitude;
    int depth;

    Approx operator+(Approx const& b) const {
        return {value + b.value, magnitude + b.magnitude, std::max(depth, b.depth) + 1};
    }
    Approx operator-(Approx const& b) const {
        return {value - b.value, magnitude + b.magnitude, std::max(depth, b.depth) + 1};
    }
    Approx operator*(Approx const& b) const {
        return {value * b.value, magnitude * b.magnitude, depth + b.depth + 1};
    }
    Approx operator-() const { return {-value, magnitude, depth}; }

    // A bound on |value - exact value|. The rounding of a chain of d operations stays below
    // d units of 2^-53 of the magnitude; one more covers the roundings of the magnitude itself.
    double errorBound() const { return magnitude * (depth + 2) * kUnitRoundoff; }

    static constexpr double kUnitRoundoff = 0x1p-53;
};

struct FilteredKind {
    using Number = Approx;
    // A rounded difference is within 2^-53 of itself: one rounding.
    static Approx difference(double a, double b) {
        double const d = a - b;
        return {d, std::fabs(d), 1};
    }
    static Approx exact(double x) { return {x, std::fabs(x), 0}; }
};

struct ExactKind {
    using Number = Expansion;
    static Expansion difference(double a, double b) { return Expansion::difference(a, b); }
    static Expansion exact(double x) { return Expansion(x); }
};

inline int signOf(double x) {
    return (x > 0.0) - (x < 0.0);
}

// The exact sign of formula(kind): -1, 0 or 1.
template <class Formula>
int exactSign(Formula const& formula) {
    Approx const filtered = formula(FilteredKind{});
    double const bound = filtered.errorBound();
    if (filtered.value > bound) {
        return 1;
    }
    if (filtered.value < -bound) {
        return -1;
    }
    return formula(ExactKind{}).sign();
}

// The exact value of formula(kind) rounded to a double (within a unit in the last place).
template <class Formula>
double accurateValue(Formula const& formula) {
    return formula(ExactKind{}).estimate();
}

}  // namespace tavrisk::form
