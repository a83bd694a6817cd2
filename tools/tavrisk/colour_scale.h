// SPDX-License-Identifier: MIT
// A diverging colour scale for signed deviations: blue below zero, red above, pale at zero.
#pragma once

#include <string>

namespace tavrisk_tool {

struct Rgb {
    int red;
    int green;
    int blue;
};

// "#rrggbb".
std::string cssColour(Rgb colour);

class DivergingScale {
public:
    // Deviations of halfRange or more in size take the darkest colours; a zero or non-finite
    // halfRange (every deviation zero) maps everything to the pale middle.
    explicit DivergingScale(double halfRange);

    double halfRange() const { return halfRange_; }

    // NaN is drawn grey, outside every colour of the scale.
    Rgb colourOf(double value) const;

private:
    double halfRange_;
};

// The smallest of 1, 2, 2.5, 5 times a power of ten that is at least value (value > 0): steps
// for ticks.
double roundUp(double value);

// The largest of 1, 2, 2.5, 5 times a power of ten that is at most value (value > 0).
double roundDown(double value);

// The smallest of 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 8 times a power of ten that is at least value
// (value > 0): ends of a colour scale, close enough to the data to keep its colours strong, and
// halves and quarters that still read as round numbers.
double roundUpFinely(double value);

// Ticks are reached by adding steps, which rounds: within this fraction of a step a tick counts
// as lying on the end of its range, and as zero (not "-0.000").
constexpr double kTickSlack = 1e-9;

// value with as many decimals as the tick step needs, and a sign when it is not zero.
std::string tickLabel(double value, double step);

}  // namespace tavrisk_tool
