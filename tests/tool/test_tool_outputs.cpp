// SPDX-License-Identifier: MIT
// What the tool writes and leaves behind: a map never replaces an input and goes only to a
// regular file, and a failed write leaves the earlier map whole.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/tool_runner.h"

namespace fs = std::filesystem;
using namespace tavrisk_test;

namespace {

std::string contentOf(std::string const& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::set<std::string> namesIn(fs::path const& directory) {
    std::set<std::string> names;
    for (fs::directory_entry const& entry : fs::directory_iterator(directory)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A hung run fails the test instead of holding it.
constexpr char kTimeLimit[] = "timeout 60";

}  // namespace

TEST(ToolOutputs, AMapNeverReplacesAnInputNorGoesToAnythingButARegularFile) {
    // Regression: each of these runs measured the file, then replaced it with the map, and
    // ended 0; a FIFO without a reader held the run for ever.
    ScratchDirectory const scratch;
    std::string const dir = scratch.path().string();
    std::string const points = "0 0 0\n2 0 0\n0 2 0\n2 2 0\n1 1 1\n";
    std::string const face = scratch.write("face.txt", points);
    std::string const nominal = scratch.write("nominal.txt", "0 0 0 0 1 0\n2 0 0 0 1 0\n");
    fs::create_symlink(face, dir + "/link.txt");
    fs::create_hard_link(face, dir + "/hard.txt");
    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
    fs::create_directory(dir + "/folder");
    std::set<std::string> const before = namesIn(scratch.path());
    struct Case {
        std::vector<std::string> args;
        char const* says;
        std::string input = "/dev/null";
    } const cases[] = {
        {{"flatness", face, "--svg", face}, "the map would replace it"},
        {{"flatness", face, "--svg", dir + "/./face.txt"}, "the map would replace it"},
        {{"fit-plane", face, "--svg", dir + "/link.txt"}, "the map would replace it"},
        {{"fit-line", dir + "/link.txt", "--svg", dir + "/hard.txt"}, "the map would replace it"},
        {{"profile", face, nominal, "--svg", nominal}, "the map would replace it"},
        {{"straightness", "-", "--svg", face}, "the map would replace it", face},
        {{"flatness", face, "--svg", dir + "/fifo"}, "not a regular file"},
        {{"flatness", face, "--svg", "/dev/null"}, "not a regular file"},
        {{"flatness", face, "--svg", dir + "/folder"}, "not a regular file"},
    };
    for (Case const& c : cases) {
        ToolRun const run = runTool(c.args, c.input, kTimeLimit);
        EXPECT_EQ(run.status, 2) << c.args.back() << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.args.back() << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << c.args.back();
    }
    EXPECT_EQ(contentOf(face), points);
    EXPECT_EQ(contentOf(nominal), "0 0 0 0 1 0\n2 0 0 0 1 0\n");
    EXPECT_EQ(namesIn(scratch.path()), before);
}

TEST(ToolOutputs, AFailedWriteLeavesTheEarlierMapWholeAndNothingElse) {
    // Regression: a map written to a full disk ended 3 but left a shortened map where the
    // earlier one had been. The file size limit makes the write fail part-way, as a full disk
    // does, without privileges; the signal it would send is ignored, so the write says EFBIG.
    ScratchDirectory const scratch;
    std::string const dir = scratch.path().string();
    std::string const face = dataFile("face.txt");
    std::string const map = dir + "/map.svg";
    // Through a link the map replaces the file the link names; the link stays.
    fs::create_symlink(map, dir + "/latest.svg");
    std::string const earlier = "<svg>the earlier map</svg>\n";
    scratch.write("map.svg", earlier);
    ::chmod(map.c_str(), 0640);

    ToolRun const failed = runTool({"flatness", face, "--svg", dir + "/latest.svg"}, "/dev/null",
                                   "ulimit -f 8; trap '' XFSZ;");
    EXPECT_EQ(failed.status, 3) << failed.err;
    EXPECT_NE(failed.err.find("latest.svg: cannot be written"), std::string::npos) << failed.err;
    EXPECT_TRUE(failed.out.empty());
    EXPECT_EQ(contentOf(map), earlier);
    EXPECT_EQ(namesIn(scratch.path()), (std::set<std::string>{"latest.svg", "map.svg"}));

    ToolRun const written = runTool({"flatness", face, "--svg", dir + "/latest.svg"});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(fs::is_symlink(dir + "/latest.svg"));
    EXPECT_NE(contentOf(map).find("Flatness of"), std::string::npos);
    EXPECT_EQ(fs::status(map).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(namesIn(scratch.path()), (std::set<std::string>{"latest.svg", "map.svg"}));
}
