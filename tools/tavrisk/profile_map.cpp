// SPDX-License-Identifier: MIT
#include "profile_map.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "formatted.h"
#include "map_parts.h"
#include "svg_writer.h"

namespace tavrisk_tool {

namespace {

// The exaggeration chosen when none is given draws the largest deviation as about this share of
// the contour's size: plain to see, yet the drawing keeps the contour's shape.
constexpr double kContourSizePerDeviation = 12.0;
// The contour keeps this much white round it.
constexpr double kContourMargin = 30.0;
// Measured points are few (a contour, not a scan): marks of one legible size.
constexpr double kMarkRadius = 4.0;
// The note naming the enlargement, in the plot's top right corner.
constexpr double kNoteInset = 10.0;
constexpr double kNoteDrop = 24.0;

struct Bounds {
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
    void add(double x, double y) {
        if (std::isfinite(x) && std::isfinite(y)) {
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    }
    double size() const { return std::max(maxX - minX, maxY - minY); }
};

// The horizontal part of a nominal normal and its squared length: a deviation d measured along
// a normal n lies at d / |n|^2 times n from the nominal point's tangent.
struct Across {
    double x;
    double y;
    double squaredLength;
};

Across acrossOf(gte_vector const& normal) {
    return Across{normal.x, normal.y, normal.x * normal.x + normal.y * normal.y};
}

}  // namespace

double chosenExaggeration(ProfileMap const& map) {
    Bounds contour;
    for (gte_point const& p : *map.nominal) {
        contour.add(p.x, p.y);
    }
    double const largest =
        std::max(std::fabs(map.summary.low.value), std::fabs(map.summary.high.value));
    if (!(largest > 0.0) || !(contour.size() > 0.0) || !std::isfinite(largest)) {
        return 1.0;
    }
    double const wanted = contour.size() / kContourSizePerDeviation / largest;
    // A round factor no larger than the wanted one, so that the drawing stays on the page.
    return wanted <= 1.0 ? 1.0 : roundDown(wanted);
}

void drawProfileMap(ProfileMap const& map, std::string const& path) {
    std::vector<gte_point> const& measured = *map.measured;
    std::vector<gte_point> const& nominal = *map.nominal;
    std::vector<double> const& deviations = *map.deviations;
    double const factor = map.exaggeration > 0.0 ? map.exaggeration : chosenExaggeration(map);

    // Each measured point is drawn at its foot on the nominal tangent plus factor times its
    // deviation along the normal; the rest of its offset (along the contour) is kept as measured.
    std::vector<std::pair<double, double>> foot(measured.size());
    std::vector<std::pair<double, double>> drawn(measured.size());
    Bounds bounds;
    for (gte_point const& p : nominal) {
        bounds.add(p.x, p.y);
    }
    for (std::size_t i = 0; i < measured.size(); ++i) {
        Across const n = acrossOf((*map.normals)[static_cast<std::size_t>((*map.nominalIndex)[i])]);
        double const along = n.squaredLength > 0.0 ? deviations[i] / n.squaredLength : 0.0;
        foot[i] = {measured[i].x - along * n.x, measured[i].y - along * n.y};
        drawn[i] = {foot[i].first + factor * along * n.x, foot[i].second + factor * along * n.y};
        bounds.add(drawn[i].first, drawn[i].second);
    }
    EqualScaleView const view =
        equalScaleView(bounds.minX, bounds.maxX, bounds.minY, bounds.maxY, kContourMargin);
    auto toX = [&](double x) { return view.pageX(x); };
    auto toY = [&](double y) { return view.pageY(y); };

    SvgDocument svg(kPageWidth, kPageHeight);
    drawTitle(svg, map.title);
    drawPlotFrame(svg, "#ffffff");
    std::vector<std::pair<double, double>> contour;
    contour.reserve(nominal.size());
    for (gte_point const& p : nominal) {
        contour.emplace_back(toX(p.x), toY(p.y));
    }
    svg.polyline(contour, Stroke{"#3a3a3a", 2.0, ""});

    DivergingScale const colours =
        roundedScale(std::max(std::fabs(map.summary.low.value), std::fabs(map.summary.high.value)));
    for (std::size_t i = 0; i < measured.size(); ++i) {
        std::string const colour = cssColour(colours.colourOf(deviations[i]));
        svg.line(toX(foot[i].first), toY(foot[i].second), toX(drawn[i].first), toY(drawn[i].second),
                 Stroke{colour, 2.0, ""});
    }
    for (std::size_t i = 0; i < measured.size(); ++i) {
        svg.circle(toX(drawn[i].first), toY(drawn[i].second), kMarkRadius,
                   cssColour(colours.colourOf(deviations[i])), "point", Stroke{"#333333", 0.7, ""});
    }
    markExtremes(
        svg, map.summary, map.unit,
        [&](std::int64_t index, double& x, double& y) {
            std::size_t const i = static_cast<std::size_t>(index);
            x = toX(drawn[i].first);
            y = toY(drawn[i].second);
        },
        kMarkRadius);

    svg.text(kPlotArea.right() - kNoteInset, kPlotArea.top + kNoteDrop,
             formatted("deviations drawn %g times larger", factor), kNoteSize, "end", true, kInk,
             true);
    drawColourBar(svg, colours, map.unit);
    std::vector<std::string> caption = map.caption;
    caption.push_back(
        "Dark line: the nominal contour. Each point is drawn off it along the nominal normal by "
        "its deviation, enlarged; positive is the normal's side.");
    drawCaption(svg, caption);
    svg.save(path);
}

}  // namespace tavrisk_tool
