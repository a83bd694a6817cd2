// SPDX-License-Identifier: MIT
#include "commands.h"

#include <cstdio>
#include <optional>
#include <string>

#include "point_input.h"
#include "tool_error.h"

namespace tavrisk_tool {

void printReport(Report const& report, Options const& options) {
    std::string const text = options.json ? report.json() : report.table();
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void requireFiniteFigures(Report const& report) {
    if (std::optional<std::string> const figure = report.firstNonFinite()) {
        throw Refusal("the " + *figure +
                      " is not a finite number: the coordinates are too large, or too far "
                      "apart, for the arithmetic of this measurement");
    }
}

void requireThreePoints(std::size_t count, char const* what, Options const& options) {
    if (count < 3) {
        throw Refusal(std::string(what) + " needs at least three points; " +
                      displayName(options.file) + " holds " + std::to_string(count));
    }
}

}  // namespace tavrisk_tool
