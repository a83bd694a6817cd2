// Point text file reader: format, chunked reading and every refusal. The conversion of one value
// is the platform's (test_c_number.cpp).
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "measure/point_file.h"
#include "scratch_files.h"
#include "test_util.h"

using gte::Vector3;
using tavrisk::kMaxPointValueLength;
using tavrisk::kPointFileProgressStep;
using tavrisk::PointFileProblem;
using tavrisk::readPointFile;
using Kind = tavrisk::PointFileProblemKind;

namespace {

constexpr std::size_t kChunk = 64 * 1024;

class PointFile : public ::testing::Test {
protected:
    // Reads content from a new file into list, which starts out holding a stale point.
    int read(std::string const& content, std::vector<Vector3>& list,
             PointFileProblem* problem = nullptr) {
        list.assign(1, Vector3(9, 9, 9));
        std::string const path = scratch_.write("points" + std::to_string(++files_), content);
        return readPointFile(path.c_str(), list, problem);
    }

    tavrisk_test::ScratchDirectory const scratch_;
    std::string const dir_ = tavrisk_test::narrowPath(scratch_.path());
    int files_ = 0;
};

}  // namespace

TEST_F(PointFile, ContentIsReadOrRefusedWithWhereAndWhat) {
    std::string const longest = "0." + std::string(kMaxPointValueLength - 3, '3') + "1";
    std::string const sevens(kMaxPointValueLength + 1, '7');
    std::string const nul = std::string("12") + '\0' + "34";
    // A value that starts 8 bytes before the first chunk ends; one that ends exactly at the end of
    // the second chunk, its separator opening the third; one of the greatest length that spans
    // the third chunk's end.
    std::string straddling =
        std::string(kChunk - 8, ' ') + "123456.789012345678,-0.000123456789,7e-3\n";
    straddling += std::string(2 * kChunk - straddling.size() - 12, '\n') + "2.5 3.5 4.25";
    straddling +=
        std::string(kChunk - 500, '\n') + std::string(kMaxPointValueLength - 3, '0') + "1.5 2 9";
    struct Case {
        std::string text;
        std::vector<Vector3> want;
        Kind kind = Kind::none;
        std::size_t line = 0;
        std::string value = {};
    } const cases[] = {
        {"1 2 3 4 5 6\n", {{1, 2, 3}, {4, 5, 6}}},
        // Runs of the five separators end a value once, across lines.
        {"\t\t 7 ,, \t8\r\n\r\n,9, \n-1\t-2\t-3\t", {{7, 8, 9}, {-1, -2, -3}}},
        // The end of the file ends the last value: it used to be dropped with its point.
        {"1 2 3 4 5 6", {{1, 2, 3}, {4, 5, 6}}},
        // A byte order mark at the start is skipped: it used to make the first value 0.
        {"\xEF\xBB\xBF-1.5 2 3\n", {{-1.5, 2, 3}}},
        // Every form atof reads whole in the "C" locale, underflow to a denormal or zero included.
        {"+2 \v3 \f-4.25e1\n0x1p3 -0X1.8P1 .5\n", {{2, 3, -42.5}, {8, -3, 0.5}}},
        {"1e-400 -1e-400 2.4703282292062328e-324\n", {{0.0, -0.0, 4.9e-324}}},
        {longest + " 1 2\n", {{1.0 / 3.0, 1, 2}}},
        {straddling, {{123456.789012345678, -0.000123456789, 7e-3}, {2.5, 3.5, 4.25}, {1.5, 2, 9}}},
        // Text that is no number used to read as 0 or as its leading number, and was measured.
        {"x,y,z\n1,2,3\n", {}, Kind::notANumber, 1, "x"},
        {"1 2 3\n4 5 12abc\n", {}, Kind::notANumber, 2, "12abc"},
        {"1 2 3\n" + nul + " 5 6\n", {}, Kind::notANumber, 2, nul},
        {"1 2 3\n\n\n3\v 1 2\n", {}, Kind::notANumber, 4, "3\v"},
        // CR LF and a lone CR each end one line.
        {"1 2 3\r\n4 5 6\r7 8 -\n", {}, Kind::notANumber, 3, "-"},
        // A byte order mark is skipped only whole and only at the very start.
        {"\xEF\xBB"
         "1 2 3\n",
         {},
         Kind::notANumber,
         1,
         "\xEF\xBB"
         "1"},
        // Infinities and NaN used to pass into the fit and give a flatness of -2e16.
        {"nan 1 2\n", {}, Kind::notFinite, 1, "nan"},
        {"1 2 3\n4 5 1e999\n", {}, Kind::notFinite, 2, "1e999"},
        // A value one byte too long, alone and spanning the end of the first chunk.
        {sevens, {}, Kind::valueTooLong, 1, sevens.substr(0, PointFileProblem::kValueTextLimit)},
        {std::string(kChunk - 500, '\n') + sevens,
         {},
         Kind::valueTooLong,
         kChunk - 499,
         sevens.substr(0, PointFileProblem::kValueTextLimit)},
        // Left-over values used to be dropped without a word.
        {"1 2 3\n4 5\n\n", {}, Kind::incompletePoint, 2, ""},
        {" \r\n\t,\n", {}, Kind::noPoint, 0, ""},
    };
    for (Case const& c : cases) {
        std::vector<Vector3> list;
        PointFileProblem problem;
        problem.kind = Kind::readError;  // reset by every reading
        std::string const label = c.text.substr(0, 40);
        EXPECT_EQ(read(c.text, list, &problem), c.kind == Kind::none ? 0 : -1) << label;
        EXPECT_TRUE(tavrisk_test::samePointBits(list, c.want)) << label;
        EXPECT_EQ(problem.kind, c.kind) << label;
        EXPECT_EQ(problem.line, c.line) << label;
        EXPECT_EQ(problem.value, c.value) << label;
        EXPECT_EQ(problem.valueCut, c.kind == Kind::valueTooLong) << label;
    }
}

