# SPDX-License-Identifier: MIT
"""Exceptions raised where a measurement has no numeric answer."""

from __future__ import annotations

from typing import Optional

__all__ = ["TavriskError", "RefusedError", "InfinitelyManyPoints"]


class TavriskError(Exception):
    """Base class of the exceptions this package raises for a measurement's outcome."""


class RefusedError(TavriskError):
    """The library refused the question: it has no answer for this input.

    Raised where the export returns its refusal (-1 or false, or the -1 sentinel it writes):
    too few points for a fit or an interval, circles that do not share a plane, an unreadable or
    locked point file. ``function`` is the Python function called, ``export`` the library
    export that refused, ``reason`` (also ``message``) the words.

    Refusals of the second library (point files, fits, form) carry its problem record as well:
    ``kind`` a stable identifier ("not_a_number", "columns_needed", "locked", ...), ``line``
    and ``column`` the 1-based place in a text file, ``element`` the 1-based point (vertex,
    record) at fault, ``offset`` the byte offset in the file, ``count`` and ``expected`` for a
    count that is wrong, ``text`` the offending text (printable, at most 40 characters,
    ``text_cut`` when it goes on), ``format`` the format recognised ("PLY", "gzip", ...) and
    ``option`` the argument that resolves the problem ("columns", "decimal_comma", "comment",
    "format"). Each is None where it does not apply, and every one is None for the first
    library's refusals, which give no record.
    """

    kind: Optional[str]
    line: Optional[int]
    column: Optional[int]
    element: Optional[int]
    offset: Optional[int]
    count: Optional[int]
    expected: Optional[int]
    text: Optional[str]
    text_cut: bool
    format: Optional[str]
    option: Optional[str]

    def __init__(self, function: str, export: str, reason: str, *, kind: Optional[str] = None,
                 line: Optional[int] = None, column: Optional[int] = None,
                 element: Optional[int] = None, offset: Optional[int] = None,
                 count: Optional[int] = None, expected: Optional[int] = None,
                 text: Optional[str] = None, text_cut: bool = False,
                 format: Optional[str] = None, option: Optional[str] = None) -> None:
        self.function = function
        self.export = export
        self.reason = reason
        self.kind = kind
        self.line = line
        self.column = column
        self.element = element
        self.offset = offset
        self.count = count
        self.expected = expected
        self.text = text
        self.text_cut = text_cut
        self.format = format
        self.option = option
        super().__init__("%s (%s) has no answer: %s" % (function, export, reason))

    @property
    def message(self) -> str:
        """The reason in English words: the problem record's message for the second library."""
        return self.reason


class InfinitelyManyPoints(TavriskError):
    """The two shapes share a whole line, plane or circle: their intersection is not a list.

    ``point`` is a representative point of the shared part where the library gives one (the
    line's own point for a line lying in a plane, a segment's midpoint), otherwise None.
    """

    def __init__(self, function: str, export: str, point: Optional[object] = None) -> None:
        self.function = function
        self.export = export
        self.point = point
        super().__init__("%s (%s): the shapes meet in infinitely many points" % (function, export))
