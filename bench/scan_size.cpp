// SPDX-License-Identifier: MIT
// The measurements with fast paths on scan-size data, each beside its literal form, at the sizes
// hosts meet and swept over the size so that the complexity shows; each reports the heap one call
// held. Medians and ratios of interleaved repetitions:
//
//   bench/compare_with_literal.py build/bench/tavrisk_bench 5 'ScanSize.*/(fast|literal)/'
//
// (the literal gap-sigma at 1e4 points per set takes about 11 s a call).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "gte/basis.h"
#include "heap_peak.h"
#include "measured_edges.h"
#include "search/extreme_pair.h"
#include "support/literal_measures.h"
#include "tavrisk.h"

namespace {

namespace literal = tavrisk_test::literal;
using Points = std::vector<gte_point>;

// A rough measured edge along a line at a slight angle to x, in random order.
Points lineCloud(int count, std::uint64_t seed = 1) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> along(-50.0, 50.0);
    std::normal_distribution<double> rough(0.0, 0.01);
    Points points;
    points.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        double const t = along(random);
        points.emplace_back(t, 0.3 * t + rough(random), rough(random));
    }
    return points;
}

// A wavy closed nominal contour with its outward normals, and measured points that follow it in
// order with a little form error.
struct Contour {
    Points nominal;
    std::vector<gte_vector> normals;
    Points measured;
};

Contour contour(int nominalCount, int measuredCount) {
    auto radius = [](double a) { return 50.0 + 3.0 * std::sin(7.0 * a); };
    Contour c;
    for (int j = 0; j < nominalCount; ++j) {
        double const a = 2.0 * gte::kPi * j / nominalCount;
        c.nominal.emplace_back(radius(a) * std::cos(a), radius(a) * std::sin(a), 0.0);
        c.normals.emplace_back(std::cos(a), std::sin(a), 0.0);
    }
    std::mt19937_64 random(2);
    std::normal_distribution<double> form(0.0, 0.01);
    for (int i = 0; i < measuredCount; ++i) {
        double const a = 2.0 * gte::kPi * (i + 0.37) / measuredCount;
        double const r = radius(a) + form(random);
        c.measured.emplace_back(r * std::cos(a), r * std::sin(a), 0.0);
    }
    return c;
}

using tavrisk_bench::Edges;

Edges edges(int count) {
    return tavrisk_bench::roughEdges(count);
}

gte_line const kEdgeLine = tavrisk_bench::edgeLine();

// Runs call once per iteration and reports the most heap one call held (heap_MiB); the size
// is the benchmark's argument, for the complexity sweeps.
template <class Call>
void measureHeld(benchmark::State& state, Call&& call) {
    std::size_t peak = 0;
    for (auto _ : state) {
        std::size_t const before = tavrisk_bench::heapInUse();
        tavrisk_bench::restartHeapPeak();
        call();
        peak = std::max(peak, tavrisk_bench::heapPeak() - before);
    }
    state.counters["heap_MiB"] = static_cast<double>(peak) / (1 << 20);
    state.SetComplexityN(state.range(0));
}

void fitLseg(Points const& points) {
    gte_lseg segment;
    benchmark::DoNotOptimize(
        gte_fit_lseg(points.data(), static_cast<int>(points.size()), &segment));
    benchmark::DoNotOptimize(segment);
}

void fitLsegLiteral(Points const& points) {
    gte_lseg segment;
    benchmark::DoNotOptimize(
        literal::fitLseg(points.data(), static_cast<int>(points.size()), &segment));
    benchmark::DoNotOptimize(segment);
}

void profile(Contour const& c) {
    double value = 0.0;
    benchmark::DoNotOptimize(gte_measure_profile2D(
        c.measured.data(), static_cast<int>(c.measured.size()), c.nominal.data(), c.normals.data(),
        static_cast<int>(c.nominal.size()), &value));
    benchmark::DoNotOptimize(value);
}

void profileLiteral(Contour const& c) {
    double value = 0.0;
    benchmark::DoNotOptimize(
        literal::profile2D(c.measured.data(), static_cast<int>(c.measured.size()), c.nominal.data(),
                           c.normals.data(), static_cast<int>(c.nominal.size()), &value));
    benchmark::DoNotOptimize(value);
}

// The interval settings of a typical inspection: trim 2, average 5, outliers beyond 2 sigma
// pulled in.
void gapSigma(Edges const& e) {
    gte_gap_result result;
    benchmark::DoNotOptimize(gte_gapSigma_mutiPoint_mutiPoint(
        e.first.data(), static_cast<int>(e.first.size()), e.second.data(),
        static_cast<int>(e.second.size()), kEdgeLine, 2, 5, 2.0, true, &result));
    benchmark::DoNotOptimize(result);
}

void gapSigmaLiteral(Edges const& e) {
    gte_gap_result result;
    benchmark::DoNotOptimize(literal::gapSigmaTwoSets(
        e.first.data(), static_cast<int>(e.first.size()), e.second.data(),
        static_cast<int>(e.second.size()), kEdgeLine, 2, 5, 2.0, true, &result));
    benchmark::DoNotOptimize(result);
}

// The interval settings of a typical inspection on one edge against its line.
void interval(Points const& points) {
    double maxAverage = 0.0, minAverage = 0.0;
    benchmark::DoNotOptimize(
        gte_interval_mutiPoint_line(points.data(), static_cast<int>(points.size()), kEdgeLine, 2, 5,
                                    2.0, true, &maxAverage, &minAverage));
    benchmark::DoNotOptimize(maxAverage);
    benchmark::DoNotOptimize(minAverage);
}

