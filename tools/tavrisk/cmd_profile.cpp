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

struct Contour {
    std::vector<gte_point> points;
    std::vector<gte_vector> normals;
};

// The nominal file holds six numbers per point, x y z nx ny nz: read as points, its triples
// alternate between a point and its normal.
Contour readContour(std::string const& path) {
    std::vector<gte::Vector3> const triples = readPoints(path);
    if (triples.size() % 2 != 0) {
        throw FileProblem(displayName(path) + ": " + std::to_string(triples.size() * 3) +
                          " numbers do not make whole nominal points (x y z nx ny nz each)");
    }
    Contour contour;
    std::vector<gte_point> const records = toRecords(triples);
    for (std::size_t i = 0; i < records.size(); i += 2) {
        contour.points.push_back(records[i]);
        gte_point const& n = records[i + 1];
        contour.normals.emplace_back(n.x, n.y, n.z);
    }
    return contour;
}

}  // namespace

void runProfile(Options const& options) {
    std::vector<gte::Vector3> const points = readPoints(options.file);
    std::vector<gte_point> const measured = toRecords(points);
    Contour const nominal = readContour(options.nominalFile);
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
    DeviationSummary const summary = summarize(deviations);
    std::string const unit = unitLabel(options);

    Report report("profile", unit);
    report.text({"measured_file"}, "measured file", displayName(options.file));
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
    printReport(report, options);
}

}  // namespace tavrisk_tool
