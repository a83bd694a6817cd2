// SPDX-License-Identifier: MIT
// Cost of reading a million points from a binary PLY and a LAS file held in memory, beside two
// baselines over the same bytes: copying them (the memory's bandwidth) and the least decoding
// (each record's three values loaded and appended, with no header, check or refusal).
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formats/point_formats.h"
#include "measure_loop.h"

namespace {

constexpr int kPoints = 1000000;

template <class T>
void append(std::string& out, T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof bytes);
}

// What a scanner writes: x, y, z as floats, a normal and a colour (27 bytes a vertex).
std::string const& plyFile() {
    static std::string const file = [] {
        std::string out =
            "ply\nformat binary_little_endian 1.0\nelement vertex " + std::to_string(kPoints) +
            "\nproperty float x\nproperty float y\nproperty float z\nproperty float nx\n"
            "property float ny\nproperty float nz\nproperty uchar red\nproperty uchar green\n"
            "property uchar blue\nend_header\n";
        for (int i = 0; i < kPoints; ++i) {
            for (float v : {0.001f * i, 50.0f - 0.002f * i, 0.25f * (i % 97), 0.0f, 0.0f, 1.0f}) {
                append(out, v);
            }
            out.append(3, '\x80');
        }
        return out;
    }();
    return file;
}
constexpr std::size_t kPlyRecordBytes = 27;

// LAS 1.2, point data format 1 (28 bytes a point), millimetre scale.
std::string const& lasFile() {
    static std::string const file = [] {
        std::string out = "LASF";
        out.append(20, '\0');
        out += '\x01';
        out += '\x02';
        out.append(64, '\0');
        append<std::uint16_t>(out, 1);
        append<std::uint16_t>(out, 2024);
        append<std::uint16_t>(out, 227);
        append<std::uint32_t>(out, 227);
        append<std::uint32_t>(out, 0);
        out += '\x01';
        append<std::uint16_t>(out, 28);
        append<std::uint32_t>(out, kPoints);
        out.append(20, '\0');
        for (double v : {0.001, 0.001, 0.001, 431000.0, 5300000.0, 0.0}) append(out, v);
        out.append(48, '\0');
        for (int i = 0; i < kPoints; ++i) {
            for (std::int32_t v : {i, 50000 - 2 * i, 250 * (i % 97)}) append(out, v);
            out.append(16, '\x11');
        }
        return out;
    }();
    return file;
}
constexpr std::size_t kLasHeaderBytes = 227;
constexpr std::size_t kLasRecordBytes = 28;

template <class Read>
void BM_ReadFormat(benchmark::State& state, std::string const& file, Read read) {
    std::vector<gte::Vector3> points;
    bool wasRead = false;
    tavrisk_bench::measureItems(state, kPoints, [&] {
        points.clear();
        wasRead = read(reinterpret_cast<unsigned char const*>(file.data()), file.size(), points);
        return wasRead;
    });
    if (!wasRead || points.size() != static_cast<std::size_t>(kPoints)) {
        state.SkipWithError("file not read completely");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}

bool copyBytes(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points) {
    static std::vector<unsigned char> copy;
    copy.resize(size);
    std::memcpy(copy.data(), data, size);
    benchmark::DoNotOptimize(copy.data());
    points.resize(kPoints);
    return true;
}

// The least decoding: the records' values loaded and appended.
template <class Record>
bool leastDecoding(unsigned char const* records, std::vector<gte::Vector3>& points,
                   std::size_t recordBytes, Record toPoint) {
    points.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i, records += recordBytes) {
        points.push_back(toPoint(records));
    }
    return true;
}

bool plyLeast(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points) {
    unsigned char const* const records = data + size - kPoints * kPlyRecordBytes;
    return leastDecoding(records, points, kPlyRecordBytes, [](unsigned char const* r) {
        float xyz[3];
        std::memcpy(xyz, r, sizeof xyz);
        return gte::Vector3(xyz[0], xyz[1], xyz[2]);
    });
}

bool lasLeast(unsigned char const* data, std::size_t, std::vector<gte::Vector3>& points) {
    return leastDecoding(data + kLasHeaderBytes, points, kLasRecordBytes,
                         [](unsigned char const* r) {
                             std::int32_t xyz[3];
                             std::memcpy(xyz, r, sizeof xyz);
                             return gte::Vector3(xyz[0] * 0.001 + 431000.0,
                                                 xyz[1] * 0.001 + 5300000.0, xyz[2] * 0.001);
                         });
}

bool readPly(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points) {
    tavrisk::FormatProblem problem;
    return tavrisk::readPly(data, size, points, problem);
}

bool readLas(unsigned char const* data, std::size_t size, std::vector<gte::Vector3>& points) {
    tavrisk::FormatProblem problem;
    return tavrisk::readLas(data, size, points, problem);
}

}  // namespace

BENCHMARK_CAPTURE(BM_ReadFormat, ply_copy, plyFile(), copyBytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadFormat, ply_least, plyFile(), plyLeast)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadFormat, ply_read, plyFile(), readPly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadFormat, las_copy, lasFile(), copyBytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadFormat, las_least, lasFile(), lasLeast)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadFormat, las_read, lasFile(), readLas)->Unit(benchmark::kMillisecond);
