// SPDX-License-Identifier: MIT
// STL, ascii and binary: the reader reads the distinct corners or refuses the file. A binary
// file it accepts is held to the literal reading: every corner of every triangle in turn, kept
// unless a kept corner has its bits. (Detection is not held to it: a binary STL header is free
// text and may start as another format does.)
#include <cstring>

#include "format_fuzz.h"

namespace {

constexpr std::size_t kHeaderBytes = 84;  // free text, then the triangle count
constexpr std::size_t kTriangleBytes = 50;
constexpr std::size_t kNormalBytes = 12;

std::vector<gte::Vector3> literalCorners(std::uint8_t const* data, std::size_t size) {
    std::vector<gte::Vector3> kept;
    for (std::size_t at = kHeaderBytes; at + kTriangleBytes <= size; at += kTriangleBytes) {
        for (std::size_t corner = 0; corner < 3; ++corner) {
            float xyz[3];
            std::memcpy(xyz, data + at + kNormalBytes + 12 * corner, sizeof xyz);
            gte::Vector3 const point(xyz[0], xyz[1], xyz[2]);
            bool seen = false;
            for (gte::Vector3 const& k : kept) {
                seen = seen || std::memcmp(&k, &point, sizeof point) == 0;
            }
            if (!seen) {
                kept.push_back(point);
            }
        }
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    fuzz::checkFormatReader(tavrisk::readStl, "STL", data, size, std::nullopt);
    std::vector<gte::Vector3> points;
    tavrisk::FormatProblem problem;
    if (tavrisk::detectFileKind(data, size) != tavrisk::FileKind::stlAscii &&
        tavrisk::readStl(data, size, points, problem)) {
        std::vector<gte::Vector3> const literal = literalCorners(data, size);
        fuzz::require(literal.size() == points.size() &&
                          std::memcmp(literal.data(), points.data(),
                                      points.size() * sizeof(gte::Vector3)) == 0,
                      "STL", "other corners than the literal reading keeps");
    }
    return 0;
}
