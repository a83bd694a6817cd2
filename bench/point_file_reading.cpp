// SPDX-License-Identifier: MIT
// Cost of reading a point text file of the size a measuring machine exports, beside the literal
// reader, and of the second library's table reader, which reads the same file line by line.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "literal_point_file.h"
#include "measure_loop.h"
#include "pointtext/point_file.h"
#include "tavrisk_inspect.h"

namespace {

// A file of count points written as a measuring machine exports them, removed afterwards.
class PointFileFixture {
public:
    explicit PointFileFixture(int count) {
        char name[] = "/tmp/tavrisk_bench_points_XXXXXX";
        int const fd = mkstemp(name);
        if (fd < 0) {
            return;
        }
        path_ = name;
        FILE* out = fdopen(fd, "w");
        for (int i = 0; i < count; ++i) {
            std::fprintf(out, "%lf,%lf,%lf\n", 0.001 * i, std::sin(0.01 * i) * 50.0,
                         1e-3 * (i % 97));
        }
        std::fclose(out);
    }
    ~PointFileFixture() {
        if (!path_.empty()) {
            unlink(path_.c_str());
        }
    }
    char const* path() const { return path_.c_str(); }
    bool ok() const { return !path_.empty(); }

private:
    std::string path_;
};

}  // namespace

// Reads a file of count points with read(path, points), which returns whether the file was read.
template <class Read>
void BM_ReadPointFile(benchmark::State& state, Read read) {
    int const count = static_cast<int>(state.range(0));
    PointFileFixture const file(count);
    if (!file.ok()) {
        state.SkipWithError("cannot create the point file");
        return;
    }
    std::vector<gte::Vector3> points;
    bool wasRead = false;
    tavrisk_bench::measureItems(state, count, [&] {
        wasRead = read(file.path(), points);
        return wasRead;
    });
    if (!wasRead || points.size() != static_cast<std::size_t>(count)) {
        state.SkipWithError("file not read completely");
    }
}
// The library's reader beside the literal one: a byte at a time, strtod on a copy of each value.
BENCHMARK_CAPTURE(BM_ReadPointFile, fast,
                  [](char const* path, std::vector<gte::Vector3>& points) {
                      return tavrisk::readPointFile(path, points);
                  })
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadPointFile, literal, tavrisk_bench::literalReadPointFile)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
// The table reader hands its points over in a block of its own: only their count is taken here.
BENCHMARK_CAPTURE(BM_ReadPointFile, table,
                  [](char const* path, std::vector<gte::Vector3>& points) {
                      tvi_points* read = nullptr;
                      if (tvi_read_points_file(path, nullptr, &read, nullptr) != TVI_OK) {
                          return false;
                      }
                      points.resize(read->count);
                      tvi_free_points(read);
                      return true;
                  })
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
