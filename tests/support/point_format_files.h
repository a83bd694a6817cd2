// SPDX-License-Identifier: MIT
// Files of the point formats (PLY, PCD, LAS, STL) written by the tests themselves, byte by byte
// from what each format lays down, to be read back by the library's readers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gte/vector.h"

namespace tavrisk_test {

// The bytes of a file as the readers take them.
inline unsigned char const* bytesOf(std::string const& file) {
    return reinterpret_cast<unsigned char const*>(file.data());
}

// v rounded to float and widened back, as a binary float holds it. Through a volatile float:
// GCC 12.2's vectoriser at -O2 folds neighbouring double-to-float-to-double conversions away
// (x86-64: the pair of packed conversions is dropped), which would make expected values wrong.
double roundedToFloat(double v);

// ---- PLY: a header of elements and properties, then their rows.
struct PlyProperty {
    std::string type;  // as the header spells it: "float", "uint8", ...
    std::string name;
    std::string countType = "";  // a list's count type; empty for a scalar property
};
struct PlyElement {
    std::string name;
    std::vector<PlyProperty> properties;
    // One row an instance, its values in property order; a list is its count, then its items.
    std::vector<std::vector<double>> rows;
};
// format: "ascii", "binary_little_endian" or "binary_big_endian". An ascii value is written as
// the shortest text of an integer type's value, or with 17 significant digits, which read back
// to the same double.
std::string plyFile(std::string const& format, std::vector<PlyElement> const& elements);

// The value a binary file of the PLY or PCD type stores for v (v whole where the type is an
// integer type): v rounded to float for float32 and float, v itself otherwise.
double storedAs(std::string const& plyType, double v);

// ---- PCD: fields of a TYPE letter, SIZE and COUNT, then one row a point.
struct PcdField {
    std::string name;
    char type;  // 'I', 'U' or 'F'
    int size;
    int count = 1;
};
// data: "ascii", "binary" or "binary_compressed" (whose points are not written). The header
// gives WIDTH (the row count), HEIGHT 1 and POINTS.
std::string pcdFile(std::string const& data, std::vector<PcdField> const& fields,
                    std::vector<std::vector<double>> const& rows);

// ---- LAS: the public header of version 1.minor, optional bytes of variable-length records,
// then the points' records.
struct LasLayout {
    int minor = 2;
    int pointFormat = 0;
    int recordBytes = 0;  // 0: the least the point format takes
    std::array<double, 3> scale = {0.001, 0.001, 0.001};
    std::array<double, 3> offset = {0.0, 0.0, 0.0};
    int recordsBytes = 0;     // of the variable-length records between header and points
    bool legacyCount = true;  // version 1.4: also the 32-bit point count (else it is 0)
};
using ScaledPoint = std::array<std::int32_t, 3>;
std::string lasFile(LasLayout const& layout, std::vector<ScaledPoint> const& points);
// The least record length of each point data format, 0 to 10.
int lasRecordBytes(int pointFormat);

// ---- STL: triangles as text or binary.
using Triangle = std::array<gte::Vector3, 3>;
// Keywords in upper case when upper; coordinates with 17 significant digits.
std::string stlText(std::vector<Triangle> const& triangles, bool upper = false);
// header: the 80 bytes of free text (cut or padded with NUL bytes).
std::string stlBinary(std::vector<Triangle> const& triangles, std::string const& header);

// Replaces the first text of from in file by to (a header to make lie); the test fails when
// from is not in the file.
std::string replaced(std::string file, std::string const& from, std::string const& to);

}  // namespace tavrisk_test
