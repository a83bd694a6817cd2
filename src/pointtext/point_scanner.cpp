// SPDX-License-Identifier: MIT
#include "pointtext/point_scanner.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>

#include "pointtext/bit_scan.h"
#include "pointtext/decimal_conversion.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define TAVRISK_SCAN_SSE2 1
#endif

namespace tavrisk {

namespace {

using Kind = PointFileProblemKind;
using platform::lowestSetBit;
using platform::setBitCount;

constexpr std::size_t kGroupSize = 16;
constexpr std::uint32_t kWholeGroup = 0xFFFF;
// Reads run this far past the end of a chunk: the padding the chunk buffer carries.
constexpr std::size_t kChunkPadding = 64;
static_assert(kChunkPadding >= platform::kShortDecimalReach &&
                  kChunkPadding >= platform::kPlainDecimalReach && kChunkPadding >= kGroupSize,
              "the chunk padding covers every read past the end of the data");
static_assert(PointScanner::kChunkFront >= platform::kPlainDecimalReachBefore,
              "the chunk front covers every read before the start of the data");
// A run of separators is taken a byte at a time up to this length, then a group at a time.
constexpr int kShortRun = 8;

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkLength = 3;

// The list grows the usual way until this many bytes have shown how densely the file holds its
// points; then it is sized for the whole file at that density, with a margin for lines that grow
// longer further on, and sized again the same way should the file hold more.
constexpr std::uint64_t kDensitySampleBytes = 64 * 1024;
constexpr double kDensityMargin = 1.25;
// "1,2,3\n": no point takes fewer bytes, so no file of n bytes holds more than n / 6 + 1 points.
constexpr std::uint64_t kFewestBytesPerPoint = 6;

// The separators, and the bytes among them that end a line, as bits of a word indexed by byte.
constexpr std::uint64_t kSeparatorBits = (std::uint64_t(1) << ' ') | (std::uint64_t(1) << ',') |
                                         (std::uint64_t(1) << '\n') | (std::uint64_t(1) << '\r') |
                                         (std::uint64_t(1) << '\t');
constexpr std::uint64_t kLineEndBits = (std::uint64_t(1) << '\n') | (std::uint64_t(1) << '\r');

constexpr bool isSeparator(char c) {
    // Digits, points and signs lie above ',': most bytes are told apart by the first test.
    return static_cast<unsigned char>(c) <= ',' &&
           ((kSeparatorBits >> static_cast<unsigned char>(c)) & 1) != 0;
}

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

inline ByteClasses classifyBytes(char const* p) {
#if TAVRISK_SCAN_SSE2
    __m128i const bytes = _mm_loadu_si128(reinterpret_cast<__m128i const*>(p));
    __m128i const lf = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'));
    __m128i const cr = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'));
    __m128i const blank = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')),
                                                    _mm_cmpeq_epi8(bytes, _mm_set1_epi8(','))),
                                       _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')));
    auto const bitsOf = [](__m128i mask) {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(mask));
    };
    return {bitsOf(_mm_or_si128(blank, _mm_or_si128(lf, cr))), bitsOf(lf), bitsOf(cr)};
#else
    return classify16Portably(p);
#endif
}

// The first separator at or after p, or end when there is none before it.
inline char const* findSeparator(char const* p, char const* end) {
    for (; p < end; p += kGroupSize) {
        std::uint32_t const separators = classifyBytes(p).separators;
        if (separators != 0) {
            char const* const found = p + lowestSetBit(separators);
            return found < end ? found : end;
        }
    }
    return end;
}

// Steps over the separators at p, counting the lines they end; returns the first byte after
// them, or end. CR LF, a lone LF and a lone CR each end one line. afterCarriageReturn says
// whether the byte before p was a CR; it is passed on only by a run that reaches end, as any
// other run is followed by a value.
char const* skipSeparators(char const* p, char const* end, std::size_t& line,
                           bool& afterCarriageReturn) {
    bool after = afterCarriageReturn;
    for (int run = 0; p < end && isSeparator(*p); ++run) {
        if (run == kShortRun) {
            // A long run, of blank lines or padding: sixteen bytes at a time while all are
            // separators; the bytes after them go on one at a time.
            for (; end - p >= static_cast<std::ptrdiff_t>(kGroupSize); p += kGroupSize) {
                ByteClasses const group = classifyBytes(p);
                if (group.separators != kWholeGroup) {
                    break;
                }
                std::uint32_t const afterCarriageReturns =
                    (group.carriageReturns << 1) | (after ? 1 : 0);
                line += static_cast<std::size_t>(
                    setBitCount(group.carriageReturns | (group.lineFeeds & ~afterCarriageReturns)));
                after = (group.carriageReturns >> (kGroupSize - 1)) & 1;
            }
            run = -1;
            continue;
        }
        line += (*p == '\r') | ((*p == '\n') & !after);
        after = *p == '\r';
        ++p;
    }
    afterCarriageReturn = after && p == end;
    return p;
}

