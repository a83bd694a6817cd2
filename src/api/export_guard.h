// SPDX-License-Identifier: MIT
// The boundary between an export and its host: no exception crosses it. The return codes
// themselves are the header's TAVRISK_ names.
#pragma once

namespace tavrisk {

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
