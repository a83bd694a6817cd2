// SPDX-License-Identifier: MIT
// Readers of the point formats: PLY, PCD, LAS and STL. Each reads a whole file held in memory,
// appends its points in file order and returns true, or returns false with points as they were
// before the call and problem saying why the file is refused (problem is reset on success).
//
// None reads a byte outside [data, data + size). A header that declares more than the data
// holds, a type the format does not define, or a size that overflows is refused with its
// reason before anything is reserved. Text values are read as the point text reader reads them:
// the whole value must be a number in the "C" locale, at most kMaxPointValueLength characters.
// Every coordinate must be finite. The only exception that may leave is std::bad_alloc.
#pragma once

#include <cstddef>
#include <vector>

#include "formats/format_problem.h"
#include "gte/vector.h"

namespace tavrisk {

// PLY: ascii, binary_little_endian and binary_big_endian. The points are the x, y and z
// properties of the "vertex" element, of any of the format's numeric types (char, uchar,
// short, ushort, int, uint, float, double and the int8 ... float64 spellings); other
// properties and elements are skipped, list properties included. Every element must be
// complete and nothing but white space (ascii) or nothing at all (binary) may follow the last.
bool readPly(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
             FormatProblem& problem);

// PCD: DATA ascii and DATA binary (binary_compressed is refused by name). The points are the
// fields x, y and z, each of COUNT 1 and any SIZE and TYPE (I 1/2/4/8, U 1/2/4/8, F 4/8); other
// fields are skipped. POINTS, or WIDTH times HEIGHT, points must be present, and no more.
bool readPcd(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
             FormatProblem& problem);

// LAS 1.0 to 1.4, point data formats 0 to 10, not compressed (LAZ is refused by name). Each
// coordinate is its scaled integer times the header's scale plus the header's offset, computed
// in double as X * scale + offset: a product and a sum, each rounded to nearest. The 64-bit
// point count of version 1.4 is honoured, and so is the offset to the point data.
bool readLas(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
             FormatProblem& problem);

// STL, ascii or binary (told apart as detectFileKind does). The points are the triangles'
// vertices, each distinct vertex once, in the order of its first occurrence: distinct means
// other bits as read (a binary float widened to double, an ascii value as its text reads).
bool readStl(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points,
             FormatProblem& problem);

}  // namespace tavrisk
