// A fresh directory for the files a test writes, removed with everything in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tavrisk_test {

class TempDir {
public:
    TempDir() {
        std::random_device random;
        std::filesystem::path const base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = (base / ("tavrisk_test_" + std::to_string(random()))).string();
            if (std::filesystem::create_directory(path_)) {
                return;
            }
        }
        throw std::runtime_error("no temporary directory");
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(TempDir const&) = delete;
    TempDir& operator=(TempDir const&) = delete;

    std::string const& path() const { return path_; }

    // Writes content byte for byte to the file called name in the directory; returns its path.
    std::string write(std::string const& name, std::string const& content) const {
        std::string const file = path_ + "/" + name;
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }

private:
    std::string path_;
};

}  // namespace tavrisk_test
