// SPDX-License-Identifier: MIT
// What the command line asks for, and its parsing.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace tavrisk_tool {

enum class Command { kFlatness, kFitPlane, kFitLine, kStraightness, kProfile, kMoment };

struct Options {
    Command command = Command::kFlatness;
    std::string file;           // the measured points; "-" for standard input
    std::string nominalFile;    // profile: x y z nx ny nz per nominal point
    bool json = false;          // one JSON object instead of the table
    std::string svgPath;        // where to draw the map; empty for none
    std::string unit;           // the name of the files' length unit; empty when not given
    bool listPoints = false;    // every point's deviation too
    double exaggeration = 0.0;  // profile map: deviation scale; 0 chooses one
    std::optional<std::array<double, 6>> line;  // straightness: X,Y,Z,DX,DY,DZ
};

// The unit as printed: the name given, or "file units".
std::string unitLabel(Options const& options);

// Parses argv into options. Returns -1 when a measurement should run; otherwise the exit status
// of a run that ends here (0 after --help, 2 after a usage error, with the usage printed).
int parseArguments(int argc, char** argv, Options& options);

}  // namespace tavrisk_tool
