# SPDX-License-Identifier: MIT
"""Return and argument types of every export, declared once for :mod:`tavrisk.raw`.

Records travel by value, outputs through pointers (arrays as a pointer to their first record),
point sets as a pointer to the first of count ``gte_point`` records, ``bool`` is C99 ``_Bool``.
"""

from __future__ import annotations

from ctypes import POINTER, c_bool, c_char_p, c_double, c_int
from typing import Any, Dict, Tuple

from .records import (
    gte_angle_result,
    gte_circle,
    gte_dist_result,
    gte_ellipse,
    gte_gap_result,
    gte_line,
    gte_lseg,
    gte_plane,
    gte_point,
    gte_quad,
    gte_ray,
    gte_rect,
    gte_vector,
)

point, vector, line, ray, lseg = gte_point, gte_vector, gte_line, gte_ray, gte_lseg
plane, circle = gte_plane, gte_circle
points = point_out = POINTER(gte_point)
vector_out = POINTER(gte_vector)
line_out = POINTER(gte_line)
lseg_out = POINTER(gte_lseg)
plane_out = POINTER(gte_plane)
dist_out = POINTER(gte_dist_result)
angle_out = POINTER(gte_angle_result)
gap_out = POINTER(gte_gap_result)
double_out = POINTER(c_double)
int_out = POINTER(c_int)
# The robust interval options: trimCount, averageCount, sigmaFactor, useSigma.
interval_options = (c_int, c_int, c_double, c_bool)
circle_tangents = (int_out, line_out, point_out, int_out, line_out, point_out)

