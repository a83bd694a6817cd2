// Texts made to sit on every edge of the decimal conversion, for the randomized tests of the
// number reader and of the point scanner.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "c_strtod.h"

namespace tavrisk_test {

// The same length, and the same value where there is a number. NaN payloads are each C
// library's own choice; the file refuses every NaN alike.
inline ::testing::AssertionResult sameNumber(tavrisk::platform::CNumber got,
                                             tavrisk::platform::CNumber expected) {
    bool const same =
        got.length == expected.length &&
        (expected.length == 0 ||
         (std::isnan(expected.value)
              ? std::isnan(got.value) && std::signbit(got.value) == std::signbit(expected.value)
              : bitsOf(got.value) == bitsOf(expected.value)));
    if (same) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << got.value << " of length " << got.length << " for "
                                         << expected.value << " of length " << expected.length;
}

// Texts built to sit on the edges of the exact conversion, each kind from its own generator.
class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : random_(seed) {}

    std::string digits(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += static_cast<char>('0' + below(10));
        }
        return text;
    }
    std::string sign() { return std::string(below(4) == 0 ? "-" : below(8) == 0 ? "+" : ""); }
    std::string exponent(int low, int high) {
        int const e = low + static_cast<int>(below(static_cast<std::uint64_t>(high - low + 1)));
        std::string const mark = below(2) == 0 ? "e" : "E";
        std::string const sign = e < 0 ? "-" : below(3) == 0 ? "+" : "";
        // Leading zeros in the exponent now and then.
        return mark + sign + (below(4) == 0 ? "00" : "") + std::to_string(e < 0 ? -e : e);
    }

    // The way measuring machines print: a few integer digits, a point, up to eight decimals.
    std::string machineDecimal() { return sign() + digits(upTo(6)) + "." + digits(upTo(9) - 1); }
    // 15 to 20 significant digits, the point anywhere, a power near the exact range's ends.
    std::string longSignificand() {
        std::string const all = digits(14 + upTo(6));
        std::size_t const point = below(all.size() + 1);
        std::string text = sign() + all.substr(0, point) + "." + all.substr(point);
        return below(2) == 0 ? text : text + exponent(-26, 26);
    }
    // Integers around 2^53 and their scaled forms.
    std::string nearTwoTo53() {
        std::uint64_t const value = (std::uint64_t(1) << 53) - 4 + below(9);
        std::string text = sign() + std::to_string(value);
        switch (below(4)) {
            case 0:
                return text;
            case 1:
                return text + ".0";
            case 2:
                return text + exponent(-23, 23);
            default:
                return sign() + "0." + std::to_string(value) + exponent(-8, 30);
        }
    }
    // Exact binary halfway points w * 10^k, w <= 2^53: the single product must round to even.
    std::string halfway() {
        int const k = 1 + static_cast<int>(below(22));
        double const fiveToK = std::pow(5.0, k);
        // An odd q with 5^k * q of exactly 54 bits is halfway between two doubles; w = q * 2^s
        // scaled down by 2^k, kept whole and below 2^53.
        std::uint64_t const low =
            static_cast<std::uint64_t>(std::ceil(std::ldexp(1.0, 53) / fiveToK));
        std::uint64_t const high = static_cast<std::uint64_t>(std::ldexp(1.0, 54) / fiveToK);
        std::uint64_t const q = (low + below(high - low + 1)) | 1;
        std::uint64_t const w = q << below(3);
        return sign() + std::to_string(w > (std::uint64_t(1) << 53) ? q : w) + "e" +
               std::to_string(k);
    }
    // Underflow, denormals, overflow and exponents far out.
    std::string extreme() {
        switch (below(6)) {
            case 0:
                return sign() + digits(1) + "." + digits(upTo(17) - 1) + exponent(-330, -300);
            case 1:
                return sign() + digits(upTo(3)) + exponent(300, 320);
            case 2:
                return sign() + "0." + std::string(below(30), '0') + digits(upTo(18));
            case 3:
                return sign() + std::string(below(25), '0') + digits(upTo(18)) + "." +
                       digits(upTo(5) - 1);
            case 4:
                return sign() + digits(upTo(3)) + exponent(-99999, 99999);
            default:
                return sign() + digits(upTo(19)) + exponent(-23, 23);
        }
    }
    // Forms only the general conversion reads, and stray characters anywhere.
    std::string oddForm() {
        static char const* const kForms[] = {
            "inf", "-INF", "infinity", "infinit", "nan", "-nan", "NaN(12)", "0x1p3", "-0X1.8P1",
            "0x",  "0x.8", ".5",       "5.",      "-.5", "+.5",  "+5.",     ".",     "-",
            "+",   "",     "e5",       ".e5",     "1e",  "1e+",  "1E-",     "1e-x",  "1.5e+0003",
            "--1", "+-1",  "1..5",     "1.5.",    "\v5", "\f-2", " 8",      "1,5",   "00x1"};
        std::string text = kForms[below(sizeof kForms / sizeof kForms[0])];
        if (below(2) == 0) {
            text = machineDecimal();
            std::size_t const at = below(text.size() + 1);
            static char const kStray[] = "eE.+-xXpaInN \v:";
            text.insert(at, 1, kStray[below(sizeof kStray - 1)]);
        }
        return text;
    }

    // Characters of numbers in any order: hexadecimal digits and marks, words, signs.
    std::string soup() {
        static char const kLetters[] =
            "0123456789012345678901234567890123456789.eE+-xXpPaAfFiInN\v:";
        std::string text;
        for (int n = upTo(30); n > 0; --n) {
            text += kLetters[below(sizeof kLetters - 1)];
        }
        return text;
    }

    std::uint64_t below(std::uint64_t bound) {
        return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(random_);
    }
    // A count from 1 to most.
    int upTo(int most) { return 1 + static_cast<int>(below(static_cast<std::uint64_t>(most))); }

private:
    std::mt19937_64 random_;
};

// One kind of text, with what the exact conversion must do for every text of the kind.
struct Generator {
    char const* name;
    std::function<std::string(TextMaker&)> make;
    bool allExact;  // every text of this kind must be read exactly
    bool allShort;  // and whole as a short decimal
    bool numbers;   // the kind is made of numbers, not of odd forms or stray characters
};

inline std::vector<Generator> const& generators() {
    static std::vector<Generator> const all = {
        {"machine decimal", &TextMaker::machineDecimal, true, true, true},
        {"long significand", &TextMaker::longSignificand, false, false, true},
        {"near 2^53", &TextMaker::nearTwoTo53, false, false, true},
        {"halfway", &TextMaker::halfway, true, false, true},
        {"extreme", &TextMaker::extreme, false, false, true},
        {"odd form", &TextMaker::oddForm, false, false, false},
        {"soup", &TextMaker::soup, false, false, false},
    };
    return all;
}

constexpr int kCasesPerGenerator = 20000;

}  // namespace tavrisk_test
