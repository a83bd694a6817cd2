// SPDX-License-Identifier: MIT
#include "colour_scale.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>

#include "formatted.h"

namespace tavrisk_tool {

namespace {

// A diverging blue-to-red ramp of eleven stops with a near-white middle, from the most
// negative to the most positive deviation; its lightness is symmetric about the middle, so equal
// deviations of either sign stand out equally.
constexpr Rgb kStops[] = {{5, 48, 97},     {33, 102, 172},  {67, 147, 195},  {146, 197, 222},
                          {209, 229, 240}, {247, 247, 247}, {253, 219, 199}, {244, 165, 130},
                          {214, 96, 77},   {178, 24, 43},   {103, 0, 31}};
constexpr int kStopCount = sizeof kStops / sizeof kStops[0];
// Mid grey: outside the ramp, so a NaN deviation never passes for a small one.
constexpr Rgb kNotANumber = {128, 128, 128};
// Where zero sits on the ramp, and how far either end lies from it, as fractions of the ramp.
constexpr double kRampMiddle = 0.5;
constexpr double kRampHalf = 0.5;

int mix(int a, int b, double t) {
    return static_cast<int>(std::lround(a + (b - a) * t));
}

}  // namespace

std::string cssColour(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red & 0xff, colour.green & 0xff,
                  colour.blue & 0xff);
    return text;
}

DivergingScale::DivergingScale(double halfRange)
    : halfRange_(std::isfinite(halfRange) && halfRange > 0.0 ? halfRange : 0.0) {}

Rgb DivergingScale::colourOf(double value) const {
    if (std::isnan(value)) {
        return kNotANumber;
    }
    double position = kRampMiddle;
    if (halfRange_ > 0.0) {
        position = kRampMiddle + kRampHalf * value / halfRange_;
    }
    position = std::fmin(1.0, std::fmax(0.0, position));
    double const scaled = position * (kStopCount - 1);
    int const below = std::min(static_cast<int>(scaled), kStopCount - 2);
    double const t = scaled - below;
    Rgb const a = kStops[below];
    Rgb const b = kStops[below + 1];
    return Rgb{mix(a.red, b.red, t), mix(a.green, b.green, t), mix(a.blue, b.blue, t)};
}

namespace {

// log10, pow and the product m * power each round, so a value that is a round number already can
// come out a hair beside m * power: within this relative slack it counts as that round number,
// and is not pushed to the next one.
constexpr double kRoundNumberSlack = 1e-12;

template <std::size_t N>
double roundUpTo(double value, double const (&multiples)[N]) {
    double const power = std::pow(10.0, std::floor(std::log10(value)));
    for (double const m : multiples) {
        if (m * power >= value * (1.0 - kRoundNumberSlack)) {
            return m * power;
        }
    }
    return 10.0 * power;
}

}  // namespace

double roundUp(double value) {
    static double const multiples[] = {1.0, 2.0, 2.5, 5.0, 10.0};
    return roundUpTo(value, multiples);
}

double roundDown(double value) {
    double const power = std::pow(10.0, std::floor(std::log10(value)));
    double best = power;
    for (double const m : {2.0, 2.5, 5.0, 10.0}) {
        if (m * power <= value * (1.0 + kRoundNumberSlack)) {
            best = m * power;
        }
    }
    return best;
}

double roundUpFinely(double value) {
    static double const multiples[] = {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0};
    return roundUpTo(value, multiples);
}

namespace {

// log10 of a step that is a power of ten may round a hair above the whole number: it must not
// ask for one decimal more than the step shows.
constexpr double kDecimalsSlack = 1e-9;
// A step scaled to its decimals is a whole number unless it lies further than this from one
// (2.5 at one decimal is 25: a whole number; at none it is 2.5).
constexpr double kWholeStepTolerance = 1e-6;
// More decimals than a double's digits would print noise.
constexpr int kMostDecimals = 12;

}  // namespace

std::string tickLabel(double value, double step) {
    int decimals = 0;
    if (step > 0.0 && std::isfinite(step)) {
        decimals = static_cast<int>(std::ceil(-std::log10(step) - kDecimalsSlack));
        // 2.5 times a power of ten needs one decimal more than the power itself.
        double const scaled = step * std::pow(10.0, decimals);
        if (std::fabs(scaled - std::round(scaled)) > kWholeStepTolerance) {
            ++decimals;
        }
        decimals = decimals < 0 ? 0 : (decimals > kMostDecimals ? kMostDecimals : decimals);
    }
    if (std::fabs(value) < step * kTickSlack) {
        value = 0.0;
    }
    return formatted(value == 0.0 ? "%.*f" : "%+.*f", decimals, value);
}

}  // namespace tavrisk_tool
