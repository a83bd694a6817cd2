// SPDX-License-Identifier: MIT
#include "error_report.h"

#include <cstdio>

#include <nlohmann/json.hpp>

namespace tavrisk_tool {

namespace {

using Json = nlohmann::ordered_json;

// A text that is absent is null rather than empty; a place that is absent (0) is null.
Json textOrNull(std::string const& text) {
    return text.empty() ? Json(nullptr) : Json(text);
}

Json placeOrNull(std::uint64_t place) {
    return place == 0 ? Json(nullptr) : Json(place);
}

}  // namespace

std::string errorJson(std::string const& command, std::string const& file, ToolError const& error,
                      bool compact) {
    ErrorDetail const& detail = error.detail();
    Json out = Json::object();
    out["command"] = textOrNull(command);
    out["file"] = textOrNull(detail.file.empty() ? file : detail.file);
    out["status"] = static_cast<int>(error.status());
    out["error"] = {{"kind", detail.kind},
                    {"line", placeOrNull(detail.line)},
                    {"column", placeOrNull(detail.column)},
                    {"element", placeOrNull(detail.element)},
                    {"text", textOrNull(detail.text)},
                    {"option", textOrNull(detail.option)},
                    {"format", textOrNull(detail.format)},
                    {"message", error.what()}};
    // Paths may hold bytes that are not UTF-8; they are replaced rather than refused.
    return out.dump(compact ? -1 : 2, ' ', false, Json::error_handler_t::replace) + "\n";
}

void printErrorJson(std::string const& command, std::string const& file, ToolError const& error,
                    bool compact) {
    std::string const text = errorJson(command, file, error, compact);
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace tavrisk_tool
