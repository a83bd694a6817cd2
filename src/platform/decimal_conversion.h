// The exact short way from decimal text to double for the plain decimals measuring machines
// write ("-12.345678", "0.5", "3e-4").
//
// A decimal with a significand w of at most 19 digits and w <= 2^53, and a power of ten 10^k
// with |k| <= 22, has both w and 10^|k| exactly representable as doubles (5^22 < 2^53). Its
// value w * 10^k then comes from one multiplication w * 10^k or one division w / 10^-k, and
// IEEE arithmetic rounds that single operation correctly: the result is the double nearest the
// decimal, the very double that a correctly rounding strtod returns in the round-to-nearest mode.
// Everything else (longer significands, larger powers, hexadecimal, inf and nan, stray bytes)
// is left to the general conversion.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrisk {
namespace platform {

// Reads text[0, length) when the whole of it is one plain decimal: an optional sign, digits
// with at most one decimal point among them (at least one digit in all), and an optional
// exponent made of 'e' or 'E', an optional sign and at least one digit. Stores the value and
// returns true when it comes exactly from the single operation above; returns false, leaving
// value alone, for every other text. Valid only in the round-to-nearest mode, the one in which
// the sign may be applied after the rounding. Reads no byte outside the text.
bool readExactDecimal(char const* text, std::size_t length, double& value);

}  // namespace platform
}  // namespace tavrisk
