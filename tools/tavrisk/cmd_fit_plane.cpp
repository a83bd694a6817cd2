// SPDX-License-Identifier: MIT
// fit-plane FILE: the library's best-fit plane record, its normal and tilt, and how far the
// points lie from it.
#include <cmath>

#include "api/convert.h"
#include "commands.h"
#include "fit_refusal.h"
#include "formatted.h"
#include "map_parts.h"
#include "plane_map.h"
#include "point_input.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

// Signed distance of a point to the plane record, by the library's point-to-plane distance:
// positive on the side the frame's normal points to.
double signedDistance(gte_plane const& plane, gte_point const& point, gte::Vector3 const& normal) {
    gte_dist_result result;
    gte_dist_point_plane(plane, point, &result);
    // The result's direction runs from the point to its foot on the plane.
    gte::Vector3 const towardsFoot(result.direction.x, result.direction.y, result.direction.z);
    return gte::Dot(towardsFoot, normal) > 0.0 ? -result.dist : result.dist;
}

}  // namespace

Report runFitPlane(Options const& options) {
    PointFile const file = readPointFile(options.file, options.reading);
    std::vector<gte::Vector3> const& points = file.points;
    std::vector<gte_point> const records = toRecords(points);
    requireThreePoints(points.size(), "a plane", options);
    gte_plane plane;
    if (gte_fit_plane(records.data(), static_cast<int>(records.size()), &plane) !=
        TAVRISK_MEASURED) {
        throw Refusal(fitRefusal(points, Fitted::kPlane));
    }
    // The normal every measurement against this record uses.
    gte::Plane3 const measured = tavrisk::toPlane3(plane);
    PlaneFrame const frame = planeFrameOf(tavrisk::toVector3(plane.pt1), measured.normal);

    // The tilt to each axis: the angle between the plane and the coordinate plane square to the
    // axis, which is the angle between the plane's normal and the axis (its sense ignored).
    gte::Vector3 tilt;
    gte_plane const squareTo[3] = {
        gte_plane(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(0, 0, 1)),
        gte_plane(gte_point(0, 0, 0), gte_point(0, 0, 1), gte_point(1, 0, 0)),
        gte_plane(gte_point(0, 0, 0), gte_point(1, 0, 0), gte_point(0, 1, 0)),
    };
    for (int axis = 0; axis < 3; ++axis) {
        double const between = gte_angle_plane_plane(plane, squareTo[axis]);
        tilt[axis] = between > 90.0 ? 180.0 - between : between;
    }

    std::vector<double> residuals(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        residuals[i] = signedDistance(plane, records[i], frame.normal);
    }
    DeviationSummary const summary = summarize(points, residuals);
    std::string const unit = unitLabel(options);

    Report report("fit-plane", unit);
    report.text({"file"}, "file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.count({"points"}, "points", static_cast<std::int64_t>(points.size()));
    report.text({"method"}, "method", "least squares");
    report.position({"plane", "pt1"}, "plane pt1", tavrisk::toVector3(plane.pt1));
    report.position({"plane", "pt2"}, "plane pt2", tavrisk::toVector3(plane.pt2));
    report.position({"plane", "pt3"}, "plane pt3", tavrisk::toVector3(plane.pt3));
    report.direction({"plane", "normal"}, "unit normal", frame.normal);
    report.angle({"tilt_deg", "x"}, "normal to x axis", tilt[0]);
    report.angle({"tilt_deg", "y"}, "normal to y axis", tilt[1]);
    report.angle({"tilt_deg", "z"}, "normal to z axis", tilt[2]);
    report.length({"rms_residual"}, "RMS residual", summary.rms);
    reportExtremes(report, summary, nullptr);
    if (options.listPoints) {
        report.pointDeviations(listDeviations(points, residuals));
    }

    requireFiniteFigures(report);
    if (!options.svgPath.empty()) {
        std::string const line = formatted(
            "Best-fit plane \u00b7 %zu points \u00b7 RMS residual %.6f %s \u00b7 "
            "tilt from level %.4f deg",
            points.size(), summary.rms, unit.c_str(), tilt[2]);
        PlaneMap map{"Best-fit plane of " + displayName(options.file),
                     line,
                     unit,
                     frame,
                     &points,
                     &residuals,
                     summary};
        drawPlaneMap(map, options.svgPath);
    }
    return report;
}

}  // namespace tavrisk_tool
