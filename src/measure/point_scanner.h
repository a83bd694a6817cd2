// Turns the bytes of a point text file, given in chunks, into points or into the reason the file
// is refused, by the rules of measure/point_file.h.
//
// The bytes are classified 64 at a time into bit masks of separators and line ends; values are
// found as the runs between separator bits and converted where they lie in the chunk. Only a
// value that straddles two chunks is gathered, in a buffer of fixed size, so the memory used does
// not depend on what the file holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "gte/vector.h"
#include "measure/point_file.h"
#include "platform/c_number.h"
#include "platform/decimal_conversion.h"

namespace tavrisk {

// Separators, line feeds and carriage returns among 64 bytes, bit i for byte i.
struct ByteClasses {
    std::uint64_t separators;
    std::uint64_t lineFeeds;
    std::uint64_t carriageReturns;
};

// The classes of the 64 bytes at p, with SSE2 where the target has it.
ByteClasses classify64(char const* p);
// The same, one byte at a time: the form every target can run.
ByteClasses classify64Portably(char const* p);

class PointScanner {
public:
    static constexpr std::size_t kChunkSize = 64 * 1024;

    // Appends to points, which should start empty; fileSize sizes the list before it fills.
    PointScanner(platform::CNumberReader const& number, std::vector<gte::Vector3>& points,
                 PointFileProblem& problem, std::uint64_t fileSize);

    // Where the caller puts the next bytes of the file, up to kChunkSize of them.
    char* chunk() { return chunk_.get(); }

    // Takes the next size bytes, written to chunk(); false when they make the file unacceptable
    // (problem says why). A byte order mark that the first chunk starts with is skipped.
    bool scan(std::size_t size);

    // The end of the data ends a pending value; the values must then make whole points.
    bool finish();

private:
    bool scanBlock(char const* block, std::uint64_t valid);
    bool endValue(char const* start, char const* end);
    void takeCoordinate(double value, char const* end);
    bool gather(char const* start, char const* end);
    void reserveFor(std::uint64_t bytesSeen);
    std::size_t lastValueLine() const;
    bool refuse(PointFileProblemKind kind, std::size_t line);
    bool refuseValue(PointFileProblemKind kind, char const* text, std::size_t fullLength,
                     std::size_t line);

    platform::CNumberReader const& number_;
    std::vector<gte::Vector3>& points_;
    PointFileProblem& problem_;
    std::uint64_t const fileSize_;
    bool const exactDecimals_;
    std::unique_ptr<char[]> chunk_;
    char const* chunkEnd_;  // the end of the bytes of the current chunk
    std::uint64_t bytesBeforeChunk_ = 0;
    bool firstChunk_ = true;
    bool sized_ = false;  // the list has been sized from the density of the file

    // The value being read: its first byte in the chunk, or the chunk's first byte when its
    // front is gathered.
    char const* valueStart_ = nullptr;
    bool inValue_ = false;
    // The value and its terminator, and room for the exact conversion to read ahead.
    char gathered_[kMaxPointValueLength + 1 + platform::kDecimalReadAhead] = {};
    std::size_t gatheredLength_ = 0;

    gte::Vector3 pending_ = gte::Vector3::zeroVector();
    int coordinate_ = 0;

    bool afterSeparator_ = true;  // the previous byte was a separator, or there was none
    bool afterCarriageReturn_ = false;
    std::size_t line_ = 1;  // the line at the start of the current block
    // The line of the last value: its block's line and the line ends before it in the block.
    std::size_t lastValueBlockLine_ = 0;
    std::uint64_t lastValueLineEnds_ = 0;
};

}  // namespace tavrisk
