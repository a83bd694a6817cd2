// SPDX-License-Identifier: MIT
#include "formats/ply_header.h"

#include <string>

#include "formats/format_refusal.h"

namespace tavrisk {
namespace formats {

namespace {

using Kind = FormatProblemKind;

struct TypeName {
    char const* name;
    ScalarType type;
};
// The format's type names, in both spellings.
constexpr TypeName kTypeNames[] = {
    {"char", ScalarType::int8},      {"int8", ScalarType::int8},
    {"uchar", ScalarType::uint8},    {"uint8", ScalarType::uint8},
    {"short", ScalarType::int16},    {"int16", ScalarType::int16},
    {"ushort", ScalarType::uint16},  {"uint16", ScalarType::uint16},
    {"int", ScalarType::int32},      {"int32", ScalarType::int32},
    {"uint", ScalarType::uint32},    {"uint32", ScalarType::uint32},
    {"float", ScalarType::float32},  {"float32", ScalarType::float32},
    {"double", ScalarType::float64}, {"float64", ScalarType::float64},
};

bool typeNamed(Token const& name, ScalarType& type) {
    for (TypeName const& known : kTypeNames) {
        if (name.is(known.name)) {
            type = known.type;
            return true;
        }
    }
    return false;
}

class PlyHeaderParser {
public:
    PlyHeaderParser(unsigned char const* data, std::size_t size, PlyHeader& header,
                    FormatProblem& problem)
        : lines_(data, size, byteOrderMarkLength(data, size)),
          size_(size),
          header_(header),
          problem_(problem) {}

    bool parse() {
        TextLine line;
        if (!lines_.next(line) ||
            !Token{line.begin, static_cast<std::size_t>(line.end - line.begin)}.is("ply")) {
            return refuse(problem_, Kind::badHeader, 0, "PLY: the first line is not 'ply'");
        }
        bool formatSeen = false;
        while (lines_.next(line)) {
            Tokens tokens(line);
            Token keyword;
            if (!tokens.next(keyword) || keyword.is("comment") || keyword.is("obj_info")) {
                continue;
            }
            bool read = true;
            if (keyword.is("format")) {
                if (formatSeen) {
                    return refuseLine(problem_, Kind::badHeader, line, keyword,
                                      "PLY: a second format line");
                }
                formatSeen = true;
                read = format(line, tokens);
            } else if (keyword.is("element")) {
                read = element(line, tokens);
            } else if (keyword.is("property")) {
                read = property(line, tokens);
            } else if (keyword.is("end_header")) {
                if (tokens.more()) {
                    return refuseLine(problem_, Kind::badHeader, line, tokens.rest(),
                                      "PLY: text after end_header");
                }
                if (!formatSeen) {
                    return refuseLine(problem_, Kind::badHeader, line, keyword,
                                      "PLY: the header has no format line");
                }
                header_.dataStart = lines_.position();
                header_.dataLine = lines_.lineNumber();
                return check(line);
            } else {
                read = refuseLine(problem_, Kind::badHeader, line, keyword,
                                  "PLY: unknown header keyword " + quoted(keyword));
            }
            if (!read) {
                return false;
            }
        }
        return refuse(problem_, Kind::truncated, size_,
                      "PLY: the data ends before the header's end_header line");
    }

private:
    bool format(TextLine const& line, Tokens& tokens) {
        Token encoding, version;
        if (!tokens.next(encoding) || !tokens.next(version) || tokens.more()) {
            return refuseLine(problem_, Kind::badHeader, line, Token(),
                              "PLY: a format line needs an encoding and a version");
        }
        if (encoding.is("ascii")) {
            header_.encoding = PlyEncoding::ascii;
        } else if (encoding.is("binary_little_endian")) {
            header_.encoding = PlyEncoding::binaryLittleEndian;
        } else if (encoding.is("binary_big_endian")) {
            header_.encoding = PlyEncoding::binaryBigEndian;
        } else {
            return refuseLine(problem_, Kind::unsupportedVariant, line, encoding,
                              "PLY: unknown format " + quoted(encoding));
        }
        if (!version.is("1.0")) {
            return refuseLine(
                problem_, Kind::unsupportedVariant, line, version,
                "PLY: format version " + quoted(version) + " (version 1.0 is the one defined)");
        }
        return true;
    }

