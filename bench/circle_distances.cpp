// SPDX-License-Identifier: MIT
// Cost of the circle distance exports, record conversion and the exports they call included.
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;

static void BM_DistCircleCircle(benchmark::State& state) {
    gte_circle circle1(gte_point(0, 0, 0), 2.0, gte_vector(0.1, 0.2, 1.0));
    gte_circle circle2(gte_point(5, 1, -0.7), 1.0, gte_vector(0.1, 0.2, 1.0));  // same plane
    gte_dist_result result[3];
    measureCall(
        state, circle1, [&] { return gte_dist_circle_circle(circle1, circle2, result); }, result);
}
BENCHMARK(BM_DistCircleCircle);

static void BM_Dist3DCircleCircle(benchmark::State& state) {
    gte_circle circle1(gte_point(0, 0, 0), 2.0, gte_vector(0, 0, 1));
    gte_circle circle2(gte_point(5, 1, 2), 1.5, gte_vector(1, 0.3, 1));
    gte_dist_result result[3];
    measureCall(
        state, circle1, [&] { return gte_dist3D_circle_circle(circle1, circle2, result); }, result);
}
BENCHMARK(BM_Dist3DCircleCircle);

// Goes through the foot-point export three times and the line-circle intersection export.
static void BM_DistLineCircle(benchmark::State& state) {
    gte_line line(gte_point(-3, 5, 3), gte_vector(1, 0.1, 0.2));
    gte_circle circle(gte_point(0, 0, 0), 2.0, gte_vector(0.1, 0.2, 1.0));
    gte_dist_result result[3];
    measureCall(
        state, line, [&] { return gte_dist_line_circle(line, circle, result); }, result);
}
BENCHMARK(BM_DistLineCircle);
