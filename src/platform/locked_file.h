// SPDX-License-Identifier: MIT
// A regular file held open for reading under an exclusive lock, read front to back in chunks.
//
// Each platform has its own implementation of this small interface (locked_file_posix.cpp,
// locked_file_win32.cpp, one chosen by the build); the reader above it relies only on what is
// stated here, so every platform refuses the same files for the same reasons.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrisk {
namespace platform {

class LockedFile {
public:
    enum class Opening {
        opened,
        missing,     // no file at the path (or no path)
        cannotOpen,  // the file exists but may not be opened for reading
        notRegular,  // a directory, pipe, device or socket
        locked,      // another open description holds a lock on it (Windows: any other handle)
        empty,       // zero bytes when the lock was taken
    };

    LockedFile() = default;
    ~LockedFile();
    LockedFile(LockedFile const&) = delete;
    LockedFile& operator=(LockedFile const&) = delete;

    // Opens path read-only and locks it exclusively without waiting, then takes its size. Only a
    // regular file of at least one byte opens. The lock lasts until the object is destroyed.
    // path is a narrow string: bytes for POSIX, the ANSI code page's characters on Windows.
    Opening open(char const* path);

    // The size of the file once the lock was held. Bytes written beyond it afterwards (another
    // process appending) are no part of what the caller should read.
    std::uint64_t sizeAtOpen() const { return sizeAtOpen_; }

    // Reads the next bytes into buffer: the count read (possibly fewer than capacity), 0 at the
    // end of the file, -1 on error.
    long read(char* buffer, std::size_t capacity);

    // Fills buffer with exactly size bytes; false when the file ends or fails first.
    bool readExactly(char* buffer, std::size_t size) {
        std::size_t got = 0;
        while (got < size) {
            long const n = read(buffer + got, size - got);
            if (n <= 0) {
                return false;
            }
            got += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
#if defined(_WIN32)
    void* handle_ = nullptr;  // the file's HANDLE once opened
#else
    int fd_ = -1;
#endif
    std::uint64_t sizeAtOpen_ = 0;
};

}  // namespace platform
}  // namespace tavrisk
