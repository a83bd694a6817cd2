// SPDX-License-Identifier: MIT
#include "formats/pcd_header.h"

#include <string>

#include "formats/format_refusal.h"

namespace tavrisk {
namespace formats {

namespace {

using Kind = FormatProblemKind;

// The header's keywords, each on a line of its own and at most once.
enum Keyword {
    kVersion,
    kFields,
    kSize,
    kType,
    kCount,
    kWidth,
    kHeight,
    kViewpoint,
    kPoints,
    kKeywordCount
};
constexpr char const* kKeywordNames[kKeywordCount] = {
    "VERSION", "FIELDS", "SIZE", "TYPE", "COUNT", "WIDTH", "HEIGHT", "VIEWPOINT", "POINTS"};

// The type a TYPE letter and a SIZE give; false for pairs the format does not define.
bool fieldType(char letter, std::uint64_t size, ScalarType& type) {
    struct Pair {
        char letter;
        std::uint64_t size;
        ScalarType type;
    };
    static constexpr Pair kPairs[] = {
        {'I', 1, ScalarType::int8},    {'I', 2, ScalarType::int16},  {'I', 4, ScalarType::int32},
        {'I', 8, ScalarType::int64},   {'U', 1, ScalarType::uint8},  {'U', 2, ScalarType::uint16},
        {'U', 4, ScalarType::uint32},  {'U', 8, ScalarType::uint64}, {'F', 4, ScalarType::float32},
        {'F', 8, ScalarType::float64},
    };
    for (Pair const& pair : kPairs) {
        if (pair.letter == letter && pair.size == size) {
            type = pair.type;
            return true;
        }
    }
    return false;
}

class PcdHeaderParser {
public:
    PcdHeaderParser(unsigned char const* data, std::size_t size, PcdHeader& header,
                    FormatProblem& problem)
        : lines_(data, size, byteOrderMarkLength(data, size)),
          size_(size),
          header_(header),
          problem_(problem) {}

    bool parse() {
        TextLine line;
        while (lines_.next(line)) {
            Tokens tokens(line);
            Token keyword;
            if (!tokens.next(keyword) || keyword.begin[0] == '#') {
                continue;
            }
            if (keyword.is("DATA")) {
                return data(line, tokens) && check(line);
            }
            int found = kKeywordCount;
            for (int k = 0; k < kKeywordCount; ++k) {
                if (keyword.is(kKeywordNames[k])) {
                    found = k;
                }
            }
            if (found == kKeywordCount) {
                return refuseLine(problem_, Kind::badHeader, line, keyword,
                                  "PCD: unknown header keyword " + quoted(keyword));
            }
            if (lineOf_[found].begin != nullptr) {
                return refuseLine(problem_, Kind::badHeader, line, keyword,
                                  "PCD: a second " + quoted(keyword) + " line");
            }
            lineOf_[found] = line;
        }
        return refuse(problem_, Kind::truncated, size_,
                      "PCD: the data ends before the header's DATA line");
    }

private:
    bool data(TextLine const& line, Tokens& tokens) {
        Token encoding;
        if (!tokens.next(encoding) || tokens.more()) {
            return refuseLine(problem_, Kind::badHeader, line, Token(),
                              "PCD: the DATA line needs one word: ascii or binary");
        }
        if (encoding.is("ascii")) {
            header_.encoding = PcdEncoding::ascii;
        } else if (encoding.is("binary")) {
            header_.encoding = PcdEncoding::binary;
        } else if (encoding.is("binary_compressed")) {
            return refuseLine(problem_, Kind::unsupportedVariant, line, encoding,
                              "PCD: DATA binary_compressed is not read (its points are "
                              "compressed); save the cloud as binary or ascii");
        } else {
            return refuseLine(problem_, Kind::unsupportedVariant, line, encoding,
                              "PCD: unknown DATA " + quoted(encoding));
        }
        header_.dataStart = lines_.position();
        header_.dataLine = lines_.lineNumber();
        return true;
    }

