// SPDX-License-Identifier: MIT
#include "report.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <nlohmann/json.hpp>

#include "formatted.h"

namespace tavrisk_tool {

namespace {

std::string triple(char const* pattern, gte::Vector3 const& v) {
    return "(" + formatted(pattern, v[0]) + ", " + formatted(pattern, v[1]) + ", " +
           formatted(pattern, v[2]) + ")";
}

nlohmann::ordered_json jsonNumber(double value) {
    // JSON has no NaN or infinity; a figure that is not a number is written as null.
    return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json jsonVector(gte::Vector3 const& v) {
    return nlohmann::ordered_json::array({jsonNumber(v[0]), jsonNumber(v[1]), jsonNumber(v[2])});
}

std::string jsonPointer(std::vector<std::string> const& key) {
    std::string pointer;
    for (std::string const& part : key) {
        pointer += "/" + part;
    }
    return pointer;
}

}  // namespace

Report::Report(std::string command, std::string unit)
    : command_(std::move(command)), unit_(std::move(unit)) {}

Report::Figure& Report::add(std::vector<std::string> key, std::string label, Kind kind) {
    Figure figure;
    figure.key = std::move(key);
    figure.label = std::move(label);
    figure.kind = kind;
    figures_.push_back(std::move(figure));
    return figures_.back();
}

void Report::text(std::vector<std::string> key, std::string label, std::string value) {
    add(std::move(key), std::move(label), Kind::kText).text = std::move(value);
}

void Report::count(std::vector<std::string> key, std::string label, std::int64_t value) {
    add(std::move(key), std::move(label), Kind::kCount).integer = value;
}

void Report::length(std::vector<std::string> key, std::string label, double value) {
    add(std::move(key), std::move(label), Kind::kLength).number = value;
}

void Report::angle(std::vector<std::string> key, std::string label, double degrees) {
    add(std::move(key), std::move(label), Kind::kAngle).number = degrees;
}

void Report::radians(std::vector<std::string> key, std::string label, double value) {
    add(std::move(key), std::move(label), Kind::kRadians).number = value;
}

void Report::position(std::vector<std::string> key, std::string label, gte::Vector3 const& value) {
    add(std::move(key), std::move(label), Kind::kPosition).vector = value;
}

void Report::direction(std::vector<std::string> key, std::string label, gte::Vector3 const& value) {
    add(std::move(key), std::move(label), Kind::kDirection).vector = value;
}

void Report::flag(std::vector<std::string> key, std::string label, bool value) {
    add(std::move(key), std::move(label), Kind::kFlag).integer = value ? 1 : 0;
}

void Report::supports(std::vector<std::string> key, std::string label,
                      std::vector<SupportPoint> const& value) {
    add(std::move(key), std::move(label), Kind::kSupports).supports = value;
}

void Report::note(std::string words) {
    figures_.back().note = std::move(words);
}

void Report::summary(std::string heading, std::string cell) {
    summary_.emplace_back(std::move(heading), std::move(cell));
}

void Report::extreme(std::vector<std::string> key, std::string label, Extreme const& value) {
    Figure& figure = add(std::move(key), std::move(label), Kind::kExtreme);
    figure.number = value.value;
    figure.integer = value.index;
    figure.vector = value.point;
}

std::optional<std::string> Report::firstNonFinite() const {
    for (Figure const& f : figures_) {
        bool const vector =
            f.kind == Kind::kPosition || f.kind == Kind::kDirection || f.kind == Kind::kExtreme;
        bool const number = f.kind != Kind::kText && f.kind != Kind::kCount &&
                            f.kind != Kind::kFlag && f.kind != Kind::kSupports && !vector;
        if (((number || f.kind == Kind::kExtreme) && !std::isfinite(f.number)) ||
            (vector && !(std::isfinite(f.vector[0]) && std::isfinite(f.vector[1]) &&
                         std::isfinite(f.vector[2])))) {
            return f.label;
        }
    }
    for (Figure const& f : figures_) {
        for (SupportPoint const& support : f.supports) {
            gte::Vector3 const& p = support.point;
            if (!(std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]))) {
                return f.label;
            }
        }
    }
    for (PointDeviation const& row : rows_) {
        if (!std::isfinite(row.deviation)) {
            return "deviation of point " + std::to_string(row.index);
        }
    }
    return std::nullopt;
}

