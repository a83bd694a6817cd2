// SPDX-License-Identifier: MIT
// Cost of the eigen-decomposition and of the two fit exports on clouds of typical size.
#include <optional>
#include <random>
#include <vector>

#include "gte/eigen_solver.h"
#include "support/literal_fits.h"
#include "search/plane_record.h"
#include "measure_loop.h"
#include "tavrisk.h"

using tavrisk_bench::measureCall;
using tavrisk_bench::measureItems;

namespace {

// A slightly tilted, slightly rough patch: the plane fit is unique, the line fit too.
std::vector<gte_point> makeCloud(int count) {
    std::mt19937 engine(12345u);
    std::uniform_real_distribution<double> along(-50.0, 50.0);
    std::uniform_real_distribution<double> across(-10.0, 10.0);
    std::uniform_real_distribution<double> rough(-0.01, 0.01);
    std::vector<gte_point> points;
    points.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        double const x = along(engine);
        double const y = across(engine);
        points.push_back(gte_point(x, y, 0.02 * x - 0.01 * y + rough(engine)));
    }
    return points;
}

}  // namespace

static void BM_EigenSolver3(benchmark::State& state) {
    gte::EigenSolver3 solver;
    double a[6] = {4.0, 1.0, 0.5, 3.0, 1.0, 2.0};
    double eval[3], evec[3][3];
    measureCall(
        state, a, [&] { return solver(a[0], a[1], a[2], a[3], a[4], a[5], false, 1, eval, evec); },
        evec);
}
BENCHMARK(BM_EigenSolver3);

// The plane fit export, which reads the records in place, beside the literal path: the records
// copied into core values, the copy fitted and its record built.
static void BM_FitPlane(benchmark::State& state, bool literal) {
    int const count = static_cast<int>(state.range(0));
    std::vector<gte_point> const points = makeCloud(count);
    gte_plane plane;
    measureItems(
        state, count,
        [&] {
            if (!literal) {
                return gte_fit_plane(points.data(), count, &plane);
            }
            std::vector<gte::Vector3> const copy = tavrisk_test::copiedPoints(points.data(), count);
            tavrisk_test::LiteralFit const fit = tavrisk_test::literalPlaneFit(count, copy.data());
            std::optional<gte_plane> const record = tavrisk::planeRecordOf(
                gte::Plane3::fromNormalAndPoint(fit.axis, fit.origin), count,
                [&copy](std::size_t i) -> gte::Vector3 const& { return copy[i]; });
            if (!fit.unique || !record) {
                return TAVRISK_REFUSED;
            }
            plane = *record;
            return TAVRISK_MEASURED;
        },
        plane);
}
BENCHMARK_CAPTURE(BM_FitPlane, fast, false)
    ->Arg(10000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FitPlane, literal, true)->Arg(1000000)->Unit(benchmark::kMillisecond);

static void BM_FitLseg(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    std::vector<gte_point> const points = makeCloud(count);
    gte_lseg segment;
    measureItems(
        state, count, [&] { return gte_fit_lseg(points.data(), count, &segment); }, segment);
}
BENCHMARK(BM_FitLseg)->Arg(1000);
