// SPDX-License-Identifier: MIT
// Every figure the tool prints is the library's own: each command's JSON is compared exactly
// with the exports called directly on the same points.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "pointtext/point_file.h"
#include "tavrisk.h"
#include "support/tool_runner.h"

using nlohmann::json;
using namespace tavrisk_test;

namespace {

json xyz(gte_point const& p) {
    return {p.x, p.y, p.z};
}

std::vector<gte_point> recordsOf(std::string const& path) {
    std::vector<gte::Vector3> points;
    EXPECT_TRUE(tavrisk::readPointFile(path.c_str(), points)) << path;
    std::vector<gte_point> records;
    for (gte::Vector3 const& p : points) records.emplace_back(p[0], p[1], p[2]);
    return records;
}

json measured(std::vector<std::string> args, std::string const& input = "/dev/null") {
    args.push_back("--json");
    ToolRun const run = runTool(args, input);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.json();
}

// Each (JSON pointer, expected figure) pair of the printed report, exactly: the tool prints
// every digit a double needs.
void expectFigures(json const& out, std::vector<std::pair<char const*, json>> const& figures) {
    for (auto const& [pointer, expected] : figures) {
        EXPECT_EQ(out.at(json::json_pointer(pointer)), expected) << pointer;
    }
}

}  // namespace

