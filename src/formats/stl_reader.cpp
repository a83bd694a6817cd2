// SPDX-License-Identifier: MIT
// STL: triangles, as text (solid, facet normal, outer loop, three vertices, endloop, endfacet,
// endsolid) or binary (an 80-byte header of free text, a 32-bit triangle count, and 50 bytes a
// triangle: the normal and three corners as little-endian floats, then two attribute bytes).
// The points are the corners, each distinct one once.
#include <cmath>
#include <string>

#include "formats/byte_loads.h"
#include "formats/coordinate_records.h"
#include "formats/distinct_points.h"
#include "formats/format_detection.h"
#include "formats/format_refusal.h"
#include "formats/point_formats.h"

namespace tavrisk {

namespace {

using namespace formats;
using Kind = FormatProblemKind;

constexpr char kFormat[] = "STL";
constexpr std::size_t kHeaderBytes = 80;
constexpr std::size_t kCountBytes = 4;
constexpr std::size_t kTriangleBytes = 50;
constexpr std::size_t kNormalBytes = 12;
constexpr std::size_t kCornerBytes = 12;
// A closed mesh has about half as many corners as triangles: the set of distinct corners starts
// at that size and grows when a mesh has more.
constexpr std::size_t kTrianglesPerCorner = 2;

bool readBinary(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
                FormatProblem& problem) {
    if (size < kHeaderBytes + kCountBytes) {
        return refuse(problem, Kind::truncated, size,
                      "STL: a binary file of " + counted(size, "byte", "bytes") +
                          " ends inside its 84-byte header");
    }
    std::uint64_t const triangles = loadLittle32(data + kHeaderBytes);
    std::uint64_t const needed = kHeaderBytes + kCountBytes + triangles * kTriangleBytes;
    if (needed != size) {
        std::string const declared = "STL: the header declares " +
                                     counted(triangles, "triangle", "triangles") + " (" +
                                     counted(needed, "byte", "bytes") + "), ";
        if (needed > size) {
            return refuse(problem, Kind::truncated, size,
                          declared + "the file ends after " + counted(size, "byte", "bytes"));
        }
        return refuse(problem, Kind::countMismatch, needed,
                      declared + "the file holds " + counted(size, "byte", "bytes"));
    }
    std::size_t const count = static_cast<std::size_t>(triangles);
    points.reserve(points.size() + count / kTrianglesPerCorner + 1);
    DistinctPoints corners(points, count / kTrianglesPerCorner);
    unsigned char const* triangle = data + kHeaderBytes + kCountBytes;
    for (std::size_t index = 0; index < count; ++index, triangle += kTriangleBytes) {
        for (int corner = 0; corner < 3; ++corner) {
            unsigned char const* const at = triangle + kNormalBytes + corner * kCornerBytes;
            gte::Vector3 const point(loadScalar(ScalarType::float32, ByteOrder::little, at),
                                     loadScalar(ScalarType::float32, ByteOrder::little, at + 4),
                                     loadScalar(ScalarType::float32, ByteOrder::little, at + 8));
            if (!finitePoint(point, index, problem, kFormat, "triangle")) {
                return false;
            }
            corners.add(point);
        }
    }
    return true;
}

// The tokens of an ascii STL across its lines.
class StlText {
public:
    StlText(unsigned char const* data, std::size_t size, FormatProblem& problem)
        : lines_(data, size, byteOrderMarkLength(data, size)),
          tokens_(nullptr, nullptr),
          dataEnd_(reinterpret_cast<char const*>(data + size)),
          size_(size),
          problem_(problem) {}

    bool read(std::vector<gte::Vector3>& points) {
        platform::CNumberReader const number;
        requireValid(number);
        DistinctPoints corners(points, 0);
        Token token;
        if (!next(token) || !token.isWord("solid")) {
            return refuseLine(problem_, Kind::badHeader, line_, token,
                              "STL: an ascii file starts with 'solid'");
        }
        // Some programs write several solids to one file, one after another.
        while (true) {
            tokens_.rest();  // the solid's name
            if (!solid(number, corners)) {
                return false;
            }
            tokens_.rest();  // the name again
            if (!next(token)) {
                return true;
            }
            if (!token.isWord("solid")) {
                return refuseLine(problem_, Kind::countMismatch, line_, token,
                                  "STL: text after 'endsolid'");
            }
        }
    }

private:
    // The facets up to and with endsolid.
    bool solid(platform::CNumberReader const& number, DistinctPoints& corners) {
        Token token;
        while (true) {
            if (!next(token)) {
                return ended("'endsolid'");
            }
            if (token.isWord("endsolid")) {
                return true;
            }
            if (!token.isWord("facet")) {
                return misplaced(token, "'facet' or 'endsolid'");
            }
            double ignored = 0.0;
            if (!expect("normal") || !value(number, ignored) || !value(number, ignored) ||
                !value(number, ignored) || !expect("outer") || !expect("loop")) {
                return false;
            }
            for (int corner = 0; corner < 3; ++corner) {
                gte::Vector3 point;
                if (!expect("vertex")) {
                    return false;
                }
                for (int axis = 0; axis < 3; ++axis) {
                    if (!value(number, point[axis], true)) {
                        return false;
                    }
                }
                corners.add(point);
            }
            if (!expect("endloop") || !expect("endfacet")) {
                return false;
            }
        }
    }

    bool next(Token& token) {
        while (!tokens_.next(token)) {
            if (!lines_.next(line_)) {
                token = Token();
                return false;
            }
            tokens_ = Tokens(line_);
        }
        return true;
    }

    bool expect(char const* keyword) {
        Token token;
        std::string const expected = "'" + std::string(keyword) + "'";
        if (!next(token)) {
            return ended(expected.c_str());
        }
        return token.isWord(keyword) || misplaced(token, expected);
    }

    // The next value, a number; a coordinate must be finite.
    bool value(platform::CNumberReader const& number, double& value, bool coordinate = false) {
        Token token;
        if (!next(token)) {
            return ended("a number");
        }
        TextNumber const read = readValue(number, token, ScalarType::float64, dataEnd_, value);
        if (read != TextNumber::number) {
            return refuseValue(problem_, kFormat, read, ScalarType::float64, line_, token);
        }
        if (coordinate && !std::isfinite(value)) {
            return refuseLine(problem_, Kind::notFinite, line_, token,
                              "STL: the vertex coordinate " + quoted(token) + " is not finite");
        }
        return true;
    }

    bool ended(char const* expected) {
        return refuse(problem_, Kind::truncated, size_,
                      std::string("STL: the data ends where ") + expected + " belongs");
    }

    bool misplaced(Token const& token, std::string const& expected) {
        return refuseLine(problem_, Kind::badHeader, line_, token,
                          "STL: " + quoted(token) + " where " + expected + " belongs");
    }

    TextLines lines_;
    TextLine line_;
    Tokens tokens_;
    char const* dataEnd_;
    std::size_t size_;
    FormatProblem& problem_;
};

}  // namespace

bool readStl(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
             FormatProblem& problem) {
    return readAppending(points, problem, kFormat, [&] {
        if (detectFileKind(data, size) == FileKind::stlAscii) {
            return StlText(data, size, problem).read(points);
        }
        return readBinary(data, size, points, problem);
    });
}

}  // namespace tavrisk
