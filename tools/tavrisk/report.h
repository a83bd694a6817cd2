// SPDX-License-Identifier: MIT
// The figures of one measurement, kept once and printed either as a table for people or as one
// JSON object for programs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
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

// A point that touches a boundary of a form zone: its index (from 0, in file order), the point
// and the boundary ("low", "high", "inner", "outer").
struct SupportPoint {
    std::int64_t index;
    gte::Vector3 point;
    std::string contact;
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

    // Each figure has a JSON key path (nested objects; a part that is a number indexes an array)
    // and a label for the table; figures appear in the order they were added. A figure without
    // a label is in the JSON only, one without a key in the table only.
    void text(std::vector<std::string> key, std::string label, std::string value);
    void count(std::vector<std::string> key, std::string label, std::int64_t value);
    void length(std::vector<std::string> key, std::string label, double value);
    void angle(std::vector<std::string> key, std::string label, double degrees);
    void radians(std::vector<std::string> key, std::string label, double value);
    void position(std::vector<std::string> key, std::string label, gte::Vector3 const& value);
    void direction(std::vector<std::string> key, std::string label, gte::Vector3 const& value);
    void extreme(std::vector<std::string> key, std::string label, Extreme const& value);
    void flag(std::vector<std::string> key, std::string label, bool value);
    void supports(std::vector<std::string> key, std::string label,
                  std::vector<SupportPoint> const& value);
    // Words the table shows after the last figure's value ("certified, 2+2 supports").
    void note(std::string words);

    // A cell of the run's summary row, when several files are measured in one run: its column's
    // heading and its text.
    void summary(std::string heading, std::string cell);
    std::vector<std::pair<std::string, std::string>> const& summaryCells() const {
        return summary_;
    }

    // The exit status the figures give (kExitMeasured, or kExitOutOfTolerance when a tolerance
    // judged them out), also the JSON's "status".
    void setStatus(int status) { status_ = status; }
    int status() const { return status_; }

    void pointDeviations(std::vector<PointDeviation> rows) { rows_ = std::move(rows); }

    // What the first figure (or listed deviation) that is not a finite number is called, in
    // words ("major axis", "deviation of point 3"); none when every number is finite.
    std::optional<std::string> firstNonFinite() const;

    // The table: one figure a line, lengths with six decimals and the unit.
    std::string table() const;
    // One JSON object; numbers round-trip exactly, non-finite numbers are null. Indented, or on
    // one line when compact (a line of JSON lines).
    std::string json(bool compact = false) const;

private:
    enum class Kind {
        kText,
        kCount,
        kLength,
        kAngle,
        kRadians,
        kPosition,
        kDirection,
        kExtreme,
        kFlag,
        kSupports
    };
    struct Figure {
        std::vector<std::string> key;
        std::string label;
        Kind kind = Kind::kText;
        std::string text;
        std::int64_t integer = 0;
        double number = 0.0;
        gte::Vector3 vector = gte::Vector3::zeroVector();
        std::vector<SupportPoint> supports;
        std::string note;
    };

    Figure& add(std::vector<std::string> key, std::string label, Kind kind);
    std::string formatValue(Figure const& figure) const;
    static std::string supportLine(SupportPoint const& support);

    std::string command_;
    std::string unit_;
    std::vector<Figure> figures_;
    std::vector<PointDeviation> rows_;
    std::vector<std::pair<std::string, std::string>> summary_;
    int status_ = 0;
};

}  // namespace tavrisk_tool
