# SPDX-License-Identifier: MIT
"""Point sets handed to the library as a pointer to count records.

A float64 array of shape (n, 3) in C order whose data is aligned for doubles (numpy, or anything
else with the array interface) is passed by its own address: the library reads the caller's
memory, nothing is copied. Other arrays (another type or byte order, strided, or misaligned, as
``numpy.frombuffer(data, offset=1)`` gives) are copied once with numpy into a fresh aligned
array; any other sequence of 3-sequences is packed into a temporary block of doubles. numpy is
never imported here: an array can only reach this module when its owner already imported numpy,
and without numpy the sequence path serves.
"""

from __future__ import annotations

import sys
from array import array
from ctypes import POINTER, Structure, alignment, c_double, c_void_p, cast
from itertools import chain
from types import ModuleType
from typing import Any, Dict, Iterable, Optional, Sequence, Type

from .records import gte_point

#: A point set: a sequence (or any iterable) of 3-sequences, or an (n, 3) array.
PointSet = Iterable[Sequence[float]]

_NATIVE_FLOAT64 = ("<" if sys.byteorder == "little" else ">") + "f8"
_ROW_STRIDES = (24, 8)
_INT_MAX = 2**31 - 1


class PointArray:
    """A point set as the library reads it: ``pointer`` to ``count`` records.

    ``owner`` keeps alive whatever memory the pointer refers to (the caller's array or the
    packed copy) for as long as this object lives; ``address`` is that memory's address, or 0
    for an empty set.
    """

    __slots__ = ("pointer", "count", "address", "owner")

    def __init__(self, pointer: Any, count: int, address: int, owner: object) -> None:
        self.pointer = pointer
        self.count = count
        self.address = address
        self.owner = owner


def _checked_count(count: int) -> int:
    if count > _INT_MAX:
        raise OverflowError("a point set holds at most %d points per call" % _INT_MAX)
    return count


def _is_aligned_row_major_float64(interface: Dict[str, Any]) -> bool:
    strides = interface.get("strides")
    return bool(interface["typestr"] == _NATIVE_FLOAT64
                and (strides is None or strides == _ROW_STRIDES)
                and interface["data"][0] % alignment(c_double) == 0)


def _from_array_interface(points: Any, interface: Dict[str, Any],
                          record: Type[Structure]) -> Optional[PointArray]:
    shape = interface["shape"]
    if len(shape) != 2 or shape[1] != 3:
        raise ValueError("a point array must have shape (n, 3), not %s" % (shape,))
    count = _checked_count(int(shape[0]))
    if not _is_aligned_row_major_float64(interface):
        numpy = sys.modules.get("numpy")
        if numpy is None:
            return None
        # Always a new array: numpy allocates it aligned, in C order (ascontiguousarray would
        # hand back a misaligned array as it is).
        copy = numpy.array(points, dtype=numpy.float64, order="C", copy=True)
        return _from_array_interface(copy, copy.__array_interface__, record)
    if count == 0:
        return PointArray(None, 0, 0, points)
    address = interface["data"][0]
    return PointArray(cast(c_void_p(address), POINTER(record)), count, address, points)


def _from_sequence(points: Any, record: Type[Structure]) -> PointArray:
    if not isinstance(points, (list, tuple)):
        points = list(points)
    count = _checked_count(len(points))
    if count == 0:
        return PointArray(None, 0, 0, None)
    if set(map(len, points)) != {3}:
        stray = next(point for point in points if len(point) != 3)
        raise ValueError("every point needs three coordinates, not %r" % (stray,))
    flat = array("d", chain.from_iterable(points))
    block = (c_double * (3 * count)).from_buffer(flat)
    address = flat.buffer_info()[0]
    return PointArray(cast(block, POINTER(record)), count, address, (flat, block))


def point_array(points: PointSet, record: Type[Structure] = gte_point) -> PointArray:
    """Returns the :class:`PointArray` of a point set (vectors: record=gte_vector)."""
    interface = getattr(points, "__array_interface__", None)
    if interface is not None:
        converted = _from_array_interface(points, interface, record)
        if converted is not None:
            return converted
    return _from_sequence(points, record)


def numpy_like(points: object) -> Optional[ModuleType]:
    """The numpy module when the points came as a numpy array, else None."""
    numpy = sys.modules.get("numpy")
    if numpy is not None and isinstance(points, numpy.ndarray):
        return numpy
    return None
