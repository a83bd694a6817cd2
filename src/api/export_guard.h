// SPDX-License-Identifier: MIT
// What the exports share at the boundary with the host: the return values that are not counts.
#pragma once

namespace tavrisk {

// The measurement was made (or the record built) and its outputs written.
constexpr int kMeasured = 1;
// The input was refused: no output was written.
constexpr int kRefused = -1;
// The question has no answer of the kind asked (two coincident planes have no line, a circle
// lying in the plane no crossing points, circles whose normals disagree no common tangents):
// no output was written.
constexpr int kNoAnswer = -1;

// Runs body and returns its result, or refusal when it throws (in practice only when memory runs
// out): no exception reaches the host.
template <class Result, class Body>
Result guarded(Result refusal, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return refusal;
    }
}

}  // namespace tavrisk
