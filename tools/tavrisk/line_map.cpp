// SPDX-License-Identifier: MIT
#include "line_map.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "map_parts.h"
#include "svg_writer.h"

namespace tavrisk_tool {

namespace {

// The vertical range reaches this far beyond the largest deviation (15 % of room), rounded up.
constexpr double kRangeHeadroom = 1.15;
// When no deviation is negative (unsigned distances) the range still shows a little below zero:
// this share of the range above it.
constexpr double kRoomBelowZero = 0.15;
// The first and last points stand this far inside the plot's sides, so that their marks are
// not cut.
constexpr double kAlongInset = 20.0;
// About this many tick intervals on each axis.
constexpr int kTicksPerAxis = 8;
// Tick values sit this far left of the plot and below it; the axis titles further out.
constexpr double kTickValueGap = 8.0;
constexpr double kTickValueDrop = 20.0;
constexpr double kAlongTitleDrop = 42.0;
constexpr double kDeviationTitleGap = 66.0;
Stroke const kGridInk{"#e4e4e4", 1.0, ""};

// A band of no width still shows, as a hairline.
constexpr double kLeastBandHeight = 0.5;
// The bracket beside the plot that spans the band, its ticks pointing back at the plot, and its
// two-line label: "band" above the bracket's middle and the width below.
constexpr double kBracketGap = 14.0;
constexpr double kBracketTick = 5.0;
constexpr double kBracketLabelGap = 8.0;
constexpr double kBracketLabelRise = 4.0;
constexpr double kBracketLabelDrop = 14.0;
std::string const kBandInk = "#8a5208";

// Marks about a third of the spacing of evenly spread points, within legible bounds.
constexpr double kMarkShareOfSpacing = 0.35;
constexpr double kSmallestMark = 1.5;
constexpr double kLargestMark = 4.5;

// Where a position along the line and a deviation land on the page. The deviations are scaled
// on their own, so that they show however small they are against the length.
struct LineFrame {
    double minAlong;
    double maxAlong;
    double spanAlong;         // at least kLeastSpan
    double largestDeviation;  // in size, of the band's ends; at least kLeastSpan
    double lowDeviation;      // the vertical range: the band and zero with some room
    double highDeviation;

