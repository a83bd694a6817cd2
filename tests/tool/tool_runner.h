// Runs the built tavrisk program as a user would and captures what it prints and its status.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tool_test {

struct Run {
    int status;
    std::string out;
    std::string err;
    nlohmann::json json() const { return nlohmann::json::parse(out); }
};

inline std::string slurp(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string quoted(std::string const& arg) {
    std::string out = "'";
    for (char c : arg) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

// A scratch directory for one test, removed with it.
class Scratch {
public:
    Scratch() {
        char pattern[] = "/tmp/tavrisk_tool_XXXXXX";
        dir_ = mkdtemp(pattern);
    }
    ~Scratch() { std::filesystem::remove_all(dir_); }
    std::string write(std::string const& name, std::string const& content) const {
        std::string const path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string path(std::string const& name) const { return dir_ + "/" + name; }

private:
    std::string dir_;
};

// Runs the tool with args; standard input comes from stdinPath (empty: /dev/null).
inline Run runTool(std::vector<std::string> const& args, std::string const& stdinPath = "") {
    Scratch capture;
    std::string command = quoted(TAVRISK_TOOL_PATH);
    for (std::string const& arg : args) {
        command += " " + quoted(arg);
    }
    command += " < " + quoted(stdinPath.empty() ? "/dev/null" : stdinPath);
    command += " > " + quoted(capture.path("out")) + " 2> " + quoted(capture.path("err"));
    int const raw = std::system(command.c_str());
    int const status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return Run{status, slurp(capture.path("out")), slurp(capture.path("err"))};
}

// A bundled sample. The reader holds a file under an exclusive lock, so tests that run at once
// would refuse each other's reads of one sample: each test program measures copies of its own.
inline std::string dataFile(std::string const& name) {
    static Scratch const copies;
    std::string const copy = copies.path(name);
    if (!std::filesystem::exists(copy)) {
        std::filesystem::copy_file(std::string(TAVRISK_DATA_DIR) + "/" + name, copy);
    }
    return copy;
}

}  // namespace tool_test
