// SPDX-License-Identifier: MIT
// Exact arithmetic on doubles: a value is kept as an expansion, a sum of doubles whose binary
// digits do not overlap, so that sums, differences and products of doubles are represented
// without rounding and the sign of a polynomial in the input coordinates comes out exact.
//
// Exact as long as no product overflows or underflows: the form measures only build
// expansions of coordinates whose magnitudes lie in the range form_input.h admits.
#pragma once

#include <vector>

namespace tavrisk::form {

class Expansion {
public:
    Expansion() = default;  // zero
    explicit Expansion(double value);

    // a - b and a * b, exactly.
    static Expansion difference(double a, double b);
    static Expansion product(double a, double b);

    Expansion operator+(Expansion const& other) const;
    Expansion operator-(Expansion const& other) const;
    Expansion operator*(Expansion const& other) const;
    Expansion operator-() const;

    // -1, 0 or 1: the sign of the exact value.
    int sign() const;
    // The exact value rounded to a double (the sum of the terms from the smallest up, which is
    // within a unit in the last place of the exact value).
    double estimate() const;

private:
    Expansion scaled(double factor) const;
    void compress();

    // Nonzero terms in increasing magnitude; empty for zero.
    std::vector<double> terms_;
};

}  // namespace tavrisk::form
