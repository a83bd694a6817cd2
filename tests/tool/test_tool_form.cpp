// SPDX-License-Identifier: MIT
// Form in the tool: the minimum zone beside least squares, the criterion a tolerance judges and
// its exit status, the roundness command, and runs of several files. The figures are compared
// with TavriskInspect's form functions called directly on the same points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_util.h"
#include "support/tool_runner.h"
#include "tavrisk_inspect.h"

using nlohmann::json;
using namespace tavrisk_test;

namespace {

std::vector<gte_point> pointsOf(std::string const& path) {
    tvi_points* read = nullptr;
    tvi_problem problem{};
    std::vector<gte_point> points;
    EXPECT_EQ(tvi_read_points_file(path.c_str(), nullptr, &read, &problem), TVI_OK) << path;
    if (read != nullptr) {
        points.assign(read->points, read->points + read->count);
    }
    tvi_free_points(read);
    return points;
}

json measured(std::vector<std::string> args, int status = 0) {
    args.push_back("--json");
    ToolRun const run = runTool(args);
    EXPECT_EQ(run.status, status) << run.err;
    return run.json();
}

json xyz(gte_point const& p) {
    return {p.x, p.y, p.z};
}

// Every JSON line of a run of several files, parsed.
std::vector<json> jsonLines(std::string const& out) {
    std::vector<json> lines;
    std::istringstream text(out);
    for (std::string line; std::getline(text, line);) {
        lines.push_back(json::parse(line));
    }
    return lines;
}

// The text after a label of the table, to the end of its line.
std::string tableValue(std::string const& table, std::string const& label) {
    std::size_t const at = table.find("\n  " + label + " ");
    if (at == std::string::npos) {
        return std::string();
    }
    std::size_t const start = table.find_first_not_of(' ', at + 3 + label.size());
    return table.substr(start, table.find('\n', start) - start);
}

}  // namespace

