// SPDX-License-Identifier: MIT
// The header of a PCD file: its fields, the number of points and how the data is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/format_problem.h"
#include "formats/format_text.h"
#include "formats/scalar_type.h"

namespace tavrisk {
namespace formats {

struct PcdField {
    Token name;
    ScalarType type = ScalarType::float32;
    std::uint64_t count = 1;  // values of the field in each point
};

enum class PcdEncoding { ascii, binary };

struct PcdHeader {
    std::vector<PcdField> fields;
    std::uint64_t points = 0;
    PcdEncoding encoding = PcdEncoding::ascii;
    std::size_t coordinates[3] = {0, 0, 0};  // indices of x, y and z among the fields
    std::uint64_t recordBytes = 0;           // of a point in binary data
    std::uint64_t valuesPerPoint = 0;        // on a line of ascii data
    std::size_t dataStart = 0;               // offset of the first byte after the DATA line
    std::uint64_t dataLine = 0;              // number of the first line after the DATA line
};

// Whether the token is one of the header's keywords (VERSION, FIELDS, ..., DATA).
bool isPcdKeyword(Token const& token);

// Reads the header at the start of the data (after a UTF-8 byte order mark, if any) and checks
// that the points can be taken from it: FIELDS, SIZE, TYPE and COUNT agree, x, y and z are
// fields of one value each, the point count is given and agrees with WIDTH and HEIGHT, and the
// data is ascii or binary. False with problem filled otherwise.
bool readPcdHeader(unsigned char const* data, std::size_t size, PcdHeader& header,
                   FormatProblem& problem);

}  // namespace formats
}  // namespace tavrisk
