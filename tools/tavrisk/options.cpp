// SPDX-License-Identifier: MIT
#include "options.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "error_report.h"
#include "point_input.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

char const kFileHelp[] =
    "point file: text of x y z a line (other columns with --columns), PLY, PCD, LAS or STL; "
    "- reads standard input";
char const kFilesHelp[] =
    "point files: text of x y z a line (other columns with --columns), PLY, PCD, LAS or STL; "
    "- reads standard input. Several files give one summary row each";

// The formats --format names, as TavriskInspect knows them.
std::map<std::string, int> const kFormats = {
    {"auto", TVI_FORMAT_AUTO}, {"text", TVI_FORMAT_TEXT}, {"ply", TVI_FORMAT_PLY},
    {"pcd", TVI_FORMAT_PCD},   {"las", TVI_FORMAT_LAS},   {"stl", TVI_FORMAT_STL},
};

// The form criteria --criterion names: flatness and straightness know the first two, roundness
// all four.
std::map<std::string, int> const kCriteria = {
    {"minimum-zone", TVI_CRITERION_MINIMUM_ZONE},
    {"least-squares", TVI_CRITERION_LEAST_SQUARES},
    {"circumscribed", TVI_CRITERION_MINIMUM_CIRCUMSCRIBED},
    {"inscribed", TVI_CRITERION_MAXIMUM_INSCRIBED},
};

// The form options of flatness, straightness and roundness, kept as typed until the parse is
// done.
struct FormArguments {
    std::string criterion;
    std::string tolerance;
};

void addFormOptions(CLI::App& command, FormArguments& given, bool allCriteria) {
    command
        .add_option("--criterion", given.criterion,
                    allCriteria ? "the circles --tolerance judges and the map draws: "
                                  "minimum-zone (default), circumscribed, inscribed or "
                                  "least-squares"
                                : "the figure --tolerance judges and the map draws: minimum-zone "
                                  "(default) or least-squares")
        ->type_name("CRITERION");
    command
        .add_option("--tolerance", given.tolerance,
                    "the form tolerance: print PASS or FAIL, and exit with 4 on FAIL")
        ->type_name("T");
}

// The reading options every command takes, kept as typed until the parse is done.
struct ReadingArguments {
    std::string columns;
    std::string comment;
    std::string format = "auto";
    bool decimalComma = false;
    bool noDecimalComma = false;
};

void addReadingOptions(CLI::App& command, ReadingArguments& given) {
    command
        .add_option("--columns", given.columns,
                    "the columns of x, y and z in a text file of other than three values a line: "
                    "numbers from 1 or header names")
        ->type_name("X,Y,Z");
    CLI::Option* comma = command.add_flag(
        "--decimal-comma", given.decimalComma,
        "commas in numbers are decimal commas (1,5 is 1.5); blanks and semicolons separate");
    command
        .add_flag("--no-decimal-comma", given.noDecimalComma,
                  "commas separate values, whatever else a line holds")
        ->excludes(comma);
    command
        .add_option("--comment", given.comment,
                    "skip text lines that start with this character (such as '#')")
        ->type_name("CHAR");
    command
        .add_option("--format", given.format,
                    "read the file as this format instead of recognising it from its bytes: "
                    "auto, text, ply, pcd, las or stl")
        ->type_name("FORMAT");
}

void addOutputOptions(CLI::App& command, Options& options, bool drawsMap, bool severalFiles) {
    command.add_flag("--json", options.json,
                     severalFiles ? "print one JSON object instead of a table (several files: "
                                    "one a line)"
                                  : "print one JSON object instead of a table");
    command.add_option("--unit", options.unit,
                       "name of the files' length unit, used as a label (default: file units)");
    if (drawsMap) {
        command
            .add_option("--svg", options.svgPath,
                        severalFiles ? "draw a deviation map into this SVG file (several files: "
                                       "a map each, MAP-NAME.svg after each file's NAME)"
                                     : "draw a deviation map into this SVG file")
            ->type_name("MAP");
        command.add_flag("--points", options.listPoints, "list every point's deviation too");
    }
}

struct Subcommand {
    CLI::App* app;
    Command command;
};

