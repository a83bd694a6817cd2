// SPDX-License-Identifier: MIT
// The expansion algorithms of Priest and Shewchuk: error-free sums and products of two doubles,
// sums of expansions by a merge followed by a chain of error-free sums, products through
// scaling by each term. They rely on round-to-nearest doubles without fused multiply-adds, which
// the build enforces (-ffp-contract=off, SSE2 on 32-bit x86).
#include "form/expansion.h"

#include <cmath>
#include <cstddef>

namespace tavrisk::form {

namespace {

// 2^27 + 1: multiplying by it splits a double into two halves of 26 significant bits each.
constexpr double kSplitter = 134217729.0;

struct Pair {
    double sum;    // the rounded result
    double error;  // exactly what the rounding lost
};

Pair twoSum(double a, double b) {
    double const x = a + b;
    double const bVirtual = x - a;
    double const aVirtual = x - bVirtual;
    double const bRound = b - bVirtual;
    double const aRound = a - aVirtual;
    return {x, aRound + bRound};
}

// For |a| >= |b| (or a zero): one subtraction fewer.
Pair fastTwoSum(double a, double b) {
    double const x = a + b;
    double const bVirtual = x - a;
    return {x, b - bVirtual};
}

Pair twoDiff(double a, double b) {
    double const x = a - b;
    double const bVirtual = a - x;
    double const aVirtual = x + bVirtual;
    double const bRound = bVirtual - b;
    double const aRound = a - aVirtual;
    return {x, aRound + bRound};
}

void split(double a, double& high, double& low) {
    double const c = kSplitter * a;
    double const big = c - a;
    high = c - big;
    low = a - high;
}

Pair twoProduct(double a, double b) {
    double const x = a * b;
    double aHigh, aLow, bHigh, bLow;
    split(a, aHigh, aLow);
    split(b, bHigh, bLow);
    double const err1 = x - aHigh * bHigh;
    double const err2 = err1 - aLow * bHigh;
    double const err3 = err2 - aHigh * bLow;
    return {x, aLow * bLow - err3};
}

// Whether e comes before f in the merge by magnitude.
bool smallerMagnitude(double e, double f) {
    return (f > e) == (f > -e);
}

}  // namespace

Expansion::Expansion(double value) {
    if (value != 0.0) {
        terms_.push_back(value);
    }
}

Expansion Expansion::difference(double a, double b) {
    Pair const d = twoDiff(a, b);
    Expansion result;
    if (d.error != 0.0) {
        result.terms_.push_back(d.error);
    }
    if (d.sum != 0.0) {
        result.terms_.push_back(d.sum);
    }
    return result;
}

Expansion Expansion::product(double a, double b) {
    Pair const p = twoProduct(a, b);
    Expansion result;
    if (p.error != 0.0) {
        result.terms_.push_back(p.error);
    }
    if (p.sum != 0.0) {
        result.terms_.push_back(p.sum);
    }
    return result;
}

Expansion Expansion::operator-() const {
    Expansion result = *this;
    for (double& term : result.terms_) {
        term = -term;
    }
    return result;
}

// The terms of both merged by magnitude, then added up from the smallest with error-free sums
// whose nonzero errors are the result's terms.
Expansion Expansion::operator+(Expansion const& other) const {
    std::vector<double> const& e = terms_;
    std::vector<double> const& f = other.terms_;
    if (e.empty()) {
        return other;
    }
    if (f.empty()) {
        return *this;
    }
    std::vector<double> merged;
    merged.reserve(e.size() + f.size());
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < e.size() && j < f.size()) {
        merged.push_back(smallerMagnitude(e[i], f[j]) ? e[i++] : f[j++]);
    }
    while (i < e.size()) {
        merged.push_back(e[i++]);
    }
    while (j < f.size()) {
        merged.push_back(f[j++]);
    }
    Expansion result;
    result.terms_.reserve(merged.size());
    Pair q = fastTwoSum(merged[1], merged[0]);
    if (q.error != 0.0) {
        result.terms_.push_back(q.error);
    }
    for (std::size_t k = 2; k < merged.size(); ++k) {
        q = twoSum(q.sum, merged[k]);
        if (q.error != 0.0) {
            result.terms_.push_back(q.error);
        }
    }
    if (q.sum != 0.0) {
        result.terms_.push_back(q.sum);
    }
    result.compress();
    return result;
}

Expansion Expansion::operator-(Expansion const& other) const {
    return *this + (-other);
}

Expansion Expansion::scaled(double factor) const {
    Expansion result;
    if (terms_.empty() || factor == 0.0) {
        return result;
    }
    result.terms_.reserve(2 * terms_.size());
    Pair p = twoProduct(terms_[0], factor);
    double q = p.sum;
    if (p.error != 0.0) {
        result.terms_.push_back(p.error);
    }
    for (std::size_t k = 1; k < terms_.size(); ++k) {
        Pair const product = twoProduct(terms_[k], factor);
        Pair const s = twoSum(q, product.error);
        if (s.error != 0.0) {
            result.terms_.push_back(s.error);
        }
        Pair const t = fastTwoSum(product.sum, s.sum);
        if (t.error != 0.0) {
            result.terms_.push_back(t.error);
        }
        q = t.sum;
    }
    if (q != 0.0) {
        result.terms_.push_back(q);
    }
    return result;
}

Expansion Expansion::operator*(Expansion const& other) const {
    // Scaling the longer expansion by each term of the shorter one keeps the sums few.
    Expansion const& longer = terms_.size() >= other.terms_.size() ? *this : other;
    Expansion const& shorter = terms_.size() >= other.terms_.size() ? other : *this;
    Expansion result;
    for (double term : shorter.terms_) {
        result = result + longer.scaled(term);
    }
    return result;
}

// Shewchuk's compression: the same value in as few terms as the error-free sums allow, so that
// products of long chains of operations stay short.
void Expansion::compress() {
    std::size_t const count = terms_.size();
    if (count < 2) {
        return;
    }
    std::vector<double>& g = terms_;
    std::size_t bottom = count - 1;
    double q = g[bottom];
    for (std::size_t k = count - 1; k-- > 0;) {
        Pair const s = fastTwoSum(q, g[k]);
        if (s.error != 0.0) {
            g[bottom--] = s.sum;
            q = s.error;
        } else {
            q = s.sum;
        }
    }
    std::size_t top = 0;
    for (std::size_t k = bottom + 1; k < count; ++k) {
        Pair const s = fastTwoSum(g[k], q);
        if (s.error != 0.0) {
            g[top++] = s.error;
        }
        q = s.sum;
    }
    g[top++] = q;
    g.resize(top);
    if (top == 1 && g[0] == 0.0) {
        g.clear();
    }
}

int Expansion::sign() const {
    if (terms_.empty()) {
        return 0;
    }
    return terms_.back() > 0.0 ? 1 : -1;
}

double Expansion::estimate() const {
    double sum = 0.0;
    for (double term : terms_) {
        sum += term;
    }
    return sum;
}

}  // namespace tavrisk::form
