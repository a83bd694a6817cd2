// Text to double as atof reads it in the "C" locale: value and length against strtod_l on fixed
// and random texts.
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/c_number.h"
#include "test_util.h"

namespace {

// strtod in the "C" locale: the reference for every value.
tavrisk::platform::CNumber cStrtod(char const* text) {
    char* end = nullptr;
#if defined(_WIN32)
    // MinGW's strtod is its own C99 reader (hexadecimal, inf, nan, rounded to nearest), unlike
    // the system runtime's; it follows the process locale, which the tests leave at "C".
    double const value = std::strtod(text, &end);
#else
    locale_t const c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    double const value = strtod_l(text, &end, c);
    freelocale(c);
#endif
    return {value, static_cast<std::size_t>(end - text)};
}

std::uint64_t bitsOf(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

}  // namespace

TEST(CNumberReader, MatchesStrtodInValueAndLength) {
    std::vector<std::string> cases = {
        // Plain decimals, signs and partial numbers.
        "0", "-0", "+2", "1.5mm", ".5", "-.5", "1.", ".", "-", "", "abc", "1e", "1e-5x",
        "1.5e+0003", "00x1", "1.5e+", "--1",
        // Rounding, denormals and the ends of the range.
        "9007199254740993", "0.1", "2.2250738585072011e-308", "4.9e-324", "2.4703282292062327e-324",
        "2.4703282292062328e-324", "-1e-400", "1e400", "-1e400", "1.7976931348623159e308",
        "1e2147483650", "1" + std::string(400, '0'), "0." + std::string(400, '0') + "1",
        // The forms only strtod reads, white space and stray bytes.
        "0x1p3", "-0X1.8P1", "0x", "0x1p-1075", "inf", "-INF", "infinit", "nan", "-nan", "NaN(123)",
        "\v\f+.5e1", " 8", "\2001", "1,5", std::string("12") + '\0' + "34",
        // Where a reader built on from_chars could go astray: a sign or a word after "0x", a
        // second sign, a hexadecimal exponent without digits, rounding at both ends of the range.
        "0xinf", "-0xnan", "0x-1", "0x+1", "0x.", "0x.p1", "0x.8p", "+0x1P-3", "0x1p+", "0xP3",
        " \t-0x10", "+-0x1", "- 1", "0x1e5", "1e+-5", "nan(abc_1)", "infinityx", "0x1p-1076",
        "-0x1.8p-1075", "0x1p1024", "0x1.fffffffffffff8p1023", "0x.00000001p-1040",
        "0x100000000p1000", "0.0000000000000000000001e-302", "0.1e310"};
    // Random texts, half of them built like numbers, from a fixed seed.
    std::mt19937 random(20240917);
    auto pick = [&random](char const* from) {
        return from[std::uniform_int_distribution<std::size_t>(0, std::strlen(from) - 1)(random)];
    };
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        int const length = std::uniform_int_distribution<int>(1, 30)(random);
        if (i % 2 == 0) {
            for (int k = 0; k < length; ++k) {
                text += pick("0123456789012345678901234567890123456789.eE+-xXpPaAfFiInN\v");
            }
        } else {
            text = std::string(i % 3 == 0 ? "-" : "");
            for (int k = 0; k < length; ++k) {
                text += pick("0123456789");
            }
            text += i % 5 == 0 ? "" : "." + std::to_string(random());
            text += i % 7 == 0 ? "" : "e" + std::to_string(int(random() % 700) - 350);
            text += i % 11 == 0 ? std::string(1, pick("e.x-+a")) : "";
        }
        cases.push_back(text);
    }
    tavrisk::platform::CNumberReader const reader;
    ASSERT_TRUE(reader.valid());
    for (std::string const& text : cases) {
        tavrisk::platform::CNumber const expected = cStrtod(text.c_str());
        for (auto const got : {reader.read(text.c_str(), text.size()),
                               tavrisk::platform::readWithoutLocale(text.c_str(), text.size())}) {
            EXPECT_EQ(got.length, expected.length) << '"' << text << '"';
            if (expected.length == 0) {
                continue;  // no number: the value is no part of the answer
            }
            // NaN payloads are each C library's own choice; the file refuses every NaN alike.
            if (std::isnan(expected.value)) {
                EXPECT_TRUE(std::isnan(got.value)) << '"' << text << '"';
                EXPECT_EQ(std::signbit(got.value), std::signbit(expected.value)) << text;
            } else {
                EXPECT_EQ(bitsOf(got.value), bitsOf(expected.value)) << '"' << text << '"';
            }
        }
    }
}
