// SPDX-License-Identifier: MIT
// Texts made to sit on every edge of the decimal conversion, for the randomized tests of the
// number readers and of the point scanner.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/literal_point_scanner.h"

namespace tavrisk_test {

// The same length, and the same value where there is a number. NaN payloads are each C
// library's own choice; the file refuses every NaN alike.
inline ::testing::AssertionResult sameNumber(tavrisk::platform::CNumber got,
                                             tavrisk::platform::CNumber expected) {
    if (got.length == expected.length &&
        (expected.length == 0 ||
         (std::isnan(expected.value)
              ? std::isnan(got.value) && std::signbit(got.value) == std::signbit(expected.value)
              : bitsOf(got.value) == bitsOf(expected.value)))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << got.value << " of length " << got.length << " for "
                                         << expected.value << " of length " << expected.length;
}

// Texts built to sit on the edges of the exact conversion, each kind from its own generator.
class TextMaker {
public:
    explicit TextMaker(std::uint64_t seed) : random_(seed) {}

    std::uint64_t below(std::uint64_t bound) {
        return std::uniform_int_distribution<std::uint64_t>(0, bound - 1)(random_);
    }
    // A count from 1 to most.
    int upTo(int most) { return 1 + static_cast<int>(below(static_cast<std::uint64_t>(most))); }
    std::string digits(int count) {
        std::string text;
        while (count-- > 0) {
            text += static_cast<char>('0' + below(10));
        }
        return text;
    }
    std::string sign() { return below(4) == 0 ? "-" : below(8) == 0 ? "+" : ""; }
    // Either mark, an explicit plus now and then, leading zeros now and then.
    std::string exponent(int low, int high) {
        int const e = low + static_cast<int>(below(static_cast<std::uint64_t>(high - low + 1)));
        std::string const mark = below(2) == 0 ? "e" : "E";
        std::string const sign = e < 0 ? "-" : below(3) == 0 ? "+" : "";
        return mark + sign + (below(4) == 0 ? "00" : "") + std::to_string(e < 0 ? -e : e);
    }

    // The way measuring machines print: a few integer digits, a point, up to eight decimals.
    std::string machineDecimal() { return sign() + digits(upTo(6)) + "." + digits(upTo(9) - 1); }
    // 15 to 20 significant digits, the point anywhere, a power near the exact range's ends.
    std::string longSignificand() {
        std::string const all = digits(14 + upTo(6));
        std::size_t const point = below(all.size() + 1);
        std::string const text = sign() + all.substr(0, point) + "." + all.substr(point);
        return below(2) == 0 ? text : text + exponent(-26, 26);
    }
    // Integers around 2^53, their scaled forms, and the digits cut by a point after eight.
    std::string nearTwoTo53() {
        std::string const value = std::to_string((std::uint64_t(1) << 53) - 4 + below(9));
        std::string const forms[] = {value, value + ".0", value + exponent(-23, 23),
                                     "0." + value + exponent(-8, 30),
                                     value.substr(0, 8) + "." + value.substr(8)};
        return sign() + forms[below(5)];
    }
    // In turn: the forms only the general conversion reads and where it could go astray, and
    // characters of numbers in any order.
    std::string oddForm() {
        static std::string const kForms[] = {
            // Partial numbers, signs and white space.
            "", ".", "-", "+", "e5", ".e5", "1e", "1e+", "1E-", "1e-x", "1e-5x", "1.5e+0003", "5.",
            "-.5", "+.5", "\v\f+.5e1", " 8", "\r5", "\2001", "1,5", "1.5mm", "1..5", "1.5.", "--1",
            "+-1", "- 1", "1e+-5", std::string("12") + '\0' + "34",
            // Rounding, a significand that wraps 64 bits to 1, denormals and the ends of the range.
            "9007199254740993", "18446744073709551617", "0.1", "2.2250738585072011e-308",
            "4.9e-324", "2.4703282292062327e-324", "2.4703282292062328e-324", "-1e-400", "1e400",
            "1.7976931348623159e308", "1e2147483650", "1" + std::string(400, '0'),
            "0." + std::string(400, '0') + "1e5", "0.0000000000000000000001e-302", "0.1e310",
            // Hexadecimal, infinities and NaN; where a reader built on from_chars could go astray:
            // a sign or a word after "0x", a second sign, an exponent without digits.
            "0x1p3", "-0X1.8P1", "0x", "0x.8", "00x1", "0x1p-1075", "inf", "-INF", "infinit",
            "infinity", "infinityx", "nan", "-nan", "NaN(123)", "nan(abc_1)", "0xinf", "-0xnan",
            "0x-1", "0x+1", "0x.", "0x.p1", "0x.8p", "+0x1P-3", "0x1p+", "0xP3", " \t-0x10",
            "+-0x1", "0x1e5", "0x1p-1076", "-0x1.8p-1075", "0x1p1024", "0x1.fffffffffffff8p1023",
            "0x.00000001p-1040", "0x100000000p1000",
            // Out of range the other way than the digits alone suggest.
            "1." + std::string(400, '0') + "e-400", "0x1" + std::string(400, '0') + "p-500",
            // Regression: x87 arithmetic rounds these products and quotients twice, one unit in
            // the last place away from the double; the 32-bit Windows build read them so.
            "2003456650e+15", "7455139768e-9", "6093783179e-21",
            // Regression: a point in the sixteenth byte was taken for the end of the bytes looked
            // at and cleared with the points, and the plain decimal's end was read from a mask
            // with no bit.
            "000000000002339.1"};
        static char const kLetters[] =
            "0123456789012345678901234567890123456789.eE+-xXpPaAfFiInN\v:";
        std::string soup;
        for (int n = upTo(30); n > 0; --n) {
            soup += kLetters[below(sizeof kLetters - 1)];
        }
        std::uint64_t const turn = odd_++;
        return turn % 2 == 0 ? kForms[turn / 2 % (sizeof kForms / sizeof kForms[0])] : soup;
    }

private:
    std::mt19937_64 random_;
    std::uint64_t odd_ = 0;
};

// One kind of text.
struct Generator {
    char const* name;
    std::string (TextMaker::*make)();
};

inline std::vector<Generator> const& generators() {
    static std::vector<Generator> const all = {
        {"machine decimal", &TextMaker::machineDecimal},
        {"long significand", &TextMaker::longSignificand},
        {"near 2^53", &TextMaker::nearTwoTo53},
        {"odd form", &TextMaker::oddForm},
    };
    return all;
}

}  // namespace tavrisk_test
