# SPDX-License-Identifier: MIT
"""The C records of the library as ctypes structures.

Each structure mirrors a record of ``tavrisk.h`` field for field. The library is a compiled
binary that reads these records by byte offset, so a structure that disagrees with it in size or
in the offset of one field would hand it shifted numbers without any error. :data:`LAYOUT` holds
the sizes and offsets the library was built with, and :func:`check_layout` compares every
structure against it when the package is imported.
"""

from __future__ import annotations

from ctypes import Structure, c_double, sizeof
from typing import Dict, List, Mapping, Optional, Tuple, Type

__all__ = [
    "gte_point",
    "gte_vector",
    "gte_line",
    "gte_ray",
    "gte_lseg",
    "gte_circle",
    "gte_arc",
    "gte_plane",
    "gte_rect",
    "gte_quad",
    "gte_ellipse",
    "gte_dist_result",
    "gte_angle_result",
    "gte_gap_result",
    "LAYOUT",
    "STRUCTURES",
    "check_layout",
]


class gte_point(Structure):
    """A position, in the caller's length unit."""

    _fields_ = [("x", c_double), ("y", c_double), ("z", c_double)]


class gte_vector(Structure):
    """A direction of any length."""

    _fields_ = [("x", c_double), ("y", c_double), ("z", c_double)]


class gte_line(Structure):
    """An infinite line through pt along vector."""

    _fields_ = [("pt", gte_point), ("vector", gte_vector)]


class gte_ray(Structure):
    """A ray from its origin pt along vector."""

    _fields_ = [("pt", gte_point), ("vector", gte_vector)]


class gte_lseg(Structure):
    """A line segment between two end points."""

    _fields_ = [("pt1", gte_point), ("pt2", gte_point)]


class gte_circle(Structure):
    """A circle in space: centre, radius and the normal of its plane."""

    _fields_ = [("center", gte_point), ("radius", c_double), ("vector", gte_vector)]


# An arc is measured as its full circle and travels in the same record.
gte_arc = gte_circle


class gte_plane(Structure):
    """A plane through three points; the two reserved points are never read."""

    _fields_ = [
        ("pt1", gte_point),
        ("pt2", gte_point),
        ("pt3", gte_point),
        ("reserved1", gte_point),
        ("reserved2", gte_point),
    ]


class gte_rect(Structure):
    """A filled rectangle: centre, half-lengths, normal and first in-plane axis."""

    _fields_ = [
        ("center", gte_point),
        ("extent1", c_double),
        ("extent2", c_double),
        ("reserved", c_double),
        ("norVector", gte_vector),
        ("mainVector", gte_vector),
    ]


class gte_quad(Structure):
    """A quadrilateral given by its four corners."""

    _fields_ = [("pt1", gte_point), ("pt2", gte_point), ("pt3", gte_point), ("pt4", gte_point)]


class gte_ellipse(Structure):
    """An ellipse; the distance functions read only its centre."""

    _fields_ = [
        ("majorRadius", c_double),
        ("minorRadius", c_double),
        ("center", gte_point),
        ("norVector", gte_vector),
        ("mainVector", gte_vector),
    ]


class gte_dist_result(Structure):
    """A measured distance from point1 to point2 with its components."""

    _fields_ = [
        ("dx", c_double),
        ("dxy", c_double),
        ("dist", c_double),
        ("dxz", c_double),
        ("dy", c_double),
        ("dyz", c_double),
        ("dz", c_double),
        ("point1", gte_point),
        ("point2", gte_point),
        ("direction", gte_vector),
    ]


class gte_angle_result(Structure):
    """An angle in degrees with its vertex and the two arm directions."""

    _fields_ = [
        ("angle", c_double),
        ("centerPoint", gte_point),
        ("direction1", gte_vector),
        ("direction2", gte_vector),
    ]


class gte_gap_result(Structure):
    """A gap between two features or point sets."""

    _fields_ = [
        ("centerPoint", gte_point),
        ("direction", gte_vector),
        ("centerGap", c_double),
        ("minGap", c_double),
        ("maxGap", c_double),
    ]


STRUCTURES: Dict[str, Type[Structure]] = {
    cls.__name__: cls
    for cls in (
        gte_point,
        gte_vector,
        gte_line,
        gte_ray,
        gte_lseg,
        gte_circle,
        gte_plane,
        gte_rect,
        gte_quad,
        gte_ellipse,
        gte_dist_result,
        gte_angle_result,
        gte_gap_result,
    )
}

# Size and field offsets, in bytes, of every record as the library lays it out.
LAYOUT: Dict[str, Layout] = {
    "gte_point": (24, {"x": 0, "y": 8, "z": 16}),
    "gte_vector": (24, {"x": 0, "y": 8, "z": 16}),
    "gte_line": (48, {"pt": 0, "vector": 24}),
    "gte_ray": (48, {"pt": 0, "vector": 24}),
    "gte_lseg": (48, {"pt1": 0, "pt2": 24}),
    "gte_circle": (56, {"center": 0, "radius": 24, "vector": 32}),
    "gte_plane": (120, {"pt1": 0, "pt2": 24, "pt3": 48, "reserved1": 72, "reserved2": 96}),
    "gte_rect": (
        96,
        {"center": 0, "extent1": 24, "extent2": 32, "reserved": 40, "norVector": 48,
         "mainVector": 72},
    ),
    "gte_quad": (96, {"pt1": 0, "pt2": 24, "pt3": 48, "pt4": 72}),
    "gte_ellipse": (
        88,
        {"majorRadius": 0, "minorRadius": 8, "center": 16, "norVector": 40, "mainVector": 64},
    ),
    "gte_dist_result": (
        128,
        {"dx": 0, "dxy": 8, "dist": 16, "dxz": 24, "dy": 32, "dyz": 40, "dz": 48, "point1": 56,
         "point2": 80, "direction": 104},
    ),
    "gte_angle_result": (80, {"angle": 0, "centerPoint": 8, "direction1": 32, "direction2": 56}),
    "gte_gap_result": (
        72,
        {"centerPoint": 0, "direction": 24, "centerGap": 48, "minGap": 56, "maxGap": 64},
    ),
}


#: A record's size and the offset of each field, by name.
Layout = Tuple[int, Dict[str, int]]


def layout_errors(structure: Type[Structure], size: int, offsets: Dict[str, int]) -> List[str]:
    """Lists how a ctypes structure differs from the expected size and field offsets."""
    errors = []
    if sizeof(structure) != size:
        errors.append("size %d, expected %d" % (sizeof(structure), size))
    fields = [field[0] for field in structure._fields_]
    if fields != list(offsets):
        errors.append("fields %s, expected %s" % (fields, list(offsets)))
    for name, offset in offsets.items():
        actual = getattr(structure, name, None)
        if actual is None:
            continue
        if actual.offset != offset:
            errors.append("%s at offset %d, expected %d" % (name, actual.offset, offset))
    return errors


def check_layout(structures: Optional[Mapping[str, Type[Structure]]] = None,
                 layout: Optional[Mapping[str, Layout]] = None) -> None:
    """Raises ImportError naming the first record whose structure disagrees with the layout."""
    structures = STRUCTURES if structures is None else structures
    layout = LAYOUT if layout is None else layout
    for name, structure in structures.items():
        if name not in layout:
            raise ImportError("tavrisk: no layout known for record %s" % name)
        size, offsets = layout[name]
        errors = layout_errors(structure, size, offsets)
        if errors:
            raise ImportError(
                "tavrisk: record %s does not match the library's layout: %s"
                % (name, "; ".join(errors))
            )


check_layout()
