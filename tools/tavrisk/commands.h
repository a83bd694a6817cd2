// SPDX-License-Identifier: MIT
// The measurements the tool runs, one a command. Each reads its files, calls the library,
// draws the map when asked and prints the figures; a refusal, a file problem or an unusable
// argument is thrown (tool_error.h).
#pragma once

#include "options.h"
#include "report.h"

namespace tavrisk_tool {

void runFlatness(Options const& options);
void runFitPlane(Options const& options);
void runFitLine(Options const& options);
void runStraightness(Options const& options);
void runProfile(Options const& options);
void runMoment(Options const& options);

// Refuses a report any of whose figures is not a finite number (coordinates too large for the
// arithmetic overflow it): such a figure measures nothing, in the table, the JSON or a map.
// Called before the map is drawn.
void requireFiniteFigures(Report const& report);

// Prints the report on standard output as the options ask: a table or one JSON object.
void printReport(Report const& report, Options const& options);

// Refuses fewer than three points, naming the measurement that needs them.
void requireThreePoints(std::size_t count, char const* what, Options const& options);

}  // namespace tavrisk_tool
