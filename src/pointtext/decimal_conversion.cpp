// SPDX-License-Identifier: MIT
#include "pointtext/decimal_conversion.h"

namespace tavrisk {
namespace platform {
namespace decimal {

namespace {

constexpr int kMaxSignificandDigits = 19;  // 10^19 - 1 still fits 64 bits
// Beyond this the exponent's digits only make the power larger: no exact value either way.
constexpr int kExponentCap = 100000;

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

bool readInFull(char const* text, std::size_t length, double& value) {
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
        value = withSign(0.0, negative);
        return true;
    }
    if (significand > kLargestExactSignificand || power < -kMaxExactPower ||
        power > kMaxExactPower) {
        return false;
    }
    double const exact = static_cast<double>(significand);
    double const magnitude =
        power >= 0 ? exact * kExactPowersOfTen[power] : exact / kExactPowersOfTen[-power];
    value = withSign(magnitude, negative);
    return true;
}

}  // namespace decimal

DecimalBytes classifyDecimal16Portably(char const* p) {
    DecimalBytes bytes{0, 0};
    for (int i = 0; i < 16; ++i) {
        std::uint32_t const bit = std::uint32_t(1) << i;
        bytes.nonDigits |= decimal::isDigit(p[i]) ? 0 : bit;
        bytes.points |= p[i] == '.' ? bit : 0;
    }
    return bytes;
}

DecimalBytes classifyDecimal16(char const* p) {
    return decimal::decimalBytesAt(p);
}

DigitGroups digitGroupsPortably(std::uint64_t integerWord, std::uint64_t fractionWord) {
    return {static_cast<double>(decimal::eightDigitValue(integerWord)),
            static_cast<double>(decimal::eightDigitValue(fractionWord))};
}

DigitGroups digitGroups(std::uint64_t integerWord, std::uint64_t fractionWord) {
    return decimal::digitGroupsOf(integerWord, fractionWord);
}

}  // namespace platform
}  // namespace tavrisk