    double x(double along) const {
        return kPlotArea.left + kAlongInset +
               (along - minAlong) / spanAlong * (kPlotArea.width - 2 * kAlongInset);
    }
    double y(double deviation) const {
        return kPlotArea.bottom() -
               (deviation - lowDeviation) / (highDeviation - lowDeviation) * kPlotArea.height;
    }
};

LineFrame frameOf(LineMap const& map) {
    auto const [firstAlong, lastAlong] = std::minmax_element(map.along.begin(), map.along.end());
    double const largest = std::max({std::fabs(map.bandLow), std::fabs(map.bandHigh), kLeastSpan});
    double const reach = roundUp(largest * kRangeHeadroom);
    double const low = std::min(-reach * (map.bandLow < 0.0 ? 1.0 : kRoomBelowZero), map.bandLow);
    return LineFrame{*firstAlong, *lastAlong, std::max(*lastAlong - *firstAlong, kLeastSpan),
                     largest,     low,        reach};
}

// Grid lines with their tick values on both axes, and the axis titles.
void drawAxes(SvgDocument& svg, LineFrame const& frame, LineMap const& map) {
    double stepDeviation = 0.0;
    for (double value :
         ticksOver(frame.lowDeviation, frame.highDeviation, kTicksPerAxis, stepDeviation)) {
        double const y = frame.y(value);
        svg.line(kPlotArea.left, y, kPlotArea.right(), y, kGridInk);
        svg.text(kPlotArea.left - kTickValueGap, y + kHalfDigitHeight,
                 tickLabel(value, stepDeviation), kTickSize, "end");
    }
    double stepAlong = 0.0;
    for (double value : ticksOver(frame.minAlong, frame.maxAlong, kTicksPerAxis, stepAlong)) {
        double const x = frame.x(value);
        svg.line(x, kPlotArea.top, x, kPlotArea.bottom(), kGridInk);
        svg.text(x, kPlotArea.bottom() + kTickValueDrop, tickLabel(value, stepAlong), kTickSize,
                 "middle");
    }
    svg.text(kPlotArea.left + kPlotArea.width / 2, kPlotArea.bottom() + kAlongTitleDrop,
             map.alongName + " (" + map.unit + ")", kLabelSize, "middle");
    double const titleX = kPlotArea.left - kDeviationTitleGap;
    double const titleY = kPlotArea.top + kPlotArea.height / 2;
    svg.beginRotated(-90.0, titleX, titleY);
    svg.text(titleX, titleY, map.deviationName + " (" + map.unit + ")", kLabelSize, "middle");
    svg.endGroup();
}

// The band between the lowest and highest deviation across the plot, and its width on a bracket
// beside the plot, where no point can hide it.
void drawBand(SvgDocument& svg, LineFrame const& frame, LineMap const& map) {
    double const bandTop = frame.y(map.bandHigh);
    double const bandBottom = frame.y(map.bandLow);
    svg.rect(kPlotArea.left, bandTop, kPlotArea.width,
             std::max(bandBottom - bandTop, kLeastBandHeight), "#fbe7c6");
    Stroke const bandEdge{"#c07a12", 1.5, "7 4"};
    svg.line(kPlotArea.left, bandTop, kPlotArea.right(), bandTop, bandEdge);
    svg.line(kPlotArea.left, bandBottom, kPlotArea.right(), bandBottom, bandEdge);

    double const bracket = kPlotArea.right() + kBracketGap;
    Stroke const bracketInk{kBandInk, 1.5, ""};
    svg.line(bracket, bandTop, bracket, bandBottom, bracketInk);
    svg.line(bracket - kBracketTick, bandTop, bracket, bandTop, bracketInk);
    svg.line(bracket - kBracketTick, bandBottom, bracket, bandBottom, bracketInk);
    double const middle = (bandTop + bandBottom) / 2;
    double const labelX = bracket + kBracketLabelGap;
    svg.text(labelX, middle - kBracketLabelRise, map.supports.empty() ? "band" : "zone", kLabelSize,
             "start", true, kBandInk);
    // The width is never negative: its text without the sign.
    svg.text(labelX, middle + kBracketLabelDrop,
             lengthText(map.bandHigh - map.bandLow, map.unit).substr(1), kLabelSize, "start", true,
             kBandInk);
}

// The line itself: zero deviation.
void drawZeroLine(SvgDocument& svg, LineFrame const& frame) {
    svg.line(kPlotArea.left, frame.y(0.0), kPlotArea.right(), frame.y(0.0),
             Stroke{"#333333", 1.5, ""});
}

// The points drawn, in their order along the line: every point, or one in stride of them when
// there are many.
std::vector<std::size_t> drawnInOrder(LineMap const& map, std::size_t stride) {
    std::vector<std::size_t> order(map.along.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return map.along[a] < map.along[b]; });
    std::vector<std::size_t> drawn;
    drawn.reserve(order.size() / stride + 1);
    for (std::size_t k = 0; k < order.size(); k += stride) {
        drawn.push_back(order[k]);
    }
    return drawn;
}

// The points drawn, joined in their order along the line.
void drawTrace(SvgDocument& svg, LineFrame const& frame, LineMap const& map,
               std::vector<std::size_t> const& drawn) {
    std::vector<std::pair<double, double>> trace;
    trace.reserve(drawn.size());
    for (std::size_t const i : drawn) {
        trace.emplace_back(frame.x(map.along[i]), frame.y((*map.deviations)[i]));
    }
    svg.polyline(trace, Stroke{"#8c8c8c", 1.0, ""});
}

// One mark per point drawn, coloured by its deviation.
void drawPointMarks(SvgDocument& svg, LineFrame const& frame, LineMap const& map,
                    std::vector<std::size_t> const& drawn, double radius) {
    std::vector<double> const& deviations = *map.deviations;
    DivergingScale const colours = roundedScale(frame.largestDeviation);
    for (std::size_t const i : drawn) {
        svg.circle(frame.x(map.along[i]), frame.y(deviations[i]), radius,
                   cssColour(colours.colourOf(deviations[i])), "point", Stroke{"#333333", 0.6, ""});
    }
}

}  // namespace

void drawLineMap(LineMap const& map, std::string const& path) {
    LineFrame const frame = frameOf(map);
    std::size_t const stride = markStride(map.along.size());
    std::vector<std::size_t> const drawn = drawnInOrder(map, stride);
    double const radius =
        std::clamp(kPlotArea.width / static_cast<double>(drawn.size()) * kMarkShareOfSpacing,
                   kSmallestMark, kLargestMark);

    SvgDocument svg(kPageWidth, kPageHeight);
    drawTitle(svg, map.title);
    drawPlotFrame(svg, "#ffffff");
    drawAxes(svg, frame, map);
    drawBand(svg, frame, map);
    drawZeroLine(svg, frame);
    drawTrace(svg, frame, map, drawn);
    drawPointMarks(svg, frame, map, drawn, radius);
    auto const place = [&](std::int64_t index, double& x, double& y) {
        std::size_t const i = static_cast<std::size_t>(index);
        x = frame.x(map.along[i]);
        y = frame.y((*map.deviations)[i]);
    };
    if (map.supports.empty()) {
        markExtremes(svg, map.summary, map.unit, place, radius, map.markLowest);
    } else {
        markSupports(svg, map.supports, place, radius, false);
    }
    drawCaption(svg, map.caption, map.deviations->size(), stride);
    svg.save(path);
}

}  // namespace tavrisk_tool
