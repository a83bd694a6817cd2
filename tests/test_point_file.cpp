// Point text file reader: format, value conversion, chunked reading and every refusal.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "measure/point_file.h"
#include "platform/c_number.h"
#include "test_util.h"

using gte::Vector3;
using tavrisk::readPointFile;

namespace {

constexpr std::size_t kChunk = 64 * 1024;

std::uint64_t bitsOf(double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

// strtod in the "C" locale, whatever the process locale: the reference for every value.
double cStrtod(char const* text) {
    locale_t const c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    double const d = strtod_l(text, nullptr, c);
    freelocale(c);
    return d;
}

int openDescriptorCount() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir) != nullptr) ++count;
        closedir(dir);
    }
    return count;
}

class PointFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string const pattern =
            (std::filesystem::temp_directory_path() / "tavrisk_points_XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        ASSERT_NE(mkdtemp(buffer.data()), nullptr);
        dir_ = buffer.data();
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string path(std::string const& name) const { return dir_ + "/" + name; }

    std::string write(std::string const& name, std::string const& content) {
        std::string const p = path(name);
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        return p;
    }

    // Writes content to a fresh file and reads it back.
    int read(std::string const& content, std::vector<Vector3>& points) {
        std::string const p = write("points" + std::to_string(++files_) + ".txt", content);
        return readPointFile(p.c_str(), points);
    }

    // The points of content, or no points when the reader refuses it.
    std::vector<Vector3> points(std::string const& content) {
        std::vector<Vector3> out;
        read(content, out);
        return out;
    }

    std::string dir_;
    int files_ = 0;
};

}  // namespace

TEST_F(PointFile, ValuesGroupInThreesWhateverTheLines) {
    auto six = points("1 2 3 4 5 6\n");
    ASSERT_EQ(six.size(), 2u);
    EXPECT_VEC3_EQ(six[0], 1.0, 2.0, 3.0);
    EXPECT_VEC3_EQ(six[1], 4.0, 5.0, 6.0);

    auto four = points("1,2,3,4\n");  // the fourth value waits for two more that never come
    ASSERT_EQ(four.size(), 1u);
    EXPECT_VEC3_EQ(four[0], 1.0, 2.0, 3.0);

    auto split = points("1\n2\n3\n");
    ASSERT_EQ(split.size(), 1u);
    EXPECT_VEC3_EQ(split[0], 1.0, 2.0, 3.0);

    // Runs of mixed separators end a value once; there are no empty values.
    auto mixed = points("\t\t 7 ,, \t8\r\n\r\n,9, \n-1\t-2\t-3\t");
    ASSERT_EQ(mixed.size(), 2u);
    EXPECT_VEC3_EQ(mixed[0], 7.0, 8.0, 9.0);
    EXPECT_VEC3_EQ(mixed[1], -1.0, -2.0, -3.0);

    auto crlf = points("0.5,1.5,2.5\r\n3.5,4.5,5.5\r\n");
    ASSERT_EQ(crlf.size(), 2u);
    EXPECT_VEC3_EQ(crlf[1], 3.5, 4.5, 5.5);

    // Only the five listed separators separate: other control bytes belong to the value.
    auto other = points("1;2 3 4\n");
    ASSERT_EQ(other.size(), 1u);
    EXPECT_VEC3_EQ(other[0], 1.0, 3.0, 4.0);
}

TEST_F(PointFile, ALastValueWithoutSeparatorIsDropped) {
    std::string const lines = "0,0,0\n2,0,0\n0,2,0\n2,2,0\n1,1,1";
    auto cut = points(lines);
    ASSERT_EQ(cut.size(), 4u);
    EXPECT_VEC3_EQ(cut[3], 2.0, 2.0, 0.0);
    auto whole = points(lines + "\n");
    ASSERT_EQ(whole.size(), 5u);
    EXPECT_VEC3_EQ(whole[4], 1.0, 1.0, 1.0);
    // The dropped value may be a whole point's last coordinate or a lone trailing one.
    EXPECT_EQ(points("1 2 3 4 5 6").size(), 1u);
    EXPECT_EQ(points("1 2 3 4 5 6 7").size(), 2u);
}

TEST_F(PointFile, PrintedPointsReadBackOnePerLine) {
    double const values[] = {0.1, -2.0 / 3.0, 12345.678901, 1e-7, -0.0, 98765432.1};
    std::string text;
    char line[128];
    for (double v : values) {
        std::snprintf(line, sizeof line, "%lf,%lf,%lf\n", v, -v, 2 * v);
        text += line;
    }
    auto read = points(text);
    ASSERT_EQ(read.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        std::snprintf(line, sizeof line, "%lf", values[i]);
        EXPECT_EQ(bitsOf(read[i][0]), bitsOf(cStrtod(line))) << line;
        std::snprintf(line, sizeof line, "%lf", 2 * values[i]);
        EXPECT_EQ(bitsOf(read[i][2]), bitsOf(cStrtod(line))) << line;
    }
}

