// SPDX-License-Identifier: MIT
// roundness FILE: the roundness of the points seen from above (TavriskInspect's
// tvi_roundness_xy), about the centre the criterion chooses.
#include <cmath>

#include "commands.h"
#include "form_figures.h"
#include "formatted.h"
#include "map_parts.h"
#include "point_input.h"
#include "roundness_map.h"
#include "tool_error.h"

namespace tavrisk_tool {

Report runRoundness(Options const& options) {
    PointFile const file = readPointFile(options.file, options.reading);
    std::vector<gte::Vector3> const& points = file.points;
    std::vector<gte_point> const records = toRecords(points);
    tvi_roundness_result result{};
    result.size = sizeof result;
    tvi_problem problem{};
    requireFormMeasured(
        tvi_roundness_xy(records.data(), records.size(), options.criterion, &result, &problem),
        problem);
    gte::Vector3 const centre(result.center.x, result.center.y, result.center.z);
    // Each point's distance from the criterion's circle, seen from above: positive outside.
    std::vector<double> deviations(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        deviations[i] =
            std::hypot(points[i][0] - centre[0], points[i][1] - centre[1]) - result.radius;
    }
    DeviationSummary const summary = summarize(points, deviations);
    std::vector<SupportPoint> const supports =
        supportsOf(result.support, result.support_count, true);
    std::string const unit = unitLabel(options);
    std::string const criterion = criterionWords(options.criterion);
    bool const certified = result.certified != 0;

    Report report("roundness", unit);
    report.text({"file"}, "file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.count({"points"}, "points", static_cast<std::int64_t>(points.size()));
    report.text({"criterion"}, "criterion", criterionKey(options.criterion));
    report.length({"roundness"}, "roundness, " + criterion, result.width);
    report.note(std::string(certified ? "certified" : "NOT certified") + "; outer - inner radius");
    report.flag({"certified"}, "", certified);
    report.position({"center"}, "centre", centre);
    report.length({"radius"}, "radius, " + criterion, result.radius);
    report.length({"inner_radius"}, "inner radius", result.inner_radius);
    report.length({"outer_radius"}, "outer radius", result.outer_radius);
    report.supports({"support"}, "supports", supports);
    report.extreme({"deviation", "min"}, "lowest deviation", summary.low);
    report.extreme({"deviation", "max"}, "highest deviation", summary.high);
    report.length({"deviation", "rms"}, "RMS deviation", summary.rms);
    if (options.listPoints) {
        report.pointDeviations(listDeviations(points, deviations));
    }
    report.summary("points", std::to_string(points.size()));
    report.summary(criterion, formatted("%.6f", result.width));
    report.summary("centre", formatted("(%.6f, %.6f)", centre[0], centre[1]));
    report.summary("certified", certified ? "yes" : "no");
    judgeTolerance(report, options, result.width, certified);

    requireFiniteFigures(report);
    if (!options.svgPath.empty()) {
        RoundnessMap map{
            "Roundness of " + displayName(options.file) + ", " + criterion,
            {formatted("Roundness %.6f %s \u00b7 %s, %s \u00b7 %zu points", result.width,
                       unit.c_str(), criterion.c_str(), certified ? "certified" : "not certified",
                       points.size()),
             formatted("Centre (%.6f, %.6f); radius %.6f, inner %.6f, outer %.6f %s (outer red, "
                       "inner blue).",
                       centre[0], centre[1], result.radius, result.inner_radius,
                       result.outer_radius, unit.c_str()),
             supportsText(supports)},
            unit,
            gte::Vector2(centre[0], centre[1]),
            result.radius,
            result.inner_radius,
            result.outer_radius,
            &points,
            &deviations,
            summary,
            supports};
        drawRoundnessMap(map, options.svgPath);
    }
    return report;
}

}  // namespace tavrisk_tool
