// SPDX-License-Identifier: MIT
// PCD data after the header: ascii lines, one point to a line, or binary records of the fields
// in order. The data must hold the declared points and nothing after them, so that a count that
// is wrong either way shows.
#include <string>

#include "formats/coordinate_records.h"
#include "formats/format_refusal.h"
#include "formats/pcd_header.h"
#include "formats/point_formats.h"

namespace tavrisk {

namespace {

using namespace formats;
using Kind = FormatProblemKind;

constexpr char kFormat[] = "PCD";

class PcdData {
public:
    PcdData(unsigned char const* data, std::size_t size, PcdHeader const& header,
            std::vector<gte::Vector3>& points, FormatProblem& problem)
        : data_(data), size_(size), header_(header), points_(points), problem_(problem) {}

    bool readBinary() {
        std::size_t const start = header_.dataStart;
        std::size_t const left = size_ - start;
        std::uint64_t const record = header_.recordBytes;
        if (header_.points > left / record) {
            return refuse(problem_, Kind::truncated, size_,
                          "PCD: the header declares " + pointsText(header_.points) + " of " +
                              counted(record, "byte", "bytes") + " each, but " +
                              counted(left, "byte", "bytes") + " follow");
        }
        CoordinateLayout layout;
        layout.recordBytes = static_cast<std::size_t>(record);
        for (int axis = 0; axis < 3; ++axis) {
            std::size_t const at = header_.coordinates[axis];
            for (std::size_t i = 0; i < at; ++i) {
                layout.offsets[axis] += static_cast<std::size_t>(header_.fields[i].count) *
                                        sizeOf(header_.fields[i].type);
            }
            layout.types[axis] = header_.fields[at].type;
        }
        std::size_t const count = static_cast<std::size_t>(header_.points);
        if (!readCoordinateRecords(data_ + start, count, layout, points_, problem_, kFormat,
                                   "point")) {
            return false;
        }
        std::size_t const end = start + count * layout.recordBytes;
        if (end != size_) {
            return refuse(problem_, Kind::countMismatch, end,
                          "PCD: " + counted(size_ - end, "byte follows", "bytes follow") + " the " +
                              pointsText(header_.points) + " the header declares");
        }
        return true;
    }

    bool readAscii(platform::CNumberReader const& number) {
        TextLines lines(data_, size_, header_.dataStart, header_.dataLine);
        // A point takes at least a value and a line end, but the last line end.
        std::size_t const left = size_ - header_.dataStart;
        if (header_.points > (left + 1) / 2) {
            return refuse(problem_, Kind::truncated, size_,
                          "PCD: the header declares " + pointsText(header_.points) +
                              ", more than the " + counted(left, "byte", "bytes") +
                              " of data can hold");
        }
        points_.reserve(points_.size() + static_cast<std::size_t>(header_.points));
        TextLine line;
        for (std::uint64_t index = 0; index < header_.points; ++index) {
            if (!lines.nextFilled(line)) {
                return refuse(problem_, Kind::truncated, size_,
                              "PCD: the header declares " + pointsText(header_.points) +
                                  ", the data ends after " + std::to_string(index));
            }
            if (!readAsciiPoint(number, line, index)) {
                return false;
            }
        }
        if (lines.nextFilled(line)) {
            return refuseLine(
                problem_, Kind::countMismatch, line, Tokens(line).rest(),
                "PCD: text after the " + pointsText(header_.points) + " the header declares");
        }
        return true;
    }

private:
    static std::string pointsText(std::uint64_t count) { return counted(count, "point", "points"); }

    bool readAsciiPoint(platform::CNumberReader const& number, TextLine const& line,
                        std::uint64_t index) {
        Tokens tokens(line);
        gte::Vector3 point = gte::Vector3::zeroVector();
        for (std::size_t i = 0; i < header_.fields.size(); ++i) {
            PcdField const& field = header_.fields[i];
            for (std::uint64_t k = 0; k < field.count; ++k) {
                Token token;
                if (!tokens.next(token)) {
                    return refuseLine(problem_, Kind::countMismatch, line, Token(),
                                      "PCD: point index " + std::to_string(index) + " has " +
                                          "fewer values than the " +
                                          std::to_string(header_.valuesPerPoint) +
                                          " its fields declare");
                }
                double value = 0.0;
                TextNumber const read = readValue(number, token, field.type, dataEnd(), value);
                if (read != TextNumber::number) {
                    return refuseValue(problem_, kFormat, read, field.type, line, token);
                }
                for (int axis = 0; axis < 3; ++axis) {
                    if (header_.coordinates[axis] == i) {
                        point[axis] = value;
                    }
                }
            }
        }
        if (tokens.more()) {
            return refuseLine(problem_, Kind::countMismatch, line, tokens.rest(),
                              "PCD: point index " + std::to_string(index) +
                                  " has more values than the " +
                                  std::to_string(header_.valuesPerPoint) + " its fields declare");
        }
        if (!takePoint(point, index)) {
            problem_.line = line.number;
            return false;
        }
        return true;
    }

    char const* dataEnd() const { return reinterpret_cast<char const*>(data_ + size_); }

    bool takePoint(gte::Vector3 const& point, std::uint64_t index) {
        return takeFinitePoint(point, index, points_, problem_, kFormat, "point");
    }

    unsigned char const* data_;
    std::size_t size_;
    PcdHeader const& header_;
    std::vector<gte::Vector3>& points_;
    FormatProblem& problem_;
};

}  // namespace

bool readPcd(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
             FormatProblem& problem) {
    return readAppending(points, problem, kFormat, [&] {
        PcdHeader header;
        if (!readPcdHeader(data, size, header, problem)) {
            return false;
        }
        PcdData reader(data, size, header, points, problem);
        if (header.encoding == PcdEncoding::binary) {
            return reader.readBinary();
        }
        platform::CNumberReader const number;
        requireValid(number);
        return reader.readAscii(number);
    });
}

}  // namespace tavrisk
