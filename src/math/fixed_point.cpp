// SPDX-License-Identifier: MIT
#include "math/fixed_point.h"

#include <cmath>

#include "math/float_bits.h"
#include "math/math_constants.h"

namespace gte::math {
namespace {

constexpr int kLimbBits = 32;
constexpr int kSignificandBits = 53;
constexpr int kMaxBiasedExponent = 2046;

// Compares the magnitudes of two numbers of the same precision: -1, 0 or 1.
int CompareMagnitudes(std::uint32_t const* a, std::uint32_t const* b, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

// The number of Newton steps that carry a start good to 2^-50 (relative) past the precision:
// each step doubles the correct bits.
int NewtonSteps(int fractionLimbs) {
    int steps = 0;
    for (int bits = 50; bits < kLimbBits * fractionLimbs + kLimbBits; bits *= 2) {
        ++steps;
    }
    return steps;
}

}  // namespace

Fixed Fixed::FromDouble(double x, int fractionLimbs) {
    Fixed result(fractionLimbs);
    if (x == 0.0) {
        return result;
    }
    std::uint64_t const bits = BitsOf(x);
    int const biased = BiasedExponent(x);
    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = biased - kExponentBias - 52;
    if (biased == 0) {
        exponent = 1 - kExponentBias - 52;  // subnormal
    } else {
        significand |= std::uint64_t{1} << 52;
    }
    result.negative_ = (bits >> 63) != 0;
    // The significand's lowest bit lands at bit (exponent + 32 * fractionLimbs) of the limbs.
    int const position = exponent + kLimbBits * fractionLimbs;
    if (position < 0) {
        if (-position >= 64) {
            return result;
        }
        significand >>= -position;
        result.limbs_[0] = static_cast<std::uint32_t>(significand);
        result.limbs_[1] = static_cast<std::uint32_t>(significand >> 32);
        return result;
    }
    int const limb = position / kLimbBits;
    int const shift = position % kLimbBits;
    std::uint64_t const low = significand << shift;
    std::uint64_t const high = shift == 0 ? 0 : significand >> (64 - shift);
    std::uint32_t const parts[3] = {static_cast<std::uint32_t>(low),
                                    static_cast<std::uint32_t>(low >> 32),
                                    static_cast<std::uint32_t>(high)};
    for (int i = 0; i < 3; ++i) {
        if (limb + i <= fractionLimbs) {
            result.limbs_[limb + i] = parts[i];
        }
    }
    return result;
}

Fixed Fixed::FromUlps(std::uint32_t value, int fractionLimbs) {
    Fixed result(fractionLimbs);
    result.limbs_[0] = value;
    return result;
}

Fixed Fixed::Pi(int halvings, int fractionLimbs) {
    Fixed pi(fractionLimbs);
    // The stored digits run most significant first: the integer part, then the fraction.
    for (int i = 0; i <= fractionLimbs; ++i) {
        pi.limbs_[fractionLimbs - i] = kPiLimbs[i];
    }
    return pi.ShiftedRight(halvings);
}

bool Fixed::IsZero() const {
    for (int i = 0; i <= fractionLimbs_; ++i) {
        if (limbs_[i] != 0) {
            return false;
        }
    }
    return true;
}

double Fixed::Approximate() const {
    constexpr double kLimbWeight = 4294967296.0;  // 2^32
    double value = 0.0;
    double weight = 1.0;
    for (int i = fractionLimbs_; i >= 0 && i >= fractionLimbs_ - 3; --i) {
        value += limbs_[i] * weight;
        weight /= kLimbWeight;
    }
    return negative_ ? -value : value;
}

Fixed Fixed::operator-() const {
    Fixed result = *this;
    result.negative_ = !negative_;
    return result;
}

Fixed operator+(Fixed const& a, Fixed const& b) {
    int const n = a.fractionLimbs_;
    Fixed result(n);
    if (a.negative_ == b.negative_) {
        std::uint64_t carry = 0;
        for (int i = 0; i <= n; ++i) {
            carry += std::uint64_t{a.limbs_[i]} + b.limbs_[i];
            result.limbs_[i] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        result.negative_ = a.negative_;
        return result;
    }
    // Opposite signs: the smaller magnitude from the larger, with the larger's sign.
    bool const aLarger = CompareMagnitudes(a.limbs_.data(), b.limbs_.data(), n + 1) >= 0;
    Fixed const& larger = aLarger ? a : b;
    Fixed const& smaller = aLarger ? b : a;
    std::int64_t borrow = 0;
    for (int i = 0; i <= n; ++i) {
        std::int64_t difference =
            std::int64_t{larger.limbs_[i]} - std::int64_t{smaller.limbs_[i]} - borrow;
        borrow = difference < 0 ? 1 : 0;
        result.limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    result.negative_ = larger.negative_;
    return result;
}

Fixed operator*(Fixed const& a, Fixed const& b) {
    int const n = a.fractionLimbs_;
    // The full product has 2n + 2 limbs; the result keeps limbs n .. 2n of it.
    std::array<std::uint32_t, 2 * (Fixed::kMaxFractionLimbs + 1)> product{};
    for (int i = 0; i <= n; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j <= n; ++j) {
            carry += std::uint64_t{a.limbs_[i]} * b.limbs_[j] + product[i + j];
            product[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        product[i + n + 1] = static_cast<std::uint32_t>(carry);
    }
    Fixed result(n);
    for (int i = 0; i <= n; ++i) {
        result.limbs_[i] = product[i + n];
    }
    result.negative_ = a.negative_ != b.negative_;
    return result;
}

Fixed Fixed::TimesSmall(std::uint32_t factor) const {
    Fixed result(fractionLimbs_);
    std::uint64_t carry = 0;
    for (int i = 0; i <= fractionLimbs_; ++i) {
        carry += std::uint64_t{limbs_[i]} * factor;
        result.limbs_[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    result.negative_ = negative_;
    return result;
}

Fixed Fixed::OverSmall(std::uint32_t divisor) const {
    Fixed result(fractionLimbs_);
    std::uint64_t remainder = 0;
    for (int i = fractionLimbs_; i >= 0; --i) {
        remainder = (remainder << 32) | limbs_[i];
        result.limbs_[i] = static_cast<std::uint32_t>(remainder / divisor);
        remainder %= divisor;
    }
    result.negative_ = negative_;
    return result;
}

Fixed Fixed::ShiftedRight(int bits) const {
    Fixed result(fractionLimbs_);
    int const limbShift = bits / kLimbBits;
    int const bitShift = bits % kLimbBits;
    for (int i = 0; i + limbShift <= fractionLimbs_; ++i) {
        std::uint64_t const low = limbs_[i + limbShift];
        std::uint64_t const high =
            i + limbShift + 1 <= fractionLimbs_ ? limbs_[i + limbShift + 1] : 0;
        result.limbs_[i] = static_cast<std::uint32_t>(((high << 32) | low) >> bitShift);
    }
    result.negative_ = negative_;
    return result;
}

bool Fixed::RoundToDouble(double* rounded) const {
    int top = fractionLimbs_;
    while (top >= 0 && limbs_[top] == 0) {
        --top;
    }
    if (top < 0) {
        return false;
    }
    // The 64 bits from the leading one down, and whether any bit below them is set.
    int leading = 31;
    while ((limbs_[top] >> leading) == 0) {
        --leading;
    }
    int const leadingBit = kLimbBits * top + leading;
    int const windowLow = leadingBit - 63;
    std::uint64_t window = 0;
    bool sticky = false;
    if (windowLow <= 0) {
        window = (std::uint64_t{limbs_[1]} << 32 | limbs_[0]) << -windowLow;
    } else {
        int const limb = windowLow / kLimbBits;
        int const shift = windowLow % kLimbBits;
        std::uint64_t const low = std::uint64_t{limbs_[limb + 1]} << 32 | limbs_[limb];
        std::uint64_t const high = limb + 2 <= fractionLimbs_ ? limbs_[limb + 2] : 0;
        window = shift == 0 ? low : (low >> shift) | (high << (64 - shift));
        sticky = (limbs_[limb] & ((std::uint32_t{1} << shift) - 1)) != 0;
        for (int i = 0; i < limb && !sticky; ++i) {
            sticky = limbs_[i] != 0;
        }
    }
    constexpr int kDroppedBits = 64 - kSignificandBits;
    std::uint64_t significand = window >> kDroppedBits;
    std::uint64_t const dropped = window & ((std::uint64_t{1} << kDroppedBits) - 1);
    std::uint64_t const half = std::uint64_t{1} << (kDroppedBits - 1);
    if (dropped > half || (dropped == half && (sticky || (significand & 1) != 0))) {
        ++significand;
    }
    int biased = leadingBit - kLimbBits * fractionLimbs_ + kExponentBias;
    if (significand >> kSignificandBits != 0) {  // rounded up to the next power of two
        significand >>= 1;
        ++biased;
    }
    if (biased < 1 || biased > kMaxBiasedExponent) {
        return false;
    }
    std::uint64_t const bits = (negative_ ? std::uint64_t{1} << 63 : 0) |
                               std::uint64_t(biased) << 52 |
                               (significand & ((std::uint64_t{1} << 52) - 1));
    *rounded = FromBits(bits);
    return true;
}

bool RoundIfDecided(Fixed const& value, std::uint32_t errorUlps, double* rounded) {
    Fixed const error = Fixed::FromUlps(errorUlps, value.FractionLimbs());
    Fixed const low = value - error;
    Fixed const high = value + error;
    double lowRounded = 0.0;
    double highRounded = 0.0;
    if (low.IsZero() || high.IsZero() || low.IsNegative() != high.IsNegative() ||
        !low.RoundToDouble(&lowRounded) || !high.RoundToDouble(&highRounded)) {
        return false;
    }
    if (BitsOf(lowRounded) != BitsOf(highRounded)) {
        return false;
    }
    *rounded = lowRounded;
    return true;
}

Fixed Reciprocal(Fixed const& s) {
    int const n = s.FractionLimbs();
    Fixed const one = Fixed::FromDouble(1.0, n);
    Fixed y = Fixed::FromDouble(1.0 / s.Approximate(), n);
    for (int step = NewtonSteps(n); step > 0; --step) {
        y = y + y * (one - s * y);
    }
    return y;
}

Fixed ReciprocalSquareRoot(Fixed const& s) {
    int const n = s.FractionLimbs();
    Fixed const one = Fixed::FromDouble(1.0, n);
    Fixed y = Fixed::FromDouble(1.0 / std::sqrt(s.Approximate()), n);
    for (int step = NewtonSteps(n); step > 0; --step) {
        y = y + (y * (one - s * (y * y))).OverSmall(2);
    }
    return y;
}

}  // namespace gte::math
