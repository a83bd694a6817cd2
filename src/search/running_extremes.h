// SPDX-License-Identifier: MIT
// The largest and smallest of a sequence of measured values, taken one value at a time. Every
// measurement that reports an extreme distance, gap or deviation, or picks the nearest or farthest
// of a set of points, runs its loop through these.
//
// The first candidate is taken as it is: no start value can show through as a result, however
// far the candidates lie from it. After that a candidate replaces the extreme only when it lies
// strictly beyond it, so the first of equal candidates stays. A NaN candidate means the quantity
// being measured is undefined: the extreme becomes that NaN and stays NaN whatever follows, so
// it reaches the caller instead of being skipped by the comparisons.
#pragma once

#include <limits>

namespace tavrisk {

template <bool kLargest>
class RunningExtreme {
public:
    // Whether offer(candidate) would take the candidate. A search that filters candidates with a
    // costly test runs the test only for the candidates that would become the extreme.
    bool wouldTake(double candidate) const {
        // The common case first, one comparison: two numbers, the candidate not beyond. It fails
        // for a NaN on either side, and the value is NaN until the first candidate arrives.
        if (kLargest ? candidate <= value_ : candidate >= value_) {
            return false;
        }
        return !(found_ && value_ != value_);  // a NaN once taken stays
    }

    // Takes the candidate when it becomes the extreme; returns whether it did, so that the caller
    // can remember where the extreme came from.
    bool offer(double candidate) {
        if (!wouldTake(candidate)) {
            return false;
        }
        value_ = candidate;
        found_ = true;
        return true;
    }

    // Whether any candidate was offered.
    bool found() const { return found_; }
    // The extreme; NaN when no candidate was offered.
    double value() const { return value_; }

private:
    double value_ = std::numeric_limits<double>::quiet_NaN();
    bool found_ = false;
};

using RunningMaximum = RunningExtreme<true>;
using RunningMinimum = RunningExtreme<false>;

// Both ends of the range of the candidates.
struct RunningRange {
    RunningMinimum low;
    RunningMaximum high;

    void offer(double candidate) {
        low.offer(candidate);
        high.offer(candidate);
    }
};

}  // namespace tavrisk
