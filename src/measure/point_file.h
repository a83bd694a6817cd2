// Reader of point text files: coordinates as text, three values to a point.
//
// Values are runs of bytes between separators (space, comma, line feed, carriage return, tab);
// a run of separators ends a value, and so does the end of the file. A UTF-8 byte order mark at
// the very start of the file is skipped. Each three values in a row make a point.
//
// A file is accepted only when every value is a whole finite number as atof reads it in the "C"
// locale (the conversion takes every character of the value), no value is longer than
// kMaxPointValueLength characters, and the values make whole points, at least one. Only the
// bytes the file held when it was opened are read.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "gte/vector.h"

namespace tavrisk {

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

// The problem in words for a person: "missing", "not a number at line 3: 'x'", ...
std::string describe(PointFileProblem const& problem);

// Empties points, then appends the points of the file at path in file order and returns 0.
// Returns -1, with points empty, when the file is refused; problem, when given, then says why
// (it is reset to kind none on success).
int readPointFile(char const* path, std::vector<gte::Vector3>& points,
                  PointFileProblem* problem = nullptr);

}  // namespace tavrisk
