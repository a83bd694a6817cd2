// The number readers and the exact decimal conversions against strtod in the "C" locale, on texts
// made to sit on every edge the short ways have.
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "decimal_texts.h"
#include "measure/point_scanner.h"
#include "platform/c_number.h"
#include "platform/decimal_conversion.h"

using namespace tavrisk::platform;
using tavrisk_test::bitsOf;
using tavrisk_test::cStrtod;
using tavrisk_test::Generator;
using tavrisk_test::generators;
using tavrisk_test::kCasesPerGenerator;
using tavrisk_test::sameNumber;

namespace {

// [start, end) is what strtod reads whole, to the bits of value.
::testing::AssertionResult isStrtodOf(char const* start, char const* end, double value) {
    std::string const text(start, end);
    CNumber const number = cStrtod(text);
    if (number.length == text.size() && bitsOf(number.value) == bitsOf(value)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "'" << text << "' read as " << value;
}

// readPlainDecimal on text placed after before and followed by after, both of which it may read
// (after may continue the text): the length it took, or -1.
int plainDecimalLength(std::string const& before, std::string const& text, std::string const& after,
                       double& value) {
    std::string buffer = before + text + after;
    buffer.resize(before.size() + text.size() + kPlainDecimalReach, '7');
    char const* const start = buffer.data() + before.size();
    char const* const end = readPlainDecimal(start, value);
    return end == nullptr ? -1 : static_cast<int>(end - start);
}

}  // namespace

TEST(NumberReading, EveryWayAgreesWithStrtodOnEveryKindOfText) {
    CNumberReader const reader;
    ASSERT_TRUE(reader.valid());
    tavrisk_test::TextMaker maker(0x7A5F11E5u);
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
    for (Generator const& generator : generators()) {
        int taken[3] = {0, 0, 0};  // by the exact, the short and the plain way
        for (int i = 0; i < kCasesPerGenerator; ++i) {
            std::string const text = generator.make(maker);
            std::string const label = std::string(generator.name) + " '" + text + "'";
            CNumber const expected = cStrtod(text);
            // Read where it lies, followed by bytes that would continue it: none may join it.
            std::string const inFile = text + "5e5,1";
            ASSERT_TRUE(sameNumber(reader.read(inFile.data(), text.size()), expected)) << label;
            ASSERT_TRUE(sameNumber(reader.readGeneral(inFile.data(), text.size()), expected))
                << label;
            ASSERT_TRUE(sameNumber(readWithoutLocale(inFile.data(), text.size()), expected))
                << label;
            if (!kExactDecimalArithmetic) {
                continue;  // doubles are computed in wider registers: the fast ways are not used
            }
            // Digits after the text: nothing past its length may join the number.
            std::string const padded = text + "99999999";
            double value = 0.0;
            if (readExactDecimal(padded.data(), text.size(), value)) {
                ++taken[0];
                ASSERT_TRUE(isStrtodOf(text.data(), text.data() + text.size(), value)) << label;
            } else {
                EXPECT_FALSE(generator.allExact) << label;
            }
            // The short decimal at the front of a buffer, as the point scanner reads it.
            std::string const inBuffer = text + "," + std::string(kShortDecimalReach, '9');
            char const* const shortEnd = readShortDecimal(inBuffer.data(), value);
            EXPECT_TRUE(!generator.allShort || shortEnd == inBuffer.data() + text.size()) << label;
            if (shortEnd != nullptr) {
                ++taken[1];
                ASSERT_TRUE(isStrtodOf(inBuffer.data(), shortEnd, value)) << label;
            }
            std::string const after =
                (random() % 2 == 0 ? "," : bytes(1)) + bytes(kPlainDecimalReach);
            value = -7.0;
            int const length =
                plainDecimalLength(bytes(kPlainDecimalReachBefore), text, after, value);
            // A machine's decimal of up to 14 characters after its sign, ended by a separator, is
            // always taken.
            std::size_t const sign = text[0] == '-' || text[0] == '+' ? 1 : 0;
            if (generator.allShort && text.size() - sign <= 14 && after[0] == ',') {
                ASSERT_EQ(length, static_cast<int>(text.size())) << label;
            }
            if (length < 0) {
                ASSERT_EQ(bitsOf(value), bitsOf(-7.0)) << label;  // left alone
                continue;
            }
            ++taken[2];
            std::string const front = (text + after).substr(0, static_cast<std::size_t>(length));
            ASSERT_TRUE(isStrtodOf(front.data(), front.data() + front.size(), value)) << label;
        }
        // Each kind of number takes the short ways often enough to test them.
        if (kExactDecimalArithmetic && generator.numbers) {
            EXPECT_GT(taken[0], kCasesPerGenerator / 10) << generator.name;
            EXPECT_GT(taken[1], kCasesPerGenerator / 10) << generator.name;
        }
        if (kExactDecimalArithmetic && generator.allShort) {
            EXPECT_GT(taken[2], kCasesPerGenerator / 2) << generator.name;
        }
    }
}

TEST(NumberReading, EdgesOfTheExactWays) {
    if (!kExactDecimalArithmetic) {
        GTEST_SKIP() << "doubles are computed in wider registers: the fast ways are not used";
    }
    struct Case {
        char const* text;
        bool exact;       // read by readExactDecimal
        int plainLength;  // taken by readPlainDecimal, or -1
    } const cases[] = {
        {"9007199254740992", true, -1},     // 2^53
        {"9007199254740993", false, -1},    // 2^53 + 1 needs the general rounding
        {"9007199254740992e22", true, -1},  // the largest exact product
        {"1e22", true, 1},
        {"1e23", false, 1},
        {"1e-22", true, 1},
        {"1e-23", false, 1},
        {"123456789012345678e-22", false, -1},  // more than 2^53
        {"1234567890123456789", false, -1},     // 19 digits above 2^53
        {"0000000000000000001", true, -1},      // 19 digits
        {"00000000000000000001", false, -1},    // 20 digits, leading zeros included
        {"-0.0e-999", true, 4},
        {"0e99999999999", true, 1},
        {"-0.000000", true, 9},  // negative zero
        {"5.", true, 2},
        {".5", true, 2},
        {"+.5", true, 3},
        {"-", false, -1},
        {".", false, -1},
        {"+-1", false, -1},
        {"1e", false, 1},
        {"1e+", false, 1},
        {"0x10", false, 1},
        {"inf", false, -1},
        {"1.5x", false, 3},
        {"1.2.3", false, 3},  // the second point ends the plain decimal
        {"1-2", false, 1},
        {"1234567.1234567", true, -1},   // fifteen characters
        {"-1234567.123456", true, 15},   // fourteen after the sign
        {"123456.1234567.", false, 14},  // fourteen characters, then a second point
        // Regression: a point in the sixteenth byte was taken for the end of the bytes looked at
        // and cleared with the points, and the decimal's end was read from a mask with no bit.
        {"000000000002339.1", true, -1},
        {"123456789", true, -1},       // nine integer digits
        {"1.123456789", true, -1},     // nine fraction digits
        {"90071992.54740", true, 14},  // scaled to 9007199254740000, below 2^53
        {"90071992.54741", true, -1},  // scaled to 9007199254741000, past 2^53
        {"90071992", true, 8},         // scaled to 9007199200000000
        {"90071993", true, -1},        // scaled to 9007199300000000, past 2^53
    };
    for (Case const& c : cases) {
        std::string const text = c.text;
        // A text not taken leaves the value alone, even one with a number in front.
        double value = -7.0;
        EXPECT_EQ(readExactDecimal(text.data(), text.size(), value), c.exact) << text;
        EXPECT_EQ(bitsOf(value), bitsOf(c.exact ? cStrtod(text).value : -7.0)) << text;
        value = -7.0;
        int const length = plainDecimalLength("99999999", text, ",", value);
        EXPECT_EQ(length, c.plainLength) << text;
        EXPECT_EQ(bitsOf(value), bitsOf(length < 0 ? -7.0 : cStrtod(text.substr(0, length)).value))
            << text;
    }
}

TEST(NumberReading, SimdFormsMatchTheirPortableForms) {
    std::mt19937_64 random(0xD161750);
    char const alphabet[] = " ,\t\n\r0123456789.-+eE\v\f\0x/:\xEF\xBB\xBF\x80\xFF";
    char group[16];
    for (int i = 0; i < 100000; ++i) {
        for (char& c : group) {
            c = alphabet[random() % (sizeof alphabet - 1)];
        }
        tavrisk::ByteClasses const fast = tavrisk::classify16(group);
        tavrisk::ByteClasses const portable = tavrisk::classify16Portably(group);
        ASSERT_EQ(fast.separators, portable.separators);
        ASSERT_EQ(fast.lineFeeds, portable.lineFeeds);
        ASSERT_EQ(fast.carriageReturns, portable.carriageReturns);
        DecimalBytes const decimal = classifyDecimal16(group);
        ASSERT_EQ(decimal.nonDigits, classifyDecimal16Portably(group).nonDigits);
        ASSERT_EQ(decimal.points, classifyDecimal16Portably(group).points);
        // Eight digits to a word, 0 to 9 in each byte.
        std::uint64_t words[2] = {0, 0};
        for (int b = 0; b < 16; ++b) {
            words[b / 8] |= (random() % 10) << (8 * (b % 8));
        }
        DigitGroups const groups = digitGroups(words[0], words[1]);
        ASSERT_EQ(groups.integer, digitGroupsPortably(words[0], words[1]).integer);
        ASSERT_EQ(groups.fraction, digitGroupsPortably(words[0], words[1]).fraction);
    }
}