    // The words after the keyword of a header line; the line must be there.
    bool words(Keyword keyword, TextLine const& dataLine, std::vector<Token>& found) {
        TextLine const& line = lineOf_[keyword];
        if (line.begin == nullptr) {
            return refuseLine(
                problem_, Kind::badHeader, dataLine, Token(),
                std::string("PCD: the header has no ") + kKeywordNames[keyword] + " line");
        }
        Tokens tokens(line);
        Token token;
        tokens.next(token);
        while (tokens.next(token)) {
            found.push_back(token);
        }
        return true;
    }

    // The counts of a header line, one for each field.
    bool fieldCounts(Keyword keyword, TextLine const& dataLine,
                     std::vector<std::uint64_t>& counts) {
        std::vector<Token> found;
        if (!words(keyword, dataLine, found)) {
            return false;
        }
        if (found.size() != header_.fields.size()) {
            return refuseLine(problem_, Kind::badHeader, lineOf_[keyword], Token(),
                              std::string("PCD: ") + kKeywordNames[keyword] + " gives " +
                                  std::to_string(found.size()) + " values for " +
                                  counted(header_.fields.size(), "field", "fields"));
        }
        for (Token const& word : found) {
            std::uint64_t count = 0;
            if (!readCount(word, count)) {
                return refuseLine(problem_, Kind::badHeader, lineOf_[keyword], word,
                                  std::string("PCD: ") + kKeywordNames[keyword] + " value " +
                                      quoted(word) + " is no whole number");
            }
            counts.push_back(count);
        }
        return true;
    }

    // The single count of a WIDTH, HEIGHT or POINTS line, or fallback when there is no line.
    bool singleCount(Keyword keyword, std::uint64_t fallback, std::uint64_t& count) {
        TextLine const& line = lineOf_[keyword];
        count = fallback;
        if (line.begin == nullptr) {
            return true;
        }
        Tokens tokens(line);
        Token word;
        tokens.next(word);
        if (!tokens.next(word) || tokens.more() || !readCount(word, count)) {
            return refuseLine(
                problem_, Kind::badHeader, line, Token(),
                std::string("PCD: ") + kKeywordNames[keyword] + " needs one whole number");
        }
        return true;
    }

    bool check(TextLine const& dataLine) {
        std::vector<Token> names;
        std::vector<Token> types;
        std::vector<std::uint64_t> sizes;
        std::vector<std::uint64_t> counts;
        if (!words(kFields, dataLine, names)) {
            return false;
        }
        header_.fields.resize(names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            header_.fields[i].name = names[i];
        }
        if (!fieldCounts(kSize, dataLine, sizes) || !words(kType, dataLine, types)) {
            return false;
        }
        if (types.size() != names.size()) {
            return refuseLine(problem_, Kind::badHeader, lineOf_[kType], Token(),
                              "PCD: TYPE gives " + std::to_string(types.size()) + " values for " +
                                  counted(names.size(), "field", "fields"));
        }
        if (lineOf_[kCount].begin == nullptr) {
            counts.assign(names.size(), 1);
        } else if (!fieldCounts(kCount, dataLine, counts)) {
            return false;
        }
        return fields(types, sizes, counts) && coordinates() && pointCount(dataLine);
    }

