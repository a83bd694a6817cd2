// The point file reader: the bytes become a file in a private directory, whose flatness is
// measured. A file is read or refused exactly as its values demand, a refusal leaves the flatness
// alone, and a flatness reported as read is a finite width.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"

namespace {

constexpr std::size_t kLongestValue = 1024;
// Values no larger than this cannot overflow the plane fit of a fuzz-sized file.
constexpr double kModerate = 1e100;

bool separator(unsigned char c) {
    return c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t';
}

struct Reading {
    bool accepted;  // every value a finite number, whole points, at least one
    bool moderate;  // no value large enough to overflow the fit
};

// What the reader must make of the bytes: values are runs between separators after an optional
// UTF-8 byte order mark, each must read whole as a finite "C" number of at most 1024 characters,
// and they must make whole points. The fuzz process never leaves the "C" locale.
Reading expectedReading(std::uint8_t const* data, std::size_t size) {
    std::size_t i = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
    std::size_t values = 0;
    bool moderate = true;
    while (i < size) {
        if (separator(data[i])) {
            ++i;
            continue;
        }
        std::size_t const start = i;
        while (i < size && !separator(data[i])) ++i;
        if (i - start > kLongestValue)
            return {false, false};
        std::string const text(reinterpret_cast<char const*>(data) + start, i - start);
        char* end = nullptr;
        double const value = std::strtod(text.c_str(), &end);
        if (end != text.c_str() + text.size() || !std::isfinite(value))
            return {false, false};
        moderate = moderate && std::fabs(value) <= kModerate;
        ++values;
    }
    return {values > 0 && values % 3 == 0, moderate};
}

// A file in a directory of this process's own, removed when the process ends.
class PrivateFile {
public:
    PrivateFile() {
        char const* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tavrisk_fuzz_XXXXXX";
        fuzz::require(mkdtemp(&pattern[0]) != nullptr, "fuzz", "no private directory");
        directory_ = pattern;
        path_ = directory_ + "/points.txt";
    }
    ~PrivateFile() {
        std::remove(path_.c_str());
        rmdir(directory_.c_str());
    }
    char const* write(std::uint8_t const* data, std::size_t size) {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        fuzz::require(file != nullptr && (size == 0 || std::fwrite(data, 1, size, file) == size) &&
                          std::fclose(file) == 0,
                      "fuzz", "cannot write the point file");
        return path_.c_str();
    }

private:
    std::string directory_;
    std::string path_;
};

struct Outputs {
    double flatness;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    static PrivateFile file;
    char const* const path = file.write(data, size);
    fuzz::Trial<Outputs> trial("gte_measure_platness_pointCloud_file");
    double const result = trial.run([&](Outputs* out) {
        return gte_measure_platness_pointCloud_file(path,
                                                    out == nullptr ? nullptr : &out->flatness);
    });
    Reading const expected = expectedReading(data, size);
    double const& flatness = trial.outputs().flatness;
    trial.expect(result == 0.0 || result == -1.0, "unknown result");
    trial.expect(expected.accepted || result == -1.0, "read a file it must refuse");
    trial.expect(!expected.accepted || !expected.moderate || result == 0.0,
                 "refused a file of moderate numbers");
    if (result == -1.0) {
        trial.writes({}, "a refusal wrote the flatness");
    } else {
        trial.writes({fuzz::part(flatness)}, "flatness not written");
        trial.expect(std::isfinite(flatness) && flatness >= 0.0, "flatness not a finite width");
    }
    return 0;
}
