// SPDX-License-Identifier: MIT
#include "line_map.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "map_parts.h"
#include "svg_writer.h"

namespace tavrisk_tool {

void drawLineMap(LineMap const& map, std::string const& path) {
    std::vector<double> const& deviations = *map.deviations;
    auto const [firstAlong, lastAlong] = std::minmax_element(map.along.begin(), map.along.end());
    double const minAlong = *firstAlong;
    double const maxAlong = *lastAlong;
    // The vertical range holds the band and zero with some room; it is scaled on its own, so
    // the deviations show however small they are against the length.
    double const largest = std::max({std::fabs(map.bandLow), std::fabs(map.bandHigh), 1e-300});
    double const reach = roundUp(largest * 1.15);
    double const lowValue = std::min(-reach * (map.bandLow < 0.0 ? 1.0 : 0.15), map.bandLow);
    double const highValue = reach;
    double const spanAlong = std::max(maxAlong - minAlong, 1e-300);
    double const inset = 20.0;
    auto toX = [&](double t) {
        return kPlotArea.left + inset + (t - minAlong) / spanAlong * (kPlotArea.width - 2 * inset);
    };
    auto toY = [&](double d) {
        return kPlotArea.bottom() - (d - lowValue) / (highValue - lowValue) * kPlotArea.height;
    };

    SvgDocument svg(kPageWidth, kPageHeight);
    drawTitle(svg, map.title);
    svg.rect(kPlotArea.left, kPlotArea.top, kPlotArea.width, kPlotArea.height, "#ffffff",
             Stroke{"#9a9a9a", 1.0, ""});

    // Grid and ticks on both axes.
    double stepDeviation = 0.0;
    for (double value : ticksOver(lowValue, highValue, 8, stepDeviation)) {
        double const y = toY(value);
        svg.line(kPlotArea.left, y, kPlotArea.right(), y, Stroke{"#e4e4e4", 1.0, ""});
        svg.text(kPlotArea.left - 8.0, y + 5.0, tickLabel(value, stepDeviation), 13.0, "end");
    }
    double stepAlong = 0.0;
    for (double value : ticksOver(minAlong, maxAlong, 8, stepAlong)) {
        double const x = toX(value);
        svg.line(x, kPlotArea.top, x, kPlotArea.bottom(), Stroke{"#e4e4e4", 1.0, ""});
        svg.text(x, kPlotArea.bottom() + 20.0, tickLabel(value, stepAlong), 13.0, "middle");
    }
    svg.text(kPlotArea.left + kPlotArea.width / 2, kPlotArea.bottom() + 42.0,
             "position along the line (" + map.unit + ")", 14.0, "middle");
    svg.beginRotated(-90.0, kPlotArea.left - 66.0, kPlotArea.top + kPlotArea.height / 2);
    svg.text(kPlotArea.left - 66.0, kPlotArea.top + kPlotArea.height / 2,
             map.deviationName + " (" + map.unit + ")", 14.0, "middle");
    svg.endGroup();

    // The band between the lowest and highest deviation, and the line itself at zero.
    double const bandTop = toY(map.bandHigh);
    double const bandBottom = toY(map.bandLow);
    svg.rect(kPlotArea.left, bandTop, kPlotArea.width, std::max(bandBottom - bandTop, 0.5),
             "#fbe7c6");
    Stroke const bandEdge{"#c07a12", 1.5, "7 4"};
    svg.line(kPlotArea.left, bandTop, kPlotArea.right(), bandTop, bandEdge);
    svg.line(kPlotArea.left, bandBottom, kPlotArea.right(), bandBottom, bandEdge);
    // The band's width, beside the plot where no point can hide it.
    double const bracket = kPlotArea.right() + 14.0;
    Stroke const bracketInk{"#8a5208", 1.5, ""};
    svg.line(bracket, bandTop, bracket, bandBottom, bracketInk);
    svg.line(bracket - 5.0, bandTop, bracket, bandTop, bracketInk);
    svg.line(bracket - 5.0, bandBottom, bracket, bandBottom, bracketInk);
    double const middle = (bandTop + bandBottom) / 2;
    svg.text(bracket + 8.0, middle - 4.0, "band", 14.0, "start", true, "#8a5208");
    svg.text(bracket + 8.0, middle + 14.0,
             lengthText(map.bandHigh - map.bandLow, map.unit).substr(1), 14.0, "start", true,
             "#8a5208");
    svg.line(kPlotArea.left, toY(0.0), kPlotArea.right(), toY(0.0), Stroke{"#333333", 1.5, ""});

    // The points joined in their order along the line, then their marks.
    std::vector<std::size_t> order(map.along.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return map.along[a] < map.along[b]; });
    std::size_t const stride = markStride(order.size());
    std::vector<std::pair<double, double>> trace;
    trace.reserve(order.size() / stride + 1);
    for (std::size_t k = 0; k < order.size(); k += stride) {
        std::size_t const i = order[k];
        trace.emplace_back(toX(map.along[i]), toY(deviations[i]));
    }
    svg.polyline(trace, Stroke{"#8c8c8c", 1.0, ""});
    DivergingScale const colours = roundedScale(largest);
    double const radius =
        std::clamp(kPlotArea.width / static_cast<double>(order.size()) * 0.35, 1.5, 4.5);
    for (std::size_t i = 0; i < deviations.size(); ++i) {
        svg.circle(toX(map.along[i]), toY(deviations[i]), radius,
                   cssColour(colours.colourOf(deviations[i])), "point", Stroke{"#333333", 0.6, ""});
    }
    markExtremes(
        svg, map.summary, map.unit,
        [&](std::int64_t index, double& x, double& y) {
            std::size_t const i = static_cast<std::size_t>(index);
            x = toX(map.along[i]);
            y = toY(deviations[i]);
        },
        radius, map.markLowest);
    drawCaption(svg, map.caption, deviations.size(), stride);
    svg.save(path);
}

}  // namespace tavrisk_tool
