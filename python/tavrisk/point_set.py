# SPDX-License-Identifier: MIT
"""Point sets against a line or against each other, and two segments' gap in XY.

Point sets are a float64 numpy array of shape (n, 3) (read in place when C-contiguous) or any
sequence of 3-sequences. The ``_points_line`` functions measure in space; the ``_points_points``
functions measure in XY, across the XY direction of the line. Gaps are in the caller's unit.

The robust intervals average the ``average_count`` largest and smallest distances after leaving
out the ``trim_count`` most extreme ones on each side; with ``sigma_factor`` given, distances
farther than sigma_factor standard deviations from their mean are first replaced by the mean.
They need more than 2 * (trim_count + average_count) points per set.
"""

from __future__ import annotations

from ctypes import byref, c_double
from typing import Optional, Tuple

from . import codes, raw
from ._integers import c_int_argument
from ._points import PointSet, point_array
from .errors import RefusedError
from .records import gte_gap_result
from .results import Extremes, GapResult, Interval, SegmentInterval, gap_result_of
from .shapes import LineLike, c_line, c_lseg

__all__ = [
    "dist_points_line",
    "gap_points_line",
    "interval_points_line",
    "gap_sigma_points_line",
    "dist_points_points",
    "gap_xy_points_points",
    "interval_points_points",
    "gap_sigma_points_points",
    "interval_xy_segment_segment",
    "gap_xy_segment_segment",
]

_TOO_FEW = "too few points"
_TOO_FEW_FOR_TRIM = "a set has no more than 2 * (trim_count + average_count) points"
_XY = "an empty set, or a line without XY direction"


def _counts(trim_count: int, average_count: int) -> Tuple[int, int]:
    """The two counts as the library's ints; beyond them OverflowError names the argument."""
    return c_int_argument(trim_count, "trim_count"), c_int_argument(average_count, "average_count")


def _sigma(sigma_factor: Optional[float]) -> Tuple[float, bool]:
    """The library's (sigmaFactor, useSigma) of an optional factor."""
    return (0.0, False) if sigma_factor is None else (sigma_factor, True)


def dist_points_line(points: PointSet, line: LineLike) -> Extremes:
    """The largest and smallest distance of the points to the line: Extremes(max_dist,
    min_dist). Raises RefusedError for fewer than two points."""
    cloud = point_array(points)
    high, low = c_double(), c_double()
    raw.gte_dist_mutiPoint_line(cloud.pointer, cloud.count, c_line(line), byref(high),
                                byref(low))
    if high.value == codes.TOO_FEW_POINTS:
        raise RefusedError("dist_points_line", "gte_dist_mutiPoint_line", _TOO_FEW)
    return Extremes(high.value, low.value)


def gap_points_line(points: PointSet, line: LineLike) -> GapResult:
    """The gap between the points and the line: GapResult with the centroid's gap to the line
    as center_gap, the largest and smallest point distances as max_gap and min_gap, the
    direction from the centroid to its foot. Raises RefusedError for fewer than two points."""
    cloud = point_array(points)
    result = gte_gap_result()
    raw.gte_gap_mutiPoint_line(cloud.pointer, cloud.count, c_line(line), byref(result))
    if result.centerGap == codes.TOO_FEW_POINTS:
        raise RefusedError("gap_points_line", "gte_gap_mutiPoint_line", _TOO_FEW)
    return gap_result_of(result)


def interval_points_line(points: PointSet, line: LineLike, trim_count: int, average_count: int,
                         sigma_factor: Optional[float] = None) -> Interval:
    """Robust largest and smallest distance of the points to the line: Interval(max_average,
    min_average). Raises RefusedError when the set is too small for the counts."""
    cloud = point_array(points)
    high, low = c_double(), c_double()
    status = raw.gte_interval_mutiPoint_line(cloud.pointer, cloud.count, c_line(line),
                                             *_counts(trim_count, average_count),
                                             *_sigma(sigma_factor),
                                             byref(high), byref(low))
    if status != codes.MEASURED:
        raise RefusedError("interval_points_line", "gte_interval_mutiPoint_line",
                           _TOO_FEW_FOR_TRIM)
    return Interval(high.value, low.value)


def gap_sigma_points_line(points: PointSet, line: LineLike, trim_count: int, average_count: int,
                          sigma_factor: Optional[float] = None) -> GapResult:
    """:func:`gap_points_line` with the robust averages as max_gap and min_gap."""
    cloud = point_array(points)
    result = gte_gap_result()
    status = raw.gte_gapSigma_mutiPoint_line(cloud.pointer, cloud.count, c_line(line),
                                             *_counts(trim_count, average_count),
                                             *_sigma(sigma_factor),
                                             byref(result))
    if status != codes.MEASURED:
        raise RefusedError("gap_sigma_points_line", "gte_gapSigma_mutiPoint_line",
                           _TOO_FEW_FOR_TRIM)
    return gap_result_of(result)


