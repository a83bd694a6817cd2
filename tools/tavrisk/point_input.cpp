// SPDX-License-Identifier: MIT
#include "point_input.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include <unistd.h>

#include "progress.h"
#include "stopping_signals.h"
#include "tavrisk_inspect.h"
#include "tool_error.h"

namespace tavrisk_tool {

namespace {

// More digits than this make an index beyond every file's columns (and beyond size_t).
constexpr std::size_t kLongestIndex = 18;

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
            throw FileProblem("read_error", "cannot keep standard input in a temporary file: " +
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
                throw FileProblem("read_error", "standard input: cannot be read: " +
                                                    std::string(std::strerror(errno)));
            }
            if (got == 0) {
                break;
            }
            writeAll(buffer, static_cast<std::size_t>(got));
        }
        if (::lseek(fd_, 0, SEEK_SET) != 0) {
            throw FileProblem("read_error", "cannot keep standard input in a temporary file: " +
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
                throw FileProblem("read_error", "cannot keep standard input in a temporary file: " +
                                                    std::string(std::strerror(errno)));
            }
            bytes += put;
            size -= static_cast<std::size_t>(put);
        }
    }

    int fd_ = -1;
};

// The tool's option that resolves a problem: its name, and how a message shows it.
struct OptionSpelling {
    std::string name;
    std::string shown;
};

OptionSpelling optionSpelling(int option) {
    switch (option) {
        case TVI_OPTION_COLUMNS:
            return {"--columns", "--columns X,Y,Z"};
        case TVI_OPTION_DECIMAL_COMMA:
            return {"--decimal-comma",
                    "--decimal-comma, or --no-decimal-comma when commas separate values"};
        case TVI_OPTION_COMMENT:
            return {"--comment", "--comment '#'"};
        case TVI_OPTION_FORMAT:
            return {"--format", "--format"};
        default:
            return {};
    }
}

// The library's message with its name of the option ("(option columns)") in the tool's
// spelling, or the tool's spelling added where the message names none.
std::string messageWithOption(std::string message, OptionSpelling const& option) {
    if (option.name.empty()) {
        return message;
    }
    std::string const named = "(option ";
    std::string::size_type const at = message.find(named);
    std::string::size_type const close =
        at == std::string::npos ? std::string::npos : message.find(')', at);
    if (close == std::string::npos) {
        return message + " (" + option.shown + ")";
    }
    return message.replace(at + 1, close - at - 1, option.shown);
}

ErrorDetail detailOf(tvi_problem const& problem, OptionSpelling const& option) {
    ErrorDetail detail;
    detail.kind = tvi_problem_kind_name(problem.kind);
    detail.line = problem.line;
    detail.column = problem.column;
    detail.element = problem.element;
    detail.text = problem.text;
    detail.option = option.name;
    if (problem.format != TVI_FORMAT_AUTO) {
        detail.format = tvi_format_name(problem.format);
    }
    return detail;
}

struct PointsDeleter {
    void operator()(tvi_points* points) const { tvi_free_points(points); }
};
using OwnedPoints = std::unique_ptr<tvi_points, PointsDeleter>;

// The library's options from the tool's: the columns given as indices or names (names point
// into options, which must outlive the result), or the columns given here.
tvi_read_options libraryOptions(ReadOptions const& options,
                                std::optional<std::array<std::size_t, 3>> const& columns) {
    tvi_read_options library;
    tvi_init_read_options(&library);
    library.format = options.format;
    library.decimal_comma = options.decimalComma;
    library.comment = static_cast<unsigned char>(options.comment);
    if (columns) {
        for (int axis = 0; axis < 3; ++axis) {
            library.column_index[axis] = (*columns)[static_cast<std::size_t>(axis)];
        }
        return library;
    }
    for (std::size_t axis = 0; axis < options.columns.size() && axis < 3; ++axis) {
        std::string const& column = options.columns[axis];
        bool const digits =
            !column.empty() && column.find_first_not_of("0123456789") == std::string::npos;
        if (digits) {
            // An index too long for a size_t is as far beyond the file's columns as SIZE_MAX.
            library.column_index[axis] = column.size() > kLongestIndex
                                             ? static_cast<std::size_t>(-1)
                                             : static_cast<std::size_t>(std::stoull(column));
        } else {
            library.column_name[axis] = column.c_str();
        }
    }
    return library;
}

// Reads with the library's reader; a refusal becomes a FileProblem with the reader's reason.
PointFile readInto(std::string const& path, std::string const& name, ReadOptions const& options,
                   std::optional<std::array<std::size_t, 3>> const& columns) {
    tvi_read_options library = libraryOptions(options, columns);
    ReadingProgress progress(name);
    progress.attachTo(library);
    tvi_points* read = nullptr;
    tvi_problem problem;
    int const status = tvi_read_points_file(path.c_str(), &library, &read, &problem);
    OwnedPoints const owned(read);
    if (status != TVI_OK) {
        progress.abandon();
        if (status == TVI_OUT_OF_MEMORY) {
            throw std::bad_alloc();
        }
        OptionSpelling const option = optionSpelling(problem.option);
        std::string const message = messageWithOption(problem.message, option);
        if (status == TVI_BAD_ARGUMENT) {
            throw UsageProblem(message);
        }
        ErrorDetail detail = detailOf(problem, option);
        detail.file = name;
        throw FileProblem(detail, name + ": " + message);
    }
    PointFile file;
    file.points.reserve(read->count);
    for (std::size_t i = 0; i < read->count; ++i) {
        gte_point const& p = read->points[i];
        file.points.emplace_back(p.x, p.y, p.z);
    }
    file.format = tvi_format_name(read->format);
    file.valuesPerLine = read->format == TVI_FORMAT_TEXT ? read->values_per_line : 0;
    progress.finish(file.points.size());
    return file;
}

}  // namespace

std::string displayName(std::string const& path) {
    return path == "-" ? std::string("standard input") : path;
}

PointFile readPointFile(std::string const& path, ReadOptions const& options,
                        std::optional<std::array<std::size_t, 3>> columns) {
    if (path == "-") {
        // Standard input is copied once, when first read, and kept for the run: a second
        // reading of it (the two halves of a nominal contour) reads the same bytes.
        static std::unique_ptr<PrivateCopy> copy;
        if (!copy) {
            auto made = std::make_unique<PrivateCopy>();
            made->fillFromStandardInput();
            copy = std::move(made);
        }
        return readInto(copy->path(), "standard input", options, columns);
    }
    return readInto(path, path, options, columns);
}

std::optional<std::string> readOptionsProblem(ReadOptions const& options) {
    tvi_read_options const library = libraryOptions(options, std::nullopt);
    tvi_points* read = nullptr;
    tvi_problem problem;
    // No data at all: the library looks at the options first, and refuses the empty data only
    // when it takes them.
    int const status = tvi_read_points_memory(nullptr, 0, &library, &read, &problem);
    OwnedPoints const owned(read);
    if (status == TVI_BAD_ARGUMENT) {
        return std::string(problem.message);
    }
    return std::nullopt;
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
