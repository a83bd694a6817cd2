// The exact decimal conversions against strtod in the "C" locale, on texts made to sit on every
// edge the short ways have.
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "decimal_texts.h"
#include "platform/c_number.h"
#include "platform/decimal_conversion.h"

using tavrisk::platform::CNumberReader;
using tavrisk::platform::kPlainDecimalReach;
using tavrisk::platform::kPlainDecimalReachBefore;
using tavrisk::platform::kShortDecimalReach;
using tavrisk::platform::readExactDecimal;
using tavrisk::platform::readPlainDecimal;
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

namespace {

// readPlainDecimal on text placed in a buffer after the given bytes and before the given tail,
// both of which it may read; returns the bytes it took (the tail may continue the text), or
// nullptr for none.
std::unique_ptr<std::string> plainDecimalIn(std::string const& before, std::string const& text,
                                            std::string const& tail, double& value) {
    std::string buffer = before + text + tail;
    buffer.resize(before.size() + text.size() + kPlainDecimalReach, '7');
    char const* const start = buffer.data() + before.size();
    char const* const end = readPlainDecimal(start, value);
    return end == nullptr ? nullptr : std::make_unique<std::string>(start, end);
}

}  // namespace

TEST(PlainDecimal, AgreesWithStrtodOnWhatItTakes) {
    if (!tavrisk::platform::kExactDecimalArithmetic) {
        GTEST_SKIP()
            << "doubles are computed in wider registers here: the reader goes the general way";
    }
    TextMaker maker(0x91A1DEC1u);
    std::mt19937_64 random(0x5EED0F11u);
    // Digits and points around the text may not join it; what ends it need not be a separator.
    static char const kAround[] = "0123456789.-+e, \n\0x";
    auto const bytes = [&](std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += kAround[random() % (sizeof kAround - 1)];
        }
        return text;
    };
    for (Generator const& generator : generators()) {
        int taken = 0;
        for (int i = 0; i < kCasesPerGenerator; ++i) {
            std::string const text = generator.make(maker);
            std::string const ending = random() % 2 == 0 ? "," : bytes(1);
            double value = -7.0;
            std::unique_ptr<std::string> const front = plainDecimalIn(
                bytes(kPlainDecimalReachBefore), text, ending + bytes(kPlainDecimalReach), value);
            // A machine's decimal of up to 14 characters after its sign, ended by a separator, is
            // always taken.
            std::size_t const sign = text[0] == '-' || text[0] == '+' ? 1 : 0;
            if (generator.allShort && text.size() - sign <= 14 && ending == ",") {
                ASSERT_TRUE(front != nullptr && *front == text) << "'" << text << "'";
            }
            if (front == nullptr) {
                ASSERT_EQ(bitsOf(value), bitsOf(-7.0)) << "'" << text << "'";
                continue;
            }
            ++taken;
            // The decimal taken is what strtod takes from its front.
            tavrisk::platform::CNumber const number = cStrtod(*front);
            ASSERT_EQ(number.length, front->size()) << "'" << *front << "'";
            ASSERT_EQ(bitsOf(value), bitsOf(number.value)) << "'" << *front << "'";
        }
        if (generator.allShort) {
            EXPECT_GT(taken, kCasesPerGenerator / 2) << generator.name;
        }
    }
}

TEST(PlainDecimal, EdgesOfItsRange) {
    if (!tavrisk::platform::kExactDecimalArithmetic) {
        GTEST_SKIP()
            << "doubles are computed in wider registers here: the reader goes the general way";
    }
    struct Case {
        char const* text;
        int length;  // taken, or -1
    } const cases[] = {
        {"-0.000000", 9},         // negative zero
        {"1234567.1234567", -1},  // fifteen characters
        {"-1234567.123456", 15},  // fourteen after the sign
        {"123456.1234567.", 14},  // fourteen characters, then a second point
        // Regression: a point in the sixteenth byte was taken for the end of the bytes looked at
        // and cleared with the points, and the decimal's end was read from a mask with no bit.
        {"000000000002339.1", -1},
        {"123456789", -1},       // nine integer digits
        {"1.123456789", -1},     // nine fraction digits
        {"90071992.54740", 14},  // scaled to 9007199254740000, below 2^53
        {"90071992.54741", -1},  // scaled to 9007199254741000, past 2^53
        {"90071992", 8},         // scaled to 9007199200000000
        {"90071993", -1},        // scaled to 9007199300000000, past 2^53
        {"+.5", 3},
        {"5.", 2},
        {".", -1},
        {"-", -1},
        {"+-1", -1},
        {"1.2.3", 3},  // the second point ends the decimal
        {"1-2", 1},
    };
    for (Case const& c : cases) {
        double value = -7.0;
        std::string const text = c.text;
        std::unique_ptr<std::string> const front = plainDecimalIn("99999999", text, ",", value);
        EXPECT_EQ(front == nullptr ? -1 : static_cast<int>(front->size()), c.length) << text;
        EXPECT_EQ(bitsOf(value), bitsOf(front == nullptr ? -7.0 : cStrtod(*front).value)) << text;
    }
}

TEST(PlainDecimal, ClassesAndDigitGroupsMatchTheirPortableForms) {
    std::mt19937_64 random(0xD161750);
    char const alphabet[] = "0123456789.-+/:, \0\x80\xFF";
    char group[16];
    for (int i = 0; i < 100000; ++i) {
        for (char& c : group) {
            c = alphabet[random() % (sizeof alphabet - 1)];
        }
        tavrisk::platform::DecimalBytes const fast = tavrisk::platform::classifyDecimal16(group);
        tavrisk::platform::DecimalBytes const portable =
            tavrisk::platform::classifyDecimal16Portably(group);
        ASSERT_EQ(fast.nonDigits, portable.nonDigits);
        ASSERT_EQ(fast.points, portable.points);
        // Eight digits to a word, 0 to 9 in each byte.
        std::uint64_t words[2] = {0, 0};
        for (std::uint64_t& word : words) {
            for (int b = 0; b < 8; ++b) {
                word |= (random() % 10) << (8 * b);
            }
        }
        tavrisk::platform::DigitGroups const groups =
            tavrisk::platform::digitGroups(words[0], words[1]);
        tavrisk::platform::DigitGroups const portableGroups =
            tavrisk::platform::digitGroupsPortably(words[0], words[1]);
        ASSERT_EQ(groups.integer, portableGroups.integer);
        ASSERT_EQ(groups.fraction, portableGroups.fraction);
    }
}
