// SPDX-License-Identifier: MIT
// The exports whose literal form is quadratic or costly per point, each beside the plain peer
// algorithm a programmer would write for the same job without holding to its digits: sort and
// merge for the two-set extremes, sort and heap for the trimmed pair averages, a plain loop for
// the straightness, fit and extent for the fitted segment. Same data, same run; every peer
// result equals the library's to 12 digits (checked once per benchmark). Medians and ratios:
//
//   bench/compare_with_literal.py build/bench/tavrisk_bench 9 'Peer.*/(fast|peer)/' peer
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <queue>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "gte/eigen_solver.h"
#include "gte/vector.h"
#include "measured_edges.h"
#include "tavrisk.h"

namespace {

using Points = std::vector<gte_point>;

// Two edges and the line they are measured across.
struct Edges {
    Points first, second;
    gte_line line;
};

Edges roughEdges(int count) {
    tavrisk_bench::Edges e = tavrisk_bench::roughEdges(count);
    return {std::move(e.first), std::move(e.second), tavrisk_bench::edgeLine()};
}

// Two straight edges parallel to the x axis, 5 apart, measured along it: every pair value is 5.
Edges tiedEdges(int count) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> along(0.0, 100.0);
    Edges e{{}, {}, gte_line(gte_point(0, 0, 0), gte_vector(1, 0, 0))};
    for (int i = 0; i < count; ++i) {
        e.first.emplace_back(along(random), 0.0, 0.0);
        e.second.emplace_back(along(random), 5.0, 0.0);
    }
    return e;
}

// Once per benchmark: the library's and the peer's figures agree to 12 digits.
void checkAgreement(char const* what, double library, double peer) {
    if (!(std::fabs(library - peer) <= 1e-12 * std::max(1.0, std::fabs(library)))) {
        std::fprintf(stderr, "%s: library %.17g, peer %.17g\n", what, library, peer);
    }
}

// ---- the peers

gte::Vector2 acrossXY(gte_line const& line) {
    gte::Vector2 n(line.vector.y, -line.vector.x);
    gte::Normalize(n);
    return n;
}

std::vector<double> sortedProjections(Points const& points, gte::Vector2 const& n) {
    std::vector<double> t(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        t[i] = points[i].x * n[0] + points[i].y * n[1];
    }
    std::sort(t.begin(), t.end());
    return t;
}

// Sort and merge: the largest gap between the ends, the smallest from each projection's
// neighbours in the other sorted list.
std::pair<double, double> sortAndMerge(Points const& set1, Points const& set2,
                                       gte::Vector2 const& n) {
    std::vector<double> const a = sortedProjections(set1, n);
    std::vector<double> const b = sortedProjections(set2, n);
    double const high = std::max(std::fabs(a.back() - b.front()), std::fabs(b.back() - a.front()));
    double low = std::fabs(a.front() - b.front());
    std::size_t j = 0;
    for (double const t : a) {
        while (j < b.size() && b[j] < t) {
            ++j;
        }
        if (j < b.size()) {
            low = std::min(low, b[j] - t);
        }
        if (j > 0) {
            low = std::min(low, t - b[j - 1]);
        }
    }
    return {high, low};
}

