#include "platform/decimal_conversion.h"

#include <cstring>

#include "platform/bit_scan.h"

namespace tavrisk {
namespace platform {

namespace {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the digit words below take the first character in their lowest byte"
#endif

constexpr int kMaxSignificandDigits = 19;  // 10^19 - 1 still fits 64 bits
constexpr std::uint64_t kLargestExactSignificand = std::uint64_t(1) << 53;
constexpr int kMaxExactPower = 22;  // 10^22 = 2^22 * 5^22 with 5^22 < 2^53
constexpr double kExactPowersOfTen[kMaxExactPower + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kDigitScales[9] = {1,      10,      100,      1000,     10000,
                                           100000, 1000000, 10000000, 100000000};
// Beyond this the exponent's digits only make the power larger: no exact value either way.
constexpr int kExponentCap = 100000;

constexpr std::uint64_t kEachByte = 0x0101010101010101u;

std::uint64_t eightBytesAt(char const* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The characters of text from p on, at most eight, first in the lowest byte and zero bytes
// after them. Read in one piece wherever eight bytes of the text end at or after p + 8 or at end.
std::uint64_t charactersAt(char const* p, char const* begin, char const* end) {
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
int leadingDigitCount(std::uint64_t word) {
    std::uint64_t const highHalves = 0xF0 * kEachByte;
    std::uint64_t const notDigit = ((word & highHalves) ^ (0x30 * kEachByte)) |
                                   (((word + 6 * kEachByte) & highHalves) ^ (0x30 * kEachByte));
    return notDigit == 0 ? 8 : lowestSetBit(notDigit) >> 3;
}

// The number written by the first count (1 to 8) digit characters of word. Taking '0' off every
// byte leaves those digits exact (a digit never borrows; a byte after them that borrows only
// disturbs the bytes after it); moving them to the top turns the bytes below into leading zeros.
// Then pairs, quads and the eight digits are combined in three multiplications.
std::uint64_t digitValue(std::uint64_t word, int count) {
    std::uint64_t digits = (word - 0x30 * kEachByte) << (8 * (8 - count));
    digits = digits * 10 + (digits >> 8);
    std::uint64_t const pairs = 0x000000FF000000FFu;
    digits = ((digits & pairs) * (100 + (std::uint64_t(1000000) << 32)) +
              ((digits >> 16) & pairs) * (1 + (std::uint64_t(10000) << 32))) >>
             32;
    return digits & 0xFFFFFFFFu;
}

// Appends the run of digits at p, in the text [begin, end), to significand, eight at a time.
// Returns the number of digits, or -1 when the significand would pass kMaxSignificandDigits.
int appendDigits(char const*& p, char const* begin, char const* end, int digitsSoFar,
                 std::uint64_t& significand) {
    int count = 0;
    for (;;) {
        std::uint64_t const word = charactersAt(p, begin, end);
        int const run = leadingDigitCount(word);
        if (run == 0) {
            return count;
        }
        count += run;
        if (digitsSoFar + count > kMaxSignificandDigits) {
            return -1;
        }
        significand = significand * kDigitScales[run] + digitValue(word, run);
        p += run;
        if (run < 8) {
            return count;
        }
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool readExactDecimal(char const* text, std::size_t length, double& value) {
    char const* p = text;
    char const* const end = text + length;
    bool const negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) {
        ++p;
    }

    std::uint64_t significand = 0;
    int const integerDigits = appendDigits(p, text, end, 0, significand);
    if (integerDigits < 0) {
        return false;
    }
    int fractionDigits = 0;
    if (p < end && *p == '.') {
        ++p;
        fractionDigits = appendDigits(p, text, end, integerDigits, significand);
        if (fractionDigits < 0) {
            return false;
        }
    }
    if (integerDigits + fractionDigits == 0) {
        return false;
    }

    int power = -fractionDigits;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool const negativeExponent = p < end && *p == '-';
        if (p < end && (*p == '-' || *p == '+')) {
            ++p;
        }
        // "1e" and "1e+" end before the 'e': not a number taken whole.
        if (p == end || !isDigit(*p)) {
            return false;
        }
        int exponent = 0;
        for (; p < end && isDigit(*p); ++p) {
            if (exponent < kExponentCap) {
                exponent = exponent * 10 + (*p - '0');
            }
        }
        power += negativeExponent ? -exponent : exponent;
    }
    if (p != end) {
        return false;
    }

    if (significand == 0) {
        // Zero to any power.
        value = negative ? -0.0 : 0.0;
        return true;
    }
    if (significand > kLargestExactSignificand || power < -kMaxExactPower ||
        power > kMaxExactPower) {
        return false;
    }
    double const exact = static_cast<double>(significand);
    double const magnitude =
        power >= 0 ? exact * kExactPowersOfTen[power] : exact / kExactPowersOfTen[-power];
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace platform
}  // namespace tavrisk
