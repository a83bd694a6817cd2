# SPDX-License-Identifier: MIT
"""Form as tolerances define it: flatness, straightness and roundness by the minimum zone, the
narrowest pair of parallel planes (lines, concentric circles) that holds every point, or by
another criterion named.

Points are an (n, 3) array-like (converted once to float64); results are dataclasses whose
coordinates are numpy arrays. Straightness and roundness look from above: they read x and y.
``support`` holds the points that touch the zone's boundaries and fix it, ``support_index`` their
rows in the points given and ``contact`` the boundary each touches ("low"/"high" for planes and
lines, "inner"/"outer" for circles). The zone of a set is not unique in general: ``width`` is
the figure, the planes or circles one zone of that width.

Refusals (too few points, a coordinate that is not finite, points that go round no centre)
raise RefusedError with the reason's ``kind`` and the point at fault in ``element``; a criterion
that the measure does not know raises ValueError. Needs numpy.
"""

from __future__ import annotations

from ctypes import byref, sizeof
from dataclasses import dataclass
from typing import TYPE_CHECKING, Any, Dict, Sequence, Tuple

from . import _inspect
from ._arrays import as_points, numpy_module, point_pointer
from ._problems import refusal

if TYPE_CHECKING:
    import numpy as np
    import numpy.typing as npt

    from ._arrays import Floats, PointsLike

    Indices = npt.NDArray[np.intp]

__all__ = ["Flatness", "Straightness", "Roundness", "flatness", "straightness", "roundness"]

MINIMUM_ZONE = "minimum-zone"
LEAST_SQUARES = "least-squares"
# The boundary a support point touches, by the library's TVI_CONTACT_ numbers.
_PLANE_CONTACTS = {1: "low", 2: "high"}
_CIRCLE_CONTACTS = {1: "inner", 2: "outer"}


def _criterion_numbers() -> Dict[str, int]:
    """Every criterion the library knows, by the identifier it spells it with."""
    numbers = {}
    for number in range(1, 16):
        name = _inspect.function("tvi_criterion_name")(number).decode("ascii")
        if name != "unknown":
            numbers[name] = number
    return numbers


_CRITERIA = _criterion_numbers()


def _criterion(criterion: str, allowed: Sequence[str], function: str) -> int:
    if criterion not in allowed:
        raise ValueError("%s measures by %s, not %r"
                         % (function, " or ".join(repr(name) for name in allowed), criterion))
    return _CRITERIA[criterion]


def _configuration(number: int) -> str:
    name: bytes = _inspect.function("tvi_configuration_name")(number)
    return name.decode("ascii")


def _xyz(record: Any) -> Floats:
    np = numpy_module("form")
    values: Floats = np.array((record.x, record.y, record.z), dtype=np.float64)
    return values


def _supports(result: Any, contacts: Dict[int, str]) -> Tuple[Floats, Indices, Tuple[str, ...]]:
    """The support points of a result record: coordinates (k, 3), indices (k,), contacts."""
    np = numpy_module("form")
    used = result.support[:result.support_count]
    points: Floats = np.array([(s.point.x, s.point.y, s.point.z) for s in used],
                              dtype=np.float64).reshape(len(used), 3)
    indices: Indices = np.array([s.index for s in used], dtype=np.intp)
    return points, indices, tuple(contacts[s.contact] for s in used)


def _measure(function: str, export: str, record: Any, points: PointsLike,
             *extra: int) -> Any:
    """The result record of a form export for the points, or the RefusedError of its problem."""
    array = as_points(points)
    result = record()
    result.size = sizeof(record)
    problem = _inspect.tvi_problem()
    status = _inspect.function(export)(point_pointer(array), len(array), *extra, byref(result),
                                       byref(problem))
    if status == _inspect.OUT_OF_MEMORY:
        raise MemoryError("%s: %s" % (export, problem.message.decode("ascii", "replace")))
    if status != _inspect.OK:
        raise refusal(function, export, problem)
    return result


@dataclass(frozen=True, eq=False)
class Flatness:
    """The flatness of a point set: the zone between two parallel planes holding every point.

    The planes are those through ``origin + low * normal`` and ``origin + high * normal``; a
    point's deviation is its signed distance from ``origin`` along ``normal``. For the minimum
    zone ``origin`` lies on the mid-plane (low = -width / 2) and ``normal`` points into the half
    space of the least-squares normal; for the least-squares band ``origin`` is the centroid and
    the support points are the lowest and the highest point.
    """

    width: float  #: the form figure: high - low
    criterion: str  #: "minimum-zone" or "least-squares"
    certified: bool  #: no narrower zone of this criterion exists, proved
    normal: Floats  #: (3,) unit, from the low plane to the high plane
    origin: Floats  #: (3,)
    low: float
    high: float
    support: Floats  #: (k, 3) the points touching the planes
    support_index: Indices  #: (k,) their rows in the points given
    contact: Tuple[str, ...]  #: "low" or "high", one a support point
    configuration: str  #: "3+1", "2+2", "coplanar", "collinear", "coincident"; "" least squares
    least_squares_width: float  #: the least-squares band's width, for comparison


