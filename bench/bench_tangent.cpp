// Cost of the tangent and bisector constructions, record conversion and output writing included.
#include <benchmark/benchmark.h>

#include "tavrisk.h"

static void BM_TangentPointCircle(benchmark::State& state) {
    gte_circle circle(gte_point(1, -2, 3), 1.5, gte_vector(1, 2, 2));
    gte_point point(7, 1, 4);
    gte_line lines[2];
    gte_point points[2];
    for (auto _ : state) {
        benchmark::DoNotOptimize(point);
        int const count = gte_tangent_point_circle(point, circle, lines, points);
        benchmark::DoNotOptimize(count);
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(points);
    }
}
BENCHMARK(BM_TangentPointCircle);

// Two separate circles: all four tangents, eight rotations.
static void BM_TangentCircleCircle(benchmark::State& state) {
    gte_circle circle1(gte_point(1, 1, 1), 3.0, gte_vector(1, 2, 2));
    gte_circle circle2(gte_point(1, 9, -7), 1.5, gte_vector(1, 2, 2));
    int outcount, incount;
    gte_line outline[2], inLine[2];
    gte_point outpoint[4], inpoint[4];
    for (auto _ : state) {
        benchmark::DoNotOptimize(circle1);
        int const total = gte_tangent_circle_circle(circle1, circle2, &outcount, outline, outpoint,
                                                    &incount, inLine, inpoint);
        benchmark::DoNotOptimize(total);
        benchmark::DoNotOptimize(outline);
        benchmark::DoNotOptimize(inLine);
        benchmark::DoNotOptimize(outpoint);
        benchmark::DoNotOptimize(inpoint);
    }
}
BENCHMARK(BM_TangentCircleCircle);

static void BM_BisectorLsegLseg(benchmark::State& state) {
    gte_lseg first(gte_point(0, 0, 0), gte_point(2, 0.5, 0.1));
    gte_lseg second(gte_point(0, 3, 0), gte_point(1, 5, 0.3));
    gte_lseg output;
    for (auto _ : state) {
        benchmark::DoNotOptimize(first);
        gte_bisector_lseg_lseg(first, second, &output);
        benchmark::DoNotOptimize(output);
    }
}
BENCHMARK(BM_BisectorLsegLseg);
