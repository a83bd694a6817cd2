// SPDX-License-Identifier: MIT
// What a file holds, told from its first bytes: plain text, one of the point formats the readers
// of this folder take, or a format that is named in a refusal rather than read.
#pragma once

#include <cstddef>

namespace tavrisk {

enum class FileKind {
    empty,                  // no byte at all
    text,                   // plain text, with or without a UTF-8 byte order mark
    plyAscii,               // PLY, "format ascii"
    plyBinaryLittleEndian,  // PLY, "format binary_little_endian"
    plyBinaryBigEndian,     // PLY, "format binary_big_endian"
    plyUnknownFormat,       // starts as PLY, without a format line that is one of the three
    pcdAscii,               // PCD, "DATA ascii"
    pcdBinary,              // PCD, "DATA binary"
    pcdBinaryCompressed,    // PCD, "DATA binary_compressed"
    pcdUnknownData,         // starts as PCD, without a DATA line that is one of the three
    las,                    // LAS, point data not compressed
    laz,                    // LAS header whose point data format says compressed
    stlAscii,               // STL, "solid" and facets as text
    stlBinary,              // STL, 80-byte header, triangle count, 50 bytes a triangle
    gzip,                   // gzip-compressed data
    zip,                    // zip archive (also spreadsheets of the office formats)
    e57,                    // E57 (ASTM E57 3D imaging data)
    utf16LittleEndian,      // text behind a UTF-16 little-endian byte order mark
    utf16BigEndian,         // text behind a UTF-16 big-endian byte order mark
    utf32LittleEndian,      // text behind a UTF-32 little-endian byte order mark
    utf32BigEndian,         // text behind a UTF-32 big-endian byte order mark
    otherBinary,            // bytes that are no text (a NUL or control byte near the start)
};

// The reader a kind goes to; unreadable kinds are named in a refusal.
enum class FileFamily {
    text,  // the point text reader (which refuses an empty file as such)
    ply,   // readPly
    pcd,   // readPcd
    las,   // readLas
    stl,   // readStl
    unreadable,
};

// The kind of the data, from its first bytes (a header, as far as it goes, for PLY and PCD;
// the size too for binary STL, whose header is free text).
FileKind detectFileKind(unsigned char const* data, std::size_t size);

// The kind's name for a person: "PLY (binary little endian)", "gzip-compressed data", ...
char const* fileKindName(FileKind kind);

FileFamily fileFamilyOf(FileKind kind);

}  // namespace tavrisk
