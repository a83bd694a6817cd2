// SPDX-License-Identifier: MIT
#include "roundness_map.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

#include "formatted.h"
#include "map_parts.h"
#include "svg_writer.h"

namespace tavrisk_tool {

namespace {

// The middle of the zone is drawn as a circle of this share of the plot's smaller side, and the
// zone's width as this share of that circle's radius, unless the form is so coarse that the
// true scale shows it as wide: then the chart is drawn at its true scale.
constexpr double kMiddleCircleShare = 0.40;
constexpr double kZoneShareOfRadius = 0.3;
// Spokes every 30 degrees help the eye find a point's angle.
constexpr int kSpokes = 12;
constexpr double kCentreCross = 7.0;
constexpr double kPi = 3.14159265358979323846;
// Marks about a third of the spacing of evenly spread points round the circle, within legible
// bounds.
constexpr double kMarkShareOfSpacing = 0.35;
constexpr double kSmallestMark = 2.0;
constexpr double kLargestMark = 4.5;
Stroke const kGridInk{"#e4e4e4", 1.0, ""};
// The trace round the points breaks at a gap wider than a tenth of a turn and than five times
// the spacing of evenly spread points.
constexpr double kTraceGapShareOfTurn = 0.1;
constexpr double kTraceGapOverSpacing = 5.0;

// Where a point lands: its angle about the centre kept, its distance from the zone's middle
// enlarged.
struct PolarFrame {
    double centreX;
    double centreY;
    double middle;         // the zone's middle radius, in the file's unit
    double middlePixels;   // its radius on the page
    double pixelsPerUnit;  // along a radius, from the middle
    double trueScale;      // pixels per unit of the chart at its true scale

