# SPDX-License-Identifier: MIT
"""Shapes as named tuples, and their conversion to the library's records.

Every function of the package accepts these named tuples, plain tuples or lists of the same
shape (``((0, 0, 0), (1, 0, 0))`` for a line), or the ctypes record itself. Lengths are in the
caller's unit; direction vectors may have any length (the library normalises them).
"""

from __future__ import annotations

from ctypes import Structure
from struct import Struct
from typing import Any, Callable, NamedTuple, Sequence, Type, TypeVar, Union

from .records import (
    gte_circle,
    gte_ellipse,
    gte_line,
    gte_lseg,
    gte_plane,
    gte_point,
    gte_quad,
    gte_ray,
    gte_rect,
    gte_vector,
)

__all__ = [
    "PointLike",
    "VectorLike",
    "LineLike",
    "PlaneLike",
    "CircleLike",
    "RectLike",
    "QuadLike",
    "EllipseLike",
    "Point",
    "Vector",
    "Line",
    "Ray",
    "Segment",
    "Plane",
    "Circle",
    "Arc",
    "Rect",
    "Quad",
    "Ellipse",
]


class Point(NamedTuple):
    """A position."""

    x: float
    y: float
    z: float


class Vector(NamedTuple):
    """A direction; its length matters only where a function says so."""

    x: float
    y: float
    z: float


class Line(NamedTuple):
    """An infinite line through ``pt`` along ``vector`` (any non-zero length)."""

    pt: Sequence[float]
    vector: Sequence[float]


class Ray(NamedTuple):
    """A ray from its origin ``pt`` along ``vector``."""

    pt: Sequence[float]
    vector: Sequence[float]


class Segment(NamedTuple):
    """A line segment from ``pt1`` to ``pt2``."""

    pt1: Sequence[float]
    pt2: Sequence[float]


class Plane(NamedTuple):
    """The plane through three points, oriented by (pt2 - pt1) x (pt3 - pt1).

    Three points that span no plane are taken as the horizontal plane through their centroid.
    """

    pt1: Sequence[float]
    pt2: Sequence[float]
    pt3: Sequence[float]


class Circle(NamedTuple):
    """A circle: centre, radius and the normal of its plane (shorter than 0.001: (0, 0, 1))."""

    center: Sequence[float]
    radius: float
    vector: Sequence[float] = (0.0, 0.0, 1.0)


# An arc is measured as its full circle.
Arc = Circle


class Rect(NamedTuple):
    """A filled rectangle: half-lengths ``extent1`` along ``main_vector`` and ``extent2`` along
    ``nor_vector`` x ``main_vector``."""

    center: Sequence[float]
    extent1: float
    extent2: float
    nor_vector: Sequence[float]
    main_vector: Sequence[float]


class Quad(NamedTuple):
    """A quadrilateral given by its four corners."""

    pt1: Sequence[float]
    pt2: Sequence[float]
    pt3: Sequence[float]
    pt4: Sequence[float]


class Ellipse(NamedTuple):
    """An ellipse; the distance functions read only its centre."""

    major_radius: float
    minor_radius: float
    center: Sequence[float]
    nor_vector: Sequence[float]
    main_vector: Sequence[float]


#: One point: three numbers (a tuple, a list, a Point), or the library's record.
PointLike = Union[Sequence[float], gte_point]
#: A direction: three numbers (a tuple, a list, a Vector), or the library's record.
VectorLike = Union[Sequence[float], gte_vector]
#: A line, ray or segment: two triples (a Line, Ray or Segment), or the library's record.
LineLike = Union[Sequence[Sequence[float]], gte_line, gte_ray, gte_lseg]
#: A plane: three points (a Plane), a fit of one (PlaneFit), or the library's record.
PlaneLike = Union[Sequence[Sequence[float]], gte_plane, Any]
#: A circle or arc: (center, radius[, vector]), or the library's record.
CircleLike = Union[Sequence[Any], gte_circle]
#: A rectangle: (center, extent1, extent2, nor_vector, main_vector), or the library's record.
RectLike = Union[Sequence[Any], gte_rect]
#: A quadrilateral: four points, or the library's record.
QuadLike = Union[Sequence[Sequence[float]], gte_quad]
#: An ellipse: (major_radius, minor_radius, center, nor_vector, main_vector), or the record.
EllipseLike = Union[Sequence[Any], gte_ellipse]

