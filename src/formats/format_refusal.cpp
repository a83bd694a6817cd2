// SPDX-License-Identifier: MIT
#include "formats/format_refusal.h"

#include <algorithm>
#include <utility>

#include "pointtext/point_file_problem.h"

namespace tavrisk {
namespace formats {

bool refuse(FormatProblem& problem, FormatProblemKind kind, std::uint64_t offset,
            std::string detail) {
    problem = FormatProblem();
    problem.kind = kind;
    problem.detail = std::move(detail);
    problem.offset = offset;
    return false;
}

bool refusePoint(FormatProblem& problem, FormatProblemKind kind, std::uint64_t index,
                 std::string detail) {
    refuse(problem, kind, index, std::move(detail));
    problem.offsetUnit = FormatOffsetUnit::element;
    return false;
}

bool refuseLine(FormatProblem& problem, FormatProblemKind kind, TextLine const& line,
                Token const& text, std::string detail) {
    std::size_t const offset = text.length > 0
                                   ? line.offset + static_cast<std::size_t>(text.begin - line.begin)
                                   : line.offset;
    refuse(problem, kind, offset,
           std::move(detail) + " (line " + std::to_string(line.number) + ")");
    problem.line = line.number;
    if (text.length > 0) {
        problem.text.assign(text.begin, std::min(text.length, FormatProblem::kTextLimit));
    }
    return false;
}

bool refuseValue(FormatProblem& problem, char const* format, TextNumber reason, ScalarType type,
                 TextLine const& line, Token const& value) {
    if (reason == TextNumber::notOfType) {
        return refuseLine(problem, FormatProblemKind::notANumber, line, value,
                          std::string(format) + ": " + quoted(value) +
                              " is no value of the integer type " + nameOf(type));
    }
    if (reason == TextNumber::tooLong) {
        return refuseLine(problem, FormatProblemKind::valueTooLong, line, value,
                          std::string(format) + ": a value longer than " +
                              std::to_string(kMaxPointValueLength) + " characters");
    }
    return refuseLine(problem, FormatProblemKind::notANumber, line, value,
                      std::string(format) + ": " + quoted(value) + " is not a number");
}

std::string quoted(Token const& token) {
    // A detail is read by a person: bytes that print nothing are shown by their value, and a
    // long text by its start.
    constexpr std::size_t kShownLength = 40;
    static char const kHexDigits[] = "0123456789abcdef";
    std::string shown = "'";
    for (std::size_t i = 0; i < std::min(token.length, kShownLength); ++i) {
        unsigned char const c = static_cast<unsigned char>(token.begin[i]);
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            shown += {'\\', 'x', kHexDigits[c >> 4], kHexDigits[c & 15]};
        }
    }
    return shown + (token.length > kShownLength ? "...'" : "'");
}

std::string counted(std::uint64_t count, char const* one, char const* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace formats
}  // namespace tavrisk
