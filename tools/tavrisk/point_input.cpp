// SPDX-License-Identifier: MIT
#include "point_input.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "pointtext/point_file.h"
#include "progress.h"
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

// Reads with the library's reader; a refusal becomes a FileProblem with the reader's reason.
void readInto(std::string const& path, std::string const& name, std::vector<gte::Vector3>& points) {
    tavrisk::PointFileProblem problem;
    ReadingProgress progress(name);
    if (!tavrisk::readPointFile(path.c_str(), points, &problem, progress.hook())) {
        progress.abandon();
        throw FileProblem(name + ": " + tavrisk::describe(problem));
    }
    progress.finish(points.size());
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
        readInto(copy.path(), "standard input", points);
        return points;
    }
    readInto(path, path, points);
    return points;
}

void requireOneCall(std::size_t count) {
    if (count > static_cast<std::size_t>(INT_MAX)) {
        throw Refusal(std::to_string(count) +
                      " points are more than one measurement takes (2147483647)");
    }
}

std::vector<gte_point> toRecords(std::vector<gte::Vector3> const& points) {
    requireOneCall(points.size());
    std::vector<gte_point> records;
    records.reserve(points.size());
    for (gte::Vector3 const& p : points) {
        records.emplace_back(p[0], p[1], p[2]);
    }
    return records;
}

}  // namespace tavrisk_tool
