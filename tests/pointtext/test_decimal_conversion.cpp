// SPDX-License-Identifier: MIT
// The number readers and the exact decimal conversions against strtod in the "C" locale, on texts
// made to sit on every edge the short ways have, and in every rounding mode of the host.
#include <cfenv>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "support/decimal_texts.h"
#include "pointtext/point_scanner.h"
#include "pointtext/c_number.h"
#include "pointtext/decimal_conversion.h"

using namespace tavrisk::platform;
using namespace tavrisk_test;

namespace {

// text is what strtod reads whole, to the bits of value.
::testing::AssertionResult isStrtodOf(std::string const& text, double value) {
    return sameNumber({value, text.size()}, cStrtod(text.c_str()));
}

}  // namespace

TEST(NumberReading, EveryWayAgreesWithStrtodOnEveryKindOfTextInEveryRoundingMode) {
    TextMaker maker(0x7A5F11E5u);
    std::mt19937_64 random(0x5EED0F11u);
    // Bytes around a text, which must not join it; what ends a text need not be a separator.
    auto const bytes = [&](std::size_t count) {
        static char const kAround[] = "0123456789.-+e, \n\0x";
        std::string text;
        while (text.size() < count) {
            text += kAround[random() % (sizeof kAround - 1)];
        }
        return text;
    };
    int const kCases = 10000;
    for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        // strtod rounds in the host's mode; the exact conversion and from_chars round to
        // nearest, so a reader made under another mode must not take them. On Windows every
        // number is read to nearest, whatever the mode.
        ASSERT_EQ(std::fesetround(mode), 0);
        CNumberReader const reader;
        ASSERT_TRUE(reader.valid());
        int differsFromNearest = 0;
        for (Generator const& generator : generators()) {
            // Each mode other than the host's usual one on a fifth as many texts.
            for (int i = 0; i < (mode == FE_TONEAREST ? kCases : kCases / 5); ++i) {
                std::string const text = (maker.*generator.make)();
                std::string const label =
                    std::to_string(mode) + " " + generator.name + " '" + text + "'";
                CNumber const inMode = cStrtod(text.c_str());
                std::fesetround(FE_TONEAREST);
                CNumber const nearest = cStrtod(text.c_str());
                std::fesetround(mode);
                differsFromNearest += bitsOf(inMode.value) != bitsOf(nearest.value);
#if defined(_WIN32)
                CNumber const& expected = nearest;
#else
                CNumber const& expected = inMode;
#endif
                // Read where it lies, followed by bytes that would continue it: none may join
                // it. The reader without locale rounds to nearest everywhere: from_chars used to
                // round some numbers in the host's mode.
                std::string const inFile = text + "5e5,1";
                ASSERT_TRUE(sameNumber(reader.read(inFile.data(), text.size()), expected)) << label;
                ASSERT_TRUE(sameNumber(reader.readGeneral(inFile.data(), text.size()), expected))
                    << label;
                ASSERT_TRUE(sameNumber(readWithoutLocale(inFile.data(), text.size()), nearest))
                    << label;
                if (!kExactDecimalArithmetic || mode != FE_TONEAREST) {
                    continue;  // the fast ways are used only where they round as strtod does
                }
                // Digits after the text: nothing past its length may join the number. A text not
                // taken leaves the value alone.
                std::string const padded = text + "99999999";
                double value = -7.0;
                bool const exact = readExactDecimal(padded.data(), text.size(), value);
                ASSERT_TRUE(isStrtodOf(exact ? text : "-7", value)) << label;
                // A plain decimal among bytes it may read before and after it (those after may
                // continue the text).
                std::string const before = bytes(kPlainDecimalReachBefore);
                std::string buffer = before + text + (random() % 2 == 0 ? "," : bytes(1)) +
                                     bytes(kPlainDecimalReach);
                buffer.resize(before.size() + text.size() + kPlainDecimalReach);
                char const* const start = buffer.data() + before.size();
                value = -7.0;
                char const* const plainEnd = readPlainDecimal(start, value);
                ASSERT_TRUE(
                    isStrtodOf(plainEnd == nullptr ? "-7" : std::string(start, plainEnd), value))
                    << label;
            }
        }
#if !defined(_WIN32)
        EXPECT_TRUE(mode == FE_TONEAREST || differsFromNearest > 200) << mode;
#endif
    }
    std::fesetround(FE_TONEAREST);
}

TEST(NumberReading, SimdFormsMatchTheirPortableForms) {
    auto const same = [](auto const& a, auto const& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    };
    std::mt19937_64 random(0xD161750);
    char const alphabet[] = " ,\t\n\r0123456789.-+eE\v\f\0x/:\xEF\xBB\xBF\x80\xFF";
    char group[16];
    for (int i = 0; i < 100000; ++i) {
        for (char& c : group) {
            c = alphabet[random() % (sizeof alphabet - 1)];
        }
        ASSERT_TRUE(same(tavrisk::classify16(group), tavrisk::classify16Portably(group)));
        ASSERT_TRUE(same(classifyDecimal16(group), classifyDecimal16Portably(group)));
        // Eight digits to a word, 0 to 9 in each byte.
        std::uint64_t words[2] = {0, 0};
        for (int b = 0; b < 16; ++b) {
            words[b / 8] |= (random() % 10) << (8 * (b % 8));
        }
        ASSERT_TRUE(same(digitGroups(words[0], words[1]), digitGroupsPortably(words[0], words[1])));
    }
}
