// SPDX-License-Identifier: MIT
// The flatness of a point text file as the first library measures it: read by the point-file
// reader (values three to a point), the band of the signed distances about the best-fit plane.
// Shared by that library's export and the second library's form of it, which also says why a
// file is refused: both run this code and give the same bits.
#pragma once

#include <cstddef>

#include "pointtext/point_file_problem.h"

namespace tavrisk {

struct FileFlatness {
    enum class Outcome {
        measured,        // width holds the flatness
        unreadable,      // the reader refused the file: reading says why
        tooManyPoints,   // more points than the fit counts (an int)
        planeNotUnique,  // three or more points that determine no unique plane
        notFinite,       // a flatness that overflows
    };
    Outcome outcome = Outcome::unreadable;
    PointFileProblem reading;
    std::size_t count = 0;  // the points read
    double width = 0.0;     // the flatness: 0 for one or two points
};

// Reads and measures the file at path. Allocates (may throw std::bad_alloc).
FileFlatness measureFileFlatness(char const* path);

}  // namespace tavrisk
