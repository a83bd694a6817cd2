// SPDX-License-Identifier: MIT
// The measurements the tool runs, one a command. Each reads its file, calls the library, draws
// the map when asked and gives back the figures; a refusal, a file problem or an unusable
// argument is thrown (tool_error.h).
#pragma once

#include "options.h"
#include "report.h"

namespace tavrisk_tool {

Report runFlatness(Options const& options);
Report runFitPlane(Options const& options);
Report runFitLine(Options const& options);
Report runStraightness(Options const& options);
Report runRoundness(Options const& options);
Report runProfile(Options const& options);
Report runMoment(Options const& options);

// Refuses a report any of whose figures is not a finite number (coordinates too large for the
// arithmetic overflow it): such a figure measures nothing, in the table, the JSON or a map.
// Called before the map is drawn.
void requireFiniteFigures(Report const& report);

// Prints the report on standard output as the options ask: a table or one JSON object.
void printReport(Report const& report, Options const& options);

// Refuses fewer than three points, naming the measurement that needs them.
void requireThreePoints(std::size_t count, char const* what, Options const& options);

}  // namespace tavrisk_tool
