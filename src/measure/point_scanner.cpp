#include "measure/point_scanner.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

#include "platform/bit_scan.h"
#include "platform/decimal_conversion.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define TAVRISK_SCAN_SSE2 1
#endif

namespace tavrisk {

namespace {

using Kind = PointFileProblemKind;
using platform::lowestSetBit;
using platform::setBitCount;

constexpr std::size_t kBlockSize = 64;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkLength = 3;

// The list grows the usual way until this many bytes have shown how densely the file holds its
// points; then it is sized for the whole file at that density, with a margin for lines that grow
// longer further on, and sized again the same way should the file hold more.
constexpr std::uint64_t kDensitySampleBytes = 64 * 1024;
constexpr double kDensityMargin = 1.25;
// "1,2,3\n": no point takes fewer bytes, so no file of n bytes holds more than n / 6 + 1 points.
constexpr std::uint64_t kFewestBytesPerPoint = 6;

constexpr bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t';
}

// Bits 0 to count - 1.
std::uint64_t lowBits(std::size_t count) {
    return count >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << count) - 1;
}

}  // namespace

ByteClasses classify64Portably(char const* p) {
    ByteClasses classes{0, 0, 0};
    for (std::size_t i = 0; i < kBlockSize; ++i) {
        std::uint64_t const bit = std::uint64_t(1) << i;
        classes.separators |= isSeparator(p[i]) ? bit : 0;
        classes.lineFeeds |= p[i] == '\n' ? bit : 0;
        classes.carriageReturns |= p[i] == '\r' ? bit : 0;
    }
    return classes;
}

ByteClasses classify64(char const* p) {
#if TAVRISK_SCAN_SSE2
    ByteClasses classes{0, 0, 0};
    __m128i const space = _mm_set1_epi8(' ');
    __m128i const comma = _mm_set1_epi8(',');
    __m128i const tab = _mm_set1_epi8('\t');
    __m128i const lineFeed = _mm_set1_epi8('\n');
    __m128i const carriageReturn = _mm_set1_epi8('\r');
    for (int i = 0; i < 4; ++i) {
        __m128i const bytes = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p + 16 * i));
        __m128i const lf = _mm_cmpeq_epi8(bytes, lineFeed);
        __m128i const cr = _mm_cmpeq_epi8(bytes, carriageReturn);
        __m128i const blank =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, comma)),
                         _mm_cmpeq_epi8(bytes, tab));
        __m128i const separator = _mm_or_si128(blank, _mm_or_si128(lf, cr));
        int const shift = 16 * i;
        auto const bitsOf = [shift](__m128i mask) {
            return std::uint64_t(static_cast<std::uint16_t>(_mm_movemask_epi8(mask))) << shift;
        };
        classes.separators |= bitsOf(separator);
        classes.lineFeeds |= bitsOf(lf);
        classes.carriageReturns |= bitsOf(cr);
    }
    return classes;
#else
    return classify64Portably(p);
#endif
}

PointScanner::PointScanner(platform::CNumberReader const& number, std::vector<gte::Vector3>& points,
                           PointFileProblem& problem, std::uint64_t fileSize)
    : number_(number),
      points_(points),
      problem_(problem),
      fileSize_(fileSize),
      exactDecimals_(number.roundsToNearest()),
      // A whole block is read at the end of a chunk, and a zero always follows its bytes.
      chunk_(new char[kChunkSize + kBlockSize]()),
      chunkEnd_(chunk_.get()) {}

bool PointScanner::scan(std::size_t size) {
    char* const begin = chunk_.get();
    char const* const end = begin + size;
    bytesBeforeChunk_ += static_cast<std::uint64_t>(chunkEnd_ - begin);
    begin[size] = '\0';
    char const* p = begin;
    if (firstChunk_ && size >= kByteOrderMarkLength &&
        std::memcmp(begin, kByteOrderMark, kByteOrderMarkLength) == 0) {
        p += kByteOrderMarkLength;
    }
    firstChunk_ = false;
    chunkEnd_ = end;
    // A value gathered from the chunks before goes on from the first byte of this one.
    valueStart_ = p;
    for (; p < end; p += kBlockSize) {
        if (!scanBlock(p, std::min(kBlockSize, static_cast<std::size_t>(end - p)))) {
            return false;
        }
    }
    if (!sized_ && !points_.empty() && bytesBeforeChunk_ + size >= kDensitySampleBytes) {
        sized_ = true;
        reserveFor(bytesBeforeChunk_ + size);
    }
    return !inValue_ || gather(valueStart_, end);
}

// Makes value the next coordinate; the third completes a point. end is where its value ends in
// the chunk, which tells how much of the file has been read.
inline void PointScanner::takeCoordinate(double value, char const* end) {
    pending_[coordinate_] = value;
    if (++coordinate_ == 3) {
        coordinate_ = 0;
        if (points_.size() == points_.capacity()) {
            reserveFor(bytesBeforeChunk_ + static_cast<std::uint64_t>(end - chunk_.get()));
        }
        points_.push_back(pending_);
    }
}

