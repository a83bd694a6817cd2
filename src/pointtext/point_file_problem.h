// SPDX-License-Identifier: MIT
// Why a point file was refused, as the reader and the scanner that feeds it report it.
#pragma once

#include <cstddef>
#include <string>

namespace tavrisk {

// The longest value a point file may hold, in characters.
constexpr std::size_t kMaxPointValueLength = 1024;

// Why a point file was refused.
enum class PointFileProblemKind {
    none,
    missing,          // no file at the path, or no path
    cannotOpen,       // the file exists but may not be opened for reading
    notRegularFile,   // a directory, pipe, device or socket
    locked,           // held open by another measurement
    empty,            // zero bytes
    readError,        // reading failed, or the file shrank while it was read
    notANumber,       // a value that is not entirely a number
    notFinite,        // a value that reads as infinity or NaN, or overflows
    valueTooLong,     // a value longer than kMaxPointValueLength characters
    incompletePoint,  // one or two values left over after the last point
    noPoint,          // nothing but separators
    outOfMemory,      // no memory left for the point list
};

struct PointFileProblem {
    // At most this many bytes of the offending value are kept.
    static constexpr std::size_t kValueTextLimit = 64;

    PointFileProblemKind kind = PointFileProblemKind::none;
    std::size_t line = 0;   // 1-based line of the offending value; 0 when no value is at fault
    std::string value;      // the value's first bytes, as found in the file
    bool valueCut = false;  // the value is longer than the bytes kept
};

}  // namespace tavrisk
