// SPDX-License-Identifier: MIT
// Minimum-zone form beside its least-squares baseline on the same points, in one run: flatness
// of scan-like faces against the plane fit, roundness against the least-squares circle. The
// ratios of the medians are the figures to read (--benchmark_repetitions=9
// --benchmark_report_aggregates_only=true).
#include <cmath>
#include <random>
#include <vector>

#include "form/least_squares_circle.h"
#include "form/minimum_zone_flatness.h"
#include "form/roundness.h"
#include "gte/orthogonal_fit.h"
#include "measure_loop.h"

using tavrisk_bench::measureItems;

namespace {

// A 200 x 100 mm face scanned on a grid with a few micrometres of waviness and noise, tilted
// and placed away from the origin as a machine's coordinates put it.
std::vector<gte::Vector3> scannedFace(int count) {
    std::mt19937 engine(2024u);
    std::uniform_real_distribution<double> noise(-0.002, 0.002);
    int const columns = static_cast<int>(std::sqrt(2.0 * count));
    std::vector<gte::Vector3> points;
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        double const x = 200.0 * (i % columns) / columns;
        double const y = 100.0 * (i / columns) / (count / columns + 1);
        double const form = 0.004 * std::sin(x / 31.0) * std::cos(y / 17.0) + noise(engine);
        points.emplace_back(150.0 + x, -40.0 + y, 35.0 + 0.001 * x - 0.0005 * y + form);
    }
    return points;
}

std::vector<gte::Vector3> measuredRing(int count) {
    std::mt19937 engine(77u);
    std::uniform_real_distribution<double> noise(-0.0005, 0.0005);
    std::vector<gte::Vector3> points;
    for (int i = 0; i < count; ++i) {
        double const t = 6.283185307179586 * i / count;
        double const r = 25.0 + 0.003 * std::sin(3 * t) + 0.001 * std::cos(7 * t) + noise(engine);
        points.emplace_back(120.0 + r * std::cos(t), 80.0 + r * std::sin(t), 0.0);
    }
    return points;
}

}  // namespace

static void BM_FlatnessPlaneFit(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    std::vector<gte::Vector3> const points = scannedFace(count);
    gte::PlaneFit fit;
    measureItems(
        state, count, [&] { return fit.fit(count, points.data()); }, fit);
}
BENCHMARK(BM_FlatnessPlaneFit)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

static void BM_FlatnessMinimumZone(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    std::vector<gte::Vector3> const points = scannedFace(count);
    tavrisk::form::FlatnessZone zone;
    measureItems(
        state, count,
        [&] {
            zone = tavrisk::form::minimumZoneFlatness(points.data(), points.size());
            return zone.width;
        },
        zone);
    state.counters["certified"] = zone.certified ? 1 : 0;
}
BENCHMARK(BM_FlatnessMinimumZone)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

static void BM_RoundnessLeastSquares(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    std::vector<gte::Vector3> const points = measuredRing(count);
    tavrisk::form::LeastSquaresCircle circle;
    measureItems(
        state, count,
        [&] {
            circle = tavrisk::form::leastSquaresCircle(points.data(), points.size());
            return circle.radius;
        },
        circle);
}
BENCHMARK(BM_RoundnessLeastSquares)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_RoundnessMinimumZone(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    std::vector<gte::Vector3> const points = measuredRing(count);
    tavrisk::form::RoundnessCircles circles;
    measureItems(
        state, count,
        [&] {
            circles = tavrisk::form::roundness(points.data(), points.size(),
                                               tavrisk::form::RoundnessCriterion::kMinimumZone);
            return circles.width;
        },
        circles);
    state.counters["certified"] = circles.certified ? 1 : 0;
}
BENCHMARK(BM_RoundnessMinimumZone)->Arg(100000)->Unit(benchmark::kMillisecond);
