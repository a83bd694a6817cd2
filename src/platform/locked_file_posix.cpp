// SPDX-License-Identifier: MIT
// The POSIX file layer: open(2), flock(2) and fstat(2).
#include "platform/locked_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrisk {
namespace platform {

LockedFile::~LockedFile() {
    if (fd_ >= 0) {
        // Closing the only descriptor of the open description also drops the lock.
        ::close(fd_);
    }
}

LockedFile::Opening LockedFile::open(char const* path) {
    if (path == nullptr) {
        return Opening::missing;
    }
    if (fd_ >= 0) {
        return Opening::cannotOpen;
    }
    // Non-blocking, so that opening a FIFO without a writer returns at once instead of hanging.
    int fd;
    do {
        fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? Opening::missing : Opening::cannotOpen;
    }
    fd_ = fd;

    struct stat status;
    if (::fstat(fd_, &status) != 0) {
        return Opening::cannotOpen;
    }
    if (!S_ISREG(status.st_mode)) {
        return Opening::notRegular;
    }

    // flock belongs to the open description, so a second open of the same file conflicts even
    // within this process.
    int locked;
    do {
        locked = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        return errno == EWOULDBLOCK ? Opening::locked : Opening::cannotOpen;
    }

    // The size is taken under the lock: from here on only an appending writer that ignores the
    // lock can change it, and what it appends is not read.
    if (::fstat(fd_, &status) != 0) {
        return Opening::cannotOpen;
    }
    if (status.st_size <= 0) {
        return Opening::empty;
    }
    sizeAtOpen_ = static_cast<std::uint64_t>(status.st_size);
    return Opening::opened;
}

long LockedFile::read(char* buffer, std::size_t capacity) {
    if (fd_ < 0 || buffer == nullptr) {
        return -1;
    }
    ssize_t got;
    do {
        got = ::read(fd_, buffer, capacity);
    } while (got < 0 && errno == EINTR);
    return got < 0 ? -1 : static_cast<long>(got);
}

}  // namespace platform
}  // namespace tavrisk