TEST(ToolForm, BothCriteriaArePrintedAndTheChosenOneIsJudged) {
    std::string const face = dataFile("face.txt"), edge = dataFile("edge.txt");
    std::vector<gte_point> const facePoints = pointsOf(face), edgePoints = pointsOf(edge);
    tvi_flatness_result flat{};
    flat.size = sizeof flat;
    ASSERT_EQ(tvi_flatness(facePoints.data(), facePoints.size(), &flat, nullptr), TVI_OK);
    tvi_straightness_result straight{};
    straight.size = sizeof straight;
    ASSERT_EQ(tvi_straightness_xy(edgePoints.data(), edgePoints.size(), &straight, nullptr),
              TVI_OK);

    // The minimum zone is the library's, the least-squares figure keeps its old key.
    json const f = measured({"flatness", face});
    EXPECT_EQ(f["form"][0]["criterion"], "minimum-zone");
    EXPECT_EQ(f["form"][0]["width"], flat.zone.width);
    EXPECT_EQ(f["form"][0]["certified"], true);
    EXPECT_EQ(f["form"][0]["configuration"], "2+2");
    EXPECT_EQ(f["form"][1]["criterion"], "least-squares");
    EXPECT_EQ(f["form"][1]["width"], f["flatness"]);
    // Each support is the library's, on the side its contact names: a high one stands width/2
    // above the mid-plane along the printed normal, a low one below.
    json const& zone = f["form"][0]["zone"];
    ASSERT_EQ(f["form"][0]["support"].size(), flat.support_count);
    for (std::size_t i = 0; i < flat.support_count; ++i) {
        json const& s = f["form"][0]["support"][i];
        EXPECT_EQ(s["index"], flat.support[i].index);
        EXPECT_EQ(s["point"], xyz(facePoints[flat.support[i].index]));
        double along = 0.0;
        for (int k = 0; k < 3; ++k) {
            along += (s["point"][k].get<double>() - zone["point"][k].get<double>()) *
                     zone["normal"][k].get<double>();
        }
        EXPECT_NEAR(along, (s["contact"] == "high" ? 0.5 : -0.5) * flat.zone.width, 1e-9);
    }

    json const s = measured({"straightness", edge});
    EXPECT_EQ(s["form"][0]["width"], straight.zone.width);
    EXPECT_EQ(s["form"][0]["configuration"], "2+1");
    EXPECT_EQ(s["form"][1]["width"], s["straightness"]);
    // About a given line the second figure is that line's, and says so.
    json const given = measured({"straightness", edge, "--line=0,50,0,1,0.001,0"});
    EXPECT_EQ(given["form"][1]["criterion"], "given-line");
    EXPECT_EQ(given["form"][0]["width"], straight.zone.width);

    // Tolerances between the two figures: the minimum zone (the default) passes, least squares
    // fails, and the exit status says which (0 PASS, 4 FAIL). A tolerance equal to the figure
    // passes.
    struct Case {
        char const* command;
        std::string file, tolerance;
        bool leastSquares;
        int status;
    } const cases[] = {
        {"flatness", face, "0.0125", false, 0},
        {"flatness", face, "0.0125", true, 4},
        {"flatness", face, "0.0124", false, 4},
        {"flatness", face, digitsOf(flat.zone.width), false, 0},
        {"flatness", face, "0.02", true, 0},
        {"straightness", edge, "0.0108", false, 0},
        {"straightness", edge, "0.0108", true, 4},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.tolerance + (c.leastSquares ? " ls" : ""));
        std::vector<std::string> args = {c.command, c.file, "--tolerance", c.tolerance};
        if (c.leastSquares) {
            args.insert(args.end(), {"--criterion", "least-squares"});
        }
        char const* const verdict = c.status == 0 ? "PASS" : "FAIL";
        json const out = measured(args, c.status);
        EXPECT_EQ(out["tolerance"]["verdict"], verdict);
        EXPECT_EQ(out["tolerance"]["criterion"], c.leastSquares ? "least-squares" : "minimum-zone");
        EXPECT_EQ(out["status"], c.status);
        ToolRun const table = runTool(args);
        EXPECT_EQ(table.status, c.status);
        EXPECT_EQ(tableValue(table.out, "verdict"), verdict) << table.out;
    }
    // Without a tolerance there is no verdict.
    EXPECT_EQ(f.count("tolerance"), 0u);
    EXPECT_EQ(f["status"], 0);

    // Coordinates beyond the exact tests' range: the library refuses the zone, and the
    // least-squares figure stands unless the zone is what a tolerance judges.
    ScratchDirectory const scratch;
    std::string const far =
        scratch.write("far.txt", "1e70 0 0\n0 1e70 0\n0 0 1e70\n1e70 1e70 1e69\n");
    json const beyond = measured({"flatness", far});
    EXPECT_EQ(beyond["form"][0]["criterion"], "minimum-zone");
    EXPECT_EQ(beyond["form"][0].count("width"), 0u);
    EXPECT_NE(beyond["form"][0]["refused"].get<std::string>().find("2^128"), std::string::npos);
    EXPECT_EQ(beyond["form"][1]["width"], beyond["flatness"]);
    ToolRun const unjudged = runTool({"flatness", far, "--tolerance", "1"});
    EXPECT_EQ(unjudged.status, 1);
    EXPECT_NE(unjudged.err.find("the minimum zone, which --tolerance judges, cannot be measured"),
              std::string::npos)
        << unjudged.err;
    EXPECT_EQ(measured({"flatness", far, "--tolerance", "1e71", "--criterion",
                        "least-squares"})["tolerance"]["verdict"],
              "PASS");
}