// Steps over the separator at p that ends a value, and over any that follow it. After a value
// byte, a line feed ends a line as a carriage return does.
inline char const* stepOverSeparators(char const* p, char const* end, std::size_t& line,
                                      bool& afterCarriageReturn) {
    char const separator = *p;
    line += static_cast<std::size_t>((kLineEndBits >> static_cast<unsigned char>(separator)) & 1);
    ++p;
    if (p < end && !isSeparator(*p)) {
        return p;
    }
    afterCarriageReturn = separator == '\r';
    return skipSeparators(p, end, line, afterCarriageReturn);
}

}  // namespace

ByteClasses classify16Portably(char const* p) {
    ByteClasses classes{0, 0, 0};
    for (std::size_t i = 0; i < kGroupSize; ++i) {
        std::uint32_t const bit = std::uint32_t(1) << i;
        classes.separators |= isSeparator(p[i]) ? bit : 0;
        classes.lineFeeds |= p[i] == '\n' ? bit : 0;
        classes.carriageReturns |= p[i] == '\r' ? bit : 0;
    }
    return classes;
}

ByteClasses classify16(char const* p) {
    return classifyBytes(p);
}

PointScanner::PointScanner(platform::CNumberReader const& number, std::vector<gte::Vector3>& points,
                           PointFileProblem& problem, std::uint64_t fileSize)
    : number_(number),
      points_(points),
      problem_(problem),
      fileSize_(fileSize),
      exactDecimals_(number.exactDecimals()),
      chunk_(new char[kChunkFront + kChunkSize + kChunkPadding]()) {}

bool PointScanner::scan(std::size_t size) {
    char* const begin = chunk();
    char const* const end = begin + size;
    bytesBeforeChunk_ += chunkSize_;
    chunkSize_ = size;
    // No number and no run of digits goes on past the data.
    begin[size] = '\0';
    char const* p = begin;
    if (firstChunk_ && size >= kByteOrderMarkLength &&
        std::memcmp(begin, kByteOrderMark, kByteOrderMarkLength) == 0) {
        p += kByteOrderMarkLength;
    }
    firstChunk_ = false;

    if (inValue_) {
        // The value gathered from the chunks before goes on to the first separator here.
        char const* const valueEnd = findSeparator(p, end);
        if (!gather(p, valueEnd)) {
            return false;
        }
        if (valueEnd == end) {
            return true;
        }
        inValue_ = false;
        if (!endGatheredValue()) {
            return false;
        }
        p = valueEnd;
    }

    p = skipSeparators(p, end, line_, afterCarriageReturn_);
    // Whether the next value is tried as a plain decimal: after a value of another form, only
    // once a value is a short decimal again, so that files of long values do not try every one.
    bool tryPlain = exactDecimals_;
    while (p < end) {
        if (tryPlain) {
            p = scanPlainDecimals(p, end);
            if (p == end) {
                break;
            }
        }
        // A value of another form: its end is found first, sixteen bytes at a time.
        char const* const valueEnd = findSeparator(p, end);
        if (valueEnd == end) {
            inValue_ = true;
            afterCarriageReturn_ = false;
            if (!gather(p, end)) {
                return false;
            }
            break;
        }
        double value;
        char const* const shortEnd =
            exactDecimals_ ? platform::readShortDecimal(p, value) : nullptr;
        tryPlain = shortEnd == valueEnd;
        if (shortEnd == valueEnd) {
            lastValueLine_ = line_;
            takeCoordinate(value);
        } else if (!endValue(p, valueEnd, shortEnd != nullptr && isDigit(*shortEnd))) {
            return false;
        }
        p = stepOverSeparators(valueEnd, end, line_, afterCarriageReturn_);
    }

    std::uint64_t const bytesSeen = bytesBeforeChunk_ + size;
    if (!sized_ && !points_.empty() && bytesSeen >= kDensitySampleBytes) {
        sized_ = true;
        reserveFor(bytesSeen);
    }
    return true;
}

