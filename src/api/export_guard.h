// SPDX-License-Identifier: MIT
// The boundary between an export and its host: no exception crosses it. The return codes
// themselves are the header's TAVRISK_ names.
#pragma once

namespace tavrisk {

// Runs body and returns its result; when it throws (in practice only when memory runs out), runs
// failed, which must not throw, and returns what it gives: no exception reaches the host.
template <class Body, class Failed>
auto guardedOr(Body&& body, Failed&& failed) noexcept -> decltype(body()) {
    try {
        return body();
    } catch (...) {
        return failed();
    }
}

// Runs body and returns its result, or refusal when it throws.
template <class Result, class Body>
Result guarded(Result refusal, Body&& body) noexcept {
    return guardedOr(body, [refusal] { return refusal; });
}

}  // namespace tavrisk
