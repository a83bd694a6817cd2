// SPDX-License-Identifier: MIT
// straightness FILE [--line ...]: the minimum zone of the points seen from above
// (TavriskInspect's tvi_straightness_xy) beside the library's straightness about a given line or
// the best-fit line.
#include <cmath>

#include "api/convert.h"
#include "commands.h"
#include "fit_refusal.h"
#include "form_figures.h"
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

// The minimum zone as the tool shows it, in the sense of the straightness about a line: the
// direction along the lines with its largest component positive, and the normal pointing to
// the right of it seen from above, so that deviations are positive to the right as the
// straightness about a line gives them. A support's side follows the normal.
struct StraightZone {
    gte::Vector3 origin;     // on the mid-line
    gte::Vector3 direction;  // unit, z = 0
    gte::Vector3 normal;     // unit, z = 0, to the right of direction
    double low;
    double high;
    std::vector<SupportPoint> supports;
};

StraightZone straightZone(tvi_straightness_result const& result) {
    tvi_band const& b = result.zone;
    gte::Vector3 direction(result.direction.x, result.direction.y, 0.0);
    if (std::fabs(direction[1]) > std::fabs(direction[0]) ? direction[1] < 0.0
                                                          : direction[0] < 0.0) {
        direction = -direction;
    }
    gte::Vector3 const right(direction[1], -direction[0], 0.0);
    StraightZone zone{
        gte::Vector3(b.origin.x, b.origin.y, b.origin.z),       direction, right, b.low, b.high,
        supportsOf(result.support, result.support_count, false)};
    if (right[0] * b.normal.x + right[1] * b.normal.y < 0.0) {
        zone.low = -b.high;
        zone.high = -b.low;
        for (SupportPoint& s : zone.supports) {
            s.contact = s.contact == "low" ? "high" : "low";
        }
    }
    return zone;
}

// A point's signed distance across the zone seen from above, and its place along it.
double acrossZone(StraightZone const& zone, gte::Vector3 const& p) {
    return (p[0] - zone.origin[0]) * zone.normal[0] + (p[1] - zone.origin[1]) * zone.normal[1];
}
double alongZone(StraightZone const& zone, gte::Vector3 const& p) {
    return (p[0] - zone.origin[0]) * zone.direction[0] +
           (p[1] - zone.origin[1]) * zone.direction[1];
}

void reportZone(Report& report, tvi_straightness_result const& result, StraightZone const& zone) {
    reportZoneFigure(report, "straightness, minimum zone", result.zone.width, result.certified != 0,
                     result.configuration);
    report.position({"form", "0", "zone", "point"}, "zone mid-line through", zone.origin);
    report.direction({"form", "0", "zone", "direction"}, "zone direction", zone.direction);
    report.direction({"form", "0", "zone", "normal"}, "", zone.normal);
    reportZoneSupports(report, zone.low, zone.high, zone.supports);
}

}  // namespace

Report runStraightness(Options const& options) {
    PointFile const file = readPointFile(options.file, options.reading);
    std::vector<gte::Vector3> const& points = file.points;
    std::vector<gte_point> const records = toRecords(points);
    gte_line const line = referenceLine(options, points, records);
    std::vector<double> deviations(records.size());
    double const straightness = gte_straightness_xy_line(
        records.data(), static_cast<int>(records.size()), line, deviations.data());
    tvi_straightness_result result{};
    result.size = sizeof result;
    tvi_problem problem{};
    std::string const refused = zoneRefusal(
        tvi_straightness_xy(records.data(), records.size(), &result, &problem), problem, options);
    bool const zoneMeasured = refused.empty();
    StraightZone const zone = straightZone(result);
    DeviationSummary const summary = summarize(points, deviations);
    gte::Line3 const measured = tavrisk::toLine3(line);
    std::string const unit = unitLabel(options);
    bool const byZone = options.criterion == TVI_CRITERION_MINIMUM_ZONE;
    std::string const reference = options.line ? "given line" : "least squares";

    Report report("straightness", unit);
    report.text({"file"}, "file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.count({"points"}, "points", static_cast<std::int64_t>(points.size()));
    if (zoneMeasured) {
        reportZone(report, result, zone);
    } else {
        reportRefusedZone(report, "straightness, minimum zone", refused);
    }
    report.text({"form", "1", "criterion"}, "",
                options.line ? "given-line" : criterionKey(TVI_CRITERION_LEAST_SQUARES));
    report.length({"form", "1", "width"}, "", straightness);
    // The figure about the line keeps the keys it always had.
    report.length({"straightness"}, "straightness, " + reference, straightness);
    report.text({"method"}, "method", reference);
    report.text({"line", "source"}, "line", options.line ? "given" : "fitted");
    report.position({"line", "point"}, "line through", tavrisk::toVector3(line.pt));
    report.direction({"line", "direction"}, "line direction", measured.direction);
    reportExtremes(report, summary, nullptr);
    if (options.listPoints) {
        report.pointDeviations(listDeviations(points, deviations));
    }
    report.summary("points", std::to_string(points.size()));
    if (zoneMeasured) {
        report.summary("minimum zone", formatted("%.6f", result.zone.width));
        report.summary("certified", result.certified != 0 ? "yes" : "no");
    }
    report.summary(reference, formatted("%.6f", straightness));
    judgeTolerance(report, options, byZone ? result.zone.width : straightness,
                   !byZone || result.certified != 0);

    requireFiniteFigures(report);
    if (!options.svgPath.empty()) {
        std::string const line1 = formatted(
            "Straightness %.6f %s \u00b7 minimum zone, %s \u00b7 %s line %.6f \u00b7 "
            "%zu points",
            result.zone.width, unit.c_str(), result.certified != 0 ? "certified" : "not certified",
            options.line ? "given" : "best-fit", straightness, points.size());
        if (byZone && zoneMeasured) {
            std::vector<double> across(points.size()), along(points.size());
            for (std::size_t i = 0; i < points.size(); ++i) {
                across[i] = acrossZone(zone, points[i]);
                along[i] = alongZone(zone, points[i]);
            }
            gte::Vector3 const& o = zone.origin;
            gte::Vector3 const& d = zone.direction;
            LineMap map{"Straightness of " + displayName(options.file) + ", minimum zone",
                        {line1,
                         formatted("Mid-line through (%.4f, %.4f) along (%.6f, %.6f). ", o[0], o[1],
                                   d[0], d[1]) +
                             supportsText(zone.supports),
                         "Vertical: distance across the mid-line seen from above, positive to its "
                         "right; the dashed lines are the zone's two lines."},
                        unit,
                        "deviation across the zone",
                        along,
                        &across,
                        summarize(points, across),
                        zone.low,
                        zone.high,
                        true,
                        zone.supports,
                        "position along the zone's mid-line"};
            drawLineMap(map, options.svgPath);
        } else {
            gte::Vector3 const& o = measured.origin;
            gte::Vector3 const& d = measured.direction;
            std::vector<double> along(points.size());
            for (std::size_t i = 0; i < points.size(); ++i) {
                along[i] = gte::Dot(points[i] - o, d);
            }
            std::string const line2 =
                formatted("Line through (%.4f, %.4f, %.4f) along (%.6f, %.6f, %.6f).", o[0], o[1],
                          o[2], d[0], d[1], d[2]);
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
    }
    return report;
}

}  // namespace tavrisk_tool