    double pageRadius(double distance) const {
        return std::max(middlePixels + (distance - middle) * pixelsPerUnit, 0.0);
    }
    void place(double dx, double dy, double& x, double& y) const {
        double const distance = std::hypot(dx, dy);
        double const r = pageRadius(distance);
        double const c = distance > 0.0 ? dx / distance : 1.0;
        double const s = distance > 0.0 ? dy / distance : 0.0;
        x = centreX + r * c;
        y = centreY - r * s;
    }
};

PolarFrame polarFrameOf(RoundnessMap const& map) {
    double const middle = std::max((map.innerRadius + map.outerRadius) / 2, kLeastSpan);
    double const middlePixels = kMiddleCircleShare * std::min(kPlotArea.width, kPlotArea.height);
    double const trueScale = middlePixels / middle;
    double const width = map.outerRadius - map.innerRadius;
    double const enlarged = width > 0.0 ? kZoneShareOfRadius * middlePixels / width : trueScale;
    return PolarFrame{kPlotArea.left + kPlotArea.width / 2,
                      kPlotArea.top + kPlotArea.height / 2,
                      middle,
                      middlePixels,
                      std::max(enlarged, trueScale),
                      trueScale};
}

void drawSpokes(SvgDocument& svg, PolarFrame const& frame) {
    double const reach = frame.middlePixels * (1.0 + kZoneShareOfRadius);
    for (int i = 0; i < kSpokes; ++i) {
        double const angle = 2 * kPi * i / kSpokes;
        svg.line(frame.centreX, frame.centreY, frame.centreX + reach * std::cos(angle),
                 frame.centreY - reach * std::sin(angle), kGridInk);
    }
}

void drawCircles(SvgDocument& svg, PolarFrame const& frame, RoundnessMap const& map) {
    svg.circle(frame.centreX, frame.centreY, frame.pageRadius(map.outerRadius), "none", "zone",
               Stroke{supportInk("outer"), 2.0, ""});
    svg.circle(frame.centreX, frame.centreY, frame.pageRadius(map.innerRadius), "none", "zone",
               Stroke{supportInk("inner"), 2.0, ""});
    if (map.radius != map.innerRadius && map.radius != map.outerRadius) {
        svg.circle(frame.centreX, frame.centreY, frame.pageRadius(map.radius), "none", "reference",
                   Stroke{"#555555", 1.0, "6 4"});
    }
    Stroke const ink{kInk, 1.5, ""};
    svg.line(frame.centreX - kCentreCross, frame.centreY, frame.centreX + kCentreCross,
             frame.centreY, ink);
    svg.line(frame.centreX, frame.centreY - kCentreCross, frame.centreX,
             frame.centreY + kCentreCross, ink);
}

// The points joined in their order round the centre, the ring closed, but not across a gap
// (an arc measured, a part of the profile not probed): a line there would stand for points that
// were never measured.
void drawTrace(SvgDocument& svg, std::vector<std::size_t> const& round,
               std::vector<double> const& angles,
               std::function<void(std::int64_t, double&, double&)> const& place) {
    if (round.size() < 2) {
        return;
    }
    double const gapLimit =
        std::max(kTraceGapShareOfTurn * 2 * kPi,
                 kTraceGapOverSpacing * 2 * kPi / static_cast<double>(round.size()));
    std::vector<std::pair<double, double>> piece;
    auto const add = [&](std::size_t i) {
        double x = 0.0, y = 0.0;
        place(static_cast<std::int64_t>(i), x, y);
        piece.emplace_back(x, y);
    };
    auto const flush = [&] {
        if (piece.size() > 1) {
            svg.polyline(piece, Stroke{"#8c8c8c", 1.0, ""});
        }
        piece.clear();
    };
    for (std::size_t k = 0; k < round.size(); ++k) {
        if (k > 0 && angles[round[k]] - angles[round[k - 1]] > gapLimit) {
            flush();
        }
        add(round[k]);
    }
    if (angles[round.front()] + 2 * kPi - angles[round.back()] <= gapLimit) {
        add(round.front());
    }
    flush();
}

}  // namespace

void drawRoundnessMap(RoundnessMap const& map, std::string const& path) {
    std::vector<gte::Vector3> const& points = *map.points;
    std::vector<double> const& deviations = *map.deviations;
    PolarFrame const frame = polarFrameOf(map);
    auto const place = [&](std::int64_t index, double& x, double& y) {
        gte::Vector3 const& p = points[static_cast<std::size_t>(index)];
        frame.place(p[0] - map.centre[0], p[1] - map.centre[1], x, y);
    };

    std::size_t const stride = markStride(points.size());
    std::vector<std::size_t> drawn;
    for (std::size_t i = 0; i < points.size(); i += stride) {
        drawn.push_back(i);
    }
    // The trace joins the points in their order round the centre.
    std::vector<double> angles(points.size());
    for (std::size_t const i : drawn) {
        angles[i] = std::atan2(points[i][1] - map.centre[1], points[i][0] - map.centre[0]);
    }
    std::vector<std::size_t> round = drawn;
    std::stable_sort(round.begin(), round.end(),
                     [&](std::size_t a, std::size_t b) { return angles[a] < angles[b]; });
    double const radius = std::clamp(
        2 * kPi * frame.middlePixels / static_cast<double>(drawn.size()) * kMarkShareOfSpacing,
        kSmallestMark, kLargestMark);

    SvgDocument svg(kPageWidth, kPageHeight);
    drawTitle(svg, map.title);
    drawPlotFrame(svg, "#ffffff");
    drawSpokes(svg, frame);
    drawCircles(svg, frame, map);
    drawTrace(svg, round, angles, place);
    DivergingScale const colours =
        roundedScale(std::max(std::fabs(map.summary.low.value), std::fabs(map.summary.high.value)));
    for (std::size_t const i : drawn) {
        double x = 0.0, y = 0.0;
        place(static_cast<std::int64_t>(i), x, y);
        svg.circle(x, y, radius, cssColour(colours.colourOf(deviations[i])), "point",
                   Stroke{"#555555", 0.3, ""});
    }
    markSupports(svg, map.supports, place, radius, false);
    drawColourBar(svg, colours, map.unit);
    markZoneOnColourBar(svg, colours, map.innerRadius - map.radius, map.outerRadius - map.radius);

    std::vector<std::string> caption = map.caption;
    double const enlargement = frame.pixelsPerUnit / frame.trueScale;
    caption.push_back(
        (enlargement > 1.0
             ? formatted("Seen from above; distances from the zone's middle circle drawn %.0f "
                         "times larger. ",
                         enlargement)
             : std::string("Seen from above, at true scale. ")) +
        "Colour: distance from the criterion's circle.");
    drawCaption(svg, caption, points.size(), stride);
    svg.save(path);
}

}  // namespace tavrisk_tool
