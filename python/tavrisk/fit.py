# SPDX-License-Identifier: MIT
"""Best-fit features, flatness, form measures and the vector rotation tool.

Point sets are a float64 numpy array of shape (n, 3) (read in place when C-contiguous) or any
sequence of 3-sequences; the form measures work in XY. Lengths are in the caller's unit.
"""

import os
import sys
from ctypes import byref, c_double

if sys.platform != "win32":
    import fcntl

from . import codes, raw
from ._points import numpy_like, point_array
from .errors import RefusedError
from .records import gte_lseg, gte_plane, gte_point, gte_vector
from .results import Moment, Straightness
from .shapes import c_line, c_vector, plane_of, point_of, segment_of, vector_of

__all__ = [
    "fit_segment",
    "fit_plane",
    "flatness",
    "moment2",
    "profile_2d",
    "straightness_xy_line",
    "rotate_vector",
]

_NO_FIT = "the points do not determine a unique best fit (fewer than three, or degenerate)"
# What Windows says when a file is open elsewhere with no sharing.
_SHARING_VIOLATION = 32


def _fit(name, export, record, points):
    cloud = point_array(points)
    fitted = record()
    if getattr(raw, export)(cloud.pointer, cloud.count, byref(fitted)) != codes.MEASURED:
        raise RefusedError(name, export, _NO_FIT)
    return fitted


def fit_segment(points):
    """The best-fit line of at least three points, as the segment between the two extreme
    projections onto it (in the order the points were given). Raises RefusedError when the
    points determine no unique line."""
    return segment_of(_fit("fit_segment", "gte_fit_lseg", gte_lseg, points))


def fit_plane(points):
    """The best-fit plane of at least three points, as a Plane through three of the points
    projected onto it. Raises RefusedError when the points determine no unique plane."""
    return plane_of(_fit("fit_plane", "gte_fit_plane", gte_plane, points))


def _encoded_path(path):
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


def _held_elsewhere(encoded):
    """Whether another open of the file holds it as the library's reader would: an exclusive
    flock on POSIX, a handle that shares nothing on Windows. Asked only after a refusal, to say
    why; a holder that has let go since is not seen."""
    if sys.platform == "win32":
        try:
            with open(encoded, "rb"):
                return False
        except PermissionError as error:
            return getattr(error, "winerror", None) == _SHARING_VIOLATION
        except OSError:
            return False
    try:
        descriptor = os.open(encoded, os.O_RDONLY | os.O_NONBLOCK)
    except OSError:
        return False
    try:
        fcntl.flock(descriptor, fcntl.LOCK_SH | fcntl.LOCK_NB)
        return False
    except BlockingIOError:
        return True
    except OSError:
        return False
    finally:
        os.close(descriptor)


def _refusal_reason(encoded):
    """Why the library refused the point file, as far as can be told from outside."""
    name = os.fsdecode(encoded)
    if not os.path.exists(encoded):
        return "the point file %r does not exist" % (name,)
    if not os.path.isfile(encoded):
        return "%r is not a regular file" % (name,)
    if _held_elsewhere(encoded):
        return ("the point file %r is held open by another measurement (the reader locks the "
                "file it reads): try again when that one is done" % (name,))
    return ("the point file %r cannot be read as points (empty, or not whole finite numbers "
            "three to a point), or its points determine no single plane" % (name,))


def flatness(path):
    """The flatness of the points of a text file: the width of the band of their signed
    distances to the best-fit plane.

    ``path`` is a str, bytes or os.PathLike, encoded with the file system's encoding. The file
    holds numbers separated by spaces, commas, tabs or line breaks, three to a point. Raises
    RefusedError when the file cannot be read (missing, held by another measurement, empty, or
    not a point file the library accepts) or its points determine no plane; the error's reason
    says which it can tell.
    """
    value = c_double()
    encoded = _encoded_path(path)
    if raw.gte_measure_platness_pointCloud_file(encoded, byref(value)) != codes.FLATNESS_MEASURED:
        raise RefusedError("flatness", "gte_measure_platness_pointCloud_file",
                           _refusal_reason(encoded))
    return value.value


def moment2(points):
    """The centroid and second-moment ellipse of at least three points in XY.

    Returns Moment(centroid, angle, major, minor): angle in radians between -pi/4 and pi/4, the
    direction of the ellipse axis nearer the x axis; major and minor the full axis lengths of
    the ellipse of one standard deviation. Raises RefusedError for fewer than three points.
    """
    cloud = point_array(points)
    centroid = gte_point()
    angle, major, minor = c_double(), c_double(), c_double()
    status = raw.gte_measure_moment2(cloud.pointer, cloud.count, byref(centroid), byref(angle),
                                     byref(major), byref(minor))
    if status != codes.MEASURED:
        raise RefusedError("moment2", "gte_measure_moment2", "fewer than three points")
    return Moment(point_of(centroid), angle.value, major.value, minor.value)


def profile_2d(measured, nominal, normals):
    """The profile of measured points against a nominal contour in XY: the width of the band
    of deviations, each measured point against its nearest nominal point along that point's
    normal (not normalised). ``normals`` holds one vector per nominal point. Raises
    RefusedError when either set is empty."""
    nominal_cloud = point_array(nominal)
    normal_cloud = point_array(normals, gte_vector)
    if normal_cloud.count != nominal_cloud.count:
        raise ValueError("profile_2d needs one normal per nominal point (%d points, %d normals)"
                         % (nominal_cloud.count, normal_cloud.count))
    measured_cloud = point_array(measured)
    profile = c_double()
    status = raw.gte_measure_profile2D(measured_cloud.pointer, measured_cloud.count,
                                       nominal_cloud.pointer, normal_cloud.pointer,
                                       nominal_cloud.count, byref(profile))
    if status != codes.MEASURED:
        raise RefusedError("profile_2d", "gte_measure_profile2D", "an empty point set")
    return profile.value


def straightness_xy_line(points, line):
    """The straightness of the points about the line, measured horizontally across it.

    Returns Straightness(straightness, deviations): the band width and each point's signed
    deviation (positive to the right of the line's direction seen from above), a numpy array
    when the points came as one, else a list. Raises RefusedError for an empty set.
    """
    cloud = point_array(points)
    deviations = (c_double * max(cloud.count, 1))()
    value = raw.gte_straightness_xy_line(cloud.pointer, cloud.count, c_line(line), deviations)
    if value == codes.NO_STRAIGHTNESS:
        raise RefusedError("straightness_xy_line", "gte_straightness_xy_line", "no points")
    numpy = numpy_like(points)
    if numpy is not None:
        return Straightness(value, numpy.frombuffer(deviations, dtype=numpy.float64))
    return Straightness(value, list(deviations))


def rotate_vector(vector, axis, angle):
    """The vector rotated about the axis (any non-zero length) by angle degrees, right-hand
    rule. A zero axis gives cos(angle) * vector."""
    result = gte_vector()
    raw.gte_tool_rotate_vector(c_vector(vector), c_vector(axis), angle, byref(result))
    return vector_of(result)