TEST(PointFileProblem, DescribedForAPerson) {
    struct Case {
        PointFileProblem problem;
        char const* words;
    } const cases[] = {
        {{Kind::notANumber, 2, std::string("12") + '\0' + "34", false},
         "not a number at line 2: '12\\x0034'"},
        {{Kind::valueTooLong, 1, "777", true},
         "value longer than 1024 characters at line 1: '777...'"},
        {{Kind::incompletePoint, 5, "", false}, "incomplete last point at line 5"},
        {{Kind::notANumber, 3, "\x7F\x1F", false}, "not a number at line 3: '\\x7F\\x1F'"},
        {{Kind::noPoint, 0, "", false}, "no complete point"},
    };
    for (Case const& c : cases) {
        EXPECT_EQ(describe(c.problem), c.words);
    }
}

TEST_F(PointFile, FilesThatCannotBeOpenedAreRefused) {
    tavrisk_test::Pipe const pipe(scratch_.path());
    std::string const empty = scratch_.write("empty", "");
    std::string const unreadable = scratch_.write("unreadable", "1 2 3\n");
    bool const refusedToRead = tavrisk_test::makeUnreadable(unreadable);
    std::string const missing = dir_ + "/missing";
    std::string const belowAFile = empty + "/below";
    struct Case {
        char const* path;
        Kind kind;
    } const cases[] = {
        {nullptr, Kind::missing},
        {"", Kind::missing},
        {missing.c_str(), Kind::missing},
        {belowAFile.c_str(), Kind::missing},
        {dir_.c_str(), Kind::notRegularFile},
        {pipe.path().c_str(), Kind::notRegularFile},  // returns at once: no writer is waited for
        {empty.c_str(), Kind::empty},
        // Root reads any file, and wine keeps no access lists: then the file reads.
        {unreadable.c_str(), refusedToRead ? Kind::cannotOpen : Kind::none},
    };
    for (Case const& c : cases) {
        std::vector<Vector3> list{Vector3(9, 9, 9)};
        PointFileProblem problem;
        std::string const label = c.path == nullptr ? "null" : c.path;
        int const rc = readPointFile(c.path, list, &problem);
        EXPECT_EQ(rc, c.kind == Kind::none ? 0 : -1) << label;
        EXPECT_EQ(problem.kind, c.kind) << label;
        EXPECT_EQ(list.empty(), rc != 0) << label;
    }
}

TEST_F(PointFile, ALockHeldElsewhereRefusesTheFile) {
    std::string const p = scratch_.write("held", "1 2 3\n");
    std::vector<Vector3> list;
    for (tavrisk_test::Hold hold : {tavrisk_test::Hold::exclusive, tavrisk_test::Hold::shared}) {
        {
            tavrisk_test::HeldFile const held(p, hold);
            ASSERT_TRUE(held.held());
            list.assign(1, Vector3(9, 9, 9));
            PointFileProblem problem;
            EXPECT_EQ(readPointFile(p.c_str(), list, &problem), -1) << int(hold);
            EXPECT_EQ(problem.kind, Kind::locked);
            EXPECT_TRUE(list.empty());
        }
        // Released: the file reads, twice, so the reader drops its own lock and the old points.
        EXPECT_EQ(readPointFile(p.c_str(), list), 0);
        EXPECT_EQ(readPointFile(p.c_str(), list), 0);
        EXPECT_TRUE(tavrisk_test::samePointBits(list, {{1, 2, 3}}));
    }
}

TEST_F(PointFile, AReadOnlyFileIsRead) {
    namespace fs = std::filesystem;
    std::string const p = scratch_.write("readonly", "1.25,2.5,-3\n4,5,6\n");
    fs::path const file = scratch_.path() / "readonly";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::vector<Vector3> list;
    EXPECT_EQ(readPointFile(p.c_str(), list), 0);
    EXPECT_TRUE(tavrisk_test::samePointBits(list, {{1.25, 2.5, -3}, {4, 5, 6}}));
    // Windows removes no read-only file.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(PointFile, AHugeValueIsRefusedAfterItsFirstBytes) {
    // 2 GiB of byte 0 without a separator used to be gathered into one value in memory.
    std::string const p = scratch_.write("sparse", "");
    std::filesystem::resize_file(scratch_.path() / "sparse", std::uintmax_t(2) << 30);
    std::vector<Vector3> list;
    PointFileProblem problem;
    EXPECT_EQ(readPointFile(p.c_str(), list, &problem), -1);
    EXPECT_EQ(problem.kind, Kind::valueTooLong);
    EXPECT_EQ(problem.value, std::string(PointFileProblem::kValueTextLimit, '\0'));
}

