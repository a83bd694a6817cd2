// SPDX-License-Identifier: MIT
#include "reading/point_reading.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "api/problem_record.h"
#include "formats/format_detection.h"
#include "formats/point_formats.h"
#include "platform/locked_file.h"
#include "pointtext/c_number.h"
#include "pointtext/point_file.h"
#include "reading/problem_messages.h"

namespace tavrisk {

namespace {

// A file's text is read in pieces of this size; the first one also shows what the file holds
// (the format's recognition looks at no more than its first 64 KiB).
constexpr std::size_t kTextChunkSize = 256 * 1024;

// The format of the interface for each kind of file recognised.
int formatOf(FileKind kind) {
    switch (kind) {
        case FileKind::empty:
        case FileKind::text:
            return TVI_FORMAT_TEXT;
        case FileKind::plyAscii:
        case FileKind::plyBinaryLittleEndian:
        case FileKind::plyBinaryBigEndian:
        case FileKind::plyUnknownFormat:
            return TVI_FORMAT_PLY;
        case FileKind::pcdAscii:
        case FileKind::pcdBinary:
        case FileKind::pcdBinaryCompressed:
        case FileKind::pcdUnknownData:
            return TVI_FORMAT_PCD;
        case FileKind::las:
            return TVI_FORMAT_LAS;
        case FileKind::laz:
            return TVI_FORMAT_LAZ;
        case FileKind::stlAscii:
        case FileKind::stlBinary:
            return TVI_FORMAT_STL;
        case FileKind::gzip:
            return TVI_FORMAT_GZIP;
        case FileKind::zip:
            return TVI_FORMAT_ZIP;
        case FileKind::e57:
            return TVI_FORMAT_E57;
        case FileKind::utf16LittleEndian:
        case FileKind::utf16BigEndian:
            return TVI_FORMAT_UTF16;
        case FileKind::utf32LittleEndian:
        case FileKind::utf32BigEndian:
            return TVI_FORMAT_UTF32;
        case FileKind::otherBinary:
            break;
    }
    return TVI_FORMAT_BINARY;
}

// The reader the options name; recognised from the data when they name none.
FileFamily familyFor(int format, FileKind recognised) {
    switch (format) {
        case TVI_FORMAT_TEXT:
            return FileFamily::text;
        case TVI_FORMAT_PLY:
            return FileFamily::ply;
        case TVI_FORMAT_PCD:
            return FileFamily::pcd;
        case TVI_FORMAT_LAS:
            return FileFamily::las;
        case TVI_FORMAT_STL:
            return FileFamily::stl;
        default:
            return fileFamilyOf(recognised);
    }
}

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

// The pieces of data given whole: none after the first.
std::pair<char const*, std::size_t> noMorePieces(tvi_problem&) {
    return {nullptr, 0};
}

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

// Reads data held whole with the reader of the format the options name, or else of the one
// recognised; data no reader takes is refused by name.
int readWhole(unsigned char const* data, std::size_t size, int named, FileKind recognised,
              PointReading& reading, tvi_problem& problem) {
    using Reader =
        bool (*)(unsigned char const*, std::size_t, std::vector<gte::Vector3>&, FormatProblem&);
    Reader reader = nullptr;
    switch (familyFor(named, recognised)) {
        case FileFamily::ply:
            reader = readPly;
            break;
        case FileFamily::pcd:
            reader = readPcd;
            break;
        case FileFamily::las:
            reader = readLas;
            break;
        case FileFamily::stl:
            reader = readStl;
            break;
        case FileFamily::text:
        case FileFamily::unreadable:
            return refuse(problem, unreadProblem(formatOf(recognised), fileKindName(recognised)),
                          reading);
    }
    reading.format = named != TVI_FORMAT_AUTO ? named : formatOf(recognised);
    FormatProblem found;
    if (!reader(data, size, reading.points, found)) {
        return refuse(problem, formatProblem(found, reading.format), reading);
    }
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
    tvi_problem stop = problemOf(TVI_PROBLEM_NONE);
    std::pair<char const*, std::size_t> const first = next(stop);
    if (stop.kind != TVI_PROBLEM_NONE) {
        return refuse(problem, stop, reading);
    }
    FileKind recognised =
        detectFileKind(reinterpret_cast<unsigned char const*>(first.first), first.second);
    FileFamily const family = familyFor(options.format, recognised);
    if (family == FileFamily::text) {
        return readText(number, options, total, first.first, first.second, next, reading, problem);
    }
    if (family == FileFamily::unreadable) {
        return refuse(problem, unreadProblem(formatOf(recognised), fileKindName(recognised)),
                      reading);
    }
    // The other formats are read whole: the rest of the file joins its first piece.
    if (total > std::vector<unsigned char>().max_size()) {
        return refuse(problem, callProblem(TVI_PROBLEM_OUT_OF_MEMORY, "out of memory"), reading);
    }
    std::vector<unsigned char> data(static_cast<std::size_t>(total));
    std::memcpy(data.data(), first.first, first.second);
    for (std::size_t at = first.second; at < data.size();) {
        std::pair<char const*, std::size_t> const piece = next(stop);
        if (stop.kind != TVI_PROBLEM_NONE) {
            return refuse(problem, stop, reading);
        }
        std::memcpy(data.data() + at, piece.first, piece.second);
        at += piece.second;
    }
    // Recognised again from all of it: a binary STL is told by its size, and its free header may
    // start as text does.
    if (data.size() > first.second) {
        recognised = detectFileKind(data.data(), data.size());
        if (familyFor(options.format, recognised) == FileFamily::text) {
            return readText(number, options, total, reinterpret_cast<char const*>(data.data()),
                            data.size(), noMorePieces, reading, problem);
        }
    }
    return readWhole(data.data(), data.size(), options.format, recognised, reading, problem);
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
    FileKind const recognised = detectFileKind(data, size);
    if (familyFor(options.format, recognised) == FileFamily::text) {
        return readText(number, options, size, reinterpret_cast<char const*>(data), size,
                        noMorePieces, reading, problem);
    }
    return readWhole(data, size, options.format, recognised, reading, problem);
}

}  // namespace tavrisk
