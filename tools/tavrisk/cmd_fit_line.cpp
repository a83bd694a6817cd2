// SPDX-License-Identifier: MIT
// fit-line FILE: the library's best-fit segment, its length and direction, and how far the
// points lie from its line.

#include "api/convert.h"
#include "commands.h"
#include "fit_refusal.h"
#include "formatted.h"
#include "line_map.h"
#include "map_parts.h"
#include "point_input.h"
#include "tool_error.h"

namespace tavrisk_tool {

Report runFitLine(Options const& options) {
    PointFile const file = readPointFile(options.file, options.reading);
    std::vector<gte::Vector3> const& points = file.points;
    std::vector<gte_point> const records = toRecords(points);
    requireThreePoints(points.size(), "a line", options);
    gte_lseg segment;
    if (gte_fit_lseg(records.data(), static_cast<int>(records.size()), &segment) !=
        TAVRISK_MEASURED) {
        throw Refusal(fitRefusal(points, Fitted::kLine));
    }
    gte::Vector3 const start = tavrisk::toVector3(segment.pt1);
    gte::Vector3 const span = tavrisk::toVector3(segment.pt2) - start;
    double const length = gte::Length(span);
    gte_line const line(segment.pt1, segment.pt2);
    gte::Vector3 const direction = tavrisk::toVector3(line.vector);

    // Each point's distance to the fitted line, by the library's point-to-line distance.
    std::vector<double> distances(records.size());
    std::vector<double> along(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        gte_dist_result result;
        gte_dist_point_line(line, records[i], &result);
        distances[i] = result.dist;
        along[i] = gte::Dot(points[i] - start, direction);
    }
    DeviationSummary const summary = summarize(points, distances);
    std::string const unit = unitLabel(options);

    Report report("fit-line", unit);
    report.text({"file"}, "file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.count({"points"}, "points", static_cast<std::int64_t>(points.size()));
    report.text({"method"}, "method", "least squares");
    report.position({"segment", "pt1"}, "segment pt1", start);
    report.position({"segment", "pt2"}, "segment pt2", tavrisk::toVector3(segment.pt2));
    report.length({"length"}, "length", length);
    report.direction({"direction"}, "unit direction", direction);
    report.length({"distance", "rms"}, "RMS distance to line", summary.rms);
    report.extreme({"distance", "max"}, "largest distance", summary.high);
    if (options.listPoints) {
        report.pointDeviations(listDeviations(points, distances));
    }

    requireFiniteFigures(report);
    if (!options.svgPath.empty()) {
        std::string const line1 = formatted(
            "Best-fit line \u00b7 length %.6f %s \u00b7 %zu points \u00b7 largest distance %.6f %s",
            length, unit.c_str(), points.size(), summary.high.value, unit.c_str());
        std::string const line2 =
            formatted("From (%.4f, %.4f, %.4f) along (%.6f, %.6f, %.6f); RMS distance %.6f %s.",
                      start[0], start[1], start[2], direction[0], direction[1], direction[2],
                      summary.rms, unit.c_str());
        LineMap map{"Best-fit line of " + displayName(options.file),
                    {line1, line2,
                     "Vertical: each point's distance to the line in space (not signed); the "
                     "band runs from 0 to the largest distance."},
                    unit,
                    "distance to the line",
                    along,
                    &distances,
                    summary,
                    0.0,
                    summary.high.value,
                    false};
        drawLineMap(map, options.svgPath);
    }
    return report;
}

}  // namespace tavrisk_tool
