// Text to double as atof reads it in the "C" locale: value and length against strtod_l on fixed
// texts and on every kind of text the exact conversion has an edge for, in every rounding mode.
#include <cfenv>
#include <string>
#include <vector>

#include "decimal_texts.h"
#include "platform/c_number.h"
#include "test_util.h"

using tavrisk::platform::CNumberReader;
using tavrisk_test::bitsOf;
using tavrisk_test::CStrtod;
using tavrisk_test::Generator;
using tavrisk_test::generators;
using tavrisk_test::kCasesPerGenerator;
using tavrisk_test::TextMaker;

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
        "\v\f+.5e1", " 8", "\2001", "1,5", std::string("12") + '\0' + "34"};
    CStrtod const strtodC;
    CNumberReader const reader;
    ASSERT_TRUE(reader.valid());
    for (std::string const& text : cases) {
        CNumberReader::Number const expected = strtodC(text);
        CNumberReader::Number const got = reader.read(text.c_str(), text.size());
        EXPECT_EQ(bitsOf(got.value), bitsOf(expected.value)) << '"' << text << '"';
        EXPECT_EQ(got.length, expected.length) << '"' << text << '"';
    }
}

TEST(CNumberReader, MatchesStrtodInValueAndLengthOnEveryKindOfText) {
    CStrtod const strtodC;
    CNumberReader const reader;
    ASSERT_TRUE(reader.valid());
    TextMaker maker(0x5EEDC0DEu);
    for (Generator const& generator : generators()) {
        for (int i = 0; i < kCasesPerGenerator; ++i) {
            std::string const text = generator.make(maker);
            CNumberReader::Number const expected = strtodC(text);
            // Read where it lies, followed by a separator and more digits, as in a file.
            std::string const inFile = text + ",12345";
            CNumberReader::Number const got = reader.read(inFile.data(), text.size());
            ASSERT_EQ(got.length, expected.length) << "'" << text << "'";
            ASSERT_EQ(bitsOf(got.value), bitsOf(expected.value)) << "'" << text << "'";
        }
    }
}

TEST(CNumberReader, FollowsTheRoundingModeOfTheHost) {
    // strtod rounds in the current mode; the short way and from_chars round to nearest, so a
    // reader made under another mode must not take them.
    CStrtod const strtodC;
    TextMaker maker(0xD1EC7ED);
    for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        CNumberReader const reader;
        int differsFromNearest = 0;
        for (int i = 0; i < 3000; ++i) {
            std::string const text = i % 2 == 0 ? maker.machineDecimal() : maker.longSignificand();
            CNumberReader::Number const expected = strtodC(text);
            CNumberReader::Number const got = reader.read(text.c_str(), text.size());
            EXPECT_EQ(got.length, expected.length) << text;
            EXPECT_EQ(bitsOf(got.value), bitsOf(expected.value)) << mode << " " << text;
            std::fesetround(FE_TONEAREST);
            differsFromNearest += bitsOf(strtodC(text).value) != bitsOf(expected.value);
            std::fesetround(mode);
        }
        std::fesetround(FE_TONEAREST);
        EXPECT_GT(differsFromNearest, 100) << mode;
    }
}
