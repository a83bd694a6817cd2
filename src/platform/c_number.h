// Text to double exactly as atof reads it in the "C" locale, whatever locale the host has set.
#pragma once

#include <clocale>
#include <cstddef>
#include <locale.h>

namespace tavrisk {
namespace platform {

// A number read from the front of a text, and how many characters it took.
struct CNumber {
    double value;
    std::size_t length;  // 0 when the text does not start with a number
};

// Reads the longest leading part of text[0, length) that forms a number as the C library's strtod
// does in the "C" locale (decimal or hexadecimal, inf, nan, after optional white space and sign),
// with std::from_chars alone: no locale and no C runtime take part, so every platform reads the
// same digits the same way. The value is rounded to nearest; a NaN carries no payload; a number
// out of range gives HUGE_VAL or 0 with its sign, as strtod gives.
CNumber readWithoutLocale(char const* text, std::size_t length);

class CNumberReader {
public:
    CNumberReader();
    ~CNumberReader();
    CNumberReader(CNumberReader const&) = delete;
    CNumberReader& operator=(CNumberReader const&) = delete;

    // False when the "C" locale object could not be created; read must not be called then.
    bool valid() const;

    using Number = CNumber;

    // Reads the longest leading part of text[0, length) that forms a number (decimal or
    // hexadecimal, inf, nan, after optional white space and sign); 0.0 of length 0 when there is
    // none, and HUGE_VAL, a denormal or 0 out of range. text[length] must be '\0'.
    Number read(char const* text, std::size_t length) const;

private:
#if !defined(_WIN32)
    locale_t locale_;
    bool roundsToNearest_;
#endif
};

}  // namespace platform
}  // namespace tavrisk
