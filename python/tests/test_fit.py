"""Fits, flatness from any path type, form measures and rotation: the library's values."""

import os
import pathlib
import shutil
import tempfile
import unittest
from ctypes import byref, c_double

import tavrisk
from support import PLATE, call_through, line, points, xyz
from tavrisk import RefusedError, raw
from tavrisk.records import gte_lseg, gte_plane, gte_point, gte_vector

CLOUD = [(0.0, 0.0, 5.01), (10.0, 0.5, 5.02), (9.5, 8.0, 4.98), (0.5, 9.0, 5.0), (5.0, 4.0, 5.03),
         (2.0, 7.0, 4.99), (7.0, 2.0, 5.0)]
ALONG_X = [(1.0, 0.02, 0.0), (5.0, -0.01, 0.01), (3.0, 0.0, -0.02), (4.0, 0.01, 0.0)]


class FitTest(unittest.TestCase):
    def test_fits_are_their_exports_records(self):
        got = call_through(self, "fit_plane", CLOUD)
        plane = gte_plane()
        self.assertEqual(raw.gte_fit_plane(points(CLOUD), len(CLOUD), byref(plane)), 1)
        self.assertEqual(got, (xyz(plane.pt1), xyz(plane.pt2), xyz(plane.pt3)))
        got = call_through(self, "fit_segment", ALONG_X)
        segment = gte_lseg()
        self.assertEqual(raw.gte_fit_lseg(points(ALONG_X), len(ALONG_X), byref(segment)), 1)
        self.assertEqual(got, (xyz(segment.pt1), xyz(segment.pt2)))

    def test_no_fit_no_file_no_points_are_refused(self):
        t = tavrisk
        cases = [(t.fit_plane, CLOUD[:2]), (t.fit_plane, [(0, 0, 0), (1, 0, 0), (2, 0, 0)]),
                 (t.fit_segment, [(1, 2, 3)] * 4), (t.moment2, CLOUD[:2]),
                 (t.flatness, os.path.join(tempfile.gettempdir(), "tavrisk-missing.txt")),
                 (t.straightness_xy_line, [], ((0, 0, 0), (1, 0, 0))),
                 (t.profile_2d, [], CLOUD, CLOUD)]
        for function, *args in cases:
            with self.subTest(function.__name__), self.assertRaises(RefusedError) as raised:
                function(*args)
            self.assertEqual(raised.exception.function, function.__name__)

    def test_every_path_type_reads_the_same_file(self):
        value = c_double()
        self.assertEqual(raw.gte_measure_platness_pointCloud_file(os.fsencode(PLATE),
                                                                  byref(value)), 0)
        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work)
        accented = os.path.join(work, "plätte größe.txt")
        shutil.copy(PLATE, accented)
        for path in (PLATE, os.fsencode(PLATE), pathlib.Path(PLATE), accented,
                     type("PathLike", (), {"__fspath__": lambda self: PLATE})()):
            with self.subTest(path=path):
                self.assertEqual(call_through(self, "flatness", path), value.value)
        with self.assertRaises(ValueError):  # the library would read PLATE itself
            tavrisk.flatness(PLATE + "\0.bak")


class FormTest(unittest.TestCase):
    def test_moment_profile_and_rotation_are_their_exports_values(self):
        got = call_through(self, "moment2", CLOUD)
        centroid, values = gte_point(), [c_double() for _ in range(3)]
        raw.gte_measure_moment2(points(CLOUD), len(CLOUD), byref(centroid),
                                *(byref(v) for v in values))
        self.assertEqual(got, (xyz(centroid),) + tuple(v.value for v in values))
        normals = [(0, 1, 0), (0.2, 1, 0), (0, 2, 0), (1, 1, 0), (0, 1, 0), (0, 1, 0), (1, 0, 0)]
        got = call_through(self, "profile_2d", ALONG_X, CLOUD, normals)
        profile = c_double()
        raw.gte_measure_profile2D(points(ALONG_X), len(ALONG_X), points(CLOUD),
                                  points(normals, gte_vector), len(CLOUD), byref(profile))
        self.assertEqual(got, profile.value)
        with self.assertRaises(ValueError):
            tavrisk.profile_2d(ALONG_X, CLOUD, normals[:2])
        got = call_through(self, "rotate_vector", (1, 0.5, 0), (0, 0.3, 2), 33)
        rotated = gte_vector()
        raw.gte_tool_rotate_vector(gte_vector(1, 0.5, 0), gte_vector(0, 0.3, 2), 33,
                                   byref(rotated))
        self.assertEqual(got, xyz(rotated))

    def test_straightness_and_each_points_deviation(self):
        slanted = ((0.5, -1.0, 0.0), (2.0, 1.0, 0.3))
        got = call_through(self, "straightness_xy_line", CLOUD, slanted)
        deviations = (c_double * len(CLOUD))()
        value = raw.gte_straightness_xy_line(points(CLOUD), len(CLOUD), line(slanted),
                                             deviations)
        self.assertEqual(got, (value, list(deviations)))


if __name__ == "__main__":
    unittest.main()