TEST(ToolForm, RoundnessGivesEachCriterionsCirclesAndSupports) {
    ScratchDirectory const scratch;
    // Two points at radius 10 facing each other, two at radius 9 facing each other between
    // them, four others in between: the minimum zone is centred on the origin, 1 wide, about a
    // middle circle of radius 9.5. Every criterion's figures are compared with the library's.
    std::string text;
    double const pi = 3.14159265358979323846;
    double const radii[] = {10, 9, 9.6, 9.5};  // each twice, half a turn apart
    for (int i = 0; i < 8; ++i) {
        double const angle = ((i / 2) * 90 + (i % 2) * 40) * pi / 180;
        text += digitsOf(radii[i % 4] * std::cos(angle)) + " " +
                digitsOf(radii[i % 4] * std::sin(angle)) + " 3\n";
    }
    std::string const star = scratch.write("star.txt", text);
    std::vector<gte_point> const points = pointsOf(star);
    struct Case {
        char const* criterion;
        int code;
    } const cases[] = {{"minimum-zone", TVI_CRITERION_MINIMUM_ZONE},
                       {"circumscribed", TVI_CRITERION_MINIMUM_CIRCUMSCRIBED},
                       {"inscribed", TVI_CRITERION_MAXIMUM_INSCRIBED},
                       {"least-squares", TVI_CRITERION_LEAST_SQUARES}};
    for (Case const& c : cases) {
        tvi_roundness_result result{};
        result.size = sizeof result;
        ASSERT_EQ(tvi_roundness_xy(points.data(), points.size(), c.code, &result, nullptr), TVI_OK);
        json const out = measured({"roundness", star, "--criterion", c.criterion});
        EXPECT_EQ(out["criterion"], c.criterion);
        EXPECT_EQ(out["roundness"], result.width) << c.criterion;
        EXPECT_EQ(out["radius"], result.radius) << c.criterion;
        EXPECT_EQ(out["inner_radius"], result.inner_radius) << c.criterion;
        EXPECT_EQ(out["outer_radius"], result.outer_radius) << c.criterion;
        EXPECT_EQ(out["center"], json({result.center.x, result.center.y, 0.0})) << c.criterion;
        EXPECT_EQ(out["certified"], true) << c.criterion;
        // Each support lies on the circle its contact names.
        ASSERT_EQ(out["support"].size(), result.support_count) << c.criterion;
        for (std::size_t i = 0; i < result.support_count; ++i) {
            json const& s = out["support"][i];
            EXPECT_EQ(s["index"], result.support[i].index);
            double const distance = std::hypot(s["point"][0].get<double>() - result.center.x,
                                               s["point"][1].get<double>() - result.center.y);
            EXPECT_NEAR(distance,
                        s["contact"] == "outer" ? result.outer_radius : result.inner_radius, 1e-9)
                << c.criterion << " " << s;
        }
    }
    // The zone's default criterion, a tolerance, and the deviations from its middle circle.
    json const zone = measured({"roundness", star, "--tolerance", "1.5", "--points"});
    EXPECT_EQ(zone["criterion"], "minimum-zone");
    EXPECT_EQ(zone["tolerance"]["verdict"], "PASS");
    EXPECT_NEAR(zone["point_deviations"][0]["deviation"].get<double>(), 0.5, 1e-12);
    EXPECT_NEAR(zone["point_deviations"][1]["deviation"].get<double>(), -0.5, 1e-12);
    EXPECT_NEAR(zone["point_deviations"][2]["deviation"].get<double>(), 0.1, 1e-12);
    EXPECT_EQ(runTool({"roundness", star, "--tolerance", "0.5"}).status, 4);
}

