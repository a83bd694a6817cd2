// SPDX-License-Identifier: MIT
// Reading measured points: a point file of any format TavriskInspect reads, or standard input,
// through TavriskInspect, or the reason it is refused.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gte/vector.h"
#include "options.h"
#include "tavrisk.h"

namespace tavrisk_tool {

// The name a path goes by in messages and captions: "standard input" for "-".
std::string displayName(std::string const& path);

// Points as read, with what the reader found out about the file.
struct PointFile {
    std::vector<gte::Vector3> points;
    std::string format;             // "text", "PLY", ...
    std::size_t valuesPerLine = 0;  // text: the values every data line holds
};

// The points of the file at path ("-": standard input, kept whole in a private temporary file
// first) as the options say to read them. columns, when given, override the options' columns
// (1-based indices). Throws FileProblem, naming the file, the reason, where it lies and the
// option that resolves it, when the file cannot be read as points; UsageProblem when the
// options are wrong whatever the file.
PointFile readPointFile(std::string const& path, ReadOptions const& options,
                        std::optional<std::array<std::size_t, 3>> columns = std::nullopt);

// The reason the library refuses the reading options whatever the file (a comment character
// that a value may start with, one column named twice), in words; none when it takes them.
std::optional<std::string> readOptionsProblem(ReadOptions const& options);

// Refuses more points than one call of an export takes (its count is an int).
void requireOneCall(std::size_t count);

// The points as interface records, for the exports; refuses more points than one call takes.
std::vector<gte_point> toRecords(std::vector<gte::Vector3> const& points);

}  // namespace tavrisk_tool
