// SPDX-License-Identifier: MIT
// Reading point files: the options a host gives, checked and turned into the reader's, and the
// block of points the host receives and frees.
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "api/export_guard.h"
#include "api/problem_record.h"
#include "reading/point_reading.h"
#include "reading/problem_messages.h"
#include "tavrisk_inspect.h"

namespace tavrisk {

namespace {

static_assert(sizeof(gte::Vector3) == sizeof(gte_point) &&
                  alignof(gte::Vector3) == alignof(gte_point),
              "the points read are handed out as point records without a copy");

// The block behind a tvi_points: the record the host sees, and the storage it points into.
struct PointBlock : tvi_points {
    std::vector<gte::Vector3> coordinates;
    std::vector<std::string> names;
    std::vector<char const*> namePointers;
};

// The size of the first version of the options record: every later one is longer.
constexpr std::size_t kFirstOptionsSize = sizeof(tvi_read_options);

tvi_read_options defaultOptions() {
    tvi_read_options options;
    std::memset(&options, 0, sizeof options);
    options.size = sizeof options;
    options.format = TVI_FORMAT_AUTO;
    options.decimal_comma = TVI_DECIMAL_COMMA_AUTO;
    return options;
}

// Whether c may start a comment line: a visible character that no value or separator starts
// with.
bool commentCharacter(int c) {
    return c > ' ' && c < 0x7F && !(c >= '0' && c <= '9') && std::strchr("+-.,;", c) == nullptr;
}

int badOption(tvi_problem& problem, char const* message) {
    problem = callProblem(TVI_PROBLEM_BAD_OPTION, message);
    return TVI_BAD_ARGUMENT;
}

// The reader's options from the host's record (null: the defaults); TVI_OK, or TVI_BAD_ARGUMENT
// with the problem naming the option.
int readerOptions(tvi_read_options const* given, PointReadingOptions& options,
                  tvi_problem& problem) {
    tvi_read_options host = defaultOptions();
    if (given != nullptr) {
        if (given->size < kFirstOptionsSize || given->size > sizeof host) {
            return badOption(problem,
                             "the options record has a size this library does not know: "
                             "fill it with tvi_init_read_options");
        }
        std::memcpy(&host, given, given->size);
    }
    switch (host.format) {
        case TVI_FORMAT_AUTO:
        case TVI_FORMAT_TEXT:
        case TVI_FORMAT_PLY:
        case TVI_FORMAT_PCD:
        case TVI_FORMAT_LAS:
        case TVI_FORMAT_STL:
            options.format = host.format;
            break;
        default:
            return badOption(problem, "format names no format that is read");
    }
    switch (host.decimal_comma) {
        case TVI_DECIMAL_COMMA_AUTO:
            options.table.decimalComma = DecimalComma::detect;
            break;
        case TVI_DECIMAL_COMMA_YES:
            options.table.decimalComma = DecimalComma::yes;
            break;
        case TVI_DECIMAL_COMMA_NO:
            options.table.decimalComma = DecimalComma::no;
            break;
        default:
            return badOption(problem, "decimal_comma is none of AUTO, YES and NO");
    }
    if (host.comment != 0 && !commentCharacter(host.comment)) {
        return badOption(problem,
                         "comment is no character that may start a comment line (a visible "
                         "ASCII character other than a digit, sign, point, comma or semicolon)");
    }
    options.table.comment = static_cast<char>(host.comment);
    int named = 0;
    for (int axis = 0; axis < 3; ++axis) {
        bool const byIndex = host.column_index[axis] != 0;
        bool const byName = host.column_name[axis] != nullptr;
        if (byIndex && byName) {
            return badOption(problem, "a column is named both by index and by name");
        }
        named += byIndex || byName ? 1 : 0;
        options.table.columnIndex[axis] = host.column_index[axis];
        options.table.columnName[axis] = byName ? host.column_name[axis] : "";
    }
    if (named != 0 && named != 3) {
        return badOption(problem, "columns are named for some of x, y and z only: name all three");
    }
    options.table.columnsNamed = named == 3;
    for (int axis = 0; axis < 3; ++axis) {
        for (int other = axis + 1; other < 3; ++other) {
            if (host.column_index[axis] != 0 &&
                host.column_index[axis] == host.column_index[other]) {
                return badOption(problem, "two of x, y and z are named to the same column");
            }
        }
    }
    options.progress = host.progress;
    options.progressContext = host.progress_context;
    return TVI_OK;
}

// Hands the points read to a new block at *points.
void handOver(PointReading& reading, tvi_points** points) {
    std::unique_ptr<PointBlock> block(new PointBlock());
    tvi_points& record = *block;
    std::memset(&record, 0, sizeof record);
    block->coordinates = std::move(reading.points);
    block->names = std::move(reading.layout.names);
    for (std::string const& name : block->names) {
        block->namePointers.push_back(name.c_str());
    }
    record.size = sizeof record;
    record.count = block->coordinates.size();
    record.points = reinterpret_cast<gte_point const*>(block->coordinates.data());
    record.format = reading.format;
    if (reading.format == TVI_FORMAT_TEXT) {
        for (int axis = 0; axis < 3; ++axis) {
            record.column[axis] = reading.layout.columns[axis];
        }
        record.values_per_line = reading.layout.valuesPerLine;
        record.name_count = block->names.size();
        record.names = block->names.empty() ? nullptr : block->namePointers.data();
        record.header_line = reading.layout.headerLine;
        record.decimal_comma = reading.layout.decimalComma ? 1 : 0;
    }
    *points = block.release();
}

// The reading common to both sources: the arguments and options checked, read reads, the block
// handed over; TVI_ status and problem as the header says.
template <class Read>
int readPoints(tvi_read_options const* options, tvi_points** points, tvi_problem& problem,
               Read&& read) {
    if (points == nullptr) {
        problem =
            callProblem(TVI_PROBLEM_NULL_ARGUMENT, "no place for the points (points is null)");
        return TVI_BAD_ARGUMENT;
    }
    PointReadingOptions checked;
    int status = readerOptions(options, checked, problem);
    if (status != TVI_OK) {
        return status;
    }
    PointReading reading;
    status = read(checked, reading, problem);
    if (status == TVI_OK) {
        handOver(reading, points);
    }
    return status;
}

// Runs a reading for the host: its problem record written on every path, no exception out.
template <class Read>
int guardedReading(tvi_read_options const* options, tvi_points** points, tvi_problem* problem,
                   Read&& read) {
    return guardedCall(
        problem, [&](tvi_problem& found) { return readPoints(options, points, found, read); });
}

}  // namespace

}  // namespace tavrisk