TEST_F(PointFile, ValuesReadAsAtofInTheCLocale) {
    std::string const longValue = "0." + std::string(197, '3') + "1";  // 200 characters
    ASSERT_EQ(longValue.size(), 200u);
    auto v = points("1.5mm,abc,0x1p3\n+2 \v3 \f-4.25e1\n" + longValue + " -0X1.8P1 1e400\n");
    ASSERT_EQ(v.size(), 3u);
    EXPECT_VEC3_EQ(v[0], 1.5, 0.0, 8.0);
    EXPECT_VEC3_EQ(v[1], 2.0, 3.0, -42.5);
    EXPECT_EQ(bitsOf(v[2][0]), bitsOf(cStrtod(longValue.c_str())));
    EXPECT_EQ(v[2][0], 1.0 / 3.0);
    EXPECT_EQ(v[2][1], -3.0);
    EXPECT_EQ(v[2][2], HUGE_VAL);

    auto named = points("inf -Infinity nan\n");
    ASSERT_EQ(named.size(), 1u);
    EXPECT_EQ(named[0][0], HUGE_VAL);
    EXPECT_EQ(named[0][1], -HUGE_VAL);
    EXPECT_TRUE(std::isnan(named[0][2]));

    // A byte 0 inside a value ends the number as it ends a C string.
    auto zero =
        points(std::string("12\0"
                           "34 5 6\n",
                           10));
    ASSERT_EQ(zero.size(), 1u);
    EXPECT_VEC3_EQ(zero[0], 12.0, 5.0, 6.0);
}

TEST_F(PointFile, ValuesStraddleChunkBoundaries) {
    // A value that starts 8 bytes before the first chunk ends.
    std::string text(kChunk - 8, ' ');
    text += "123456.789012345678,-0.000123456789,7e-3\n";
    // A value that ends exactly at the end of the second chunk, its separator opening the third.
    std::string const tail = "2.5 3.5 4.25";
    text += std::string(2 * kChunk - text.size() - tail.size(), '\n');
    text += tail;
    ASSERT_EQ(text.size(), 2 * kChunk);
    text += "\n";
    // A value longer than a chunk: leading zeros do not change it.
    text += std::string(kChunk + 100, '0') + "1.5 " + std::string(kChunk, '0') + "2 9\n";
    auto v = points(text);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0][0], 123456.789012345678);
    EXPECT_EQ(v[0][1], -0.000123456789);
    EXPECT_EQ(v[0][2], 7e-3);
    EXPECT_VEC3_EQ(v[1], 2.5, 3.5, 4.25);
    EXPECT_VEC3_EQ(v[2], 1.5, 2.0, 9.0);

    // Many points over several chunks keep their file order.
    std::string many;
    for (int i = 0; i < 20000; ++i) {
        many +=
            std::to_string(i) + ".25," + std::to_string(-i) + "," + std::to_string(i % 7) + "e-2\n";
    }
    ASSERT_GT(many.size(), 3 * kChunk);
    auto order = points(many);
    ASSERT_EQ(order.size(), 20000u);
    for (int i = 0; i < 20000; i += 997) {
        EXPECT_EQ(order[i][0], i + 0.25);
        EXPECT_EQ(order[i][1], -static_cast<double>(i));
        EXPECT_EQ(bitsOf(order[i][2]), bitsOf(cStrtod((std::to_string(i % 7) + "e-2").c_str())));
    }
}

TEST_F(PointFile, RefusalsLeaveTheListEmpty) {
    Vector3 const stale(9, 9, 9);
    auto refused = [&](char const* p) {
        std::vector<Vector3> list{stale};
        int const rc = readPointFile(p, list);
        return rc == -1 && list.empty();
    };
    int const descriptorsBefore = openDescriptorCount();

    EXPECT_TRUE(refused(nullptr));
    EXPECT_TRUE(refused(path("missing.txt").c_str()));
    EXPECT_TRUE(refused(""));
    EXPECT_TRUE(refused(dir_.c_str()));
    EXPECT_TRUE(refused(write("empty.txt", "").c_str()));
    std::string const fifo = path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(refused(fifo.c_str()));  // returns at once: no writer is waited for
    EXPECT_TRUE(refused("/dev/null"));
    // Files that open but hold no complete point.
    EXPECT_TRUE(refused(write("two.txt", "1,2\n").c_str()));
    EXPECT_TRUE(refused(write("unended.txt", "1,2,3").c_str()));
    EXPECT_TRUE(refused(write("blank.txt", " \r\n\t,\n").c_str()));
    std::string const longName(5000, 'a');
    EXPECT_TRUE(refused(path(longName).c_str()));

    EXPECT_EQ(openDescriptorCount(), descriptorsBefore);
}