TEST(ToolFigures, EachCommandPrintsTheExportsOwnFigures) {
    // Flatness is compared with its export, piped and not, by the reading tests' random files.
    std::string const face = dataFile("face.txt"), edge = dataFile("edge.txt");
    std::vector<gte_point> const facePoints = recordsOf(face), edgePoints = recordsOf(edge);
    int const faceCount = static_cast<int>(facePoints.size());
    gte_plane plane;
    ASSERT_EQ(gte_fit_plane(facePoints.data(), faceCount, &plane), TAVRISK_MEASURED);
    expectFigures(measured({"fit-plane", face}), {{"/plane/pt1", xyz(plane.pt1)},
                                                  {"/plane/pt2", xyz(plane.pt2)},
                                                  {"/plane/pt3", xyz(plane.pt3)}});
    gte_lseg segment;
    ASSERT_EQ(gte_fit_lseg(edgePoints.data(), static_cast<int>(edgePoints.size()), &segment),
              TAVRISK_MEASURED);
    expectFigures(measured({"fit-line", edge}),
                  {{"/segment/pt1", xyz(segment.pt1)}, {"/segment/pt2", xyz(segment.pt2)}});
    gte_point centroid;
    double angle = 0.0, major = 0.0, minor = 0.0;
    ASSERT_EQ(gte_measure_moment2(facePoints.data(), faceCount, &centroid, &angle, &major, &minor),
              TAVRISK_MEASURED);
    // Standard input goes through a private copy and the same reader.
    json const moment = measured({"moment", "-", "--unit", "mm"}, face);
    expectFigures(moment, {{"/centroid", xyz(centroid)},
                           {"/angle_rad", angle},
                           {"/major", major},
                           {"/minor", minor}});
    EXPECT_EQ(moment["unit"], "mm");
    EXPECT_EQ(moment["file"], "standard input");

    // Profile: the nominal file holds each point followed by its normal.
    std::string const contour = dataFile("contour-measured.txt");
    std::string const nominalFile = dataFile("contour-nominal.txt");
    std::vector<gte_point> const sixes = recordsOf(nominalFile), contourPoints = recordsOf(contour);
    std::vector<gte_point> nominal;
    std::vector<gte_vector> normals;
    for (std::size_t i = 0; i < sixes.size(); i += 2) {
        nominal.push_back(sixes[i]);
        normals.emplace_back(sixes[i + 1].x, sixes[i + 1].y, sixes[i + 1].z);
    }
    double profile = 0.0;
    ASSERT_EQ(gte_measure_profile2D(contourPoints.data(), static_cast<int>(contourPoints.size()),
                                    nominal.data(), normals.data(),
                                    static_cast<int>(nominal.size()), &profile),
              TAVRISK_MEASURED);
    expectFigures(measured({"profile", contour, nominalFile}),
                  {{"/profile", profile}, {"/nominal_points", nominal.size()}});

    // Straightness about the fitted line and about given lines, with every point's deviation.
    struct Line {
        std::vector<std::string> extra;
        gte_line line;
    };
    Line const lines[] = {
        {{}, gte_line(segment.pt1, segment.pt2)},
        {{"--line=20,50,0,1,0.001,0"}, gte_line(gte_point(20, 50, 0), gte_vector(1, 0.001, 0))},
        {{"--line", "-5,0,0,0,0,1"}, gte_line(gte_point(-5, 0, 0), gte_vector(0, 0, 1))},
    };
    for (Line const& c : lines) {
        std::vector<double> deviations(edgePoints.size());
        double const expected = gte_straightness_xy_line(
            edgePoints.data(), static_cast<int>(edgePoints.size()), c.line, deviations.data());
        std::vector<std::string> args = {"straightness", edge, "--points"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        json const out = measured(args);
        json printed = json::array();
        for (json const& row : out["point_deviations"]) printed.push_back(row["deviation"]);
        EXPECT_EQ(printed, json(deviations));
        expectFigures(out, {{"/straightness", expected}});
        EXPECT_EQ(out["line"]["source"], c.extra.empty() ? "fitted" : "given");
    }
}

TEST(ToolFigures, DeviationsAreSignedIndexedAndPaired) {
    ScratchDirectory const scratch;
    // The fitted plane of the pyramid is z = 0.2: the apex (point 4) stands 0.8 above it, the
    // first of the four corners 0.2 below. Positive deviations lie on the side the normal's
    // largest component points to, here +z, whatever sense the fit chose.
    std::string const pyramid = scratch.write("p.txt", "0,0,0\n2,0,0\n0,2,0\n2,2,0\n1,1,1\n");
    // The plane z = x leans 45 degrees from level and from the x axis, and holds the y axis.
    std::string const ramp = scratch.write("ramp.txt", "0 0 0\n1 0 1\n0 1 0\n1 1 1\n2 3 2\n");
    // Along x, listed out of order: the segment runs between the extreme points in input order.
    std::string const axis = scratch.write("x.txt", "3 0 0\n1 0 0\n0 0 0\n");
    // Three nominal points along x with normal +y; the measured points pair with them in order
    // and deviate by 0.2, -0.1 and 0.05 (the lowest is the second point).
    std::vector<std::string> const profile = {
        "profile", scratch.write("m.txt", "0.1 0.2 0\n1 -0.1 0\n2.2 0.05 0\n"),
        scratch.write("n.txt", "0 0 0 0 1 0\n1 0 0 0 1 0\n2 0 0 0 1 0\n"), "--points"};
    std::pair<std::vector<std::string>, char const*> const cases[] = {
        {{"flatness", pyramid, "--points"},
         R"({"/points": 5, "/plane/normal/2": 1, "/deviation/max/value": 0.8,
             "/deviation/max/index": 4, "/deviation/min/value": -0.2, "/deviation/min/index": 0,
             "/deviation/rms": 0.4, "/point_deviations/2/deviation": -0.2,
             "/point_deviations/4/point/2": 1})"},
        {{"fit-plane", pyramid}, R"({"/deviation/max/value": 0.8, "/deviation/max/index": 4})"},
        {{"fit-plane", ramp},
         R"({"/tilt_deg/x": 45, "/tilt_deg/y": 90, "/tilt_deg/z": 45, "/rms_residual": 0})"},
        {{"fit-line", axis}, R"({"/segment/pt1/0": 3, "/length": 3, "/direction/0": -1})"},
        {profile,
         R"({"/point_deviations/0/deviation": 0.2, "/point_deviations/1/deviation": -0.1,
             "/point_deviations/2/deviation": 0.05, "/deviation/min/index": 1,
             "/point_deviations/2/nominal_index": 2, "/profile": 0.3})"},
    };
    // The table shows the extremes' points too.
    ToolRun const table = runTool({"flatness", pyramid});
    EXPECT_NE(table.out.find("highest deviation        +0.800000 file units at point index 4 "
                             "(1.000000, 1.000000, 1.000000)\n"),
              std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("plane fitted by          least squares\n"), std::string::npos);
    for (auto const& [args, text] : cases) {
        json const out = measured(args), expected = json::parse(text);
        for (auto const& [pointer, value] : expected.items()) {
            EXPECT_NEAR(out.at(json::json_pointer(pointer)).get<double>(), value.get<double>(),
                        1e-9)
                << args[0] << pointer;
        }
    }
    // The fit leaves the scanned face's normal pointing down: the normal printed is turned up,
    // and each extreme is its point's distance along that printed normal.
    json const face = measured({"flatness", dataFile("face.txt"), "--points"});
    json const &normal = face["plane"]["normal"], &origin = face["plane"]["point"];
    EXPECT_GT(normal[2].get<double>(), 0.99);
    EXPECT_EQ(face["method"], "least squares");
    for (char const* end : {"min", "max"}) {
        json const& row = face["point_deviations"][face["deviation"][end]["index"].get<int>()];
        // Each extreme names its point by index and by its coordinates.
        EXPECT_EQ(face["deviation"][end]["point"], row["point"]) << end;
        double along = 0.0;
        for (int k = 0; k < 3; ++k) {
            along +=
                (row["point"][k].get<double>() - origin[k].get<double>()) * normal[k].get<double>();
        }
        EXPECT_NEAR(along, face["deviation"][end]["value"].get<double>(), 1e-9) << end;
    }
}

