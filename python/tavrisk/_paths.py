# SPDX-License-Identifier: MIT
"""Paths of point files as the libraries take them."""

from __future__ import annotations

import os
import sys
from typing import Union

#: A path of a point file: str, bytes or os.PathLike.
PathLike = Union[str, bytes, "os.PathLike[str]", "os.PathLike[bytes]"]


def encoded_path(path: PathLike) -> bytes:
    """The path as the library's narrow string: the file system's encoding, except on Windows,
    where the library reads the ANSI code page. A path with a zero byte in it would reach the
    library cut short, naming another file, and is refused as open() refuses it."""
    path = os.fspath(path)
    if sys.platform == "win32" and isinstance(path, str):
        encoded = path.encode("mbcs")
    else:
        encoded = os.fsencode(path)
    if b"\0" in encoded:
        raise ValueError("embedded null byte in the path %r" % (path,))
    return encoded
