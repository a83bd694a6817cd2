# SPDX-License-Identifier: MIT
"""Tavrisk: geometric measurement functions for dimensional metrology, from Python.

A thin layer over the shared library (loaded with ctypes; no compiled extension). The library
is found through the environment variable TAVRISK_LIBRARY (a path), else beside this package,
else by the system's library search.

Shapes are plain tuples or the named tuples Point, Vector, Line(pt, vector), Ray(pt, vector),
Segment(pt1, pt2), Plane(pt1, pt2, pt3), Circle(center, radius, vector), Rect, Quad, Ellipse.
Point sets are sequences of 3-tuples or float64 numpy arrays of shape (n, 3), which the library
reads in place when C-contiguous; numpy is optional. Lengths are in the caller's unit, angles in
degrees (the moment angle of :func:`moment2` in radians).

Results come back together as named tuples (DistResult, GapResult, AngleResult, ...); nothing is
passed in to be written. Where the library has no answer, RefusedError is raised naming the
function. Intersections are lists of the points found; shapes that share a whole line, plane or
circle raise InfinitelyManyPoints.

Names: each function is the export's name without ``gte_``, in snake case, arguments in the
order of the name (the library takes the shape before the point in its point distances; these
functions take the point first), with these words spelt out: lseg -> segment, mutiPoint ->
points, intersec -> intersect, XY -> xy, 3D -> 3d, distfootpoint -> dist_foot, bisectorLseg ->
bisector_segment; and fit_lseg -> fit_segment, measure_platness_pointCloud_file -> flatness,
measure_moment2 -> moment2, measure_profile2D -> profile_2d, tool_rotate_vector ->
rotate_vector. :data:`EXPORTS` maps every function to its export. The exports themselves, with
the library's records and argument order, are in :mod:`tavrisk.raw`; ``gte_gap_lseg_lseg``,
which measures nothing, is there only.
"""

from __future__ import annotations

from typing import Dict, List

from . import records as records
from .angle import *  # noqa: F401,F403
from .construction import *  # noqa: F401,F403
from .distance import *  # noqa: F401,F403
# "name as name": an explicit re-export, which strict type checkers of user code look for.
from .errors import InfinitelyManyPoints as InfinitelyManyPoints
from .errors import RefusedError as RefusedError
from .errors import TavriskError as TavriskError
from .fit import *  # noqa: F401,F403
from .point_set import *  # noqa: F401,F403
from .raw import library_path as library_path
from .reading import read_points as read_points
from .results import *  # noqa: F401,F403
from .shapes import *  # noqa: F401,F403
from . import _inspect
from . import codes as codes
from . import form as form
from . import raw as raw
from . import results as results
from . import shapes as shapes

__version__ = "1.0.0"
#: Where the second library, TavriskInspect, was loaded from.
inspect_library_path = _inspect.library_path

#: The functions of the package that are no export of the first library: they run on the
#: second (whole arrays, full fits, point files).
ARRAY_AND_FILE_FUNCTIONS = ["deviation_point_plane", "deviation_xy_point_line", "fit_line",
                            "read_points"]


def _export_map() -> Dict[str, str]:
    """Python function name -> library export, from the naming rule of the docstring."""
    words = {
        "lseg": "segment",
        "mutiPoint": "points",
        "intersec": "intersect",
        "intersecXY": "intersect_xy",
        "angleXY": "angle_xy",
        "dist3D": "dist_3d",
        "distXY": "dist_xy",
        "gapXY": "gap_xy",
        "gapSigma": "gap_sigma",
        "intervalXY": "interval_xy",
        "distfootpoint": "dist_foot",
        "bisectorLseg": "bisector_segment",
        "rectCenter": "rect_center",
        "ellipseCenter": "ellipse_center",
        "quadCenter": "quad_center",
    }
    special = {
        "gte_angleXY_draw_lseg_lseg": "angle_draw_xy_segment_segment",
        "gte_fit_lseg": "fit_segment",
        "gte_measure_platness_pointCloud_file": "flatness",
        "gte_measure_moment2": "moment2",
        "gte_measure_profile2D": "profile_2d",
        "gte_tool_rotate_vector": "rotate_vector",
    }
    mapping: Dict[str, str] = {}
    for export in sorted(raw.__all__):
        if not export.startswith("gte_") or export == "gte_gap_lseg_lseg":
            continue
        name = special.get(export)
        if name is None:
            name = "_".join(words.get(word, word) for word in export[4:].split("_"))
        mapping[name] = export
    return mapping


EXPORTS = _export_map()

__all__: List[str] = (
    sorted(EXPORTS)
    + ARRAY_AND_FILE_FUNCTIONS
    + shapes.__all__
    + results.__all__
    + ["ARRAY_AND_FILE_FUNCTIONS", "EXPORTS", "InfinitelyManyPoints", "LineFit", "PlaneFit",
       "RefusedError", "TavriskError", "form", "inspect_library_path", "library_path", "raw",
       "records"]
)
