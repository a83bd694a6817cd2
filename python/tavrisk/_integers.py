# SPDX-License-Identifier: MIT
"""Integer arguments checked against the C type the library takes them as.

ctypes converts a Python integer to a C ``int`` by keeping its low bits: 2**32 + 1 would reach
the library as 1, and numpy's int64(2**40) as 0, answering another question than the one asked.
"""

from __future__ import annotations

import operator
from ctypes import c_int, sizeof

_INT_BITS = 8 * sizeof(c_int)
INT_MIN = -(2 ** (_INT_BITS - 1))
INT_MAX = 2 ** (_INT_BITS - 1) - 1


def c_int_argument(value: object, name: str) -> int:
    """``value`` as an integer the library's ``int`` holds. Raises TypeError for a value that is
    no integer (a float, a string) and OverflowError for one beyond the ``int``, naming the
    argument; any integer type (bool, numpy's) is accepted by its value."""
    try:
        integer = operator.index(value)  # type: ignore[arg-type]
    except TypeError:
        raise TypeError("%s must be an integer, not %r" % (name, value)) from None
    if not INT_MIN <= integer <= INT_MAX:
        raise OverflowError("%s = %d is beyond the library's int (%d to %d)"
                            % (name, integer, INT_MIN, INT_MAX))
    return integer
