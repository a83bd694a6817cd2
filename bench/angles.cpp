// SPDX-License-Identifier: MIT
// Cost of the angle exports, record conversion included.
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;

static void BM_AngleLsegLseg(benchmark::State& state) {
    gte_lseg lseg1(gte_point(0, 0, 0), gte_point(1, 2, 3));
    gte_lseg lseg2(gte_point(1, 1, 1), gte_point(4, -1, 2));
    measureCall(state, lseg1, [&] { return gte_angle_lseg_lseg(lseg1, lseg2); });
}
BENCHMARK(BM_AngleLsegLseg);

static void BM_AnglePlanePlane(benchmark::State& state) {
    gte_plane plane1(gte_point(0, 0, 1), gte_point(1, 0, 1.2), gte_point(0, 1, 0.9));
    gte_plane plane2(gte_point(0, 0, 0), gte_point(0, 1, 0), gte_point(1, 0, -1));
    measureCall(state, plane1, [&] { return gte_angle_plane_plane(plane1, plane2); });
}
BENCHMARK(BM_AnglePlanePlane);
