# SPDX-License-Identifier: MIT
"""Code as a user writes it, type-checked with mypy --strict beside the package (never run): the
public names are exported explicitly and the results carry their types, one point or arrays."""

from typing import Tuple

import numpy as np
import numpy.typing as npt

import tavrisk
from tavrisk import form

Floats = npt.NDArray[np.float64]


def measure(path: str) -> Tuple[float, float, Floats, Floats, float]:
    points: Floats = tavrisk.read_points(path, columns=(1, 2, 3), comment="#")
    fit: tavrisk.PlaneFit = tavrisk.fit_plane(points)
    residuals: Floats = fit.residuals
    along: Floats = tavrisk.dist_point_plane(points, fit).point2
    one: float = tavrisk.dist_point_plane((1.0, 2.0, 3.0), fit).dist
    zone: form.Flatness = form.flatness(points, criterion="least-squares")
    ring: form.Roundness = form.roundness(points, criterion="inscribed")
    try:
        figure: float = tavrisk.flatness(path)
    except tavrisk.RefusedError as error:
        line: "int | None" = error.line
        raise ValueError(error.message, line) from error
    return figure + one, zone.width + ring.outer_radius, residuals, along, fit.rms
