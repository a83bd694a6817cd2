// Reading a point text file: the platform's file layer gives the bytes present at open, in
// chunks; the scanner here turns them into points or into the reason the file is refused.
#include "measure/point_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "platform/c_number.h"
#include "platform/locked_file.h"

namespace tavrisk {

namespace {

using Kind = PointFileProblemKind;

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkLength = 3;

constexpr bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t';
}

// Turns the bytes of a file, in order and in chunks of any size, into points. A value may arrive
// in pieces when it straddles two chunks; it is gathered in a buffer of fixed size, so the memory
// used does not depend on what the file holds.
class PointScanner {
public:
    PointScanner(platform::CNumberReader const& number, std::vector<gte::Vector3>& points,
                 PointFileProblem& problem)
        : number_(number), points_(points), problem_(problem) {}

    // Takes the next bytes; false when they make the file unacceptable (problem says why).
    bool scan(char const* bytes, std::size_t size) {
        char const* const end = bytes + size;
        char const* p = bytes;
        while (p < end) {
            char const c = *p;
            if (isSeparator(c)) {
                if (length_ > 0 && !endValue()) {
                    return false;
                }
                // CR LF, a lone LF and a lone CR each end one line.
                if (c == '\r' || (c == '\n' && !afterCarriageReturn_)) {
                    ++line_;
                }
                afterCarriageReturn_ = c == '\r';
                ++p;
                continue;
            }
            char const* const start = p;
            while (p < end && !isSeparator(*p)) {
                ++p;
            }
            std::size_t const run = static_cast<std::size_t>(p - start);
            std::size_t const room = kMaxPointValueLength - length_;
            std::memcpy(value_ + length_, start, std::min(run, room));
            if (run > room) {
                return refuseValue(Kind::valueTooLong, kMaxPointValueLength + 1);
            }
            length_ += run;
            afterCarriageReturn_ = false;
        }
        return true;
    }

    // The end of the data ends a pending value; the values must then make whole points.
    bool finish() {
        if (length_ > 0 && !endValue()) {
            return false;
        }
        if (coordinate_ != 0) {
            return refuse(Kind::incompletePoint, lastValueLine_);
        }
        if (points_.empty()) {
            return refuse(Kind::noPoint, 0);
        }
        return true;
    }

private:
    bool endValue() {
        value_[length_] = '\0';
        platform::CNumberReader::Number const number = number_.read(value_, length_);
        // The conversion stops at the first byte that cannot continue a number, a byte 0
        // included: a value it does not take whole is not a number.
        if (number.length != length_) {
            return refuseValue(Kind::notANumber, length_);
        }
        if (!std::isfinite(number.value)) {
            return refuseValue(Kind::notFinite, length_);
        }
        pending_[coordinate_] = number.value;
        length_ = 0;
        lastValueLine_ = line_;
        if (++coordinate_ == 3) {
            points_.push_back(pending_);
            coordinate_ = 0;
        }
        return true;
    }

    bool refuse(Kind kind, std::size_t line) {
        problem_.kind = kind;
        problem_.line = line;
        return false;
    }

    // Refuses the value in the buffer, of the given full length (more than the buffer holds when
    // the value is too long).
    bool refuseValue(Kind kind, std::size_t fullLength) {
        std::size_t const kept = std::min(fullLength, PointFileProblem::kValueTextLimit);
        problem_.value.assign(value_, kept);
        problem_.valueCut = fullLength > kept;
        return refuse(kind, line_);
    }

    platform::CNumberReader const& number_;
    std::vector<gte::Vector3>& points_;
    PointFileProblem& problem_;
    char value_[kMaxPointValueLength + 1];  // the value being gathered and its terminator
    std::size_t length_ = 0;
    gte::Vector3 pending_ = gte::Vector3::zeroVector();
    int coordinate_ = 0;
    std::size_t line_ = 1;
    std::size_t lastValueLine_ = 0;
    bool afterCarriageReturn_ = false;
};

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

// Fills buffer with exactly size bytes of the file; false when the file ends or fails first.
bool readExactly(platform::LockedFile& file, char* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        long const n = file.read(buffer + got, size - got);
        if (n <= 0) {
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

int readInto(char const* path, std::vector<gte::Vector3>& points, PointFileProblem& problem,
             PointFileProgress const* progress) {
    platform::LockedFile file;
    Kind const opening = problemOf(file.open(path));
    if (opening != Kind::none) {
        problem.kind = opening;
        return -1;
    }
    platform::CNumberReader const number;
    if (!number.valid()) {
        problem.kind = Kind::outOfMemory;
        return -1;
    }
    std::unique_ptr<char[]> const chunk(new char[kChunkSize]);
    PointScanner scanner(number, points, problem);
    // Only the bytes the file held when it was opened are read: a writer appending meanwhile
    // neither prolongs the call nor changes its result. The points are not reserved from the
    // size, which says nothing of how many points the file holds.
    std::uint64_t const total = file.sizeAtOpen();
    std::uint64_t remaining = total;
    std::uint64_t reportedAt = 0;
    bool first = true;
    while (remaining > 0) {
        std::size_t const size =
            static_cast<std::size_t>(std::min<std::uint64_t>(remaining, kChunkSize));
        if (!readExactly(file, chunk.get(), size)) {
            problem.kind = Kind::readError;
            return -1;
        }
        remaining -= size;
        std::size_t skip = 0;
        if (first && size >= kByteOrderMarkLength &&
            std::memcmp(chunk.get(), kByteOrderMark, kByteOrderMarkLength) == 0) {
            skip = kByteOrderMarkLength;
        }
        first = false;
        if (!scanner.scan(chunk.get() + skip, size - skip)) {
            return -1;
        }
        std::uint64_t const done = total - remaining;
        if (progress != nullptr && progress->report != nullptr &&
            (done - reportedAt >= kPointFileProgressStep || remaining == 0)) {
            progress->report(done, total, progress->context);
            reportedAt = done;
        }
    }
    return scanner.finish() ? 0 : -1;
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

// Built with appends and snprintf only, so that no standard-library template is instantiated
// here and exported from the shared library beside the gte_ functions.
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

int readPointFile(char const* path, std::vector<gte::Vector3>& points, PointFileProblem* problem,
                  PointFileProgress const* progress) {
    PointFileProblem local;
    PointFileProblem& found = problem != nullptr ? *problem : local;
    found = PointFileProblem();
    points.clear();
    int result = -1;
    try {
        result = readInto(path, points, found, progress);
    } catch (std::bad_alloc const&) {
        found.kind = Kind::outOfMemory;
        result = -1;
    } catch (...) {
        found.kind = Kind::readError;
        result = -1;
    }
    if (result != 0) {
        points.clear();
    }
    return result;
}

}  // namespace tavrisk
