// SPDX-License-Identifier: MIT
// PLY data after the header: ascii lines, one element instance to a line, or binary records
// in either byte order. Every element is read through, the ones after the vertices too: only
// then does a header that declares more or fewer instances than the data holds show, as data
// that ends early or bytes left over.
#include <string>

#include "formats/coordinate_records.h"
#include "formats/format_refusal.h"
#include "formats/ply_header.h"
#include "formats/point_formats.h"

namespace tavrisk {

namespace {

using namespace formats;
using Kind = FormatProblemKind;

constexpr char kFormat[] = "PLY";

// "vertices" or "'face' elements", for details.
std::string instancesOf(PlyElement const& element, std::uint64_t count) {
    return element.vertex ? counted(count, "vertex", "vertices")
                          : std::to_string(count) + " " + quoted(element.name) +
                                (count == 1 ? " element" : " elements");
}

std::string instanceName(PlyElement const& element, std::uint64_t index) {
    return (element.vertex ? std::string("vertex") : quoted(element.name) + " element") +
           " index " + std::to_string(index);
}

class PlyData {
public:
    PlyData(unsigned char const* data, std::size_t size, PlyHeader const& header,
            std::vector<gte::Vector3>& points, FormatProblem& problem)
        : data_(data), size_(size), header_(header), points_(points), problem_(problem) {}

    bool readBinary() {
        ByteOrder const order = header_.encoding == PlyEncoding::binaryLittleEndian
                                    ? ByteOrder::little
                                    : ByteOrder::big;
        std::size_t position = header_.dataStart;
        for (PlyElement const& element : header_.elements) {
            if (!readBinaryElement(element, order, position)) {
                return false;
            }
        }
        if (position != size_) {
            return refuse(problem_, Kind::countMismatch, position,
                          "PLY: " + counted(size_ - position, "byte follows", "bytes follow") +
                              " the last element the header declares");
        }
        return true;
    }

    bool readAscii(platform::CNumberReader const& number) {
        TextLines lines(data_, size_, header_.dataStart, header_.dataLine);
        for (PlyElement const& element : header_.elements) {
            if (!readAsciiElement(element, number, lines)) {
                return false;
            }
        }
        TextLine line;
        if (lines.nextFilled(line)) {
            return refuseLine(problem_, Kind::countMismatch, line, Tokens(line).rest(),
                              "PLY: text after the last element the header declares");
        }
        return true;
    }

private:
    // The fewest bytes an instance takes: its scalars and the counts of its lists.
    static std::uint64_t leastInstanceBytes(PlyElement const& element, bool& fixed) {
        std::uint64_t bytes = 0;
        fixed = true;
        for (PlyProperty const& property : element.properties) {
            bytes += sizeOf(property.list ? property.countType : property.type);
            fixed = fixed && !property.list;
        }
        return bytes;
    }

    bool readBinaryElement(PlyElement const& element, ByteOrder order, std::size_t& position) {
        if (element.count == 0) {
            return true;
        }
        bool fixed = false;
        std::uint64_t const leastBytes = leastInstanceBytes(element, fixed);
        std::size_t const left = size_ - position;
        if (element.count > left / leastBytes) {
            return refuse(problem_, Kind::truncated, size_,
                          "PLY: the header declares " + instancesOf(element, element.count) +
                              " of at least " + counted(leastBytes, "byte", "bytes") +
                              " each, but " + counted(left, "byte", "bytes") + " follow");
        }
        // Both are now below the size of the data.
        std::size_t const count = static_cast<std::size_t>(element.count);
        std::size_t const recordBytes = static_cast<std::size_t>(leastBytes);
        if (fixed && element.vertex) {
            return readFixedVertices(element, order, recordBytes, position);
        }
        if (fixed) {
            position += count * recordBytes;
            return true;
        }
        if (element.vertex) {
            points_.reserve(points_.size() + count);
        }
        for (std::uint64_t index = 0; index < element.count; ++index) {
            if (!readBinaryInstance(element, index, order, position)) {
                return false;
            }
        }
        return true;
    }

    // Vertices of a fixed size, the common case: the coordinates lie at the same places in
    // every record.
    bool readFixedVertices(PlyElement const& element, ByteOrder order, std::size_t recordBytes,
                           std::size_t& position) {
        CoordinateLayout layout;
        layout.recordBytes = recordBytes;
        layout.order = order;
        for (int axis = 0; axis < 3; ++axis) {
            std::size_t const at = header_.coordinates[axis];
            for (std::size_t i = 0; i < at; ++i) {
                layout.offsets[axis] += sizeOf(element.properties[i].type);
            }
            layout.types[axis] = element.properties[at].type;
        }
        std::size_t const count = static_cast<std::size_t>(element.count);
        if (!readCoordinateRecords(data_ + position, count, layout, points_, problem_, kFormat,
                                   "vertex")) {
            return false;
        }
        position += count * recordBytes;
        return true;
    }

