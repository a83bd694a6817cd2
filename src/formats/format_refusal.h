// SPDX-License-Identifier: MIT
// Filling a FormatProblem where a reader refuses a file, and the frame every reader runs in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/format_problem.h"
#include "formats/format_text.h"
#include "gte/vector.h"

namespace tavrisk {
namespace formats {

// A refusal at a byte offset. Returns false, for `return refuse(...)`.
bool refuse(FormatProblem& problem, FormatProblemKind kind, std::uint64_t offset,
            std::string detail);
// A refusal of a point by its index in file order.
bool refusePoint(FormatProblem& problem, FormatProblemKind kind, std::uint64_t index,
                 std::string detail);
// A refusal on a text line, with the offending token (none when its length is 0).
bool refuseLine(FormatProblem& problem, FormatProblemKind kind, TextLine const& line,
                Token const& text, std::string detail);

// A text value that readValue did not take as a value of the type, refused for the reason it
// gives.
bool refuseValue(FormatProblem& problem, char const* format, TextNumber reason, ScalarType type,
                 TextLine const& line, Token const& value);

// "'" + the token + "'", for details.
std::string quoted(Token const& token);

// The name for a count in a detail: "1 vertex", "3 vertices".
std::string counted(std::uint64_t count, char const* one, char const* many);

// Runs read() (a bool() callable that appends to points and fills problem) as every reader
// runs: problem reset first, points restored to their count before the call on refusal and on
// an exception, and a file that gave no point refused as holding none.
template <class Read>
bool readAppending(std::vector<gte::Vector3>& points, FormatProblem& problem, char const* format,
                   Read read) {
    problem = FormatProblem();
    std::size_t const before = points.size();
    bool accepted = false;
    try {
        accepted = read();
    } catch (...) {
        points.resize(before);
        throw;
    }
    if (accepted && points.size() == before) {
        accepted = refuse(problem, FormatProblemKind::noPoint, 0,
                          std::string(format) + ": the file holds no point");
    }
    if (!accepted) {
        points.resize(before);
    }
    return accepted;
}

}  // namespace formats
}  // namespace tavrisk
