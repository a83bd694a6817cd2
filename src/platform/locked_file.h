// A file held open for reading under an exclusive advisory lock, read front to back in chunks.
#pragma once

#include <cstddef>

namespace tavrisk {
namespace platform {

class LockedFile {
public:
    LockedFile() = default;
    ~LockedFile();
    LockedFile(LockedFile const&) = delete;
    LockedFile& operator=(LockedFile const&) = delete;

    // Opens path read-only and locks it exclusively without waiting. Refuses a missing file, a
    // file another open description has locked, anything that is not a regular file, and an
    // empty file. The lock lasts until the object is destroyed.
    bool open(char const* path);

    // Reads the next bytes into buffer: the count read, 0 at the end of the file, -1 on error.
    long read(char* buffer, std::size_t capacity);

private:
    int fd_ = -1;
};

}  // namespace platform
}  // namespace tavrisk
