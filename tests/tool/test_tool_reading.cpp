// SPDX-License-Identifier: MIT
// The point files people have, as the tool reads them through TavriskInspect: each is read right
// (the figures of the same points written plainly, to the bit), with no option or with the one
// the refusal names, or refused with the format or the line at fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/point_format_files.h"
#include "support/tool_runner.h"
#include "tavrisk.h"

using nlohmann::json;
using namespace tavrisk_test;

namespace {

using Values = std::vector<std::string>;  // one line's values as text

// The bundled face's lines as the file spells them: three values each.
std::vector<Values> faceLines() {
    std::ifstream in(std::string(TAVRISK_DATA_DIR) + "/face.txt");
    std::vector<Values> lines;
    for (std::string x, y, z; in >> x >> y >> z;) {
        lines.push_back({x, y, z});
    }
    return lines;
}

double valueOf(std::string const& text) {
    return std::strtod(text.c_str(), nullptr);
}

gte::Vector3 pointOf(Values const& line) {
    return gte::Vector3(valueOf(line[0]), valueOf(line[1]), valueOf(line[2]));
}

// The points written plainly: three values a line, each with the digits that read back to it.
std::string plainText(std::vector<gte::Vector3> const& points) {
    std::string text;
    for (gte::Vector3 const& p : points) {
        char line[96];
        std::snprintf(line, sizeof line, "%.17g %.17g %.17g\n", p[0], p[1], p[2]);
        text += line;
    }
    return text;
}

std::string joined(Values const& values, std::string const& separator) {
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += (i > 0 ? separator : "") + values[i];
    }
    return line;
}

std::string withDecimalCommas(std::string text) {
    for (char& c : text) {
        c = c == '.' ? ',' : c;
    }
    return text;
}

// Each line of lines made into a line of the file by make.
template <class Make>
std::string textOf(std::vector<Values> const& lines, Make&& make) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += make(i, lines[i]) + "\n";
    }
    return text;
}

// Triangles that hold every point, each first met in the order of the points: one triangle a
// run of three, the last one closed with the first points (already met).
std::vector<Triangle> trianglesThrough(std::vector<gte::Vector3> const& points) {
    std::vector<Triangle> triangles;
    for (std::size_t i = 0; i < points.size(); i += 3) {
        auto const at = [&](std::size_t k) { return points[k < points.size() ? k : k % 3]; };
        triangles.push_back({at(i), at(i + 1), at(i + 2)});
    }
    return triangles;
}

// The distinct vertices of triangles, in the order of first occurrence, as an STL reader gives
// them; rounded to float for a binary file.
std::vector<gte::Vector3> distinctVertices(std::vector<Triangle> const& triangles, bool toFloat) {
    std::vector<gte::Vector3> vertices;
    for (Triangle const& t : triangles) {
        for (gte::Vector3 v : t) {
            if (toFloat) {
                v = gte::Vector3(roundedToFloat(v[0]), roundedToFloat(v[1]), roundedToFloat(v[2]));
            }
            bool seen = false;
            for (gte::Vector3 const& w : vertices) {
                seen = seen || w == v;
            }
            if (!seen) {
                vertices.push_back(v);
            }
        }
    }
    return vertices;
}

// The tool's JSON without the file's name and format, which differ between a file and its plain
// copy: the figures, or the error without its message (which names the file).
json figuresOf(ToolRun const& run) {
    json figures = run.json();
    figures.erase("file");
    figures.erase("format");
    if (figures.contains("error")) {
        figures["error"].erase("message");
    }
    return figures;
}

}  // namespace

