# SPDX-License-Identifier: MIT
"""Distances from a point to a shape, between linear shapes, and between circles.

Arguments follow the order of the function's name: ``dist_point_line(point, line)``. Lengths are
in the caller's unit. A :class:`DistResult` runs from point1, the given point (or the feature's
point), to point2, the point found on the other shape.
"""

from ctypes import byref

from . import raw
from .errors import RefusedError
from .records import gte_dist_result, gte_point
from .results import CircleDist, FootDist, PointCircleDist, dist_result_of
from .shapes import (
    c_circle,
    c_ellipse,
    c_line,
    c_lseg,
    c_plane,
    c_point,
    c_quad,
    c_ray,
    c_rect,
    point_of,
)

__all__ = [
    "dist_point_line",
    "dist_foot_point_line",
    "dist_point_ray",
    "dist_point_segment",
    "dist_point_plane",
    "dist_point_rect",
    "dist_point_circle",
    "dist_point_arc",
    "dist_rect_center_line",
    "dist_ellipse_center_line",
    "dist_quad_center_line",
    "dist_line_line",
    "dist_line_ray",
    "dist_line_segment",
    "dist_ray_ray",
    "dist_ray_segment",
    "dist_segment_segment",
    "dist_segment_plane",
    "dist_circle_circle",
    "dist_3d_circle_circle",
    "dist_xy_circle_circle",
    "dist_arc_circle",
    "dist_arc_arc",
    "dist_line_circle",
    "dist_line_arc",
    "dist_segment_circle",
    "dist_segment_arc",
]


def _one(function, first, second):
    result = gte_dist_result()
    function(first, second, byref(result))
    return dist_result_of(result)


def dist_point_line(point, line):
    """Distance from the point to its foot on the infinite line."""
    return _one(raw.gte_dist_point_line, c_line(line), c_point(point))


def dist_foot_point_line(point, line):
    """The foot of the perpendicular from the point on the line, and the distance to it.

    Returns FootDist(foot, result); result is that of :func:`dist_point_line`.
    """
    foot = gte_point()
    result = gte_dist_result()
    raw.gte_distfootpoint_point_line(c_line(line), c_point(point), byref(foot), byref(result))
    return FootDist(point_of(foot), dist_result_of(result))


def dist_point_ray(point, ray):
    """Distance from the point to the closest point of the ray (its origin when behind it)."""
    return _one(raw.gte_dist_point_ray, c_ray(ray), c_point(point))


def dist_point_segment(point, segment):
    """Distance from the point to the closest point of the segment."""
    return _one(raw.gte_dist_point_lseg, c_lseg(segment), c_point(point))


def dist_point_plane(point, plane):
    """Distance from the point to its orthogonal projection on the plane."""
    return _one(raw.gte_dist_point_plane, c_plane(plane), c_point(point))


def dist_point_rect(point, rect):
    """Distance from the point to the closest point of the filled rectangle."""
    return _one(raw.gte_dist_point_rect, c_rect(rect), c_point(point))


def _point_circle(function, point, circle):
    results = (gte_dist_result * 3)()
    function(c_circle(circle), c_point(point), results)
    return PointCircleDist(*(dist_result_of(r) for r in results))


def dist_point_circle(point, circle):
    """Distances from the point to the circle's centre, to its nearest circle point and to the
    circle point opposite that one: PointCircleDist(center, nearest, opposite).

    The point is projected into the circle's plane to find the nearest point; a point on the
    circle's axis, equally near to all of the circle, measures to one chosen circle point.
    """
    return _point_circle(raw.gte_dist_point_circle, point, circle)


def dist_point_arc(point, arc):
    """:func:`dist_point_circle` on the arc's full circle."""
    return _point_circle(raw.gte_dist_point_arc, point, arc)


def dist_rect_center_line(rect, line):
    """Distance from the rectangle's centre to its foot on the line."""
    return _one(raw.gte_dist_rectCenter_line, c_rect(rect), c_line(line))


def dist_ellipse_center_line(ellipse, line):
    """Distance from the ellipse's centre to its foot on the line."""
    return _one(raw.gte_dist_ellipseCenter_line, c_ellipse(ellipse), c_line(line))


def dist_quad_center_line(quad, line):
    """Distance from the average of the quadrilateral's corners to its foot on the line."""
    return _one(raw.gte_dist_quadCenter_line, c_quad(quad), c_line(line))


def dist_line_line(line1, line2):
    """Shortest distance between two infinite lines."""
    return raw.gte_dist_line_line(c_line(line1), c_line(line2))


def dist_line_ray(line, ray):
    """Shortest distance between a line and a ray."""
    return raw.gte_dist_line_ray(c_line(line), c_ray(ray))


