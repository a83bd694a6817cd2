// SPDX-License-Identifier: MIT
// The ways a run ends other than with a measurement, and the exit status each one gives.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace tavrisk_tool {

enum ExitStatus : int {
    kExitMeasured = 0,
    kExitRefused = 1,         // the library refused the measurement (too few points, a tied fit)
    kExitUsage = 2,           // the command line could not be understood
    kExitFile = 3,            // a file could not be read or written
    kExitOutOfTolerance = 4,  // measured, and a figure exceeds the tolerance given (FAIL)
};

// The worse of two exit statuses of files measured in one run: a file not read (3) is worse than
// a measurement refused (1), which leaves the part unjudged and so is worse than one judged out
// of tolerance (4), worse than one measured (0). A usage error (2) stops a run before any file.
inline int worseStatus(int a, int b) {
    auto const rank = [](int status) {
        switch (status) {
            case kExitMeasured:
                return 0;
            case kExitOutOfTolerance:
                return 1;
            case kExitRefused:
                return 2;
            case kExitFile:
                return 3;
            default:
                return 4;
        }
    };
    return rank(a) >= rank(b) ? a : b;
}

// What went wrong, for a program that reads the JSON: a stable identifier of the kind of
// problem and, for a point file the reader refused, where in the file and what resolves it.
struct ErrorDetail {
    ErrorDetail() = default;
    explicit ErrorDetail(std::string kindName) : kind(std::move(kindName)) {}

    std::string kind;           // "columns_needed", "refused", "usage", "cannot_write", ...
    std::uint64_t line = 0;     // 1-based line of a text file; 0: none
    std::uint64_t column = 0;   // 1-based value on that line; 0: none
    std::uint64_t element = 0;  // 1-based point or record of a binary file; 0: none
    std::string text;           // the offending text, printable; empty: none
    std::string option;         // the tool's option that resolves it ("--columns"); empty: none
    std::string format;         // the format recognised ("PLY"); empty: not looked at
    std::string file;           // the file at fault as the user named it; empty: the measured one
};

// Every way a run ends early: its exit status, the reason in words (what()) and its detail.
class ToolError : public std::runtime_error {
public:
    ToolError(ExitStatus status, ErrorDetail detail, std::string const& reason)
        : std::runtime_error(reason), status_(status), detail_(std::move(detail)) {}
    ExitStatus status() const { return status_; }
    ErrorDetail const& detail() const { return detail_; }

private:
    ExitStatus status_;
    ErrorDetail detail_;
};

// The measurement is refused; what() says why in words.
class Refusal : public ToolError {
public:
    explicit Refusal(std::string const& reason)
        : ToolError(kExitRefused, ErrorDetail{"refused"}, reason) {}
};

// The command line asks for something the tool will not do (an output that is an input or not a
// regular file); what() says what and why.
class UsageProblem : public ToolError {
public:
    explicit UsageProblem(std::string const& reason)
        : ToolError(kExitUsage, ErrorDetail{"usage"}, reason) {}
};

// A file could not be read as a point file, or an output could not be written; what() names the
// file and the reason, detail() the kind ("cannot_write", or the reader's kind of problem).
class FileProblem : public ToolError {
public:
    FileProblem(ErrorDetail detail, std::string const& reason)
        : ToolError(kExitFile, std::move(detail), reason) {}
    FileProblem(std::string kind, std::string const& reason)
        : ToolError(kExitFile, ErrorDetail{std::move(kind)}, reason) {}
};

}  // namespace tavrisk_tool
