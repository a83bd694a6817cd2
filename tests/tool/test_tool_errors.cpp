// SPDX-License-Identifier: MIT
// How a run ends when it cannot measure: the exit status, the reason in words, and nothing
// printed or drawn as if it had measured. Each kind of file problem reaches the user in words,
// after the file's name; where and what in the file is the reader tests' concern.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "support/test_util.h"
#include "support/tool_runner.h"
#include "tavrisk_inspect.h"

using namespace tavrisk_test;

TEST(ToolErrors, EachEndingHasItsStatusAndReasonAndPrintsNothing) {
    ScratchDirectory const scratch;
    std::string const face = dataFile("face.txt");
    std::string const header = scratch.write("header.txt", "x,y,z\n0,0,0\n1,0,0\n0,1,0\n");
    std::string const word = scratch.write("word.txt", "0 0 0\n1 x 0\n0 1 0\n");
    std::string const two = scratch.write("two.txt", "0 0 0\n1 1 1\n");
    std::string const control = scratch.write("control.txt", "0 0 0\n1 0 0\x01\n0 1 0\n");
    std::string const huge =
        scratch.write("huge.txt", "1e300 0 0\n-1e300 1e300 0\n0 -1e300 1e300\n");
    std::string const odd = scratch.write("odd.txt", "0 0 0 0 1 0\n1 0 0\n");
    std::string const ply = scratch.write(
        "nominal.ply",
        "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
        "property float z\nend_header\n0 0 0\n1 0 0\n0 1 0\n");
    std::string const locked = scratch.write("locked.txt", "0 0 0\n1 0 0\n0 1 0\n");
    std::string const dir = scratch.path().string(), map = dir + "/map.svg";
    // A square with its centre and the corners of a cube, both turned by 30 degrees about z,
    // spread alike in two and three directions: rounding used to pick a line and a plane.
    auto const pointLine = [](double x, double y, double z) {
        return digitsOf(x) + " " + digitsOf(y) + " " + digitsOf(z) + "\n";
    };
    double const c = std::sqrt(0.75), s = 0.5;
    std::string const turnedSquare = scratch.write(
        "turned-square.txt", pointLine(0, 0, 0) + pointLine(c, s, 0) + pointLine(c - s, s + c, 0) +
                                 pointLine(-s, c, 0) + pointLine((c - s) / 2, (s + c) / 2, 0));
    std::string cubeCorners;
    for (int i = 0; i < 8; ++i) {
        double const x = i & 1, y = (i >> 1) & 1, z = (i >> 2) & 1;
        cubeCorners += pointLine(c * x - s * y, s * x + c * y, z);
    }
    std::string const cube = scratch.write("cube.txt", cubeCorners);
    // Second moments and a profile of coordinates near the largest double overflow.
    std::string const farApart =
        scratch.write("far-apart.txt", "1e308 1e308 0\n-1e308 -1e308 0\n1e308 -1e308 0\n");
    std::string const farNominal =
        scratch.write("far-nominal.txt", "1e308 0 0 0 1 0\n-1e308 0 0 0 1 0\n");
    struct Case {
        std::vector<std::string> args;
        int status;        // 2 usage, 3 file, 1 refused
        char const* says;  // a part of the message on standard error
        std::string input = "/dev/null";
    };
    Case const cases[] = {
        {{}, 2, "Usage: tavrisk"},
        {{"flatness", face, "--colour"}, 2, "Usage: tavrisk flatness"},
        {{"flatness"}, 2, "FILE is required"},
        {{"profile", face}, 2, "NOMINAL is required"},
        {{"fit-plane", face, "--svg"}, 2, "Usage: tavrisk fit-plane"},
        {{"straightness", face, "--line", "1,2,3"}, 2, "Usage: tavrisk straightness"},
        {{"straightness", face, "--line=1,2,3,0,0,0"}, 2, "must not be zero"},
        {{"straightness", face, "--line=a,2,3,1,0,0"}, 2, "--line"},
        {{"profile", "-", "-"}, 2, "only one of MEASURED and NOMINAL"},
        {{"moment", face, "--svg", map}, 2, "Usage: tavrisk moment"},
        {{"profile", face, face, "--exaggerate=-2"}, 2, "--exaggerate"},
        {{"flatness", dir + "/absent.txt"}, 3, "absent.txt: no file at the path"},
        {{"fit-plane", dir}, 3, "not a regular file"},
        {{"flatness", word}, 3, "word.txt: line 2, value 2 is not a number: 'x'"},
        {{"flatness", scratch.write("inf.txt", "0 0 0\n1 0 0\n0 1 1e999\n")},
         3,
         "inf.txt: line 3, value 3 is not a finite number: '1e999'"},
        {{"flatness", locked}, 3, "locked.txt: the file is held open by another reading"},
        {{"profile", face, header}, 3, "header.txt: the lines hold 3 values; a nominal point"},
        {{"profile", face, odd}, 3, "odd.txt: line 2 holds 3 values where line 1 holds 6"},
        {{"profile", face, ply}, 3, "nominal.ply: a PLY file; the nominal contour"},
        {{"flatness", face, "--svg", map + ".d/map.svg"}, 3, "map.svg: cannot be written"},
        {{"flatness", "-"}, 3, "standard input: the file is empty"},
        {{"flatness", "-"}, 3, "standard input: line 2, value 2 is not a number: 'x'", word},
        // Layouts the reader cannot settle alone are refused in words that name the tool's
        // option. Regression: numbers were taken three at a time whatever the lines held, and
        // points with normals were measured as twice as many points, exit 0.
        {{"flatness", scratch.write("normals.txt", "0 0 0 0 0 1\n1 0 0 0 0 1\n0 1 0 0 0 1\n")},
         3,
         "line 1 holds 6 values: name the columns of x, y and z (--columns X,Y,Z)"},
        {{"flatness",
          scratch.write("named.txt", "id;\"X [mm]\";\"Y [mm]\";\"Z [mm]\";dev\n1;0;0;0;0\n")},
         3,
         "the header line 1 names id, X [mm], Y [mm], Z [mm], dev"},
        {{"flatness", scratch.write("commas.txt", "0,5\t1\t2\n1\t0,5\t0\n0\t1\t0\n")},
         3,
         "'0,5' may be one number with a decimal comma or two values, as blanks also separate "
         "values on the line: say whether commas are decimal commas (--decimal-comma, or "
         "--no-decimal-comma when commas separate values)"},
        {{"flatness", scratch.write("comments.txt", "# face\n0 0 0\n1 0 0\n0 1 0\n")},
         3,
         "line 1 starts with '#': enable comment lines to skip it (--comment '#')"},
        // Formats the tool does not read are named; --format reads the bytes as the format named.
        {{"flatness",
          scratch.write("face.txt.gz", std::string("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10))},
         3,
         "face.txt.gz: gzip-compressed data is not read: decompress it first"},
        {{"flatness", scratch.write("utf16.txt", std::string("\xff\xfe\x30\0 \0\x31\0\n\0", 10))},
         3,
         "UTF-16 text (little endian) is not read: save the text as UTF-8 or ASCII"},
        {{"flatness", control},
         3,
         "binary data is not read: export the points as text, PLY, PCD, LAS or STL, or name the "
         "format to read it as one (--format)"},
        {{"flatness", control, "--format", "text"}, 3, "line 2, value 3 is not a number"},
        {{"flatness", face, "--format", "PLY"}, 3, "PLY: the first line is not 'ply'"},
        // Criteria and tolerances that judge nothing are usage errors.
        {{"flatness", face, "--criterion", "circumscribed"}, 2, "--criterion: no criterion"},
        {{"straightness", face, "--criterion", "minimum_zone"}, 2, "no criterion 'minimum_zone'"},
        {{"straightness", face, "--criterion", "least-squares", "--line=0,0,0,1,0,0"},
         2,
         "leave one of them out"},
        {{"flatness", face, "--tolerance", "-0.01"}, 2, "'-0.01' is not a tolerance"},
        {{"flatness", face, "--tolerance", "nan"}, 2, "'nan' is not a tolerance"},
        {{"flatness", face, "--tolerance", "0.01mm"}, 2, "'0.01mm' is not a tolerance"},
        {{"roundness", face, "--criterion", "least-squares", "--tolerance", "inf"},
         2,
         "'inf' is not a tolerance"},
        // The reading options are checked before any file is read.
        {{"flatness", face, "--columns", "1,2"}, 2, "--columns: name the three columns"},
        {{"flatness", face, "--columns", "0,2,3"}, 2, "--columns: name the three columns"},
        {{"flatness", face, "--columns", "2,3,2"}, 2, "--columns: two of x, y and z"},
        {{"flatness", face, "--comment", "//"}, 2, "--comment: one character"},
        {{"flatness", face, "--comment", "-"}, 2, "--comment: comment is no character"},
        {{"flatness", face, "--format", "xyz"}, 2, "--format"},
        {{"flatness", face, "--decimal-comma", "--no-decimal-comma"}, 2, "excludes"},
        {{"flatness", two, "--svg", map}, 1, "at least three points"},
        {{"moment", two}, 1, "at least three points"},
        {{"roundness", two}, 1, "measurement refused: roundness needs at least 3 points"},
        {{"roundness", scratch.write("diagonal.txt", "0 0 0\n1 1 0\n2 2 0\n3 3 0\n")},
         1,
         "measurement refused: the points go round no centre"},
        {{"straightness", two, "--svg", map}, 1, "three points"},
        {{"flatness", huge, "--svg", map}, 1, "coordinates are too large"},
        {{"fit-line", huge}, 1, "coordinates are too large"},
        // Regression: an unknown command was met with "A subcommand is required", and numbers
        // that are not finite were measured (NaN straightness, "nan" in the map) or taken as
        // the default factor.
        {{"frob", "x"}, 2, "unknown command 'frob'; the commands are flatness, fit-plane"},
        {{"straightness", face, "--line=nan,0,0,1,0,0"}, 2, "X,Y,Z,DX,DY,DZ must be finite"},
        {{"straightness", face, "--line=0,0,0,inf,0,0"}, 2, "X,Y,Z,DX,DY,DZ must be finite"},
        {{"profile", face, face, "--exaggerate=nan"}, 2, "the factor must be a finite number"},
        // Regression: each of these ended 0, with a line or plane that rounding chose, or with
        // figures that are not numbers.
        {{"fit-line", turnedSquare, "--svg", map}, 1, "two largest eigenvalues"},
        {{"straightness", turnedSquare}, 1, "give the line with --line"},
        {{"flatness", cube, "--svg", map}, 1, "two smallest eigenvalues"},
        {{"fit-plane", cube, "--svg", map}, 1, "two smallest eigenvalues"},
        {{"flatness", scratch.write("tiny.txt", "0 0 0\n1e-200 0 0\n0 1e-200 0\n0 0 1e-200\n")},
         1,
         "too close together for the fit"},
        {{"moment", farApart}, 1, "not a finite number"},
        {{"profile", farApart, farNominal, "--svg", map}, 1, "the profile is not a finite number"},
    };
    // Another measurement holds the file.
    HeldFile const holder(locked, Hold::exclusive);
    ASSERT_TRUE(holder.held());
    for (Case const& c : cases) {
        ToolRun const run = runTool(c.args, c.input);
        EXPECT_EQ(run.status, c.status) << c.says << "\n" << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.says << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << c.says << ": " << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(map));  // no refused measurement drew its map

    // Help is asked for, not an error: it goes to standard output. With a line given, two
    // points are enough for straightness.
    ToolRun const help = runTool({"straightness", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tavrisk straightness [OPTIONS] FILE"), std::string::npos);
    EXPECT_EQ(runTool({"straightness", two, "--line=0,0,0,1,0,0"}).status, 0);
    // The version of the tool and of both libraries, TavriskInspect's as it reports itself.
    ToolRun const version = runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    std::string const number = std::to_string(TAVRISK_VERSION_MAJOR) + "." +
                               std::to_string(TAVRISK_VERSION_MINOR) + "." +
                               std::to_string(TAVRISK_VERSION_PATCH);
    EXPECT_EQ(tvi_version(), TAVRISK_VERSION_NUMBER);
    EXPECT_EQ(version.out, "tavrisk " + number + "\nlibraries: Tavrisk " + number +
                               ", TavriskInspect " + number + "\n");
}

TEST(ToolErrors, WithJsonAnErrorIsAlsoAnObjectOnStandardOutput) {
    // A program that asked for JSON learns why there are no figures from standard output too:
    // the kind of error, where in the file, the option that resolves it and the message that
    // standard error gives.
    ScratchDirectory const scratch;
    std::string const face = dataFile("face.txt");
    // The runs start in the scratch folder, and its files are named as the JSON names them.
    scratch.write("six.txt", "0 0 0 0 0 1\n1 0 0 0 0 1\n0 1 0 0 0 1\n");
    scratch.write("word.txt", "0 0 0\n1 x 0\n0 1 0\n");
    scratch.write("two.txt", "0 0 0\n1 1 1\n");
    scratch.write("odd.txt", "0 0 0 0 1 0\n1 0 0\n");
    std::string const gzip = scratch.write("face.gz", std::string("\x1f\x8b\x08\0\0\0\0\0", 8));
    struct Case {
        std::vector<std::string> args;
        int status;
        char const* expected;  // the JSON object's figures that the case fixes
        std::string input = "/dev/null";
    } const cases[] = {
        {{"flatness", "six.txt"},
         3,
         R"({"command": "flatness", "file": "six.txt", "error": {"kind": "columns_needed",
             "line": 1, "column": null, "option": "--columns", "format": "text"}})"},
        {{"straightness", "word.txt"},
         3,
         R"({"error": {"kind": "not_a_number", "line": 2, "column": 2, "text": "x",
             "option": null}})"},
        {{"fit-line", "-"},
         3,
         R"({"file": "standard input", "error": {"kind": "unread_format", "line": null,
             "format": "gzip"}})",
         gzip},
        {{"profile", face, "odd.txt"},
         3,
         R"({"command": "profile", "file": "odd.txt", "error": {"kind": "value_count",
             "line": 2}})"},
        {{"flatness", "two.txt"}, 1, R"({"file": "two.txt", "error": {"kind": "refused"}})"},
        {{"flatness", face, "--svg", "no/map.svg"},
         3,
         R"({"command": "flatness", "error": {"kind": "cannot_write", "option": null}})"},
        {{"fit-plane", face, "--colour"},
         2,
         R"({"command": "fit-plane", "file": null, "error": {"kind": "usage"}})"},
        {{"frob"}, 2, R"({"command": null, "error": {"kind": "usage"}})"},
    };
    for (Case const& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("--json");
        ToolRun const run = runTool(args, c.input, "cd '" + scratch.path().string() + "' &&");
        SCOPED_TRACE(c.args[0] + " " + c.expected);
        EXPECT_EQ(run.status, c.status) << run.err;
        nlohmann::json const out = run.json();
        EXPECT_EQ(out["status"], c.status);
        nlohmann::json const expected = nlohmann::json::parse(c.expected).flatten();
        for (auto const& [pointer, value] : expected.items()) {
            EXPECT_EQ(out.at(nlohmann::json::json_pointer(pointer)), value) << pointer;
        }
        std::string const message = out["error"]["message"].get<std::string>();
        EXPECT_FALSE(message.empty());
        EXPECT_NE(run.err.find(message), std::string::npos) << message << "\n" << run.err;
    }
}
