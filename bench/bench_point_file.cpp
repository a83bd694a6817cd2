// Cost of reading a point text file and of the straightness of a large point set.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "measure/point_file.h"
#include "tavrisk.h"

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

static void BM_ReadPointFile(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    PointFileFixture const file(count);
    if (!file.ok()) {
        state.SkipWithError("cannot create the point file");
        return;
    }
    std::vector<gte::Vector3> points;
    for (auto _ : state) {
        int const rc = tavrisk::readPointFile(file.path(), points);
        benchmark::DoNotOptimize(rc);
        if (rc != 0 || points.size() != static_cast<std::size_t>(count)) {
            state.SkipWithError("file not read completely");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ReadPointFile)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_StraightnessXYLine(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    std::vector<gte_point> points;
    points.reserve(count);
    for (int i = 0; i < count; ++i) {
        points.emplace_back(0.01 * i, 0.001 * std::sin(0.1 * i), 0.5);
    }
    std::vector<double> deviations(count);
    gte_line const line(gte_point(0, 0, 0), gte_vector(1, 0.01, 0));
    for (auto _ : state) {
        double const s = gte_straightness_xy_line(points.data(), count, line, deviations.data());
        benchmark::DoNotOptimize(s);
        benchmark::DoNotOptimize(deviations.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_StraightnessXYLine)->Arg(10000);
