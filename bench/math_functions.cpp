// SPDX-License-Identifier: MIT
// The correctly rounded acos, atan, sin and cos against the C library's in the same run, over
// the same arguments: "BM_Math<Name>/fast/<set>" (the library's) and "/libm/<set>".
// bench/compare_with_literal.py build/bench/tavrisk_bench 9 "Math.*/(fast|libm)/" libm prints the
// medians and libm / fast.
#include <cmath>
#include <cstdint>
#include <vector>

#include "gte/basis.h"
#include "math/correctly_rounded.h"
#include "measure_loop.h"

namespace {

constexpr int kArgumentCount = 4096;

// Arguments of a fixed sequence (splitmix64), uniform in [low, high) or whole degrees in radians.
std::vector<double> Arguments(double low, double high, bool wholeDegrees) {
    std::vector<double> arguments;
    std::uint64_t state = 12345;
    for (int i = 0; i < kArgumentCount; ++i) {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        double const unit = static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1p-53;
        double const x = low + (high - low) * unit;
        arguments.push_back(wholeDegrees ? std::floor(x) * gte::kDegreesToRadians : x);
    }
    return arguments;
}

template <class Function>
void MeasureOver(benchmark::State& state, std::vector<double> const& arguments, Function f) {
    for (auto _ : state) {
        double sum = 0.0;
        for (double x : arguments) {
            sum += f(x);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(arguments.size()));
}

std::vector<double> const& Unit() {
    static std::vector<double> const arguments = Arguments(-1.0, 1.0, false);
    return arguments;
}
std::vector<double> const& Wide() {
    static std::vector<double> const arguments = Arguments(-8.0, 8.0, false);
    return arguments;
}
std::vector<double> const& Turn() {
    static std::vector<double> const arguments = Arguments(-6.3, 6.3, false);
    return arguments;
}
std::vector<double> const& Degrees() {
    static std::vector<double> const arguments = Arguments(-360.0, 361.0, true);
    return arguments;
}

}  // namespace

#define TAVRISK_MATH_BENCH(name, set, ours, libm)                               \
    static void BM_Math##name##_ours_##set(benchmark::State& state) {           \
        MeasureOver(state, set(), [](double x) { return ours(x); });            \
    }                                                                           \
    BENCHMARK(BM_Math##name##_ours_##set)->Name("BM_Math" #name "/fast/" #set); \
    static void BM_Math##name##_libm_##set(benchmark::State& state) {           \
        MeasureOver(state, set(), [](double x) { return libm(x); });            \
    }                                                                           \
    BENCHMARK(BM_Math##name##_libm_##set)->Name("BM_Math" #name "/libm/" #set);

TAVRISK_MATH_BENCH(Acos, Unit, gte::math::Acos, std::acos)
TAVRISK_MATH_BENCH(Atan, Unit, gte::math::Atan, std::atan)
TAVRISK_MATH_BENCH(Atan, Wide, gte::math::Atan, std::atan)
TAVRISK_MATH_BENCH(Sin, Turn, gte::math::Sin, std::sin)
TAVRISK_MATH_BENCH(Sin, Degrees, gte::math::Sin, std::sin)
TAVRISK_MATH_BENCH(Cos, Turn, gte::math::Cos, std::cos)
TAVRISK_MATH_BENCH(Cos, Degrees, gte::math::Cos, std::cos)
