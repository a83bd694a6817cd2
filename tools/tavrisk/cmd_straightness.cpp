// SPDX-License-Identifier: MIT
// straightness FILE [--line ...]: the library's straightness seen from above, about a given line
// or the best-fit line.
#include <cmath>

#include "api/convert.h"
#include "commands.h"
#include "fit_refusal.h"
#include "formatted.h"
#include "line_map.h"
#include "map_parts.h"
#include "point_input.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

gte_line referenceLine(Options const& options, std::vector<gte::Vector3> const& points,
                       std::vector<gte_point> const& records) {
    if (options.line) {
        std::array<double, 6> const& l = *options.line;
        return gte_line(gte_point(l[0], l[1], l[2]), gte_vector(l[3], l[4], l[5]));
    }
    requireThreePoints(records.size(), "a best-fit line", options);
    gte_lseg segment;
    if (gte_fit_lseg(records.data(), static_cast<int>(records.size()), &segment) !=
        TAVRISK_MEASURED) {
        throw Refusal(fitRefusal(points, Fitted::kLine) + "; give the line with --line");
    }
    return gte_line(segment.pt1, segment.pt2);
}

}  // namespace

void runStraightness(Options const& options) {
    PointFile const file = readPointFile(options.file, options.reading);
    std::vector<gte::Vector3> const& points = file.points;
    std::vector<gte_point> const records = toRecords(points);
    gte_line const line = referenceLine(options, points, records);
    std::vector<double> deviations(records.size());
    double const straightness = gte_straightness_xy_line(
        records.data(), static_cast<int>(records.size()), line, deviations.data());
    DeviationSummary const summary = summarize(points, deviations);
    gte::Line3 const measured = tavrisk::toLine3(line);
    std::vector<double> along(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        along[i] = gte::Dot(points[i] - measured.origin, measured.direction);
    }
    std::string const unit = unitLabel(options);

    Report report("straightness", unit);
    report.text({"file"}, "file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.count({"points"}, "points", static_cast<std::int64_t>(points.size()));
    report.text({"method"}, "method", options.line ? "given line" : "least squares");
    report.text({"line", "source"}, "line", options.line ? "given" : "fitted");
    report.position({"line", "point"}, "line through", tavrisk::toVector3(line.pt));
    report.direction({"line", "direction"}, "line direction", measured.direction);
    report.length({"straightness"}, "straightness", straightness);
    reportExtremes(report, summary, nullptr);
    if (options.listPoints) {
        report.pointDeviations(listDeviations(points, deviations));
    }

    requireFiniteFigures(report);
    if (!options.svgPath.empty()) {
        std::string const line1 =
            formatted("Straightness %.6f %s \u00b7 %zu points \u00b7 %s line", straightness,
                      unit.c_str(), points.size(), options.line ? "given" : "best-fit");
        gte::Vector3 const& o = measured.origin;
        gte::Vector3 const& d = measured.direction;
        std::string const line2 =
            formatted("Line through (%.4f, %.4f, %.4f) along (%.6f, %.6f, %.6f).", o[0], o[1], o[2],
                      d[0], d[1], d[2]);
        LineMap map{"Straightness of " + displayName(options.file),
                    {line1, line2,
                     "Vertical: deviation across the line, measured horizontally (seen from "
                     "above), positive to the right of its direction; the band is the "
                     "straightness."},
                    unit,
                    "deviation across the line",
                    along,
                    &deviations,
                    summary,
                    summary.low.value,
                    summary.high.value,
                    true};
        drawLineMap(map, options.svgPath);
    }
    printReport(report, options);
}

}  // namespace tavrisk_tool
