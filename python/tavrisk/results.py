# SPDX-License-Identifier: MIT
"""Results as named tuples: several outputs of one measurement come back together."""

from struct import Struct
from typing import List, NamedTuple, Optional

from .shapes import Line, Point, Vector

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


class DistResult(NamedTuple):
    """A distance from point1 (the measured or feature point) to point2 (found on the other
    shape), with its components, in the caller's length unit."""

    dist: float  #: distance in space
    dx: float  #: |x1 - x2|
    dy: float  #: |y1 - y2|
    dz: float  #: |z1 - z2|
    dxy: float  #: distance in the XY projection
    dxz: float  #: distance in the XZ projection
    dyz: float  #: distance in the YZ projection
    point1: Point
    point2: Point
    direction: Vector  #: unit vector from point1 to point2; (0, 0, 0) when they coincide


class FootDist(NamedTuple):
    """The foot of the perpendicular on a line, and the distance from the point to it."""

    foot: Point
    result: DistResult


class PointCircleDist(NamedTuple):
    """From a point to a circle's centre, its nearest circle point and the point opposite."""

    center: DistResult
    nearest: DistResult
    opposite: DistResult


class CircleDist(NamedTuple):
    """Between two circles, or a line and a circle: centre to centre (or to the line), and the
    nearest and farthest pairs; a pair is None where the library found none."""

    center: DistResult
    nearest: Optional[DistResult]
    farthest: Optional[DistResult]


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
    deviations: object  #: list of floats, or a numpy array when the points came as one


_new = tuple.__new__
_unpack9, _unpack10, _unpack16 = (Struct("%dd" % n).unpack_from for n in (9, 10, 16))


def dist_result_of(record):
    dx, dxy, dist, dxz, dy, dyz, dz, x1, y1, z1, x2, y2, z2, u, v, w = _unpack16(record)
    return _new(DistResult, (dist, dx, dy, dz, dxy, dxz, dyz, _new(Point, (x1, y1, z1)),
                             _new(Point, (x2, y2, z2)), _new(Vector, (u, v, w))))


def angle_result_of(record):
    angle, x, y, z, u1, v1, w1, u2, v2, w2 = _unpack10(record)
    return _new(AngleResult, (angle, _new(Point, (x, y, z)), _new(Vector, (u1, v1, w1)),
                              _new(Vector, (u2, v2, w2))))


def gap_result_of(record):
    x, y, z, u, v, w, center_gap, min_gap, max_gap = _unpack9(record)
    return _new(GapResult, (_new(Point, (x, y, z)), _new(Vector, (u, v, w)), center_gap, min_gap,
                            max_gap))