// Sort and heap: the k smallest and k largest |a - b| over the two sorted lists, each row of set
// 1 entering a heap with its nearest (farthest) partner and moving on when taken; then the
// trimmed averages.
std::pair<double, double> sortAndHeap(Points const& set1, Points const& set2, gte::Vector2 const& n,
                                      int trim, int average) {
    std::vector<double> const a = sortedProjections(set1, n);
    std::vector<double> const b = sortedProjections(set2, n);
    std::size_t const k = static_cast<std::size_t>(trim + average);
    using Entry = std::tuple<double, std::size_t, std::ptrdiff_t, int>;  // value, row, column, step
    std::vector<Entry> near, far;
    std::size_t j = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        while (j < b.size() && b[j] < a[i]) {
            ++j;
        }
        if (j < b.size()) {
            near.emplace_back(b[j] - a[i], i, static_cast<std::ptrdiff_t>(j), 1);
        }
        if (j > 0) {
            near.emplace_back(a[i] - b[j - 1], i, static_cast<std::ptrdiff_t>(j) - 1, -1);
        }
        far.emplace_back(std::fabs(a[i] - b.front()), i, 0, 1);
        far.emplace_back(std::fabs(a[i] - b.back()), i, static_cast<std::ptrdiff_t>(b.size()) - 1,
                         -1);
    }
    auto takeAverage = [&](std::vector<Entry> heap, auto order) {
        std::make_heap(heap.begin(), heap.end(), order);
        double sum = 0.0;
        for (std::size_t taken = 0; taken < k && !heap.empty(); ++taken) {
            std::pop_heap(heap.begin(), heap.end(), order);
            auto const [value, row, column, step] = heap.back();
            heap.pop_back();
            if (taken >= static_cast<std::size_t>(trim)) {
                sum += value;
            }
            std::ptrdiff_t const next = column + step;
            if (next >= 0 && next < static_cast<std::ptrdiff_t>(b.size())) {
                heap.emplace_back(std::fabs(a[row] - b[static_cast<std::size_t>(next)]), row, next,
                                  step);
                std::push_heap(heap.begin(), heap.end(), order);
            }
        }
        return sum / average;
    };
    auto const smallestFirst = [](Entry const& x, Entry const& y) {
        return std::get<0>(x) > std::get<0>(y);
    };
    auto const largestFirst = [](Entry const& x, Entry const& y) {
        return std::get<0>(x) < std::get<0>(y);
    };
    return {takeAverage(std::move(far), largestFirst), takeAverage(std::move(near), smallestFirst)};
}

// The horizontal normal of a line that is not vertical, unnormalised as the straightness has it.
gte::Vector3 straightnessNormal(gte_line const& line) {
    gte::Vector3 d(line.vector.x, line.vector.y, line.vector.z);
    gte::Normalize(d);
    return gte::Vector3(d[1], -d[0], 0.0);
}

// A plain loop: each deviation a dot product, the band its extremes.
double plainStraightness(Points const& points, gte_line const& line, double* deviations) {
    gte::Vector3 const n = straightnessNormal(line);
    double const c = n[0] * line.pt.x + n[1] * line.pt.y + n[2] * line.pt.z;
    double high = -1e300, low = 1e300;
    for (std::size_t i = 0; i < points.size(); ++i) {
        double const e = n[0] * points[i].x + n[1] * points[i].y + n[2] * points[i].z - c;
        deviations[i] = e;
        high = std::max(high, e);
        low = std::min(low, e);
    }
    return high - low;
}

// Fit and extent: the mean, the covariance about it, its principal axis, and the extreme
// projections onto the axis.
gte_lseg fitAndExtent(Points const& points) {
    double const count = static_cast<double>(points.size());
    gte::Vector3 mean = gte::Vector3::zeroVector();
    for (gte_point const& p : points) {
        mean += gte::Vector3(p.x, p.y, p.z);
    }
    mean /= count;
    double s[6] = {0, 0, 0, 0, 0, 0};
    for (gte_point const& p : points) {
        double const x = p.x - mean[0], y = p.y - mean[1], z = p.z - mean[2];
        s[0] += x * x;
        s[1] += x * y;
        s[2] += x * z;
        s[3] += y * y;
        s[4] += y * z;
        s[5] += z * z;
    }
    double eval[3], evec[3][3];
    gte::EigenSolver3()(s[0] / count, s[1] / count, s[2] / count, s[3] / count, s[4] / count,
                        s[5] / count, false, gte::EigenSolver3::kAscending, eval, evec);
    gte::Vector3 const d(evec[2][0], evec[2][1], evec[2][2]);
    double low = 1e300, high = -1e300;
    for (gte_point const& p : points) {
        double const t = (p.x - mean[0]) * d[0] + (p.y - mean[1]) * d[1] + (p.z - mean[2]) * d[2];
        low = std::min(low, t);
        high = std::max(high, t);
    }
    gte::Vector3 const a = mean + low * d, b = mean + high * d;
    return gte_lseg(gte_point(a[0], a[1], a[2]), gte_point(b[0], b[1], b[2]));
}

