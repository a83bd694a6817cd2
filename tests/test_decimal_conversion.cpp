// The exact decimal conversion and the number reader built on it, against strtod in the "C"
// locale on texts made to sit on every edge the short way has.
#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/c_number.h"
#include "platform/decimal_conversion.h"

using tavrisk::platform::CNumberReader;
using tavrisk::platform::readExactDecimal;

namespace {

std::uint64_t bitsOf(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

// strtod in the "C" locale: the reference for every text.
class CStrtod {
public:
    CStrtod() : locale_(newlocale(LC_ALL_MASK, "C", locale_t(0))) {}
    ~CStrtod() { freelocale(locale_); }
    CNumberReader::Number operator()(std::string const& text) const {
        char* end = nullptr;
        double const value = strtod_l(text.c_str(), &end, locale_);
        return {value, static_cast<std::size_t>(end - text.c_str())};
    }

private:
    locale_t locale_;
};

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
        std::string text(below(2) == 0 ? "e" : "E");
        if (e >= 0 && below(3) == 0) {
            text += '+';
        }
        return text + std::string(below(4) == 0 ? "00" : "") + std::to_string(e);
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
        std::uint64_t q = low + below(high - low + 1);
        q |= 1;
        int const shift = k + static_cast<int>(below(3));
        std::uint64_t w = q << (shift - k);
        if (w > (std::uint64_t(1) << 53)) {
            w = q;
        }
        return sign() + std::to_string(w) + "e" + std::to_string(k);
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
            static char const kStray[] = "eE.+-xXpaInN \v";
            text.insert(at, 1, kStray[below(sizeof kStray - 1)]);
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

struct Generator {
    char const* name;
    std::function<std::string(TextMaker&)> make;
    bool allExact;  // every text of this kind must take the short way
};

std::vector<Generator> const& generators() {
    static std::vector<Generator> const all = {
        {"machine decimal", &TextMaker::machineDecimal, true},
        {"long significand", &TextMaker::longSignificand, false},
        {"near 2^53", &TextMaker::nearTwoTo53, false},
        {"halfway", &TextMaker::halfway, true},
        {"extreme", &TextMaker::extreme, false},
        {"odd form", &TextMaker::oddForm, false},
    };
    return all;
}

constexpr int kCasesPerGenerator = 20000;

}  // namespace

TEST(ExactDecimal, AgreesWithStrtodWheneverItAnswers) {
    CStrtod const strtodC;
    TextMaker maker(0x7A5F11E5u);
    for (Generator const& generator : generators()) {
        int exact = 0;
        for (int i = 0; i < kCasesPerGenerator; ++i) {
            std::string const text = generator.make(maker);
            // The bytes after the text are digits: nothing past its length may join the number.
            std::string const padded = text + "99999999";
            double value = 0.0;
            if (!readExactDecimal(padded.data(), text.size(), value)) {
                EXPECT_FALSE(generator.allExact) << generator.name << " '" << text << "'";
                continue;
            }
            ++exact;
            CNumberReader::Number const expected = strtodC(text);
            ASSERT_EQ(expected.length, text.size()) << "'" << text << "'";
            ASSERT_EQ(bitsOf(value), bitsOf(expected.value)) << "'" << text << "'";
        }
        // Each kind but the odd forms reaches the short way often enough to test it.
        if (std::string(generator.name) != "odd form") {
            EXPECT_GT(exact, kCasesPerGenerator / 10) << generator.name;
        }
    }
}

TEST(ExactDecimal, EdgesOfTheExactRange) {
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
    CStrtod const strtodC;
    for (Case const& c : cases) {
        std::string const text = c.text;
        double value = 0.0;
        EXPECT_EQ(readExactDecimal(text.data(), text.size(), value), c.exact) << text;
        if (c.exact) {
            EXPECT_EQ(bitsOf(value), bitsOf(strtodC(text).value)) << text;
        }
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
