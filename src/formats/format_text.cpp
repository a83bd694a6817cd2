// SPDX-License-Identifier: MIT
#include "formats/format_text.h"

#include <cstring>
#include <new>

#include "pointtext/point_file_problem.h"

namespace tavrisk {
namespace formats {

TextLines::TextLines(unsigned char const* data, std::size_t size, std::size_t start,
                     std::uint64_t firstLine)
    : data_(reinterpret_cast<char const*>(data)),
      size_(size),
      position_(start),
      lineNumber_(firstLine) {}

bool TextLines::next(TextLine& line) {
    if (position_ >= size_) {
        return false;
    }
    char const* const begin = data_ + position_;
    void const* const feed = std::memchr(begin, '\n', size_ - position_);
    char const* const end = feed != nullptr ? static_cast<char const*>(feed) : data_ + size_;
    line.begin = begin;
    line.end = end > begin && end[-1] == '\r' ? end - 1 : end;
    line.offset = position_;
    line.number = lineNumber_++;
    position_ = static_cast<std::size_t>(end - data_) + (feed != nullptr ? 1 : 0);
    return true;
}

bool TextLines::nextFilled(TextLine& line) {
    while (next(line)) {
        if (Tokens(line).more()) {
            return true;
        }
    }
    return false;
}

bool Token::is(char const* word) const {
    return std::strlen(word) == length && (length == 0 || std::memcmp(begin, word, length) == 0);
}

bool Token::isWord(char const* word) const {
    if (std::strlen(word) != length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        char const c = begin[i];
        char const lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        char const w =
            word[i] >= 'A' && word[i] <= 'Z' ? static_cast<char>(word[i] - 'A' + 'a') : word[i];
        if (lower != w) {
            return false;
        }
    }
    return true;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool Tokens::next(Token& token) {
    if (!more()) {
        return false;
    }
    char const* const begin = p_;
    while (p_ < end_ && !isBlank(*p_)) {
        ++p_;
    }
    token.begin = begin;
    token.length = static_cast<std::size_t>(p_ - begin);
    return true;
}

bool Tokens::more() {
    while (p_ < end_ && isBlank(*p_)) {
        ++p_;
    }
    return p_ < end_;
}

Token Tokens::rest() {
    more();
    Token token;
    token.begin = p_;
    token.length = static_cast<std::size_t>(end_ - p_);
    p_ = end_;
    return token;
}

TextNumber readNumber(platform::CNumberReader const& reader, Token const& token,
                      char const* dataEnd, double& value) {
    if (token.length > kMaxPointValueLength) {
        return TextNumber::tooLong;
    }
    // The reader may look at the byte after the token, which the data may not have.
    char const* text = token.begin;
    char copy[kMaxPointValueLength + 1];
    if (token.begin + token.length == dataEnd) {
        std::memcpy(copy, token.begin, token.length);
        copy[token.length] = '\0';
        text = copy;
    }
    platform::CNumberReader::Number const number = reader.read(text, token.length);
    if (number.length != token.length || token.length == 0) {
        return TextNumber::notANumber;
    }
    value = number.value;
    return TextNumber::number;
}

TextNumber readValue(platform::CNumberReader const& reader, Token const& token, ScalarType type,
                     char const* dataEnd, double& value) {
    TextNumber const read = readNumber(reader, token, dataEnd, value);
    return read == TextNumber::number && !holdsValue(type, value) ? TextNumber::notOfType : read;
}

void requireValid(platform::CNumberReader const& reader) {
    if (!reader.valid()) {
        throw std::bad_alloc();
    }
}

bool readCount(Token const& token, std::uint64_t& count) {
    constexpr std::uint64_t kLargest = ~std::uint64_t(0);
    if (token.length == 0) {
        return false;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < token.length; ++i) {
        char const c = token.begin[i];
        if (c < '0' || c > '9') {
            return false;
        }
        unsigned const digit = static_cast<unsigned>(c - '0');
        if (value > (kLargest - digit) / 10) {
            return false;
        }
        value = value * 10 + digit;
    }
    count = value;
    return true;
}

std::size_t byteOrderMarkLength(unsigned char const* data, std::size_t size) {
    return size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
}

}  // namespace formats
}  // namespace tavrisk