// ---- the library and the peer side by side

void runTwoSetDistance(benchmark::State& state, bool peer) {
    Edges const e = roughEdges(static_cast<int>(state.range(0)));
    int const count = static_cast<int>(e.first.size());
    double high = 0.0, low = 0.0;
    gte_dist_mutiPoint_mutiPoint(e.first.data(), count, e.second.data(), count, e.line, &high,
                                 &low);
    auto const [peerHigh, peerLow] = sortAndMerge(e.first, e.second, acrossXY(e.line));
    checkAgreement("two-set distance, largest", high, peerHigh);
    checkAgreement("two-set distance, smallest", low, peerLow);
    for (auto _ : state) {
        if (peer) {
            benchmark::DoNotOptimize(sortAndMerge(e.first, e.second, acrossXY(e.line)));
        } else {
            benchmark::DoNotOptimize(gte_dist_mutiPoint_mutiPoint(
                e.first.data(), count, e.second.data(), count, e.line, &high, &low));
            benchmark::DoNotOptimize(high);
            benchmark::DoNotOptimize(low);
        }
    }
}

// The gap record adds the two centres to the pair extremes; so does its peer.
void runTwoSetGapXY(benchmark::State& state, bool peer) {
    Edges const e = roughEdges(static_cast<int>(state.range(0)));
    int const count = static_cast<int>(e.first.size());
    gte_gap_result result;
    for (auto _ : state) {
        if (peer) {
            benchmark::DoNotOptimize(sortAndMerge(e.first, e.second, acrossXY(e.line)));
            gte::Vector3 c1 = gte::Vector3::zeroVector(), c2 = c1;
            for (int i = 0; i < count; ++i) {
                c1 += gte::Vector3(e.first[i].x, e.first[i].y, e.first[i].z);
                c2 += gte::Vector3(e.second[i].x, e.second[i].y, e.second[i].z);
            }
            benchmark::DoNotOptimize(c1);
            benchmark::DoNotOptimize(c2);
        } else {
            benchmark::DoNotOptimize(gte_gapXY_mutiPoint_mutiPoint(
                e.first.data(), count, e.second.data(), count, e.line, &result));
            benchmark::DoNotOptimize(result);
        }
    }
}

// Trim 2, average 5, no outlier filter (the peer has none).
void runGapSigma(benchmark::State& state, bool peer, Edges (*make)(int)) {
    Edges const e = make(static_cast<int>(state.range(0)));
    int const count = static_cast<int>(e.first.size());
    int const trim = 2, average = 5;
    gte_gap_result result;
    gte_gapSigma_mutiPoint_mutiPoint(e.first.data(), count, e.second.data(), count, e.line, trim,
                                     average, 0.0, false, &result);
    auto const [peerHigh, peerLow] =
        sortAndHeap(e.first, e.second, acrossXY(e.line), trim, average);
    checkAgreement("gap-sigma, largest", result.maxGap, peerHigh);
    checkAgreement("gap-sigma, smallest", result.minGap, peerLow);
    for (auto _ : state) {
        if (peer) {
            benchmark::DoNotOptimize(
                sortAndHeap(e.first, e.second, acrossXY(e.line), trim, average));
        } else {
            benchmark::DoNotOptimize(
                gte_gapSigma_mutiPoint_mutiPoint(e.first.data(), count, e.second.data(), count,
                                                 e.line, trim, average, 0.0, false, &result));
            benchmark::DoNotOptimize(result);
        }
    }
}

