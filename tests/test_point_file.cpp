// Point text file reader: format, value conversion, chunked reading and every refusal.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "measure/point_file.h"
#include "platform/c_number.h"
#include "test_util.h"

using gte::Vector3;
using tavrisk::readPointFile;

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// strtod in the "C" locale, whatever the process locale: the reference for every value.
struct Strtod {
    double value;
    std::size_t length;
};
Strtod cStrtod(char const* text) {
    locale_t const c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    char* end = nullptr;
    double const value = strtod_l(text, &end, c);
    freelocale(c);
    return {value, static_cast<std::size_t>(end - text)};
}

std::uint64_t bitsOf(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

class PointFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavrisk_points_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(std::string const& name, std::string const& content) {
        std::string const p = dir_ + "/" + name;
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }

    // The points of content, or no points when the reader refuses it.
    std::vector<Vector3> points(std::string const& content) {
        std::vector<Vector3> out;
        readPointFile(write("points" + std::to_string(++files_), content).c_str(), out);
        return out;
    }

    std::string dir_;
    int files_ = 0;
};

}  // namespace

TEST_F(PointFile, FormatAndValues) {
    std::string const longValue = "0." + std::string(197, '3') + "1";  // 200 characters
    struct Case {
        std::string text;
        std::vector<Vector3> want;
    } const cases[] = {
        {"1 2 3 4 5 6\n", {{1, 2, 3}, {4, 5, 6}}},
        {"1,2,3,4\n", {{1, 2, 3}}},  // the fourth value never completes a point
        // Runs of the five separators end a value once, across lines.
        {"\t\t 7 ,, \t8\r\n\r\n,9, \n-1\t-2\t-3\t", {{7, 8, 9}, {-1, -2, -3}}},
        {"1;2 3 4\n", {{1, 3, 4}}},  // other bytes belong to the value
        // A last value without a separator after it is dropped.
        {"1 2 3 4 5 6", {{1, 2, 3}}},
        // Values read as atof in the "C" locale, however long.
        {"1.5mm,abc,0x1p3\n+2 \v3 \f-4.25e1\n", {{1.5, 0, 8}, {2, 3, -42.5}}},
        {longValue + " -0X1.8P1 1e400\n", {{1.0 / 3.0, -3, HUGE_VAL}}},
        {std::string("12\00034 5 6\n", 10), {{12, 5, 6}}},  // a byte 0 ends the number
    };
    for (Case const& c : cases) {
        auto const got = points(c.text);
        ASSERT_EQ(got.size(), c.want.size()) << c.text;
        for (std::size_t i = 0; i < 3 * got.size(); ++i) {
            EXPECT_EQ(got[i / 3][i % 3], c.want[i / 3][i % 3]) << c.text;
        }
    }
}

TEST_F(PointFile, ValuesStraddleChunkBoundaries) {
    // A value that starts 8 bytes before the first chunk ends.
    std::string text(kChunk - 8, ' ');
    text += "123456.789012345678,-0.000123456789,7e-3\n";
    // A value that ends exactly at the end of the second chunk, its separator opening the third.
    std::string const tail = "2.5 3.5 4.25";
    text += std::string(2 * kChunk - text.size() - tail.size(), '\n') + tail;
    ASSERT_EQ(text.size(), 2 * kChunk);
    // A value longer than a chunk: leading zeros do not change it.
    text += "\n" + std::string(kChunk + 100, '0') + "1.5 " + std::string(kChunk, '0') + "2 9\n";
    auto v = points(text);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_VEC3_EQ(v[0], 123456.789012345678, -0.000123456789, 7e-3);
    EXPECT_VEC3_EQ(v[1], 2.5, 3.5, 4.25);
    EXPECT_VEC3_EQ(v[2], 1.5, 2.0, 9.0);
}

