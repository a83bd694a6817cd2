// SPDX-License-Identifier: MIT
#include "map_parts.h"

#include <algorithm>
#include <cmath>

#include "formatted.h"

namespace tavrisk_tool {

namespace {

// The title's baseline, in the band above the plot.
constexpr double kTitleBaseline = 45.0;

// The caption starts below the plot's tick labels and axis title; the headline stands a little
// apart from the lines under it.
constexpr double kCaptionDrop = 62.0;
constexpr double kHeadlineAdvance = 27.0;
constexpr double kCaptionAdvance = 22.0;

// The colour bar stands right of the plot, its top below the bar's title and unit, its foot
// above the free space kept for other keys.
constexpr double kBarLeft = kPlotArea.right() + 60.0;
constexpr double kBarWidth = 24.0;
constexpr double kBarTop = kPlotArea.top + 40.0;
constexpr double kBarHeight = kPlotArea.height - 160.0;
constexpr double kBarTitleRise =
    28.0;  // the baselines of "deviation" and of the unit, above the bar
constexpr double kBarUnitRise = 11.0;
// Enough slices that the steps of colour do not show.
constexpr int kBarSlices = 120;
// Each slice reaches this far into the next, so that anti-aliasing leaves no pale seam between
// them.
constexpr double kSliceOverlap = 0.6;
// Ticks at both ends, the halves and zero.
constexpr int kBarIntervals = 4;
constexpr double kBarTickLength = 6.0;
constexpr double kBarLabelGap = 10.0;
Stroke const kBarInk{"#555555", 1.0, ""};

// An extreme is ringed in black just outside its mark and in white outside that, so that the
// ring shows on dark and pale marks alike.
constexpr double kRingGap = 5.0;
constexpr double kOuterRingGap = 7.0;
// Its label starts this far beside the mark, on the right unless the point lies within the
// room a label needs of the plot's right side; above the point unless it lies within the height
// of a label of the plot's top, then below.
constexpr double kLabelGap = 12.0;
constexpr double kLabelRoomRight = 260.0;
constexpr double kLabelRoomAbove = 20.0;
constexpr double kLabelRise = 8.0;
constexpr double kLabelDrop = 18.0;
// A zone's boundaries cross the colour bar and reach this far left of it, where "zone" stands.
constexpr double kZoneMarkReach = 8.0;
constexpr double kZoneLabelGap = 16.0;

}  // namespace

void drawPlotFrame(SvgDocument& svg, std::string const& fill) {
    svg.rect(kPlotArea.left, kPlotArea.top, kPlotArea.width, kPlotArea.height, fill, kPlotFrame);
}

EqualScaleView equalScaleView(double minX, double maxX, double minY, double maxY, double margin) {
    double const spanX = std::max(maxX - minX, kLeastSpan);
    double const spanY = std::max(maxY - minY, kLeastSpan);
    double const scale =
        std::min((kPlotArea.width - 2 * margin) / spanX, (kPlotArea.height - 2 * margin) / spanY);
    return EqualScaleView{spanX, spanY, scale, (minX + maxX) / 2, (minY + maxY) / 2};
}

void drawTitle(SvgDocument& svg, std::string const& title) {
    svg.text(kPlotArea.left, kTitleBaseline, title, kTitleSize, "start", true);
}

void drawCaption(SvgDocument& svg, std::vector<std::string> lines, std::size_t points,
                 std::size_t stride) {
    if (stride > 1) {
        lines.push_back("One point in " + std::to_string(stride) + " of the " +
                        std::to_string(points) +
                        " is drawn and the extremes are ringed; the figures count every point.");
    }
    double y = kPlotArea.bottom() + kCaptionDrop;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bool const headline = i == 0;
        svg.text(kPlotArea.left, y, lines[i], headline ? kHeadlineSize : kCaptionSize, "start",
                 headline, headline ? "#111111" : "#333333");
        y += headline ? kHeadlineAdvance : kCaptionAdvance;
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
        svg.rect(kBarLeft, kBarTop + i * slice, kBarWidth, slice + kSliceOverlap,
                 cssColour(scale.colourOf(value)));
    }
    svg.rect(kBarLeft, kBarTop, kBarWidth, kBarHeight, "none", kBarInk);
    svg.text(kBarLeft + kBarWidth / 2, kBarTop - kBarTitleRise, "deviation", kLabelSize, "middle",
             true);
    svg.text(kBarLeft + kBarWidth / 2, kBarTop - kBarUnitRise, "(" + unit + ")", kTickSize,
             "middle");
    // A scale without range has one tick, at its middle.
    int const steps = half > 0.0 ? kBarIntervals : 0;
    for (int i = 0; i <= steps; ++i) {
        double const value = half * (1.0 - 2.0 * i / kBarIntervals);
        double const y =
            steps == 0 ? kBarTop + kBarHeight / 2 : kBarTop + kBarHeight * i / kBarIntervals;
        svg.line(kBarLeft + kBarWidth, y, kBarLeft + kBarWidth + kBarTickLength, y, kBarInk);
        svg.text(kBarLeft + kBarWidth + kBarLabelGap, y + kHalfDigitHeight,
                 tickLabel(value, half / kBarIntervals), kTickSize);
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
    for (double t = std::ceil(low / step - kTickSlack) * step; t <= high + step * kTickSlack;
         t += step) {
        ticks.push_back(std::fabs(t) < step * kTickSlack ? 0.0 : t);
    }
    return ticks;
}

void markExtreme(SvgDocument& svg, double x, double y, double radius, std::string const& label) {
    svg.circle(x, y, radius + kRingGap, "none", "extreme", Stroke{"#000000", 2.0, ""});
    svg.circle(x, y, radius + kOuterRingGap, "none", "extreme", Stroke{"#ffffff", 1.5, ""});
    bool const leftOfPoint = x > kPlotArea.right() - kLabelRoomRight;
    double const dx = radius + kLabelGap;
    double const labelY = y < kPlotArea.top + kLabelRoomAbove ? y + kLabelDrop : y - kLabelRise;
    std::string const anchor = leftOfPoint ? "end" : "start";
    double const labelX = leftOfPoint ? x - dx : x + dx;
    svg.text(labelX, labelY, label, kLabelSize, anchor, true, "#000000", true);
}

std::string supportInk(std::string const& contact) {
    return contact == "high" || contact == "outer" ? "#b2182b" : "#2166ac";
}

void markSupports(SvgDocument& svg, std::vector<SupportPoint> const& supports,
                  std::function<void(std::int64_t, double&, double&)> const& place, double radius,
                  bool joined) {
    if (joined) {
        for (char const* contact : {"high", "low"}) {
            std::vector<std::pair<double, double>> corners;
            for (SupportPoint const& s : supports) {
                if (s.contact == contact) {
                    double x = 0.0, y = 0.0;
                    place(s.index, x, y);
                    corners.emplace_back(x, y);
                }
            }
            if (corners.size() > 2) {
                corners.push_back(corners.front());  // a triangle, closed
            }
            if (corners.size() > 1) {
                svg.polyline(corners, Stroke{supportInk(contact), 2.0,
                                             std::string(contact) == "low" ? "8 5" : ""});
            }
        }
    }
    for (SupportPoint const& s : supports) {
        double x = 0.0, y = 0.0;
        place(s.index, x, y);
        svg.circle(x, y, radius + kRingGap, "none", "support",
                   Stroke{supportInk(s.contact), 2.5, ""});
        svg.circle(x, y, radius + kOuterRingGap, "none", "support", Stroke{"#ffffff", 1.5, ""});
        bool const leftOfPoint = x > kPlotArea.right() - kLabelRoomRight;
        double const dx = radius + kLabelGap;
        double const labelY = y < kPlotArea.top + kLabelRoomAbove ? y + kLabelDrop : y - kLabelRise;
        svg.text(leftOfPoint ? x - dx : x + dx, labelY, s.contact + " #" + std::to_string(s.index),
                 kLabelSize, leftOfPoint ? "end" : "start", true, supportInk(s.contact), true);
    }
}

void markZoneOnColourBar(SvgDocument& svg, DivergingScale const& scale, double low, double high) {
    double const half = scale.halfRange();
    for (double const value : {low, high}) {
        double const y = half > 0.0 ? kBarTop + kBarHeight * (half - value) / (2 * half)
                                    : kBarTop + kBarHeight / 2;
        svg.line(kBarLeft - kZoneMarkReach, y, kBarLeft + kBarWidth, y, Stroke{kInk, 2.0, ""});
    }
    auto const barY = [&](double value) {
        return half > 0.0 ? kBarTop + kBarHeight * (half - value) / (2 * half)
                          : kBarTop + kBarHeight / 2;
    };
    svg.line(kBarLeft - kZoneMarkReach, barY(low), kBarLeft - kZoneMarkReach, barY(high),
             Stroke{kInk, 2.0, ""});
    double const middle = barY((low + high) / 2);
    svg.beginRotated(-90.0, kBarLeft - kZoneLabelGap, middle);
    svg.text(kBarLeft - kZoneLabelGap, middle, "zone", kTickSize, "middle", true);
    svg.endGroup();
}

std::string supportsText(std::vector<SupportPoint> const& supports) {
    std::vector<SupportPoint> grouped = supports;
    std::stable_sort(
        grouped.begin(), grouped.end(),
        [](SupportPoint const& a, SupportPoint const& b) { return a.contact < b.contact; });
    std::string text = "Supports:";
    std::string contact;
    for (SupportPoint const& s : grouped) {
        text += s.contact == contact ? ", #" : (contact.empty() ? " " : "; ") + s.contact + " #";
        text += std::to_string(s.index);
        contact = s.contact;
    }
    return text + " (points counted from 0).";
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
    return formatted("%+.6f", value) + " " + unit;
}

}  // namespace tavrisk_tool

namespace tavrisk_tool {

std::string vectorText(gte::Vector3 const& v) {
    return formatted("(%.6f, %.6f, %.6f)", v[0], v[1], v[2]);
}

std::string extremesText(DeviationSummary const& summary, std::string const& unit) {
    return "Lowest " + lengthText(summary.low.value, unit) + " at point #" +
           std::to_string(summary.low.index) + ", highest " + lengthText(summary.high.value, unit) +
           " at point #" + std::to_string(summary.high.index) + " (points counted from 0).";
}

}  // namespace tavrisk_tool