    bool element(TextLine const& line, Tokens& tokens) {
        PlyElement element;
        Token count;
        if (!tokens.next(element.name) || !tokens.next(count) || tokens.more()) {
            return refuseLine(problem_, Kind::badHeader, line, Token(),
                              "PLY: an element line needs a name and a count");
        }
        if (!readCount(count, element.count)) {
            return refuseLine(problem_, Kind::badHeader, line, count,
                              "PLY: the count " + quoted(count) + " of element " +
                                  quoted(element.name) + " is no whole number");
        }
        if (element.name.is("vertex")) {
            if (vertexSeen_) {
                return refuseLine(problem_, Kind::badHeader, line, element.name,
                                  "PLY: a second vertex element");
            }
            vertexSeen_ = true;
            element.vertex = true;
            header_.vertexElement = header_.elements.size();
        }
        header_.elements.push_back(element);
        return true;
    }

    bool property(TextLine const& line, Tokens& tokens) {
        if (header_.elements.empty()) {
            return refuseLine(problem_, Kind::badHeader, line, Token(),
                              "PLY: a property before any element");
        }
        PlyProperty property;
        Token type;
        if (!tokens.next(type)) {
            return refuseLine(problem_, Kind::badHeader, line, Token(),
                              "PLY: a property line without a type");
        }
        if (type.is("list")) {
            property.list = true;
            Token countType;
            if (!tokens.next(countType) || !tokens.next(type)) {
                return refuseLine(problem_, Kind::badHeader, line, Token(),
                                  "PLY: a list property needs a count type and an item type");
            }
            if (!typeNamed(countType, property.countType)) {
                return refuseLine(problem_, Kind::unknownPropertyType, line, countType,
                                  "PLY: unknown property type " + quoted(countType));
            }
            if (!isInteger(property.countType)) {
                return refuseLine(
                    problem_, Kind::badHeader, line, countType,
                    "PLY: the count type " + quoted(countType) + " of a list is no integer type");
            }
        }
        if (!typeNamed(type, property.type)) {
            return refuseLine(problem_, Kind::unknownPropertyType, line, type,
                              "PLY: unknown property type " + quoted(type));
        }
        if (!tokens.next(property.name) || tokens.more()) {
            return refuseLine(problem_, Kind::badHeader, line, Token(),
                              "PLY: a property line needs one name after its type");
        }
        header_.elements.back().properties.push_back(property);
        return true;
    }

    // The points can be taken: the vertex element with x, y and z, each once and scalar; and
    // every element with instances has something to read in each, so that the count of the
    // instances read is bounded by the size of the data.
    bool check(TextLine const& endLine) {
        for (PlyElement const& element : header_.elements) {
            if (element.count > 0 && element.properties.empty()) {
                return refuseLine(
                    problem_, Kind::badHeader, endLine, element.name,
                    "PLY: element " + quoted(element.name) + " has instances but no properties");
            }
        }
        if (!vertexSeen_) {
            return refuse(problem_, Kind::missingCoordinate, header_.dataStart,
                          "PLY: the header declares no vertex element");
        }
        PlyElement const& vertex = header_.elements[header_.vertexElement];
        for (int axis = 0; axis < 3; ++axis) {
            int const found =
                countNamed(vertex.properties, kAxisNames[axis], header_.coordinates[axis]);
            std::string const name = std::string("'") + kAxisNames[axis] + "'";
            if (found != 1) {
                return refuse(problem_, found == 0 ? Kind::missingCoordinate : Kind::badHeader,
                              header_.dataStart,
                              "PLY: the vertex element has " +
                                  std::string(found == 0 ? "no" : "more than one") + " property " +
                                  name);
            }
            if (vertex.properties[header_.coordinates[axis]].list) {
                return refuse(problem_, Kind::badHeader, header_.dataStart,
                              "PLY: the vertex property " + name + " is a list");
            }
        }
        return true;
    }

    TextLines lines_;
    std::size_t size_;
    PlyHeader& header_;
    FormatProblem& problem_;
    bool vertexSeen_ = false;
};

}  // namespace

bool readPlyHeader(unsigned char const* data, std::size_t size, PlyHeader& header,
                   FormatProblem& problem) {
    header = PlyHeader();
    return PlyHeaderParser(data, size, header, problem).parse();
}

}  // namespace formats
}  // namespace tavrisk
