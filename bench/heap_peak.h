// SPDX-License-Identifier: MIT
// The peak of heap memory in use, counted by replacing the global allocation functions of the
// benchmark program.
#pragma once

#include <cstddef>

namespace tavrisk_bench {

// Bytes of heap in use right now, and the most in use since the last restartHeapPeak().
std::size_t heapInUse();
std::size_t heapPeak();
void restartHeapPeak();

}  // namespace tavrisk_bench
