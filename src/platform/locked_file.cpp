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

bool LockedFile::open(char const* path) {
    if (path == nullptr || fd_ >= 0) {
        return false;
    }
    // Non-blocking, so that opening a FIFO without a writer returns at once instead of hanging.
    int fd;
    do {
        fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return false;
    }
    fd_ = fd;

    // flock belongs to the open description, so a second open of the same file conflicts even
    // within this process.
    int locked;
    do {
        locked = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        return false;
    }

    struct stat status;
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) {
        return false;
    }
    return true;
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
