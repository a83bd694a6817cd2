// SPDX-License-Identifier: MIT
#include "formats/format_detection.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "formats/byte_loads.h"
#include "formats/format_text.h"
#include "formats/pcd_header.h"

namespace tavrisk {

namespace {

using formats::TextLine;
using formats::TextLines;
using formats::Token;
using formats::Tokens;

// The bytes looked at to tell text from binary data: enough for any header line and for the
// first values of a text file.
constexpr std::size_t kTextSampleBytes = 4096;
// How far a PLY or PCD header is searched for its format or DATA line. Headers are a few hundred
// bytes; comments may make them longer, but not this long.
constexpr std::size_t kHeaderSearchBytes = 64 * 1024;

// A binary STL: an 80-byte header of free text, the triangle count, 50 bytes a triangle.
constexpr std::size_t kStlHeaderBytes = 80;
constexpr std::size_t kStlTriangleBytes = 50;
// Where a LAS header keeps its point data format, whose two high bits mark compressed points.
constexpr std::size_t kLasPointFormatOffset = 104;
constexpr unsigned kLasCompressedBits = 0xC0;

// Whether the data starts with the bytes of prefix (a literal, NUL bytes included).
template <std::size_t N>
bool startsWith(unsigned char const* data, std::size_t size, char const (&prefix)[N]) {
    return size >= N - 1 && std::memcmp(data, prefix, N - 1) == 0;
}

// A byte no text holds: NUL, and the control characters other than the white space ones.
bool binaryByte(unsigned char c) {
    bool const whiteSpace = c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    return (c < 0x20 && !whiteSpace) || c == 0x7F;
}

bool textSample(unsigned char const* data, std::size_t size) {
    unsigned char const* const end = data + std::min(size, kTextSampleBytes);
    return std::find_if(data, end, binaryByte) == end;
}

bool lineEndAt(unsigned char const* data, std::size_t size, std::size_t at) {
    return at < size && (data[at] == '\n' || data[at] == '\r');
}

// The second word of the first header line that starts with keyword, among the lines before
// endKeyword (none: all lines searched); an empty token when there is none.
Token headerWord(unsigned char const* data, std::size_t size, std::size_t start,
                 char const* keyword, char const* endKeyword) {
    TextLines lines(data, std::min(size, kHeaderSearchBytes), start);
    TextLine line;
    while (lines.next(line)) {
        Tokens tokens(line);
        Token first;
        if (!tokens.next(first)) {
            continue;
        }
        if (first.is(keyword)) {
            Token second;
            tokens.next(second);
            return second;
        }
        if (endKeyword != nullptr && first.is(endKeyword)) {
            break;
        }
    }
    return Token();
}

FileKind plyKind(unsigned char const* data, std::size_t size, std::size_t start) {
    Token const format = headerWord(data, size, start, "format", "end_header");
    if (format.is("ascii")) {
        return FileKind::plyAscii;
    }
    if (format.is("binary_little_endian")) {
        return FileKind::plyBinaryLittleEndian;
    }
    if (format.is("binary_big_endian")) {
        return FileKind::plyBinaryBigEndian;
    }
    return FileKind::plyUnknownFormat;
}

// A PCD header starts with the comment PCL writes, or its first line that is no comment starts
// with one of the header's keywords.
bool pcdHeader(unsigned char const* data, std::size_t size, std::size_t start) {
    if (startsWith(data + start, size - start, "# .PCD")) {
        return true;
    }
    TextLines lines(data, std::min(size, kHeaderSearchBytes), start);
    TextLine line;
    while (lines.next(line)) {
        Tokens tokens(line);
        Token first;
        if (tokens.next(first) && first.begin[0] != '#') {
            return formats::isPcdKeyword(first);
        }
    }
    return false;
}

FileKind pcdKind(unsigned char const* data, std::size_t size, std::size_t start) {
    Token const encoding = headerWord(data, size, start, "DATA", nullptr);
    if (encoding.is("ascii")) {
        return FileKind::pcdAscii;
    }
    if (encoding.is("binary")) {
        return FileKind::pcdBinary;
    }
    if (encoding.is("binary_compressed")) {
        return FileKind::pcdBinaryCompressed;
    }
    return FileKind::pcdUnknownData;
}

bool binaryStlSize(unsigned char const* data, std::size_t size) {
    if (size < kStlHeaderBytes + 4) {
        return false;
    }
    std::uint64_t const triangles = formats::loadLittle32(data + kStlHeaderBytes);
    return kStlHeaderBytes + 4 + triangles * kStlTriangleBytes == size;
}

// "solid" in any case, then white space or the end: the first line of an ascii STL (and of the
// header of many binary ones).
bool solidKeyword(unsigned char const* data, std::size_t size) {
    constexpr std::size_t kLength = 5;
    if (size < kLength) {
        return false;
    }
    for (std::size_t i = 0; i < kLength; ++i) {
        if ((data[i] | 0x20) != static_cast<unsigned char>("solid"[i])) {
            return false;
        }
    }
    return size == kLength || formats::isBlank(static_cast<char>(data[kLength])) ||
           data[kLength] == '\n';
}

}  // namespace

FileKind detectFileKind(unsigned char const* data, std::size_t size) {
    if (size == 0) {
        return FileKind::empty;
    }
    // The four-byte marks first: the UTF-32 little-endian mark starts as the UTF-16 one.
    if (startsWith(data, size, "\x00\x00\xFE\xFF")) {
        return FileKind::utf32BigEndian;
    }
    if (startsWith(data, size, "\xFF\xFE\x00\x00")) {
        return FileKind::utf32LittleEndian;
    }
    if (startsWith(data, size, "\xFF\xFE")) {
        return FileKind::utf16LittleEndian;
    }
    if (startsWith(data, size, "\xFE\xFF")) {
        return FileKind::utf16BigEndian;
    }
    if (startsWith(data, size, "\x1F\x8B")) {
        return FileKind::gzip;
    }
    if (startsWith(data, size, "PK\x03\x04") || startsWith(data, size, "PK\x05\x06")) {
        return FileKind::zip;
    }
    if (startsWith(data, size, "ASTM-E57")) {
        return FileKind::e57;
    }
    if (startsWith(data, size, "LASF")) {
        bool const compressed =
            size > kLasPointFormatOffset && (data[kLasPointFormatOffset] & kLasCompressedBits) != 0;
        return compressed ? FileKind::laz : FileKind::las;
    }
    // The text formats may have gone through an editor that put a byte order mark in front.
    std::size_t const start = formats::byteOrderMarkLength(data, size);
    if (startsWith(data + start, size - start, "ply") && lineEndAt(data, size, start + 3)) {
        return plyKind(data, size, start);
    }
    if (pcdHeader(data, size, start)) {
        return pcdKind(data, size, start);
    }
    // A binary STL header is free text and often starts with "solid" too. Its size tells it from
    // an ascii STL: an ascii file matches a triangle count only where the four bytes after the
    // header are all text, a count of at least 0x09090909 triangles, some 7.5 GB.
    bool const text = textSample(data, size);
    if (binaryStlSize(data, size) && !(text && solidKeyword(data + start, size - start))) {
        return FileKind::stlBinary;
    }
    if (solidKeyword(data + start, size - start)) {
        // Binary bytes after "solid": a binary STL whose size does not match its count.
        return text ? FileKind::stlAscii : FileKind::stlBinary;
    }
    return text ? FileKind::text : FileKind::otherBinary;
}

char const* fileKindName(FileKind kind) {
    switch (kind) {
        case FileKind::empty:
            return "an empty file";
        case FileKind::text:
            return "plain text";
        case FileKind::plyAscii:
            return "PLY (ascii)";
        case FileKind::plyBinaryLittleEndian:
            return "PLY (binary little endian)";
        case FileKind::plyBinaryBigEndian:
            return "PLY (binary big endian)";
        case FileKind::plyUnknownFormat:
            return "PLY (unknown format)";
        case FileKind::pcdAscii:
            return "PCD (ascii)";
        case FileKind::pcdBinary:
            return "PCD (binary)";
        case FileKind::pcdBinaryCompressed:
            return "PCD (binary_compressed)";
        case FileKind::pcdUnknownData:
            return "PCD (unknown data)";
        case FileKind::las:
            return "LAS";
        case FileKind::laz:
            return "LAZ (compressed LAS)";
        case FileKind::stlAscii:
            return "STL (ascii)";
        case FileKind::stlBinary:
            return "STL (binary)";
        case FileKind::gzip:
            return "gzip-compressed data";
        case FileKind::zip:
            return "a zip archive";
        case FileKind::e57:
            return "E57";
        case FileKind::utf16LittleEndian:
            return "UTF-16 text (little endian)";
        case FileKind::utf16BigEndian:
            return "UTF-16 text (big endian)";
        case FileKind::utf32LittleEndian:
            return "UTF-32 text (little endian)";
        case FileKind::utf32BigEndian:
            return "UTF-32 text (big endian)";
        case FileKind::otherBinary:
            return "binary data";
    }
    return "binary data";
}

FileFamily fileFamilyOf(FileKind kind) {
    switch (kind) {
        case FileKind::empty:
        case FileKind::text:
            return FileFamily::text;
        case FileKind::plyAscii:
        case FileKind::plyBinaryLittleEndian:
        case FileKind::plyBinaryBigEndian:
        case FileKind::plyUnknownFormat:
            return FileFamily::ply;
        case FileKind::pcdAscii:
        case FileKind::pcdBinary:
        case FileKind::pcdBinaryCompressed:
        case FileKind::pcdUnknownData:
            return FileFamily::pcd;
        case FileKind::las:
        case FileKind::laz:
            return FileFamily::las;
        case FileKind::stlAscii:
        case FileKind::stlBinary:
            return FileFamily::stl;
        default:
            return FileFamily::unreadable;
    }
}

}  // namespace tavrisk
