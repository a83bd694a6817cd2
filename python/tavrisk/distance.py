# SPDX-License-Identifier: MIT
"""Distances from a point to a shape, between linear shapes, and between circles.

Arguments follow the order of the function's name: ``dist_point_line(point, line)``. Lengths are
in the caller's unit. A :class:`DistResult` runs from point1, the given point (or the feature's
point), to point2, the point found on the other shape.

The point functions take one point or an (n, 3) array of points (any array-like of that shape,
converted once): for an array each field of the result is an array, (n,) for a number and (n, 3)
for a point or vector, and element i is what the one-point call gives for point i, to the bit.
:func:`deviation_point_plane` and :func:`deviation_xy_point_line` give the signed deviations.
"""

from __future__ import annotations

from ctypes import byref
from typing import TYPE_CHECKING, Any, Callable, Optional, Tuple, Union, overload

from . import _inspect, raw
from ._arrays import (
    DIST_FIELDS,
    DIST_TRIPLES,
    as_points,
    dist_pointer,
    doubles_pointer,
    empty_records,
    empty_values,
    point_pointer,
)
from ._problems import refusal
from .errors import RefusedError
from .records import gte_dist_result, gte_point
from .results import (
    ArrayDist,
    CircleDist,
    DistResult,
    FootDist,
    OneDist,
    PointCircleDist,
    dist_result_of,
)
from .shapes import (
    CircleLike,
    EllipseLike,
    LineLike,
    PlaneLike,
    PointLike,
    QuadLike,
    RectLike,
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

if TYPE_CHECKING:
    from ._arrays import Floats, PointsLike
    from .shapes import Point, Vector

    OneFoot = FootDist[float, Point, Vector]
    ArrayFoot = FootDist[Floats, Floats, Floats]
    OneCircle = PointCircleDist[float, Point, Vector]
    ArrayCircle = PointCircleDist[Floats, Floats, Floats]

__all__ = [
    "dist_point_line",
    "dist_foot_point_line",
    "dist_point_ray",
    "dist_point_segment",
    "dist_point_plane",
    "dist_point_rect",
    "dist_point_circle",
    "dist_point_arc",
    "deviation_point_plane",
    "deviation_xy_point_line",
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


def _one_point(point: Any) -> Optional[gte_point]:
    """The record of one point, or None when point is an array of points (or no point at all,
    which the array path then explains). The common case, three numbers, costs no more than
    before arrays were taken."""
    try:
        return c_point(point)
    except (TypeError, ValueError):
        return None


def _array_dist(records: Floats) -> ArrayDist:
    """The distance records, one a row, as a DistResult of views of their columns."""
    numbers = {name: records[:, column] for name, column in DIST_FIELDS.items()}
    triples = {name: records[:, column:column + 3] for name, column in DIST_TRIPLES.items()}
    result: ArrayDist = DistResult(**numbers, **triples)
    return result


def _checked(status: int, name: str, export: str, problem: _inspect.tvi_problem) -> None:
    if status != _inspect.OK:
        raise refusal(name, export, problem)


def _measure_array(name: str, export: str, shape: Any, points: Any,
                   per_point: int = 1) -> Tuple[Floats, Floats]:
    """The points as an array, and per_point records for each from the array function."""
    array = as_points(points)
    records = empty_records(len(array), per_point)
    problem = _inspect.tvi_problem()
    status = _inspect.function(export)(shape, point_pointer(array), len(array),
                                       dist_pointer(records), byref(problem))
    _checked(status, name, export, problem)
    return array, records


def _one(function: Callable[..., None], first: Any, second: Any) -> OneDist:
    result = gte_dist_result()
    function(first, second, byref(result))
    return dist_result_of(result)


def _point_to(name: str, single: Callable[..., None], export: str, shape: Any,
              point: Any) -> Union[OneDist, ArrayDist]:
    record = _one_point(point)
    if record is not None:
        return _one(single, shape, record)
    return _array_dist(_measure_array(name, export, shape, point)[1])


@overload
def dist_point_line(point: PointLike, line: LineLike) -> OneDist: ...
@overload
def dist_point_line(point: PointsLike, line: LineLike) -> ArrayDist: ...
def dist_point_line(point: Any, line: LineLike) -> Union[OneDist, ArrayDist]:
    """Distance from the point to its foot on the infinite line."""
    return _point_to("dist_point_line", raw.gte_dist_point_line, "tvi_dist_point_line_array",
                     c_line(line), point)


@overload
def dist_foot_point_line(point: PointLike, line: LineLike) -> OneFoot: ...
@overload
def dist_foot_point_line(point: PointsLike, line: LineLike) -> ArrayFoot: ...
def dist_foot_point_line(point: Any, line: LineLike) -> Union[OneFoot, ArrayFoot]:
    """The foot of the perpendicular from the point on the line, and the distance to it.

    Returns FootDist(foot, result); result is that of :func:`dist_point_line`, whose point2 is
    the foot.
    """
    record = _one_point(point)
    if record is None:
        result = _array_dist(_measure_array("dist_foot_point_line", "tvi_dist_point_line_array",
                                            c_line(line), point)[1])
        return FootDist(result.point2, result)
    foot = gte_point()
    one = gte_dist_result()
    raw.gte_distfootpoint_point_line(c_line(line), record, byref(foot), byref(one))
    return FootDist(point_of(foot), dist_result_of(one))


@overload
def dist_point_ray(point: PointLike, ray: LineLike) -> OneDist: ...
@overload
def dist_point_ray(point: PointsLike, ray: LineLike) -> ArrayDist: ...
def dist_point_ray(point: Any, ray: LineLike) -> Union[OneDist, ArrayDist]:
    """Distance from the point to the closest point of the ray (its origin when behind it)."""
    return _point_to("dist_point_ray", raw.gte_dist_point_ray, "tvi_dist_point_ray_array",
                     c_ray(ray), point)


@overload
def dist_point_segment(point: PointLike, segment: LineLike) -> OneDist: ...
@overload
def dist_point_segment(point: PointsLike, segment: LineLike) -> ArrayDist: ...
def dist_point_segment(point: Any, segment: LineLike) -> Union[OneDist, ArrayDist]:
    """Distance from the point to the closest point of the segment."""
    return _point_to("dist_point_segment", raw.gte_dist_point_lseg, "tvi_dist_point_lseg_array",
                     c_lseg(segment), point)


@overload
def dist_point_plane(point: PointLike, plane: PlaneLike) -> OneDist: ...
@overload
def dist_point_plane(point: PointsLike, plane: PlaneLike) -> ArrayDist: ...
def dist_point_plane(point: Any, plane: PlaneLike) -> Union[OneDist, ArrayDist]:
    """Distance from the point to its orthogonal projection on the plane."""
    return _point_to("dist_point_plane", raw.gte_dist_point_plane, "tvi_dist_point_plane_array",
                     c_plane(plane), point)


@overload
def dist_point_rect(point: PointLike, rect: RectLike) -> OneDist: ...
@overload
def dist_point_rect(point: PointsLike, rect: RectLike) -> ArrayDist: ...
def dist_point_rect(point: Any, rect: RectLike) -> Union[OneDist, ArrayDist]:
    """Distance from the point to the closest point of the filled rectangle."""
    return _point_to("dist_point_rect", raw.gte_dist_point_rect, "tvi_dist_point_rect_array",
                     c_rect(rect), point)


def _point_circle(name: str, single: Callable[..., None], export: str, point: Any,
                  circle: CircleLike) -> Union[OneCircle, ArrayCircle]:
    shape = c_circle(circle)
    record = _one_point(point)
    if record is None:
        array, records = _measure_array(name, export, shape, point, per_point=3)
        each = records.reshape(len(array), 3, -1)
        return PointCircleDist(*(_array_dist(each[:, k]) for k in range(3)))
    results = (gte_dist_result * 3)()
    single(shape, record, results)
    return PointCircleDist(*(dist_result_of(r) for r in results))


@overload
def dist_point_circle(point: PointLike, circle: CircleLike) -> OneCircle: ...
@overload
def dist_point_circle(point: PointsLike, circle: CircleLike) -> ArrayCircle: ...
def dist_point_circle(point: Any, circle: CircleLike) -> Union[OneCircle, ArrayCircle]:
    """Distances from the point to the circle's centre, to its nearest circle point and to the
    circle point opposite that one: PointCircleDist(center, nearest, opposite).

    The point is projected into the circle's plane to find the nearest point; a point on the
    circle's axis, equally near to all of the circle, measures to one chosen circle point.
    """
    return _point_circle("dist_point_circle", raw.gte_dist_point_circle,
                         "tvi_dist_point_circle_array", point, circle)


@overload
def dist_point_arc(point: PointLike, arc: CircleLike) -> OneCircle: ...
@overload
def dist_point_arc(point: PointsLike, arc: CircleLike) -> ArrayCircle: ...
def dist_point_arc(point: Any, arc: CircleLike) -> Union[OneCircle, ArrayCircle]:
    """:func:`dist_point_circle` on the arc's full circle."""
    return _point_circle("dist_point_arc", raw.gte_dist_point_arc, "tvi_dist_point_arc_array",
                         point, arc)


def _deviations(name: str, export: str, shape: Any, point: Any) -> Union[float, Floats]:
    record = _one_point(point)
    single = record is not None
    array = as_points([point] if single else point)
    values = empty_values(len(array))
    problem = _inspect.tvi_problem()
    status = _inspect.function(export)(shape, point_pointer(array), len(array),
                                       doubles_pointer(values), byref(problem))
    _checked(status, name, export, problem)
    return float(values[0]) if single else values


@overload
def deviation_point_plane(point: PointLike, plane: PlaneLike) -> float: ...
@overload
def deviation_point_plane(point: PointsLike, plane: PlaneLike) -> Floats: ...
def deviation_point_plane(point: Any, plane: PlaneLike) -> Union[float, Floats]:
    """The signed deviation of the point (of each point of an array) from the plane: the dist
    of :func:`dist_point_plane`, positive on the side the plane's normal (pt2 - pt1) x
    (pt3 - pt1) points to, negative on the other. Needs numpy."""
    return _deviations("deviation_point_plane", "tvi_deviation_point_plane_array",
                       c_plane(plane), point)


@overload
def deviation_xy_point_line(point: PointLike, line: LineLike) -> float: ...
@overload
def deviation_xy_point_line(point: PointsLike, line: LineLike) -> Floats: ...
def deviation_xy_point_line(point: Any, line: LineLike) -> Union[float, Floats]:
    """The signed horizontal deviation of the point (of each point of an array) from the line
    seen from above, as :func:`straightness_xy_line` measures it: positive to the right of the
    line's direction. Needs numpy."""
    return _deviations("deviation_xy_point_line", "tvi_deviation_xy_point_line_array",
                       c_line(line), point)


def dist_rect_center_line(rect: RectLike, line: LineLike) -> OneDist:
    """Distance from the rectangle's centre to its foot on the line."""
    return _one(raw.gte_dist_rectCenter_line, c_rect(rect), c_line(line))


def dist_ellipse_center_line(ellipse: EllipseLike, line: LineLike) -> OneDist:
    """Distance from the ellipse's centre to its foot on the line."""
    return _one(raw.gte_dist_ellipseCenter_line, c_ellipse(ellipse), c_line(line))


def dist_quad_center_line(quad: QuadLike, line: LineLike) -> OneDist:
    """Distance from the average of the quadrilateral's corners to its foot on the line."""
    return _one(raw.gte_dist_quadCenter_line, c_quad(quad), c_line(line))


def dist_line_line(line1: LineLike, line2: LineLike) -> float:
    """Shortest distance between two infinite lines."""
    return raw.gte_dist_line_line(c_line(line1), c_line(line2))


def dist_line_ray(line: LineLike, ray: LineLike) -> float:
    """Shortest distance between a line and a ray."""
    return raw.gte_dist_line_ray(c_line(line), c_ray(ray))


def dist_line_segment(line: LineLike, segment: LineLike) -> float:
    """Shortest distance between a line and a segment."""
    return raw.gte_dist_line_lseg(c_line(line), c_lseg(segment))


def dist_ray_ray(ray1: LineLike, ray2: LineLike) -> float:
    """Shortest distance between two rays."""
    return raw.gte_dist_ray_ray(c_ray(ray1), c_ray(ray2))


def dist_ray_segment(ray: LineLike, segment: LineLike) -> float:
    """Shortest distance between a ray and a segment."""
    return raw.gte_dist_ray_lseg(c_ray(ray), c_lseg(segment))


def dist_segment_segment(segment1: LineLike, segment2: LineLike) -> OneDist:
    """Distance from segment1's midpoint to its foot on the infinite line through segment2.

    Not symmetric: swapping the segments measures from the other midpoint.
    """
    return _one(raw.gte_dist_lseg_lseg, c_lseg(segment1), c_lseg(segment2))


def dist_segment_plane(segment: LineLike, plane: PlaneLike) -> OneDist:
    """Distance from the segment's midpoint to its projection on the plane."""
    return _one(raw.gte_dist_lseg_plane, c_lseg(segment), c_plane(plane))


def _circle_pairs(name: str, export: str, first: Any, second: Any) -> CircleDist:
    results = (gte_dist_result * 3)()
    written = getattr(raw, export)(first, second, results)
    if written < 1:
        raise RefusedError(name, export, "no distance is defined for this pair")
    pairs = [dist_result_of(results[i]) if i < written else None for i in (1, 2)]
    return CircleDist(dist_result_of(results[0]), pairs[0], pairs[1])


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


def dist_circle_circle(circle1: CircleLike, circle2: CircleLike) -> CircleDist:
    return _circle_pairs("dist_circle_circle", "gte_dist_circle_circle",
                         c_circle(circle1), c_circle(circle2))


def dist_3d_circle_circle(circle1: CircleLike, circle2: CircleLike) -> CircleDist:
    return _circle_pairs("dist_3d_circle_circle", "gte_dist3D_circle_circle",
                         c_circle(circle1), c_circle(circle2))


def dist_xy_circle_circle(circle1: CircleLike, circle2: CircleLike) -> CircleDist:
    return _circle_pairs("dist_xy_circle_circle", "gte_distXY_circle_circle",
                         c_circle(circle1), c_circle(circle2))


def dist_arc_circle(arc: CircleLike, circle: CircleLike) -> CircleDist:
    return _circle_pairs("dist_arc_circle", "gte_dist_arc_circle", c_circle(arc), c_circle(circle))


def dist_arc_arc(arc1: CircleLike, arc2: CircleLike) -> CircleDist:
    return _circle_pairs("dist_arc_arc", "gte_dist_arc_arc", c_circle(arc1), c_circle(arc2))


def dist_line_circle(line: LineLike, circle: CircleLike) -> CircleDist:
    return _circle_pairs("dist_line_circle", "gte_dist_line_circle", c_line(line), c_circle(circle))


def dist_line_arc(line: LineLike, arc: CircleLike) -> CircleDist:
    return _circle_pairs("dist_line_arc", "gte_dist_line_arc", c_line(line), c_circle(arc))


def dist_segment_circle(segment: LineLike, circle: CircleLike) -> CircleDist:
    return _circle_pairs("dist_segment_circle", "gte_dist_lseg_circle",
                         c_lseg(segment), c_circle(circle))


def dist_segment_arc(segment: LineLike, arc: CircleLike) -> CircleDist:
    return _circle_pairs("dist_segment_arc", "gte_dist_lseg_arc", c_lseg(segment), c_circle(arc))


dist_circle_circle.__doc__ = ("Distances between two coplanar circles, cut along their centre "
                              "line." + _CIRCLES)
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
