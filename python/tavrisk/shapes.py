"""Shapes as named tuples, and their conversion to the library's records.

Every function of the package accepts these named tuples, plain tuples or lists of the same
shape (``((0, 0, 0), (1, 0, 0))`` for a line), or the ctypes record itself. Lengths are in the
caller's unit; direction vectors may have any length (the library normalises them).
"""

from typing import NamedTuple, Sequence

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


def c_point(value):
    if type(value) is gte_point:
        return value
    x, y, z = value
    return gte_point(x, y, z)


def c_vector(value):
    if type(value) is gte_vector:
        return value
    x, y, z = value
    return gte_vector(x, y, z)


def c_line(value):
    if type(value) is gte_line:
        return value
    pt, vector = value
    return gte_line(c_point(pt), c_vector(vector))


def c_ray(value):
    if type(value) is gte_ray:
        return value
    pt, vector = value
    return gte_ray(c_point(pt), c_vector(vector))


def c_lseg(value):
    if type(value) is gte_lseg:
        return value
    pt1, pt2 = value
    return gte_lseg(c_point(pt1), c_point(pt2))


def c_plane(value):
    if type(value) is gte_plane:
        return value
    pt1, pt2, pt3 = value
    return gte_plane(c_point(pt1), c_point(pt2), c_point(pt3))


def c_circle(value):
    if type(value) is gte_circle:
        return value
    if len(value) == 2:
        value = Circle(*value)
    center, radius, vector = value
    return gte_circle(c_point(center), radius, c_vector(vector))


def c_rect(value):
    if type(value) is gte_rect:
        return value
    center, extent1, extent2, nor_vector, main_vector = value
    return gte_rect(
        c_point(center), extent1, extent2, 0.0, c_vector(nor_vector), c_vector(main_vector)
    )


def c_quad(value):
    if type(value) is gte_quad:
        return value
    pt1, pt2, pt3, pt4 = value
    return gte_quad(c_point(pt1), c_point(pt2), c_point(pt3), c_point(pt4))


def c_ellipse(value):
    if type(value) is gte_ellipse:
        return value
    major_radius, minor_radius, center, nor_vector, main_vector = value
    return gte_ellipse(
        major_radius, minor_radius, c_point(center), c_vector(nor_vector), c_vector(main_vector)
    )


def point_of(record):
    return Point(record.x, record.y, record.z)


def vector_of(record):
    return Vector(record.x, record.y, record.z)


def line_of(record):
    return Line(point_of(record.pt), vector_of(record.vector))


def segment_of(record):
    return Segment(point_of(record.pt1), point_of(record.pt2))


def plane_of(record):
    return Plane(point_of(record.pt1), point_of(record.pt2), point_of(record.pt3))
