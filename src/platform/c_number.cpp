#include "platform/c_number.h"

#include <cfenv>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#include "platform/decimal_conversion.h"

namespace tavrisk {
namespace platform {

namespace {

// Texts up to this length are copied to the stack when they need a terminator.
constexpr std::size_t kLocalCopyLength = 127;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

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

CNumberReader::Number CNumberReader::read(char const* text, std::size_t length) const {
    if (roundsToNearest_) {
        double value = 0.0;
        if (readExactDecimal(text, length, value)) {
            return {value, length};
        }
        if (plainDecimal(text, length)) {
            std::from_chars_result const r = std::from_chars(text, text + length, value);
            if (r.ec == std::errc()) {
                return {value, static_cast<std::size_t>(r.ptr - text)};
            }
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

}  // namespace platform
}  // namespace tavrisk
