// SPDX-License-Identifier: MIT
// The trimmed averages at both ends of a set of values, as the robust point-set measurements
// report them.
#pragma once

namespace tavrisk {

struct ExtremeAverages {
    double low;   // average of the `average` smallest values after dropping `trim` of them
    double high;  // average of the `average` largest values after dropping `trim` of them
};

}  // namespace tavrisk