TEST(ToolFigures, EveryNumberIsPrintedWholeAndAnyDirectionScaleMeasuresAlike) {
    // Regression: the table formatted figures into 64 characters and the listed rows into 160,
    // so that points near 1e70 printed a plane through 5e62 for 5e69 and rows that lost their
    // last columns. Each number of the table is now the whole text of the figure the JSON holds.
    ScratchDirectory const scratch;
    std::string const far =
        scratch.write("far.txt", "1e70 0 0\n0 1e70 0\n0 0 1e70\n1e70 1e70 1e69\n");
    json const out = measured({"flatness", far, "--points"});
    ToolRun const table = runTool({"flatness", far, "--points"});
    ASSERT_EQ(table.status, 0) << table.err;
    auto const whole = [](char const* pattern, double value) {
        std::string text(400, '\0');
        text.resize(static_cast<std::size_t>(std::snprintf(&text[0], text.size(), pattern, value)));
        return text;
    };
    json const& origin = out["plane"]["point"];
    std::vector<std::string> const expected = {
        "flatness, least squares  " + whole("%.6f", out["flatness"].get<double>()) +
            " file units\n",
        "plane through            (" + whole("%.6f", origin[0].get<double>()) + ", " +
            whole("%.6f", origin[1].get<double>()) + ", " + whole("%.6f", origin[2].get<double>()) +
            ") file units\n",
        "      3  " + whole("%12.6f", 1e70) + "  " + whole("%12.6f", 1e70) + "  " +
            whole("%12.6f", 1e69) + "  " +
            whole("%+14.6f", out["point_deviations"][3]["deviation"].get<double>()) + "\n",
    };
    for (std::string const& line : expected) {
        EXPECT_NE(table.out.find(line), std::string::npos) << line << "\nin\n" << table.out;
    }

    // Regression: a line along (1e-160, 0, 0) gave straightness 2.00001, along (1e-200, 0, 0)
    // or (1e200, 0, 0) 0: any direction but zero measures as its unit direction.
    std::string const edge = dataFile("edge.txt");
    json const unit = measured({"straightness", edge, "--line=0,0,0,1,0.5,0"});
    for (char const* scaled : {"--line=0,0,0,1e-160,5e-161,0", "--line=0,0,0,1e-200,5e-201,0",
                               "--line=0,0,0,1e200,5e199,0"}) {
        json const got = measured({"straightness", edge, scaled});
        EXPECT_EQ(got["straightness"], unit["straightness"]) << scaled;
        EXPECT_EQ(got["line"]["direction"], unit["line"]["direction"]) << scaled;
    }
}
