// SPDX-License-Identifier: MIT
// Turns the bytes of a point text file, given in chunks, into points or into the reason the file
// is refused, by the rules of pointtext/point_file.h.
//
// Values are read where they lie in the chunk. A plain decimal of up to fifteen characters, the
// common value, has its end and its digits found in one look at sixteen bytes, and is taken when
// a separator follows; any other value has its end found sixteen bytes at a time and goes to the
// other conversions. Runs of separators longer than a few bytes are skipped sixteen at a time
// too. Only a value that straddles two chunks is gathered, in a buffer of fixed size, so the
// memory used does not depend on what the file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "gte/vector.h"
#include "pointtext/c_number.h"
#include "pointtext/point_file_problem.h"

namespace tavrisk {

// Separators, line feeds and carriage returns among 16 bytes, bit i for byte i.
struct ByteClasses {
    std::uint32_t separators;
    std::uint32_t lineFeeds;
    std::uint32_t carriageReturns;
};

// The classes of the 16 bytes at p, with SSE2 where the target has it.
ByteClasses classify16(char const* p);
// The same, one byte at a time: the form every target can run.
ByteClasses classify16Portably(char const* p);

class PointScanner {
public:
    static constexpr std::size_t kChunkSize = 64 * 1024;
    // Bytes kept readable before the chunk.
    static constexpr std::size_t kChunkFront = 16;

    // Appends to points, which should start empty; fileSize sizes the list before it fills.
    PointScanner(platform::CNumberReader const& number, std::vector<gte::Vector3>& points,
                 PointFileProblem& problem, std::uint64_t fileSize);

    // Where the caller puts the next bytes of the file, up to kChunkSize of them.
    char* chunk() { return chunk_.get() + kChunkFront; }

    // Takes the next size bytes, written to chunk(); false when they make the file unacceptable
    // (problem says why). A byte order mark that the first chunk starts with is skipped.
    bool scan(std::size_t size);

    // The end of the data ends a pending value; the values must then make whole points.
    bool finish();

    // The sum of the points taken so far from the zero vector, in file order: the sum
    // gte::Centroid takes, added up while the points are read.
    gte::Vector3 const& sum() const { return sum_; }

private:
    char const* scanPlainDecimals(char const* p, char const* end);
    bool endValue(char const* start, char const* end, bool longDigitRun);
    bool endGatheredValue();
    bool convert(char const* text, std::size_t length, bool general);
    void takeCoordinate(double value);
    void takePoint(gte::Vector3 const& point);
    bool gather(char const* start, char const* end);
    void reserveFor(std::uint64_t bytesSeen);
    bool refuse(PointFileProblemKind kind, std::size_t line);
    bool refuseValue(PointFileProblemKind kind, char const* text, std::size_t fullLength);

    platform::CNumberReader const& number_;
    std::vector<gte::Vector3>& points_;
    PointFileProblem& problem_;
    std::uint64_t const fileSize_;
    bool const exactDecimals_;
    std::unique_ptr<char[]> chunk_;
    std::size_t chunkSize_ = 0;
    std::uint64_t bytesBeforeChunk_ = 0;
    bool firstChunk_ = true;
    bool sized_ = false;  // the list has been sized from the density of the file

    // The front of a value that runs on into the next chunk, and room for its terminator.
    char gathered_[kMaxPointValueLength + 1];
    std::size_t gatheredLength_ = 0;
    bool inValue_ = false;  // the last chunk ended inside a value

    gte::Vector3 pending_ = gte::Vector3::zeroVector();
    gte::Vector3 sum_ = gte::Vector3::zeroVector();
    int coordinate_ = 0;

    std::size_t line_ = 1;  // the line of the byte being looked at
    bool afterCarriageReturn_ = false;
    std::size_t lastValueLine_ = 0;
};

}  // namespace tavrisk
