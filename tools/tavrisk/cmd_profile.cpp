// SPDX-License-Identifier: MIT
// profile MEASURED NOMINAL: the library's profile of measured points against a nominal contour
// given as points with normals, seen from above.

#include "api/convert.h"
#include "commands.h"
#include "formatted.h"
#include "map_parts.h"
#include "form/profile_deviation.h"
#include "point_input.h"
#include "profile_map.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

// A nominal point and its normal, a line.
constexpr std::size_t kNominalValues = 6;

struct Contour {
    std::vector<gte_point> points;
    std::vector<gte_vector> normals;
};

// The nominal file holds six values a line, x y z nx ny nz: a point of the contour and its
// normal, read as two sets of points from the same lines.
Contour readContour(std::string const& path, ReadOptions const& options) {
    ReadOptions text = options;
    text.format = TVI_FORMAT_AUTO;
    text.columns.clear();
    PointFile const points = readPointFile(path, text, std::array<std::size_t, 3>{1, 2, 3});
    if (points.format != tvi_format_name(TVI_FORMAT_TEXT)) {
        throw FileProblem(ErrorDetail{"unread_format"},
                          displayName(path) + ": a " + points.format +
                              " file; the nominal contour is read from text of six values a "
                              "line: x y z nx ny nz");
    }
    if (points.valuesPerLine != kNominalValues) {
        throw FileProblem(ErrorDetail{"value_count"},
                          displayName(path) + ": the lines hold " +
                              std::to_string(points.valuesPerLine) +
                              " values; a nominal point takes six: x y z nx ny nz");
    }
    PointFile const normals = readPointFile(path, text, std::array<std::size_t, 3>{4, 5, 6});
    Contour contour;
    contour.points = toRecords(points.points);
    for (gte::Vector3 const& n : normals.points) {
        contour.normals.emplace_back(n[0], n[1], n[2]);
    }
    return contour;
}

}  // namespace

Report runProfile(Options const& options) {
    PointFile const file = readPointFile(options.file, options.reading);
    std::vector<gte::Vector3> const& points = file.points;
    std::vector<gte_point> const measured = toRecords(points);
    Contour const nominal = readContour(options.nominalFile, options.reading);
    int const measuredCount = static_cast<int>(measured.size());
    int const nominalCount = static_cast<int>(nominal.points.size());
    double profile = 0.0;
    if (gte_measure_profile2D(measured.data(), measuredCount, nominal.points.data(),
                              nominal.normals.data(), nominalCount, &profile) != TAVRISK_MEASURED) {
        throw Refusal("the profile was refused");
    }
    // The same pairing and deviations the export measured the profile from.
    std::vector<tavrisk::ProfileDeviation> const paired =
        tavrisk::profileDeviationsOf(measured.data(), measuredCount, nominal.points.data(),
                                     nominal.normals.data(), nominalCount);
    std::vector<double> deviations(paired.size());
    std::vector<int> nominalIndex(paired.size());
    for (std::size_t i = 0; i < paired.size(); ++i) {
        deviations[i] = paired[i].deviation;
        nominalIndex[i] = paired[i].nominalIndex;
    }
    DeviationSummary const summary = summarize(points, deviations);
    std::string const unit = unitLabel(options);

    Report report("profile", unit);
    report.text({"measured_file"}, "measured file", displayName(options.file));
    report.text({"format"}, "format", file.format);
    report.text({"nominal_file"}, "nominal file", displayName(options.nominalFile));
    report.count({"points"}, "measured points", measuredCount);
    report.count({"nominal_points"}, "nominal points", nominalCount);
    report.length({"profile"}, "profile", profile);
    reportExtremes(report, summary, nullptr);
    if (options.listPoints) {
        report.pointDeviations(listDeviations(points, deviations, &nominalIndex));
    }

    requireFiniteFigures(report);
    if (!options.svgPath.empty()) {
        ProfileMap map{"Profile of " + displayName(options.file),
                       {},
                       unit,
                       &measured,
                       &nominal.points,
                       &nominal.normals,
                       &nominalIndex,
                       &deviations,
                       summary,
                       options.exaggeration};
        std::string const line1 =
            formatted("Profile %.6f %s \u00b7 %d measured points \u00b7 %d nominal points", profile,
                      unit.c_str(), measuredCount, nominalCount);
        map.caption = {line1 + (" from " + displayName(options.nominalFile)),
                       extremesText(summary, unit)};
        drawProfileMap(map, options.svgPath);
    }
    return report;
}

}  // namespace tavrisk_tool
