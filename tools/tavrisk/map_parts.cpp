// SPDX-License-Identifier: MIT
#include "map_parts.h"

#include <cmath>
#include <cstdio>

namespace tavrisk_tool {

namespace {

constexpr double kBarLeft = kPlotArea.right() + 60.0;
constexpr double kBarWidth = 24.0;
constexpr double kBarTop = kPlotArea.top + 40.0;
constexpr double kBarHeight = kPlotArea.height - 160.0;
constexpr int kBarSlices = 120;

}  // namespace

void drawTitle(SvgDocument& svg, std::string const& title) {
    svg.text(kPlotArea.left, 45.0, title, 22.0, "start", true);
}

void drawCaption(SvgDocument& svg, std::vector<std::string> lines, std::size_t points,
                 std::size_t stride) {
    if (stride > 1) {
        lines.push_back("One point in " + std::to_string(stride) + " of the " +
                        std::to_string(points) +
                        " is drawn and the extremes are ringed; the figures count every point.");
    }
    double y = kPlotArea.bottom() + 62.0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        svg.text(kPlotArea.left, y, lines[i], i == 0 ? 17.0 : 14.5, "start", i == 0,
                 i == 0 ? "#111111" : "#333333");
        y += i == 0 ? 27.0 : 22.0;
    }
}

DivergingScale roundedScale(double largestDeviation) {
    if (!(largestDeviation > 0.0) || !std::isfinite(largestDeviation)) {
        return DivergingScale(0.0);
    }
    return DivergingScale(roundUpFinely(largestDeviation));
}

void drawColourBar(SvgDocument& svg, DivergingScale const& scale, std::string const& unit) {
    double const half = scale.halfRange();
    double const slice = kBarHeight / kBarSlices;
    for (int i = 0; i < kBarSlices; ++i) {
        // Top of the bar is the most positive deviation.
        double const value = half * (1.0 - 2.0 * (i + 0.5) / kBarSlices);
        svg.rect(kBarLeft, kBarTop + i * slice, kBarWidth, slice + 0.6,
                 cssColour(scale.colourOf(value)));
    }
    svg.rect(kBarLeft, kBarTop, kBarWidth, kBarHeight, "none", Stroke{"#555555", 1.0, ""});
    svg.text(kBarLeft + kBarWidth / 2, kBarTop - 28.0, "deviation", 14.0, "middle", true);
    svg.text(kBarLeft + kBarWidth / 2, kBarTop - 11.0, "(" + unit + ")", 13.0, "middle");
    int const steps = half > 0.0 ? 4 : 0;
    for (int i = 0; i <= steps; ++i) {
        double const value = half * (1.0 - 2.0 * i / 4.0);
        double const y = steps == 0 ? kBarTop + kBarHeight / 2 : kBarTop + kBarHeight * i / 4.0;
        svg.line(kBarLeft + kBarWidth, y, kBarLeft + kBarWidth + 6.0, y,
                 Stroke{"#555555", 1.0, ""});
        svg.text(kBarLeft + kBarWidth + 10.0, y + 5.0, tickLabel(value, half / 4.0), 13.0);
    }
}

std::vector<double> ticksOver(double low, double high, int count, double& step) {
    std::vector<double> ticks;
    double const span = high - low;
    if (!(span > 0.0) || !std::isfinite(span)) {
        step = 0.0;
        ticks.push_back(low);
        return ticks;
    }
    step = roundUp(span / count);
    for (double t = std::ceil(low / step - 1e-9) * step; t <= high + step * 1e-9; t += step) {
        ticks.push_back(std::fabs(t) < step * 1e-9 ? 0.0 : t);
    }
    return ticks;
}

void markExtreme(SvgDocument& svg, double x, double y, double radius, std::string const& label) {
    svg.circle(x, y, radius + 5.0, "none", "extreme", Stroke{"#000000", 2.0, ""});
    svg.circle(x, y, radius + 7.0, "none", "extreme", Stroke{"#ffffff", 1.5, ""});
    bool const leftOfPoint = x > kPlotArea.right() - 260.0;
    double const dx = radius + 12.0;
    double const labelY = y < kPlotArea.top + 20.0 ? y + 18.0 : y - 8.0;
    std::string const anchor = leftOfPoint ? "end" : "start";
    double const labelX = leftOfPoint ? x - dx : x + dx;
    svg.text(labelX, labelY, label, 14.0, anchor, true, "#000000", true);
}

void markExtremes(SvgDocument& svg, DeviationSummary const& summary, std::string const& unit,
                  std::function<void(std::int64_t, double&, double&)> const& place, double radius,
                  bool withLowest) {
    auto mark = [&](char const* name, Extreme const& e) {
        double x = 0.0, y = 0.0;
        place(e.index, x, y);
        markExtreme(svg, x, y, radius,
                    name + lengthText(e.value, unit) + "  (#" + std::to_string(e.index) + ")");
    };
    mark("max ", summary.high);
    if (withLowest) {
        mark("min ", summary.low);
    }
}

std::size_t markStride(std::size_t points) {
    return points <= kMostMarks ? 1 : (points + kMostMarks - 1) / kMostMarks;
}

std::string lengthText(double value, std::string const& unit) {
    char text[64];
    std::snprintf(text, sizeof text, "%+.6f", value);
    return std::string(text) + " " + unit;
}

}  // namespace tavrisk_tool

namespace tavrisk_tool {

std::string vectorText(gte::Vector3 const& v) {
    char text[128];
    std::snprintf(text, sizeof text, "(%.6f, %.6f, %.6f)", v[0], v[1], v[2]);
    return text;
}

std::string extremesText(DeviationSummary const& summary, std::string const& unit) {
    return "Lowest " + lengthText(summary.low.value, unit) + " at point #" +
           std::to_string(summary.low.index) + ", highest " + lengthText(summary.high.value, unit) +
           " at point #" + std::to_string(summary.high.index) + " (points counted from 0).";
}

}  // namespace tavrisk_tool
