# SPDX-License-Identifier: MIT
"""TavriskInspect, the second library, as the package calls it: its records as ctypes
structures and its functions with their types declared.

Its functions return a TVI_ status and write a problem record saying why they refused; its
result records open with a size field that the caller sets. The records mirror
``tavrisk_inspect.h`` field for field; the tests compare their layout with the header's
offset checks.
"""

from __future__ import annotations

from ctypes import (
    CDLL,
    CFUNCTYPE,
    POINTER,
    Structure,
    c_char,
    c_char_p,
    c_double,
    c_int,
    c_size_t,
    c_uint64,
    c_void_p,
    sizeof,
)
from typing import Any, Dict, Tuple

from . import raw
from ._library import load_inspect_library
from .records import (
    check_layout,
    gte_circle,
    gte_dist_result,
    gte_line,
    gte_lseg,
    gte_plane,
    gte_point,
    gte_ray,
    gte_rect,
    gte_vector,
)

# Status codes.
OK = 0
REFUSED = 1
BAD_ARGUMENT = 2
OUT_OF_MEMORY = 3
CANCELLED = 4

# Formats, as the read options name them.
FORMATS = {"auto": 0, "text": 1, "ply": 2, "pcd": 3, "las": 4, "stl": 5}
DECIMAL_COMMA_AUTO, DECIMAL_COMMA_YES, DECIMAL_COMMA_NO = 0, 1, 2
# The options that resolve a problem, by the names of the Python arguments.
OPTION_NAMES = {1: "columns", 2: "decimal_comma", 3: "comment", 4: "format"}
NO_OFFSET = 2**64 - 1
PROBLEM_TEXT_SIZE = 41
PROBLEM_MESSAGE_SIZE = 256


class tvi_problem(Structure):
    """Why a call was refused."""

    _fields_ = [
        ("line", c_uint64),
        ("column", c_uint64),
        ("element", c_uint64),
        ("offset", c_uint64),
        ("count", c_uint64),
        ("expected", c_uint64),
        ("kind", c_int),
        ("format", c_int),
        ("option", c_int),
        ("text_cut", c_int),
        ("text", c_char * PROBLEM_TEXT_SIZE),
        ("message", c_char * PROBLEM_MESSAGE_SIZE),
    ]


progress_function = CFUNCTYPE(c_int, c_uint64, c_uint64, c_void_p)


class tvi_read_options(Structure):
    """How to read a point file."""

    _fields_ = [
        ("size", c_size_t),
        ("column_index", c_size_t * 3),
        ("column_name", c_char_p * 3),
        ("progress", progress_function),
        ("progress_context", c_void_p),
        ("format", c_int),
        ("decimal_comma", c_int),
        ("comment", c_int),
    ]


class tvi_points(Structure):
    """Points read, owned by the library until tvi_free_points."""

    _fields_ = [
        ("size", c_size_t),
        ("count", c_size_t),
        ("points", POINTER(gte_point)),
        ("column", c_size_t * 3),
        ("values_per_line", c_size_t),
        ("name_count", c_size_t),
        ("names", POINTER(c_char_p)),
        ("header_line", c_uint64),
        ("format", c_int),
        ("decimal_comma", c_int),
    ]


class tvi_plane_fit(Structure):
    """The least-squares plane of a point set."""

    _fields_ = [
        ("size", c_size_t),
        ("centroid", gte_point),
        ("normal", gte_vector),
        ("plane", gte_plane),
        ("rms", c_double),
        ("low", c_double),
        ("high", c_double),
        ("flatness", c_double),
        ("low_index", c_size_t),
        ("high_index", c_size_t),
        ("has_plane", c_int),
    ]


class tvi_line_fit(Structure):
    """The least-squares line of a point set."""

    _fields_ = [
        ("size", c_size_t),
        ("centroid", gte_point),
        ("direction", gte_vector),
        ("segment", gte_lseg),
        ("rms", c_double),
        ("high", c_double),
        ("high_index", c_size_t),
        ("has_segment", c_int),
    ]


