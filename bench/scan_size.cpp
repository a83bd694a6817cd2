// The measurements with fast paths on scan-size data: each beside its literal form in the same
// run (alternating, the ratio reported), at the sizes hosts meet, and swept over the size so
// that the complexity shows.
//
//   ./build/bench/tavrisk_bench --benchmark_filter=ScanSize
//
// The side-by-side runs report literal_ms, fast_ms, their ratio and the heap each form held
// (literal_heap_MiB, fast_heap_MiB) as counters, with the median of the repetitions; their Time
// column is the fast path's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "gte/basis.h"
#include "heap_peak.h"
#include "measure/extreme_pair.h"
#include "literal_measures.h"
#include "tavrisk.h"

namespace {

using Points = std::vector<gte_point>;
using Clock = std::chrono::steady_clock;

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

// Two measured edges 5 apart across a line at a slight angle to x.
struct Edges {
    Points first, second;
};

Edges edges(int count) {
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> along(0.0, 100.0);
    std::normal_distribution<double> rough(0.0, 0.01);
    Edges e;
    for (int i = 0; i < count; ++i) {
        double const x1 = along(random);
        double const x2 = along(random);
        e.first.emplace_back(x1, 0.02 * x1 + rough(random), rough(random));
        e.second.emplace_back(x2, 5.0 + 0.02 * x2 + rough(random), rough(random));
    }
    return e;
}

gte_line const kEdgeLine(gte_point(0, 0, 0), gte_vector(1, 0.02, 0));

// Runs call and returns its time in seconds; raises peakBytes to the most heap it held.
template <class Call>
double timed(Call& call, std::size_t& peakBytes) {
    std::size_t const before = tavrisk_bench::heapInUse();
    tavrisk_bench::restartHeapPeak();
    Clock::time_point const start = Clock::now();
    call();
    double const seconds = std::chrono::duration<double>(Clock::now() - start).count();
    peakBytes = std::max(peakBytes, tavrisk_bench::heapPeak() - before);
    return seconds;
}

double mebibytes(std::size_t bytes) {
    return static_cast<double>(bytes) / (1 << 20);
}

// Runs the literal and the fast form in turn, alternating which goes first; the iteration time
// is the fast form's. Reports both times, their ratio and the heap each held at most.
template <class Literal, class Fast>
void sideBySide(benchmark::State& state, Literal&& literalForm, Fast&& fastForm) {
    double literalSeconds = 0.0, fastSeconds = 0.0;
    std::size_t literalHeap = 0, fastHeap = 0;
    bool literalFirst = true;
    for (auto _ : state) {
        double fast = 0.0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == literalFirst) {
                literalSeconds += timed(literalForm, literalHeap);
            } else {
                fast = timed(fastForm, fastHeap);
                fastSeconds += fast;
            }
        }
        literalFirst = !literalFirst;
        state.SetIterationTime(fast);
    }
    double const iterations = static_cast<double>(state.iterations());
    state.counters["literal_ms"] = 1e3 * literalSeconds / iterations;
    state.counters["fast_ms"] = 1e3 * fastSeconds / iterations;
    state.counters["ratio"] = literalSeconds / fastSeconds;
    state.counters["literal_heap_MiB"] = mebibytes(literalHeap);
    state.counters["fast_heap_MiB"] = mebibytes(fastHeap);
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

// Side by side: few iterations, as the literal forms take up to a second each.
void sideBySideRuns(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(
        benchmark::kMillisecond);
}

}  // namespace

static void BM_ScanSize_FitLsegBesideLiteral(benchmark::State& state) {
    Points const points = lineCloud(static_cast<int>(state.range(0)));
    sideBySide(
        state, [&] { fitLsegLiteral(points); }, [&] { fitLseg(points); });
}
BENCHMARK(BM_ScanSize_FitLsegBesideLiteral)->Arg(30000)->Apply(sideBySideRuns);

static void BM_ScanSize_Profile2DBesideLiteral(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    Contour const c = contour(count, count);
    sideBySide(
        state, [&] { profileLiteral(c); }, [&] { profile(c); });
}
BENCHMARK(BM_ScanSize_Profile2DBesideLiteral)->Arg(30000)->Apply(sideBySideRuns);

