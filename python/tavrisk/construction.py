# SPDX-License-Identifier: MIT
"""Constructed geometry: bisectors, intersections and tangents.

Intersections return the list of points found (empty when the shapes miss each other). Where
the shapes share a whole line, plane or circle the intersection is no list of points, and
:class:`InfinitelyManyPoints` is raised. Where the library has no answer of the kind asked for
(circles that do not share a plane, or whose normals disagree), :class:`RefusedError` is raised.
"""

from __future__ import annotations

from ctypes import Array, Structure, byref, c_int
from typing import Any, List, Optional, Sequence, Type, Union

from . import codes, raw
from .errors import InfinitelyManyPoints, RefusedError
from .records import gte_line, gte_lseg, gte_point
from .results import CircleTangent, CommonTangents, Tangent
from .shapes import (
    CircleLike,
    Line,
    LineLike,
    PlaneLike,
    Point,
    PointLike,
    Record,
    Segment,
    c_circle,
    c_line,
    c_lseg,
    c_plane,
    c_point,
    c_ray,
    line_of,
    point_of,
    segment_of,
)

__all__ = [
    "bisector_point_point",
    "bisector_point_line",
    "bisector_segment_point_point",
    "bisector_segment_point_segment",
    "bisector_segment_segment",
    "intersect_line_plane",
    "intersect_ray_plane",
    "intersect_segment_plane",
    "intersect_plane_plane",
    "intersect_xy_line_line",
    "intersect_plane_circle",
    "intersect_line_circle",
    "intersect_line_arc",
    "intersect_circle_circle",
    "intersect_circle_arc",
    "intersect_arc_arc",
    "tangent_point_circle",
    "tangent_circle_circle",
    "tangent_arc_circle",
    "tangent_arc_arc",
]

def _constructed(function: Any, record: Type[Record], first: Structure,
                 second: Structure) -> Record:
    output = record()
    function(first, second, byref(output))
    return output


def bisector_point_point(point1: PointLike, point2: PointLike) -> Point:
    """The midpoint of two points."""
    return point_of(_constructed(raw.gte_bisector_point_point, gte_point, c_point(point1),
                                 c_point(point2)))


def bisector_point_line(point: PointLike, line: LineLike) -> Point:
    """The midpoint between the point and its foot on the line."""
    return point_of(_constructed(raw.gte_bisector_point_line, gte_point, c_point(point),
                                 c_line(line)))


def bisector_segment_point_point(point1: PointLike, point2: PointLike) -> Segment:
    """A horizontal segment across the middle of two points, perpendicular to them and as long
    as they are apart (along x for a vertical pair); it runs towards +x (or +y)."""
    return segment_of(_constructed(raw.gte_bisectorLseg_point_point, gte_lseg, c_point(point1),
                                   c_point(point2)))


def bisector_segment_point_segment(point: PointLike, segment: LineLike) -> Segment:
    """A copy of the segment moved halfway towards the point."""
    return segment_of(_constructed(raw.gte_bisectorLseg_point_lseg, gte_lseg, c_point(point),
                                   c_lseg(segment)))


def bisector_segment_segment(segment1: LineLike, segment2: LineLike) -> Segment:
    """A segment along the bisector of two segments' directions, or halfway between them when
    they are parallel (paired end by end)."""
    return segment_of(_constructed(raw.gte_bisector_lseg_lseg, gte_lseg, c_lseg(segment1),
                                   c_lseg(segment2)))


def _points_found(name: str, export: str, count: int,
                  points: Union[Sequence[gte_point], Array[gte_point]],
                  shared_when_refused: bool = False) -> List[Point]:
    """The points an intersection export wrote; its -1 means a shared circle (plane-circle)
    where ``shared_when_refused`` says so, else that it has no answer."""
    if count == codes.INFINITE_POINTS or (count == codes.NO_ANSWER and shared_when_refused):
        raise InfinitelyManyPoints(name, export)
    if count < 0:
        raise RefusedError(name, export, "no intersection of this kind is defined")
    return [point_of(points[i]) for i in range(count)]


