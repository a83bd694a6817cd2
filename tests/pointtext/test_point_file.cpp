// SPDX-License-Identifier: MIT
// Point text file reader: what a file holds read or refused with where and what, every file that
// cannot be opened, chunked reading and progress, in whatever locale the host has set. The
// scanning of the bytes is held to its literal form in test_point_scanner.cpp.
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "pointtext/point_file.h"
#include "support/scratch_files.h"
#include "support/test_util.h"

using namespace tavrisk_test;
using gte::Vector3;
using tavrisk::kPointFileProgressStep;
using tavrisk::PointFileProblem;
using tavrisk::readPointFile;
using Kind = tavrisk::PointFileProblemKind;
namespace fs = std::filesystem;

namespace {

class PointFile : public ::testing::Test {
protected:
    // The narrow path of a new file holding content; its path is last_.
    std::string file(std::string const& content) {
        last_ = "points" + std::to_string(++files_);
        return scratch_.write(last_, content);
    }

    ScratchDirectory const scratch_;
    int files_ = 0;
    fs::path last_;
};

// Sets LC_NUMERIC to a German locale, whose decimal point is a comma: on POSIX compiled from the
// system's locale sources into dir and found through LOCPATH, as few systems have it installed.
bool setCommaLocale(std::string const& dir) {
#if defined(_WIN32)
    (void)dir;
    char const* const name = "German_Germany.1252";
#else
    char const* const name = "de_DE.UTF-8";
    std::string const command =
        "localedef -i de_DE -f UTF-8 '" + dir + "/" + name + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    setenv("LOCPATH", dir.c_str(), 1);
#endif
    bool const set =
        std::setlocale(LC_NUMERIC, name) != nullptr && std::localeconv()->decimal_point[0] == ',';
#if !defined(_WIN32)
    unsetenv("LOCPATH");
#endif
    return set;
}

// The reports of one reading, each noted with an attempt to append a point to the file being
// read: only the bytes present at open may be read (on Windows nobody may even open the file to
// write meanwhile).
struct Reports {
    std::string path;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;

    static void note(std::uint64_t bytesRead, std::uint64_t totalBytes, void* context) {
        Reports& reports = *static_cast<Reports*>(context);
        reports.calls.emplace_back(bytesRead, totalBytes);
        std::ofstream appender(reports.path, std::ios::binary | std::ios::app);
#if defined(_WIN32)
        EXPECT_FALSE(appender.is_open());
#endif
        appender << "1000,1000,1000\n";
    }
};

}  // namespace

