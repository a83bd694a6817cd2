// SPDX-License-Identifier: MIT
// LAS point data: a fixed public header, variable-length records the points skip by the header's
// offset to point data, then records of one length whose first twelve bytes, in every point
// data format, are the scaled integer coordinates X, Y and Z (little endian, signed 32-bit).
#include <cmath>
#include <cstring>
#include <string>

#include "formats/byte_loads.h"
#include "formats/coordinate_records.h"
#include "formats/format_refusal.h"
#include "formats/point_formats.h"

namespace tavrisk {

namespace {

using namespace formats;
using Kind = FormatProblemKind;

constexpr char kFormat[] = "LAS";

// Where the public header keeps what the points need.
constexpr std::size_t kVersionMajorAt = 24;
constexpr std::size_t kVersionMinorAt = 25;
constexpr std::size_t kHeaderSizeAt = 94;
constexpr std::size_t kPointDataOffsetAt = 96;
constexpr std::size_t kPointFormatAt = 104;
constexpr std::size_t kRecordLengthAt = 105;
constexpr std::size_t kLegacyPointCountAt = 107;
constexpr std::size_t kScaleAt = 131;       // x, y, z scale factors, doubles
constexpr std::size_t kOffsetAt = 155;      // x, y, z offsets, doubles
constexpr std::size_t kPointCountAt = 247;  // the 64-bit count of version 1.4

// The header's length by minor version: 1.0 to 1.2 end after the extents, 1.3 adds the start of
// the waveform data, 1.4 the extended records and the 64-bit counts.
constexpr std::size_t kHeaderBytes[5] = {227, 227, 227, 235, 375};
constexpr unsigned kLastMinorVersion = 4;

// The two high bits of the point data format mark compressed points (LAZ).
constexpr unsigned kCompressedBits = 0xC0;
constexpr unsigned kLastPointFormat = 10;
// The bytes each point data format defines; a record may be longer (extra bytes), never shorter.
constexpr std::size_t kLeastRecordBytes[kLastPointFormat + 1] = {20, 28, 26, 34, 57, 63,
                                                                 30, 36, 38, 59, 67};

std::string bytesText(std::uint64_t count) {
    return counted(count, "byte", "bytes");
}

class LasData {
public:
    LasData(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
            FormatProblem& problem)
        : data_(data), size_(size), points_(points), problem_(problem) {}

    bool read() {
        if (size_ < 4 || std::memcmp(data_, "LASF", 4) != 0) {
            return refuse(problem_, Kind::badHeader, 0, "LAS: the file does not start with LASF");
        }
        if (size_ < kHeaderBytes[0]) {
            return refuse(problem_, Kind::truncated, size_,
                          "LAS: the file ends inside its header, after " + bytesText(size_));
        }
        unsigned const major = data_[kVersionMajorAt];
        unsigned const minor = data_[kVersionMinorAt];
        if (major != 1 || minor > kLastMinorVersion) {
            return refuse(problem_, Kind::unsupportedVariant, kVersionMajorAt,
                          "LAS: version " + std::to_string(major) + "." + std::to_string(minor) +
                              " (1.0 to 1.4 are read)");
        }
        std::size_t const headerBytes = loadLittle16(data_ + kHeaderSizeAt);
        if (headerBytes < kHeaderBytes[minor]) {
            return refuse(problem_, Kind::badHeader, kHeaderSizeAt,
                          "LAS: a version 1." + std::to_string(minor) + " header of " +
                              bytesText(headerBytes) + ", less than its " +
                              bytesText(kHeaderBytes[minor]));
        }
        if (headerBytes > size_) {
            return refuse(problem_, Kind::truncated, size_,
                          "LAS: the file ends inside its header of " + bytesText(headerBytes));
        }
        unsigned const format = data_[kPointFormatAt];
        if ((format & kCompressedBits) != 0) {
            return refuse(problem_, Kind::unsupportedVariant, kPointFormatAt,
                          "LAS: the points are compressed (LAZ), which is not read; "
                          "decompress the file to LAS first");
        }
        if (format > kLastPointFormat) {
            return refuse(
                problem_, Kind::unsupportedVariant, kPointFormatAt,
                "LAS: point data format " + std::to_string(format) + " (0 to 10 are read)");
        }
        std::size_t const recordBytes = loadLittle16(data_ + kRecordLengthAt);
        if (recordBytes < kLeastRecordBytes[format]) {
            return refuse(problem_, Kind::badHeader, kRecordLengthAt,
                          "LAS: point records of " + bytesText(recordBytes) +
                              ", shorter than the " + bytesText(kLeastRecordBytes[format]) +
                              " of point data format " + std::to_string(format));
        }
        std::uint64_t count = 0;
        if (!pointCount(minor, count) || !scaling()) {
            return false;
        }
        std::uint64_t const start = loadLittle32(data_ + kPointDataOffsetAt);
        if (start < headerBytes) {
            return refuse(problem_, Kind::badHeader, kPointDataOffsetAt,
                          "LAS: the point data starts at byte " + std::to_string(start) +
                              ", inside the header of " + bytesText(headerBytes));
        }
        if (start > size_ || count > (size_ - start) / recordBytes) {
            return refuse(problem_, Kind::truncated, size_,
                          "LAS: the header declares " + counted(count, "point", "points") + " of " +
                              bytesText(recordBytes) + " from byte " + std::to_string(start) +
                              ", but the file ends after " + bytesText(size_));
        }
        return readPoints(static_cast<std::size_t>(start), static_cast<std::size_t>(count),
                          recordBytes);
    }

private:
    // Version 1.4 counts the points in 64 bits and keeps the 32-bit count of the earlier
    // versions for the formats they know, as zero or as the same number.
    bool pointCount(unsigned minor, std::uint64_t& count) {
        std::uint64_t const legacy = loadLittle32(data_ + kLegacyPointCountAt);
        count = legacy;
        if (minor < kLastMinorVersion) {
            return true;
        }
        std::uint64_t const extended = loadLittle64(data_ + kPointCountAt);
        if (extended != 0 && legacy != 0 && legacy != extended) {
            return refuse(problem_, Kind::countMismatch, kLegacyPointCountAt,
                          "LAS: the header counts " + std::to_string(legacy) +
                              " points in 32 "
                              "bits and " +
                              std::to_string(extended) + " in 64 bits");
        }
        count = extended != 0 ? extended : legacy;
        return true;
    }

