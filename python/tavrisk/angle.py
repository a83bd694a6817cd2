# SPDX-License-Identifier: MIT
"""Angles in degrees between lines, rays, segments and planes, and angles with what draws them.

A segment's direction runs from pt2 towards pt1. Two linear features give 0 to 180 degrees and
depend on the sense of both (reversing one turns a into 180 - a); a feature against a plane gives
0 to 90 (0 parallel to the plane, 90 along its normal); two planes give the angle between their
normals, 0 to 180. The ``angle_xy_`` forms project both directions onto z = 0 first. A feature
without direction (a zero vector, a segment of no length, a vertical one seen from above) counts
as perpendicular to everything: 90 degrees, 0 against a plane.
"""

from __future__ import annotations

from ctypes import Structure, byref
from typing import Any

from . import raw
from .records import gte_angle_result
from .results import AngleResult, angle_result_of
from .shapes import LineLike, PlaneLike, c_line, c_lseg, c_plane, c_ray

__all__ = [
    "angle_line_line",
    "angle_line_ray",
    "angle_line_segment",
    "angle_ray_ray",
    "angle_ray_segment",
    "angle_segment_segment",
    "angle_xy_line_line",
    "angle_xy_line_ray",
    "angle_xy_line_segment",
    "angle_xy_ray_ray",
    "angle_xy_ray_segment",
    "angle_xy_segment_segment",
    "angle_line_plane",
    "angle_ray_plane",
    "angle_segment_plane",
    "angle_plane_plane",
    "angle_draw_segment_segment",
    "angle_draw_xy_segment_segment",
    "angle_draw_segment_plane",
    "angle_draw_plane_plane",
]


def angle_line_line(line1: LineLike, line2: LineLike) -> float:
    """Angle between two lines' directions, 0 to 180 degrees."""
    return raw.gte_angle_line_line(c_line(line1), c_line(line2))


def angle_line_ray(line: LineLike, ray: LineLike) -> float:
    """Angle between a line's and a ray's directions, 0 to 180 degrees."""
    return raw.gte_angle_line_ray(c_line(line), c_ray(ray))


def angle_line_segment(line: LineLike, segment: LineLike) -> float:
    """Angle between a line's direction and pt1 - pt2 of the segment, 0 to 180 degrees."""
    return raw.gte_angle_line_lseg(c_line(line), c_lseg(segment))


def angle_ray_ray(ray1: LineLike, ray2: LineLike) -> float:
    """Angle between two rays' directions, 0 to 180 degrees."""
    return raw.gte_angle_ray_ray(c_ray(ray1), c_ray(ray2))


def angle_ray_segment(ray: LineLike, segment: LineLike) -> float:
    """Angle between a ray's direction and pt1 - pt2 of the segment, 0 to 180 degrees."""
    return raw.gte_angle_ray_lseg(c_ray(ray), c_lseg(segment))


def angle_segment_segment(segment1: LineLike, segment2: LineLike) -> float:
    """Angle between pt1 - pt2 of each segment, 0 to 180 degrees."""
    return raw.gte_angle_lseg_lseg(c_lseg(segment1), c_lseg(segment2))


def angle_xy_line_line(line1: LineLike, line2: LineLike) -> float:
    """:func:`angle_line_line` seen from above, 0 to 180 degrees."""
    return raw.gte_angleXY_line_line(c_line(line1), c_line(line2))


def angle_xy_line_ray(line: LineLike, ray: LineLike) -> float:
    """:func:`angle_line_ray` seen from above, 0 to 180 degrees."""
    return raw.gte_angleXY_line_ray(c_line(line), c_ray(ray))


def angle_xy_line_segment(line: LineLike, segment: LineLike) -> float:
    """:func:`angle_line_segment` seen from above, 0 to 180 degrees."""
    return raw.gte_angleXY_line_lseg(c_line(line), c_lseg(segment))


def angle_xy_ray_ray(ray1: LineLike, ray2: LineLike) -> float:
    """:func:`angle_ray_ray` seen from above, 0 to 180 degrees."""
    return raw.gte_angleXY_ray_ray(c_ray(ray1), c_ray(ray2))


def angle_xy_ray_segment(ray: LineLike, segment: LineLike) -> float:
    """:func:`angle_ray_segment` seen from above, 0 to 180 degrees."""
    return raw.gte_angleXY_ray_lseg(c_ray(ray), c_lseg(segment))


def angle_xy_segment_segment(segment1: LineLike, segment2: LineLike) -> float:
    """:func:`angle_segment_segment` seen from above, 0 to 180 degrees."""
    return raw.gte_angleXY_lseg_lseg(c_lseg(segment1), c_lseg(segment2))


def angle_line_plane(line: LineLike, plane: PlaneLike) -> float:
    """Angle between a line and a plane, 0 to 90 degrees."""
    return raw.gte_angle_line_plane(c_line(line), c_plane(plane))


def angle_ray_plane(ray: LineLike, plane: PlaneLike) -> float:
    """Angle between a ray and a plane, 0 to 90 degrees."""
    return raw.gte_angle_ray_plane(c_ray(ray), c_plane(plane))


def angle_segment_plane(segment: LineLike, plane: PlaneLike) -> float:
    """Angle between a segment and a plane, 0 to 90 degrees."""
    return raw.gte_angle_lseg_plane(c_lseg(segment), c_plane(plane))


def angle_plane_plane(plane1: PlaneLike, plane2: PlaneLike) -> float:
    """Angle between the two planes' normals, 0 to 180 degrees (0 or 180 when parallel)."""
    return raw.gte_angle_plane_plane(c_plane(plane1), c_plane(plane2))


def _draw(function: Any, first: Structure, second: Structure) -> AngleResult:
    output = gte_angle_result()
    function(first, second, byref(output))
    return angle_result_of(output)


def angle_draw_segment_segment(segment1: LineLike, segment2: LineLike) -> AngleResult:
    """:func:`angle_segment_segment` with its vertex and arms: AngleResult.

    The vertex is the point of segment2's line nearest to segment1's line (where they cross);
    the arms are the segments' unit directions pt1 - pt2.
    """
    return _draw(raw.gte_angle_draw_lseg_lseg, c_lseg(segment1), c_lseg(segment2))


def angle_draw_xy_segment_segment(segment1: LineLike, segment2: LineLike) -> AngleResult:
    """:func:`angle_draw_segment_segment` of the segments projected onto z = 0."""
    return _draw(raw.gte_angleXY_draw_lseg_lseg, c_lseg(segment1), c_lseg(segment2))


def angle_draw_segment_plane(segment: LineLike, plane: PlaneLike) -> AngleResult:
    """:func:`angle_segment_plane` with its vertex and arms: AngleResult.

    The vertex is where the segment's line meets the plane; the first arm leans along the
    segment towards the normal's side, the second is the first projected into the plane. A
    segment parallel to the plane puts the vertex at (0, 0, 0) with both arms along it.
    """
    return _draw(raw.gte_angle_draw_lseg_plane, c_lseg(segment), c_plane(plane))


def angle_draw_plane_plane(plane1: PlaneLike, plane2: PlaneLike) -> AngleResult:
    """:func:`angle_plane_plane` with its vertex and arms: AngleResult.

    The vertex is the foot of plane1's pt1 on the planes' crossing line; each arm lies in its
    plane, perpendicular to that line. Parallel planes put the vertex at plane1's pt1 with both
    arms along one direction of plane1.
    """
    return _draw(raw.gte_angle_draw_plane_plane, c_plane(plane1), c_plane(plane2))
