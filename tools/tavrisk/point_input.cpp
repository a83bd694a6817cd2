#include "point_input.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "measure/point_file.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

// A temporary file that only this process knows, removed when the object goes.
class PrivateCopy {
public:
    PrivateCopy() {
        char const* dir = std::getenv("TMPDIR");
        path_ = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/tavrisk-XXXXXX";
        fd_ = ::mkstemp(&path_[0]);
        if (fd_ < 0) {
            throw FileProblem("cannot keep standard input in a temporary file: " +
                              std::string(std::strerror(errno)));
        }
    }
    ~PrivateCopy() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        ::unlink(path_.c_str());
    }
    PrivateCopy(PrivateCopy const&) = delete;
    PrivateCopy& operator=(PrivateCopy const&) = delete;

    // Copies standard input to the end and closes the copy, so the reader can lock it.
    void fillFromStandardInput() {
        char buffer[1 << 16];
        for (;;) {
            ssize_t const got = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                throw FileProblem("standard input: cannot be read: " +
                                  std::string(std::strerror(errno)));
            }
            if (got == 0) {
                break;
            }
            writeAll(buffer, static_cast<std::size_t>(got));
        }
        ::close(fd_);
        fd_ = -1;
    }

    std::string const& path() const { return path_; }

private:
    void writeAll(char const* bytes, std::size_t size) {
        while (size > 0) {
            ssize_t const put = ::write(fd_, bytes, size);
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put < 0) {
                throw FileProblem("cannot keep standard input in a temporary file: " +
                                  std::string(std::strerror(errno)));
            }
            bytes += put;
            size -= static_cast<std::size_t>(put);
        }
    }

    std::string path_;
    int fd_ = -1;
};

// Why the reader turned the file down, found by looking at the file the way the reader does.
std::string unreadableReason(std::string const& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        return errno == ENOENT ? "no such file" : std::strerror(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return S_ISDIR(status.st_mode) ? "a directory, not a point file" : "not a regular file";
    }
    if (status.st_size == 0) {
        return "empty";
    }
    int const fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return std::strerror(errno);
    }
    bool const held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    if (held) {
        return "held open by another measurement";
    }
    return "no complete point (three numbers make a point)";
}

}  // namespace

std::string displayName(std::string const& path) {
    return path == "-" ? std::string("standard input") : path;
}

std::vector<gte::Vector3> readPoints(std::string const& path) {
    std::vector<gte::Vector3> points;
    if (path == "-") {
        PrivateCopy copy;
        copy.fillFromStandardInput();
        if (tavrisk::readPointFile(copy.path().c_str(), points) != 0) {
            std::string reason = unreadableReason(copy.path());
            throw FileProblem("standard input: " + reason);
        }
        return points;
    }
    if (tavrisk::readPointFile(path.c_str(), points) != 0) {
        throw FileProblem(path + ": " + unreadableReason(path));
    }
    return points;
}

std::vector<gte_point> toRecords(std::vector<gte::Vector3> const& points) {
    if (points.size() > static_cast<std::size_t>(INT_MAX)) {
        throw Refusal(std::to_string(points.size()) +
                      " points are more than one measurement takes (2147483647)");
    }
    std::vector<gte_point> records;
    records.reserve(points.size());
    for (gte::Vector3 const& p : points) {
        records.emplace_back(p[0], p[1], p[2]);
    }
    return records;
}

}  // namespace tavrisk_tool
