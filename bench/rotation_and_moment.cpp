// SPDX-License-Identifier: MIT
// Cost of the rotation tool (one sine and one cosine) and of the moment ellipse (one arc tangent),
// the exports besides the angles and tangents that use the library's own trigonometry.
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;

static void BM_ToolRotateVector(benchmark::State& state) {
    gte_vector const vector(1, 2, 3);
    gte_vector const axis(0.3, -0.4, 1.2);
    double angle = 37.5;
    gte_vector result;
    measureCall(
        state, angle, [&] { gte_tool_rotate_vector(vector, axis, angle, &result); }, result);
}
BENCHMARK(BM_ToolRotateVector);

static void BM_MeasureMoment2(benchmark::State& state) {
    gte_point const points[] = {gte_point(0, 0, 0), gte_point(4, 1, 0), gte_point(7, 3, 0),
                                gte_point(2, 5, 0), gte_point(-1, 2, 0)};
    gte_point centroid;
    double angle, major, minor;
    measureCall(
        state, points[0],
        [&] { return gte_measure_moment2(points, 5, &centroid, &angle, &major, &minor); }, centroid,
        angle, major, minor);
}
BENCHMARK(BM_MeasureMoment2);
