// SPDX-License-Identifier: MIT
// Cost of the tangent constructions, record conversion and output writing included.
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;

static void BM_TangentPointCircle(benchmark::State& state) {
    gte_circle circle(gte_point(1, -2, 3), 1.5, gte_vector(1, 2, 2));
    gte_point point(7, 1, 4);
    gte_line lines[2];
    gte_point points[2];
    measureCall(
        state, point, [&] { return gte_tangent_point_circle(point, circle, lines, points); }, lines,
        points);
}
BENCHMARK(BM_TangentPointCircle);

// Two separate circles: all four tangents, eight rotations.
static void BM_TangentCircleCircle(benchmark::State& state) {
    gte_circle circle1(gte_point(1, 1, 1), 3.0, gte_vector(1, 2, 2));
    gte_circle circle2(gte_point(1, 9, -7), 1.5, gte_vector(1, 2, 2));
    int outcount, incount;
    gte_line outline[2], inLine[2];
    gte_point outpoint[4], inpoint[4];
    measureCall(
        state, circle1,
        [&] {
            return gte_tangent_circle_circle(circle1, circle2, &outcount, outline, outpoint,
                                             &incount, inLine, inpoint);
        },
        outline, inLine, outpoint, inpoint);
}
BENCHMARK(BM_TangentCircleCircle);
