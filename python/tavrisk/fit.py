# SPDX-License-Identifier: MIT
"""Best-fit features, flatness, form measures and the vector rotation tool.

Point sets are a float64 numpy array of shape (n, 3) (read in place when C-contiguous) or any
sequence of 3-sequences; the form measures work in XY. Lengths are in the caller's unit.
Residuals and deviations are numpy arrays when numpy is installed, lists otherwise.
"""

from __future__ import annotations

import math
import os
from ctypes import POINTER, Array, byref, c_double, sizeof
from dataclasses import dataclass
from typing import TYPE_CHECKING, Any, List, Optional, Union

from . import _inspect, codes, raw
from ._arrays import maybe_numpy
from ._paths import PathLike, encoded_path
from ._points import PointArray, PointSet, numpy_like, point_array
from ._problems import refusal
from .errors import RefusedError
from .records import gte_lseg, gte_point, gte_vector
from .results import Moment, Straightness
from .shapes import (
    LineLike,
    Plane,
    Point,
    Segment,
    Vector,
    VectorLike,
    c_line,
    c_vector,
    plane_of,
    point_of,
    segment_of,
    vector_of,
)

if TYPE_CHECKING:
    from ._arrays import Floats

__all__ = [
    "PlaneFit",
    "LineFit",
    "fit_segment",
    "fit_plane",
    "fit_line",
    "flatness",
    "moment2",
    "profile_2d",
    "straightness_xy_line",
    "rotate_vector",
]


@dataclass(frozen=True, eq=False)
class PlaneFit:
    """The least-squares plane of a point set.

    ``residuals[i]`` is point i's signed distance from the plane, positive on the side
    ``normal`` points to; ``flatness`` is the width of their band (largest minus smallest), the
    figure :func:`flatness` gives. ``plane`` is the plane through three of the points projected
    onto it, the record the first library's ``gte_fit_plane`` writes (oriented by those points,
    not by ``normal``); None where that library builds none (points whose projections lie
    within 0.001 of each other on every axis, as a part measured in metres may). Functions that
    take a plane take a PlaneFit too, for its ``plane``.
    """

    plane: Optional[Plane]
    centroid: Point  #: the mean of the points, the plane's point
    normal: Vector  #: unit, in the sense the fit chose
    residuals: Floats  #: one a point (a list without numpy)
    rms: float  #: root mean square of the residuals
    flatness: float  #: largest minus smallest residual


@dataclass(frozen=True, eq=False)
class LineFit:
    """The least-squares line of a point set.

    ``residuals[i]`` is point i's distance from the line (never negative). ``segment`` is the
    first library's ``gte_fit_lseg`` record: the feet on the line of the two points lying
    farthest apart along it (None when they would not be finite).
    """

    segment: Optional[Segment]
    centroid: Point  #: the mean of the points, the line's point
    direction: Vector  #: unit, in the sense the fit chose
    residuals: Floats  #: one a point (a list without numpy)
    rms: float  #: root mean square of the residuals
    largest: float  #: the largest residual


def fit_segment(points: PointSet) -> Segment:
    """The best-fit line of at least three points, as the segment between the two extreme
    projections onto it (in the order the points were given). Raises RefusedError when the
    points determine no unique line."""
    cloud = point_array(points)
    fitted = gte_lseg()
    if raw.gte_fit_lseg(cloud.pointer, cloud.count, byref(fitted)) != codes.MEASURED:
        raise RefusedError("fit_segment", "gte_fit_lseg",
                           "the points do not determine a unique best fit (fewer than three, "
                           "or degenerate)")
    return segment_of(fitted)


def _residual_room(points: object, count: int) -> Any:
    """Where the residuals go: a numpy array when numpy is there, else a ctypes array."""
    numpy = maybe_numpy()
    if numpy is not None:
        return numpy.empty(count, dtype=numpy.float64)
    return (c_double * max(count, 1))()


def _residuals_pointer(room: Any) -> Any:
    if isinstance(room, Array):
        return room
    return room.ctypes.data_as(POINTER(c_double))


def _residuals_of(room: Any, count: int) -> Floats:
    residuals: Floats = room if not isinstance(room, Array) else list(room)[:count]
    return residuals


def _fit(name: str, export: str, record: Any, cloud: PointArray,
         residuals: Optional[Any]) -> Any:
    fitted = record()
    fitted.size = sizeof(record)
    problem = _inspect.tvi_problem()
    status = _inspect.function(export)(cloud.pointer, cloud.count, byref(fitted),
                                       None if residuals is None else _residuals_pointer(residuals),
                                       byref(problem))
    if status != _inspect.OK:
        raise refusal(name, export, problem)
    return fitted


def fit_plane(points: PointSet) -> PlaneFit:
    """The least-squares plane of at least three points: PlaneFit(plane, centroid, normal,
    residuals, rms, flatness). Raises RefusedError (with the problem's ``kind``:
    "too_few_points", "not_finite" naming the point, "no_unique_fit") when the points determine
    no unique plane."""
    cloud = point_array(points)
    room = _residual_room(points, cloud.count)
    fitted = _fit("fit_plane", "tvi_fit_plane", _inspect.tvi_plane_fit, cloud, room)
    return PlaneFit(plane_of(fitted.plane) if fitted.has_plane else None,
                    point_of(fitted.centroid), vector_of(fitted.normal),
                    _residuals_of(room, cloud.count), fitted.rms, fitted.flatness)


