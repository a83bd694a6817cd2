// SPDX-License-Identifier: MIT
// The text parts of the formats: header lines, the values of ascii data, and the numbers and
// counts they hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/scalar_type.h"
#include "pointtext/c_number.h"

namespace tavrisk {
namespace formats {

// A line of the data, without its line end ("\n", "\r\n", or the end of the data).
struct TextLine {
    char const* begin = nullptr;
    char const* end = nullptr;
    std::size_t offset = 0;    // of its first byte in the data
    std::uint64_t number = 0;  // 1-based
};

// The lines of data[start, size), one after another.
class TextLines {
public:
    // firstLine: the number of the line at start.
    TextLines(unsigned char const* data, std::size_t size, std::size_t start,
              std::uint64_t firstLine = 1);

    // The next line; false when no byte is left.
    bool next(TextLine& line);
    // The next line that holds more than blanks; false when none is left.
    bool nextFilled(TextLine& line);

    // Offset of the first byte after the lines taken so far.
    std::size_t position() const { return position_; }
    // Number of the next line.
    std::uint64_t lineNumber() const { return lineNumber_; }
    char const* dataEnd() const { return data_ + size_; }

private:
    char const* data_;
    std::size_t size_;
    std::size_t position_;
    std::uint64_t lineNumber_;
};

// A run of bytes between blanks on a line.
struct Token {
    char const* begin = nullptr;
    std::size_t length = 0;

    bool is(char const* word) const;      // the token is exactly word
    bool isWord(char const* word) const;  // the same but for the case of its ASCII letters
};

// Space, tab, carriage return, vertical tab and form feed separate values on a line.
bool isBlank(char c);

// The tokens of a line, one after another.
class Tokens {
public:
    explicit Tokens(TextLine const& line) : p_(line.begin), end_(line.end) {}
    Tokens(char const* begin, char const* end) : p_(begin), end_(end) {}

    bool next(Token& token);
    // Whether any token is left.
    bool more();
    // The rest of the line from its next token on, for names that may hold blanks.
    Token rest();

private:
    char const* p_;
    char const* end_;
};

enum class TextNumber {
    number,      // the whole token is a number
    notANumber,  // some of it is not
    notOfType,   // a number that is no value of its integer type (a fraction, out of range)
    tooLong,     // longer than the longest value a point file may hold
};

// Reads the token as the point text reader reads a value: in the "C" locale, the whole token or
// nothing. A NaN or infinity is a number here; the caller decides about it. dataEnd is the end of
// the data the token lies in.
TextNumber readNumber(platform::CNumberReader const& reader, Token const& token,
                      char const* dataEnd, double& value);

// Throws std::bad_alloc when the reader could not make its "C" locale, which lacks nothing but
// memory; the text readers need it.
void requireValid(platform::CNumberReader const& reader);

// readNumber, and the number must be a value of the type (see holdsValue).
TextNumber readValue(platform::CNumberReader const& reader, Token const& token, ScalarType type,
                     char const* dataEnd, double& value);

// The names of the coordinates in headers and details.
inline constexpr char const* kAxisNames[3] = {"x", "y", "z"};

// How many items (properties, fields: each with a Token name) have the name; index receives the
// index of the last of them.
template <class Named>
int countNamed(std::vector<Named> const& items, char const* name, std::size_t& index) {
    int found = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].name.is(name)) {
            index = i;
            ++found;
        }
    }
    return found;
}

// A count in a header: decimal digits only, no sign, at most 2^64 - 1.
bool readCount(Token const& token, std::uint64_t& count);

// A UTF-8 byte order mark that a text editor may have put in front of a text header.
std::size_t byteOrderMarkLength(unsigned char const* data, std::size_t size);

}  // namespace formats
}  // namespace tavrisk
