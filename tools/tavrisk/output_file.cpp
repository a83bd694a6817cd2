// SPDX-License-Identifier: MIT
#include "output_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "stopping_signals.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

// What the temporary file of a write in progress is called, for the signal handler to remove:
// the handler may only read a plain buffer that is complete whenever it is marked as in use.
char pendingPath[PATH_MAX + 64];
volatile std::sig_atomic_t pending = 0;

extern "C" void removePendingThenStop(int signal) {
    if (pending != 0) {
        ::unlink(pendingPath);
    }
    // The default action then ends the run as the signal meant to.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Removes the temporary file when the run is stopped while the object lives; the destructor
// removes it on every other way out that has not renamed it.
class TemporaryOutput {
public:
    explicit TemporaryOutput(std::string const& target) : path_(temporaryNameFor(target)) {
        if (path_.size() >= sizeof pendingPath) {
            throw FileProblem("cannot_write",
                              target + ": cannot be written: " + std::strerror(ENAMETOOLONG));
        }
        // The stopping signals wait while the file is made and its name recorded, so that no
        // stop falls between the two.
        int made = 0;
        {
            StoppingSignalsHeld const held;
            fd_ = ::mkstemp(&path_[0]);
            made = errno;
            if (fd_ >= 0) {
                std::memcpy(pendingPath, path_.c_str(), path_.size() + 1);
                pending = 1;
                struct sigaction removal {};
                removal.sa_handler = removePendingThenStop;
                sigemptyset(&removal.sa_mask);
                for (std::size_t i = 0; i < kStoppingSignalCount; ++i) {
                    ::sigaction(kStoppingSignals[i], &removal, &saved_[i]);
                }
            }
        }
        if (fd_ < 0) {
            throw FileProblem("cannot_write",
                              target + ": cannot be written: " + std::strerror(made));
        }
    }
    ~TemporaryOutput() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (pending != 0) {
            ::unlink(path_.c_str());
            pending = 0;
        }
        for (std::size_t i = 0; i < kStoppingSignalCount; ++i) {
            ::sigaction(kStoppingSignals[i], &saved_[i], nullptr);
        }
    }
    TemporaryOutput(TemporaryOutput const&) = delete;
    TemporaryOutput& operator=(TemporaryOutput const&) = delete;

    int fd() const { return fd_; }

    // Closes the file and renames it over target: the file is target's from then on.
    int closeAndRename(std::string const& target) {
        int const closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0) {
            return errno;
        }
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            return errno;
        }
        pending = 0;
        return 0;
    }

private:
    // A hidden name beside the target, so that the rename stays within one file system.
    static std::string temporaryNameFor(std::string const& target) {
        std::string::size_type const slash = target.rfind('/');
        std::string const directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
        std::string const name = slash == std::string::npos ? target : target.substr(slash + 1);
        return directory + "." + name + ".tavrisk-XXXXXX";
    }

    std::string path_;
    int fd_ = -1;
    struct sigaction saved_[kStoppingSignalCount] = {};
};

// The file a symbolic link names, which the map replaces; the path itself otherwise.
std::string followedLink(std::string const& path) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
        return path;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        throw FileProblem("cannot_write",
                          path + ": cannot be written: a link to nothing: " + std::strerror(errno));
    }
    std::string const target(resolved);
    std::free(resolved);
    return target;
}

// The permissions a new file gets from open(2) (0666 less the umask), or the replaced file's.
mode_t permissionsFor(std::string const& target) {
    struct stat status;
    if (::stat(target.c_str(), &status) == 0) {
        return status.st_mode & 07777;
    }
    mode_t const mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int writeAll(int fd, std::string const& text) {
    char const* bytes = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        ssize_t const put = ::write(fd, bytes, left);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return errno;
        }
        bytes += put;
        left -= static_cast<std::size_t>(put);
    }
    return 0;
}

}  // namespace

void checkOutputPath(std::string const& output, std::vector<std::string> const& inputs) {
    struct stat target;
    if (::stat(output.c_str(), &target) != 0) {
        return;  // nothing there yet (or nothing reachable): writing it will tell
    }
    if (!S_ISREG(target.st_mode)) {
        throw UsageProblem(output +
                           ": not a regular file (a FIFO, a device or a directory): a map is "
                           "written only to a regular file");
    }
    for (std::string const& input : inputs) {
        struct stat source;
        bool const found = input == "-" ? ::fstat(STDIN_FILENO, &source) == 0
                                        : ::stat(input.c_str(), &source) == 0;
        if (found && source.st_dev == target.st_dev && source.st_ino == target.st_ino) {
            throw UsageProblem(output + ": is the measured file " +
                               (input == "-" ? std::string("(standard input)") : input) +
                               ": the map would replace it");
        }
    }
}

void writeWholeFile(std::string const& path, std::string const& text) {
    std::string const target = followedLink(path);
    TemporaryOutput temporary(target);
    int problem = ::fchmod(temporary.fd(), permissionsFor(target)) != 0 ? errno : 0;
    if (problem == 0) {
        problem = writeAll(temporary.fd(), text);
    }
    // On the disk before the rename: a full disk that only shows when the bytes are flushed
    // must not leave a shortened map in place of the earlier one.
    // (A file system that cannot flush a file says EINVAL: its bytes are as written.)
    if (problem == 0 && ::fsync(temporary.fd()) != 0 && errno != EINVAL) {
        problem = errno;
    }
    if (problem == 0) {
        problem = temporary.closeAndRename(target);
    }
    if (problem != 0) {
        throw FileProblem("cannot_write", path + ": cannot be written: " + std::strerror(problem));
    }
}

}  // namespace tavrisk_tool