static void BM_ScanSize_GapSigmaTwoSetsBesideLiteral(benchmark::State& state) {
    Edges const e = edges(static_cast<int>(state.range(0)));
    sideBySide(
        state, [&] { gapSigmaLiteral(e); }, [&] { gapSigma(e); });
}
BENCHMARK(BM_ScanSize_GapSigmaTwoSetsBesideLiteral)->Arg(3000)->Apply(sideBySideRuns);
// At 1e4 points per set the literal form stores and sorts 1e8 values (about 15 s, 1.5 GiB).
BENCHMARK(BM_ScanSize_GapSigmaTwoSetsBesideLiteral)
    ->Arg(10000)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

static void BM_ScanSize_IntervalLineBesideLiteral(benchmark::State& state) {
    Points const points = edges(static_cast<int>(state.range(0))).first;
    sideBySide(
        state, [&] { intervalLiteral(points); }, [&] { interval(points); });
}
BENCHMARK(BM_ScanSize_IntervalLineBesideLiteral)->Arg(1000000)->Apply(sideBySideRuns);

static void BM_ScanSize_DistTwoSetsBesideLiteral(benchmark::State& state) {
    Edges const e = edges(static_cast<int>(state.range(0)));
    sideBySide(
        state, [&] { distanceLiteral(e); }, [&] { distance(e); });
}
BENCHMARK(BM_ScanSize_DistTwoSetsBesideLiteral)->Arg(10000)->Apply(sideBySideRuns);

// The fast paths alone at the sizes of the goals, and swept over the size: points for the fit,
// points per set (measured = nominal, set 1 = set 2) for the others.
static void BM_ScanSize_FitLseg(benchmark::State& state) {
    Points const points = lineCloud(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        fitLseg(points);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ScanSize_FitLseg)
    ->RangeMultiplier(4)
    ->Range(1 << 12, 1 << 20)
    ->Arg(1000000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// The farthest pair alone, the part of the fitted segment that replaced the scan of every pair.
static void BM_ScanSize_FarthestPairAlong(benchmark::State& state) {
    Points const points = lineCloud(static_cast<int>(state.range(0)));
    gte::Vector3 const direction = gte::Normalized(gte::Vector3(1.0, 0.3, 0.0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            tavrisk::farthestPairAlong(points.data(), static_cast<int>(points.size()), direction));
    }
}
BENCHMARK(BM_ScanSize_FarthestPairAlong)->Arg(30000)->Arg(1000000)->Unit(benchmark::kMillisecond);

static void BM_ScanSize_FitLsegLiteral(benchmark::State& state) {
    Points const points = lineCloud(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        fitLsegLiteral(points);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ScanSize_FitLsegLiteral)
    ->RangeMultiplier(2)
    ->Range(1 << 9, 1 << 13)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

static void BM_ScanSize_Profile2D(benchmark::State& state) {
    int const count = static_cast<int>(state.range(0));
    Contour const c = contour(count, count);
    for (auto _ : state) {
        profile(c);
    }
    state.SetComplexityN(count);
}
BENCHMARK(BM_ScanSize_Profile2D)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Arg(100000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

static void BM_ScanSize_GapSigmaTwoSets(benchmark::State& state) {
    Edges const e = edges(static_cast<int>(state.range(0)));
    std::size_t peak = 0;
    auto call = [&] { gapSigma(e); };
    for (auto _ : state) {
        timed(call, peak);
    }
    state.counters["heap_MiB"] = mebibytes(peak);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ScanSize_GapSigmaTwoSets)
    ->RangeMultiplier(4)
    ->Range(1 << 8, 1 << 14)
    ->Arg(10000)
    ->Arg(30000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

static void BM_ScanSize_DistTwoSets(benchmark::State& state) {
    Edges const e = edges(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        distance(e);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ScanSize_DistTwoSets)
    ->RangeMultiplier(4)
    ->Range(1 << 8, 1 << 14)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
