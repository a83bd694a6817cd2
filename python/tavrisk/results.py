# SPDX-License-Identifier: MIT
"""Results as named tuples: several outputs of one measurement come back together."""

from __future__ import annotations

from struct import Struct
from typing import TYPE_CHECKING, Any, Generic, List, NamedTuple, Optional, TypeVar, Union

from .shapes import Line, Point, Vector

if TYPE_CHECKING:
    from ctypes import Structure

    from ._arrays import Floats

__all__ = [
    "DistResult",
    "FootDist",
    "PointCircleDist",
    "CircleDist",
    "AngleResult",
    "GapResult",
    "Extremes",
    "Interval",
    "SegmentInterval",
    "Tangent",
    "CircleTangent",
    "CommonTangents",
    "Moment",
    "Straightness",
]


# A distance measured for one point has numbers and Points in its fields; measured for an (n, 3)
# array of points, the same fields hold arrays: (n,) for a number, (n, 3) for a point or vector.
# Type checkers see that as the two type parameters of the three classes below (a generic named
# tuple, which Python itself accepts from 3.11 only: before that the classes are plain).
if TYPE_CHECKING:
    Number = TypeVar("Number", float, "Floats")
    Place = TypeVar("Place", Point, "Floats")
    Direction = TypeVar("Direction", Vector, "Floats")

    class DistResult(NamedTuple, Generic[Number, Place, Direction]):
        dist: Number
        dx: Number
        dy: Number
        dz: Number
        dxy: Number
        dxz: Number
        dyz: Number
        point1: Place
        point2: Place
        direction: Direction

    class FootDist(NamedTuple, Generic[Number, Place, Direction]):
        foot: Place
        result: DistResult[Number, Place, Direction]

    class PointCircleDist(NamedTuple, Generic[Number, Place, Direction]):
        center: DistResult[Number, Place, Direction]
        nearest: DistResult[Number, Place, Direction]
        opposite: DistResult[Number, Place, Direction]

    #: A distance of one point.
    OneDist = DistResult[float, Point, Vector]
    #: The distances of an array of points, field by field.
    ArrayDist = DistResult["Floats", "Floats", "Floats"]
else:

    class DistResult(NamedTuple):
        dist: Any
        dx: Any
        dy: Any
        dz: Any
        dxy: Any
        dxz: Any
        dyz: Any
        point1: Any
        point2: Any
        direction: Any

    class FootDist(NamedTuple):
        foot: Any
        result: Any

    class PointCircleDist(NamedTuple):
        center: Any
        nearest: Any
        opposite: Any

    OneDist = ArrayDist = DistResult

DistResult.__doc__ = """A distance from point1 (the measured or feature point) to point2 (found on
    the other shape), with its components, in the caller's length unit: dist in space; dx, dy,
    dz the differences' magnitudes |x1 - x2|, ...; dxy, dxz, dyz the distances in the XY, XZ and
    YZ projections; direction the unit vector from point1 to point2, (0, 0, 0) when they
    coincide. Measured for an array of points, each field holds an array: (n,) for a number,
    (n, 3) for a point or vector (views of one block of the library's records)."""
FootDist.__doc__ = """The foot of the perpendicular on a line, and the distance from the point
    to it (arrays of them for an array of points)."""
PointCircleDist.__doc__ = """From a point to a circle's centre, its nearest circle point and the
    point opposite (arrays of them for an array of points)."""


class CircleDist(NamedTuple):
    """Between two circles, or a line and a circle: centre to centre (or to the line), and the
    nearest and farthest pairs; a pair is None where the library found none."""

    center: OneDist
    nearest: Optional[OneDist]
    farthest: Optional[OneDist]


class AngleResult(NamedTuple):
    """An angle in degrees with what is needed to draw it."""

    angle: float
    center_point: Point  #: the vertex at which the angle is drawn
    direction1: Vector  #: first arm, unit length or zero
    direction2: Vector  #: second arm, unit length or zero


class GapResult(NamedTuple):
    """A gap between two features or point sets, in the caller's length unit."""

    center_point: Point  #: midway between the two centres compared
    direction: Vector  #: unit direction in which the gap is measured
    center_gap: float  #: gap between the two centres
    min_gap: float  #: smallest gap, or the average of the smallest values
    max_gap: float  #: largest gap, or the average of the largest values


class Extremes(NamedTuple):
    """The largest and smallest distance of a point set."""

    max_dist: float
    min_dist: float


class Interval(NamedTuple):
    """Averages of the largest and of the smallest distances after trimming."""

    max_average: float
    min_average: float


class SegmentInterval(NamedTuple):
    """The gap between two segments' centres and the largest and smallest end-point gaps."""

    center_gap: float
    max_dist: float
    min_dist: float


class Tangent(NamedTuple):
    """A tangent line from a point and its tangent point on the circle."""

    line: Line
    point: Point


class CircleTangent(NamedTuple):
    """A common tangent of two circles with its tangent points on circle 1 and circle 2.

    Where the circles touch, their one common tangent of a kind has a single point of contact,
    which is then both point1 and point2.
    """

    line: Line
    point1: Point
    point2: Point


class CommonTangents(NamedTuple):
    """The outer tangents (both circles on one side) and the inner tangents (the line passes
    between them)."""

    outer: List[CircleTangent]
    inner: List[CircleTangent]


class Moment(NamedTuple):
    """The centroid and the ellipse of one standard deviation of a point set in XY."""

    centroid: Point
    angle: float  #: radians, in [-pi/4, pi/4]: the ellipse axis nearer the x axis
    major: float  #: full length of the major axis
    minor: float  #: full length of the minor axis


class Straightness(NamedTuple):
    """The width of the band of signed deviations, and every point's deviation."""

    straightness: float
    deviations: Union[Floats, List[float]]  #: a numpy array when the points came as one


_new = tuple.__new__
_unpack9, _unpack10, _unpack16 = (Struct("%dd" % n).unpack_from for n in (9, 10, 16))


def dist_result_of(record: Structure) -> OneDist:
    dx, dxy, dist, dxz, dy, dyz, dz, x1, y1, z1, x2, y2, z2, u, v, w = _unpack16(record)
    result: OneDist = _new(DistResult, (dist, dx, dy, dz, dxy, dxz, dyz, _new(Point, (x1, y1, z1)),
                                        _new(Point, (x2, y2, z2)), _new(Vector, (u, v, w))))
    return result


def angle_result_of(record: Structure) -> AngleResult:
    angle, x, y, z, u1, v1, w1, u2, v2, w2 = _unpack10(record)
    result: AngleResult = _new(AngleResult, (angle, _new(Point, (x, y, z)),
                                             _new(Vector, (u1, v1, w1)),
                                             _new(Vector, (u2, v2, w2))))
    return result


def gap_result_of(record: Structure) -> GapResult:
    x, y, z, u, v, w, center_gap, min_gap, max_gap = _unpack9(record)
    result: GapResult = _new(GapResult, (_new(Point, (x, y, z)), _new(Vector, (u, v, w)),
                                         center_gap, min_gap, max_gap))
    return result
