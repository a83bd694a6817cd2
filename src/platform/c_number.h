// Text to double exactly as atof reads it in the "C" locale, whatever locale the host has set.
#pragma once

#include <clocale>
#include <cstddef>
#include <locale.h>

namespace tavrisk {
namespace platform {

class CNumberReader {
public:
    CNumberReader();
    ~CNumberReader();
    CNumberReader(CNumberReader const&) = delete;
    CNumberReader& operator=(CNumberReader const&) = delete;

    // False when the "C" locale object could not be created; read must not be called then.
    bool valid() const { return locale_ != locale_t(0); }

    // A number read from the front of a text, and how many characters it took.
    struct Number {
        double value;
        std::size_t length;  // 0 when the text does not start with a number
    };

    // Reads the longest leading part of text[0, length) that forms a number (decimal or
    // hexadecimal, inf, nan, after optional white space and sign); 0.0 of length 0 when there is
    // none, and HUGE_VAL, a denormal or 0 out of range. Nothing beyond the text joins the number;
    // text[length] must be readable (it is tested for a terminating zero).
    Number read(char const* text, std::size_t length) const;

    // Whether the host's rounding mode, taken when the reader was made, is to nearest: the mode
    // in which the exact decimal conversion agrees with strtod.
    bool roundsToNearest() const { return roundsToNearest_; }

private:
    Number readTerminated(char const* text) const;

    locale_t locale_;
    bool roundsToNearest_;
};

}  // namespace platform
}  // namespace tavrisk
