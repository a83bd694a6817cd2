// SPDX-License-Identifier: MIT
// Reading a point text file: the platform's file layer gives the bytes present at open, in
// chunks; the point scanner turns them into points or into the reason the file is refused.
#include "pointtext/point_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

#include "pointtext/point_scanner.h"
#include "pointtext/c_number.h"
#include "platform/locked_file.h"

namespace tavrisk {

namespace {

using Kind = PointFileProblemKind;

Kind problemOf(platform::LockedFile::Opening opening) {
    using Opening = platform::LockedFile::Opening;
    switch (opening) {
        case Opening::opened:
            return Kind::none;
        case Opening::missing:
            return Kind::missing;
        case Opening::cannotOpen:
            return Kind::cannotOpen;
        case Opening::notRegular:
            return Kind::notRegularFile;
        case Opening::locked:
            return Kind::locked;
        case Opening::empty:
            return Kind::empty;
    }
    return Kind::cannotOpen;
}

bool readInto(char const* path, std::vector<gte::Vector3>& points, PointFileProblem& problem,
              PointFileProgress const* progress, gte::Vector3* sum) {
    platform::LockedFile file;
    Kind const opening = problemOf(file.open(path));
    if (opening != Kind::none) {
        problem.kind = opening;
        return false;
    }
    platform::CNumberReader const number;
    if (!number.valid()) {
        problem.kind = Kind::outOfMemory;
        return false;
    }
    // Only the bytes the file held when it was opened are read: a writer appending meanwhile
    // neither prolongs the call nor changes its result.
    std::uint64_t const total = file.sizeAtOpen();
    std::uint64_t remaining = total;
    std::uint64_t reportedAt = 0;
    PointScanner scanner(number, points, problem, total);
    while (remaining > 0) {
        std::size_t const size =
            static_cast<std::size_t>(std::min<std::uint64_t>(remaining, PointScanner::kChunkSize));
        if (!file.readExactly(scanner.chunk(), size)) {
            problem.kind = Kind::readError;
            return false;
        }
        remaining -= size;
        if (!scanner.scan(size)) {
            return false;
        }
        std::uint64_t const done = total - remaining;
        if (progress != nullptr && progress->report != nullptr &&
            (done - reportedAt >= kPointFileProgressStep || remaining == 0)) {
            progress->report(done, total, progress->context);
            reportedAt = done;
        }
    }
    if (!scanner.finish()) {
        return false;
    }
    if (sum != nullptr) {
        *sum = scanner.sum();
    }
    return true;
}

// The words for each kind; those about a value are followed by where and what it is.
char const* wordsFor(Kind kind) {
    static_assert(kMaxPointValueLength == 1024, "the words below name the longest value");
    switch (kind) {
        case Kind::none:
            return "no problem";
        case Kind::missing:
            return "missing";
        case Kind::cannotOpen:
            return "cannot be opened";
        case Kind::notRegularFile:
            return "not a regular file";
        case Kind::locked:
            return "held open by another measurement";
        case Kind::empty:
            return "empty";
        case Kind::readError:
            return "read error";
        case Kind::notANumber:
            return "not a number";
        case Kind::notFinite:
            return "not a finite number";
        case Kind::valueTooLong:
            return "value longer than 1024 characters";
        case Kind::incompletePoint:
            return "incomplete last point";
        case Kind::noPoint:
            return "no complete point";
        case Kind::outOfMemory:
            return "out of memory";
    }
    return "unknown problem";
}

// Appends the value as printable text in quotes: control bytes become \xNN, other bytes stay.
void appendQuoted(std::string& text, PointFileProblem const& problem) {
    text += '\'';
    for (char c : problem.value) {
        unsigned char const byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        } else {
            text += c;
        }
    }
    text += problem.valueCut ? "...'" : "'";
}

}  // namespace

std::string describe(PointFileProblem const& problem) {
    std::string text = wordsFor(problem.kind);
    if (problem.line > 0) {
        char at[48];
        std::snprintf(at, sizeof at, " at line %zu", problem.line);
        text += at;
    }
    if (!problem.value.empty() || problem.valueCut) {
        text += ": ";
        appendQuoted(text, problem);
    }
    return text;
}

bool readPointFile(char const* path, std::vector<gte::Vector3>& points, PointFileProblem* problem,
                   PointFileProgress const* progress, gte::Vector3* sum) {
    PointFileProblem local;
    PointFileProblem& found = problem != nullptr ? *problem : local;
    found = PointFileProblem();
    points.clear();
    bool read = false;
    try {
        read = readInto(path, points, found, progress, sum);
    } catch (std::bad_alloc const&) {
        found.kind = Kind::outOfMemory;
    } catch (...) {
        found.kind = Kind::readError;
    }
    if (!read) {
        points.clear();
    }
    return read;
}

}  // namespace tavrisk
