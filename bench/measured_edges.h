// SPDX-License-Identifier: MIT
// The two-set benchmarks' data: two rough measured edges across a line.
#pragma once

#include <random>
#include <vector>

#include "tavrisk.h"

namespace tavrisk_bench {

struct Edges {
    std::vector<gte_point> first, second;
};

// The line the edges run along, at a slight angle to x.
inline gte_line edgeLine() {
    return gte_line(gte_point(0, 0, 0), gte_vector(1, 0.02, 0));
}

// Two measured edges 5 apart across edgeLine(), in random order along it.
inline Edges roughEdges(int count) {
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

}  // namespace tavrisk_bench
