# SPDX-License-Identifier: MIT
"""Point arrays for the whole-array functions: any array-like of shape (n, 3) converted once into
a float64 numpy array in C order, which the library reads in place, and arrays for the results.

numpy is needed only here, and imported when an array is first measured: without it, one point
at a time works as before and an array is refused with a TypeError saying what is missing.
"""

from __future__ import annotations

import numbers
from ctypes import POINTER, c_double, sizeof
from types import ModuleType
from typing import TYPE_CHECKING, Any, Optional, Sequence, Union

from .records import gte_dist_result, gte_point

if TYPE_CHECKING:
    import numpy as np
    import numpy.typing as npt

    #: An array of float64 values: per-point figures (n,), coordinates (n, 3).
    Floats = npt.NDArray[np.float64]
    #: What a whole-array function takes: an (n, 3) array of numbers, or a sequence of points.
    PointsLike = Union[npt.NDArray[Any], Sequence[Sequence[float]]]

# The doubles of one gte_dist_result and where its fields lie among them.
DIST_DOUBLES = 16
DIST_FIELDS = {"dx": 0, "dxy": 1, "dist": 2, "dxz": 3, "dy": 4, "dyz": 5, "dz": 6}
DIST_TRIPLES = {"point1": 7, "point2": 10, "direction": 13}
assert sizeof(gte_dist_result) == DIST_DOUBLES * sizeof(c_double)


def numpy_module(purpose: str) -> ModuleType:
    """numpy, imported; a TypeError saying what needs it when it is not installed."""
    try:
        import numpy
    except ImportError:
        raise TypeError("%s needs numpy, which is not installed (Debian: python3-numpy; "
                        "pip: numpy)" % purpose) from None
    return numpy


def as_points(value: Any, name: str = "points") -> Floats:
    """value as an (n, 3) float64 array in C order: the caller's own array when it is one
    already, else a copy made once. Raises TypeError for values that are not real numbers and
    ValueError for another shape."""
    if isinstance(value, (list, tuple)) and value and all(
            isinstance(v, numbers.Real) for v in value):
        raise ValueError("a point has three coordinates, not %d: %r" % (len(value), value))
    np = numpy_module("measuring an array of points")
    try:
        array = np.asarray(value)
    except ValueError as error:  # rows of different lengths
        raise ValueError("%s must have shape (n, 3): %s" % (name, error)) from None
    if array.dtype.kind not in "fiu":
        raise TypeError("%s must hold real numbers, not %s values" % (name, array.dtype))
    if array.ndim == 1 and array.size == 0:
        array = array.reshape(0, 3)
    if array.ndim != 2 or array.shape[1] != 3:
        raise ValueError("%s must have shape (n, 3), not %s" % (name, array.shape))
    # Always aligned and in C order: numpy allocates a new array so.
    converted: Floats = np.require(array, dtype=np.float64, requirements=("C", "A"))
    return converted


def point_pointer(points: Floats) -> Any:
    """A pointer to the array's first point, for the library (valid while the array lives)."""
    return points.ctypes.data_as(POINTER(gte_point))


def doubles_pointer(values: Floats) -> Any:
    """A pointer to the array's first double."""
    return values.ctypes.data_as(POINTER(c_double))


def dist_pointer(records: Floats) -> Any:
    """A pointer to the first distance record of an array of rows of DIST_DOUBLES."""
    return records.ctypes.data_as(POINTER(gte_dist_result))


def empty_records(count: int, per_point: int = 1) -> Floats:
    """An array for count * per_point distance records, one record a row of DIST_DOUBLES."""
    np = numpy_module("measuring an array of points")
    records: Floats = np.empty((count * per_point, DIST_DOUBLES), dtype=np.float64)
    return records


def empty_values(count: int) -> Floats:
    """An array for one double a point."""
    np = numpy_module("measuring an array of points")
    values: Floats = np.empty(count, dtype=np.float64)
    return values


def maybe_numpy() -> Optional[ModuleType]:
    """numpy when it can be imported, else None."""
    try:
        return numpy_module("")
    except TypeError:
        return None