TEST(ToolForm, SeveralFilesGiveARowEachAndTheWorstExitStatus) {
    ScratchDirectory const scratch;
    std::string const face = dataFile("face.txt"), plate = dataFile("plate.txt");
    std::string const two = scratch.write("two.txt", "0 0 0\n1 1 1\n");
    std::string const missing = (scratch.path() / "missing.txt").string();
    // face 0.012420 fails a tolerance of 0.01 that plate (0.005938) passes.
    struct Case {
        std::vector<std::string> files;
        int status;
    };
    Case const cases[] = {
        {{face, plate}, 0},        {{plate, face}, 4},  {{face, two, plate}, 1},
        {{missing, face, two}, 3}, {{two, missing}, 3}, {{plate, plate}, 0},
    };
    for (Case const& c : cases) {
        std::vector<std::string> args = {"flatness"};
        args.insert(args.end(), c.files.begin(), c.files.end());
        std::vector<std::string> tolerance;
        if (c.status != 0 || c.files[0] == plate) {
            tolerance = {"--tolerance", "0.01"};
        }
        args.insert(args.end(), tolerance.begin(), tolerance.end());
        ToolRun const table = runTool(args);
        EXPECT_EQ(table.status, c.status) << table.out << table.err;
        // A heading, the column names, a row a file, the run's status.
        EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), c.files.size() + 3)
            << table.out;
        EXPECT_NE(table.out.find("exit status " + std::to_string(c.status) + "\n"),
                  std::string::npos)
            << table.out;

        args.push_back("--json");
        ToolRun const run = runTool(args);
        EXPECT_EQ(run.status, c.status);
        std::vector<json> const rows = jsonLines(run.out);
        ASSERT_EQ(rows.size(), c.files.size()) << run.out;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (c.files[i] == two) {
                EXPECT_EQ(rows[i]["status"], 1);
                EXPECT_EQ(rows[i]["error"]["kind"], "refused");
            } else if (c.files[i] == missing) {
                EXPECT_EQ(rows[i]["status"], 3);
                EXPECT_EQ(rows[i]["error"]["kind"], "missing");
            } else {
                // Each line holds the whole object the file gives alone.
                std::vector<std::string> alone = {"flatness", c.files[i], "--json"};
                alone.insert(alone.end(), tolerance.begin(), tolerance.end());
                json const single = runTool(alone).json();
                EXPECT_EQ(rows[i], single) << c.files[i];
            }
        }
    }
    // The table's rows: the figures of a file measured, the reason of one that was not.
    ToolRun const table = runTool({"flatness", face, missing, two});
    EXPECT_NE(table.out.find("3670    0.012420      yes        0.013066"), std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("file error (exit 3): " + missing + ": no file at the path"),
              std::string::npos);
    EXPECT_NE(table.out.find("refused (exit 1): flatness needs at least three points"),
              std::string::npos);
    EXPECT_NE(table.err.find("tavrisk: " + two + ": measurement refused"), std::string::npos)
        << table.err;

    // Each file's map is named after it; no map replaces another, and a run whose files would
    // share a map name is refused before anything is drawn.
    std::filesystem::create_directories(scratch.path() / "b");
    std::string const otherFace = scratch.path().string() + "/b/face.txt";
    std::filesystem::copy_file(face, otherFace);
    std::string const maps = scratch.path().string() + "/maps.svg";
    EXPECT_EQ(runTool({"straightness", face, plate, "--svg", maps}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / "maps-face.svg"));
    EXPECT_TRUE(std::filesystem::exists(scratch.path() / "maps-plate.svg"));
    EXPECT_FALSE(std::filesystem::exists(maps));
    std::filesystem::remove(scratch.path() / "maps-face.svg");
    ToolRun const clash = runTool({"flatness", face, otherFace, "--svg", maps});
    EXPECT_EQ(clash.status, 2);
    EXPECT_NE(clash.err.find("would both draw"), std::string::npos) << clash.err;
    EXPECT_FALSE(std::filesystem::exists(scratch.path() / "maps-face.svg"));
    // Nothing asked for is dropped without a word: the table has no room for every point, and
    // standard input is read once.
    EXPECT_EQ(runTool({"flatness", face, plate, "--points"}).status, 2);
    EXPECT_EQ(
        jsonLines(
            runTool({"flatness", face, plate, "--points", "--json"}).out)[1]["point_deviations"]
            .size(),
        77u);
    EXPECT_EQ(runTool({"roundness", "-", "-"}).status, 2);
}
