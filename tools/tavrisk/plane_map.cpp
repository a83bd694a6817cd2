// SPDX-License-Identifier: MIT
#include "plane_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "map_parts.h"
#include "svg_writer.h"

namespace tavrisk_tool {

PlaneFrame planeFrameOf(gte::Vector3 const& origin, gte::Vector3 const& normal) {
    gte::Vector3 n = normal;
    int largest = 0;
    for (int i = 1; i < 3; ++i) {
        if (std::fabs(n[i]) > std::fabs(n[largest])) {
            largest = i;
        }
    }
    if (n[largest] < 0.0) {
        n = -n;
    }
    gte::Vector3 const reference =
        std::fabs(n[0]) > 0.9 ? gte::Vector3(0.0, 1.0, 0.0) : gte::Vector3(1.0, 0.0, 0.0);
    gte::Vector3 u = reference - gte::Dot(reference, n) * n;
    gte::Normalize(u);
    gte::Vector3 const v = gte::Cross(n, u);
    return PlaneFrame{origin, n, u, v};
}

gte::Vector2 inFrame(PlaneFrame const& frame, gte::Vector3 const& p) {
    gte::Vector3 const offset = p - frame.origin;
    return gte::Vector2(gte::Dot(offset, frame.u), gte::Dot(offset, frame.v));
}

namespace {

// Draws the projections of the x and y axes into the view, so a reader can orient the map.
void drawCompass(SvgDocument& svg, PlaneFrame const& frame) {
    double const cx = kLegendCentre;
    double const cy = kLegendFreeTop + 40.0;
    double const reach = 32.0;
    char const* names[] = {"x", "y"};
    for (int axis = 0; axis < 2; ++axis) {
        gte::Vector3 unit = gte::Vector3::zeroVector();
        unit[axis] = 1.0;
        double const du = gte::Dot(unit, frame.u);
        double const dv = gte::Dot(unit, frame.v);
        if (std::hypot(du, dv) < 0.2) {
            continue;  // the axis runs nearly along the normal: it has no direction in the view
        }
        double const ex = cx + reach * du;
        double const ey = cy - reach * dv;
        svg.line(cx, cy, ex, ey, Stroke{"#222222", 2.0, ""});
        svg.circle(ex, ey, 2.5, "#222222", "compass");
        svg.text(cx + (reach + 13.0) * du, cy - (reach + 13.0) * dv + 5.0, names[axis], 15.0,
                 "middle", true, "#222222", true);
    }
}

void drawScaleBar(SvgDocument& svg, double unitsPerPixel, std::string const& unit) {
    double const length = roundUp(unitsPerPixel * kPlotArea.width / 6.0);
    double const pixels = length / unitsPerPixel;
    double const y = kPlotArea.bottom() + 22.0;
    Stroke const ink{"#222222", 2.0, ""};
    svg.line(kPlotArea.left, y, kPlotArea.left + pixels, y, ink);
    svg.line(kPlotArea.left, y - 5.0, kPlotArea.left, y + 5.0, ink);
    svg.line(kPlotArea.left + pixels, y - 5.0, kPlotArea.left + pixels, y + 5.0, ink);
    char text[32];
    std::snprintf(text, sizeof text, "%g", length);
    svg.text(kPlotArea.left + pixels + 10.0, y + 5.0, text + (" " + unit), 14.0);
}

}  // namespace

void drawPlaneMap(PlaneMap const& map, std::string const& path) {
    std::vector<gte::Vector3> const& points = *map.points;
    std::vector<double> const& deviations = *map.deviations;
    std::vector<gte::Vector2> flat;
    flat.reserve(points.size());
    double minU = std::numeric_limits<double>::infinity(), maxU = -minU;
    double minV = minU, maxV = -minU;
    for (gte::Vector3 const& p : points) {
        gte::Vector2 const q = inFrame(map.frame, p);
        flat.push_back(q);
        minU = std::min(minU, q[0]), maxU = std::max(maxU, q[0]);
        minV = std::min(minV, q[1]), maxV = std::max(maxV, q[1]);
    }
    double const spanU = std::max(maxU - minU, 1e-300);
    double const spanV = std::max(maxV - minV, 1e-300);
    double const margin = 24.0;
    double const scale =
        std::min((kPlotArea.width - 2 * margin) / spanU, (kPlotArea.height - 2 * margin) / spanV);
    double const centreX = kPlotArea.left + kPlotArea.width / 2;
    double const centreY = kPlotArea.top + kPlotArea.height / 2;
    auto toX = [&](gte::Vector2 const& q) { return centreX + (q[0] - (minU + maxU) / 2) * scale; };
    auto toY = [&](gte::Vector2 const& q) { return centreY - (q[1] - (minV + maxV) / 2) * scale; };

    // Marks about as large as the spacing of the points, within legible bounds.
    double const covered = std::max(spanU * scale, 1.0) * std::max(spanV * scale, 1.0);
    double const drawn = static_cast<double>(points.size() / markStride(points.size()));
    double const radius = std::clamp(0.42 * std::sqrt(covered / std::max(drawn, 1.0)), 1.2, 7.0);

    SvgDocument svg(kPageWidth, kPageHeight);
    drawTitle(svg, map.title);
    svg.rect(kPlotArea.left, kPlotArea.top, kPlotArea.width, kPlotArea.height, "#d4d4d4",
             Stroke{"#9a9a9a", 1.0, ""});
    DivergingScale const scaleOfColours =
        roundedScale(std::max(std::fabs(map.summary.low.value), std::fabs(map.summary.high.value)));
    std::size_t const stride = markStride(flat.size());
    for (std::size_t i = 0; i < flat.size(); i += stride) {
        svg.circle(toX(flat[i]), toY(flat[i]), radius,
                   cssColour(scaleOfColours.colourOf(deviations[i])), "point");
    }
    markExtremes(
        svg, map.summary, map.unit,
        [&](std::int64_t index, double& x, double& y) {
            gte::Vector2 const& q = flat[static_cast<std::size_t>(index)];
            x = toX(q);
            y = toY(q);
        },
        radius);
    drawCompass(svg, map.frame);
    drawScaleBar(svg, 1.0 / scale, map.unit);
    drawColourBar(svg, scaleOfColours, map.unit);
    drawCaption(svg,
                {map.headline, extremesText(map.summary, map.unit),
                 "Seen along the plane's unit normal " + vectorText(map.frame.normal) +
                     "; colour: signed distance to the plane, positive on the normal's side."},
                flat.size(), stride);
    svg.save(path);
}

}  // namespace tavrisk_tool