SIGNATURES: Dict[str, Tuple[Any, Tuple[Any, ...]]] = {
    # point distances: the shape first, the point second
    "gte_dist_point_line": (None, (line, point, dist_out)),
    "gte_distfootpoint_point_line": (None, (line, point, point_out, dist_out)),
    "gte_dist_point_ray": (None, (ray, point, dist_out)),
    "gte_dist_point_lseg": (None, (lseg, point, dist_out)),
    "gte_dist_point_plane": (None, (plane, point, dist_out)),
    "gte_dist_point_rect": (None, (gte_rect, point, dist_out)),
    "gte_dist_point_circle": (None, (circle, point, dist_out)),
    "gte_dist_point_arc": (None, (circle, point, dist_out)),
    "gte_dist_rectCenter_line": (None, (gte_rect, line, dist_out)),
    "gte_dist_ellipseCenter_line": (None, (gte_ellipse, line, dist_out)),
    "gte_dist_quadCenter_line": (None, (gte_quad, line, dist_out)),
    # linear distances
    "gte_dist_line_line": (c_double, (line, line)),
    "gte_dist_line_ray": (c_double, (line, ray)),
    "gte_dist_line_lseg": (c_double, (line, lseg)),
    "gte_dist_ray_ray": (c_double, (ray, ray)),
    "gte_dist_ray_lseg": (c_double, (ray, lseg)),
    "gte_dist_lseg_lseg": (None, (lseg, lseg, dist_out)),
    "gte_dist_lseg_plane": (None, (lseg, plane, dist_out)),
    # angles
    "gte_angle_line_line": (c_double, (line, line)),
    "gte_angle_line_ray": (c_double, (line, ray)),
    "gte_angle_line_lseg": (c_double, (line, lseg)),
    "gte_angle_ray_ray": (c_double, (ray, ray)),
    "gte_angle_ray_lseg": (c_double, (ray, lseg)),
    "gte_angle_lseg_lseg": (c_double, (lseg, lseg)),
    "gte_angleXY_line_line": (c_double, (line, line)),
    "gte_angleXY_line_ray": (c_double, (line, ray)),
    "gte_angleXY_line_lseg": (c_double, (line, lseg)),
    "gte_angleXY_ray_ray": (c_double, (ray, ray)),
    "gte_angleXY_ray_lseg": (c_double, (ray, lseg)),
    "gte_angleXY_lseg_lseg": (c_double, (lseg, lseg)),
    "gte_angle_line_plane": (c_double, (line, plane)),
    "gte_angle_ray_plane": (c_double, (ray, plane)),
    "gte_angle_lseg_plane": (c_double, (lseg, plane)),
    "gte_angle_plane_plane": (c_double, (plane, plane)),
    # angle drawing
    "gte_angle_draw_lseg_lseg": (c_double, (lseg, lseg, angle_out)),
    "gte_angleXY_draw_lseg_lseg": (c_double, (lseg, lseg, angle_out)),
    "gte_angle_draw_lseg_plane": (c_double, (lseg, plane, angle_out)),
    "gte_angle_draw_plane_plane": (c_double, (plane, plane, angle_out)),
    # bisectors
    "gte_bisector_point_point": (None, (point, point, point_out)),
    "gte_bisector_point_line": (None, (point, line, point_out)),
    "gte_bisectorLseg_point_point": (None, (point, point, lseg_out)),
    "gte_bisectorLseg_point_lseg": (None, (point, lseg, lseg_out)),
    "gte_bisector_lseg_lseg": (None, (lseg, lseg, lseg_out)),
    # intersections
    "gte_intersec_line_plane": (c_int, (line, plane, point_out)),
    "gte_intersec_ray_plane": (c_int, (ray, plane, point_out)),
    "gte_intersec_lseg_plane": (c_int, (lseg, plane, point_out)),
    "gte_intersec_plane_plane": (c_int, (plane, plane, line_out)),
    "gte_intersecXY_line_line": (c_int, (line, line, point_out)),
    "gte_intersec_plane_circle": (c_int, (plane, circle, point_out)),
    "gte_intersec_line_circle": (c_int, (line, circle, point_out)),
    "gte_intersec_line_arc": (c_int, (line, circle, point_out)),
    "gte_intersec_circle_circle": (c_int, (circle, circle, point_out)),
    "gte_intersec_circle_arc": (c_int, (circle, circle, point_out)),
    "gte_intersec_arc_arc": (c_int, (circle, circle, point_out)),
    # circle distances
    "gte_dist_circle_circle": (c_int, (circle, circle, dist_out)),
    "gte_dist3D_circle_circle": (c_int, (circle, circle, dist_out)),
    "gte_distXY_circle_circle": (c_int, (circle, circle, dist_out)),
    "gte_dist_arc_circle": (c_int, (circle, circle, dist_out)),
    "gte_dist_arc_arc": (c_int, (circle, circle, dist_out)),
    "gte_dist_line_circle": (c_int, (line, circle, dist_out)),
    "gte_dist_line_arc": (c_int, (line, circle, dist_out)),
    "gte_dist_lseg_circle": (c_int, (lseg, circle, dist_out)),
    "gte_dist_lseg_arc": (c_int, (lseg, circle, dist_out)),
    # tangents
    "gte_tangent_point_circle": (c_int, (point, circle, line_out, point_out)),
    "gte_tangent_circle_circle": (c_int, (circle, circle) + circle_tangents),
    "gte_tangent_arc_circle": (c_int, (circle, circle) + circle_tangents),
    "gte_tangent_arc_arc": (c_int, (circle, circle) + circle_tangents),
    # point sets
    "gte_dist_mutiPoint_line": (None, (points, c_int, line, double_out, double_out)),
    "gte_gap_mutiPoint_line": (None, (points, c_int, line, gap_out)),
    "gte_interval_mutiPoint_line": (
        c_int,
        (points, c_int, line) + interval_options + (double_out, double_out),
    ),
    "gte_gapSigma_mutiPoint_line": (c_int, (points, c_int, line) + interval_options + (gap_out,)),
    "gte_dist_mutiPoint_mutiPoint": (
        c_bool,
        (points, c_int, points, c_int, line, double_out, double_out),
    ),
    "gte_gapXY_mutiPoint_mutiPoint": (c_bool, (points, c_int, points, c_int, line, gap_out)),
    "gte_interval_mutiPoint_mutiPoint": (
        c_int,
        (points, c_int, points, c_int, line) + interval_options + (double_out, double_out),
    ),
    "gte_gapSigma_mutiPoint_mutiPoint": (
        c_int,
        (points, c_int, points, c_int, line) + interval_options + (gap_out,),
    ),
    # segment gaps in XY
    "gte_intervalXY_lseg_lseg": (c_double, (lseg, lseg, double_out, double_out)),
    "gte_gapXY_lseg_lseg": (None, (lseg, lseg, gap_out)),
    "gte_gap_lseg_lseg": (None, (lseg, lseg, gap_out)),
    # fitting and flatness
    "gte_fit_lseg": (c_int, (points, c_int, lseg_out)),
    "gte_fit_plane": (c_int, (points, c_int, plane_out)),
    "gte_measure_platness_pointCloud_file": (c_int, (c_char_p, double_out)),
    # form measures
    "gte_measure_moment2": (
        c_int,
        (points, c_int, point_out, double_out, double_out, double_out),
    ),
    "gte_measure_profile2D": (c_int, (points, c_int, points, vector_out, c_int, double_out)),
    "gte_straightness_xy_line": (c_double, (points, c_int, line, double_out)),
    # tools
    "gte_tool_rotate_vector": (None, (vector, vector, c_double, vector_out)),
}
