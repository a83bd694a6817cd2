// SPDX-License-Identifier: MIT
// What the tool writes and leaves behind: a map never replaces an input and goes only to a
// regular file, a failed write leaves the earlier map whole, and the private copy of standard
// input is gone however the run ends.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/tool_runner.h"

extern char** environ;

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

TEST(ToolInput, TheCopyOfStandardInputIsGoneHoweverTheRunEnds) {
    // Regression: the private copy of standard input was removed only when the run ended by
    // itself; stopped by SIGTERM or SIGHUP while reading, it left the copy (hundreds of
    // megabytes for a long input) in the temporary folder. Each run here is stopped while it
    // still waits for the rest of its input, once it holds its copy open.
    for (int const signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        tavrisk_test::ScratchDirectory const temporary;
        int input[2];
        ASSERT_EQ(::pipe(input), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_addclose(&actions, input[1]);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        // env gives the run its temporary folder and becomes the tool, under the same id.
        std::string env = "env", folder = "TMPDIR=" + temporary.path().string();
        std::string tool = TAVRISK_TOOL_PATH, command = "flatness", fromInput = "-";
        char* argv[] = {&env[0], &folder[0], &tool[0], &command[0], &fromInput[0], nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawnp(&pid, "env", &actions, nullptr, argv, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        ::close(input[0]);
        std::string const firstPoints = "0 0 0\n1 0 0\n0 1 0\n";
        ASSERT_EQ(::write(input[1], firstPoints.data(), firstPoints.size()),
                  static_cast<ssize_t>(firstPoints.size()));

        // The run holds its copy once one of its descriptors leads into the temporary folder.
        std::string const fds = "/proc/" + std::to_string(pid) + "/fd";
        bool holdsCopy = false;
        for (int wait = 0; wait < 2000 && !holdsCopy; ++wait) {
            std::error_code error;
            for (fs::directory_entry const& fd : fs::directory_iterator(fds, error)) {
                std::string const target = fs::read_symlink(fd.path(), error).string();
                holdsCopy = holdsCopy || target.rfind(temporary.path().string(), 0) == 0;
            }
            if (!holdsCopy)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_TRUE(holdsCopy);
        ::kill(pid, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ::close(input[1]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_TRUE(namesIn(temporary.path()).empty());
    }
}
