// SPDX-License-Identifier: MIT
// Signed fixed-point numbers of a chosen precision, for the slow path of the correctly rounded
// functions: a sign, one 32-bit limb of integer part and 32 * fractionLimbs bits of fraction.
// Additions are exact; every other operation truncates, so it is off by less than one unit in
// the last place (an ulp, 2^(-32 * fractionLimbs)). No heap, no global state.
#pragma once

#include <array>
#include <cstdint>

namespace gte::math {

class Fixed {
public:
    static constexpr int kMaxFractionLimbs = 32;

    explicit Fixed(int fractionLimbs) : fractionLimbs_(fractionLimbs) { limbs_.fill(0); }

    // The value of x, truncated towards zero to the precision; |x| < 2^32.
    static Fixed FromDouble(double x, int fractionLimbs);
    // value ulps (units in the last place).
    static Fixed FromUlps(std::uint32_t value, int fractionLimbs);
    // pi / 2^halvings from the stored digits of pi, truncated.
    static Fixed Pi(int halvings, int fractionLimbs);

    int FractionLimbs() const { return fractionLimbs_; }
    bool IsNegative() const { return negative_; }
    bool IsZero() const;
    // A double within a few ulps of double precision of the value (not correctly rounded).
    double Approximate() const;

    Fixed operator-() const;
    friend Fixed operator+(Fixed const& a, Fixed const& b);
    friend Fixed operator-(Fixed const& a, Fixed const& b) { return a + (-b); }
    friend Fixed operator*(Fixed const& a, Fixed const& b);
    Fixed TimesSmall(std::uint32_t factor) const;
    Fixed OverSmall(std::uint32_t divisor) const;
    Fixed ShiftedRight(int bits) const;

    // The integer part of the magnitude and its fraction: used by the argument reduction.
    std::uint32_t IntegerLimb() const { return limbs_[fractionLimbs_]; }
    void SetIntegerLimb(std::uint32_t value) { limbs_[fractionLimbs_] = value; }
    bool FractionAtLeastHalf() const { return (limbs_[fractionLimbs_ - 1] >> 31) != 0; }
    void SetNegative(bool negative) { negative_ = negative; }
    std::uint32_t& Limb(int index) { return limbs_[index]; }

    // The double nearest the value (ties to even), into *rounded; false when the value is zero,
    // below the normal range or above 2^32.
    bool RoundToDouble(double* rounded) const;

private:
    int fractionLimbs_;
    bool negative_ = false;
    // Little-endian magnitude: limbs_[fractionLimbs_] is the integer part.
    std::array<std::uint32_t, kMaxFractionLimbs + 1> limbs_;
};

// The double nearest value when every number within errorUlps of it rounds to the same double,
// into *rounded; false when the precision cannot decide.
bool RoundIfDecided(Fixed const& value, std::uint32_t errorUlps, double* rounded);

// 1/s for s in [1, 8], and 1/sqrt(s) for s in [1/4, 1], by Newton's iteration from a double
// start; each within a few ulps.
Fixed Reciprocal(Fixed const& s);
Fixed ReciprocalSquareRoot(Fixed const& s);

}  // namespace gte::math