// Whether the command line asks for JSON: then a usage error is a JSON object on standard output
// too, whether or not the parse got as far as the option.
bool jsonAsked = false;

std::vector<Subcommand> defineCommands(CLI::App& app, Options& options, std::vector<double>& line,
                                       ReadingArguments& reading, FormArguments& form) {
    std::vector<Subcommand> commands;
    auto add = [&](char const* summary, Command command) {
        CLI::App* sub = app.add_subcommand(commandName(command), summary);
        commands.push_back(Subcommand{sub, command});
        return sub;
    };

    CLI::App* flatness =
        add("flatness of a face: the minimum zone of its points (two parallel planes) beside the "
            "band about their best-fit plane",
            Command::kFlatness);
    flatness->add_option("FILE", options.files, kFilesHelp)->required();
    addFormOptions(*flatness, form, false);
    addReadingOptions(*flatness, reading);
    addOutputOptions(*flatness, options, true, true);

    CLI::App* fitPlane =
        add("best-fit plane: three points on it, its normal and tilt, the residual",
            Command::kFitPlane);
    fitPlane->add_option("FILE", options.file, kFileHelp)->required();
    addReadingOptions(*fitPlane, reading);
    addOutputOptions(*fitPlane, options, true, false);

    CLI::App* fitLine =
        add("best-fit line: the segment the points span along it", Command::kFitLine);
    fitLine->add_option("FILE", options.file, kFileHelp)->required();
    addReadingOptions(*fitLine, reading);
    addOutputOptions(*fitLine, options, true, false);

    CLI::App* straightness =
        add("straightness seen from above: the minimum zone of the points (two parallel lines) "
            "beside their band across a line, measured horizontally",
            Command::kStraightness);
    straightness->add_option("FILE", options.files, kFilesHelp)->required();
    addFormOptions(*straightness, form, false);
    straightness
        ->add_option("--line", line,
                     "reference line X,Y,Z,DX,DY,DZ: a point and a direction (default: the "
                     "best-fit line) for the figure beside the minimum zone")
        ->delimiter(',')
        ->expected(6)
        ->allow_extra_args(false);
    addReadingOptions(*straightness, reading);
    addOutputOptions(*straightness, options, true, true);

    CLI::App* roundness =
        add("roundness seen from above: two concentric circles about the centre the criterion "
            "chooses, through the nearest and the farthest point",
            Command::kRoundness);
    roundness->add_option("FILE", options.files, kFilesHelp)->required();
    addFormOptions(*roundness, form, true);
    addReadingOptions(*roundness, reading);
    addOutputOptions(*roundness, options, true, true);

    CLI::App* profile =
        add("profile seen from above: the band of the measured points' deviations "
            "along the normals of the nearest nominal points",
            Command::kProfile);
    profile->add_option("MEASURED", options.file, kFileHelp)->required();
    profile
        ->add_option("NOMINAL", options.nominalFile,
                     "nominal contour: x y z nx ny nz per point (a point and its outward normal); "
                     "- reads standard input")
        ->required();
    addReadingOptions(*profile, reading);
    addOutputOptions(*profile, options, true, false);
    profile->footer(
        "The reading options apply to both files, but --columns and --format to MEASURED only: "
        "NOMINAL is text of six values a line.");
    profile
        ->add_option("--exaggerate", options.exaggeration,
                     "map: draw deviations this many times larger (default: chosen to show them)")
        ->check(CLI::PositiveNumber);

    CLI::App* moment =
        add("second moments seen from above: the centroid and the ellipse of the points",
            Command::kMoment);
    moment->add_option("FILE", options.file, kFileHelp)->required();
    addReadingOptions(*moment, reading);
    addOutputOptions(*moment, options, false, false);
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
    if (jsonAsked) {
        printErrorJson(shown->get_parent() == nullptr ? std::string() : shown->get_name(),
                       std::string(), UsageProblem(message));
    }
    return kExitUsage;
}

std::string versionNumber(int number) {
    return std::to_string(number / 10000) + "." + std::to_string(number / 100 % 100) + "." +
           std::to_string(number % 100);
}

