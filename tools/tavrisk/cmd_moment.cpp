// SPDX-License-Identifier: MIT
// moment FILE: the library's second moments of the points seen from above.
#include "api/convert.h"
#include "commands.h"
#include "point_input.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

Report runMoment(Options const& options) {
    PointFile const file = readPointFile(options.file, options.reading);
    std::vector<gte::Vector3> const& points = file.points;
    std::vector<gte_point> const records = toRecords(points);
    requireThreePoints(points.size(), "the second moments", options);
    gte_point centroid;
    double angle = 0.0;
    double major = 0.0;
    double minor = 0.0;
    if (gte_measure_moment2(records.data(), static_cast<int>(records.size()), &centroid, &angle,
                            &major, &minor) != TAVRISK_MEASURED) {
        throw Refusal("the second moments were refused");
    }
    Report report("moment", unitLabel(options));
    report.text({"file"}, "file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.count({"points"}, "points", static_cast<std::int64_t>(points.size()));
    report.position({"centroid"}, "centroid", tavrisk::toVector3(centroid));
    report.radians({"angle_rad"}, "axis angle", angle);
    report.angle({"angle_deg"}, "axis angle", angle * kDegreesPerRadian);
    report.length({"major"}, "major axis", major);
    report.length({"minor"}, "minor axis", minor);
    requireFiniteFigures(report);
    return report;
}

}  // namespace tavrisk_tool
