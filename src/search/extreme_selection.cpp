// SPDX-License-Identifier: MIT
#include "search/extreme_selection.h"

namespace tavrisk {

ExtremeAverages averagesFromEnds(SmallestValues const& low, LargestValues const& high, int trim,
                                 int average) {
    std::size_t const from = static_cast<std::size_t>(trim);
    std::size_t const to = from + static_cast<std::size_t>(average);
    std::vector<double> const smallest = low.fromTheEnd();
    std::vector<double> const largest = high.fromTheEnd();
    double lowSum = 0.0;
    double highSum = 0.0;
    for (std::size_t i = from; i < to; ++i) {
        lowSum += smallest[i];
    }
    for (std::size_t i = from; i < to; ++i) {
        highSum += largest[i];
    }
    return {lowSum / average, highSum / average};
}

TrimmedExtremes::TrimmedExtremes(int trim, int average)
    : trim_(trim),
      average_(average),
      low_(static_cast<std::size_t>(trim) + static_cast<std::size_t>(average)),
      high_(static_cast<std::size_t>(trim) + static_cast<std::size_t>(average)) {}

void TrimmedExtremes::keep(double value) {
    if (value != value) {
        if (!undefined_) {
            undefined_ = true;
            firstUndefined_ = value;
        }
        return;
    }
    low_.offer(value);
    high_.offer(value);
}

ExtremeAverages TrimmedExtremes::averages() const {
    // A value that is not a number leaves no order to trim by: both averages are undefined.
    if (undefined_) {
        return {firstUndefined_, firstUndefined_};
    }
    return averagesFromEnds(low_, high_, trim_, average_);
}

}  // namespace tavrisk