extern "C" {

int tvi_init_read_options(tvi_read_options* options) {
    if (options == nullptr) {
        return TVI_BAD_ARGUMENT;
    }
    *options = tavrisk::defaultOptions();
    return TVI_OK;
}

int tvi_read_points_file(const char* path, const tvi_read_options* options, tvi_points** points,
                         tvi_problem* problem) {
    return tavrisk::guardedReading(options, points, problem,
                                   [path](tavrisk::PointReadingOptions const& readerOptions,
                                          tavrisk::PointReading& reading, tvi_problem& found) {
                                       return tavrisk::readPointsFromFile(path, readerOptions,
                                                                          reading, found);
                                   });
}

int tvi_read_points_memory(const void* data, size_t size, const tvi_read_options* options,
                           tvi_points** points, tvi_problem* problem) {
    return tavrisk::guardedReading(
        options, points, problem,
        [data, size](tavrisk::PointReadingOptions const& readerOptions,
                     tavrisk::PointReading& reading, tvi_problem& found) {
            if (data == nullptr && size > 0) {
                found = tavrisk::callProblem(TVI_PROBLEM_NULL_ARGUMENT,
                                             "no data to read (data is null)");
                return TVI_BAD_ARGUMENT;
            }
            return tavrisk::readPointsFromMemory(static_cast<unsigned char const*>(data), size,
                                                 readerOptions, reading, found);
        });
}

void tvi_free_points(tvi_points* points) {
    delete static_cast<tavrisk::PointBlock*>(points);
}

}  // extern "C"
