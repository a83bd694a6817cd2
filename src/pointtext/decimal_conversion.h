// SPDX-License-Identifier: MIT
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

#include "pointtext/bit_scan.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define TAVRISK_DECIMAL_SSE2 1
#endif

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

// The number written by eight digits, one to a byte (0 to 9, the first in the lowest byte):
// pairs, quads and the eight digits combined in three multiplications.
//
// digitValue is the number written by the first count (0 to 8) digit characters of word. Taking
// '0' off every byte leaves those digits exact (a digit never borrows; a byte after them that
// borrows only disturbs the bytes after it); moving them to the top turns the bytes below into
// leading zeros.
inline std::uint64_t eightDigitValue(std::uint64_t digits) {
    digits = digits * 10 + (digits >> 8);
    std::uint64_t const pairs = 0x000000FF000000FFu;
    digits = ((digits & pairs) * (100 + (std::uint64_t(1000000) << 32)) +
              ((digits >> 16) & pairs) * (1 + (std::uint64_t(10000) << 32))) >>
             32;
    return digits & 0xFFFFFFFFu;
}
inline std::uint64_t digitValue(std::uint64_t word, int count) {
    if (count == 0) {
        return 0;
    }
    return eightDigitValue((word - 0x30 * kEachByte) << (8 * (8 - count)));
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

// Bytes readPlainDecimal may read before its text and from its start on.
constexpr std::size_t kPlainDecimalReachBefore = 8;
constexpr std::size_t kPlainDecimalReach = 1 + 15 + 8;

// The bytes among 16 that are not digits '0' to '9', and those that are points, bit i for
// byte i.
struct DecimalBytes {
    std::uint32_t nonDigits;
    std::uint32_t points;
};

// The classes of the 16 bytes at p, with SSE2 where the target has it.
DecimalBytes classifyDecimal16(char const* p);
// The same, one byte at a time: the form every target can run.
DecimalBytes classifyDecimal16Portably(char const* p);

// The eight-digit numbers I and F written by the digits (0 to 9, one to a byte, the first in the
// lowest byte) of the two words, as doubles (exact: both are below 10^8); with SSE2 where the
// target has it.
struct DigitGroups {
    double integer;
    double fraction;
};
DigitGroups digitGroups(std::uint64_t integerWord, std::uint64_t fractionWord);
DigitGroups digitGroupsPortably(std::uint64_t integerWord, std::uint64_t fractionWord);

namespace decimal {

inline DecimalBytes decimalBytesAt(char const* p) {
#if TAVRISK_DECIMAL_SSE2
    __m128i const bytes = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p));
    // Adding 0x80 - '0' turns '0' to '9' into 0x80 to 0x89, the ten smallest signed bytes, and
    // every other byte into a larger one: one signed comparison tells them apart.
    __m128i const shifted = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(0x80 - '0')));
    __m128i const outside = _mm_cmpgt_epi8(shifted, _mm_set1_epi8(static_cast<char>(0x89)));
    __m128i const points = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'));
    return {static_cast<std::uint32_t>(_mm_movemask_epi8(outside)),
            static_cast<std::uint32_t>(_mm_movemask_epi8(points))};
#else
    return classifyDecimal16Portably(p);
#endif
}

#if TAVRISK_DECIMAL_SSE2
// The two words side by side in one register, widened to 16 bits a digit, then pairs, quads and
// groups of eight digits formed by multiply-and-add of neighbours (10, 100, then 10^4): every
// partial result is below 2^15 until the last, below 10^8.
inline DigitGroups digitGroupsOfRegister(__m128i digits) {
    __m128i const zero = _mm_setzero_si128();
    __m128i const tensAndOnes = _mm_set1_epi32(0x0001000A);
    __m128i const pairs =
        _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(digits, zero), tensAndOnes),
                        _mm_madd_epi16(_mm_unpackhi_epi8(digits, zero), tensAndOnes));
    __m128i const quads = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00010064));
    __m128i const eights =
        _mm_madd_epi16(_mm_packs_epi32(quads, quads), _mm_set1_epi32(0x00012710));
    __m128d const both = _mm_cvtepi32_pd(eights);
    return {_mm_cvtsd_f64(both), _mm_cvtsd_f64(_mm_unpackhi_pd(both, both))};
}
#endif

inline DigitGroups digitGroupsOf(std::uint64_t integerWord, std::uint64_t fractionWord) {
#if TAVRISK_DECIMAL_SSE2
    return digitGroupsOfRegister(
        _mm_set_epi64x(static_cast<long long>(fractionWord), static_cast<long long>(integerWord)));
#else
    return digitGroupsPortably(integerWord, fractionWord);
#endif
}

// Which bytes of the word that ends at a decimal's point and of the word that starts after it
// hold its digits, for each shape of plain decimal: integer digits i and length n after the
// sign, both below 16. Both masks are zero for a shape that is no plain decimal: more than eight
// digits on either side, no digit, or no end within the fifteen bytes after the sign.
struct alignas(16) DigitMasks {
    std::uint64_t integer;
    std::uint64_t fraction;
};