def _linear_plane(name: str, export: str, linear: Structure, plane: PlaneLike) -> List[Point]:
    point = gte_point()
    count = getattr(raw, export)(linear, c_plane(plane), byref(point))
    if count == codes.INFINITE_POINTS:
        raise InfinitelyManyPoints(name, export, point_of(point))
    return _points_found(name, export, count, (point,))


def intersect_line_plane(line: LineLike, plane: PlaneLike) -> List[Point]:
    """The point where the line meets the plane: [point], or [] when parallel.

    A line lying in the plane raises InfinitelyManyPoints with the line's own point.
    """
    return _linear_plane("intersect_line_plane", "gte_intersec_line_plane", c_line(line), plane)


def intersect_ray_plane(ray: LineLike, plane: PlaneLike) -> List[Point]:
    """As :func:`intersect_line_plane` for a ray: [] when the plane lies behind its origin."""
    return _linear_plane("intersect_ray_plane", "gte_intersec_ray_plane", c_ray(ray), plane)


def intersect_segment_plane(segment: LineLike, plane: PlaneLike) -> List[Point]:
    """As :func:`intersect_line_plane` for a segment, ends included; a segment lying in the
    plane raises InfinitelyManyPoints with its midpoint."""
    return _linear_plane("intersect_segment_plane", "gte_intersec_lseg_plane",
                         c_lseg(segment), plane)


def intersect_plane_plane(plane1: PlaneLike, plane2: PlaneLike) -> Optional[Line]:
    """The line where two planes meet (through the point nearest the origin, along the unit
    normal1 x normal2), or None for parallel planes. Coincident planes raise
    InfinitelyManyPoints."""
    line = gte_line()
    count = raw.gte_intersec_plane_plane(c_plane(plane1), c_plane(plane2), byref(line))
    if count == codes.NO_ANSWER:
        raise InfinitelyManyPoints("intersect_plane_plane", "gte_intersec_plane_plane")
    return line_of(line) if count == codes.MEASURED else None


def intersect_xy_line_line(line1: LineLike, line2: LineLike) -> List[Point]:
    """The crossing of two lines seen from above, with line1's z: [point], or [] when parallel.

    Lines that coincide seen from above raise InfinitelyManyPoints.
    """
    point = gte_point()
    count = raw.gte_intersecXY_line_line(c_line(line1), c_line(line2), byref(point))
    return _points_found("intersect_xy_line_line", "gte_intersecXY_line_line", count, (point,))


def _two_points(name: str, export: str, first: Structure, second: Structure,
                shared_when_refused: bool = False) -> List[Point]:
    points = (gte_point * 2)()
    count = getattr(raw, export)(first, second, points)
    return _points_found(name, export, count, points, shared_when_refused)


def intersect_plane_circle(plane: PlaneLike, circle: CircleLike) -> List[Point]:
    """The 0, 1 or 2 points where the circle meets the plane (a circle touching it within 1e-8
    gives one). A circle lying in the plane raises InfinitelyManyPoints."""
    return _two_points("intersect_plane_circle", "gte_intersec_plane_circle", c_plane(plane),
                       c_circle(circle), shared_when_refused=True)


def intersect_line_circle(line: LineLike, circle: CircleLike) -> List[Point]:
    """The 0, 1 or 2 circle points on the line seen along the circle's axis, in the order of
    the line's direction; [] for a line along the axis."""
    return _two_points("intersect_line_circle", "gte_intersec_line_circle", c_line(line),
                       c_circle(circle))


def intersect_line_arc(line: LineLike, arc: CircleLike) -> List[Point]:
    """:func:`intersect_line_circle` with the arc's full circle."""
    return _two_points("intersect_line_arc", "gte_intersec_line_arc", c_line(line), c_circle(arc))


def intersect_circle_circle(circle1: CircleLike, circle2: CircleLike) -> List[Point]:
    """The 0, 1 or 2 points where two coplanar circles with agreeing normals meet.

    Raises RefusedError for circles in different planes or whose normals disagree (also
    opposite ones), InfinitelyManyPoints where the library counts infinitely many (one circle
    given twice).
    """
    return _two_points("intersect_circle_circle", "gte_intersec_circle_circle",
                       c_circle(circle1), c_circle(circle2))


