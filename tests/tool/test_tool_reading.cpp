// SPDX-License-Identifier: MIT
// The point files people have, as the tool reads them through TavriskInspect: in every layout,
// with no option or with the one its refusal names, a file gives the figures of the same points
// written plainly, to the bit. PLY stands for the binary formats, whose readers are compared
// with the points they were written from in tests/formats; the refusals' words are the error
// tests' concern.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/point_format_files.h"
#include "support/tool_runner.h"
#include "tavrisk.h"

using nlohmann::json;
using namespace tavrisk_test;

namespace {

using Values = std::vector<std::string>;  // one line's values as text

gte::Vector3 pointOf(Values const& line) {
    auto const value = [&](int k) { return std::strtod(line[k].c_str(), nullptr); };
    return gte::Vector3(value(0), value(1), value(2));
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

TEST(ToolReading, NoLayoutOrFormatGivesAnotherFigureThanThePointsWrittenPlainly) {
    // Files of random points in random layouts, read from a path or piped, with and without the
    // options their layout needs: every run that is accepted gives the figures of the tool and of
    // the export on the same points written plainly, and a run that is not is refused as a file.
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
        kLayouts
    };
    char const* const separators[] = {" ", "\t", ",", ", ", ";", " ; ", "  \t"};
    int const cases = 42;
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
