// SPDX-License-Identifier: MIT
// Files for the tests, made the same way on every platform: scratch directories, the narrow path
// a host passes, a file held open by another handle, a file that is no regular file.
#pragma once

#include <filesystem>
#include <string>

namespace tavrisk_test {

// The path as the narrow string a host hands the library: its bytes on POSIX, its characters in
// the ANSI code page on Windows (empty when that code page cannot spell them).
std::string narrowPath(std::filesystem::path const& path);

// A new directory under the system's temporary directory, removed with all it holds.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(ScratchDirectory const&) = delete;
    ScratchDirectory& operator=(ScratchDirectory const&) = delete;

    std::filesystem::path const& path() const { return path_; }

    // Writes content, byte for byte, to the file name (a path relative to the directory, of any
    // length) and returns its narrow path.
    std::string write(std::filesystem::path const& name, std::string const& content) const;

private:
    std::filesystem::path path_;
};

// How another program holds a file open.
enum class Hold {
    shared,     // POSIX: a shared flock; Windows: a handle that lets others read
    exclusive,  // POSIX: an exclusive flock; Windows: a handle that shares nothing
};

// The file at path held open from a handle of its own for as long as the object lives, as a
// second measurement or another program would hold it.
class HeldFile {
public:
    HeldFile(std::string const& path, Hold hold);
    ~HeldFile();
    HeldFile(HeldFile const&) = delete;
    HeldFile& operator=(HeldFile const&) = delete;

    bool held() const;

private:
#if defined(_WIN32)
    void* handle_;
#else
    int fd_;
#endif
};

// The name of something that exists but is no regular file, and that a reader must not wait on:
// a new FIFO without a writer in directory on POSIX (removed with it), the null device on
// Windows.
std::string notRegularFile(std::filesystem::path const& directory);

}  // namespace tavrisk_test
