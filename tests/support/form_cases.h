// SPDX-License-Identifier: MIT
// Point sets for the form tests, drawn with fixed seeds: thin slabs as scans give them, fat
// clouds, small integer grids full of ties and coplanar quadruples, and zones built with a known
// width, turned by exact rotations.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "gte/vector.h"

namespace tavrisk_test::form_cases {

using Points = std::vector<gte::Vector3>;

// How many of a randomized test's sets to draw: the unoptimised sanitizer builds look for
// undefined behaviour, which every path shows on a fifth of the sets as well.
constexpr int setCount(int sets) {
#ifdef TAVRISK_FEWER_FORM_SETS
    return sets / 5;
#else
    return sets;
#endif
}

class Draws {
public:
    explicit Draws(std::uint64_t seed) : engine_(seed) {}
    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(engine_);
    }
    int integer(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    std::mt19937_64& engine() { return engine_; }

private:
    std::mt19937_64 engine_;
};

// A rotation with rational entries (Pythagorean triples 3-4-5 about z, then 5-12-13 about x):
// applied to integer coordinates that are multiples of 65 it gives integers, so distances stay
// exact.
inline gte::Vector3 rotatedExactly(gte::Vector3 const& v) {
    double const x = (3.0 * v[0] - 4.0 * v[1]) / 5.0;
    double const y = (4.0 * v[0] + 3.0 * v[1]) / 5.0;
    double const z = v[2];
    return gte::Vector3(x, (5.0 * y - 12.0 * z) / 13.0, (12.0 * y + 5.0 * z) / 13.0);
}

// n points of a slab: a width x depth patch with heights within +-form, turned by a random
// rotation and moved by offset.
inline Points slab(Draws& d, int n, double width, double depth, double form, double offset) {
    double const a = d.uniform(0.0, 6.28);
    double const b = d.uniform(-0.3, 0.3);
    Points p;
    for (int i = 0; i < n; ++i) {
        double const x = d.uniform(-width / 2, width / 2);
        double const y = d.uniform(-depth / 2, depth / 2);
        double const z = d.uniform(-form, form);
        // About z by a, then about x by b.
        double const xr = std::cos(a) * x - std::sin(a) * y;
        double const yr = std::sin(a) * x + std::cos(a) * y;
        p.emplace_back(xr + offset, std::cos(b) * yr - std::sin(b) * z + offset,
                       std::sin(b) * yr + std::cos(b) * z + offset);
    }
    return p;
}

inline Points cloud(Draws& d, int n) {
    Points p;
    for (int i = 0; i < n; ++i) {
        p.emplace_back(d.uniform(-1, 1), d.uniform(-1, 1), d.uniform(-1, 1));
    }
    return p;
}

// Small integers: repeated points, collinear triples and coplanar quadruples abound.
inline Points grid(Draws& d, int n, int reach) {
    Points p;
    for (int i = 0; i < n; ++i) {
        p.emplace_back(d.integer(-reach, reach), d.integer(-reach, reach),
                       d.integer(-reach, reach));
    }
    return p;
}

// Points near a circle seen from above: radius r about (cx, cy), radial form within +-form,
// angles spread round the circle.
inline Points ring(Draws& d, int n, double cx, double cy, double r, double form) {
    Points p;
    double const start = d.uniform(0.0, 6.28);
    for (int i = 0; i < n; ++i) {
        double const t = start + 6.283185307179586 * (i + d.uniform(-0.3, 0.3)) / n;
        double const radius = r + d.uniform(-form, form);
        p.emplace_back(cx + radius * std::cos(t), cy + radius * std::sin(t), d.uniform(-1, 1));
    }
    return p;
}

}  // namespace tavrisk_test::form_cases
