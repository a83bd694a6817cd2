// SPDX-License-Identifier: MIT
// Cost of the point distance exports, record conversion and result filling included.
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;

static void BM_DistPointLine(benchmark::State& state) {
    gte_line line(gte_point(1, 2, 3), gte_vector(0.3, -0.4, 0.5));
    gte_point point(7, 8, 9);
    gte_dist_result result;
    measureCall(
        state, point, [&] { gte_dist_point_line(line, point, &result); }, result);
}
BENCHMARK(BM_DistPointLine);

static void BM_DistPointPlane(benchmark::State& state) {
    gte_plane plane(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_point point(7, 8, 9);
    gte_dist_result result;
    measureCall(
        state, point, [&] { gte_dist_point_plane(plane, point, &result); }, result);
}
BENCHMARK(BM_DistPointPlane);

static void BM_DistPointCircle(benchmark::State& state) {
    gte_circle circle(gte_point(0, 0, 0), 5.0, gte_vector(0.1, 0.2, 1.0));
    gte_point point(7, 8, 9);
    gte_dist_result result[3];
    measureCall(
        state, point, [&] { gte_dist_point_circle(circle, point, result); }, result);
}
BENCHMARK(BM_DistPointCircle);
