#include "platform/c_number.h"

#include <cfenv>
#include <charconv>
#include <cstdlib>
#include <system_error>

namespace tavrisk {
namespace platform {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// True when the text is a plain decimal number that std::from_chars reads exactly as strtod:
// an optional minus, then a digit or a point followed by a digit, and no "0x" prefix. Signs
// "+", leading white space, hexadecimal, inf and nan go the strtod way.
bool plainDecimal(char const* text) {
    char const* p = text;
    if (*p == '-') {
        ++p;
    }
    if (isDigit(p[0])) {
        return !(p[0] == '0' && (p[1] == 'x' || p[1] == 'X'));
    }
    return p[0] == '.' && isDigit(p[1]);
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
    if (roundsToNearest_ && plainDecimal(text)) {
        double value = 0.0;
        std::from_chars_result const r = std::from_chars(text, text + length, value);
        if (r.ec == std::errc()) {
            return {value, static_cast<std::size_t>(r.ptr - text)};
        }
    }
    char* end = nullptr;
    double const value = ::strtod_l(text, &end, locale_);
    return {value, static_cast<std::size_t>(end - text)};
}

}  // namespace platform
}  // namespace tavrisk
