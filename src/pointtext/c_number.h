// SPDX-License-Identifier: MIT
// Text to double exactly as atof reads it in the "C" locale, whatever locale the host has set.
#pragma once

#include <clocale>
#include <cstddef>
#include <locale.h>

#include "pointtext/decimal_conversion.h"

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
    // none, and HUGE_VAL, a denormal or 0 out of range. Nothing beyond the text joins the number;
    // text[length] must be readable (it is tested for a terminating zero).
    Number read(char const* text, std::size_t length) const;
    // The same without the exact decimal conversion: for texts it would rarely take, whose
    // values the general conversion gives to the same bits.
    Number readGeneral(char const* text, std::size_t length) const;

    // Whether the exact decimal conversion reads as this reader does: the host rounded to nearest
    // when the reader was made, the mode that conversion rounds in, and doubles are computed as
    // doubles.
    bool exactDecimals() const { return kExactDecimalArithmetic && roundsToNearest_; }

private:
#if !defined(_WIN32)
    Number readTerminated(char const* text) const;
    locale_t locale_;
#endif
    bool roundsToNearest_;
};

}  // namespace platform
}  // namespace tavrisk
