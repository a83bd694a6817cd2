# SPDX-License-Identifier: MIT
"""The second library's problem records as RefusedError: its reason in words and every field
that applies."""

from __future__ import annotations

from typing import Optional

from . import _inspect
from .errors import RefusedError


def _text(value: bytes) -> str:
    return value.decode("ascii", "replace")


def _place(value: int) -> Optional[int]:
    """A 1-based place (line, value, point), None for 0: none."""
    return value if value != 0 else None


def refusal(function: str, export: str, problem: _inspect.tvi_problem) -> RefusedError:
    """The RefusedError for a call that refused with this problem record."""
    kind = _text(_inspect.function("tvi_problem_kind_name")(problem.kind))
    form = _inspect.function("tvi_format_name")(problem.format) if problem.format else None
    return RefusedError(
        function, export, _text(problem.message) or kind,
        kind=kind,
        line=_place(problem.line),
        column=_place(problem.column),
        element=_place(problem.element),
        offset=None if problem.offset == _inspect.NO_OFFSET else int(problem.offset),
        count=int(problem.count) if problem.count or problem.expected else None,
        expected=_place(problem.expected),
        text=_text(problem.text) if problem.text else None,
        text_cut=bool(problem.text_cut),
        format=_text(form) if form is not None else None,
        option=_inspect.OPTION_NAMES.get(problem.option),
    )
