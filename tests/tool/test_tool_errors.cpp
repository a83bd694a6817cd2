// How a run ends when it cannot measure: the exit status, the reason in words, and nothing
// printed or drawn as if it had measured.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tool_runner.h"

using tool_test::dataFile;
using tool_test::runTool;
using tool_test::Scratch;

namespace {

struct Case {
    char const* what;
    std::vector<std::string> args;
    int status;
    char const* says;  // a part of the message on standard error
};

void expectEnding(Case const& c, std::string const& stdinPath = "") {
    tool_test::Run const run = runTool(c.args, stdinPath);
    EXPECT_EQ(run.status, c.status) << c.what << "\n" << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << c.what << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << c.what << ": " << run.out;
}

}  // namespace

TEST(ToolErrors, UsageErrorsPrintTheUsage) {
    std::string const face = dataFile("face.txt");
    Case const cases[] = {
        {"no command", {}, 2, "Usage: tavrisk"},
        {"unknown command", {"roundness", face}, 2, "Usage: tavrisk"},
        {"unknown option", {"flatness", face, "--colour"}, 2, "Usage: tavrisk flatness"},
        {"missing file", {"flatness"}, 2, "FILE is required"},
        {"missing nominal", {"profile", face}, 2, "NOMINAL is required"},
        {"svg without a path", {"fit-plane", face, "--svg"}, 2, "Usage: tavrisk fit-plane"},
        {"short line", {"straightness", face, "--line", "1,2,3"}, 2, "Usage: tavrisk straightness"},
        {"zero direction", {"straightness", face, "--line=1,2,3,0,0,0"}, 2, "must not be zero"},
        {"line not a number", {"straightness", face, "--line=a,2,3,1,0,0"}, 2, "--line"},
        {"two standard inputs", {"profile", "-", "-"}, 2, "only one of MEASURED and NOMINAL"},
        {"map of moments", {"moment", face, "--svg", "m.svg"}, 2, "Usage: tavrisk moment"},
        {"negative exaggeration", {"profile", face, face, "--exaggerate=-2"}, 2, "--exaggerate"},
    };
    for (Case const& c : cases) {
        expectEnding(c);
    }
    // Help is asked for, not an error: it goes to standard output.
    tool_test::Run const help = runTool({"straightness", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tavrisk straightness [OPTIONS] FILE"), std::string::npos);
    EXPECT_NE(help.out.find("--line"), std::string::npos);
}

TEST(ToolErrors, FileErrorsSayWhy) {
    Scratch scratch;
    std::string const empty = scratch.write("empty.txt", "");
    std::string const partial = scratch.write("partial.txt", "1.5 2.5\n");
    std::string const locked = scratch.write("locked.txt", "0 0 0\n1 0 0\n0 1 0\n");
    std::string const odd = scratch.write("odd.txt", "0 0 0 0 1 0\n1 0 0\n");
    std::string const header = scratch.write("header.txt", "x,y,z\n0,0,0\n1,0,0\n0,1,0\n");
    std::string const word = scratch.write("word.txt", "0 0 0\n1 0 1.5mm\n0 1 0\n");
    std::string const infinite = scratch.write("inf.txt", "0 0 0\n1 0 0\n0 1 1e999\n");
    std::string const cut = scratch.write("cut.txt", "0 0 0\n1 0 0\n0 1\n");
    std::string const face = dataFile("face.txt");
    Case const cases[] = {
        {"missing", {"flatness", scratch.path("absent.txt")}, 3, "absent.txt: missing"},
        {"directory", {"fit-plane", scratch.path("")}, 3, "not a regular file"},
        {"device", {"fit-line", "/dev/null"}, 3, "/dev/null: not a regular file"},
        {"empty", {"straightness", empty}, 3, "empty.txt: empty"},
        {"no complete point", {"moment", partial}, 3, "incomplete last point at line 1"},
        {"header", {"flatness", header}, 3, "header.txt: not a number at line 1: 'x'"},
        {"unit after a number", {"fit-line", word}, 3, "not a number at line 2: '1.5mm'"},
        {"overflow", {"flatness", infinite}, 3, "not a finite number at line 3: '1e999'"},
        {"incomplete point", {"fit-plane", cut}, 3, "incomplete last point at line 3"},
        {"nominal not a number", {"profile", face, header}, 3, "header.txt: not a number"},
        {"held open", {"flatness", locked}, 3, "held open by another measurement"},
        {"odd nominal", {"profile", face, odd}, 3, "do not make whole nominal points"},
        {"map not writable",
         {"flatness", face, "--svg", scratch.path("no/dir/map.svg")},
         3,
         "map.svg: cannot be written"},
    };
    // Another measurement holds the file: an exclusive lock on its own open description.
    int const holder = ::open(locked.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    for (Case const& c : cases) {
        expectEnding(c);
    }
    ::close(holder);
    expectEnding({"empty standard input", {"flatness", "-"}, 3, "standard input: empty"});
    expectEnding({"header on standard input",
                  {"flatness", "-"},
                  3,
                  "standard input: not a number at line 1: 'x'"},
                 header);
}

TEST(ToolErrors, RefusalsSayWhichAndDrawNothing) {
    Scratch scratch;
    std::string const two = scratch.write("two.txt", "0 0 0\n1 1 1\n");
    std::string const axis = scratch.write("axis.txt", "0 0 0\n1 0 0\n2 0 0\n3 0 0\n");
    std::string const square = scratch.write("square.txt", "0 0 5\n1 0 5\n0 1 5\n1 1 5\n");
    std::string const huge =
        scratch.write("huge.txt", "1e300 0 0\n-1e300 1e300 0\n0 -1e300 1e300\n");
    std::string const map = scratch.path("map.svg");
    Case const cases[] = {
        {"flatness of two points", {"flatness", two, "--svg", map}, 1, "at least three points"},
        {"moment of two points", {"moment", two}, 1, "at least three points"},
        {"fitted line of two points", {"straightness", two, "--svg", map}, 1, "three points"},
        {"plane of a line", {"flatness", axis, "--svg", map}, 1, "two smallest eigenvalues"},
        {"fitted plane of a line", {"fit-plane", axis, "--svg", map}, 1, "two smallest"},
        {"line of a square", {"fit-line", square, "--svg", map}, 1, "two largest eigenvalues"},
        {"straightness of a square", {"straightness", square}, 1, "give the line with --line"},
        {"flatness overflowing", {"flatness", huge, "--svg", map}, 1, "coordinates are too large"},
        {"line overflowing", {"fit-line", huge}, 1, "coordinates are too large"},
    };
    for (Case const& c : cases) {
        expectEnding(c);
        EXPECT_FALSE(std::filesystem::exists(map)) << c.what;
    }
    // With a line given, two points are enough for straightness.
    EXPECT_EQ(runTool({"straightness", two, "--line=0,0,0,1,0,0"}).status, 0);
}
