// SPDX-License-Identifier: MIT
#include "plane_map.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "map_parts.h"
#include "svg_writer.h"

namespace tavrisk_tool {

namespace {

// The x axis laid into the plane makes the map's right, unless the normal lies within about 26
// degrees of x: then the x axis would be too short in the plane, and y serves.
constexpr double kNormalNearlyAlongX = 0.9;

}  // namespace

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
    gte::Vector3 const reference = std::fabs(n[0]) > kNormalNearlyAlongX
                                       ? gte::Vector3(0.0, 1.0, 0.0)
                                       : gte::Vector3(1.0, 0.0, 0.0);
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

// The compass stands in the free space under the colour bar: arrows of this length from its
// centre, their letters a little beyond the tips.
constexpr double kCompassDrop = 40.0;
constexpr double kCompassReach = 32.0;
constexpr double kCompassTipRadius = 2.5;
constexpr double kCompassLetterGap = 13.0;
// An axis whose projection into the view is shorter than this (within about 11.5 degrees of the
// normal) has no direction worth showing.
constexpr double kShortestCompassArrow = 0.2;

// The scale bar under the plot is a round length of about a sixth of the plot's width.
constexpr double kScaleBarShare = 6.0;
constexpr double kScaleBarDrop = 22.0;
constexpr double kScaleBarTick = 5.0;  // half the height of its end ticks
constexpr double kScaleBarLabelGap = 10.0;

// The face keeps this much of the plot's grey showing round it.
constexpr double kFaceMargin = 24.0;
// Marks about as large as the spacing of the points (a little less, so that neighbours do not
// merge), within legible bounds.
constexpr double kMarkShareOfSpacing = 0.42;
// Points in a line (a face seen edge on) cover no area: they count as this many page units
// across, so that their marks still get a size.
constexpr double kLeastCoveredSide = 1.0;
constexpr double kSmallestMark = 1.2;
constexpr double kLargestMark = 7.0;

// Draws the projections of the x and y axes into the view, so a reader can orient the map.
void drawCompass(SvgDocument& svg, PlaneFrame const& frame) {
    double const cx = kLegendCentre;
    double const cy = kLegendFreeTop + kCompassDrop;
    char const* names[] = {"x", "y"};
    for (int axis = 0; axis < 2; ++axis) {
        gte::Vector3 unit = gte::Vector3::zeroVector();
        unit[axis] = 1.0;
        double const du = gte::Dot(unit, frame.u);
        double const dv = gte::Dot(unit, frame.v);
        if (std::hypot(du, dv) < kShortestCompassArrow) {
            continue;  // the axis runs nearly along the normal: it has no direction in the view
        }
        double const ex = cx + kCompassReach * du;
        double const ey = cy - kCompassReach * dv;
        svg.line(cx, cy, ex, ey, Stroke{kInk, 2.0, ""});
        svg.circle(ex, ey, kCompassTipRadius, kInk, "compass");
        double const letterReach = kCompassReach + kCompassLetterGap;
        svg.text(cx + letterReach * du, cy - letterReach * dv + kHalfDigitHeight, names[axis],
                 kNoteSize, "middle", true, kInk, true);
    }
}

void drawScaleBar(SvgDocument& svg, double unitsPerPixel, std::string const& unit) {
    double const length = roundUp(unitsPerPixel * kPlotArea.width / kScaleBarShare);
    double const pixels = length / unitsPerPixel;
    double const y = kPlotArea.bottom() + kScaleBarDrop;
    Stroke const ink{kInk, 2.0, ""};
    double const right = kPlotArea.left + pixels;
    svg.line(kPlotArea.left, y, right, y, ink);
    svg.line(kPlotArea.left, y - kScaleBarTick, kPlotArea.left, y + kScaleBarTick, ink);
    svg.line(right, y - kScaleBarTick, right, y + kScaleBarTick, ink);
    char text[32];
    std::snprintf(text, sizeof text, "%g", length);
    svg.text(right + kScaleBarLabelGap, y + kHalfDigitHeight, text + (" " + unit), kLabelSize);
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
    EqualScaleView const view = equalScaleView(minU, maxU, minV, maxV, kFaceMargin);
    auto toX = [&](gte::Vector2 const& q) { return view.pageX(q[0]); };
    auto toY = [&](gte::Vector2 const& q) { return view.pageY(q[1]); };

    std::size_t const stride = markStride(flat.size());
    double const covered = std::max(view.spanX * view.scale, kLeastCoveredSide) *
                           std::max(view.spanY * view.scale, kLeastCoveredSide);
    double const drawn = static_cast<double>(points.size() / stride);
    double const radius =
        std::clamp(kMarkShareOfSpacing * std::sqrt(covered / std::max(drawn, 1.0)), kSmallestMark,
                   kLargestMark);

    SvgDocument svg(kPageWidth, kPageHeight);
    drawTitle(svg, map.title);
    // Grey, so that the pale marks of deviations near zero stand out.
    drawPlotFrame(svg, "#d4d4d4");
    DivergingScale const scaleOfColours =
        roundedScale(std::max(std::fabs(map.summary.low.value), std::fabs(map.summary.high.value)));
    for (std::size_t i = 0; i < flat.size(); i += stride) {
        svg.circle(toX(flat[i]), toY(flat[i]), radius,
                   cssColour(scaleOfColours.colourOf(deviations[i])), "point");
    }
    auto const place = [&](std::int64_t index, double& x, double& y) {
        gte::Vector2 const& q = flat[static_cast<std::size_t>(index)];
        x = toX(q);
        y = toY(q);
    };
    bool const zone = !map.supports.empty();
    if (zone) {
        markSupports(svg, map.supports, place, radius, true);
    } else {
        markExtremes(svg, map.summary, map.unit, place, radius);
    }
    drawCompass(svg, map.frame);
    drawScaleBar(svg, 1.0 / view.scale, map.unit);
    drawColourBar(svg, scaleOfColours, map.unit);
    if (zone) {
        markZoneOnColourBar(svg, scaleOfColours, map.zoneLow, map.zoneHigh);
        drawCaption(svg,
                    {map.headline,
                     supportsText(map.supports) + " High supports joined by a solid line, low "
                                                  "ones by a dashed line.",
                     "Seen along the zone's unit normal " + vectorText(map.frame.normal) + ".",
                     "Colour: signed distance to the zone's mid-plane; its planes lie at " +
                         lengthText(map.zoneLow, map.unit) + " and " +
                         lengthText(map.zoneHigh, map.unit) + " (the bracket on the scale)."},
                    flat.size(), stride);
    } else {
        drawCaption(svg,
                    {map.headline, extremesText(map.summary, map.unit),
                     "Seen along the plane's unit normal " + vectorText(map.frame.normal) +
                         "; colour: signed distance to the plane, positive on the normal's side."},
                    flat.size(), stride);
    }
    svg.save(path);
}

}  // namespace tavrisk_tool
