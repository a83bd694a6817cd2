// SPDX-License-Identifier: MIT
#include "api/problem_record.h"

#include <cstdio>
#include <cstring>

namespace tavrisk {

namespace {

constexpr char kEllipsis[] = "...";
constexpr std::size_t kEllipsisLength = 3;

// Every field at its "does not apply" value.
tvi_problem blankProblem() noexcept {
    tvi_problem problem;
    std::memset(&problem, 0, sizeof problem);
    problem.offset = TVI_NO_OFFSET;
    return problem;
}

}  // namespace

tvi_problem problemOf(int kind) {
    tvi_problem problem = blankProblem();
    problem.kind = kind;
    return problem;
}

std::string printableText(std::string const& bytes, std::size_t limit, bool& cut) {
    std::string text;
    cut = false;
    for (char const c : bytes) {
        unsigned char const byte = static_cast<unsigned char>(c);
        char shown[5] = {c, '\0'};
        if (byte < 0x20 || byte >= 0x7F) {
            std::snprintf(shown, sizeof shown, "\\x%02X", byte);
        }
        if (text.size() + std::strlen(shown) > limit) {
            cut = true;
            break;
        }
        text += shown;
    }
    return text;
}

tvi_problem outOfMemoryProblem() noexcept {
    static char const kMessage[] = "out of memory";
    static_assert(sizeof kMessage <= TVI_PROBLEM_MESSAGE_SIZE, "the message fits its record");
    tvi_problem problem = blankProblem();
    problem.kind = TVI_PROBLEM_OUT_OF_MEMORY;
    std::memcpy(problem.message, kMessage, sizeof kMessage);
    return problem;
}

void setProblemText(tvi_problem& problem, std::string const& bytes, bool textCut) {
    bool cut = false;
    std::string const text = printableText(bytes, kProblemTextCharacters, cut);
    std::memcpy(problem.text, text.c_str(), text.size() + 1);
    problem.text_cut = cut || textCut ? 1 : 0;
}

void setProblemMessage(tvi_problem& problem, std::string const& message) {
    std::size_t const room = sizeof problem.message - 1;
    std::string shown = message;
    if (shown.size() > room) {
        std::size_t cutAt = shown.rfind(' ', room - kEllipsisLength);
        if (cutAt == std::string::npos) {
            cutAt = room - kEllipsisLength;
        }
        shown = shown.substr(0, cutAt) + kEllipsis;
    }
    std::memcpy(problem.message, shown.c_str(), shown.size() + 1);
}

}  // namespace tavrisk
