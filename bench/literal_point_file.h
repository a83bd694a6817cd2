// SPDX-License-Identifier: MIT
// The point file read the literal way, as the benchmarks' baseline for the library's reader.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/literal_point_scanner.h"
#include "platform/locked_file.h"

namespace tavrisk_bench {

// A point file read the literal way: in chunks of 64 KiB, one byte at a time, the list grown
// point by point. Returns whether the file was read (false when it is refused).
inline bool literalReadPointFile(char const* path, std::vector<gte::Vector3>& points) {
    points.clear();
    tavrisk::platform::LockedFile file;
    if (file.open(path) != tavrisk::platform::LockedFile::Opening::opened) {
        return false;
    }
    tavrisk::PointFileProblem problem;
    tavrisk_test::LiteralPointScanner scanner(points, problem);
    std::vector<char> chunk(64 * 1024);
    for (std::uint64_t remaining = file.sizeAtOpen(); remaining > 0;) {
        long const got = file.read(chunk.data(), std::min<std::uint64_t>(chunk.size(), remaining));
        if (got <= 0 || !scanner.scan(chunk.data(), static_cast<std::size_t>(got))) {
            return false;
        }
        remaining -= static_cast<std::uint64_t>(got);
    }
    return scanner.finish();
}

}  // namespace tavrisk_bench
