// SPDX-License-Identifier: MIT
// The point scanner as the rules of a point file read literally: one byte at a time, each value
// copied into a terminated buffer and converted there by strtod in the "C" locale. The oracle
// for the block scanner of the library.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <vector>

#include "gte/vector.h"
#include "pointtext/point_file.h"
#include "pointtext/c_number.h"

namespace tavrisk_test {

// The bits of a double, to compare results exactly.
inline std::uint64_t bitsOf(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

// strtod in the "C" locale, the reference every number read from text is held to: the number at
// the front of a text that ends at its first byte 0.
inline tavrisk::platform::CNumber cStrtod(char const* text) {
    char* end = nullptr;
#if defined(_WIN32)
    // MinGW's strtod is its own C99 reader (hexadecimal, inf, nan, rounded to nearest), unlike
    // the system runtime's; it follows the process locale, which the tests leave at "C".
    double const value = std::strtod(text, &end);
#else
    static locale_t const c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    double const value = strtod_l(text, &end, c);
#endif
    return {value, static_cast<std::size_t>(end - text)};
}

class LiteralPointScanner {
public:
    LiteralPointScanner(std::vector<gte::Vector3>& points, tavrisk::PointFileProblem& problem)
        : points_(points), problem_(problem) {}

    // Takes the next bytes of the file; a byte order mark that the first of them start with is
    // skipped.
    bool scan(char const* bytes, std::size_t size) {
        std::size_t i = first_ && size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
        first_ = false;
        for (; i < size; ++i) {
            char const c = bytes[i];
            if (c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t') {
                if (length_ > 0 && !endValue()) {
                    return false;
                }
                // CR LF, a lone LF and a lone CR each end one line.
                line_ += c == '\r' || (c == '\n' && !afterCarriageReturn_);
                afterCarriageReturn_ = c == '\r';
                continue;
            }
            if (length_ == tavrisk::kMaxPointValueLength) {
                return refuseValue(Kind::valueTooLong, tavrisk::kMaxPointValueLength + 1);
            }
            value_[length_++] = c;
            afterCarriageReturn_ = false;
        }
        return true;
    }

    bool finish() {
        if (length_ > 0 && !endValue()) {
            return false;
        }
        if (coordinate_ != 0 || points_.empty()) {
            problem_.kind = coordinate_ != 0 ? Kind::incompletePoint : Kind::noPoint;
            problem_.line = coordinate_ != 0 ? lastValueLine_ : 0;
            return false;
        }
        return true;
    }

    // The points added up from the zero vector in file order.
    gte::Vector3 const& sum() const { return sum_; }

private:
    using Kind = tavrisk::PointFileProblemKind;

    bool endValue() {
        value_[length_] = '\0';
        tavrisk::platform::CNumber const number = cStrtod(value_);
        if (number.length != length_ || !std::isfinite(number.value)) {
            return refuseValue(number.length != length_ ? Kind::notANumber : Kind::notFinite,
                               length_);
        }
        pending_[coordinate_] = number.value;
        length_ = 0;
        lastValueLine_ = line_;
        if (++coordinate_ == 3) {
            points_.push_back(pending_);
            sum_ += pending_;
            coordinate_ = 0;
        }
        return true;
    }

    bool refuseValue(Kind kind, std::size_t fullLength) {
        std::size_t const kept = std::min(fullLength, tavrisk::PointFileProblem::kValueTextLimit);
        problem_.kind = kind;
        problem_.line = line_;
        problem_.value.assign(value_, kept);
        problem_.valueCut = fullLength > kept;
        return false;
    }

    std::vector<gte::Vector3>& points_;
    tavrisk::PointFileProblem& problem_;
    char value_[tavrisk::kMaxPointValueLength + 1];
    std::size_t length_ = 0;
    gte::Vector3 pending_ = gte::Vector3::zeroVector();
    gte::Vector3 sum_ = gte::Vector3::zeroVector();
    int coordinate_ = 0;
    std::size_t line_ = 1;
    std::size_t lastValueLine_ = 0;
    bool afterCarriageReturn_ = false;
    bool first_ = true;
};

}  // namespace tavrisk_test