// The tool's version and the libraries' it runs with: Tavrisk's as built into the program,
// TavriskInspect's as it says itself.
std::string versionText() {
    return std::string("tavrisk ") + TAVRISK_TOOL_VERSION + "\nlibraries: Tavrisk " +
           versionNumber(TAVRISK_VERSION_NUMBER) + ", TavriskInspect " +
           versionNumber(tvi_version());
}

// The reading options as typed, checked and put into options; the reason they are refused
// otherwise.
std::optional<std::string> takeReadingArguments(ReadingArguments const& given,
                                                ReadOptions& options) {
    if (!given.columns.empty()) {
        std::string::size_type start = 0;
        for (;;) {
            std::string::size_type const comma = given.columns.find(',', start);
            options.columns.push_back(given.columns.substr(start, comma - start));
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
        bool named = options.columns.size() == 3;
        for (std::string const& column : options.columns) {
            named = named && !column.empty() && column.find_first_not_of('0') != std::string::npos;
        }
        if (!named) {
            return std::string(
                "--columns: name the three columns of x, y and z, by number from 1 or by header "
                "name: --columns 2,3,4 or --columns X,Y,Z");
        }
    }
    std::string format = given.format;
    for (char& c : format) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    auto const knownFormat = kFormats.find(format);
    if (knownFormat == kFormats.end()) {
        return "--format: no format '" + given.format +
               "'; the formats are auto, text, ply, pcd, las and stl";
    }
    options.format = knownFormat->second;
    if (given.comment.size() > 1) {
        return "--comment: one character starts a comment line, not '" + given.comment + "'";
    }
    options.comment = given.comment.empty() ? '\0' : given.comment[0];
    if (given.decimalComma) {
        options.decimalComma = TVI_DECIMAL_COMMA_YES;
    } else if (given.noDecimalComma) {
        options.decimalComma = TVI_DECIMAL_COMMA_NO;
    }
    // The library judges which characters may start a comment line and which columns clash:
    // the comment alone first, so that the message names the option at fault.
    ReadOptions commentOnly;
    commentOnly.comment = options.comment;
    if (std::optional<std::string> const refused = readOptionsProblem(commentOnly)) {
        return "--comment: " + *refused;
    }
    if (std::optional<std::string> const refused = readOptionsProblem(options)) {
        return "--columns: " + *refused;
    }
    return std::nullopt;
}

// The form options as typed, checked and put into options; the reason they are refused
// otherwise.
std::optional<std::string> takeFormArguments(FormArguments const& given, Options& options) {
    if (!given.criterion.empty()) {
        auto const known = kCriteria.find(given.criterion);
        bool const circles = options.command == Command::kRoundness;
        if (known == kCriteria.end() || (!circles && known->second != TVI_CRITERION_MINIMUM_ZONE &&
                                         known->second != TVI_CRITERION_LEAST_SQUARES)) {
            return "--criterion: no criterion '" + given.criterion + "'; the criteria are " +
                   (circles ? "minimum-zone, circumscribed, inscribed and least-squares"
                            : "minimum-zone and least-squares");
        }
        options.criterion = known->second;
        // The band about a given line is no least-squares figure: judging it as one would put
        // the wrong name on a verdict.
        if (options.line && options.criterion == TVI_CRITERION_LEAST_SQUARES) {
            return std::string(
                "--criterion least-squares judges the band about the best-fit line, and --line "
                "gives another line: leave one of them out");
        }
    }
    if (!given.tolerance.empty()) {
        char const* start = given.tolerance.c_str();
        char* end = nullptr;
        double const value = std::strtod(start, &end);
        if (end == start || *end != '\0' || !std::isfinite(value) || value < 0.0) {
            return "--tolerance: '" + given.tolerance +
                   "' is not a tolerance: give a finite length, zero or more";
        }
        options.tolerance = value;
    }
    // The table of several files has a row a file and no room for their points: the listing
    // would be dropped without a word.
    if (options.listPoints && options.files.size() > 1 && !options.json) {
        return std::string(
            "--points lists the points of one file; with several files, ask for --json");
    }
    // Standard input is read once: a second "-" would read nothing.
    if (std::count(options.files.begin(), options.files.end(), "-") > 1) {
        return std::string("only one FILE can be read from standard input");
    }
    // Each file gets its own map, named after it (formMapPath): two files that would give one
    // map name are refused before anything is measured.
    if (!options.svgPath.empty() && options.files.size() > 1) {
        std::map<std::string, std::string> mapsMade;
        for (std::string const& file : options.files) {
            std::string const map = formMapPath(options.svgPath, file);
            auto const made = mapsMade.emplace(map, file);
            if (!made.second) {
                return "--svg: " + made.first->second + " and " + file + " would both draw " + map +
                       ": measure them in separate runs";
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::string formMapPath(std::string const& svgPath, std::string const& file) {
    std::string::size_type const slash = file.find_last_of('/');
    std::string name = file == "-" ? std::string("stdin") : file.substr(slash + 1);
    std::string::size_type const dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.erase(dot);
    }
    std::string::size_type const mapSlash = svgPath.find_last_of('/');
    std::string::size_type mapDot = svgPath.find_last_of('.');
    if (mapDot == std::string::npos || (mapSlash != std::string::npos && mapDot < mapSlash) ||
        mapDot == (mapSlash == std::string::npos ? 0 : mapSlash + 1)) {
        mapDot = svgPath.size();
    }
    return svgPath.substr(0, mapDot) + "-" + name + svgPath.substr(mapDot);
}

std::string commandName(Command command) {
    switch (command) {
        case Command::kFlatness:
            return "flatness";
        case Command::kFitPlane:
            return "fit-plane";
        case Command::kFitLine:
            return "fit-line";
        case Command::kStraightness:
            return "straightness";
        case Command::kRoundness:
            return "roundness";
        case Command::kProfile:
            return "profile";
        case Command::kMoment:
            return "moment";
    }
    return std::string();
}

bool measuresForm(Command command) {
    return command == Command::kFlatness || command == Command::kStraightness ||
           command == Command::kRoundness;
}

std::string unitLabel(Options const& options) {
    return options.unit.empty() ? std::string("file units") : options.unit;
}

int parseArguments(int argc, char** argv, Options& options) {
    CLI::App app{
        "Measures the form of parts from point files with the Tavrisk library: every figure "
        "printed is the library's own result.\n"
        "Exit status: 0 measured (and within --tolerance), 1 measurement refused, 2 usage error, "
        "3 file error, 4 measured and out of --tolerance (FAIL). Several files in one run exit "
        "with the worst: 3, then 1, then 4, then 0.",
        "tavrisk"};
    for (int i = 1; i < argc; ++i) {
        jsonAsked = jsonAsked || std::string(argv[i]) == "--json";
    }
    options.json = jsonAsked;
    app.require_subcommand(0, 1);
    app.fallthrough(false);
    app.set_version_flag("--version", versionText(),
                         "print the tool's version and the libraries' it runs with");
    std::vector<double> line;
    ReadingArguments reading;
    FormArguments form;
    std::vector<Subcommand> const commands = defineCommands(app, options, line, reading, form);

    try {
        app.parse(argc, argv);
    } catch (CLI::CallForHelp const&) {
        // --help after a command explains that command; on its own it lists the commands.
        std::fputs(helpOf(parsedCommand(app, commands)).c_str(), stdout);
        return kExitMeasured;
    } catch (CLI::CallForAllHelp const&) {
        std::fputs(app.help("", CLI::AppFormatMode::All).c_str(), stdout);
        return kExitMeasured;
    } catch (CLI::CallForVersion const& e) {
        std::printf("%s\n", e.what());
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
    if (chosen == &app) {
        return usageError("a command is required; the commands are " + commandNames(commands),
                          chosen);
    }
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
    if (std::optional<std::string> const refused = takeReadingArguments(reading, options.reading)) {
        return usageError(*refused, chosen);
    }
    if (measuresForm(options.command)) {
        if (std::optional<std::string> const refused = takeFormArguments(form, options)) {
            return usageError(*refused, chosen);
        }
        options.file = options.files.front();
    } else {
        options.files = {options.file};
    }
    if (options.command == Command::kProfile && options.file == "-" && options.nominalFile == "-") {
        return usageError("only one of MEASURED and NOMINAL can be read from standard input",
                          chosen);
    }
    return -1;
}

}  // namespace tavrisk_tool
