# SPDX-License-Identifier: MIT
"""Reading the points of a file: text in columns, PLY, PCD, LAS and STL, or the reason the file
cannot be read. Needs numpy."""

from __future__ import annotations

from ctypes import POINTER, byref, c_double, cast
from typing import TYPE_CHECKING, List, Optional, Sequence, Union

from . import _inspect
from ._arrays import numpy_module
from ._problems import refusal
from ._paths import PathLike, encoded_path

if TYPE_CHECKING:
    from ._arrays import Floats

__all__ = ["read_points"]

_EXPORT = "tvi_read_points_file"


def _options(columns: Optional[Sequence[Union[int, str]]], decimal_comma: Optional[bool],
             comment: Optional[str], format: Optional[str],
             keep: List[bytes]) -> _inspect.tvi_read_options:
    """The read options of the arguments; keep holds the names' bytes for the call."""
    options = _inspect.tvi_read_options()
    _inspect.function("tvi_init_read_options")(byref(options))
    if columns is not None:
        if isinstance(columns, (str, bytes)) or len(columns) != 3:
            raise ValueError("columns names the columns of x, y and z: three of them, each a "
                             "1-based number or a header name, not %r" % (columns,))
        for axis, column in enumerate(columns):
            if isinstance(column, str):
                keep.append(column.encode("utf-8"))
                options.column_name[axis] = keep[-1]
            elif isinstance(column, int) and not isinstance(column, bool) and column >= 1:
                options.column_index[axis] = column
            else:
                raise ValueError("a column is a 1-based number or a header name, not %r"
                                 % (column,))
    if decimal_comma is not None:
        options.decimal_comma = (_inspect.DECIMAL_COMMA_YES if decimal_comma
                                 else _inspect.DECIMAL_COMMA_NO)
    if comment is not None:
        if len(comment) != 1 or not 33 <= ord(comment) <= 126:
            raise ValueError("comment is the one visible ASCII character that starts a comment "
                             "line, not %r" % (comment,))
        options.comment = ord(comment)
    if format is not None:
        if format.lower() not in _inspect.FORMATS:
            raise ValueError("format is one of %s, not %r"
                             % (", ".join(sorted(_inspect.FORMATS)), format))
        options.format = _inspect.FORMATS[format.lower()]
    return options


def read_points(path: PathLike, columns: Optional[Sequence[Union[int, str]]] = None,
                decimal_comma: Optional[bool] = None, comment: Optional[str] = None,
                format: Optional[str] = None) -> Floats:
    """The points of the file at path, in the order it holds them: an (n, 3) float64 array.

    The format is recognised from the file's first bytes unless ``format`` names it ("text",
    "ply", "pcd", "las", "stl"). A text file holds one point a line, the same number of values
    on every line, separated by blanks, commas or semicolons; three values are x, y, z. For
    other layouts:

    - ``columns``: the columns of x, y and z, each a 1-based number or a name of the file's
      header line, e.g. ``(2, 3, 4)`` or ``("X", "Y", "Z")``;
    - ``decimal_comma``: True when commas are decimal commas (1,5 is 1.5), False when they
      separate values; None (the default) reads them as decimal commas in a file whose values
      semicolons separate, and refuses a line where that is ambiguous;
    - ``comment``: the character that starts a comment line (lines starting with '#' are
      refused unless named here).

    Values are read as the first library reads them: a file it measures gives the same points.
    Raises RefusedError for a file that cannot be read, with the reason: ``kind``
    ("columns_needed", "not_a_number", "unread_format", ...), ``line``, ``column``, ``text``,
    ``format`` and the ``option`` that resolves it; ValueError for arguments out of range.
    """
    np = numpy_module("read_points")
    keep: List[bytes] = []
    options = _options(columns, decimal_comma, comment, format, keep)
    block = POINTER(_inspect.tvi_points)()
    problem = _inspect.tvi_problem()
    status = _inspect.function(_EXPORT)(encoded_path(path), byref(options), byref(block),
                                        byref(problem))
    if status == _inspect.BAD_ARGUMENT:
        raise ValueError(problem.message.decode("ascii", "replace"))
    if status != _inspect.OK:
        raise refusal("read_points", _EXPORT, problem)
    try:
        count = block.contents.count
        doubles = cast(block.contents.points, POINTER(c_double))
        points: Floats = np.ctypeslib.as_array(doubles, shape=(count, 3)).copy()
    finally:
        _inspect.function("tvi_free_points")(block)
    return points


