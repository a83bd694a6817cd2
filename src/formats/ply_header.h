// SPDX-License-Identifier: MIT
// The header of a PLY file: its encoding, and the elements with their properties in file order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/format_problem.h"
#include "formats/format_text.h"
#include "formats/scalar_type.h"

namespace tavrisk {
namespace formats {

struct PlyProperty {
    Token name;
    ScalarType type;  // of the value, or of each item of a list
    bool list = false;
    ScalarType countType = ScalarType::uint8;  // of a list's item count
};

struct PlyElement {
    Token name;
    std::uint64_t count = 0;
    std::vector<PlyProperty> properties;
    bool vertex = false;  // the element the points come from
};

enum class PlyEncoding { ascii, binaryLittleEndian, binaryBigEndian };

struct PlyHeader {
    PlyEncoding encoding = PlyEncoding::ascii;
    std::vector<PlyElement> elements;
    std::size_t vertexElement = 0;           // index in elements
    std::size_t coordinates[3] = {0, 0, 0};  // indices of x, y and z among its properties
    std::size_t dataStart = 0;               // offset of the first byte after the header
    std::uint64_t dataLine = 0;              // number of the first line after the header
};

// Reads the header at the start of the data (after a UTF-8 byte order mark, if any) and checks
// that the points can be taken from it: one vertex element with scalar x, y and z, and no
// element declared with instances but without properties. False with problem filled otherwise.
bool readPlyHeader(unsigned char const* data, std::size_t size, PlyHeader& header,
                   FormatProblem& problem);

}  // namespace formats
}  // namespace tavrisk
