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
#include "stopping_signals.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

// A temporary file that only this process knows: its name is removed the moment it is made, so
// that nothing is left in the temporary folder however the run ends (a signal or a crash
// included); its bytes live while the descriptor is open and are read through it.
class PrivateCopy {
public:
    PrivateCopy() {
        char const* dir = std::getenv("TMPDIR");
        std::string path =
            std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/tavrisk-XXXXXX";
        int made = 0;
        {
            // A stop between making the file and removing its name would leave it behind.
            StoppingSignalsHeld const held;
            fd_ = ::mkstemp(&path[0]);
            made = errno;
            if (fd_ >= 0) {
                ::unlink(path.c_str());
            }
        }
        if (fd_ < 0) {
            throw FileProblem("cannot keep standard input in a temporary file: " +
                              std::string(std::strerror(made)));
        }
    }
    ~PrivateCopy() { ::close(fd_); }
    PrivateCopy(PrivateCopy const&) = delete;
    PrivateCopy& operator=(PrivateCopy const&) = delete;

    // Copies standard input to the end, then goes back to the start for the reader.
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
        if (::lseek(fd_, 0, SEEK_SET) != 0) {
            throw FileProblem("cannot keep standard input in a temporary file: " +
                              std::string(std::strerror(errno)));
        }
    }

    // A name the reader opens the copy by: the open descriptor's (a file of its own open where
    // the system gives one, such as Linux; a duplicate, at the start, elsewhere).
    std::string path() const { return "/dev/fd/" + std::to_string(fd_); }

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