constexpr DigitMasks digitMasksFor(int integerDigits, int length) {
    int const fractionDigits = length - integerDigits - (integerDigits < length ? 1 : 0);
    // (A decimal never ends before its integer digits: those shapes do not occur.)
    if (length < integerDigits || integerDigits > 8 || fractionDigits > 8 ||
        integerDigits + fractionDigits == 0 || length == 15) {
        return {0, 0};
    }
    return {
        integerDigits == 0 ? 0 : ~std::uint64_t(0) << (8 * (8 - integerDigits)),
        fractionDigits == 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * fractionDigits)) - 1};
}

struct DigitMaskTable {
    DigitMasks masks[16][16];
    constexpr DigitMaskTable() : masks() {
        for (int i = 0; i < 16; ++i) {
            for (int n = 0; n < 16; ++n) {
                masks[i][n] = digitMasksFor(i, n);
            }
        }
    }
};
inline constexpr DigitMaskTable kDigitMasks;

// The digit groups of a decimal whose point (or end) is at point, masked as masks says.
inline DigitGroups digitGroupsAt(char const* point, DigitMasks const& masks) {
#if TAVRISK_DECIMAL_SSE2
    // A digit less '0' is its xor with '0'.
    __m128i const words =
        _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<__m128i const*>(point - 8)),
                           _mm_loadl_epi64(reinterpret_cast<__m128i const*>(point + 1)));
    return digitGroupsOfRegister(
        _mm_and_si128(_mm_xor_si128(words, _mm_set1_epi8('0')),
                      _mm_load_si128(reinterpret_cast<__m128i const*>(&masks))));
#else
    std::uint64_t const zeros = 0x30 * kEachByte;
    return digitGroupsPortably((eightBytesAt(point - 8) ^ zeros) & masks.integer,
                               (eightBytesAt(point + 1) ^ zeros) & masks.fraction);
#endif
}

constexpr double kTwoTo53 = 9007199254740992.0;
inline constexpr double kSignedHundredMillion[2] = {1e8, -1e8};

}  // namespace decimal

// Reads the plain decimal at the start of text: an optional sign, up to eight digits, and
// optionally a point and up to eight more digits (at least one digit in all), followed within
// the fifteen bytes after the sign by a byte that is none of these. Stores its value and returns
// that byte's address; returns nullptr, leaving value alone, when text starts otherwise or the
// decimal goes on. The kPlainDecimalReachBefore bytes before text and kPlainDecimalReach bytes
// from text on must be readable; only the decimal's own bytes take part in the value.
//
// Its end comes from one classification of 16 bytes, apart from the digits, so that a caller
// reading value after value may find the next one before this one is converted. With I the
// integer digits and F the f fraction digits, the integer digits fill the top of the word that
// ends at the point and the fraction digits the bottom of the word that starts after it; the
// bytes around them are masked to zero, leading zeros of I and trailing zeros of F. The words are
// the eight-digit numbers I and F * 10^(8 - f), so N = I * 10^8 + F * 10^(8 - f) is the
// significand s = I * 10^f + F scaled by 10^(8 - f), and N / 10^8 = s / 10^f exactly.
// I * 10^8 = (I * 5^8) * 2^8 is exact, I * 5^8 being below 2^53; the sum rounds to N exactly when
// N < 2^53, and to at least 2^53 otherwise, so a sum below 2^53 is N. Then N and 10^8 are exact
// doubles and the one division rounds the quotient correctly: the double strtod gives. Valid in
// the round-to-nearest mode only, the one in which the sign may be applied after the rounding.
inline char const* readPlainDecimal(char const* text, double& value) {
    using namespace decimal;
    DecimalBytes const bytes = decimalBytesAt(text);
    bool const negative = text[0] == '-';
    int const sign = static_cast<int>(negative || text[0] == '+');
    // From the byte after the sign on: the non-digits and the points. The first non-digit ends
    // the integer digits; the decimal ends at the first that is not a point, or at a second
    // point. The sixteenth byte after the sign, not looked at when there is a sign, stops both
    // counts: a decimal still going there has length 15, a shape no plain decimal has.
    std::uint32_t const stop = std::uint32_t(1) << 15;
    std::uint32_t const others = bytes.nonDigits >> sign;
    std::uint32_t const points = bytes.points >> sign;
    int const integerDigits = lowestSetBit(others | stop);
    int const length = lowestSetBit((others & ~points) | (points & (points - 1)) | stop);
    DigitMasks const& masks = kDigitMasks.masks[integerDigits][length];
    if ((masks.integer | masks.fraction) == 0) {
        return nullptr;
    }
    char const* const digits = text + sign;
    DigitGroups const groups = digitGroupsAt(digits + integerDigits, masks);
    double const scaled = groups.integer * 1e8 + groups.fraction;
    if (!(scaled < kTwoTo53)) {
        return nullptr;
    }
    // Division by -10^8 rounds to the negated quotient: round to nearest is symmetric.
    value = scaled / kSignedHundredMillion[negative];
    return digits + length;
}

}  // namespace platform
}  // namespace tavrisk