    bool scaling() {
        for (int axis = 0; axis < 3; ++axis) {
            scale_[axis] = doubleFromBits(loadLittle64(data_ + kScaleAt + 8 * axis));
            offset_[axis] = doubleFromBits(loadLittle64(data_ + kOffsetAt + 8 * axis));
            if (!std::isfinite(scale_[axis]) || scale_[axis] == 0.0) {
                return refuse(problem_, Kind::badHeader, kScaleAt + 8 * axis,
                              std::string("LAS: the ") + kAxisNames[axis] +
                                  " scale factor is zero or not finite");
            }
            if (!std::isfinite(offset_[axis])) {
                return refuse(
                    problem_, Kind::badHeader, kOffsetAt + 8 * axis,
                    std::string("LAS: the ") + kAxisNames[axis] + " offset is not finite");
            }
        }
        return true;
    }

    // Each coordinate is the scaled integer times the scale plus the offset, a product and a sum
    // in double, each rounded to nearest (the build fuses no multiply-add).
    bool readPoints(std::size_t start, std::size_t count, std::size_t recordBytes) {
        points_.reserve(points_.size() + count);
        // Held in locals: the points written would otherwise make the compiler load them again
        // for every point.
        double const scale[3] = {scale_[0], scale_[1], scale_[2]};
        double const offset[3] = {offset_[0], offset_[1], offset_[2]};
        unsigned char const* record = data_ + start;
        for (std::size_t index = 0; index < count; ++index, record += recordBytes) {
            auto coordinate = [record, &scale, &offset](int axis) {
                double const scaled = static_cast<std::int32_t>(loadLittle32(record + 4 * axis));
                return scaled * scale[axis] + offset[axis];
            };
            gte::Vector3 const point(coordinate(0), coordinate(1), coordinate(2));
            if (!(std::isfinite(point[0]) && std::isfinite(point[1]) && std::isfinite(point[2]))) {
                return finitePoint(point, index, problem_, kFormat, "point");
            }
            points_.push_back(point);
        }
        return true;
    }

    unsigned char const* data_;
    std::size_t size_;
    std::vector<gte::Vector3>& points_;
    FormatProblem& problem_;
    double scale_[3] = {1.0, 1.0, 1.0};
    double offset_[3] = {0.0, 0.0, 0.0};
};

}  // namespace

bool readLas(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
             FormatProblem& problem) {
    return readAppending(points, problem, kFormat,
                         [&] { return LasData(data, size, points, problem).read(); });
}

}  // namespace tavrisk
