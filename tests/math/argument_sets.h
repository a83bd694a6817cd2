// SPDX-License-Identifier: MIT
// The arguments the correctly rounded functions are checked on: deterministic sets drawn from
// bits (no platform distribution), each aimed at a way the functions can go wrong.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace math_test {

enum class Function { kAcos, kAtan, kSin, kCos };

struct ArgumentSet {
    std::string name;
    std::vector<double> arguments;
};

// About count arguments for function, split among the sets: uniform, log-uniform, near +-1,
// near multiples of pi/2, degree multiples (d * pi/180 as the library computes it), tiny,
// subnormal and special values.
std::vector<ArgumentSet> ArgumentSets(Function function, std::size_t count, std::uint64_t seed);

}  // namespace math_test
