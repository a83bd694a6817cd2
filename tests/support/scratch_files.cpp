// SPDX-License-Identifier: MIT
#include "support/scratch_files.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavrisk_test {

namespace {

// Process id, time and a counter: unique among the test processes running at once.
std::string uniqueName(char const* prefix) {
    static std::atomic<unsigned> counter{0};
#if defined(_WIN32)
    unsigned long const process = ::GetCurrentProcessId();
#else
    unsigned long const process = static_cast<unsigned long>(::getpid());
#endif
    auto const now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::string(prefix) + std::to_string(process) + "_" + std::to_string(now) + "_" +
           std::to_string(counter++);
}

// The path in a form the platform's file functions take at any length: on Windows the absolute
// path in the \\?\ notation, elsewhere the path itself.
std::filesystem::path withoutLengthLimit(std::filesystem::path const& path) {
#if defined(_WIN32)
    std::wstring const absolute = std::filesystem::absolute(path).make_preferred().native();
    return absolute.compare(0, 4, L"\\\\?\\") == 0 ? absolute : L"\\\\?\\" + absolute;
#else
    return path;
#endif
}

}  // namespace

#if defined(_WIN32)

std::string narrowPath(std::filesystem::path const& path) {
    std::wstring const& wide = path.native();
    // A character the code page lacks would come out as '?', naming another file. (UTF-8 has
    // every character, and the conversion refuses to be asked.)
    BOOL lossy = FALSE;
    BOOL* const lossyWhere = ::GetACP() == CP_UTF8 ? nullptr : &lossy;
    int const size =
        ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, lossyWhere);
    if (size <= 0 || lossy) {
        return std::string();
    }
    std::string narrow(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(size - 1));
    return narrow;
}

HeldFile::HeldFile(std::string const& path, Hold hold) {
    std::wstring const wide = std::filesystem::path(path).wstring();
    handle_ = ::CreateFileW(wide.c_str(), GENERIC_READ,
                            hold == Hold::shared ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

HeldFile::~HeldFile() {
    if (held()) {
        ::CloseHandle(handle_);
    }
}

bool HeldFile::held() const {
    return handle_ != INVALID_HANDLE_VALUE;
}

std::string notRegularFile(std::filesystem::path const&) {
    return "NUL";
}

#else

std::string narrowPath(std::filesystem::path const& path) {
    return path.native();
}

HeldFile::HeldFile(std::string const& path, Hold hold)
    : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ >= 0 && ::flock(fd_, (hold == Hold::shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

HeldFile::~HeldFile() {
    if (held()) {
        ::close(fd_);
    }
}

bool HeldFile::held() const {
    return fd_ >= 0;
}

std::string notRegularFile(std::filesystem::path const& directory) {
    std::string const path = narrowPath(directory / uniqueName("fifo_"));
    if (::mkfifo(path.c_str(), 0600) != 0) {
        throw std::runtime_error("no FIFO " + path);
    }
    return path;
}

#endif

ScratchDirectory::ScratchDirectory()
    : path_(std::filesystem::temp_directory_path() / uniqueName("tavrisk_")) {
    std::filesystem::create_directory(path_);
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(withoutLengthLimit(path_), ignored);
}

std::string ScratchDirectory::write(std::filesystem::path const& name,
                                    std::string const& content) const {
    std::filesystem::path const file = path_ / name;
    // Each missing directory on the way, one at a time: the path may be longer than the
    // platform's file functions take in plain notation.
    std::filesystem::path directory = path_;
    for (auto const& part : name.parent_path()) {
        directory /= part;
        std::filesystem::create_directory(withoutLengthLimit(directory));
    }
    std::ofstream out(withoutLengthLimit(file), std::ios::binary);
    out << content;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
    return narrowPath(file);
}

}  // namespace tavrisk_test