def fit_line(points: PointSet) -> LineFit:
    """The least-squares line of at least three points: LineFit(segment, centroid, direction,
    residuals, rms, largest). Raises RefusedError (``kind`` as for :func:`fit_plane`) when the
    points determine no unique line."""
    cloud = point_array(points)
    room = _residual_room(points, cloud.count)
    fitted = _fit("fit_line", "tvi_fit_line", _inspect.tvi_line_fit, cloud, room)
    return LineFit(segment_of(fitted.segment) if fitted.has_segment else None,
                   point_of(fitted.centroid), vector_of(fitted.direction),
                   _residuals_of(room, cloud.count), fitted.rms, fitted.high)


def _flatness_of_file(path: PathLike) -> float:
    value = c_double()
    problem = _inspect.tvi_problem()
    export = "tvi_least_squares_flatness_file"
    status = _inspect.function(export)(encoded_path(path), byref(value), byref(problem))
    if status != _inspect.OK:
        raise refusal("flatness", export, problem)
    return value.value


def _flatness_of_points(points: PointSet) -> float:
    # The first library's rules for the points of a file: none is no point file, one or two
    # measure flat, and every coordinate must be a finite number.
    cloud = point_array(points)
    if cloud.count == 0:
        raise RefusedError("flatness", "tvi_fit_plane", "no point", kind="no_point")
    if cloud.count < 3:
        for i in range(cloud.count):
            if not all(math.isfinite(v) for v in point_of(cloud.pointer[i])):
                raise RefusedError("flatness", "tvi_fit_plane",
                                   "point %d has a coordinate that is not finite" % (i + 1),
                                   kind="not_finite", element=i + 1)
        return 0.0
    fitted = _fit("flatness", "tvi_fit_plane", _inspect.tvi_plane_fit, cloud, None)
    result: float = fitted.flatness
    return result


def flatness(points_or_path: Union[PathLike, PointSet]) -> float:
    """The least-squares flatness of points: the width of the band of their signed distances
    to the best-fit plane (0 for one or two points).

    Given a path (str, bytes or os.PathLike, encoded with the file system's encoding), the
    points of that text file, read by the first library's rules: numbers separated by spaces,
    commas, tabs or line breaks, three to a point; the figure is that library's export's. Given
    points (an (n, 3) array or a sequence of points), the same figure, to the bit, as for the
    same points written to a file. Raises RefusedError with the reason (``kind``, ``line``,
    ``text``, ...: "missing", "locked", "not_a_number" at its line, "no_unique_fit", ...) when
    the file cannot be read or the points determine no plane.
    """
    if isinstance(points_or_path, (str, bytes, os.PathLike)):
        return _flatness_of_file(points_or_path)
    return _flatness_of_points(points_or_path)


def moment2(points: PointSet) -> Moment:
    """The centroid and second-moment ellipse of at least three points in XY.

    Returns Moment(centroid, angle, major, minor): angle in radians between -pi/4 and pi/4, the
    direction of the ellipse axis nearer the x axis; major and minor the full axis lengths of
    the ellipse of one standard deviation. Raises RefusedError for fewer than three points.
    """
    cloud = point_array(points)
    centroid = gte_point()
    angle, major, minor = c_double(), c_double(), c_double()
    status = raw.gte_measure_moment2(cloud.pointer, cloud.count, byref(centroid), byref(angle),
                                     byref(major), byref(minor))
    if status != codes.MEASURED:
        raise RefusedError("moment2", "gte_measure_moment2", "fewer than three points")
    return Moment(point_of(centroid), angle.value, major.value, minor.value)


def profile_2d(measured: PointSet, nominal: PointSet, normals: PointSet) -> float:
    """The profile of measured points against a nominal contour in XY: the width of the band
    of deviations, each measured point against its nearest nominal point along that point's
    normal (not normalised). ``normals`` holds one vector per nominal point. Raises
    RefusedError when either set is empty."""
    nominal_cloud = point_array(nominal)
    normal_cloud = point_array(normals, gte_vector)
    if normal_cloud.count != nominal_cloud.count:
        raise ValueError("profile_2d needs one normal per nominal point (%d points, %d normals)"
                         % (nominal_cloud.count, normal_cloud.count))
    measured_cloud = point_array(measured)
    profile = c_double()
    status = raw.gte_measure_profile2D(measured_cloud.pointer, measured_cloud.count,
                                       nominal_cloud.pointer, normal_cloud.pointer,
                                       nominal_cloud.count, byref(profile))
    if status != codes.MEASURED:
        raise RefusedError("profile_2d", "gte_measure_profile2D", "an empty point set")
    return profile.value


def straightness_xy_line(points: PointSet, line: LineLike) -> Straightness:
    """The straightness of the points about the line, measured horizontally across it.

    Returns Straightness(straightness, deviations): the band width and each point's signed
    deviation (positive to the right of the line's direction seen from above), a numpy array
    when the points came as one, else a list. Raises RefusedError for an empty set.
    """
    cloud = point_array(points)
    deviations = (c_double * max(cloud.count, 1))()
    value = raw.gte_straightness_xy_line(cloud.pointer, cloud.count, c_line(line), deviations)
    if value == codes.NO_STRAIGHTNESS:
        raise RefusedError("straightness_xy_line", "gte_straightness_xy_line", "no points")
    numpy = numpy_like(points)
    if numpy is not None:
        return Straightness(value, numpy.frombuffer(deviations, dtype=numpy.float64))
    values: List[float] = list(deviations)
    return Straightness(value, values)


def rotate_vector(vector: VectorLike, axis: VectorLike, angle: float) -> Vector:
    """The vector rotated about the axis (any non-zero length) by angle degrees, right-hand
    rule. A zero axis gives cos(angle) * vector."""
    result = gte_vector()
    raw.gte_tool_rotate_vector(c_vector(vector), c_vector(axis), angle, byref(result))
    return vector_of(result)
