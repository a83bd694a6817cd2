// SPDX-License-Identifier: MIT
#include "options.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "tool_error.h"

namespace tavrisk_tool {

namespace {

char const kFileHelp[] =
    "point file: numbers separated by spaces, commas, tabs or line breaks, three to a point "
    "(x y z); - reads standard input";

void addOutputOptions(CLI::App& command, Options& options, bool drawsMap) {
    command.add_flag("--json", options.json, "print one JSON object instead of a table");
    command.add_option("--unit", options.unit,
                       "name of the files' length unit, used as a label (default: file units)");
    if (drawsMap) {
        command.add_option("--svg", options.svgPath, "draw a deviation map into this SVG file");
        command.add_flag("--points", options.listPoints, "list every point's deviation too");
    }
}

struct Subcommand {
    CLI::App* app;
    Command command;
};

std::vector<Subcommand> defineCommands(CLI::App& app, Options& options, std::vector<double>& line) {
    std::vector<Subcommand> commands;
    auto add = [&](char const* name, char const* summary, Command command) {
        CLI::App* sub = app.add_subcommand(name, summary);
        commands.push_back(Subcommand{sub, command});
        return sub;
    };

    CLI::App* flatness =
        add("flatness",
            "flatness of a face: the width of the band of its points about their best-fit plane",
            Command::kFlatness);
    flatness->add_option("FILE", options.file, kFileHelp)->required();
    addOutputOptions(*flatness, options, true);

    CLI::App* fitPlane =
        add("fit-plane", "best-fit plane: three points on it, its normal and tilt, the residual",
            Command::kFitPlane);
    fitPlane->add_option("FILE", options.file, kFileHelp)->required();
    addOutputOptions(*fitPlane, options, true);

    CLI::App* fitLine =
        add("fit-line", "best-fit line: the segment the points span along it", Command::kFitLine);
    fitLine->add_option("FILE", options.file, kFileHelp)->required();
    addOutputOptions(*fitLine, options, true);

    CLI::App* straightness =
        add("straightness",
            "straightness seen from above: the band of the points across a line, measured "
            "horizontally",
            Command::kStraightness);
    straightness->add_option("FILE", options.file, kFileHelp)->required();
    straightness
        ->add_option("--line", line,
                     "reference line X,Y,Z,DX,DY,DZ: a point and a direction (default: the "
                     "best-fit line)")
        ->delimiter(',')
        ->expected(6)
        ->allow_extra_args(false);
    addOutputOptions(*straightness, options, true);

    CLI::App* profile = add("profile",
                            "profile seen from above: the band of the measured points' deviations "
                            "along the normals of the nearest nominal points",
                            Command::kProfile);
    profile->add_option("MEASURED", options.file, kFileHelp)->required();
    profile
        ->add_option("NOMINAL", options.nominalFile,
                     "nominal contour: x y z nx ny nz per point (a point and its outward normal); "
                     "- reads standard input")
        ->required();
    addOutputOptions(*profile, options, true);
    profile
        ->add_option("--exaggerate", options.exaggeration,
                     "map: draw deviations this many times larger (default: chosen to show them)")
        ->check(CLI::PositiveNumber);

    CLI::App* moment =
        add("moment", "second moments seen from above: the centroid and the ellipse of the points",
            Command::kMoment);
    moment->add_option("FILE", options.file, kFileHelp)->required();
    addOutputOptions(*moment, options, false);
    return commands;
}

// The command the parser reached, or the whole program when it reached none.
CLI::App const* parsedCommand(CLI::App const& app, std::vector<Subcommand> const& commands) {
    for (Subcommand const& c : commands) {
        if (c.app->parsed()) {
            return c.app;
        }
    }
    return &app;
}

// The first argument when it names no command (and is no option): what the user meant as one.
char const* unknownCommand(int argc, char** argv, std::vector<Subcommand> const& commands) {
    if (argc < 2 || argv[1][0] == '-') {
        return nullptr;
    }
    for (Subcommand const& c : commands) {
        if (c.app->get_name() == argv[1]) {
            return nullptr;
        }
    }
    return argv[1];
}

std::string commandNames(std::vector<Subcommand> const& commands) {
    std::string names;
    for (Subcommand const& c : commands) {
        names += (names.empty() ? "" : ", ") + c.app->get_name();
    }
    return names;
}

// The help of the program, or of one command with its usage line as typed: "tavrisk flatness".
std::string helpOf(CLI::App const* shown) {
    return shown->get_parent() == nullptr ? shown->help() : shown->help("tavrisk");
}

int usageError(std::string const& message, CLI::App const* shown) {
    std::fprintf(stderr, "tavrisk: %s\n\n%s", message.c_str(), helpOf(shown).c_str());
    return kExitUsage;
}

}  // namespace

std::string unitLabel(Options const& options) {
    return options.unit.empty() ? std::string("file units") : options.unit;
}

int parseArguments(int argc, char** argv, Options& options) {
    CLI::App app{
        "Measures the form of parts from point files with the Tavrisk library: every figure "
        "printed is the library's own result.\n"
        "Exit status: 0 measured, 1 measurement refused, 2 usage error, 3 file error.",
        "tavrisk"};
    app.require_subcommand(1, 1);
    app.fallthrough(false);
    std::vector<double> line;
    std::vector<Subcommand> const commands = defineCommands(app, options, line);

    try {
        app.parse(argc, argv);
    } catch (CLI::CallForHelp const&) {
        // --help after a command explains that command; on its own it lists the commands.
        std::fputs(helpOf(parsedCommand(app, commands)).c_str(), stdout);
        return kExitMeasured;
    } catch (CLI::CallForAllHelp const&) {
        std::fputs(app.help("", CLI::AppFormatMode::All).c_str(), stdout);
        return kExitMeasured;
    } catch (CLI::ParseError const& e) {
        CLI::App const* reached = parsedCommand(app, commands);
        if (reached == &app) {
            if (char const* unknown = unknownCommand(argc, argv, commands)) {
                return usageError(std::string("unknown command '") + unknown +
                                      "'; the commands are " + commandNames(commands),
                                  reached);
            }
        }
        return usageError(e.what(), reached);
    }

    CLI::App const* chosen = parsedCommand(app, commands);
    for (Subcommand const& c : commands) {
        if (c.app == chosen) {
            options.command = c.command;
        }
    }
    // A number that is not finite measures nothing and would be printed, or drawn, as if it
    // did; the parser reads "nan" and "inf" as numbers.
    if (!line.empty()) {
        for (double const value : line) {
            if (!std::isfinite(value)) {
                return usageError("--line: X,Y,Z,DX,DY,DZ must be finite numbers", chosen);
            }
        }
        // Only the zero vector has no direction: the library makes any other unit, however
        // short or long.
        if (line[3] == 0.0 && line[4] == 0.0 && line[5] == 0.0) {
            return usageError("--line: the direction DX,DY,DZ must not be zero", chosen);
        }
        options.line = std::array<double, 6>{line[0], line[1], line[2], line[3], line[4], line[5]};
    }
    if (!std::isfinite(options.exaggeration)) {
        return usageError("--exaggerate: the factor must be a finite number", chosen);
    }
    if (options.command == Command::kProfile && options.file == "-" && options.nominalFile == "-") {
        return usageError("only one of MEASURED and NOMINAL can be read from standard input",
                          chosen);
    }
    return -1;
}

}  // namespace tavrisk_tool
