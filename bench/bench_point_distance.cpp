// Cost of the point distance exports, record conversion and result filling included.
#include <benchmark/benchmark.h>

#include "tavrisk.h"

static void BM_DistPointLine(benchmark::State& state) {
    gte_line line(gte_point(1, 2, 3), gte_vector(0.3, -0.4, 0.5));
    gte_point point(7, 8, 9);
    gte_dist_result result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(point);
        gte_dist_point_line(line, point, &result);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_DistPointLine);

static void BM_DistPointPlane(benchmark::State& state) {
    gte_plane plane(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_point point(7, 8, 9);
    gte_dist_result result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(point);
        gte_dist_point_plane(plane, point, &result);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_DistPointPlane);

static void BM_DistPointCircle(benchmark::State& state) {
    gte_circle circle(gte_point(0, 0, 0), 5.0, gte_vector(0.1, 0.2, 1.0));
    gte_point point(7, 8, 9);
    gte_dist_result result[3];
    for (auto _ : state) {
        benchmark::DoNotOptimize(point);
        gte_dist_point_circle(circle, point, result);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_DistPointCircle);
