// SPDX-License-Identifier: MIT
#include "pointtext/c_number.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#if defined(_WIN32) && defined(__i386__)
#include <float.h>
#endif

#include "pointtext/decimal_conversion.h"

namespace tavrisk {
namespace platform {

namespace {

// Texts up to this length are copied to the stack when they need a terminator.
constexpr std::size_t kLocalCopyLength = 127;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    char const lower = static_cast<char>(c | 0x20);
    return isDigit(c) || (lower >= 'a' && lower <= 'f');
}

// White space as isspace sees it in the "C" locale: space, \t, \n, \v, \f and \r.
bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isSign(char c) {
    return c == '+' || c == '-';
}

// For the digits of a number that std::from_chars found out of range, in [first, last) without
// sign or "0x": whether it is too large for a double (true) or too small (false). An overflow
// needs a value of at least 2^1024 and an underflow one below 2^-1074, so where the first
// significant digit stands and the exponent settle it: the scale is positive for the one and
// negative for the other.
bool tooLarge(char const* first, char const* last, bool hexadecimal) {
    char const exponentMark = hexadecimal ? 'p' : 'e';
    long long place = 0;  // digits before the point from the first significant one, or minus
                          // the zeros after the point before it
    bool significant = false;
    bool afterPoint = false;
    char const* p = first;
    for (; p < last && (*p | 0x20) != exponentMark; ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (significant || *p != '0') {
            significant = true;
            place += afterPoint ? 0 : 1;
        } else if (afterPoint) {
            --place;
        }
    }
    // Any exponent beyond a billion is out of range either way; stopping there keeps the sum
    // from overflowing.
    long long exponent = 0;
    bool negativeExponent = false;
    if (p < last) {
        ++p;
        if (p < last && isSign(*p)) {
            negativeExponent = *p == '-';
            ++p;
        }
        for (; p < last && exponent < 1000000000LL; ++p) {
            exponent = exponent * 10 + (*p - '0');
        }
    }
    long long const scale =
        (hexadecimal ? 4 * place : place) + (negativeExponent ? -exponent : exponent);
    return scale > 0;
}

// Holds the rounding mode at round-to-nearest while it lives. from_chars rounds its shorter
// cases with the floating-point unit, which follows the host's mode: without this a host that
// rounds upward would get some numbers rounded upward and the rest to nearest.
class RoundingToNearest {
public:
    RoundingToNearest() : hostMode_(std::fegetround()) {
        if (hostMode_ != FE_TONEAREST) {
            std::fesetround(FE_TONEAREST);
        }
    }
    ~RoundingToNearest() {
        if (hostMode_ != FE_TONEAREST) {
            std::fesetround(hostMode_);
        }
    }
    RoundingToNearest(RoundingToNearest const&) = delete;
    RoundingToNearest& operator=(RoundingToNearest const&) = delete;

private:
    int hostMode_;
};

#if defined(_WIN32) && defined(__i386__)
// Holds the x87 unit's precision at 53 bits while it lives. The 32-bit runtime's from_chars
// scales its shorter cases on that unit, which at its usual 64-bit precision rounds the product
// twice, to 64 bits and then to 53 when it is stored, and misses the correctly rounded double by
// one unit in the last place for some numbers (2003456650e+15). Rounded to 53 bits at once, the
// product is the double every other platform gives.
class X87DoublePrecision {
public:
    X87DoublePrecision() : hostControl_(_controlfp(0, 0)) { _controlfp(_PC_53, _MCW_PC); }
    ~X87DoublePrecision() { _controlfp(hostControl_, _MCW_PC); }
    X87DoublePrecision(X87DoublePrecision const&) = delete;
    X87DoublePrecision& operator=(X87DoublePrecision const&) = delete;

private:
    unsigned int hostControl_;
};
#else
// Other targets compute doubles as doubles.
class X87DoublePrecision {
public:
    X87DoublePrecision() {}
};
#endif

}  // namespace

CNumber readWithoutLocale(char const* text, std::size_t length) {
    char const* const end = text + length;
    char const* p = text;
    while (p < end && isCSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && isSign(*p)) {
        negative = *p == '-';
        ++p;
    }
    // from_chars reads a minus of its own; one after the sign taken above makes no number.
    if (p < end && isSign(*p)) {
        return {0.0, 0};
    }
    bool const hexadecimal = end - p >= 2 && p[0] == '0' && (p[1] | 0x20) == 'x';
    char const* const digits = hexadecimal ? p + 2 : p;
    // "0x" without a hexadecimal digit after it (from_chars would still read a sign, inf or nan
    // there) is the number 0 followed by an x.
    if (hexadecimal &&
        !(digits < end && (isHexDigit(digits[0]) ||
                           (digits[0] == '.' && digits + 1 < end && isHexDigit(digits[1]))))) {
        return {negative ? -0.0 : 0.0, static_cast<std::size_t>(p + 1 - text)};
    }
    double value = 0.0;
    std::from_chars_result result;
    {
        RoundingToNearest const toNearest;
        X87DoublePrecision const doublePrecision;
        result = std::from_chars(digits, end, value,
                                 hexadecimal ? std::chars_format::hex : std::chars_format::general);
    }
    if (result.ec == std::errc::invalid_argument) {
        return {0.0, 0};
    }
    if (result.ec == std::errc::result_out_of_range) {
        value = tooLarge(digits, result.ptr, hexadecimal) ? HUGE_VAL : 0.0;
    }
    return {negative ? -value : value, static_cast<std::size_t>(result.ptr - text)};
}

CNumberReader::Number CNumberReader::read(char const* text, std::size_t length) const {
    double value = 0.0;
    if (exactDecimals() && readExactDecimal(text, length, value)) {
        return {value, length};
    }
    return readGeneral(text, length);
}

#if defined(_WIN32)

// The C runtime that MinGW programs use (msvcrt.dll) reads no hexadecimal, inf or nan in
// strtod and _strtod_l, so Windows reads every number with from_chars, to nearest.

CNumberReader::CNumberReader() : roundsToNearest_(std::fegetround() == FE_TONEAREST) {}

CNumberReader::~CNumberReader() = default;

bool CNumberReader::valid() const {
    return true;
}

CNumberReader::Number CNumberReader::readGeneral(char const* text, std::size_t length) const {
    return readWithoutLocale(text, length);
}

#else

namespace {

// True when the text is a plain decimal number that std::from_chars reads exactly as strtod:
// an optional minus, then a digit or a point followed by a digit, and no "0x" prefix. Signs
// "+", leading white space, hexadecimal, inf and nan go the strtod way.
bool plainDecimal(char const* text, std::size_t length) {
    char const* p = text;
    char const* const end = text + length;
    if (p < end && *p == '-') {
        ++p;
    }
    if (p < end && isDigit(p[0])) {
        return !(p[0] == '0' && p + 1 < end && (p[1] == 'x' || p[1] == 'X'));
    }
    return p + 1 < end && p[0] == '.' && isDigit(p[1]);
}

}  // namespace

CNumberReader::CNumberReader()
    : locale_(::newlocale(LC_ALL_MASK, "C", locale_t(0))),
      // from_chars always rounds to nearest, strtod honours the current mode.
      roundsToNearest_(std::fegetround() == FE_TONEAREST) {}

CNumberReader::~CNumberReader() {
    if (locale_ != locale_t(0)) {
        ::freelocale(locale_);
    }
}

bool CNumberReader::valid() const {
    return locale_ != locale_t(0);
}

CNumberReader::Number CNumberReader::readGeneral(char const* text, std::size_t length) const {
    if (roundsToNearest_ && plainDecimal(text, length)) {
        double value = 0.0;
        std::from_chars_result const r = std::from_chars(text, text + length, value);
        if (r.ec == std::errc()) {
            return {value, static_cast<std::size_t>(r.ptr - text)};
        }
    }
    // strtod reads up to a terminating zero: a text that runs on into other bytes is read from
    // a terminated copy, so that nothing beyond its length can join the number.
    if (text[length] == '\0') {
        return readTerminated(text);
    }
    char local[kLocalCopyLength + 1];
    if (length <= kLocalCopyLength) {
        std::memcpy(local, text, length);
        local[length] = '\0';
        return readTerminated(local);
    }
    return readTerminated(std::string(text, length).c_str());
}

CNumberReader::Number CNumberReader::readTerminated(char const* text) const {
    char* end = nullptr;
    double const value = ::strtod_l(text, &end, locale_);
    return {value, static_cast<std::size_t>(end - text)};
}

#endif

}  // namespace platform
}  // namespace tavrisk
