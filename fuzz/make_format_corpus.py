#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the seed corpus of the point format fuzz targets: small files of every variant the
readers take, and a few that lie, from which the fuzzer mutates. Usage: make_format_corpus.py
[CORPUS_DIR] (default: the corpus directory beside this script); rewrites its ply, pcd, las and
stl folders."""
import os
import shutil
import struct
import sys

POINTS = [(1.5, -2.25, 3.0), (4.0, 5.0, 6.0), (7.0, 8.0, 0.125)]


def ply(encoding, with_faces=True, vertex_list=False):
    head = ["ply", f"format {encoding} 1.0", "comment seed", "element vertex 3"]
    if vertex_list:
        head.append("property list uchar int ids")
    head += ["property float x", "property double y", "property short z", "property uchar flags"]
    if with_faces:
        head += ["element face 1", "property list uchar int vertex_indices"]
    head.append("end_header")
    out = ("\n".join(head) + "\n").encode()
    if encoding == "ascii":
        for x, y, z in POINTS:
            out += (f"2 5 6 " if vertex_list else "").encode() + f"{x} {y} {int(z)} 1\n".encode()
        if with_faces:
            out += b"3 0 1 2\n"
        return out
    order = "<" if encoding == "binary_little_endian" else ">"
    for x, y, z in POINTS:
        if vertex_list:
            out += struct.pack(order + "Bii", 2, 5, 6)
        out += struct.pack(order + "fdhB", x, y, int(z), 1)
    if with_faces:
        out += struct.pack(order + "Biii", 3, 0, 1, 2)
    return out


def pcd(data):
    head = ["# .PCD v0.7", "VERSION 0.7", "FIELDS x y z rgb", "SIZE 4 8 2 4", "TYPE F F I U",
            "COUNT 1 1 1 1", "WIDTH 3", "HEIGHT 1", "VIEWPOINT 0 0 0 1 0 0 0", "POINTS 3",
            f"DATA {data}"]
    out = ("\n".join(head) + "\n").encode()
    for x, y, z in POINTS:
        if data == "ascii":
            out += f"{x} {y} {int(z)} 7\n".encode()
        elif data == "binary":
            out += struct.pack("<fdhI", x, y, int(z), 7)
    return out


def las(minor, point_format, record_bytes, records_bytes=0):
    header_bytes = {0: 227, 1: 227, 2: 227, 3: 235, 4: 375}[minor]
    out = b"LASF" + bytes(20) + bytes([1, minor]) + b"seed".ljust(64, b"\0")
    out += struct.pack("<HHHIIBHI", 1, 2024, header_bytes, header_bytes + records_bytes,
                       1 if records_bytes else 0, point_format, record_bytes, len(POINTS))
    out += bytes(20)
    out += struct.pack("<6d", 0.001, 0.001, 0.01, 1000.0, -2000.0, 0.5)
    out += bytes(48)
    if minor >= 3:
        out += bytes(8)
    if minor >= 4:
        out += bytes(12) + struct.pack("<Q", len(POINTS)) + bytes(120)
    assert len(out) == header_bytes
    out += b"\x7f" * records_bytes
    for i, (x, y, z) in enumerate(POINTS):
        out += struct.pack("<3i", int(x * 1000), int(y * 1000), int(z * 100) - i)
        out += b"\x55" * (record_bytes - 12)
    return out


TRIANGLES = [((0, 0, 0), (1, 0, 0), (0, 1, 0)), ((1, 0, 0), (1, 1, 0.5), (0, 1, 0))]


def stl_ascii(upper=False):
    def word(w):
        return w.upper() if upper else w
    out = word("solid") + " seed\n"
    for t in TRIANGLES:
        out += f" {word('facet normal')} 0 0 1\n  {word('outer loop')}\n"
        for v in t:
            out += f"   {word('vertex')} {v[0]} {v[1]} {v[2]}\n"
        out += f"  {word('endloop')}\n {word('endfacet')}\n"
    return (out + word("endsolid") + " seed\n").encode()


def stl_binary(header):
    out = header.ljust(80, b"\0") + struct.pack("<I", len(TRIANGLES))
    for t in TRIANGLES:
        out += struct.pack("<3f", 0, 0, 1)
        for v in t:
            out += struct.pack("<3f", *v)
        out += bytes(2)
    return out


def seeds():
    little = ply("binary_little_endian")
    return {
        "ply": {
            "ascii": ply("ascii"),
            "ascii_vertex_lists": ply("ascii", vertex_list=True),
            "binary_little_endian": little,
            "binary_big_endian": ply("binary_big_endian"),
            "big_endian_vertex_lists": ply("binary_big_endian", vertex_list=True),
            "more_vertices_declared": little.replace(b"vertex 3", b"vertex 4"),
            "unknown_type": little.replace(b"float x", b"int64 x"),
        },
        "pcd": {
            "ascii": pcd("ascii"),
            "binary": pcd("binary"),
            "binary_compressed": pcd("binary_compressed"),
            "more_points_declared": pcd("binary").replace(b"POINTS 3", b"POINTS 4")
            .replace(b"WIDTH 3", b"WIDTH 4"),
        },
        "las": {
            "v1_0_format_1": las(0, 1, 28),
            "v1_2_format_3": las(2, 3, 40, records_bytes=54),
            "v1_3_format_5": las(3, 5, 63),
            "v1_4_format_6": las(4, 6, 30, records_bytes=10),
            "v1_4_format_10": las(4, 10, 67),
            "compressed": las(2, 0x83, 34),
        },
        "stl": {
            "ascii": stl_ascii(),
            "ascii_capitals": stl_ascii(upper=True),
            "binary": stl_binary(b"made by a CAD program"),
            "binary_solid_header": stl_binary(b"solid seed"),
            "binary_count_too_large": stl_binary(b"seed")[:80] + struct.pack("<I", 3)
            + stl_binary(b"seed")[84:],
        },
    }


def main():
    corpus = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus")
    for target, files in seeds().items():
        folder = os.path.join(corpus, target)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for name, content in files.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(content)


if __name__ == "__main__":
    main()
