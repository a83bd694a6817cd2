// SPDX-License-Identifier: MIT
// The figures of one measurement, kept once and printed either as a table for people or as one
// JSON object for programs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gte/vector.h"

namespace tavrisk_tool {

// A signed deviation's extreme, the index (from 0, in file order) of the point that has it and
// the point itself.
struct Extreme {
    double value;
    std::int64_t index;
    gte::Vector3 point = gte::Vector3::zeroVector();
};

// One point of the per-point listing.
struct PointDeviation {
    std::int64_t index;
    gte::Vector3 point;
    double deviation;
    std::optional<std::int64_t> nominalIndex;  // profile: the nominal point it was paired with
};

class Report {
public:
    Report(std::string command, std::string unit);

    // Each figure has a JSON key path (nested objects) and a label for the table; figures appear
    // in the order they were added.
    void text(std::vector<std::string> key, std::string label, std::string value);
    void count(std::vector<std::string> key, std::string label, std::int64_t value);
    void length(std::vector<std::string> key, std::string label, double value);
    void angle(std::vector<std::string> key, std::string label, double degrees);
    void radians(std::vector<std::string> key, std::string label, double value);
    void position(std::vector<std::string> key, std::string label, gte::Vector3 const& value);
    void direction(std::vector<std::string> key, std::string label, gte::Vector3 const& value);
    void extreme(std::vector<std::string> key, std::string label, Extreme const& value);

    void pointDeviations(std::vector<PointDeviation> rows) { rows_ = std::move(rows); }

    // What the first figure (or listed deviation) that is not a finite number is called, in
    // words ("major axis", "deviation of point 3"); none when every number is finite.
    std::optional<std::string> firstNonFinite() const;

    // The table: one figure a line, lengths with six decimals and the unit.
    std::string table() const;
    // One JSON object; numbers round-trip exactly, non-finite numbers are null.
    std::string json() const;

private:
    enum class Kind { kText, kCount, kLength, kAngle, kRadians, kPosition, kDirection, kExtreme };
    struct Figure {
        std::vector<std::string> key;
        std::string label;
        Kind kind = Kind::kText;
        std::string text;
        std::int64_t integer = 0;
        double number = 0.0;
        gte::Vector3 vector = gte::Vector3::zeroVector();
    };

    Figure& add(std::vector<std::string> key, std::string label, Kind kind);
    std::string formatValue(Figure const& figure) const;

    std::string command_;
    std::string unit_;
    std::vector<Figure> figures_;
    std::vector<PointDeviation> rows_;
};

}  // namespace tavrisk_tool