TEST_F(PointFile, IsReadOrRefusedWithWhereAndWhatWithProgressThatChangesNothing) {
    std::string const dir = narrowPath(scratch_.path());
    // About 17 MB: progress in several steps.
    std::string big;
    std::vector<Vector3> bigPoints;
    for (int i = 0; i < 800000; ++i) {
        big += std::to_string(i) + ".25 -" + std::to_string(i % 977) + " 1e-3\n";
        bigPoints.emplace_back(i + 0.25, -double(i % 977), 1e-3);
    }
    // 2 GiB of byte 0 without a separator used to be gathered into one value in memory.
    std::string const huge = file("");
    fs::resize_file(scratch_.path() / last_, std::uintmax_t(2) << 30);
    std::string const pipe = notRegularFile(scratch_.path());
    std::string const empty = file("");
#if !defined(_WIN32)
    // A link to itself: there, but never to be opened, whoever asks (root reads any file).
    fs::create_symlink("loop", scratch_.path() / "loop");
#endif
    // Held open by another measurement or program, even one that lets others read it.
    std::string const shared = file("1 2 3\n");
    HeldFile const heldShared(shared, Hold::shared);
    ASSERT_TRUE(heldShared.held());
    std::string const readOnly = file("1.25,2.5,-3\n");
    fs::path const readOnlyFile = scratch_.path() / last_;
    fs::permissions(readOnlyFile,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    struct Case {
        std::string path;
        std::vector<Vector3> want;
        Kind kind = Kind::none;
        std::size_t line = 0;
        std::string value = {};
    } const cases[] = {
        // The end of the file ends the last value: it used to be dropped with its point.
        {file("1 2 3 4 5 6"), {{1, 2, 3}, {4, 5, 6}}},
        // A byte order mark at the start is skipped: it used to make the first value 0.
        {file("\xEF\xBB\xBF-1.5 2 3\n"), {{-1.5, 2, 3}}},
        // Forms only the general conversion reads, each with a point that is no comma.
        {file("1.5 -2.75e1 0x1.8p1\n +4.5 .5 9\n"), {{1.5, -27.5, 3}, {4.5, 0.5, 9}}},
        {readOnly, {{1.25, 2.5, -3}}},
        // Regression: a writer appending during the call used to keep the reader going, into the
        // new points, until the writer stopped.
        {file(big), bigPoints},
        // Text that is no number used to read as 0 or as its leading number, and was measured.
        {file("1 2 3\n4 5 12abc\n"), {}, Kind::notANumber, 2, "12abc"},
        // Infinities and NaN used to pass into the fit and give a flatness of -2e16.
        {file("nan 1 2\n"), {}, Kind::notFinite, 1, "nan"},
        // Left-over values used to be dropped without a word.
        {file("1 2 3\n4 5\n\n"), {}, Kind::incompletePoint, 2},
        {huge, {}, Kind::valueTooLong, 1, std::string(PointFileProblem::kValueTextLimit, '\0')},
        {"", {}, Kind::missing},
        {empty + "/below", {}, Kind::missing},
        {dir, {}, Kind::notRegularFile},
        {pipe, {}, Kind::notRegularFile},  // returns at once: no writer is waited for
        {empty, {}, Kind::empty},
#if !defined(_WIN32)
        {dir + "/loop", {}, Kind::cannotOpen},
#endif
        {shared, {}, Kind::locked},
    };
    // The host's locale has a decimal comma where one can be set: the file's points stay points.
    std::string const previousLocale = std::setlocale(LC_NUMERIC, nullptr);
    bool const commaSet = setCommaLocale(dir);
    for (Case const& c : cases) {
        // Twice: the reader lets go of the file, and of the points the list held before. The
        // second time with progress.
        for (int time = 0; time < 2; ++time) {
            std::vector<Vector3> list{Vector3(9, 9, 9)};
            PointFileProblem problem;
            problem.kind = Kind::readError;  // reset by every reading
            Reports reports{c.path, {}};
            tavrisk::PointFileProgress const progress{Reports::note, &reports};
            EXPECT_EQ(
                readPointFile(c.path.c_str(), list, &problem, time == 1 ? &progress : nullptr),
                c.kind == Kind::none)
                << c.path;
            EXPECT_TRUE(samePointBits(list, c.want)) << c.path;
            // Kind, line, the value's bytes and whether they were cut, all in the description.
            EXPECT_EQ(describe(problem), describe(PointFileProblem{c.kind, c.line, c.value,
                                                                   c.kind == Kind::valueTooLong}))
                << c.path;
            // Steps of kPointFileProgressStep at least, of one total, and every byte in the last
            // report of a file that is read.
            std::pair<std::uint64_t, std::uint64_t> before{0, 0};
            for (auto const& call : reports.calls) {
                EXPECT_TRUE(call.first == call.second ||
                            call.first - before.first >= kPointFileProgressStep)
                    << c.path;
                EXPECT_TRUE(before.second == 0 || call.second == before.second) << c.path;
                before = call;
            }
            EXPECT_TRUE(c.kind != Kind::none || time == 0 ||
                        (before.first == before.second && before.second > 0))
                << c.path;
        }
    }
    std::setlocale(LC_NUMERIC, previousLocale.c_str());
    std::vector<Vector3> list{Vector3(9, 9, 9)};
    PointFileProblem problem;
    EXPECT_FALSE(readPointFile(nullptr, list, &problem));
    EXPECT_TRUE(list.empty() && problem.kind == Kind::missing);
    // Windows removes no read-only file.
    fs::permissions(readOnlyFile, fs::perms::owner_write, fs::perm_options::add);
    if (!commaSet) {
        std::printf("no locale with a decimal comma could be set: read in the \"C\" locale\n");
    }
}

TEST(PointFileProblem, DescribedForAPerson) {
    // Control bytes escaped, a value cut short ends in dots, a problem at no line names none.
    PointFileProblem const cut{Kind::valueTooLong, 1, std::string("12") + '\0' + "\x7F\x1F", true};
    EXPECT_EQ(describe(cut), "value longer than 1024 characters at line 1: '12\\x00\\x7F\\x1F...'");
    EXPECT_EQ(describe(PointFileProblem{Kind::noPoint, 0, "", false}), "no complete point");
}
