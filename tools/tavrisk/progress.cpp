// SPDX-License-Identifier: MIT
#include "progress.h"

#include <cstdio>
#include <utility>

#include <unistd.h>

namespace tavrisk_tool {

namespace {

double megabytes(std::uint64_t bytes) {
    return static_cast<double>(bytes) / 1e6;
}

}  // namespace

ReadingProgress::ReadingProgress(std::string name)
    : name_(std::move(name)),
      terminal_(::isatty(STDERR_FILENO) == 1),
      start_(std::chrono::steady_clock::now()) {}

int TAVRISK_CALL ReadingProgress::report(std::uint64_t bytesRead, std::uint64_t totalBytes,
                                         void* context) {
    // The reading goes on whatever is shown: the callback never asks it to stop.
    constexpr int kGoOn = 0;
    ReadingProgress& self = *static_cast<ReadingProgress*>(context);
    if (totalBytes < kProgressFromBytes) {
        return kGoOn;
    }
    self.shown_ = true;
    self.total_ = totalBytes;
    int const percent = static_cast<int>(bytesRead * 100 / totalBytes);
    // "\033[K" clears what a longer earlier line left on the right.
    std::fprintf(stderr, "\rreading %s: %3d%% (%.1f of %.1f MB)\033[K", self.name_.c_str(), percent,
                 megabytes(bytesRead), megabytes(totalBytes));
    std::fflush(stderr);
    return kGoOn;
}

void ReadingProgress::finish(std::size_t points) {
    if (!shown_) {
        return;
    }
    std::chrono::duration<double> const taken = std::chrono::steady_clock::now() - start_;
    std::fprintf(stderr, "\rread %s: %.1f MB, %zu points in %.1f s\033[K\n", name_.c_str(),
                 megabytes(total_), points, taken.count());
    shown_ = false;
}

void ReadingProgress::abandon() {
    if (shown_) {
        std::fputc('\n', stderr);
        shown_ = false;
    }
}

}  // namespace tavrisk_tool
