// SPDX-License-Identifier: MIT
// What the form commands (flatness, straightness, roundness) share: the names of the criteria,
// the support points of a zone, the refusals of TavriskInspect's form functions and the verdict
// of a tolerance.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "options.h"
#include "report.h"
#include "tavrisk_inspect.h"

namespace tavrisk_tool {

// A criterion in words, for labels and captions: "minimum zone", "least squares",
// "circumscribed", "inscribed".
std::string criterionWords(int criterion);

// A criterion as the command line and the JSON spell it: "minimum-zone", ...
std::string criterionKey(int criterion);

// The support points of a zone as the report lists them; circles name their contacts inner and
// outer, planes and lines low and high.
std::vector<SupportPoint> supportsOf(tvi_support_point const* support, std::size_t count,
                                     bool circles);

// Throws what a form function's status other than TVI_OK means: its refusal in the library's
// words, or running out of memory.
void requireFormMeasured(int status, tvi_problem const& problem);

// The minimum zone beside a figure the first library gives: the library's refusal of the
// points (coordinates beyond the exact tests' range, say) leaves the other figure standing.
// Returns the refusal in words, empty when the zone was measured; throws on other failures.
// When the options judge or draw the zone it cannot be done without, the refusal is thrown.
std::string zoneRefusal(int status, tvi_problem const& problem, Options const& options);

// Reports the minimum zone as the entry form/0 of the JSON: first its criterion, its width under
// label (with a note of its certification and configuration in the table), whether it is
// certified and its configuration; then, after the figures of its position, its boundaries'
// offsets and its supports.
void reportZoneFigure(Report& report, std::string const& label, double width, bool certified,
                      int configuration);
void reportZoneSupports(Report& report, double low, double high,
                        std::vector<SupportPoint> const& supports);

// Reports a zone the library refused: the reason under the figure's label, and in the JSON as
// the criterion's entry form/0 with "refused".
void reportRefusedZone(Report& report, std::string const& label, std::string const& reason);

// With --tolerance, judges width, the figure of the criterion the options choose: PASS when it
// is within the tolerance, FAIL (exit status 4) when beyond. A zone not certified may be wider
// than the narrowest, so its FAIL says so. Adds the tolerance, the verdict and the summary
// cell to the report.
void judgeTolerance(Report& report, Options const& options, double width, bool certified);

}  // namespace tavrisk_tool