// Sets LC_NUMERIC to a locale whose decimal point is a comma. When none is installed, one is
// compiled from the system's locale sources into dir and found through LOCPATH (POSIX).
static bool setCommaLocale(std::string const& dir) {
    auto tryAll = [] {
        for (char const* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8",
                                 "German_Germany.1252", "de-DE"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                std::localeconv()->decimal_point[0] == ',') {
                return true;
            }
        }
        return false;
    };
#if defined(_WIN32)
    (void)dir;
    return tryAll();
#else
    if (tryAll()) {
        return true;
    }
    std::string const command = "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' 2>/dev/null";
    if (std::system((command + " >/dev/null").c_str()) != 0) {
        return false;
    }
    setenv("LOCPATH", dir.c_str(), 1);
    bool const set = tryAll();
    unsetenv("LOCPATH");
    return set;
#endif
}

TEST_F(PointFile, HostLocaleDoesNotChangeTheDecimalPoint) {
    std::string const previous = std::setlocale(LC_NUMERIC, nullptr);
    bool const commaSet = setCommaLocale(dir_);
    std::vector<Vector3> list;
    PointFileProblem problem;
    int const rc = read("1.5 -2.75e1 0x1.8p1\n +4.5 .5 9\n", list, &problem);
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!commaSet) {
        GTEST_SKIP() << "no locale with a decimal comma could be set";
    }
    EXPECT_EQ(rc, 0) << describe(problem);
    EXPECT_TRUE(tavrisk_test::samePointBits(list, {{1.5, -27.5, 3}, {4.5, 0.5, 9}}));
}

namespace {

// Notes each progress report, and tries to append a point to the file being read: only the bytes
// present at open may be read (on Windows nobody may even open the file to write meanwhile).
struct ProgressReports {
    std::string path;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    static void note(std::uint64_t bytesRead, std::uint64_t totalBytes, void* context) {
        ProgressReports& reports = *static_cast<ProgressReports*>(context);
        reports.calls.emplace_back(bytesRead, totalBytes);
        std::ofstream appender(reports.path, std::ios::binary | std::ios::app);
#if defined(_WIN32)
        EXPECT_FALSE(appender.is_open());
#endif
        appender << "1000,1000,1000\n";
    }
};

}  // namespace

TEST_F(PointFile, ProgressIsReportedEveryStepAndAtTheEndWithoutChangingTheResult) {
    // Regression: a writer appending during the call used to keep the reader going, into the new
    // points, until the writer stopped.
    std::string big;
    for (int i = 0; i < 800000; ++i) {
        big += std::to_string(i) + ".25 -" + std::to_string(i % 977) + " 1e-3\n";
    }
    struct Case {
        std::string content;
        int result;
    } const cases[] = {
        {big, 0},               // about 17 MB: several steps
        {"1 2 3\n4 5 6", 0},    // one chunk: a single report at the end
        {"x y z\n" + big, -1},  // refused in the first chunk: no report at all
        {big + "1 2\n", -1},    // refused at the end, after every byte was reported
    };
    for (Case const& c : cases) {
        ProgressReports reports{scratch_.write("progress" + std::to_string(++files_), c.content),
                                {}};
        std::vector<Vector3> plain;
        PointFileProblem plainProblem;
        ASSERT_EQ(readPointFile(reports.path.c_str(), plain, &plainProblem), c.result);
        tavrisk::PointFileProgress const progress{&ProgressReports::note, &reports};
        std::vector<Vector3> watched;
        PointFileProblem watchedProblem;
        ASSERT_EQ(readPointFile(reports.path.c_str(), watched, &watchedProblem, &progress),
                  c.result);
        EXPECT_TRUE(tavrisk_test::samePointBits(watched, plain));
        EXPECT_EQ(describe(watchedProblem), describe(plainProblem));

        // Steps of kPointFileProgressStep at least, and every byte in the last report unless the
        // file was refused in its first chunk.
        std::uint64_t const size = c.content.size();
        for (std::size_t i = 0; i < reports.calls.size(); ++i) {
            std::uint64_t const read = reports.calls[i].first;
            EXPECT_EQ(reports.calls[i].second, size);
            EXPECT_TRUE(read == size ||
                        read - (i == 0 ? 0 : reports.calls[i - 1].first) >= kPointFileProgressStep);
        }
        EXPECT_EQ(reports.calls.empty() ? 0 : reports.calls.back().first,
                  c.content[0] == 'x' ? 0 : size);
        EXPECT_LE(reports.calls.size(), size / kPointFileProgressStep + 1);
    }
}