class tvi_support_point(Structure):
    """A point that touches a boundary of a zone."""

    _fields_ = [("point", gte_point), ("index", c_size_t), ("contact", c_int)]


class tvi_band(Structure):
    """A zone between two parallel planes (or lines seen from above)."""

    _fields_ = [
        ("origin", gte_point),
        ("normal", gte_vector),
        ("low", c_double),
        ("high", c_double),
        ("width", c_double),
    ]


MAX_SUPPORT = 4
_Supports = tvi_support_point * MAX_SUPPORT


class tvi_flatness_result(Structure):
    """The minimum zone of a point set and its least-squares band."""

    _fields_ = [
        ("size", c_size_t),
        ("zone", tvi_band),
        ("least_squares", tvi_band),
        ("support", _Supports),
        ("support_count", c_size_t),
        ("configuration", c_int),
        ("certified", c_int),
        ("least_squares_unique", c_int),
    ]


class tvi_straightness_result(Structure):
    """The narrowest pair of parallel lines in XY."""

    _fields_ = [
        ("size", c_size_t),
        ("zone", tvi_band),
        ("direction", gte_vector),
        ("support", _Supports),
        ("support_count", c_size_t),
        ("configuration", c_int),
        ("certified", c_int),
    ]


class tvi_roundness_result(Structure):
    """Two concentric circles in XY about the centre a criterion chooses."""

    _fields_ = [
        ("size", c_size_t),
        ("center", gte_point),
        ("radius", c_double),
        ("inner_radius", c_double),
        ("outer_radius", c_double),
        ("width", c_double),
        ("support", _Supports),
        ("support_count", c_size_t),
        ("criterion", c_int),
        ("certified", c_int),
    ]


# Offsets the header fixes for the records above; the padding after a 4-byte size_t is the
# header's too, since doubles are aligned to 8 bytes on every platform built for.
_S = sizeof(c_size_t)
LAYOUT: Dict[str, Tuple[int, Dict[str, int]]] = {
    "tvi_plane_fit": ((212 + 2 * _S + 7) // 8 * 8, {
        "size": 0, "centroid": 8, "normal": 32, "plane": 56, "rms": 176, "low": 184, "high": 192,
        "flatness": 200, "low_index": 208, "high_index": 208 + _S, "has_plane": 208 + 2 * _S}),
    "tvi_line_fit": ((124 + _S + 7) // 8 * 8, {
        "size": 0, "centroid": 8, "direction": 32, "segment": 56, "rms": 104, "high": 112,
        "high_index": 120, "has_segment": 120 + _S}),
}
_P = 24 + 2 * _S  # sizeof(tvi_support_point)
_SUPPORTS = MAX_SUPPORT * _P
LAYOUT.update({
    "tvi_support_point": (_P, {"point": 0, "index": 24, "contact": 24 + _S}),
    "tvi_band": (72, {"origin": 0, "normal": 24, "low": 48, "high": 56, "width": 64}),
    "tvi_flatness_result": ((164 + _SUPPORTS + _S + 7) // 8 * 8, {
        "size": 0, "zone": 8, "least_squares": 80, "support": 152,
        "support_count": 152 + _SUPPORTS, "configuration": 152 + _SUPPORTS + _S,
        "certified": 156 + _SUPPORTS + _S, "least_squares_unique": 160 + _SUPPORTS + _S}),
    "tvi_straightness_result": ((112 + _SUPPORTS + _S + 7) // 8 * 8, {
        "size": 0, "zone": 8, "direction": 80, "support": 104,
        "support_count": 104 + _SUPPORTS, "configuration": 104 + _SUPPORTS + _S,
        "certified": 108 + _SUPPORTS + _S}),
    "tvi_roundness_result": ((72 + _SUPPORTS + _S + 7) // 8 * 8, {
        "size": 0, "center": 8, "radius": 32, "inner_radius": 40, "outer_radius": 48,
        "width": 56, "support": 64, "support_count": 64 + _SUPPORTS,
        "criterion": 64 + _SUPPORTS + _S, "certified": 68 + _SUPPORTS + _S}),
})
STRUCTURES = {
    "tvi_plane_fit": tvi_plane_fit,
    "tvi_line_fit": tvi_line_fit,
    "tvi_support_point": tvi_support_point,
    "tvi_band": tvi_band,
    "tvi_flatness_result": tvi_flatness_result,
    "tvi_straightness_result": tvi_straightness_result,
    "tvi_roundness_result": tvi_roundness_result,
}

