# SPDX-License-Identifier: MIT
"""Exceptions raised where a measurement has no numeric answer."""

__all__ = ["TavriskError", "RefusedError", "InfinitelyManyPoints"]


class TavriskError(Exception):
    """Base class of the exceptions this package raises for a measurement's outcome."""


class RefusedError(TavriskError):
    """The library refused the question: it has no answer for this input.

    Raised where the export returns its refusal (-1 or false, or the -1 sentinel it writes):
    too few points for a fit or an interval, circles that do not share a plane, an unreadable or
    locked point file. ``function`` is the Python function called, ``export`` the library
    export that refused.
    """

    def __init__(self, function, export, reason):
        self.function = function
        self.export = export
        self.reason = reason
        super().__init__("%s (%s) has no answer: %s" % (function, export, reason))


class InfinitelyManyPoints(TavriskError):
    """The two shapes share a whole line, plane or circle: their intersection is not a list.

    ``point`` is a representative point of the shared part where the library gives one (the
    line's own point for a line lying in a plane, a segment's midpoint), otherwise None.
    """

    def __init__(self, function, export, point=None):
        self.function = function
        self.export = export
        self.point = point
        super().__init__("%s (%s): the shapes meet in infinitely many points" % (function, export))