// Reads the values from p on for as long as each is a plain decimal (platform::readPlainDecimal)
// followed by a separator, the common value, with the scanner's state held in locals; returns the
// start of the first value that is not one, or end. A decimal reads no further than the byte 0
// after the data, which is no separator: a value taken lies whole in the chunk.
char const* PointScanner::scanPlainDecimals(char const* p, char const* end) {
    std::size_t line = line_;
    std::size_t lastValueLine = lastValueLine_;
    bool afterCarriageReturn = false;
    int coordinate = coordinate_;
    gte::Vector3 pending = pending_;
    while (p < end) {
        double value;
        char const* const valueEnd = platform::readPlainDecimal(p, value);
        if (valueEnd == nullptr || !isSeparator(*valueEnd)) {
            break;
        }
        lastValueLine = line;
        pending[coordinate] = value;
        if (++coordinate == 3) {
            coordinate = 0;
            takePoint(pending);
        }
        p = stepOverSeparators(valueEnd, end, line, afterCarriageReturn);
    }
    line_ = line;
    lastValueLine_ = lastValueLine;
    afterCarriageReturn_ = afterCarriageReturn;
    coordinate_ = coordinate;
    pending_ = pending;
    return p;
}

// Makes value the next coordinate; the third completes a point.
inline void PointScanner::takeCoordinate(double value) {
    pending_[coordinate_] = value;
    if (++coordinate_ == 3) {
        coordinate_ = 0;
        takePoint(pending_);
    }
}

inline void PointScanner::takePoint(gte::Vector3 const& point) {
    if (points_.size() == points_.capacity()) {
        reserveFor(bytesBeforeChunk_ + chunkSize_);
    }
    points_.push_back(point);
    sum_ += point;
}

bool PointScanner::finish() {
    if (inValue_) {
        // The value runs to the end of the file: it is all gathered already.
        inValue_ = false;
        if (!endGatheredValue()) {
            return false;
        }
    }
    if (coordinate_ != 0) {
        return refuse(Kind::incompletePoint, lastValueLine_);
    }
    if (points_.empty()) {
        return refuse(Kind::noPoint, 0);
    }
    return true;
}

// A value that lies whole in the chunk but is no short plain decimal, or is followed by what
// cannot end a value: read where it lies by the general conversion.
bool PointScanner::endValue(char const* start, char const* end, bool longDigitRun) {
    std::size_t const length = static_cast<std::size_t>(end - start);
    if (length > kMaxPointValueLength) {
        return refuseValue(Kind::valueTooLong, start, length);
    }
    // More than eight digits in a row, as in values printed to 17 significant digits: the exact
    // conversion would mostly find more than 2^53 in them, so the general one reads them at once
    // (to the same bits where the exact one would have taken them).
    return convert(start, length, longDigitRun);
}

bool PointScanner::endGatheredValue() {
    gathered_[gatheredLength_] = '\0';
    std::size_t const length = gatheredLength_;
    gatheredLength_ = 0;
    return convert(gathered_, length, false);
}

bool PointScanner::convert(char const* text, std::size_t length, bool general) {
    lastValueLine_ = line_;
    platform::CNumberReader::Number const number =
        general ? number_.readGeneral(text, length) : number_.read(text, length);
    // The conversion stops at the first byte that cannot continue a number, a byte 0 included:
    // a value it does not take whole is not a number.
    if (number.length != length) {
        return refuseValue(Kind::notANumber, text, length);
    }
    if (!std::isfinite(number.value)) {
        return refuseValue(Kind::notFinite, text, length);
    }
    takeCoordinate(number.value);
    return true;
}

// Adds [start, end) to the gathered front of a value; a value that outgrows the buffer is
// refused at once, with the bytes that fit.
bool PointScanner::gather(char const* start, char const* end) {
    std::size_t const length = static_cast<std::size_t>(end - start);
    std::size_t const room = kMaxPointValueLength - gatheredLength_;
    std::memcpy(gathered_ + gatheredLength_, start, std::min(length, room));
    if (length > room) {
        return refuseValue(Kind::valueTooLong, gathered_, kMaxPointValueLength + 1);
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

bool PointScanner::refuse(Kind kind, std::size_t line) {
    problem_.kind = kind;
    problem_.line = line;
    return false;
}

// Refuses the value that begins at text, of the given full length (more than the bytes kept
// when the value is too long). Values hold no line end, so the current line is theirs.
bool PointScanner::refuseValue(Kind kind, char const* text, std::size_t fullLength) {
    std::size_t const kept = std::min(fullLength, PointFileProblem::kValueTextLimit);
    problem_.value.assign(text, kept);
    problem_.valueCut = fullLength > kept;
    return refuse(kind, line_);
}

}  // namespace tavrisk
