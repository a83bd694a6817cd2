// Cost of the linear distance and angle exports, record conversion included.
#include <benchmark/benchmark.h>

#include "tavrisk.h"

static void BM_DistLineLine(benchmark::State& state) {
    gte_line line1(gte_point(1, 2, 3), gte_vector(0.3, -0.4, 0.5));
    gte_line line2(gte_point(-4, 0, 2), gte_vector(1, 1, 0.2));
    for (auto _ : state) {
        benchmark::DoNotOptimize(line1);
        benchmark::DoNotOptimize(gte_dist_line_line(line1, line2));
    }
}
BENCHMARK(BM_DistLineLine);

static void BM_DistRayLseg(benchmark::State& state) {
    gte_ray ray(gte_point(0, 0, 0), gte_vector(1, 0.1, 0));
    gte_lseg lseg(gte_point(1, 2, 1), gte_point(2, 3, 1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ray);
        benchmark::DoNotOptimize(gte_dist_ray_lseg(ray, lseg));
    }
}
BENCHMARK(BM_DistRayLseg);

static void BM_DistLsegLseg(benchmark::State& state) {
    gte_lseg lseg1(gte_point(0, 4, 0), gte_point(2, 4, 1));
    gte_lseg lseg2(gte_point(10, 0, 0), gte_point(11, 0.5, 0));
    gte_dist_result result;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lseg1);
        gte_dist_lseg_lseg(lseg1, lseg2, &result);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_DistLsegLseg);

static void BM_AngleLsegLseg(benchmark::State& state) {
    gte_lseg lseg1(gte_point(0, 0, 0), gte_point(1, 2, 3));
    gte_lseg lseg2(gte_point(1, 1, 1), gte_point(4, -1, 2));
    for (auto _ : state) {
        benchmark::DoNotOptimize(lseg1);
        benchmark::DoNotOptimize(gte_angle_lseg_lseg(lseg1, lseg2));
    }
}
BENCHMARK(BM_AngleLsegLseg);

static void BM_AnglePlanePlane(benchmark::State& state) {
    gte_plane plane1(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_plane plane2(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, -1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(plane1);
        benchmark::DoNotOptimize(gte_angle_plane_plane(plane1, plane2));
    }
}
BENCHMARK(BM_AnglePlanePlane);