    bool fields(std::vector<Token> const& types, std::vector<std::uint64_t> const& sizes,
                std::vector<std::uint64_t> const& counts) {
        constexpr std::uint64_t kLargest = ~std::uint64_t(0);
        for (std::size_t i = 0; i < header_.fields.size(); ++i) {
            PcdField& field = header_.fields[i];
            if (types[i].length != 1 || !fieldType(types[i].begin[0], sizes[i], field.type)) {
                return refuseLine(problem_, Kind::unknownPropertyType, lineOf_[kType], types[i],
                                  "PCD: field " + quoted(field.name) + " has TYPE " +
                                      quoted(types[i]) + " with SIZE " + std::to_string(sizes[i]) +
                                      ", which the format does not "
                                      "define");
            }
            field.count = counts[i];
            if (field.count == 0) {
                return refuseLine(problem_, Kind::badHeader, lineOf_[kCount], field.name,
                                  "PCD: field " + quoted(field.name) + " has COUNT 0");
            }
            std::uint64_t const bytes = sizes[i];
            if (field.count > (kLargest - header_.recordBytes) / bytes ||
                field.count > kLargest - header_.valuesPerPoint) {
                return refuseLine(problem_, Kind::tooLarge, lineOf_[kCount], field.name,
                                  "PCD: the fields of a point add up to more bytes than can be "
                                  "counted");
            }
            header_.recordBytes += field.count * bytes;
            header_.valuesPerPoint += field.count;
        }
        return true;
    }

    bool coordinates() {
        for (int axis = 0; axis < 3; ++axis) {
            int const found =
                countNamed(header_.fields, kAxisNames[axis], header_.coordinates[axis]);
            std::string const name = std::string("'") + kAxisNames[axis] + "'";
            if (found != 1) {
                return refuseLine(
                    problem_, found == 0 ? Kind::missingCoordinate : Kind::badHeader,
                    lineOf_[kFields], Token(),
                    "PCD: " + std::string(found == 0 ? "no" : "more than one") + " field " + name);
            }
            PcdField const& field = header_.fields[header_.coordinates[axis]];
            if (field.count != 1) {
                return refuseLine(problem_, Kind::badHeader, lineOf_[kFields], field.name,
                                  "PCD: field " + name + " has COUNT " +
                                      std::to_string(field.count) +
                                      ": which of its values is the coordinate is not defined");
            }
        }
        return true;
    }

    // POINTS, or WIDTH times HEIGHT where there is no POINTS line; both, where both are given.
    bool pointCount(TextLine const& dataLine) {
        std::uint64_t width = 0, height = 0, points = 0;
        if (!singleCount(kWidth, 0, width) || !singleCount(kHeight, 1, height) ||
            !singleCount(kPoints, 0, points)) {
            return false;
        }
        bool const hasWidth = lineOf_[kWidth].begin != nullptr;
        bool const hasPoints = lineOf_[kPoints].begin != nullptr;
        if (!hasWidth && !hasPoints) {
            return refuseLine(problem_, Kind::badHeader, dataLine, Token(),
                              "PCD: the header has neither POINTS nor WIDTH");
        }
        bool const overflows = height != 0 && width > ~std::uint64_t(0) / height;
        if (hasWidth && (overflows || (hasPoints && width * height != points))) {
            return refuseLine(problem_, overflows ? Kind::tooLarge : Kind::countMismatch,
                              lineOf_[kWidth], Token(),
                              "PCD: WIDTH " + std::to_string(width) + " times HEIGHT " +
                                  std::to_string(height) +
                                  (overflows ? " is more than can be counted"
                                             : " is not POINTS " + std::to_string(points)));
        }
        header_.points = hasPoints ? points : width * height;
        return true;
    }

    TextLines lines_;
    std::size_t size_;
    PcdHeader& header_;
    FormatProblem& problem_;
    TextLine lineOf_[kKeywordCount];  // begin null where the keyword has no line
};

}  // namespace

bool isPcdKeyword(Token const& token) {
    for (char const* name : kKeywordNames) {
        if (token.is(name)) {
            return true;
        }
    }
    return token.is("DATA");
}

bool readPcdHeader(unsigned char const* data, std::size_t size, PcdHeader& header,
                   FormatProblem& problem) {
    header = PcdHeader();
    return PcdHeaderParser(data, size, header, problem).parse();
}

}  // namespace formats
}  // namespace tavrisk
