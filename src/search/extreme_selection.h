// SPDX-License-Identifier: MIT
// The few smallest and largest of a stream of values, kept without storing the stream, and the
// trimmed extreme averages taken from them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <type_traits>
#include <vector>

#include "search/extreme_averages.h"

namespace tavrisk {

// The `capacity` most extreme values offered so far (the largest when kLargest, else the
// smallest), as a multiset: equal values are interchangeable, so which of them stays does not
// matter. NaN must not be offered.
template <bool kLargest>
class BoundedExtremes {
public:
    explicit BoundedExtremes(std::size_t capacity) : kept_(capacity) {}

    // Whether offer(value) would keep the value.
    bool wouldKeep(double value) const {
        return size_ < kept_.size() || (size_ > 0 && moreExtreme(value, kept_.front()));
    }

    void offer(double value) {
        if (size_ < kept_.size()) {
            kept_[size_++] = value;
            std::push_heap(kept_.begin(), kept_.begin() + size_, Order());
        } else if (size_ > 0 && moreExtreme(value, kept_.front())) {
            std::pop_heap(kept_.begin(), kept_.end(), Order());
            kept_.back() = value;
            std::push_heap(kept_.begin(), kept_.end(), Order());
        }
    }

    // The value offered `copies` times: as many of them as can stay.
    void offer(double value, std::uint64_t copies) {
        for (std::uint64_t c = 0; c < copies && wouldKeep(value); ++c) {
            offer(value);
        }
    }

    std::size_t size() const { return size_; }

    // The kept values from the most extreme inwards (in the heap's order, which puts the least
    // extreme last).
    std::vector<double> fromTheEnd() const {
        std::vector<double> values(kept_.begin(), kept_.begin() + size_);
        std::sort_heap(values.begin(), values.end(), Order());
        return values;
    }

private:
    // The heap keeps the least extreme kept value on top: a max-heap for the smallest values, a
    // min-heap for the largest.
    using Order = std::conditional_t<kLargest, std::greater<double>, std::less<double>>;

    static bool moreExtreme(double value, double than) {
        return kLargest ? value > than : value < than;
    }

    // Sized once: the values sit in the first size_ places.
    std::vector<double> kept_;
    std::size_t size_ = 0;
};

using SmallestValues = BoundedExtremes<false>;
using LargestValues = BoundedExtremes<true>;

// The averages of the values at positions trim ... trim + average - 1 from each end of the sorted
// values, summed from 0 outwards-in (the smallest first at the low end, the largest first at the
// high end), given at least trim + average values at each end.
ExtremeAverages averagesFromEnds(SmallestValues const& low, LargestValues const& high, int trim,
                                 int average);

// Trimmed extreme averages of a stream of values in one pass, equal to sorting them all: NaN for
// both when any value is NaN (the first such value).
class TrimmedExtremes {
public:
    TrimmedExtremes(int trim, int average);

    // One or two comparisons for a value that changes nothing (a NaN fails both).
    void offer(double value) {
        if (low_.wouldKeep(value) || high_.wouldKeep(value) || value != value) {
            keep(value);
        }
    }

    // Needs more than 2 * (trim + average) values offered.
    ExtremeAverages averages() const;

private:
    void keep(double value);

    int trim_;
    int average_;
    SmallestValues low_;
    LargestValues high_;
    bool undefined_ = false;
    double firstUndefined_ = 0.0;
};

}  // namespace tavrisk
