// SPDX-License-Identifier: MIT
// What the command line asks for, and its parsing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tavrisk_inspect.h"

namespace tavrisk_tool {

enum class Command { kFlatness, kFitPlane, kFitLine, kStraightness, kRoundness, kProfile, kMoment };

// How point files are read (TavriskInspect's reading options, as the command line gives them).
struct ReadOptions {
    // The columns of x, y and z: each a 1-based index ("2") or a header name ("X [mm]"); none
    // given when empty.
    std::vector<std::string> columns;
    int decimalComma = TVI_DECIMAL_COMMA_AUTO;
    char comment = 0;  // the character that starts a comment line; 0: none
    int format = TVI_FORMAT_AUTO;
};

struct Options {
    Command command = Command::kFlatness;
    std::string file;  // the measured points; "-" for standard input
    // The form commands (flatness, straightness, roundness) measure each of several files in
    // turn: all of them, file the one being measured. Other commands: file alone.
    std::vector<std::string> files;
    std::string nominalFile;    // profile: x y z nx ny nz per nominal point
    bool json = false;          // one JSON object instead of the table
    std::string svgPath;        // where to draw the map; empty for none
    std::string unit;           // the name of the files' length unit; empty when not given
    bool listPoints = false;    // every point's deviation too
    double exaggeration = 0.0;  // profile map: deviation scale; 0 chooses one
    std::optional<std::array<double, 6>> line;  // straightness: X,Y,Z,DX,DY,DZ
    ReadOptions reading;
    // Form: the criterion whose figure --tolerance judges and the map draws (TVI_CRITERION_...),
    // and the tolerance, when given.
    int criterion = TVI_CRITERION_MINIMUM_ZONE;
    std::optional<double> tolerance;
};

// Whether a command measures form: several files a run, --criterion and --tolerance.
bool measuresForm(Command command);

// The command as typed: "flatness", "fit-plane", ...
std::string commandName(Command command);

// The map of one file of several measured in one run: the --svg path with the file's name (its
// last part, without its extension; "stdin" for standard input) before the extension:
// maps.svg and dir/a.txt give maps-a.svg.
std::string formMapPath(std::string const& svgPath, std::string const& file);

// The unit as printed: the name given, or "file units".
std::string unitLabel(Options const& options);

// Parses argv into options. Returns -1 when a measurement should run; otherwise the exit status
// of a run that ends here (0 after --help or --version, 2 after a usage error, with the usage
// printed).
int parseArguments(int argc, char** argv, Options& options);

}  // namespace tavrisk_tool