// Points along a line at a slight angle to x, off it by up to 1 um: on both sides, or on one.
void runStraightness(benchmark::State& state, bool peer, bool bothSides) {
    int const count = static_cast<int>(state.range(0));
    gte_line const line(gte_point(1, 2, 0), gte_vector(1, 0.01, 0));
    gte::Vector3 const n = straightnessNormal(line);
    std::mt19937_64 random(6);
    std::uniform_real_distribution<double> along(0.0, 100.0);
    std::uniform_real_distribution<double> off(bothSides ? -0.001 : 0.0, 0.001);
    Points points;
    for (int i = 0; i < count; ++i) {
        double const t = along(random), e = off(random);
        points.emplace_back(1 + t + e * n[0], 2 + 0.01 * t + e * n[1], 0.5);
    }
    std::vector<double> deviations(points.size());
    checkAgreement("straightness",
                   gte_straightness_xy_line(points.data(), count, line, deviations.data()),
                   plainStraightness(points, line, deviations.data()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            peer ? plainStraightness(points, line, deviations.data())
                 : gte_straightness_xy_line(points.data(), count, line, deviations.data()));
        benchmark::DoNotOptimize(deviations.data());
    }
}

// A rough measured edge along a line at a slight angle to x, in random order.
void runFitLseg(benchmark::State& state, bool peer) {
    int const count = static_cast<int>(state.range(0));
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> along(-50.0, 50.0);
    std::normal_distribution<double> rough(0.0, 0.01);
    Points points;
    for (int i = 0; i < count; ++i) {
        double const t = along(random);
        points.emplace_back(t, 0.3 * t + rough(random), rough(random));
    }
    gte_lseg segment;
    gte_fit_lseg(points.data(), count, &segment);
    gte_lseg const extent = fitAndExtent(points);
    // The segment runs between the extreme points' feet, in the points' order.
    double const length = std::hypot(segment.pt2.x - segment.pt1.x, segment.pt2.y - segment.pt1.y,
                                     segment.pt2.z - segment.pt1.z);
    checkAgreement("fitted segment length", length,
                   std::hypot(extent.pt2.x - extent.pt1.x, extent.pt2.y - extent.pt1.y,
                              extent.pt2.z - extent.pt1.z));
    for (auto _ : state) {
        if (peer) {
            benchmark::DoNotOptimize(fitAndExtent(points));
        } else {
            benchmark::DoNotOptimize(gte_fit_lseg(points.data(), count, &segment));
            benchmark::DoNotOptimize(segment);
        }
    }
}

}  // namespace

static void BM_Peer_DistTwoSets(benchmark::State& state, bool peer) {
    runTwoSetDistance(state, peer);
}
BENCHMARK_CAPTURE(BM_Peer_DistTwoSets, fast, false)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer_DistTwoSets, peer, true)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

static void BM_Peer_GapXYTwoSets(benchmark::State& state, bool peer) {
    runTwoSetGapXY(state, peer);
}
BENCHMARK_CAPTURE(BM_Peer_GapXYTwoSets, fast, false)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer_GapXYTwoSets, peer, true)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

static void BM_Peer_GapSigmaTwoSets(benchmark::State& state, bool peer) {
    runGapSigma(state, peer, roughEdges);
}
BENCHMARK_CAPTURE(BM_Peer_GapSigmaTwoSets, fast, false)
    ->Arg(10000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer_GapSigmaTwoSets, peer, true)
    ->Arg(10000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

static void BM_Peer_GapSigmaTiedTwoSets(benchmark::State& state, bool peer) {
    runGapSigma(state, peer, tiedEdges);
}
BENCHMARK_CAPTURE(BM_Peer_GapSigmaTiedTwoSets, fast, false)
    ->Arg(10000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer_GapSigmaTiedTwoSets, peer, true)
    ->Arg(10000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

static void BM_Peer_StraightnessBothSides(benchmark::State& state, bool peer) {
    runStraightness(state, peer, true);
}
BENCHMARK_CAPTURE(BM_Peer_StraightnessBothSides, fast, false)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer_StraightnessBothSides, peer, true)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

static void BM_Peer_StraightnessOneSide(benchmark::State& state, bool peer) {
    runStraightness(state, peer, false);
}
BENCHMARK_CAPTURE(BM_Peer_StraightnessOneSide, fast, false)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer_StraightnessOneSide, peer, true)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

static void BM_Peer_FitLseg(benchmark::State& state, bool peer) {
    runFitLseg(state, peer);
}
BENCHMARK_CAPTURE(BM_Peer_FitLseg, fast, false)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Peer_FitLseg, peer, true)->Arg(1000000)->Unit(benchmark::kMillisecond);
