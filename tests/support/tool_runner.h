// SPDX-License-Identifier: MIT
// Runs the built tavrisk program as a user would and captures what it prints and its status.
// The tool tests define TAVRISK_TOOL_PATH and TAVRISK_DATA_DIR.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/scratch_files.h"

namespace tavrisk_test {

struct ToolRun {
    int status;
    std::string out, err;
    nlohmann::json json() const { return nlohmann::json::parse(out); }
};

// Runs the tool with args, standard input read from stdinPath. shellPrefix, when given, is shell
// text put before the tool's command ("timeout 30", limits set with ulimit, ...).
inline ToolRun runTool(std::vector<std::string> const& args,
                       std::string const& stdinPath = "/dev/null",
                       std::string const& shellPrefix = "") {
    ScratchDirectory const capture;
    std::string const out = (capture.path() / "out").string();
    std::string const err = (capture.path() / "err").string();
    auto const quoted = [](std::string const& text) {
        std::string shell = "'";
        for (char c : text) shell += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return shell + "'";
    };
    std::string command = shellPrefix + " " + quoted(TAVRISK_TOOL_PATH);
    for (std::string const& arg : args) command += " " + quoted(arg);
    command += " < " + quoted(stdinPath) + " > " + quoted(out) + " 2> " + quoted(err);
    int const raw = std::system(command.c_str());
    auto const slurp = [](std::string const& path) {
        std::stringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    };
    return ToolRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), slurp(out), slurp(err)};
}

// A bundled sample. The reader holds a file under an exclusive lock, so tests that run at once
// would refuse each other's reads of one sample: each test program measures copies of its own.
inline std::string dataFile(std::string const& name) {
    static ScratchDirectory const copies;
    std::filesystem::path const copy = copies.path() / name;
    if (!std::filesystem::exists(copy)) {
        std::filesystem::copy_file(std::filesystem::path(TAVRISK_DATA_DIR) / name, copy);
    }
    return copy.string();
}

}  // namespace tavrisk_test
