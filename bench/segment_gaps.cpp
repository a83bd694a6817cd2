// SPDX-License-Identifier: MIT
// Cost of the gap between two edges seen from above.
#include "measure_loop.h"
#include "tavrisk.h"

static void BM_GapXYSegments(benchmark::State& state) {
    gte_lseg const a(gte_point(0, 0, 0), gte_point(10, 0.3, 0));
    gte_lseg const b(gte_point(10, 5, 1), gte_point(0, 4.6, 1));
    gte_gap_result result;
    tavrisk_bench::measureCall(
        state, a, [&] { gte_gapXY_lseg_lseg(a, b, &result); }, result);
}
BENCHMARK(BM_GapXYSegments);