TEST_F(PointFile, ALockHeldElsewhereRefusesTheFile) {
    std::string const p = write("held.txt", "1 2 3\n");
    std::vector<Vector3> list;
    for (int mode : {LOCK_EX, LOCK_SH}) {
        int const fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(flock(fd, mode), 0);
        list.assign(1, Vector3(9, 9, 9));
        EXPECT_EQ(readPointFile(p.c_str(), list), -1) << mode;
        EXPECT_TRUE(list.empty());
        ::close(fd);
        // Released: the file reads, and the reader releases its own lock when done.
        EXPECT_EQ(readPointFile(p.c_str(), list), 0);
        EXPECT_EQ(readPointFile(p.c_str(), list), 0);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_VEC3_EQ(list[0], 1.0, 2.0, 3.0);
    }
    // The lock taken by the reader conflicts with other holders for the whole call only.
    int const fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);
}

TEST_F(PointFile, AReadOnlyFileIsReadAndLeftAsItWas) {
    std::string const content = "1.25,2.5,-3\n4,5,6\n";
    std::string const p = write("readonly.txt", content);
    ASSERT_EQ(chmod(p.c_str(), 0444), 0);
    struct stat before;
    ASSERT_EQ(stat(p.c_str(), &before), 0);
    std::vector<Vector3> list;
    EXPECT_EQ(readPointFile(p.c_str(), list), 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_VEC3_EQ(list[0], 1.25, 2.5, -3.0);
    struct stat after;
    ASSERT_EQ(stat(p.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    std::ifstream in(p, std::ios::binary);
    std::string const back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(back, content);
}

// Sets LC_NUMERIC to a locale whose decimal point is a comma. When none is installed, one is
// compiled from the system's locale sources into dir and found through LOCPATH.
static bool setCommaLocale(std::string const& dir) {
    char const* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8",
                                        "fr_FR.utf8"};
    auto tryAll = [&] {
        for (char const* name : commaLocales) {
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

TEST(CNumberReader, MatchesStrtodBitForBit) {
    std::string const big = "1" + std::string(400, '0');
    std::string const tiny = "0." + std::string(400, '0') + "1";
    std::string const digits = "3." + std::string(300, '1') + "e-10";
    char const* const cases[] = {"0",
                                 "-0",
                                 "+0",
                                 "1",
                                 "-1",
                                 "+2",
                                 "1.5mm",
                                 "1.",
                                 ".5",
                                 "-.5",
                                 ".",
                                 "-",
                                 "+",
                                 "",
                                 "abc",
                                 "--1",
                                 "+-1",
                                 "1..2",
                                 "1e",
                                 "1e+",
                                 "1e-5x",
                                 "1E5",
                                 "1.5e+0003",
                                 "0e",
                                 "00001.25",
                                 "9007199254740993",
                                 "0.1",
                                 "2.2250738585072011e-308",
                                 "2.2250738585072014e-308",
                                 "4.9e-324",
                                 "2.4703282292062327e-324",
                                 "2.4703282292062328e-324",
                                 "1e-400",
                                 "-1e-400",
                                 "1e400",
                                 "-1e400",
                                 "1.7976931348623157e308",
                                 "1.7976931348623159e308",
                                 "1e-2147483650",
                                 "1e2147483650",
                                 "0x1p3",
                                 "-0X1.8P1",
                                 "0x",
                                 "0xg",
                                 "0x.8",
                                 "0x1p",
                                 "0x1.fffffffffffffp1023",
                                 "0x1p-1074",
                                 "0x1p-1075",
                                 "0x1p1024",
                                 "inf",
                                 "-INF",
                                 "Infinity",
                                 "infinit",
                                 "infx",
                                 "nan",
                                 "-nan",
                                 "NaN(123)",
                                 "nan(",
                                 "nan(abc)x",
                                 "nanq",
                                 "\v3",
                                 "\f-4.25",
                                 "\v\f+.5e1",
                                 "\t7",
                                 " 8",
                                 "\x80"
                                 "1",
                                 "1\xe9",
                                 "1_000",
                                 "1,5",
                                 "0.0000000000000000000000000000000000000000000000001e49",
                                 "123456789012345678901234567890e-30",
                                 "0x123456789abcdef0123p-70"};
    tavrisk::platform::CNumberReader const reader;
    ASSERT_TRUE(reader.valid());
    std::vector<std::string> all(std::begin(cases), std::end(cases));
    all.push_back(big);
    all.push_back(tiny);
    all.push_back(digits);
    for (std::string const& text : all) {
        double const expected = cStrtod(text.c_str());
        double const got = reader.read(text.c_str(), text.size());
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(got)) << '"' << text << '"';
            EXPECT_EQ(std::signbit(got), std::signbit(expected)) << '"' << text << '"';
        } else {
            EXPECT_EQ(bitsOf(got), bitsOf(expected)) << '"' << text << '"';
        }
    }
}
