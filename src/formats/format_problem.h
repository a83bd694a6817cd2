// SPDX-License-Identifier: MIT
// Why a point file in one of the formats (PLY, PCD, LAS, STL) was refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrisk {

enum class FormatProblemKind {
    none,
    truncated,            // the data ends before a header, record or value that must be there
    badHeader,            // a header line, keyword or field that does not follow the format
    unsupportedVariant,   // a variant of the format that is not read (PCD binary_compressed, LAZ)
    unknownPropertyType,  // a property or field type the format does not define
    missingCoordinate,    // no x, y or z (or no vertex element) to take the points from
    countMismatch,        // counts that disagree: values on a line, data beyond the declared end
    notANumber,           // a text value that is not wholly a number of its declared type
    valueTooLong,         // a text value longer than kMaxPointValueLength characters
    notFinite,            // a coordinate that is infinite or NaN, read or computed
    tooLarge,             // a declared count or size that cannot be held or addressed
    noPoint,              // a well-formed file that holds no point
};

// Whether FormatProblem::offset counts bytes or elements.
enum class FormatOffsetUnit {
    byte,     // byte offset from the start of the data
    element,  // 0-based index of the point (vertex, record, triangle) in file order
};

struct FormatProblem {
    // At most this many bytes of the offending text are kept.
    static constexpr std::size_t kTextLimit = 64;

    FormatProblemKind kind = FormatProblemKind::none;
    // English, for a person: names the format and what is wrong ("PLY: the header declares 120
    // vertices but the data ends after 97").
    std::string detail;
    // Where the fault lies, in the unit offsetUnit says: a byte offset for header and size
    // faults, the point's index where that is clearer (a coordinate that is not finite).
    std::uint64_t offset = 0;
    FormatOffsetUnit offsetUnit = FormatOffsetUnit::byte;
    // 1-based line of a fault in a text header or text data; 0 in binary data.
    std::uint64_t line = 0;
    // The offending text as found (a value, a keyword, a type name), its first kTextLimit bytes;
    // empty when no text is at fault.
    std::string text;
};

}  // namespace tavrisk
