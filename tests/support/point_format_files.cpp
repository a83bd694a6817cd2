// SPDX-License-Identifier: MIT
#include "support/point_format_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>

namespace tavrisk_test {

namespace {

struct Encoding {
    int bytes;
    bool integer;
    bool isSigned;
};

Encoding plyEncoding(std::string const& type) {
    static std::map<std::string, Encoding> const kTypes = {
        {"char", {1, true, true}},     {"int8", {1, true, true}},     {"uchar", {1, true, false}},
        {"uint8", {1, true, false}},   {"short", {2, true, true}},    {"int16", {2, true, true}},
        {"ushort", {2, true, false}},  {"uint16", {2, true, false}},  {"int", {4, true, true}},
        {"int32", {4, true, true}},    {"uint", {4, true, false}},    {"uint32", {4, true, false}},
        {"float", {4, false, true}},   {"float32", {4, false, true}}, {"double", {8, false, true}},
        {"float64", {8, false, true}},
    };
    auto const found = kTypes.find(type);
    EXPECT_NE(found, kTypes.end()) << "no such PLY type in the tests: " << type;
    return found == kTypes.end() ? Encoding{8, false, true} : found->second;
}

Encoding pcdEncoding(PcdField const& field) {
    return {field.size, field.type != 'F', field.type == 'I'};
}

// The bytes of v as the encoding stores it, in the byte order asked for.
void appendBinary(std::string& out, Encoding e, double v, bool bigEndian) {
    std::uint64_t bits = 0;
    if (e.integer) {
        bits = e.isSigned ? static_cast<std::uint64_t>(static_cast<std::int64_t>(v))
                          : static_cast<std::uint64_t>(v);
    } else if (e.bytes == 4) {
        float const f = static_cast<float>(roundedToFloat(v));
        std::uint32_t b32;
        std::memcpy(&b32, &f, sizeof b32);
        bits = b32;
    } else {
        std::memcpy(&bits, &v, sizeof bits);
    }
    for (int i = 0; i < e.bytes; ++i) {
        int const shift = 8 * (bigEndian ? e.bytes - 1 - i : i);
        out += static_cast<char>((bits >> shift) & 0xFF);
    }
}

void appendText(std::string& out, Encoding e, double v) {
    char text[64];
    if (e.integer && e.isSigned) {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(v));
    } else if (e.integer) {
        std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(v));
    } else {
        std::snprintf(text, sizeof text, "%.17g", v);
    }
    out += text;
}

template <class T>
void appendLittle(std::string& out, T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof value);
    // The tests run on little-endian machines only, as the library's decimal reading does.
    out.append(reinterpret_cast<char const*>(bytes), sizeof bytes);
}

}  // namespace

double roundedToFloat(double v) {
    volatile float const rounded = static_cast<float>(v);
    return rounded;
}

std::string plyFile(std::string const& format, std::vector<PlyElement> const& elements) {
    std::string out = "ply\nformat " + format + " 1.0\ncomment written by the tests\n";
    for (PlyElement const& element : elements) {
        out += "element " + element.name + " " + std::to_string(element.rows.size()) + "\n";
        for (PlyProperty const& p : element.properties) {
            out += p.countType.empty()
                       ? "property " + p.type + " " + p.name + "\n"
                       : "property list " + p.countType + " " + p.type + " " + p.name + "\n";
        }
    }
    out += "end_header\n";
    bool const ascii = format == "ascii";
    bool const big = format == "binary_big_endian";
    for (PlyElement const& element : elements) {
        for (std::vector<double> const& row : element.rows) {
            std::size_t at = 0;
            for (PlyProperty const& p : element.properties) {
                std::size_t items = 1;
                if (!p.countType.empty()) {
                    items = static_cast<std::size_t>(row.at(at));
                    ascii ? appendText(out, plyEncoding(p.countType), row.at(at))
                          : appendBinary(out, plyEncoding(p.countType), row.at(at), big);
                    out += ascii ? " " : "";
                    ++at;
                }
                for (std::size_t i = 0; i < items; ++i, ++at) {
                    ascii ? appendText(out, plyEncoding(p.type), row.at(at))
                          : appendBinary(out, plyEncoding(p.type), row.at(at), big);
                    out += ascii ? " " : "";
                }
            }
            EXPECT_EQ(at, row.size()) << "a row of " << element.name << " with other values";
            if (ascii) {
                out.back() = '\n';
            }
        }
    }
    return out;
}

double storedAs(std::string const& plyType, double v) {
    Encoding const e = plyEncoding(plyType);
    return !e.integer && e.bytes == 4 ? roundedToFloat(v) : v;
}

