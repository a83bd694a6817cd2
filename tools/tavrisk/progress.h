// SPDX-License-Identifier: MIT
// How far a long point file has been read, shown on standard error while it is read.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "tavrisk_inspect.h"

namespace tavrisk_tool {

// Files smaller than this read in well under a second: no progress is shown for them.
constexpr std::uint64_t kProgressFromBytes = 16u << 20;

class ReadingProgress {
public:
    // name: the file as the user knows it. Progress is shown only when standard error is a
    // terminal, so that logs and pipes get no carriage-return lines.
    explicit ReadingProgress(std::string name);
    ReadingProgress(ReadingProgress const&) = delete;
    ReadingProgress& operator=(ReadingProgress const&) = delete;

    // Sets the reading options' progress callback to this, when progress is to be shown.
    void attachTo(tvi_read_options& options) {
        if (terminal_) {
            options.progress = &ReadingProgress::report;
            options.progress_context = this;
        }
    }

    // Closes the progress line with the points read and the time taken, when one was shown.
    void finish(std::size_t points);

    // Leaves the line so that a message can follow it, when one was shown.
    void abandon();

private:
    static int TAVRISK_CALL report(std::uint64_t bytesRead, std::uint64_t totalBytes,
                                   void* context);

    std::string name_;
    bool terminal_;
    bool shown_ = false;
    std::uint64_t total_ = 0;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace tavrisk_tool
