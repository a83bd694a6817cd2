// SPDX-License-Identifier: MIT
// Cost of the bisector constructions, record conversion and output writing included.
#include "measure_loop.h"
#include "tavrisk.h"

static void BM_BisectorLsegLseg(benchmark::State& state) {
    gte_lseg first(gte_point(0, 0, 0), gte_point(2, 0.5, 0.1));
    gte_lseg second(gte_point(0, 3, 0), gte_point(1, 5, 0.3));
    gte_lseg output;
    tavrisk_bench::measureCall(
        state, first, [&] { gte_bisector_lseg_lseg(first, second, &output); }, output);
}
BENCHMARK(BM_BisectorLsegLseg);
