// SPDX-License-Identifier: MIT
// The summary of a run that measures several files: one row a file, its figures or the reason
// it has none.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "report.h"
#include "tool_error.h"

namespace tavrisk_tool {

class SummaryTable {
public:
    SummaryTable(std::string command, std::string unit);

    // A file measured: its report's summary cells (report.h), each under its heading; the
    // columns are the headings in the order they first come.
    void addMeasured(std::string const& file, Report const& report);
    // A file without figures: the kind of ending, its exit status and the reason.
    void addRefused(std::string const& file, ToolError const& error);

    // The table: a heading line, the columns aligned, a row that has no figures giving its
    // reason after the file's name, and the run's exit status at the foot.
    std::string text(int worstStatus) const;

private:
    struct Row {
        std::string file;
        std::vector<std::string> cells;  // under headings_, in their order
        std::string reason;              // a file without figures: why
        bool measured = false;
    };
    std::string command_;
    std::string unit_;
    std::vector<std::string> headings_;
    std::vector<Row> rows_;
};

}  // namespace tavrisk_tool
