// Every figure the tool prints is the library's own: each command's JSON is compared bit for bit
// with the exports called directly on the same points.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "measure/point_file.h"
#include "tavrisk.h"
#include "tool_runner.h"

using nlohmann::json;
using tool_test::dataFile;
using tool_test::runTool;
using tool_test::Scratch;

namespace {

std::uint64_t bitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

#define EXPECT_SAME_BITS(printed, expected) \
    EXPECT_EQ(bitsOf((printed).get<double>()), bitsOf(expected))

void expectSamePoint(json const& printed, gte_point const& expected) {
    EXPECT_SAME_BITS(printed[0], expected.x);
    EXPECT_SAME_BITS(printed[1], expected.y);
    EXPECT_SAME_BITS(printed[2], expected.z);
}

std::vector<gte_point> recordsOf(std::string const& path) {
    std::vector<gte::Vector3> points;
    EXPECT_EQ(tavrisk::readPointFile(path.c_str(), points), 0) << path;
    std::vector<gte_point> records;
    for (gte::Vector3 const& p : points) {
        records.emplace_back(p[0], p[1], p[2]);
    }
    return records;
}

json measured(std::vector<std::string> args) {
    args.push_back("--json");
    tool_test::Run const run = runTool(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.json();
}

std::string const kPyramid = "0,0,0\n2,0,0\n0,2,0\n2,2,0\n1,1,1\n";

}  // namespace

TEST(ToolFigures, FlatnessIsTheExportsOwn) {
    Scratch scratch;
    std::string const pyramid = scratch.write("pyramid.txt", kPyramid);
    for (std::string const& path : {dataFile("face.txt"), dataFile("plate.txt"), pyramid}) {
        double expected = -1.0;
        ASSERT_EQ(gte_measure_platness_pointCloud_file(path.c_str(), &expected), 0) << path;
        json const file = measured({"flatness", path});
        EXPECT_SAME_BITS(file["flatness"], expected) << path;
        // Standard input goes through a private copy and the same reader.
        tool_test::Run const piped = runTool({"flatness", "-", "--json"}, path);
        ASSERT_EQ(piped.status, 0) << piped.err;
        EXPECT_SAME_BITS(piped.json()["flatness"], expected) << path;
        EXPECT_EQ(piped.json()["file"], "standard input");
    }
}

TEST(ToolFigures, FlatnessExtremesAreSignedUpwardsAndIndexed) {
    // The fitted plane of the pyramid is z = 0.2: the apex (point 4) stands 0.8 above it, the
    // first of the four corners 0.2 below. Positive deviations lie on the side the normal's
    // largest component points to, here +z, whatever sense the fit chose.
    Scratch scratch;
    json const out = measured({"flatness", scratch.write("p.txt", kPyramid), "--points"});
    EXPECT_EQ(out["points"], 5);
    EXPECT_NEAR(out["plane"]["normal"][2].get<double>(), 1.0, 1e-15);
    EXPECT_NEAR(out["deviation"]["max"]["value"].get<double>(), 0.8, 1e-15);
    EXPECT_EQ(out["deviation"]["max"]["index"], 4);
    EXPECT_NEAR(out["deviation"]["min"]["value"].get<double>(), -0.2, 1e-15);
    EXPECT_EQ(out["deviation"]["min"]["index"], 0);
    EXPECT_NEAR(out["deviation"]["rms"].get<double>(), 0.4, 1e-15);
    ASSERT_EQ(out["point_deviations"].size(), 5u);
    EXPECT_NEAR(out["point_deviations"][2]["deviation"].get<double>(), -0.2, 1e-15);
    EXPECT_EQ(out["point_deviations"][4]["point"], json::array({1.0, 1.0, 1.0}));

    // The fit leaves the scanned face's normal pointing down; the normal printed is turned up,
    // and each extreme is its point's distance along that printed normal.
    json const face = measured({"flatness", dataFile("face.txt"), "--points"});
    json const& normal = face["plane"]["normal"];
    json const& origin = face["plane"]["point"];
    EXPECT_GT(normal[2].get<double>(), 0.99);
    for (char const* end : {"min", "max"}) {
        json const& row = face["point_deviations"][face["deviation"][end]["index"].get<int>()];
        double along = 0.0;
        for (int k = 0; k < 3; ++k) {
            along +=
                (row["point"][k].get<double>() - origin[k].get<double>()) * normal[k].get<double>();
        }
        EXPECT_NEAR(along, face["deviation"][end]["value"].get<double>(), 1e-9) << end;
        EXPECT_EQ(row["deviation"], face["deviation"][end]["value"]) << end;
    }
}

TEST(ToolFigures, FitPlaneIsTheExportsRecordWithItsTilt) {
    std::vector<gte_point> const face = recordsOf(dataFile("face.txt"));
    gte_plane expected;
    ASSERT_EQ(gte_fit_plane(face.data(), static_cast<int>(face.size()), &expected), 1);
    json const out = measured({"fit-plane", dataFile("face.txt")});
    expectSamePoint(out["plane"]["pt1"], expected.pt1);
    expectSamePoint(out["plane"]["pt2"], expected.pt2);
    expectSamePoint(out["plane"]["pt3"], expected.pt3);

    // The plane z = x leans 45 degrees from level and from the x axis, and holds the y axis.
    Scratch scratch;
    json const ramp =
        measured({"fit-plane", scratch.write("ramp.txt", "0 0 0\n1 0 1\n0 1 0\n1 1 1\n2 3 2\n")});
    EXPECT_NEAR(ramp["tilt_deg"]["x"].get<double>(), 45.0, 1e-9);
    EXPECT_NEAR(ramp["tilt_deg"]["y"].get<double>(), 90.0, 1e-9);
    EXPECT_NEAR(ramp["tilt_deg"]["z"].get<double>(), 45.0, 1e-9);
    EXPECT_NEAR(ramp["rms_residual"].get<double>(), 0.0, 1e-12);
}

TEST(ToolFigures, FitLineIsTheExportsSegment) {
    std::vector<gte_point> const edge = recordsOf(dataFile("edge.txt"));
    gte_lseg expected;
    ASSERT_EQ(gte_fit_lseg(edge.data(), static_cast<int>(edge.size()), &expected), 1);
    json const out = measured({"fit-line", dataFile("edge.txt")});
    expectSamePoint(out["segment"]["pt1"], expected.pt1);
    expectSamePoint(out["segment"]["pt2"], expected.pt2);

    // Along x, listed out of order: the segment runs between the extreme points in input order.
    Scratch scratch;
    json const axis = measured({"fit-line", scratch.write("x.txt", "3 0 0\n1 0 0\n0 0 0\n")});
    EXPECT_EQ(axis["segment"]["pt1"], json::array({3.0, 0.0, 0.0}));
    EXPECT_EQ(axis["length"], 3.0);
    EXPECT_EQ(axis["direction"], json::array({-1.0, 0.0, 0.0}));
}

TEST(ToolFigures, StraightnessIsTheExportsAboutTheGivenOrFittedLine) {
    std::vector<gte_point> const edge = recordsOf(dataFile("edge.txt"));
    int const count = static_cast<int>(edge.size());
    gte_lseg fitted;
    ASSERT_EQ(gte_fit_lseg(edge.data(), count, &fitted), 1);
    struct Case {
        std::vector<std::string> extra;
        gte_line line;
    };
    Case const cases[] = {
        {{}, gte_line(fitted.pt1, fitted.pt2)},
        {{"--line=20,50,0,1,0.001,0"}, gte_line(gte_point(20, 50, 0), gte_vector(1, 0.001, 0))},
        {{"--line", "-5,0,0,0,0,1"}, gte_line(gte_point(-5, 0, 0), gte_vector(0, 0, 1))},
    };
    for (Case const& c : cases) {
        std::vector<double> deviations(edge.size());
        double const expected =
            gte_straightness_xy_line(edge.data(), count, c.line, deviations.data());
        std::vector<std::string> args = {"straightness", dataFile("edge.txt"), "--points"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        json const out = measured(args);
        EXPECT_SAME_BITS(out["straightness"], expected);
        EXPECT_EQ(out["line"]["source"], c.extra.empty() ? "fitted" : "given");
        ASSERT_EQ(out["point_deviations"].size(), edge.size());
        for (std::size_t i = 0; i < edge.size(); ++i) {
            EXPECT_SAME_BITS(out["point_deviations"][i]["deviation"], deviations[i]) << i;
        }
    }
}

TEST(ToolFigures, ProfileIsTheExportsWithEachPointsPairing) {
    std::vector<gte_point> const measuredPoints = recordsOf(dataFile("contour-measured.txt"));
    std::vector<gte_point> const sixes = recordsOf(dataFile("contour-nominal.txt"));
    std::vector<gte_point> nominal;
    std::vector<gte_vector> normals;
    for (std::size_t i = 0; i < sixes.size(); i += 2) {
        nominal.push_back(sixes[i]);
        normals.emplace_back(sixes[i + 1].x, sixes[i + 1].y, sixes[i + 1].z);
    }
    double expected = 0.0;
    ASSERT_EQ(gte_measure_profile2D(measuredPoints.data(), static_cast<int>(measuredPoints.size()),
                                    nominal.data(), normals.data(),
                                    static_cast<int>(nominal.size()), &expected),
              1);
    json const out =
        measured({"profile", dataFile("contour-measured.txt"), dataFile("contour-nominal.txt")});
    EXPECT_SAME_BITS(out["profile"], expected);
    EXPECT_EQ(out["nominal_points"], nominal.size());

    // Three nominal points along x with normal +y; the measured points pair with them in order
    // and deviate by 0.2, -0.1 and 0.05 (the lowest is the second point).
    Scratch scratch;
    json const small =
        measured({"profile", scratch.write("m.txt", "0.1 0.2 0\n1 -0.1 0\n2.2 0.05 0\n"),
                  scratch.write("n.txt", "0 0 0 0 1 0\n1 0 0 0 1 0\n2 0 0 0 1 0\n"), "--points"});
    double const deviations[] = {0.2, -0.1, 0.05};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(small["point_deviations"][i]["nominal_index"], i);
        EXPECT_NEAR(small["point_deviations"][i]["deviation"].get<double>(), deviations[i], 1e-15);
    }
    EXPECT_EQ(small["deviation"]["min"]["index"], 1);
    EXPECT_NEAR(small["profile"].get<double>(), 0.3, 1e-15);
}

TEST(ToolFigures, MomentIsTheExportsOwn) {
    std::vector<gte_point> const face = recordsOf(dataFile("face.txt"));
    gte_point centroid;
    double angle = 0.0, major = 0.0, minor = 0.0;
    ASSERT_EQ(gte_measure_moment2(face.data(), static_cast<int>(face.size()), &centroid, &angle,
                                  &major, &minor),
              1);
    json const out = measured({"moment", dataFile("face.txt"), "--unit", "mm"});
    expectSamePoint(out["centroid"], centroid);
    EXPECT_SAME_BITS(out["angle_rad"], angle);
    EXPECT_SAME_BITS(out["major"], major);
    EXPECT_SAME_BITS(out["minor"], minor);
    EXPECT_EQ(out["unit"], "mm");
}