@dataclass(frozen=True, eq=False)
class Straightness:
    """The straightness of points seen from above: the narrowest pair of parallel lines in XY.

    The lines run along ``direction`` through ``origin + low * normal`` and
    ``origin + high * normal`` (z = 0); ``origin`` lies on the mid-line.
    """

    width: float  #: the form figure: the distance between the lines
    criterion: str  #: "minimum-zone"
    certified: bool  #: no narrower pair of lines exists, proved
    normal: Floats  #: (3,) unit, in XY, from the low line to the high line
    direction: Floats  #: (3,) unit, along the lines
    origin: Floats  #: (3,)
    low: float
    high: float
    support: Floats  #: (k, 3)
    support_index: Indices  #: (k,)
    contact: Tuple[str, ...]  #: "low" or "high"
    configuration: str  #: "2+1", "collinear", "coincident"


@dataclass(frozen=True, eq=False)
class Roundness:
    """The roundness of points seen from above: two concentric circles about ``center`` through
    the nearest and the farthest point; ``width`` is outer_radius - inner_radius."""

    width: float  #: the form figure
    criterion: str  #: "minimum-zone", "circumscribed", "inscribed" or "least-squares"
    certified: bool  #: the criterion's circle is proved (see :func:`roundness`)
    center: Floats  #: (3,) z = 0
    radius: float  #: the criterion's own circle (mid-zone, outer, inner or fitted)
    inner_radius: float
    outer_radius: float
    support: Floats  #: (k, 3)
    support_index: Indices  #: (k,)
    contact: Tuple[str, ...]  #: "inner" or "outer"


def _least_squares_flatness(points: PointsLike) -> Flatness:
    # The fit gives the band with its lowest and highest points; its width is the same bits as
    # the minimum-zone result's least-squares band and the file flatness.
    array = as_points(points)
    fitted = _inspect.tvi_plane_fit()
    fitted.size = sizeof(fitted)
    problem = _inspect.tvi_problem()
    export = "tvi_fit_plane"
    if _inspect.function(export)(point_pointer(array), len(array), byref(fitted), None,
                                 byref(problem)) != _inspect.OK:
        raise refusal("form.flatness", export, problem)
    ends = [fitted.low_index, fitted.high_index]
    np = numpy_module("form")
    return Flatness(fitted.flatness, LEAST_SQUARES, True, _xyz(fitted.normal),
                    _xyz(fitted.centroid), fitted.low, fitted.high, array[ends].copy(),
                    np.array(ends, dtype=np.intp), ("low", "high"), "", fitted.flatness)


def flatness(points: PointsLike, criterion: str = MINIMUM_ZONE) -> Flatness:
    """The flatness of at least three points by the minimum zone (certified when no narrower
    pair of planes exists) or about the least-squares plane (``criterion="least-squares"``,
    the figure of :func:`tavrisk.flatness` to the bit). Points on one plane, line or spot have
    width 0, and ``configuration`` says which."""
    _criterion(criterion, (MINIMUM_ZONE, LEAST_SQUARES), "form.flatness")
    if criterion == LEAST_SQUARES:
        return _least_squares_flatness(points)
    result = _measure("form.flatness", "tvi_flatness", _inspect.tvi_flatness_result, points)
    zone = result.zone
    support, index, contact = _supports(result, _PLANE_CONTACTS)
    return Flatness(zone.width, MINIMUM_ZONE, bool(result.certified), _xyz(zone.normal),
                    _xyz(zone.origin), zone.low, zone.high, support, index, contact,
                    _configuration(result.configuration), result.least_squares.width)


def straightness(points: PointsLike, criterion: str = MINIMUM_ZONE) -> Straightness:
    """The straightness of at least two points seen from above: the narrowest pair of parallel
    lines in XY holding every point (the minimum zone, the only criterion measured here)."""
    _criterion(criterion, (MINIMUM_ZONE,), "form.straightness")
    result = _measure("form.straightness", "tvi_straightness_xy",
                      _inspect.tvi_straightness_result, points)
    zone = result.zone
    support, index, contact = _supports(result, _PLANE_CONTACTS)
    return Straightness(zone.width, MINIMUM_ZONE, bool(result.certified), _xyz(zone.normal),
                        _xyz(result.direction), _xyz(zone.origin), zone.low, zone.high,
                        support, index, contact, _configuration(result.configuration))


def roundness(points: PointsLike, criterion: str = MINIMUM_ZONE) -> Roundness:
    """The roundness of at least three points seen from above, not all on one line, about the
    centre the criterion chooses: "minimum-zone" (the two concentric circles nearest together),
    "circumscribed" (the smallest circle holding every point), "inscribed" (the largest circle
    holding none inside) or "least-squares". The width is R - r, never R^2 - r^2. Certified:
    minimum zone, four contacts alternating outer and inner round the centre; circumscribed,
    always; inscribed, three contacts surrounding the centre; least squares, converged."""
    number = _criterion(criterion, ("minimum-zone", "circumscribed", "inscribed",
                                    "least-squares"), "form.roundness")
    result = _measure("form.roundness", "tvi_roundness_xy", _inspect.tvi_roundness_result,
                      points, number)
    support, index, contact = _supports(result, _CIRCLE_CONTACTS)
    return Roundness(result.width, criterion, bool(result.certified), _xyz(result.center),
                     result.radius, result.inner_radius, result.outer_radius, support, index,
                     contact)