// The separators of the block mark where values end (a separator after a non-separator) and
// start (the reverse); the two alternate, so each end pairs with the start before it, which lies
// in this block unless the value was already open when the block began.
bool PointScanner::scanBlock(char const* block, std::size_t count) {
    std::uint64_t const valid = lowBits(count);
    ByteClasses const classes = classify64(block);
    std::uint64_t const separators = classes.separators & valid;
    std::uint64_t const carriageReturns = classes.carriageReturns & valid;
    std::uint64_t const afterSeparators = (separators << 1) | (afterSeparator_ ? 1 : 0);
    std::uint64_t starts = ~separators & afterSeparators & valid;
    std::uint64_t ends = separators & ~afterSeparators;
    // CR LF, a lone LF and a lone CR each end one line.
    std::uint64_t const afterCarriageReturns =
        (carriageReturns << 1) | (afterCarriageReturn_ ? 1 : 0);
    std::uint64_t const lineEnds =
        carriageReturns | (classes.lineFeeds & valid & ~afterCarriageReturns);

    while (ends != 0) {
        int const end = lowestSetBit(ends);
        ends &= ends - 1;
        if (!inValue_) {
            valueStart_ = block + lowestSetBit(starts);
            starts &= starts - 1;
        }
        inValue_ = false;
        lastValueBlockLine_ = line_;
        lastValueLineEnds_ = lineEnds & lowBits(static_cast<std::size_t>(end));
        // The common case inline: a plain decimal, whole in the chunk, read exactly where it
        // lies (a separator follows it, and the block padding after the chunk).
        std::size_t const length = static_cast<std::size_t>(block + end - valueStart_);
        double value;
        if (gatheredLength_ == 0 && length <= kMaxPointValueLength && exactDecimals_ &&
            platform::readExactDecimalInBuffer(valueStart_, length, value)) {
            takeCoordinate(value, block + end);
        } else if (!endValue(valueStart_, block + end)) {
            return false;
        }
    }
    if (starts != 0) {
        valueStart_ = block + lowestSetBit(starts);
        inValue_ = true;
    }
    afterSeparator_ = (separators >> (count - 1)) & 1;
    afterCarriageReturn_ = (carriageReturns >> (count - 1)) & 1;
    if (lineEnds != 0) {
        line_ += static_cast<std::size_t>(setBitCount(lineEnds));
    }
    return true;
}

bool PointScanner::finish() {
    if (inValue_) {
        // The value runs to the end of the file: it is all gathered already.
        inValue_ = false;
        lastValueBlockLine_ = line_;
        lastValueLineEnds_ = 0;
        if (!endValue(chunkEnd_, chunkEnd_)) {
            return false;
        }
    }
    if (coordinate_ != 0) {
        return refuse(Kind::incompletePoint, lastValueLine());
    }
    if (points_.empty()) {
        return refuse(Kind::noPoint, 0);
    }
    return true;
}

// Converts the value that ends at end, in place unless its front was gathered: the values that
// are not plain decimals, or do not lie whole in one chunk, or are too long.
bool PointScanner::endValue(char const* start, char const* end) {
    char const* text = start;
    std::size_t length = static_cast<std::size_t>(end - start);
    if (gatheredLength_ > 0) {
        if (!gather(start, end)) {
            return false;
        }
        text = gathered_;
        length = gatheredLength_;
        gathered_[length] = '\0';
        gatheredLength_ = 0;
    } else if (length > kMaxPointValueLength) {
        return refuseValue(Kind::valueTooLong, text, length, lastValueLine());
    }

    platform::CNumberReader::Number const number = number_.read(text, length);
    // The conversion stops at the first byte that cannot continue a number, a byte 0 included:
    // a value it does not take whole is not a number.
    if (number.length != length) {
        return refuseValue(Kind::notANumber, text, length, lastValueLine());
    }
    if (!std::isfinite(number.value)) {
        return refuseValue(Kind::notFinite, text, length, lastValueLine());
    }
    takeCoordinate(number.value, end);
    return true;
}

// Adds [start, end) to the gathered front of a value; a value that outgrows the buffer is
// refused at once, with the bytes that fit.
bool PointScanner::gather(char const* start, char const* end) {
    std::size_t const length = static_cast<std::size_t>(end - start);
    std::size_t const room = kMaxPointValueLength - gatheredLength_;
    std::memcpy(gathered_ + gatheredLength_, start, std::min(length, room));
    if (length > room) {
        return refuseValue(Kind::valueTooLong, gathered_, kMaxPointValueLength + 1, line_);
    }
    gatheredLength_ += length;
    return true;
}

void PointScanner::reserveFor(std::uint64_t bytesSeen) {
    std::size_t const count = points_.size();
    std::uint64_t const most =
        std::max<std::uint64_t>(fileSize_ / kFewestBytesPerPoint + 1, count + 1);
    std::uint64_t wanted = std::max<std::uint64_t>(2 * count, 1024);
    if (bytesSeen >= kDensitySampleBytes && count > 0) {
        double const perByte = static_cast<double>(count) / static_cast<double>(bytesSeen);
        double const estimate = perByte * static_cast<double>(fileSize_) * kDensityMargin;
        // Growth stays geometric however wrong the density has been.
        wanted = std::max<std::uint64_t>(
            count + count / 2,
            estimate < static_cast<double>(most) ? static_cast<std::uint64_t>(estimate) : most);
    }
    wanted = std::min(wanted, most);
    try {
        points_.reserve(static_cast<std::size_t>(wanted));
    } catch (std::exception const&) {
        // The estimate may ask for more than the points need: push_back grows by what it must.
    }
}

std::size_t PointScanner::lastValueLine() const {
    return lastValueBlockLine_ + static_cast<std::size_t>(setBitCount(lastValueLineEnds_));
}

bool PointScanner::refuse(Kind kind, std::size_t line) {
    problem_.kind = kind;
    problem_.line = line;
    return false;
}

// Refuses the value that begins at text, of the given full length (more than the bytes kept
// when the value is too long).
bool PointScanner::refuseValue(Kind kind, char const* text, std::size_t fullLength,
                               std::size_t line) {
    std::size_t const kept = std::min(fullLength, PointFileProblem::kValueTextLimit);
    problem_.value.assign(text, kept);
    problem_.valueCut = fullLength > kept;
    return refuse(kind, line);
}

}  // namespace tavrisk