# Records are built from one packed block of doubles, and read back the same way: it costs a
# fraction of setting or reading their nested fields one by one, and the call's overhead is
# mostly this conversion.
_new = tuple.__new__
Record = TypeVar("Record", bound=Structure)


def _block(count: int) -> Struct:
    return Struct("%dd" % count)


_pack6, _pack7, _pack11, _pack12, _pack15 = (_block(n).pack for n in (6, 7, 11, 12, 15))
_unpack3, _unpack6, _unpack9 = (_block(n).unpack_from for n in (3, 6, 9))


def c_point(value: PointLike) -> gte_point:
    if type(value) is gte_point:
        return value
    x, y, z = value
    return gte_point(x, y, z)


def c_vector(value: VectorLike) -> gte_vector:
    if type(value) is gte_vector:
        return value
    x, y, z = value
    return gte_vector(x, y, z)


def _two_triples(record: Type[Record]) -> Callable[[LineLike], Record]:
    """Converter of a record made of two triples (line, ray, segment)."""
    from_block = record.from_buffer_copy

    def convert(value: LineLike) -> Record:
        if type(value) is record:
            return value
        (x1, y1, z1), (x2, y2, z2) = value
        return from_block(_pack6(x1, y1, z1, x2, y2, z2))

    return convert


c_line = _two_triples(gte_line)
c_ray = _two_triples(gte_ray)
c_lseg = _two_triples(gte_lseg)


def c_plane(value: PlaneLike) -> gte_plane:
    if type(value) is gte_plane:
        return value
    if hasattr(value, "centroid"):  # a PlaneFit: its three-point record
        fitted: Any = value
        if fitted.plane is None:
            raise ValueError("the plane fit has no three-point record to measure with")
        value = fitted.plane
    (x1, y1, z1), (x2, y2, z2), (x3, y3, z3) = value
    return gte_plane.from_buffer_copy(
        _pack15(x1, y1, z1, x2, y2, z2, x3, y3, z3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0)
    )


def c_circle(value: CircleLike) -> gte_circle:
    if type(value) is gte_circle:
        return value
    if len(value) == 2:
        value = Circle(*value)
    (x, y, z), radius, (u, v, w) = value
    return gte_circle.from_buffer_copy(_pack7(x, y, z, radius, u, v, w))


def c_rect(value: RectLike) -> gte_rect:
    if type(value) is gte_rect:
        return value
    (x, y, z), extent1, extent2, (nx, ny, nz), (mx, my, mz) = value
    return gte_rect.from_buffer_copy(
        _pack12(x, y, z, extent1, extent2, 0.0, nx, ny, nz, mx, my, mz)
    )


def c_quad(value: QuadLike) -> gte_quad:
    if type(value) is gte_quad:
        return value
    (x1, y1, z1), (x2, y2, z2), (x3, y3, z3), (x4, y4, z4) = value
    return gte_quad.from_buffer_copy(_pack12(x1, y1, z1, x2, y2, z2, x3, y3, z3, x4, y4, z4))


def c_ellipse(value: EllipseLike) -> gte_ellipse:
    if type(value) is gte_ellipse:
        return value
    major_radius, minor_radius, (x, y, z), (nx, ny, nz), (mx, my, mz) = value
    return gte_ellipse.from_buffer_copy(
        _pack11(major_radius, minor_radius, x, y, z, nx, ny, nz, mx, my, mz)
    )


def point_of(record: Structure) -> Point:
    point: Point = _new(Point, _unpack3(record))
    return point


def vector_of(record: Structure) -> Vector:
    vector: Vector = _new(Vector, _unpack3(record))
    return vector


def line_of(record: Structure) -> Line:
    x, y, z, u, v, w = _unpack6(record)
    line: Line = _new(Line, (_new(Point, (x, y, z)), _new(Vector, (u, v, w))))
    return line


def segment_of(record: Structure) -> Segment:
    x1, y1, z1, x2, y2, z2 = _unpack6(record)
    segment: Segment = _new(Segment, (_new(Point, (x1, y1, z1)), _new(Point, (x2, y2, z2))))
    return segment


def plane_of(record: Structure) -> Plane:
    x1, y1, z1, x2, y2, z2, x3, y3, z3 = _unpack9(record)
    points = (_new(Point, (x1, y1, z1)), _new(Point, (x2, y2, z2)), _new(Point, (x3, y3, z3)))
    plane: Plane = _new(Plane, points)
    return plane
