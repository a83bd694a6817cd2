// SPDX-License-Identifier: MIT
// Cost of the point-set measurements: the all-pairs two-set gap (stores and sorts every pair
// value) and the single-set interval (sorts one distance per point).
#include <cmath>
#include <cstdint>
#include <vector>

#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureItems;

namespace {

// A wavy measured edge near y = offset, spread along x and z.
std::vector<gte_point> edge(int count, double offset) {
    std::vector<gte_point> points;
    for (int i = 0; i < count; ++i) {
        double const t = static_cast<double>(i);
        points.emplace_back(0.1 * t, offset + 0.01 * std::sin(0.37 * t), 0.05 * std::cos(t));
    }
    return points;
}

gte_line const kLine(gte_point(0, 0, 0), gte_vector(1, 0.02, 0));

}  // namespace

static void BM_GapSigmaTwoSets(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    auto const set1 = edge(count, 0.0);
    auto const set2 = edge(count, 5.0);
    gte_gap_result result;
    measureItems(
        state, static_cast<std::int64_t>(count) * count,
        [&] {
            return gte_gapSigma_mutiPoint_mutiPoint(set1.data(), count, set2.data(), count, kLine,
                                                    2, 5, 2.0, true, &result);
        },
        result);
}
BENCHMARK(BM_GapSigmaTwoSets)->Arg(300);

static void BM_IntervalOneSet(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    auto const points = edge(count, 3.0);
    double maxAverage = 0, minAverage = 0;
    measureItems(
        state, count,
        [&] {
            return gte_interval_mutiPoint_line(points.data(), count, kLine, 10, 20, 2.0, true,
                                               &maxAverage, &minAverage);
        },
        maxAverage, minAverage);
}
BENCHMARK(BM_IntervalOneSet)->Arg(10000);
