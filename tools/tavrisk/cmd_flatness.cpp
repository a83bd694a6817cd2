// SPDX-License-Identifier: MIT
// flatness FILE: the band of the points about their best-fit plane, read and fitted exactly as
// the library's flatness export does it.
#include <cmath>

#include "commands.h"
#include "fit_refusal.h"
#include "formatted.h"
#include "map_parts.h"
#include "form/flatness_band.h"
#include "plane_map.h"
#include "point_input.h"
#include "tool_error.h"

namespace tavrisk_tool {

void runFlatness(Options const& options) {
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
    std::string const unit = unitLabel(options);

    Report report("flatness", unit);
    report.text({"file"}, "file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.count({"points"}, "points", static_cast<std::int64_t>(points.size()));
    report.text({"method"}, "method", "least squares");
    report.length({"flatness"}, "flatness", flatness);
    report.position({"plane", "point"}, "plane through", band.origin);
    report.direction({"plane", "normal"}, "plane normal", frame.normal);
    reportExtremes(report, summary, "RMS deviation");
    if (options.listPoints) {
        report.pointDeviations(listDeviations(points, deviations));
    }

    requireFiniteFigures(report);
    if (!options.svgPath.empty()) {
        std::string const line =
            formatted("Flatness %.6f %s \u00b7 %zu points \u00b7 RMS deviation %.6f %s", flatness,
                      unit.c_str(), points.size(), summary.rms, unit.c_str());
        PlaneMap map{"Flatness of " + displayName(options.file),
                     line,
                     unit,
                     frame,
                     &points,
                     &deviations,
                     summary};
        drawPlaneMap(map, options.svgPath);
    }
    printReport(report, options);
}

}  // namespace tavrisk_tool
