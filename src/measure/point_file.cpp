#include "measure/point_file.h"

#include <cstddef>
#include <memory>
#include <string>

#include "platform/c_number.h"
#include "platform/locked_file.h"

namespace tavrisk {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

constexpr bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t';
}

// Collects values into points; a value may arrive in pieces when it straddles two chunks.
class PointScanner {
public:
    PointScanner(platform::CNumberReader const& number, std::vector<gte::Vector3>& points)
        : number_(number), points_(points) {}

    void scan(char const* bytes, std::size_t size) {
        char const* const end = bytes + size;
        char const* p = bytes;
        while (p < end) {
            if (isSeparator(*p)) {
                if (!token_.empty()) {
                    endValue();
                }
                ++p;
                continue;
            }
            char const* const start = p;
            while (p < end && !isSeparator(*p)) {
                ++p;
            }
            token_.append(start, static_cast<std::size_t>(p - start));
        }
    }

private:
    void endValue() {
        pending_[k_] = number_.read(token_.c_str(), token_.size()).value;
        token_.clear();
        if (++k_ == 3) {
            points_.push_back(pending_);
            k_ = 0;
        }
    }

    platform::CNumberReader const& number_;
    std::vector<gte::Vector3>& points_;
    std::string token_;
    gte::Vector3 pending_ = gte::Vector3::zeroVector();
    int k_ = 0;
};

int readInto(char const* path, std::vector<gte::Vector3>& points) {
    platform::LockedFile file;
    if (file.open(path) != platform::LockedFile::Opening::opened) {
        return -1;
    }
    platform::CNumberReader const number;
    if (!number.valid()) {
        return -1;
    }
    std::unique_ptr<char[]> const chunk(new char[kChunkSize]);
    PointScanner scanner(number, points);
    for (;;) {
        long const got = file.read(chunk.get(), kChunkSize);
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        scanner.scan(chunk.get(), static_cast<std::size_t>(got));
    }
    // A value still pending at the end of the file, or an incomplete point, does not count.
    return points.empty() ? -1 : 0;
}

}  // namespace

int readPointFile(char const* path, std::vector<gte::Vector3>& points) {
    points.clear();
    int result = -1;
    try {
        result = readInto(path, points);
    } catch (...) {
        result = -1;
    }
    if (result != 0) {
        points.clear();
    }
    return result;
}

}  // namespace tavrisk