TEST(ToolReading, EachLayoutOfTheFaceIsReadRightOrRefusedWithItsReason) {
    // The files instruments and CAD or CMM software write, each holding the bundled face. The
    // rules used to take numbers three at a time whatever the lines held: a file of points with
    // normals gave 7340 points and flatness 16.155561, exit 0. PCD, LAS, STL and every PLY
    // encoding are read without options in the randomized test below.
    ScratchDirectory const scratch;
    std::vector<Values> const lines = faceLines();
    ASSERT_EQ(lines.size(), 3670u);
    std::vector<gte::Vector3> face;
    for (Values const& line : lines) face.push_back(pointOf(line));
    std::vector<std::vector<double>> rows;
    for (gte::Vector3 const& p : face) rows.push_back({p[0], p[1], p[2], 0.0, 0.0, 1.0});
    std::vector<PlyProperty> const vertex = {{"double", "x"}, {"double", "y"}, {"double", "z"},
                                             {"float", "nx"}, {"float", "ny"}, {"float", "nz"}};
    std::string utf16 = "\xff\xfe";
    for (char c : plainText(face)) utf16 += std::string(1, c) + '\0';
    // The face's lines, their values joined by separator and followed by suffix.
    auto const faceText = [&](std::string const& separator, std::string const& suffix,
                              bool decimalCommas) {
        return textOf(lines, [&](std::size_t, Values const& v) {
            std::string const line = joined(v, separator) + suffix;
            return decimalCommas ? withDecimalCommas(line) : line;
        });
    };
    std::string const semicolons = scratch.write("semicolons.txt", faceText(";", "", true));
    std::string const bigEndianPly =
        scratch.write("face-be.ply", plyFile("binary_big_endian", {{"vertex", vertex, rows}}));

    struct Row {
        char const* layout;
        std::string file;
        char const* refusal;  // a part of the refusal without options; null: read as it is
        Values resolve;       // the options the refusal names; none: never read
    };
    Row const table[] = {
        {"X Y Z NX NY NZ",
         scratch.write("normals.txt", faceText(" ", " 0.0 0.0 1.0", false)),
         "line 1 holds 6 values: name the columns of x, y and z (--columns X,Y,Z)",
         {"--columns", "1,2,3"}},
        {"index X Y Z",
         scratch.write("index.txt", textOf(lines,
                                           [](std::size_t i, Values const& v) {
                                               return std::to_string(i + 1) + " " + joined(v, " ");
                                           })),
         "line 1 holds 4 values",
         {"--columns", "2,3,4"}},
        {"decimal commas, tab separated",
         scratch.write("commas-tab.txt", faceText("\t", "", true)),
         "'212,3785' may be one number with a decimal comma or two values",
         {"--decimal-comma"}},
        {"decimal commas, space separated",
         scratch.write("commas-space.txt", faceText(" ", "", true)),
         "(--decimal-comma, or --no-decimal-comma when commas separate values)",
         {"--decimal-comma"}},
        {"semicolons between decimal commas", semicolons, nullptr, {}},
        {"x,y,z header",
         scratch.write("header.txt", "x,y,z\n" + faceText(",", "", false)),
         nullptr,
         {}},
        {"header of more columns, named by name",
         scratch.write("named.txt", "id;\"X [mm]\";\"Y [mm]\";\"Z [mm]\";dev\n" +
                                        textOf(lines,
                                               [](std::size_t i, Values const& v) {
                                                   return std::to_string(i) + ";" + joined(v, ";") +
                                                          ";0";
                                               })),
         "the header line 1 names id, X [mm], Y [mm], Z [mm], dev",
         {"--columns", "x [mm],y [mm],z [mm]"}},
        {"# comments",
         scratch.write("comments.txt", "# face, milled\n# x y z\n" + faceText(" ", "", false)),
         "line 1 starts with '#': enable comment lines to skip it (--comment '#')",
         {"--comment", "#"}},
        {"PLY binary big endian", bigEndianPly, nullptr, {}},
        {"gzip",
         scratch.write("face.txt.gz", std::string("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10)),
         "gzip-compressed data is not read: decompress it first",
         {}},
        {"UTF-16",
         scratch.write("face-utf16.txt", utf16),
         "UTF-16 text (little endian) is not read: save the text as UTF-8 or ASCII",
         {}},
    };
    double faceFlatness = 0.0;
    ASSERT_EQ(gte_measure_platness_pointCloud_file(dataFile("face.txt").c_str(), &faceFlatness),
              TAVRISK_FLATNESS_MEASURED);
    EXPECT_EQ(std::lround(faceFlatness * 1e6), 13066);

    for (Row const& row : table) {
        SCOPED_TRACE(row.layout);
        ToolRun const plain = runTool({"flatness", row.file, "--json"});
        if (row.refusal != nullptr) {
            EXPECT_EQ(plain.status, 3) << plain.err;
            EXPECT_NE(plain.err.find(row.refusal), std::string::npos) << plain.err;
            if (row.resolve.empty()) {
                continue;
            }
        }
        std::vector<std::string> args = {"flatness", row.file, "--json"};
        args.insert(args.end(), row.resolve.begin(), row.resolve.end());
        ToolRun const read = row.refusal != nullptr ? runTool(args) : plain;
        ASSERT_EQ(read.status, 0) << read.err;
        // The export's figure on the bundled face, to the bit.
        EXPECT_EQ(read.json()["flatness"].get<double>(), faceFlatness);
        EXPECT_EQ(read.json()["points"], face.size());
    }

    // Standard input is read by the same rules, the format recognised from its bytes.
    ToolRun const piped = runTool({"flatness", "-", "--json"}, semicolons);
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.json()["flatness"].get<double>(), faceFlatness);
    ToolRun const pipedPly = runTool({"fit-plane", "-", "--json"}, bigEndianPly);
    ASSERT_EQ(pipedPly.status, 0) << pipedPly.err;
    EXPECT_EQ(pipedPly.json()["format"], "PLY");
    EXPECT_EQ(figuresOf(pipedPly),
              figuresOf(runTool({"fit-plane", dataFile("face.txt"), "--json"})));

    // --format reads the bytes as the format named, whatever they look like.
    std::string const control = scratch.write("control.txt", "0 0 0\n1 0 0\x01\n0 1 0\n");
    ToolRun const binary = runTool({"flatness", control});
    EXPECT_EQ(binary.status, 3);
    EXPECT_NE(binary.err.find("binary data is not read"), std::string::npos) << binary.err;
    EXPECT_NE(binary.err.find("(--format)"), std::string::npos) << binary.err;
    ToolRun const asText = runTool({"flatness", control, "--format", "text"});
    EXPECT_EQ(asText.status, 3);
    EXPECT_NE(asText.err.find("line 2, value 3 is not a number"), std::string::npos) << asText.err;
    ToolRun const asPly = runTool({"flatness", dataFile("face.txt"), "--format", "PLY"});
    EXPECT_EQ(asPly.status, 3);
    EXPECT_NE(asPly.err.find("PLY: the first line is not 'ply'"), std::string::npos) << asPly.err;
}

TEST(ToolReading, NoLayoutOrFormatGivesAnotherFigureThanThePointsWrittenPlainly) {
    // Files of random points in random layouts and formats, read with and without the options
    // their layout needs: every run that is accepted gives the figures of the tool and of the
    // export on the same points written plainly, and a run that is not is refused as a file.
    ScratchDirectory const scratch;
    std::mt19937_64 random(20240611);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    auto pick = [&](std::size_t count) { return static_cast<std::size_t>(random() % count); };
    enum Layout {
        kText,
        kColumns,
        kHeader,
        kComments,
        kCommaSemicolon,
        kCommaBlank,
        kPly,
        kPcd,
        kLas,
        kStlText,
        kStlBinary,
        kLayouts
    };
    char const* const separators[] = {" ", "\t", ",", ", ", ";", " ; ", "  \t"};
    int const cases = 66;
    int accepted = 0, refused = 0;
    for (int c = 0; c < cases; ++c) {
        Layout const layout = static_cast<Layout>(c % kLayouts);
        std::size_t const count = 4 + pick(40);
        // A face of some size and place, tilted, with form; values with a few decimals or all.
        double const size = std::pow(10.0, uniform(-2.0, 4.0));
        double const place = uniform(-1000.0, 1000.0) * size;
        double const tiltX = uniform(-0.3, 0.3), tiltY = uniform(-0.3, 0.3);
        int const decimals = static_cast<int>(pick(8)) * 2;  // 14: every digit that counts
        std::vector<Values> lines;
        for (std::size_t i = 0; i < count; ++i) {
            double const x = place + uniform(0.0, size), y = place + uniform(0.0, size);
            double const z = tiltX * x + tiltY * y + uniform(-0.01, 0.01) * size;
            Values line;
            for (double v : {x, y, z}) {
                char text[64];
                std::snprintf(text, sizeof text, "%.*f", decimals, v);
                line.push_back(text);
            }
            lines.push_back(line);
        }
        std::vector<gte::Vector3> points;
        for (Values const& line : lines) points.push_back(pointOf(line));

        std::string file;
        Values options;
        std::string const separator = separators[pick(7)];
        std::string const ending = pick(3) == 0 ? "\r\n" : "\n";
        auto text = [&](auto&& make) {
            std::string out;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                out += make(lines[i]) + ending + (pick(8) == 0 ? ending : "");
            }
            return out;
        };
        // Other columns around x, y and z, which may stand in any order.
        std::size_t const width = 4 + pick(4);
        std::vector<std::size_t> place3 = {0, 1, 2, 3, 4, 5, 6};
        std::shuffle(place3.begin(), place3.begin() + static_cast<std::ptrdiff_t>(width), random);
        auto widened = [&](Values const& v) {
            Values wide(width, "7.5");
            for (int k = 0; k < 3; ++k) wide[place3[k]] = v[k];
            return wide;
        };
        std::string const columns = std::to_string(place3[0] + 1) + "," +
                                    std::to_string(place3[1] + 1) + "," +
                                    std::to_string(place3[2] + 1);
        std::vector<std::vector<double>> rows;
        for (gte::Vector3 const& p : points) rows.push_back({p[0], p[1], p[2], 1.0});
        switch (layout) {
            case kText:
                file = text([&](Values const& v) {
                    return (pick(4) == 0 ? separator : "") + joined(v, separator);
                });
                break;
            case kColumns:
                file = text([&](Values const& v) { return joined(widened(v), separator); });
                options = {"--columns", columns};
                break;
            case kHeader: {
                Values names = {"a", "b", "c", "d", "e", "f", "g"};
                names.resize(width);
                names[place3[0]] = "X", names[place3[1]] = "Y", names[place3[2]] = "Height";
                file = joined(names, separator) + ending +
                       text([&](Values const& v) { return joined(widened(v), separator); });
                options = {"--columns", pick(2) == 0 ? "x,Y,height" : columns};
                break;
            }
            case kComments: {
                char const marks[] = {'#', '%', '!', '/'};
                std::string const mark(1, marks[pick(4)]);
                file = mark + " measured " + ending + text([&](Values const& v) {
                           return joined(v, separator) +
                                  (pick(5) == 0 ? ending + mark + "probe " + mark : "");
                       });
                options = {"--comment", mark};
                break;
            }
            case kCommaSemicolon:
                file = text([&](Values const& v) { return withDecimalCommas(joined(v, ";")); });
                break;
            case kCommaBlank:
                file = text([&](Values const& v) {
                    return withDecimalCommas(joined(v, pick(2) ? " " : "\t"));
                });
                options = {"--decimal-comma"};
                break;
            case kPly: {
                char const* const formats[] = {"ascii", "binary_little_endian",
                                               "binary_big_endian"};
                std::string const type = pick(2) == 0 ? "float" : "double";
                std::string const format = formats[pick(3)];
                // An ascii value is read as its text says, a binary one as its type holds it.
                if (format != "ascii") {
                    for (gte::Vector3& p : points) {
                        p = gte::Vector3(storedAs(type, p[0]), storedAs(type, p[1]),
                                         storedAs(type, p[2]));
                    }
                }
                file =
                    plyFile(format, {{"vertex",
                                      {{type, "x"}, {type, "y"}, {type, "z"}, {"uchar", "quality"}},
                                      rows}});
                options = {"--format", "ply"};
                break;
            }
            case kPcd: {
                int const bytes = pick(2) == 0 ? 4 : 8;
                bool const ascii = pick(2) == 0;
                if (bytes == 4 && !ascii) {
                    for (gte::Vector3& p : points) {
                        p = gte::Vector3(roundedToFloat(p[0]), roundedToFloat(p[1]),
                                         roundedToFloat(p[2]));
                    }
                }
                file = pcdFile(ascii ? "ascii" : "binary",
                               {{"x", 'F', bytes},
                                {"y", 'F', bytes},
                                {"z", 'F', bytes},
                                {"intensity", 'U', 2}},
                               rows);
                break;
            }
            case kLas: {
                LasLayout las;
                las.pointFormat = static_cast<int>(pick(11));
                las.minor = las.pointFormat >= 6   ? 4
                            : las.pointFormat >= 4 ? 3 + static_cast<int>(pick(2))
                                                   : 2;
                double const scale = std::pow(10.0, -static_cast<double>(pick(4))) * size / 1e4;
                las.scale = {scale, scale, scale};
                las.offset = {place, place, (tiltX + tiltY) * place};
                std::vector<ScaledPoint> scaled;
                for (gte::Vector3& p : points) {
                    ScaledPoint s;
                    for (int k = 0; k < 3; ++k) {
                        s[k] = static_cast<std::int32_t>(
                            std::lround((p[k] - las.offset[k]) / las.scale[k]));
                        p[k] = static_cast<double>(s[k]) * las.scale[k] + las.offset[k];
                    }
                    scaled.push_back(s);
                }
                file = lasFile(las, scaled);
                break;
            }
            case kStlText:
            case kStlBinary: {
                std::vector<Triangle> const triangles = trianglesThrough(points);
                points = distinctVertices(triangles, layout == kStlBinary);
                file = layout == kStlText ? stlText(triangles, pick(2) == 0)
                                          : stlBinary(triangles, "made by a test");
                break;
            }
            case kLayouts:
                break;
        }
        SCOPED_TRACE("case " + std::to_string(c) + ", layout " + std::to_string(layout));
        std::string const path = scratch.write("case.dat", file);
        std::string const plain = scratch.write("plain.txt", plainText(points));
        ToolRun const reference = runTool({"flatness", plain, "--json"});
        double flatness = 0.0;
        // The export gives 0 for one or two points; the tool refuses them (exit 1), as it
        // refuses points that define no plane.
        bool const measured = gte_measure_platness_pointCloud_file(plain.c_str(), &flatness) ==
                                  TAVRISK_FLATNESS_MEASURED &&
                              points.size() >= 3;
        ASSERT_EQ(reference.status, measured ? 0 : 1) << reference.err;
        // Through standard input now and then: the same rules read the private copy.
        bool const piped = pick(4) == 0;
        for (bool const withOptions : {false, true}) {
            std::vector<std::string> args = {"flatness", piped ? "-" : path, "--json"};
            if (withOptions) {
                args.insert(args.end(), options.begin(), options.end());
            }
            ToolRun const run = runTool(args, piped ? path : "/dev/null");
            if (withOptions && options.empty()) {
                continue;  // the run without options was this one
            }
            if (!withOptions && !options.empty() && run.status == 3) {
                ++refused;
                continue;
            }
            ASSERT_EQ(run.status, reference.status) << run.err;
            EXPECT_EQ(figuresOf(run), figuresOf(reference));
            if (measured) {
                EXPECT_EQ(run.json()["flatness"].get<double>(), flatness);
                ++accepted;
            }
        }
    }
    // The cases hold both sorts, so that neither check went unused.
    EXPECT_GT(accepted, cases / 2);
    EXPECT_GT(refused, cases / 4);
}
