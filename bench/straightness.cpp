// SPDX-License-Identifier: MIT
// Cost of the straightness of a large point set about a line.
#include <cmath>
#include <vector>

#include "measure_loop.h"
#include "tavrisk.h"

static void BM_StraightnessXYLine(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    std::vector<gte_point> points;
    points.reserve(count);
    for (int i = 0; i < count; ++i) {
        points.emplace_back(0.01 * i, 0.001 * std::sin(0.1 * i), 0.5);
    }
    std::vector<double> deviations(count);
    gte_line const line(gte_point(0, 0, 0), gte_vector(1, 0.01, 0));
    tavrisk_bench::measureItems(
        state, count,
        [&] { return gte_straightness_xy_line(points.data(), count, line, deviations.data()); },
        deviations);
}
BENCHMARK(BM_StraightnessXYLine)->Arg(10000);
