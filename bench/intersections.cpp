// SPDX-License-Identifier: MIT
// Cost of the intersection exports, record conversion included.
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;

static void BM_IntersecLinePlane(benchmark::State& state) {
    gte_line line(gte_point(1, 2, 3), gte_vector(0.3, -0.4, 0.5));
    gte_plane plane(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_point point;
    measureCall(
        state, line, [&] { return gte_intersec_line_plane(line, plane, &point); }, point);
}
BENCHMARK(BM_IntersecLinePlane);

static void BM_IntersecPlanePlane(benchmark::State& state) {
    gte_plane plane1(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_plane plane2(gte_point(2, 0, 0), gte_point(2, 1, 0.1), gte_point(2.2, 0, 1));
    gte_line line;
    measureCall(
        state, plane1, [&] { return gte_intersec_plane_plane(plane1, plane2, &line); }, line);
}
BENCHMARK(BM_IntersecPlanePlane);

// Goes through a constructed plane record and the plane-circle export.
static void BM_IntersecLineCircle(benchmark::State& state) {
    gte_line line(gte_point(-10, 1, 0.5), gte_vector(1, 0.1, 0.05));
    gte_circle circle(gte_point(0, 0, 0), 2.0, gte_vector(0.1, 0.2, 1.0));
    gte_point result[2];
    measureCall(
        state, line, [&] { return gte_intersec_line_circle(line, circle, result); }, result);
}
BENCHMARK(BM_IntersecLineCircle);

static void BM_IntersecCircleCircle(benchmark::State& state) {
    gte_circle circle1(gte_point(0, 0, 0), 3.0, gte_vector(0, 0, 1));
    gte_circle circle2(gte_point(4, 0.5, 0), 2.5, gte_vector(0, 0, 1));
    gte_point result[2];
    measureCall(
        state, circle1, [&] { return gte_intersec_circle_circle(circle1, circle2, result); },
        result);
}
BENCHMARK(BM_IntersecCircleCircle);
