// Text to double as atof reads it in the "C" locale: value and length against strtod on fixed
// texts, in every rounding mode (random texts: test_decimal_conversion.cpp).
#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include "decimal_texts.h"
#include "platform/c_number.h"

using tavrisk::platform::CNumber;
using tavrisk::platform::CNumberReader;
using tavrisk::platform::readWithoutLocale;
using tavrisk_test::bitsOf;
using tavrisk_test::cStrtod;
using tavrisk_test::sameNumber;

TEST(CNumberReader, MatchesStrtodInValueAndLength) {
    std::vector<std::string> const cases = {
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
        "0x100000000p1000", "0.0000000000000000000001e-302", "0.1e310", "\r5",
        // Out of range the other way than the digits alone suggest: many digits after the point
        // of an underflow, many hexadecimal digits before a negative exponent of an overflow.
        "1." + std::string(400, '0') + "e-400", "0x1" + std::string(400, '0') + "p-500",
        // Products and quotients that x87 arithmetic rounds twice, one unit in the last place
        // away from the double: the 32-bit Windows build read them so.
        "2003456650e+15", "7455139768e-9", "6093783179e-21"};
    CNumberReader const reader;
    ASSERT_TRUE(reader.valid());
    for (std::string const& text : cases) {
        CNumber const expected = cStrtod(text);
        EXPECT_TRUE(sameNumber(reader.read(text.c_str(), text.size()), expected)) << text;
        EXPECT_TRUE(sameNumber(readWithoutLocale(text.c_str(), text.size()), expected)) << text;
    }
}

TEST(CNumberReader, FollowsTheRoundingModeOfTheHost) {
    // strtod rounds in the host's mode; the exact conversion and from_chars round to nearest, so
    // a reader made under another mode must not take them. On Windows every number is read to
    // nearest, whatever the mode.
    tavrisk_test::TextMaker maker(0xD1EC7ED);
    for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        CNumberReader const reader;
        int differsFromNearest = 0;
        for (int i = 0; i < 3000; ++i) {
            std::string const text = i % 2 == 0 ? maker.machineDecimal() : maker.longSignificand();
            CNumber const got = reader.read(text.c_str(), text.size());
            CNumber const inMode = cStrtod(text);
            std::fesetround(FE_TONEAREST);
            CNumber const nearest = cStrtod(text);
            std::fesetround(mode);
            differsFromNearest += bitsOf(inMode.value) != bitsOf(nearest.value);
            // The reader without locale rounds to nearest everywhere: from_chars used to round
            // some numbers in the host's mode.
            EXPECT_TRUE(sameNumber(readWithoutLocale(text.c_str(), text.size()), nearest))
                << mode << " " << text;
#if defined(_WIN32)
            EXPECT_TRUE(sameNumber(got, nearest)) << mode << " " << text;
#else
            EXPECT_TRUE(sameNumber(got, inMode)) << mode << " " << text;
#endif
        }
        std::fesetround(FE_TONEAREST);
#if !defined(_WIN32)
        EXPECT_GT(differsFromNearest, 100) << mode;
#endif
    }
}
