// SPDX-License-Identifier: MIT
#include "reading/point_reading.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "api/problem_record.h"
#include "platform/locked_file.h"
#include "pointtext/c_number.h"
#include "pointtext/point_file.h"
#include "reading/problem_messages.h"

namespace tavrisk {

namespace {

// A file's text is read in pieces of this size; the first one also shows what the file holds.
constexpr std::size_t kTextChunkSize = 256 * 1024;

// Reports the progress of a file's reading after about every kPointFileProgressStep bytes and at
// the end, as the first library's reader does; remembers whether the caller asked to stop.
class ProgressReport {
public:
    ProgressReport(PointReadingOptions const& options, std::uint64_t total)
        : options_(options), total_(total) {}

    // False when the caller asks to stop.
    bool advance(std::uint64_t done) {
        if (options_.progress == nullptr ||
            (done - reportedAt_ < kPointFileProgressStep && done < total_)) {
            return true;
        }
        reportedAt_ = done;
        return options_.progress(done, total_, options_.progressContext) == 0;
    }

private:
    PointReadingOptions const& options_;
    std::uint64_t const total_;
    std::uint64_t reportedAt_ = 0;
};

int refuse(tvi_problem& problem, tvi_problem const& reason, PointReading& reading) {
    problem = reason;
    reading.points.clear();
    reading.points.shrink_to_fit();
    return reason.kind == TVI_PROBLEM_CANCELLED       ? TVI_CANCELLED
           : reason.kind == TVI_PROBLEM_OUT_OF_MEMORY ? TVI_OUT_OF_MEMORY
                                                      : TVI_REFUSED;
}

// Reads text given in pieces: first the bytes at first, then whatever next() hands over until
// it returns an empty piece. next() may refuse the reading with a problem of its own.
template <class NextPiece>
int readText(platform::CNumberReader const& number, PointReadingOptions const& options,
             std::uint64_t size, char const* first, std::size_t firstSize, NextPiece&& next,
             PointReading& reading, tvi_problem& problem) {
    TableProblem found;
    PointTableReader reader(number, options.table, reading.points, found, size);
    reading.format = TVI_FORMAT_TEXT;
    bool read = reader.feed(first, firstSize);
    while (read) {
        tvi_problem stop = problemOf(TVI_PROBLEM_NONE);
        std::pair<char const*, std::size_t> const piece = next(stop);
        if (stop.kind != TVI_PROBLEM_NONE) {
            return refuse(problem, stop, reading);
        }
        if (piece.second == 0) {
            read = reader.finish();
            break;
        }
        read = reader.feed(piece.first, piece.second);
    }
    if (!read) {
        return refuse(problem, tableProblem(found, reader.layout()), reading);
    }
    reading.layout = reader.layout();
    problem = problemOf(TVI_PROBLEM_NONE);
    return TVI_OK;
}

}  // namespace

int readPointsFromFile(char const* path, PointReadingOptions const& options, PointReading& reading,
                       tvi_problem& problem) {
    platform::LockedFile file;
    platform::LockedFile::Opening const opening = file.open(path);
    if (opening != platform::LockedFile::Opening::opened) {
        return refuse(problem, openingProblem(opening), reading);
    }
    platform::CNumberReader const number;
    if (!number.valid()) {
        return refuse(problem, callProblem(TVI_PROBLEM_OUT_OF_MEMORY, "out of memory"), reading);
    }
    std::uint64_t const total = file.sizeAtOpen();
    std::uint64_t done = 0;
    std::unique_ptr<char[]> const chunk(new char[kTextChunkSize]);
    ProgressReport progress(options, total);
    // The next piece of the file, up to its size at opening; empty at its end.
    auto next = [&](tvi_problem& stop) -> std::pair<char const*, std::size_t> {
        std::size_t const size =
            static_cast<std::size_t>(std::min<std::uint64_t>(total - done, kTextChunkSize));
        if (size > 0 && !file.readExactly(chunk.get(), size)) {
            stop = callProblem(TVI_PROBLEM_READ_ERROR, "the file could not be read to its end");
            return {nullptr, 0};
        }
        done += size;
        if (size > 0 && !progress.advance(done)) {
            stop = callProblem(TVI_PROBLEM_CANCELLED, "the reading was stopped");
            return {nullptr, 0};
        }
        return {chunk.get(), size};
    };
    return readText(number, options, total, nullptr, 0, next, reading, problem);
}

int readPointsFromMemory(unsigned char const* data, std::size_t size,
                         PointReadingOptions const& options, PointReading& reading,
                         tvi_problem& problem) {
    if (size == 0) {
        return refuse(problem, callProblem(TVI_PROBLEM_EMPTY, "no data"), reading);
    }
    platform::CNumberReader const number;
    if (!number.valid()) {
        return refuse(problem, callProblem(TVI_PROBLEM_OUT_OF_MEMORY, "out of memory"), reading);
    }
    auto none = [](tvi_problem&) { return std::pair<char const*, std::size_t>(nullptr, 0); };
    return readText(number, options, size, reinterpret_cast<char const*>(data), size, none, reading,
                    problem);
}

}  // namespace tavrisk