    // One instance with lists, property by property.
    bool readBinaryInstance(PlyElement const& element, std::uint64_t index, ByteOrder order,
                            std::size_t& position) {
        gte::Vector3 point = gte::Vector3::zeroVector();
        for (std::size_t i = 0; i < element.properties.size(); ++i) {
            PlyProperty const& property = element.properties[i];
            std::size_t const first = sizeOf(property.list ? property.countType : property.type);
            if (size_ - position < first) {
                return endsInside(element, index);
            }
            if (!property.list) {
                for (int axis = 0; axis < 3; ++axis) {
                    if (element.vertex && header_.coordinates[axis] == i) {
                        point[axis] = loadScalar(property.type, order, data_ + position);
                    }
                }
                position += first;
                continue;
            }
            double const items = loadScalar(property.countType, order, data_ + position);
            position += first;
            if (items < 0.0) {
                return refuse(problem_, Kind::countMismatch, position - first,
                              "PLY: list " + quoted(property.name) + " of " +
                                  instanceName(element, index) + " has a negative count");
            }
            // A count type is at most 32 bits wide, an item at most 8 bytes: no overflow.
            std::uint64_t const itemBytes =
                static_cast<std::uint64_t>(items) * sizeOf(property.type);
            if (itemBytes > size_ - position) {
                return endsInside(element, index);
            }
            position += static_cast<std::size_t>(itemBytes);
        }
        return !element.vertex || takePoint(point, index);
    }

    bool endsInside(PlyElement const& element, std::uint64_t index) {
        return refuse(problem_, Kind::truncated, size_,
                      "PLY: the data ends inside " + instanceName(element, index) + " of " +
                          instancesOf(element, element.count) + " declared");
    }

    bool readAsciiElement(PlyElement const& element, platform::CNumberReader const& number,
                          TextLines& lines) {
        if (element.vertex && element.count > 0) {
            // An instance takes at least a value and a line end, but the last line end.
            std::size_t const left = size_ - lines.position();
            if (element.count > (left + 1) / 2) {
                return refuse(problem_, Kind::truncated, size_,
                              "PLY: the header declares " + instancesOf(element, element.count) +
                                  ", more than the " + counted(left, "byte", "bytes") +
                                  " of data can hold");
            }
            points_.reserve(points_.size() + static_cast<std::size_t>(element.count));
        }
        for (std::uint64_t index = 0; index < element.count; ++index) {
            TextLine line;
            if (!lines.nextFilled(line)) {
                return refuse(problem_, Kind::truncated, size_,
                              "PLY: the header declares " + instancesOf(element, element.count) +
                                  ", the data ends after " + std::to_string(index));
            }
            if (!readAsciiInstance(element, index, number, line)) {
                return false;
            }
        }
        return true;
    }

    bool readAsciiInstance(PlyElement const& element, std::uint64_t index,
                           platform::CNumberReader const& number, TextLine const& line) {
        Tokens tokens(line);
        gte::Vector3 point = gte::Vector3::zeroVector();
        for (std::size_t i = 0; i < element.properties.size(); ++i) {
            PlyProperty const& property = element.properties[i];
            double value = 0.0;
            if (!asciiValue(element, index, property.list ? property.countType : property.type,
                            number, line, tokens, value)) {
                return false;
            }
            if (property.list) {
                if (value < 0.0) {
                    return refuseLine(problem_, Kind::countMismatch, line, Token(),
                                      "PLY: list " + quoted(property.name) + " of " +
                                          instanceName(element, index) + " has a negative count");
                }
                for (double item = 0.0; item < value; ++item) {
                    double ignored = 0.0;
                    if (!asciiValue(element, index, property.type, number, line, tokens, ignored)) {
                        return false;
                    }
                }
                continue;
            }
            for (int axis = 0; axis < 3; ++axis) {
                if (element.vertex && header_.coordinates[axis] == i) {
                    point[axis] = value;
                }
            }
        }
        if (tokens.more()) {
            return refuseLine(
                problem_, Kind::countMismatch, line, tokens.rest(),
                "PLY: " + instanceName(element, index) + " has more values than its properties");
        }
        if (element.vertex && !takePoint(point, index)) {
            problem_.line = line.number;
            return false;
        }
        return true;
    }

    // The next value of the line, which must be a number of the type.
    bool asciiValue(PlyElement const& element, std::uint64_t index, ScalarType type,
                    platform::CNumberReader const& number, TextLine const& line, Tokens& tokens,
                    double& value) {
        Token token;
        if (!tokens.next(token)) {
            return refuseLine(
                problem_, Kind::countMismatch, line, Token(),
                "PLY: " + instanceName(element, index) + " has fewer values than its properties");
        }
        TextNumber const read = readValue(number, token, type, dataEnd(), value);
        if (read != TextNumber::number) {
            return refuseValue(problem_, kFormat, read, type, line, token);
        }
        return true;
    }

    char const* dataEnd() const { return reinterpret_cast<char const*>(data_ + size_); }

    bool takePoint(gte::Vector3 const& point, std::uint64_t index) {
        return takeFinitePoint(point, index, points_, problem_, kFormat, "vertex");
    }

    unsigned char const* data_;
    std::size_t size_;
    PlyHeader const& header_;
    std::vector<gte::Vector3>& points_;
    FormatProblem& problem_;
};

}  // namespace

bool readPly(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
             FormatProblem& problem) {
    return readAppending(points, problem, kFormat, [&] {
        PlyHeader header;
        if (!readPlyHeader(data, size, header, problem)) {
            return false;
        }
        PlyData reader(data, size, header, points, problem);
        if (header.encoding != PlyEncoding::ascii) {
            return reader.readBinary();
        }
        platform::CNumberReader const number;
        requireValid(number);
        return reader.readAscii(number);
    });
}

}  // namespace tavrisk
