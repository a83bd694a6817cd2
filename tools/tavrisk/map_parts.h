// SPDX-License-Identifier: MIT
// The pieces every deviation map shares: the page, title, caption, colour bar, axis ticks and
// the marks on the extreme points.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "colour_scale.h"
#include "deviations.h"
#include "gte/vector.h"
#include "svg_writer.h"

namespace tavrisk_tool {

// Every map is drawn on one page of this size, the plot in the area below, a colour bar to its
// right and the caption underneath.
constexpr double kPageWidth = 1200.0;
constexpr double kPageHeight = 860.0;

struct PlotArea {
    double left;
    double top;
    double width;
    double height;
    constexpr double right() const { return left + width; }
    constexpr double bottom() const { return top + height; }
};

constexpr PlotArea kPlotArea = {80.0, 80.0, 860.0, 620.0};

// One scale of type for every map, in page units.
constexpr double kTitleSize = 22.0;
constexpr double kHeadlineSize = 17.0;  // the caption's first line
constexpr double kCaptionSize = 14.5;
constexpr double kNoteSize = 15.0;   // notes laid over the plot: compass letters, the enlargement
constexpr double kLabelSize = 14.0;  // axis titles and the labels of marks
constexpr double kTickSize = 13.0;   // tick values and units
// Half the height of a label's digits: a label whose baseline lies this far below a line reads
// as centred on it.
constexpr double kHalfDigitHeight = 5.0;

// The grey outline of the plot area, and the ink of lines and letters drawn over the plot.
inline Stroke const kPlotFrame{"#9a9a9a", 1.0, ""};
inline std::string const kInk = "#222222";

// A span of zero (every point at one place, every deviation zero) still gives a finite scale.
constexpr double kLeastSpan = 1e-300;

// The plot area filled with fill, within its grey frame.
void drawPlotFrame(SvgDocument& svg, std::string const& fill);

// Data in x and y drawn at one scale on both axes, as large as fits within margin of the plot
// area's sides, centred in it.
struct EqualScaleView {
    double spanX;  // the data's extent, at least kLeastSpan
    double spanY;
    double scale;  // page units per data unit
    double middleX;
    double middleY;
    double pageX(double x) const {
        return kPlotArea.left + kPlotArea.width / 2 + (x - middleX) * scale;
    }
    double pageY(double y) const {
        return kPlotArea.top + kPlotArea.height / 2 - (y - middleY) * scale;
    }
};
EqualScaleView equalScaleView(double minX, double maxX, double minY, double maxY, double margin);

void drawTitle(SvgDocument& svg, std::string const& title);

// Caption lines under the plot, the first one in bold, and a note when the map shows only one
// point in stride of points.
void drawCaption(SvgDocument& svg, std::vector<std::string> lines, std::size_t points = 0,
                 std::size_t stride = 1);

// A scale symmetric about zero whose ends are a round number not below the largest deviation.
DivergingScale roundedScale(double largestDeviation);

// A vertical colour bar right of the plot with round values and the unit; the space under it,
// from kLegendFreeTop down to the plot's bottom, is left for other keys.
constexpr double kLegendFreeTop = kPlotArea.top + kPlotArea.height - 80.0;
constexpr double kLegendCentre = kPlotArea.left + kPlotArea.width + 72.0;
void drawColourBar(SvgDocument& svg, DivergingScale const& scale, std::string const& unit);

// Round tick values covering [low, high] with about count steps; step receives their spacing.
std::vector<double> ticksOver(double low, double high, int count, double& step);

// A ring round an extreme point with its label beside it, kept inside the plot.
void markExtreme(SvgDocument& svg, double x, double y, double radius, std::string const& label);

// Marks the highest and, unless withLowest is false, the lowest deviation of a summary; place
// gives a point's position on the page by its index.
void markExtremes(SvgDocument& svg, DeviationSummary const& summary, std::string const& unit,
                  std::function<void(std::int64_t, double&, double&)> const& place, double radius,
                  bool withLowest = true);

// Rings a form zone's support points, each labelled with its boundary and index, in the colour
// of its boundary: red for high and outer, blue for low and inner. With joined, the supports on
// one boundary are joined (high solid, low dashed), which shows how they lock the zone: a
// triangle with the single point of the other plane inside it, or two segments that cross.
void markSupports(SvgDocument& svg, std::vector<SupportPoint> const& supports,
                  std::function<void(std::int64_t, double&, double&)> const& place, double radius,
                  bool joined);

// The colour of a support's boundary, for the marks and their key.
std::string supportInk(std::string const& contact);

// Marks the zone's boundaries, at deviations low and high, across the colour bar.
void markZoneOnColourBar(SvgDocument& svg, DivergingScale const& scale, double low, double high);

// "Supports: high #12, #40; low #3, #77 (points counted from 0)."
std::string supportsText(std::vector<SupportPoint> const& supports);

// A map holds at most this many point marks: more would make a file of hundreds of megabytes
// that a browser cannot show, on a page with fewer pixels than that.
constexpr std::size_t kMostMarks = 250000;

// 1 when every point gets a mark; otherwise the stride that keeps the marks within kMostMarks.
std::size_t markStride(std::size_t points);

// "+0.001234 mm" with enough digits for people, for captions and labels.
std::string lengthText(double value, std::string const& unit);

// "(0.000419, -0.000267, 1.000000)".
std::string vectorText(gte::Vector3 const& v);

// "Lowest -0.007930 mm at point #531, highest ... (points counted from 0)."
std::string extremesText(DeviationSummary const& summary, std::string const& unit);

}  // namespace tavrisk_tool