check_layout(STRUCTURES, LAYOUT)

_points = POINTER(gte_point)
_doubles = POINTER(c_double)
_dists = POINTER(gte_dist_result)
_problem = POINTER(tvi_problem)
_array_arguments = (_points, c_size_t, _dists, _problem)
_deviation_arguments = (_points, c_size_t, _doubles, _problem)

SIGNATURES: Dict[str, Tuple[Any, Tuple[Any, ...]]] = {
    "tvi_init_read_options": (c_int, (POINTER(tvi_read_options),)),
    "tvi_read_points_file": (
        c_int, (c_char_p, POINTER(tvi_read_options), POINTER(POINTER(tvi_points)), _problem)),
    "tvi_read_points_memory": (
        c_int,
        (c_void_p, c_size_t, POINTER(tvi_read_options), POINTER(POINTER(tvi_points)), _problem)),
    "tvi_free_points": (None, (POINTER(tvi_points),)),
    "tvi_problem_kind_name": (c_char_p, (c_int,)),
    "tvi_format_name": (c_char_p, (c_int,)),
    "tvi_version": (c_int, ()),
    "tvi_dist_point_line_array": (c_int, (gte_line,) + _array_arguments),
    "tvi_dist_point_ray_array": (c_int, (gte_ray,) + _array_arguments),
    "tvi_dist_point_lseg_array": (c_int, (gte_lseg,) + _array_arguments),
    "tvi_dist_point_plane_array": (c_int, (gte_plane,) + _array_arguments),
    "tvi_dist_point_rect_array": (c_int, (gte_rect,) + _array_arguments),
    "tvi_dist_point_circle_array": (c_int, (gte_circle,) + _array_arguments),
    "tvi_dist_point_arc_array": (c_int, (gte_circle,) + _array_arguments),
    "tvi_deviation_point_plane_array": (c_int, (gte_plane,) + _deviation_arguments),
    "tvi_deviation_xy_point_line_array": (c_int, (gte_line,) + _deviation_arguments),
    "tvi_fit_plane": (c_int, (_points, c_size_t, POINTER(tvi_plane_fit), _doubles, _problem)),
    "tvi_fit_line": (c_int, (_points, c_size_t, POINTER(tvi_line_fit), _doubles, _problem)),
    "tvi_least_squares_flatness_file": (c_int, (c_char_p, _doubles, _problem)),
    "tvi_flatness": (
        c_int, (_points, c_size_t, POINTER(tvi_flatness_result), _problem)),
    "tvi_straightness_xy": (
        c_int, (_points, c_size_t, POINTER(tvi_straightness_result), _problem)),
    "tvi_roundness_xy": (
        c_int, (_points, c_size_t, c_int, POINTER(tvi_roundness_result), _problem)),
    "tvi_criterion_name": (c_char_p, (c_int,)),
    "tvi_configuration_name": (c_char_p, (c_int,)),
}

library: CDLL
library, library_path = load_inspect_library(raw.library_path)


def _declare(name: str) -> Any:
    restype, argtypes = SIGNATURES[name]
    try:
        function = getattr(library, name)
    except AttributeError:
        raise ImportError(
            "tavrisk: the library %s does not export %s: it is older than this package; "
            "install both from one build" % (library_path, name)
        ) from None
    function.restype = restype
    function.argtypes = argtypes
    return function


FUNCTIONS: Dict[str, Any] = {name: _declare(name) for name in SIGNATURES}


def function(name: str) -> Any:
    """The declared function of the library so named."""
    return FUNCTIONS[name]
