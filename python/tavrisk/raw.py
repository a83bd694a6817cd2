# SPDX-License-Identifier: MIT
"""The 85 exports exactly as the library offers them, with their ctypes types declared.

Each ``gte_*`` name of this module is the library's function: records by value (instances of
:mod:`tavrisk.records`), outputs through ``ctypes.byref`` or arrays, point sets as a pointer and
a count, the path of the point file as ``bytes``. Arguments are in the library's order (the
point distances take the shape first). The Pythonic functions of the package call these.
"""

from __future__ import annotations

from typing import Any, Dict, Iterable

from ._library import load_library
from ._signatures import SIGNATURES

library, library_path = load_library()


def _declare(names: Iterable[str]) -> Dict[str, Any]:
    declared = {}
    for name in names:
        restype, argtypes = SIGNATURES[name]
        try:
            function = getattr(library, name)
        except AttributeError:
            raise ImportError(
                "tavrisk: the library %s does not export %s" % (library_path, name)
            ) from None
        function.restype = restype
        function.argtypes = argtypes
        declared[name] = function
    return declared


globals().update(_declare(SIGNATURES))

__all__ = sorted(SIGNATURES) + ["library", "library_path"]