def dist_line_segment(line, segment):
    """Shortest distance between a line and a segment."""
    return raw.gte_dist_line_lseg(c_line(line), c_lseg(segment))


def dist_ray_ray(ray1, ray2):
    """Shortest distance between two rays."""
    return raw.gte_dist_ray_ray(c_ray(ray1), c_ray(ray2))


def dist_ray_segment(ray, segment):
    """Shortest distance between a ray and a segment."""
    return raw.gte_dist_ray_lseg(c_ray(ray), c_lseg(segment))


def dist_segment_segment(segment1, segment2):
    """Distance from segment1's midpoint to its foot on the infinite line through segment2.

    Not symmetric: swapping the segments measures from the other midpoint.
    """
    return _one(raw.gte_dist_lseg_lseg, c_lseg(segment1), c_lseg(segment2))


def dist_segment_plane(segment, plane):
    """Distance from the segment's midpoint to its projection on the plane."""
    return _one(raw.gte_dist_lseg_plane, c_lseg(segment), c_plane(plane))


def _circle_pairs(name, export, first, second):
    results = (gte_dist_result * 3)()
    written = getattr(raw, export)(first, second, results)
    if written < 1:
        raise RefusedError(name, export, "no distance is defined for this pair")
    pairs = [dist_result_of(results[i]) if i < written else None for i in range(3)]
    return CircleDist(*pairs)


_CIRCLES = """

    Returns CircleDist(center, nearest, farthest): centre to centre, then the nearest and the
    farthest pair of circle points (point1 on the first circle); both pairs are None when the
    library finds none for this pair of circles."""

_LINE = """

    Returns CircleDist(center, nearest, farthest): the circle's centre to its foot on the line,
    then the nearer and the farther end of the circle's diameter that points towards the line,
    each to its foot on the line (point1 on the circle). The pairs are None when no diameter is
    singled out (a line through the centre). Raises RefusedError for a line along the circle's
    axis that has no answer."""


def dist_circle_circle(circle1, circle2):
    return _circle_pairs("dist_circle_circle", "gte_dist_circle_circle",
                         c_circle(circle1), c_circle(circle2))


def dist_3d_circle_circle(circle1, circle2):
    return _circle_pairs("dist_3d_circle_circle", "gte_dist3D_circle_circle",
                         c_circle(circle1), c_circle(circle2))


def dist_xy_circle_circle(circle1, circle2):
    return _circle_pairs("dist_xy_circle_circle", "gte_distXY_circle_circle",
                         c_circle(circle1), c_circle(circle2))


def dist_arc_circle(arc, circle):
    return _circle_pairs("dist_arc_circle", "gte_dist_arc_circle", c_circle(arc), c_circle(circle))


def dist_arc_arc(arc1, arc2):
    return _circle_pairs("dist_arc_arc", "gte_dist_arc_arc", c_circle(arc1), c_circle(arc2))


def dist_line_circle(line, circle):
    return _circle_pairs("dist_line_circle", "gte_dist_line_circle", c_line(line), c_circle(circle))


def dist_line_arc(line, arc):
    return _circle_pairs("dist_line_arc", "gte_dist_line_arc", c_line(line), c_circle(arc))


def dist_segment_circle(segment, circle):
    return _circle_pairs("dist_segment_circle", "gte_dist_lseg_circle",
                         c_lseg(segment), c_circle(circle))


def dist_segment_arc(segment, arc):
    return _circle_pairs("dist_segment_arc", "gte_dist_lseg_arc", c_lseg(segment), c_circle(arc))


dist_circle_circle.__doc__ = "Distances between two coplanar circles, cut along their centre line." + _CIRCLES
dist_3d_circle_circle.__doc__ = "Distances between two circles in any position." + _CIRCLES
dist_xy_circle_circle.__doc__ = (
    "Distances between two circles seen from above: circle2 is lifted to circle1's height."
    + _CIRCLES
)
dist_arc_circle.__doc__ = ":func:`dist_circle_circle` with the arc's full circle." + _CIRCLES
dist_arc_arc.__doc__ = ":func:`dist_circle_circle` with the arcs' full circles." + _CIRCLES
dist_line_circle.__doc__ = "Distances between a line and a circle." + _LINE
dist_line_arc.__doc__ = ":func:`dist_line_circle` with the arc's full circle." + _LINE
dist_segment_circle.__doc__ = (
    "Distances between a segment's whole line and a circle (the feet may lie beyond the ends)."
    + _LINE
)
dist_segment_arc.__doc__ = ":func:`dist_segment_circle` with the arc's full circle." + _LINE
