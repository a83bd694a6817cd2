// SPDX-License-Identifier: MIT
// Cost of the angle drawings, record conversion and the intersection calls included.
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;

static void BM_AngleDrawLsegLseg(benchmark::State& state) {
    gte_lseg lseg1(gte_point(0, 0, 0), gte_point(1, 2, 3));
    gte_lseg lseg2(gte_point(1, 1, 1), gte_point(4, -1, 2));
    gte_angle_result result;
    measureCall(
        state, lseg1, [&] { return gte_angle_draw_lseg_lseg(lseg1, lseg2, &result); }, result);
}
BENCHMARK(BM_AngleDrawLsegLseg);

static void BM_AngleDrawLsegPlane(benchmark::State& state) {
    gte_lseg lseg(gte_point(1, 2, 3), gte_point(-2, 0.5, -1));
    gte_plane plane(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_angle_result result;
    measureCall(
        state, lseg, [&] { return gte_angle_draw_lseg_plane(lseg, plane, &result); }, result);
}
BENCHMARK(BM_AngleDrawLsegPlane);

static void BM_AngleDrawPlanePlane(benchmark::State& state) {
    gte_plane plane1(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_plane plane2(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, -1));
    gte_angle_result result;
    measureCall(
        state, plane1, [&] { return gte_angle_draw_plane_plane(plane1, plane2, &result); }, result);
}
BENCHMARK(BM_AngleDrawPlanePlane);
