// SPDX-License-Identifier: MIT
#include "summary_table.h"

#include <algorithm>

namespace tavrisk_tool {

namespace {

// Columns stand this many spaces apart.
constexpr std::size_t kColumnGap = 2;

std::string padded(std::string const& text, std::size_t width) {
    return text + std::string(width + kColumnGap - std::min(text.size(), width), ' ');
}

// What a file's ending was, before the reason.
std::string endingName(ToolError const& error) {
    switch (error.status()) {
        case kExitRefused:
            return "refused";
        case kExitFile:
            return "file error";
        default:
            return "error";
    }
}

}  // namespace

SummaryTable::SummaryTable(std::string command, std::string unit)
    : command_(std::move(command)), unit_(std::move(unit)) {}

void SummaryTable::addMeasured(std::string const& file, Report const& report) {
    Row row{file, std::vector<std::string>(headings_.size()), std::string()};
    for (auto const& [heading, cell] : report.summaryCells()) {
        auto const column = std::find(headings_.begin(), headings_.end(), heading);
        std::size_t const at = static_cast<std::size_t>(column - headings_.begin());
        if (column == headings_.end()) {
            headings_.push_back(heading);
            row.cells.resize(headings_.size());
        }
        row.cells[at] = cell;
    }
    row.measured = true;
    rows_.push_back(std::move(row));
}

void SummaryTable::addRefused(std::string const& file, ToolError const& error) {
    rows_.push_back(
        Row{file,
            {},
            endingName(error) + " (exit " + std::to_string(error.status()) + "): " + error.what()});
}

std::string SummaryTable::text(int worstStatus) const {
    std::vector<std::size_t> widths(headings_.size() + 1, 0);
    widths[0] = std::string("file").size();
    for (std::size_t i = 0; i < headings_.size(); ++i) {
        widths[i + 1] = headings_[i].size();
    }
    for (Row const& row : rows_) {
        widths[0] = std::max(widths[0], row.file.size());
        for (std::size_t i = 0; i < row.cells.size() && i < headings_.size(); ++i) {
            widths[i + 1] = std::max(widths[i + 1], row.cells[i].size());
        }
    }
    auto const line = [&](std::string const& first, std::vector<std::string> const& cells) {
        std::string out = "  " + padded(first, widths[0]);
        for (std::size_t i = 0; i < cells.size() && i < headings_.size(); ++i) {
            out += padded(cells[i], widths[i + 1]);
        }
        out.erase(out.find_last_not_of(' ') + 1);
        return out + "\n";
    };
    std::string out =
        command_ + " of " + std::to_string(rows_.size()) + " files (lengths in " + unit_ + ")\n";
    out += line("file", headings_);
    for (Row const& row : rows_) {
        std::vector<std::string> cells = row.cells;
        cells.resize(headings_.size());  // a column that came after the row is empty in it
        out += row.measured ? line(row.file, cells)
                            : "  " + padded(row.file, widths[0]) + row.reason + "\n";
    }
    out += "exit status " + std::to_string(worstStatus) + "\n";
    return out;
}

}  // namespace tavrisk_tool
