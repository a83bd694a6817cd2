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

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/bit_scan.h"

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the digit words below take the first character in their lowest byte"
#endif

namespace tavrisk {
namespace platform {

// The single operation is rounded once, to double, only where doubles are computed as doubles:
// in SSE2 registers, not in the x87 unit's wider ones, which would round twice. Elsewhere the
// exact conversion is not used.
constexpr bool kExactDecimalArithmetic = FLT_EVAL_METHOD == 0;

namespace decimal {

constexpr int kMaxExactPower = 22;  // 10^22 = 2^22 * 5^22 with 5^22 < 2^53
inline constexpr double kExactPowersOfTen[kMaxExactPower + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr std::uint64_t kDigitScales[9] = {1,      10,      100,      1000,     10000,
                                                  100000, 1000000, 10000000, 100000000};
constexpr std::uint64_t kEachByte = 0x0101010101010101u;

inline std::uint64_t eightBytesAt(char const* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The characters of the text [begin, end) from p on, at most eight, first in the lowest byte and
// zero bytes after them; read in one piece wherever eight bytes of the text allow it.
inline std::uint64_t charactersAt(char const* p, char const* begin, char const* end) {
    std::ptrdiff_t const left = end - p;
    if (left >= 8) {
        return eightBytesAt(p);
    }
    if (left <= 0) {
        return 0;
    }
    if (end - begin >= 8) {
        return eightBytesAt(end - 8) >> (8 * (8 - left));
    }
    std::uint64_t word = 0;
    std::memcpy(&word, p, static_cast<std::size_t>(left));
    return word;
}

// How many of the eight characters in word, first character in the lowest byte, are digits
// before the first one that is not. A byte is a digit when its high half is 3 and stays 3 once 6
// is added; a carry out of a byte only disturbs the bytes after it, which no longer count.
inline int leadingDigitCount(std::uint64_t word) {
    std::uint64_t const highHalves = 0xF0 * kEachByte;
    std::uint64_t const notDigit = ((word & highHalves) ^ (0x30 * kEachByte)) |
                                   (((word + 6 * kEachByte) & highHalves) ^ (0x30 * kEachByte));
    return notDigit == 0 ? 8 : lowestSetBit(notDigit) >> 3;
}

// The number written by the first count (0 to 8) digit characters of word. Taking '0' off every
// byte leaves those digits exact (a digit never borrows; a byte after them that borrows only
// disturbs the bytes after it); moving them to the top turns the bytes below into leading zeros.
// Then pairs, quads and the eight digits are combined in three multiplications.
inline std::uint64_t digitValue(std::uint64_t word, int count) {
    if (count == 0) {
        return 0;
    }
    std::uint64_t digits = (word - 0x30 * kEachByte) << (8 * (8 - count));
    digits = digits * 10 + (digits >> 8);
    std::uint64_t const pairs = 0x000000FF000000FFu;
    digits = ((digits & pairs) * (100 + (std::uint64_t(1000000) << 32)) +
              ((digits >> 16) & pairs) * (1 + (std::uint64_t(10000) << 32))) >>
             32;
    return digits & 0xFFFFFFFFu;
}

// magnitude with the sign bit set when negative: no branch on data whose signs mix at random.
inline double withSign(double magnitude, bool negative) {
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    bits |= static_cast<std::uint64_t>(negative) << 63;
    std::memcpy(&magnitude, &bits, sizeof bits);
    return magnitude;
}

// The whole of readExactDecimal, for the texts its common case leaves over.
bool readInFull(char const* text, std::size_t length, double& value);

// The largest significand a double holds exactly together with all smaller integers.
constexpr std::uint64_t kLargestExactSignificand = std::uint64_t(1) << 53;

// The short decimal at text: an optional sign, up to eight digits, and optionally a point and up
// to eight more digits (at least one digit in all), read from the characters charactersAt(p)
// gives. Stores its value and returns the first character after it, or nullptr when the text
// does not start with one. Eight digits on either side may be followed by more digits: the
// decimal then ends before them, and the caller sees a digit where the value should end.
template <class CharactersAt>
inline char const* readShortDecimalWith(char const* text, double& value,
                                        CharactersAt charactersAt) {
    // The sign is stepped over without a branch: files mix signs at random.
    bool const negative = text[0] == '-';
    char const* p = text + static_cast<int>(negative || text[0] == '+');
    std::uint64_t const integerWord = charactersAt(p);
    int const integerDigits = leadingDigitCount(integerWord);
    std::uint64_t significand = digitValue(integerWord, integerDigits);
    p += integerDigits;
    // The character after the digits, from the word already read unless all eight were digits.
    char const next =
        static_cast<char>(integerDigits < 8 ? integerWord >> (8 * integerDigits) : charactersAt(p));
    int fractionDigits = 0;
    if (next == '.') {
        ++p;
        std::uint64_t const fractionWord = charactersAt(p);
        fractionDigits = leadingDigitCount(fractionWord);
        significand =
            significand * kDigitScales[fractionDigits] + digitValue(fractionWord, fractionDigits);
        p += fractionDigits;
    }
    if (integerDigits + fractionDigits == 0 || significand > kLargestExactSignificand) {
        return nullptr;
    }
    value = withSign(static_cast<double>(static_cast<std::int64_t>(significand)) /
                         kExactPowersOfTen[fractionDigits],
                     negative);
    return p;
}

}  // namespace decimal

// Reads text[0, length) when the whole of it is one plain decimal: an optional sign, digits
// with at most one decimal point among them (at least one digit in all), and an optional
// exponent made of 'e' or 'E', an optional sign and at least one digit. Stores the value and
// returns true when it comes exactly from the single operation above; returns false, leaving
// value alone, for every other text. Valid only in the round-to-nearest mode, the one in which
// the sign may be applied after the rounding. Reads no byte outside the text.
inline bool readExactDecimal(char const* text, std::size_t length, double& value) {
    using namespace decimal;
    if (length > 0) {
        // A short decimal first: its characters read as zero bytes past the end of the text.
        char const* const end = text + length;
        double shortValue;
        char const* const after = readShortDecimalWith(
            text, shortValue, [text, end](char const* p) { return charactersAt(p, text, end); });
        if (after == end) {
            value = shortValue;
            return true;
        }
    }
    return readInFull(text, length, value);
}

// Bytes from its start that readShortDecimal may read.
constexpr std::size_t kShortDecimalReach = 1 + 8 + 1 + 8;

// Reads the short decimal at the start of text, of up to eight digits on either side of the
// point and no exponent, from a buffer that holds kShortDecimalReach bytes from text on.
// Stores its value and returns the first byte after it, or nullptr when the text does not start
// with one. The decimal is a whole value only when a byte that ends values follows it; its digits
// are exact in any case (at most 16 of them, below 2^53, scaled by at most 10^-8), so a value
// that goes on leaves nothing to undo. Valid in the round-to-nearest mode only.
inline char const* readShortDecimal(char const* text, double& value) {
    return decimal::readShortDecimalWith(text, value, decimal::eightBytesAt);
}

}  // namespace platform
}  // namespace tavrisk
