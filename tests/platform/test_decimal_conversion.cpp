// The exact decimal conversions against strtod in the "C" locale, on texts made to sit on every
// edge the short ways have.
#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "decimal_texts.h"
#include "platform/c_number.h"
#include "platform/decimal_conversion.h"

using tavrisk::platform::CNumberReader;
using tavrisk::platform::kShortDecimalReach;
using tavrisk::platform::readExactDecimal;
using tavrisk::platform::readShortDecimal;
using tavrisk_test::bitsOf;
using tavrisk_test::cStrtod;
using tavrisk_test::Generator;
using tavrisk_test::generators;
using tavrisk_test::kCasesPerGenerator;
using tavrisk_test::TextMaker;

TEST(ExactDecimal, AgreesWithStrtodWheneverItAnswers) {
    if (!tavrisk::platform::kExactDecimalArithmetic) {
        GTEST_SKIP()
            << "doubles are computed in wider registers here: the reader goes the general way";
    }
    TextMaker maker(0x7A5F11E5u);
    for (Generator const& generator : generators()) {
        int exact = 0;
        int shortDecimals = 0;
        for (int i = 0; i < kCasesPerGenerator; ++i) {
            std::string const text = generator.make(maker);
            // The bytes after the text are digits: nothing past its length may join the number.
            std::string const padded = text + "99999999";
            double value = 0.0;
            bool const taken = readExactDecimal(padded.data(), text.size(), value);
            // In a buffer, as the point scanner reads: a separator follows, then more bytes. The
            // short decimal at the front is what strtod takes from that front.
            std::string const inBuffer = text + "," + std::string(kShortDecimalReach, '9');
            double shortValue = 0.0;
            char const* const shortEnd = readShortDecimal(inBuffer.data(), shortValue);
            EXPECT_TRUE(!generator.allShort || shortEnd == inBuffer.data() + text.size())
                << generator.name << " '" << text << "'";
            if (shortEnd != nullptr) {
                ++shortDecimals;
                std::string const front(inBuffer.data(), shortEnd);
                tavrisk::platform::CNumber const frontNumber = cStrtod(front);
                ASSERT_EQ(frontNumber.length, front.size()) << "'" << text << "'";
                ASSERT_EQ(bitsOf(shortValue), bitsOf(frontNumber.value)) << "'" << text << "'";
            }
            if (!taken) {
                EXPECT_FALSE(generator.allExact) << generator.name << " '" << text << "'";
                continue;
            }
            ++exact;
            tavrisk::platform::CNumber const expected = cStrtod(text);
            ASSERT_EQ(expected.length, text.size()) << "'" << text << "'";
            ASSERT_EQ(bitsOf(value), bitsOf(expected.value)) << "'" << text << "'";
        }
        // Each kind of number, not the odd forms or the soup, takes the short ways often enough
        // to test them.
        if (generator.numbers) {
            EXPECT_GT(exact, kCasesPerGenerator / 10) << generator.name;
            EXPECT_GT(shortDecimals, kCasesPerGenerator / 10) << generator.name;
        }
    }
}

TEST(ExactDecimal, EdgesOfTheExactRange) {
    if (!tavrisk::platform::kExactDecimalArithmetic) {
        GTEST_SKIP()
            << "doubles are computed in wider registers here: the reader goes the general way";
    }
    struct Case {
        char const* text;
        bool exact;
    } const cases[] = {
        {"9007199254740992", true},     // 2^53
        {"9007199254740993", false},    // 2^53 + 1 needs the general rounding
        {"9007199254740992e22", true},  // the largest exact product
        {"1e22", true},
        {"1e23", false},
        {"1e-22", true},
        {"1e-23", false},
        {"123456789012345678e-22", false},  // more than 2^53
        {"1234567890123456789", false},     // 19 digits above 2^53
        {"0000000000000000001", true},      // 19 digits
        {"00000000000000000001", false},    // 20 digits, leading zeros included
        {"-0.0e-999", true},
        {"0e99999999999", true},
        {"5.", true},
        {".5", true},
        {"+.5", true},
        {"-", false},
        {".", false},
        {"1e", false},
        {"1e+", false},
        {"0x10", false},
        {"inf", false},
        {"1.5x", false},
    };
    for (Case const& c : cases) {
        std::string const text = c.text;
        // A text it does not take leaves the value alone, even one with a number in front.
        double value = -7.0;
        EXPECT_EQ(readExactDecimal(text.data(), text.size(), value), c.exact) << text;
        EXPECT_EQ(bitsOf(value), bitsOf(c.exact ? cStrtod(text).value : -7.0)) << text;
    }
}
