// SPDX-License-Identifier: MIT
// The problem record of the second library (tvi_problem): a fixed-size C record saying why a call
// was refused, filled here so that every refusal writes it the same way.
#pragma once

#include <string>

#include "api/export_guard.h"
#include "tavrisk_inspect.h"

namespace tavrisk {

// The most characters the record's text holds (its room less the terminating zero).
constexpr std::size_t kProblemTextCharacters = TVI_PROBLEM_TEXT_SIZE - 1;

// A record of the given kind with every other field at its "does not apply" value: zeros, empty
// strings and an offset of TVI_NO_OFFSET.
tvi_problem problemOf(int kind);

// The bytes as a person may be shown them whatever they hold: printable ASCII as it is, every
// other byte as \xNN, no more than limit characters (an escape is not split). cut is set when
// bytes were left out.
std::string printableText(std::string const& bytes, std::size_t limit, bool& cut);

// Sets the record's text to the printable form of bytes; textCut says that the bytes given are
// themselves the front of a longer text.
void setProblemText(tvi_problem& problem, std::string const& bytes, bool textCut);

// Sets the record's message, cut at a space and ended with "..." when it would not fit.
void setProblemMessage(tvi_problem& problem, std::string const& message);

// The record of a call that ran out of memory, made without allocating.
tvi_problem outOfMemoryProblem() noexcept;

// Writes problem to the caller's record, when there is one.
inline void report(tvi_problem* to, tvi_problem const& problem) noexcept {
    if (to != nullptr) {
        *to = problem;
    }
}

// Runs body(found), a call of the second library that returns a TVI_ status and fills the
// problem record found (given as TVI_PROBLEM_NONE), for the host: the record reaches problem on
// every path and no exception leaves; running out of memory is TVI_OUT_OF_MEMORY.
template <class Body>
int guardedCall(tvi_problem* problem, Body&& body) noexcept {
    return guardedOr(
        [&] {
            tvi_problem found = problemOf(TVI_PROBLEM_NONE);
            int const status = body(found);
            report(problem, found);
            return status;
        },
        [problem] {
            report(problem, outOfMemoryProblem());
            return TVI_OUT_OF_MEMORY;
        });
}

}  // namespace tavrisk