void intervalLiteral(Points const& points) {
    double maxAverage = 0.0, minAverage = 0.0;
    benchmark::DoNotOptimize(literal::intervalLine(points.data(), static_cast<int>(points.size()),
                                                   kEdgeLine, 2, 5, 2.0, true, &maxAverage,
                                                   &minAverage));
    benchmark::DoNotOptimize(maxAverage);
    benchmark::DoNotOptimize(minAverage);
}

void distance(Edges const& e) {
    double maxDist = 0.0, minDist = 0.0;
    benchmark::DoNotOptimize(gte_dist_mutiPoint_mutiPoint(
        e.first.data(), static_cast<int>(e.first.size()), e.second.data(),
        static_cast<int>(e.second.size()), kEdgeLine, &maxDist, &minDist));
    benchmark::DoNotOptimize(maxDist);
    benchmark::DoNotOptimize(minDist);
}

void distanceLiteral(Edges const& e) {
    double maxDist = 0.0, minDist = 0.0;
    benchmark::DoNotOptimize(
        literal::distTwoSets(e.first.data(), static_cast<int>(e.first.size()), e.second.data(),
                             static_cast<int>(e.second.size()), kEdgeLine, &maxDist, &minDist));
    benchmark::DoNotOptimize(maxDist);
    benchmark::DoNotOptimize(minDist);
}

}  // namespace

// Each job twice, BM_ScanSize_X/fast/size and BM_ScanSize_X/literal/size: the fast path swept
// over the size, beyond the sizes of the goals, and the literal form at the sizes the literal
// form can be waited for.
static void BM_ScanSize_FitLseg(benchmark::State& state, bool literalForm) {
    Points const points = lineCloud(static_cast<int>(state.range(0)));
    measureHeld(state, [&] { literalForm ? fitLsegLiteral(points) : fitLseg(points); });
}
BENCHMARK_CAPTURE(BM_ScanSize_FitLseg, fast, false)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 20)
    ->Arg(30000)
    ->Arg(1000000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScanSize_FitLseg, literal, true)
    ->RangeMultiplier(2)
    ->Range(1 << 9, 1 << 13)
    ->Arg(30000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// The farthest pair alone: the part of the fitted segment that replaced the scan of every pair.
static void BM_ScanSize_FarthestPairAlong(benchmark::State& state) {
    Points const points = lineCloud(static_cast<int>(state.range(0)));
    gte::Vector3 const direction = gte::Normalized(gte::Vector3(1.0, 0.3, 0.0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            tavrisk::farthestPairAlong(points.data(), static_cast<int>(points.size()), direction));
    }
}
BENCHMARK(BM_ScanSize_FarthestPairAlong)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Measured points per nominal point: one.
static void BM_ScanSize_Profile2D(benchmark::State& state, bool literalForm) {
    int const count = static_cast<int>(state.range(0));
    Contour const c = contour(count, count);
    measureHeld(state, [&] { literalForm ? profileLiteral(c) : profile(c); });
}
BENCHMARK_CAPTURE(BM_ScanSize_Profile2D, fast, false)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Arg(30000)
    ->Arg(100000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// The same contour with the measured points in random order, as a scan may deliver them.
static void BM_ScanSize_Profile2DRandomOrder(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    Contour c = contour(count, count);
    std::mt19937_64 random(4);
    std::shuffle(c.measured.begin(), c.measured.end(), random);
    measureHeld(state, [&] { profile(c); });
}
BENCHMARK(BM_ScanSize_Profile2DRandomOrder)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_ScanSize_Profile2D, literal, true)
    ->RangeMultiplier(2)
    ->Range(1 << 10, 1 << 13)
    ->Arg(30000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// Points per set; the literal form at 1e4 stores and sorts 1e8 values (about 11 s, 764 MiB).
static void BM_ScanSize_GapSigmaTwoSets(benchmark::State& state, bool literalForm) {
    Edges const e = edges(static_cast<int>(state.range(0)));
    measureHeld(state, [&] { literalForm ? gapSigmaLiteral(e) : gapSigma(e); });
}
BENCHMARK_CAPTURE(BM_ScanSize_GapSigmaTwoSets, fast, false)
    ->RangeMultiplier(4)
    ->Range(1 << 8, 1 << 14)
    ->Arg(3000)
    ->Arg(10000)
    ->Arg(30000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScanSize_GapSigmaTwoSets, literal, true)
    ->RangeMultiplier(2)
    ->Range(1 << 8, 1 << 11)
    ->Arg(3000)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// Points per set; both forms visit every pair.
static void BM_ScanSize_DistTwoSets(benchmark::State& state, bool literalForm) {
    Edges const e = edges(static_cast<int>(state.range(0)));
    measureHeld(state, [&] { literalForm ? distanceLiteral(e) : distance(e); });
}
BENCHMARK_CAPTURE(BM_ScanSize_DistTwoSets, fast, false)
    ->RangeMultiplier(4)
    ->Range(1 << 8, 1 << 14)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScanSize_DistTwoSets, literal, true)
    ->Arg(1 << 10)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

static void BM_ScanSize_IntervalLine(benchmark::State& state, bool literalForm) {
    Points const points = edges(static_cast<int>(state.range(0))).first;
    measureHeld(state, [&] { literalForm ? intervalLiteral(points) : interval(points); });
}
BENCHMARK_CAPTURE(BM_ScanSize_IntervalLine, fast, false)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScanSize_IntervalLine, literal, true)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