TEST_F(PointFile, RefusalsLeaveTheListEmpty) {
    auto refused = [&](char const* p) {
        std::vector<Vector3> list{Vector3(9, 9, 9)};
        return readPointFile(p, list) == -1 && list.empty();
    };
    std::string const fifo = dir_ + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(refused(nullptr));
    EXPECT_TRUE(refused((dir_ + "/missing").c_str()));
    EXPECT_TRUE(refused(dir_.c_str()));
    EXPECT_TRUE(refused(fifo.c_str()));  // returns at once: no writer is waited for
    EXPECT_TRUE(refused(write("empty", "").c_str()));
    // Files that open but hold no complete point.
    EXPECT_TRUE(refused(write("unended", "1,2,3").c_str()));
    EXPECT_TRUE(refused(write("blank", " \r\n\t,\n").c_str()));
}

TEST_F(PointFile, ALockHeldElsewhereRefusesTheFile) {
    std::string const p = write("held", "1 2 3\n");
    std::vector<Vector3> list;
    for (int mode : {LOCK_EX, LOCK_SH}) {
        int const fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(flock(fd, mode), 0);
        list.assign(1, Vector3(9, 9, 9));
        EXPECT_EQ(readPointFile(p.c_str(), list), -1) << mode;
        EXPECT_TRUE(list.empty());
        ::close(fd);
        // Released: the file reads, twice, so the reader drops its own lock and the old points.
        EXPECT_EQ(readPointFile(p.c_str(), list), 0);
        EXPECT_EQ(readPointFile(p.c_str(), list), 0);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_VEC3_EQ(list[0], 1.0, 2.0, 3.0);
    }
}

TEST_F(PointFile, AReadOnlyFileIsReadAndLeftAsItWas) {
    std::string const content = "1.25,2.5,-3\n4,5,6\n";
    std::string const p = write("readonly", content);
    ASSERT_EQ(chmod(p.c_str(), 0444), 0);
    struct stat before, after;
    ASSERT_EQ(stat(p.c_str(), &before), 0);
    std::vector<Vector3> list;
    EXPECT_EQ(readPointFile(p.c_str(), list), 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_VEC3_EQ(list[0], 1.25, 2.5, -3.0);
    ASSERT_EQ(stat(p.c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    std::ifstream in(p, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), content);
}

// Sets LC_NUMERIC to a locale whose decimal point is a comma. When none is installed, one is
// compiled from the system's locale sources into dir and found through LOCPATH.
static bool setCommaLocale(std::string const& dir) {
    auto tryAll = [] {
        for (char const* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                std::localeconv()->decimal_point[0] == ',') {
                return true;
            }
        }
        return false;
    };
    if (tryAll()) {
        return true;
    }
    std::string const command =
        "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    setenv("LOCPATH", dir.c_str(), 1);
    bool const set = tryAll();
    unsetenv("LOCPATH");
    return set;
}

TEST_F(PointFile, HostLocaleDoesNotChangeTheDecimalPoint) {
    std::string const previous = std::setlocale(LC_NUMERIC, nullptr);
    bool const commaSet = setCommaLocale(dir_);
    auto v = points("1.5 -2.75e1 0x1.8p1\n +4.5 \v.5 9\n");
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!commaSet) {
        GTEST_SKIP() << "no locale with a decimal comma could be set";
    }
    ASSERT_EQ(v.size(), 2u);
    EXPECT_VEC3_EQ(v[0], 1.5, -27.5, 3.0);
    EXPECT_VEC3_EQ(v[1], 4.5, 0.5, 9.0);
}

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
        "\v\f+.5e1", " 8", "\2001", "1,5",
        std::string("12\0"
                    "34",
                    5)};
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
        Strtod const expected = cStrtod(text.c_str());
        auto const got = reader.read(text.c_str(), text.size());
        EXPECT_EQ(bitsOf(got.value), bitsOf(expected.value)) << '"' << text << '"';
        EXPECT_EQ(got.length, expected.length) << '"' << text << '"';
    }
}