def dist_points_points(points1: PointSet, points2: PointSet, line: LineLike) -> Extremes:
    """The largest and smallest XY gap across the line between any point of set 1 and any of
    set 2: Extremes(max_dist, min_dist). Raises RefusedError for an empty set or a vertical
    line."""
    cloud1, cloud2 = point_array(points1), point_array(points2)
    high, low = c_double(), c_double()
    if not raw.gte_dist_mutiPoint_mutiPoint(cloud1.pointer, cloud1.count, cloud2.pointer,
                                            cloud2.count, c_line(line), byref(high), byref(low)):
        raise RefusedError("dist_points_points", "gte_dist_mutiPoint_mutiPoint", _XY)
    return Extremes(high.value, low.value)


def gap_xy_points_points(points1: PointSet, points2: PointSet, line: LineLike) -> GapResult:
    """The XY gap across the line between two point sets: GapResult (center_gap between the
    centroids, max_gap and min_gap over all pairs). Raises RefusedError for an empty set or a
    vertical line."""
    cloud1, cloud2 = point_array(points1), point_array(points2)
    result = gte_gap_result()
    if not raw.gte_gapXY_mutiPoint_mutiPoint(cloud1.pointer, cloud1.count, cloud2.pointer,
                                             cloud2.count, c_line(line), byref(result)):
        raise RefusedError("gap_xy_points_points", "gte_gapXY_mutiPoint_mutiPoint", _XY)
    return gap_result_of(result)


def interval_points_points(points1: PointSet, points2: PointSet, line: LineLike, trim_count: int,
                           average_count: int, sigma_factor: Optional[float] = None) -> Interval:
    """The sums of :func:`interval_points_line` of both sets: for two edges on opposite sides
    of the line, the widest and narrowest widths between them: Interval(max_average,
    min_average)."""
    cloud1, cloud2 = point_array(points1), point_array(points2)
    high, low = c_double(), c_double()
    status = raw.gte_interval_mutiPoint_mutiPoint(cloud1.pointer, cloud1.count, cloud2.pointer,
                                                  cloud2.count, c_line(line),
                                                  *_counts(trim_count, average_count),
                                                  *_sigma(sigma_factor),
                                                  byref(high), byref(low))
    if status != codes.MEASURED:
        raise RefusedError("interval_points_points", "gte_interval_mutiPoint_mutiPoint",
                           _TOO_FEW_FOR_TRIM)
    return Interval(high.value, low.value)


def gap_sigma_points_points(points1: PointSet, points2: PointSet, line: LineLike, trim_count: int,
                            average_count: int, sigma_factor: Optional[float] = None) -> GapResult:
    """:func:`gap_xy_points_points` with robust averages over all pairs as max_gap and min_gap;
    with sigma_factor, points far from their set's plane along the line are pulled in first."""
    cloud1, cloud2 = point_array(points1), point_array(points2)
    result = gte_gap_result()
    status = raw.gte_gapSigma_mutiPoint_mutiPoint(cloud1.pointer, cloud1.count, cloud2.pointer,
                                                  cloud2.count, c_line(line),
                                                  *_counts(trim_count, average_count),
                                                  *_sigma(sigma_factor),
                                                  byref(result))
    if status != codes.MEASURED:
        raise RefusedError("gap_sigma_points_points", "gte_gapSigma_mutiPoint_mutiPoint",
                           _TOO_FEW_FOR_TRIM)
    return gap_result_of(result)


def interval_xy_segment_segment(segment1: LineLike, segment2: LineLike) -> SegmentInterval:
    """The XY gap across two segments' common direction: SegmentInterval(center_gap, max_dist,
    min_dist), the centre gap and the largest and smallest end-point gaps."""
    high, low = c_double(), c_double()
    center_gap = raw.gte_intervalXY_lseg_lseg(c_lseg(segment1), c_lseg(segment2), byref(high),
                                              byref(low))
    return SegmentInterval(center_gap, high.value, low.value)


def gap_xy_segment_segment(segment1: LineLike, segment2: LineLike) -> GapResult:
    """:func:`interval_xy_segment_segment` as a GapResult with the measuring direction and the
    midpoint of the centres (z = 0)."""
    result = gte_gap_result()
    raw.gte_gapXY_lseg_lseg(c_lseg(segment1), c_lseg(segment2), byref(result))
    return gap_result_of(result)

