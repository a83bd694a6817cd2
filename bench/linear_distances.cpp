// SPDX-License-Identifier: MIT
// Cost of the linear distance exports, record conversion included.
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;

static void BM_DistLineLine(benchmark::State& state) {
    gte_line line1(gte_point(1, 2, 3), gte_vector(0.3, -0.4, 0.5));
    gte_line line2(gte_point(-4, 0, 2), gte_vector(1, 1, 0.2));
    measureCall(state, line1, [&] { return gte_dist_line_line(line1, line2); });
}
BENCHMARK(BM_DistLineLine);

static void BM_DistRayLseg(benchmark::State& state) {
    gte_ray ray(gte_point(0, 0, 0), gte_vector(1, 0.1, 0));
    gte_lseg lseg(gte_point(1, 2, 1), gte_point(2, 3, 1));
    measureCall(state, ray, [&] { return gte_dist_ray_lseg(ray, lseg); });
}
BENCHMARK(BM_DistRayLseg);

static void BM_DistLsegLseg(benchmark::State& state) {
    gte_lseg lseg1(gte_point(0, 4, 0), gte_point(2, 4, 1));
    gte_lseg lseg2(gte_point(10, 0, 0), gte_point(11, 0.5, 0));
    gte_dist_result result;
    measureCall(
        state, lseg1, [&] { gte_dist_lseg_lseg(lseg1, lseg2, &result); }, result);
}
BENCHMARK(BM_DistLsegLseg);
