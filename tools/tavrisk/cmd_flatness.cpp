// SPDX-License-Identifier: MIT
// flatness FILE: the minimum zone of the points (TavriskInspect's tvi_flatness) beside the band
// about their best-fit plane, read and fitted exactly as the library's flatness export does it.
#include <cmath>

#include "commands.h"
#include "fit_refusal.h"
#include "form/flatness_band.h"
#include "form_figures.h"
#include "formatted.h"
#include "map_parts.h"
#include "plane_map.h"
#include "point_input.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

// The minimum zone in the sense of the map's frame: a zone's planes are the same whichever way
// its normal points, so turning the normal turns its supports' sides too.
struct OrientedZone {
    tvi_band band;
    std::vector<SupportPoint> supports;
};

OrientedZone orientedZone(tvi_flatness_result const& result, PlaneFrame const& frame) {
    OrientedZone zone{result.zone, supportsOf(result.support, result.support_count, false)};
    gte_vector const& n = zone.band.normal;
    if (n.x * frame.normal[0] + n.y * frame.normal[1] + n.z * frame.normal[2] < 0.0) {
        zone.band.normal = gte_vector(-n.x, -n.y, -n.z);
        double const low = zone.band.low;
        zone.band.low = -zone.band.high;
        zone.band.high = -low;
        for (SupportPoint& s : zone.supports) {
            s.contact = s.contact == "low" ? "high" : "low";
        }
    }
    return zone;
}

void reportZone(Report& report, tvi_flatness_result const& result, OrientedZone const& zone) {
    tvi_band const& b = zone.band;
    reportZoneFigure(report, "flatness, minimum zone", b.width, result.certified != 0,
                     result.configuration);
    report.position({"form", "0", "zone", "point"}, "zone mid-plane through",
                    gte::Vector3(b.origin.x, b.origin.y, b.origin.z));
    report.direction({"form", "0", "zone", "normal"}, "zone normal",
                     gte::Vector3(b.normal.x, b.normal.y, b.normal.z));
    reportZoneSupports(report, b.low, b.high, zone.supports);
}

}  // namespace

Report runFlatness(Options const& options) {
    PointFile const file = readPointFile(options.file, options.reading);
    std::vector<gte::Vector3> const& points = file.points;
    requireOneCall(points.size());  // as the export refuses them
    requireThreePoints(points.size(), "flatness", options);
    std::vector<double> deviations;
    tavrisk::FlatnessBand const band = tavrisk::flatnessBandOf(points, &deviations);
    // The export's own figure: the band as the fit's normal measures it. The export refuses a
    // band that overflows (coordinates too large for the fit); the tool refuses that too, and a
    // plane that the points do not define.
    double const flatness = band.high - band.low;
    if (!band.planeUnique || !std::isfinite(flatness)) {
        throw Refusal(fitRefusal(points, Fitted::kPlane));
    }
    std::vector<gte_point> const records = toRecords(points);
    tvi_flatness_result result{};
    result.size = sizeof result;
    tvi_problem problem{};
    std::string const refused = zoneRefusal(
        tvi_flatness(records.data(), records.size(), &result, &problem), problem, options);
    bool const measured = refused.empty();

    // Deviations are reported along the normal in the sense whose largest component is
    // positive, so that a face seen from above reads positive where it stands high. Turning the
    // sense negates each deviation exactly and leaves the band's width as it is.
    PlaneFrame const frame = planeFrameOf(band.origin, band.normal);
    if (frame.normal != band.normal) {
        for (double& d : deviations) {
            d = -d;
        }
    }
    DeviationSummary const summary = summarize(points, deviations);
    tvi_band const& found = result.zone;
    PlaneFrame const zoneFrame =
        planeFrameOf(gte::Vector3(found.origin.x, found.origin.y, found.origin.z),
                     gte::Vector3(found.normal.x, found.normal.y, found.normal.z));
    OrientedZone const zone = orientedZone(result, zoneFrame);
    std::string const unit = unitLabel(options);
    bool const byZone = options.criterion == TVI_CRITERION_MINIMUM_ZONE;

    Report report("flatness", unit);
    report.text({"file"}, "file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.count({"points"}, "points", static_cast<std::int64_t>(points.size()));
    if (measured) {
        reportZone(report, result, zone);
    } else {
        reportRefusedZone(report, "flatness, minimum zone", refused);
    }
    report.text({"form", "1", "criterion"}, "", criterionKey(TVI_CRITERION_LEAST_SQUARES));
    report.length({"form", "1", "width"}, "", flatness);
    report.flag({"form", "1", "certified"}, "", true);
    // The least-squares figure keeps the keys it always had.
    report.length({"flatness"}, "flatness, least squares", flatness);
    report.text({"method"}, "plane fitted by", "least squares");
    report.position({"plane", "point"}, "plane through", band.origin);
    report.direction({"plane", "normal"}, "plane normal", frame.normal);
    reportExtremes(report, summary, "RMS deviation");
    if (options.listPoints) {
        report.pointDeviations(listDeviations(points, deviations));
    }
    report.summary("points", std::to_string(points.size()));
    if (measured) {
        report.summary("minimum zone", formatted("%.6f", zone.band.width));
        report.summary("certified", result.certified != 0 ? "yes" : "no");
    }
    report.summary("least squares", formatted("%.6f", flatness));
    judgeTolerance(report, options, byZone ? zone.band.width : flatness,
                   !byZone || result.certified != 0);

    requireFiniteFigures(report);
    if (!options.svgPath.empty()) {
        std::string const figures =
            measured ? formatted(
                           "Flatness %.6f %s \u00b7 minimum zone, %s, %s supports \u00b7 "
                           "least squares %.6f \u00b7 %zu points",
                           zone.band.width, unit.c_str(),
                           result.certified != 0 ? "certified" : "not certified",
                           tvi_configuration_name(result.configuration), flatness, points.size())
                     : formatted(
                           "Flatness %.6f %s by least squares (minimum zone not measured) "
                           "\u00b7 %zu points",
                           flatness, unit.c_str(), points.size());
        if (!byZone || !measured) {
            PlaneMap map{"Flatness of " + displayName(options.file) + ", least squares",
                         figures,
                         unit,
                         frame,
                         &points,
                         &deviations,
                         summary};
            drawPlaneMap(map, options.svgPath);
        } else {
            // Coloured by the distance to the zone's mid-plane: the zone's planes are at its
            // low and high offsets, and the supports touch them.
            tvi_band const& b = zone.band;
            std::vector<double> fromMidPlane(points.size());
            for (std::size_t i = 0; i < points.size(); ++i) {
                fromMidPlane[i] = gte::Dot(points[i] - zoneFrame.origin, zoneFrame.normal);
            }
            PlaneMap map{"Flatness of " + displayName(options.file) + ", minimum zone",
                         figures,
                         unit,
                         zoneFrame,
                         &points,
                         &fromMidPlane,
                         summarize(points, fromMidPlane),
                         zone.supports,
                         b.low,
                         b.high};
            drawPlaneMap(map, options.svgPath);
        }
    }
    return report;
}

}  // namespace tavrisk_tool
