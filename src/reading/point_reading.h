// SPDX-License-Identifier: MIT
// Reading points from a file or from memory, whatever format holds them: the format is recognised
// from the first bytes unless it is named, the bytes go to its reader, and a refusal becomes the
// second library's problem record. A file is read under the lock of the platform's file layer,
// and only the bytes it held when it was opened are read.
#pragma once

#include <cstddef>
#include <vector>

#include "gte/vector.h"
#include "pointtext/point_table.h"
#include "tavrisk_inspect.h"

namespace tavrisk {

struct PointReadingOptions {
    int format = TVI_FORMAT_AUTO;              // or the TVI_FORMAT_ of a format that is read
    PointTableOptions table;                   // how text is read
    tvi_progress_function progress = nullptr;  // told how far a file's reading has gone
    void* progressContext = nullptr;
};

struct PointReading {
    std::vector<gte::Vector3> points;
    int format = TVI_FORMAT_AUTO;  // the format read
    TableLayout layout;            // what the text reader found (text only)
};

// Read a file at path, or size bytes at data, into reading, which should be empty. Return a
// TVI_ status and write problem (TVI_PROBLEM_NONE on TVI_OK); on any other status the points are
// left empty. Only std::bad_alloc may leave them.
int readPointsFromFile(char const* path, PointReadingOptions const& options, PointReading& reading,
                       tvi_problem& problem);
int readPointsFromMemory(unsigned char const* data, std::size_t size,
                         PointReadingOptions const& options, PointReading& reading,
                         tvi_problem& problem);

}  // namespace tavrisk
