// SPDX-License-Identifier: MIT
// The timed loop every benchmark of the library runs. The compiler must neither fold a call away
// nor hoist it out of the loop: an input is made opaque before every call, and the call's return
// value and its outputs are kept after it.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <type_traits>

namespace tavrisk_bench {

namespace detail {

template <class Call, class... Outputs>
inline void callAndKeep(Call& call, Outputs&... outputs) {
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
    } else {
        benchmark::DoNotOptimize(call());
    }
    (benchmark::DoNotOptimize(outputs), ...);
}

}  // namespace detail

// Times call() for a small measurement: `varying` is the input the compiler must take as changed
// before each call, `outputs` what the call writes.
template <class Input, class Call, class... Outputs>
void measureCall(benchmark::State& state, Input& varying, Call call, Outputs&... outputs) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(varying);
        detail::callAndKeep(call, outputs...);
    }
}

// Times call() on a large input and reports its throughput: each call handles itemsPerCall items
// (points, pairs, lines of a file).
template <class Call, class... Outputs>
void measureItems(benchmark::State& state, std::int64_t itemsPerCall, Call call,
                  Outputs&... outputs) {
    for (auto _ : state) {
        detail::callAndKeep(call, outputs...);
    }
    state.SetItemsProcessed(state.iterations() * itemsPerCall);
}

}  // namespace tavrisk_bench
