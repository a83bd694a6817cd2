// SPDX-License-Identifier: MIT
// The ways a run ends other than with a measurement, and the exit status each one gives.
#pragma once

#include <stdexcept>
#include <string>

namespace tavrisk_tool {

enum ExitStatus : int {
    kExitMeasured = 0,
    kExitRefused = 1,  // the library refused the measurement (too few points, a tied fit)
    kExitUsage = 2,    // the command line could not be understood
    kExitFile = 3,     // a file could not be read or written
};

// The measurement is refused; what() says why in words.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(std::string const& reason) : std::runtime_error(reason) {}
};

// The command line asks for something the tool will not do (an output that is an input or not a
// regular file); what() says what and why.
class UsageProblem : public std::runtime_error {
public:
    explicit UsageProblem(std::string const& reason) : std::runtime_error(reason) {}
};

// A file could not be read as a point file, or an output could not be written; what() names the
// file and the reason.
class FileProblem : public std::runtime_error {
public:
    explicit FileProblem(std::string const& reason) : std::runtime_error(reason) {}
};

}  // namespace tavrisk_tool