std::string pcdFile(std::string const& data, std::vector<PcdField> const& fields,
                    std::vector<std::vector<double>> const& rows) {
    std::string names, sizes, types, counts;
    for (PcdField const& f : fields) {
        names += " " + f.name;
        sizes += " " + std::to_string(f.size);
        types += std::string(" ") + f.type;
        counts += " " + std::to_string(f.count);
    }
    std::string const n = std::to_string(rows.size());
    std::string out = "# .PCD v0.7 - Point Cloud Data file format\nVERSION 0.7\nFIELDS" + names +
                      "\nSIZE" + sizes + "\nTYPE" + types + "\nCOUNT" + counts + "\nWIDTH " + n +
                      "\nHEIGHT 1\nVIEWPOINT 0 0 0 1 0 0 0\nPOINTS " + n + "\nDATA " + data + "\n";
    if (data == "binary_compressed") {
        return out;
    }
    bool const ascii = data == "ascii";
    for (std::vector<double> const& row : rows) {
        std::size_t at = 0;
        for (PcdField const& f : fields) {
            for (int i = 0; i < f.count; ++i, ++at) {
                ascii ? appendText(out, pcdEncoding(f), row.at(at))
                      : appendBinary(out, pcdEncoding(f), row.at(at), false);
                out += ascii ? " " : "";
            }
        }
        EXPECT_EQ(at, row.size()) << "a PCD row with other values";
        if (ascii) {
            out.back() = '\n';
        }
    }
    return out;
}

int lasRecordBytes(int pointFormat) {
    static int const kBytes[] = {20, 28, 26, 34, 57, 63, 30, 36, 38, 59, 67};
    return kBytes[pointFormat];
}

std::string lasFile(LasLayout const& layout, std::vector<ScaledPoint> const& points) {
    static int const kHeaderBytes[] = {227, 227, 227, 235, 375};
    int const headerBytes = kHeaderBytes[layout.minor];
    int const recordBytes =
        layout.recordBytes != 0 ? layout.recordBytes : lasRecordBytes(layout.pointFormat);
    std::string out = "LASF";
    out.append(20, '\0');  // file source, global encoding, project GUID
    out += static_cast<char>(1);
    out += static_cast<char>(layout.minor);
    std::string identity = "tavrisk tests";
    identity.resize(64, '\0');  // system identifier and generating software
    out += identity;
    appendLittle<std::uint16_t>(out, 1);     // creation day
    appendLittle<std::uint16_t>(out, 2024);  // creation year
    appendLittle<std::uint16_t>(out, static_cast<std::uint16_t>(headerBytes));
    appendLittle<std::uint32_t>(out, static_cast<std::uint32_t>(headerBytes + layout.recordsBytes));
    appendLittle<std::uint32_t>(out, layout.recordsBytes > 0 ? 1 : 0);
    out += static_cast<char>(layout.pointFormat);
    appendLittle<std::uint16_t>(out, static_cast<std::uint16_t>(recordBytes));
    std::uint32_t const legacy =
        layout.minor < 4 || layout.legacyCount ? static_cast<std::uint32_t>(points.size()) : 0;
    appendLittle<std::uint32_t>(out, legacy);
    out.append(20, '\0');  // points by return
    for (double s : layout.scale) appendLittle(out, s);
    for (double o : layout.offset) appendLittle(out, o);
    out.append(48, '\0');  // extents
    if (layout.minor >= 3) {
        appendLittle<std::uint64_t>(out, 0);  // start of waveform data
    }
    if (layout.minor >= 4) {
        appendLittle<std::uint64_t>(out, 0);  // start of the first extended record
        appendLittle<std::uint32_t>(out, 0);  // extended records
        appendLittle<std::uint64_t>(out, points.size());
        out.append(120, '\0');  // points by return
    }
    EXPECT_EQ(out.size(), static_cast<std::size_t>(headerBytes));
    out.append(static_cast<std::size_t>(layout.recordsBytes), '\x7F');
    for (ScaledPoint const& p : points) {
        for (std::int32_t v : p) appendLittle(out, v);
        // The rest of the record: intensity, flags, classification, times, colours...
        out.append(static_cast<std::size_t>(recordBytes - 12), '\x55');
    }
    return out;
}

std::string stlText(std::vector<Triangle> const& triangles, bool upper) {
    auto word = [upper](std::string w) {
        for (char& c : w) c = upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        return w;
    };
    std::string out = word("solid") + " test part\n";
    char text[200];
    for (Triangle const& t : triangles) {
        out += "  " + word("facet normal") + " 0 0 1\n    " + word("outer loop") + "\n";
        for (gte::Vector3 const& v : t) {
            std::snprintf(text, sizeof text, "      %s %.17g %.17g %.17g\n", word("vertex").c_str(),
                          v[0], v[1], v[2]);
            out += text;
        }
        out += "    " + word("endloop") + "\n  " + word("endfacet") + "\n";
    }
    return out + word("endsolid") + " test part\n";
}

std::string stlBinary(std::vector<Triangle> const& triangles, std::string const& header) {
    std::string out = header;
    out.resize(80, '\0');
    appendLittle<std::uint32_t>(out, static_cast<std::uint32_t>(triangles.size()));
    for (Triangle const& t : triangles) {
        for (float n : {0.0f, 0.0f, 1.0f}) appendLittle(out, n);
        for (gte::Vector3 const& v : t) {
            for (int i = 0; i < 3; ++i) {
                appendLittle(out, static_cast<float>(roundedToFloat(v[i])));
            }
        }
        appendLittle<std::uint16_t>(out, 0);
    }
    return out;
}

std::string replaced(std::string file, std::string const& from, std::string const& to) {
    std::size_t const at = file.find(from);
    EXPECT_NE(at, std::string::npos) << "'" << from << "' is not in the file";
    if (at != std::string::npos) {
        file.replace(at, from.size(), to);
    }
    return file;
}

}  // namespace tavrisk_test