def intersect_circle_arc(circle: CircleLike, arc: CircleLike) -> List[Point]:
    """:func:`intersect_circle_circle` with the arc's full circle."""
    return _two_points("intersect_circle_arc", "gte_intersec_circle_arc", c_circle(circle),
                       c_circle(arc))


def intersect_arc_arc(arc1: CircleLike, arc2: CircleLike) -> List[Point]:
    """:func:`intersect_circle_circle` with the arcs' full circles."""
    return _two_points("intersect_arc_arc", "gte_intersec_arc_arc", c_circle(arc1),
                       c_circle(arc2))


def tangent_point_circle(point: PointLike, circle: CircleLike) -> List[Tangent]:
    """Tangents from the point, projected into the circle's plane, to the circle.

    Returns a list of Tangent(line, point): two from outside the circle (each line starts at
    the projected point), one from a point on the circle, none from inside or on the axis.
    """
    lines = (gte_line * 2)()
    points = (gte_point * 2)()
    count = raw.gte_tangent_point_circle(c_point(point), c_circle(circle), lines, points)
    if count < 0:
        raise RefusedError("tangent_point_circle", "gte_tangent_point_circle",
                           "no tangent is defined for this circle")
    return [Tangent(line_of(lines[i]), point_of(points[i])) for i in range(count)]


def _tangent_kind(count: int, lines: Array[gte_line],
                  points: Array[gte_point]) -> List[CircleTangent]:
    if count == 1:
        touching = point_of(points[0])
        return [CircleTangent(line_of(lines[0]), touching, touching)]
    return [
        CircleTangent(line_of(lines[k]), point_of(points[2 * k]), point_of(points[2 * k + 1]))
        for k in range(count)
    ]


def _common_tangents(name: str, export: str, circle1: CircleLike,
                     circle2: CircleLike) -> CommonTangents:
    outer_count, inner_count = c_int(0), c_int(0)
    outer_lines, inner_lines = (gte_line * 2)(), (gte_line * 2)()
    outer_points, inner_points = (gte_point * 4)(), (gte_point * 4)()
    total = getattr(raw, export)(c_circle(circle1), c_circle(circle2), byref(outer_count),
                                 outer_lines, outer_points, byref(inner_count), inner_lines,
                                 inner_points)
    if total < 0:
        raise RefusedError(name, export, "the circles' normals disagree")
    return CommonTangents(_tangent_kind(outer_count.value, outer_lines, outer_points),
                          _tangent_kind(inner_count.value, inner_lines, inner_points))


_COMMON = """

    Returns CommonTangents(outer, inner), lists of CircleTangent(line, point1, point2): each
    line starts at its tangent point1 on the first circle; point2 lies on the second. Circles
    touching each other have one tangent of that kind, whose point of contact is both point1
    and point2. Raises RefusedError when the normals differ (opposite normals too)."""


def tangent_circle_circle(circle1: CircleLike, circle2: CircleLike) -> CommonTangents:
    return _common_tangents("tangent_circle_circle", "gte_tangent_circle_circle", circle1,
                            circle2)


def tangent_arc_circle(arc: CircleLike, circle: CircleLike) -> CommonTangents:
    return _common_tangents("tangent_arc_circle", "gte_tangent_arc_circle", arc, circle)


def tangent_arc_arc(arc1: CircleLike, arc2: CircleLike) -> CommonTangents:
    return _common_tangents("tangent_arc_arc", "gte_tangent_arc_arc", arc1, arc2)


tangent_circle_circle.__doc__ = "The outer and inner common tangents of two circles." + _COMMON
tangent_arc_circle.__doc__ = ":func:`tangent_circle_circle` with the arc's full circle." + _COMMON
tangent_arc_arc.__doc__ = ":func:`tangent_circle_circle` with the arcs' full circles." + _COMMON