std::string Report::formatValue(Figure const& f) const {
    switch (f.kind) {
        case Kind::kText:
            return f.text;
        case Kind::kCount:
            return std::to_string(f.integer);
        case Kind::kLength:
            return formatted("%.6f", f.number) + " " + unit_;
        case Kind::kAngle:
            return formatted("%.6f", f.number) + " deg";
        case Kind::kRadians:
            return formatted("%.9f", f.number) + " rad";
        case Kind::kPosition:
            return triple("%.6f", f.vector) + " " + unit_;
        case Kind::kDirection:
            return triple("%.9f", f.vector);
        case Kind::kExtreme:
            return formatted("%+.6f", f.number) + " " + unit_ + " at point index " +
                   std::to_string(f.integer) + " " + triple("%.6f", f.vector);
        case Kind::kFlag:
            return f.integer != 0 ? "yes" : "no";
        case Kind::kSupports:
            break;  // a line each, laid out by the table
    }
    return std::string();
}

std::string Report::supportLine(SupportPoint const& support) {
    return formatted("%-5s", support.contact.c_str()) + " point index " +
           std::to_string(support.index) + " " + triple("%.6f", support.point);
}

std::string Report::table() const {
    std::size_t width = 0;
    for (Figure const& f : figures_) {
        width = std::max(width, f.label.size());
    }
    std::string out = command_ + "\n";
    std::string const indent(width + 4, ' ');
    for (Figure const& f : figures_) {
        if (f.label.empty()) {
            continue;  // in the JSON only
        }
        out += "  " + f.label + std::string(width + 2 - f.label.size(), ' ');
        if (f.kind == Kind::kSupports) {
            for (std::size_t i = 0; i < f.supports.size(); ++i) {
                out += (i > 0 ? indent : "") + supportLine(f.supports[i]) + "\n";
            }
            if (f.supports.empty()) {
                out += "none\n";
            }
            continue;
        }
        out += formatValue(f) + (f.note.empty() ? "" : "  (" + f.note + ")") + "\n";
    }
    if (!rows_.empty()) {
        out += "\n  index           x             y             z         deviation";
        out += rows_.front().nominalIndex ? "   nominal\n" : "\n";
        for (PointDeviation const& row : rows_) {
            out += formatted("  %5lld  %12.6f  %12.6f  %12.6f  %+14.6f",
                             static_cast<long long>(row.index), row.point[0], row.point[1],
                             row.point[2], row.deviation);
            if (row.nominalIndex) {
                out += "   " + std::to_string(*row.nominalIndex);
            }
            out += "\n";
        }
    }
    return out;
}

std::string Report::json(bool compact) const {
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    out["command"] = command_;
    out["unit"] = unit_;
    out["status"] = status_;
    for (Figure const& f : figures_) {
        if (f.key.empty()) {
            continue;  // in the table only
        }
        nlohmann::ordered_json value;
        switch (f.kind) {
            case Kind::kText:
                value = f.text;
                break;
            case Kind::kCount:
                value = f.integer;
                break;
            case Kind::kLength:
            case Kind::kAngle:
            case Kind::kRadians:
                value = jsonNumber(f.number);
                break;
            case Kind::kPosition:
            case Kind::kDirection:
                value = jsonVector(f.vector);
                break;
            case Kind::kExtreme:
                value = {{"value", jsonNumber(f.number)},
                         {"index", f.integer},
                         {"point", jsonVector(f.vector)}};
                break;
            case Kind::kFlag:
                value = f.integer != 0;
                break;
            case Kind::kSupports:
                value = nlohmann::ordered_json::array();
                for (SupportPoint const& support : f.supports) {
                    value.push_back({{"index", support.index},
                                     {"point", jsonVector(support.point)},
                                     {"contact", support.contact}});
                }
                break;
        }
        out[nlohmann::ordered_json::json_pointer(jsonPointer(f.key))] = std::move(value);
    }
    if (!rows_.empty()) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (PointDeviation const& row : rows_) {
            nlohmann::ordered_json entry = {{"index", row.index},
                                            {"point", jsonVector(row.point)},
                                            {"deviation", jsonNumber(row.deviation)}};
            if (row.nominalIndex) {
                entry["nominal_index"] = *row.nominalIndex;
            }
            list.push_back(std::move(entry));
        }
        out["point_deviations"] = std::move(list);
    }
    // Paths may hold bytes that are not UTF-8; they are replaced rather than refused.
    return out.dump(compact ? -1 : 2, ' ', false,
                    nlohmann::ordered_json::error_handler_t::replace) +
           "\n";
}

}  // namespace tavrisk_tool
