"""Fits, flatness from a file given as any path type, form measures and the rotation tool."""

import math
import os
import pathlib
import shutil
import tempfile
import unittest
from ctypes import byref, c_double

import tavrisk
from support import PLATE, call_through, xyz
from tavrisk import RefusedError, raw
from tavrisk.records import gte_line, gte_lseg, gte_plane, gte_point, gte_vector

CLOUD = [(0.0, 0.0, 5.01), (10.0, 0.5, 5.02), (9.5, 8.0, 4.98), (0.5, 9.0, 5.0), (5.0, 4.0, 5.03),
         (2.0, 7.0, 4.99), (7.0, 2.0, 5.0)]
ALONG_X = [(1.0, 0.02, 0.0), (5.0, -0.01, 0.01), (3.0, 0.0, -0.02), (4.0, 0.01, 0.0)]


def c_points(points, kind=gte_point):
    return (kind * len(points))(*(kind(*p) for p in points))


class FitTest(unittest.TestCase):
    def test_fits_are_their_exports_records(self):
        got = call_through(self, "gte_fit_plane", tavrisk.fit_plane, CLOUD)
        plane = gte_plane()
        self.assertEqual(raw.gte_fit_plane(c_points(CLOUD), len(CLOUD), byref(plane)), 1)
        self.assertEqual(got, (xyz(plane.pt1), xyz(plane.pt2), xyz(plane.pt3)))
        got = call_through(self, "gte_fit_lseg", tavrisk.fit_segment, ALONG_X)
        segment = gte_lseg()
        self.assertEqual(raw.gte_fit_lseg(c_points(ALONG_X), len(ALONG_X), byref(segment)), 1)
        self.assertEqual(got, (xyz(segment.pt1), xyz(segment.pt2)))
        # The segment keeps the order of the points: the extreme pair is (1, ...) then (5, ...).
        self.assertLess(got.pt1[0], got.pt2[0])

    def test_too_few_or_degenerate_points_are_refused(self):
        cases = [(tavrisk.fit_plane, CLOUD[:2]), (tavrisk.fit_plane, [(0, 0, 0), (1, 0, 0),
                                                                       (2, 0, 0)]),
                 (tavrisk.fit_segment, ALONG_X[:2]), (tavrisk.fit_segment, [(1, 2, 3)] * 4)]
        for function, points in cases:
            with self.subTest(function.__name__, points=points):
                with self.assertRaises(RefusedError) as raised:
                    function(points)
                self.assertEqual(raised.exception.function, function.__name__)


class PathLike:
    def __init__(self, path):
        self.path = path

    def __fspath__(self):
        return self.path


class FlatnessTest(unittest.TestCase):
    def test_every_path_type_reads_the_same_file(self):
        value = c_double()
        self.assertEqual(raw.gte_measure_platness_pointCloud_file(os.fsencode(PLATE),
                                                                  byref(value)), 0)
        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work)
        accented = os.path.join(work, "plätte größe.txt")
        shutil.copy(PLATE, accented)
        for path in (PLATE, os.fsencode(PLATE), pathlib.Path(PLATE), PathLike(PLATE), accented):
            with self.subTest(path=path):
                self.assertEqual(tavrisk.flatness(path), value.value)

    def test_known_flatness_and_an_unreadable_file(self):
        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work)
        path = pathlib.Path(work, "five.txt")
        path.write_text("0,0,0\n2,0,0\n0,2,0\n2,2,0\n1,1,1\n")
        self.assertAlmostEqual(tavrisk.flatness(path), 1.0, places=12)
        with self.assertRaises(RefusedError) as raised:
            tavrisk.flatness(pathlib.Path(work, "missing.txt"))
        self.assertEqual((raised.exception.function, raised.exception.export),
                         ("flatness", "gte_measure_platness_pointCloud_file"))
        self.assertIn("missing.txt", str(raised.exception))


class FormTest(unittest.TestCase):
    def test_moment_returns_centroid_angle_major_minor(self):
        rectangle = [(0, 0, 0), (4, 0, 0), (0, 2, 0), (4, 2, 0)]
        self.assertEqual(call_through(self, "gte_measure_moment2", tavrisk.moment2, rectangle),
                         ((2, 1, 0), 0, 4, 2))
        diagonal = tavrisk.moment2([(0, 0, 0), (1, 1, 0), (2, 2, 0)])
        self.assertAlmostEqual(diagonal.angle, -math.pi / 4, places=15)
        self.assertEqual(diagonal.minor, 0)
        with self.assertRaises(RefusedError):
            tavrisk.moment2(rectangle[:2])

    def test_profile_pairs_measured_points_with_nominal_normals(self):
        nominal = [(0, 0, 0), (1, 0, 0), (2, 0, 0)]
        normals = [(0, 1, 0), (0, 1, 0), (0, 2, 0)]
        measured = [(0.1, 0.2, 0), (1, -0.1, 0), (2.2, 0.05, 0)]
        got = call_through(self, "gte_measure_profile2D", tavrisk.profile_2d, measured, nominal,
                           normals)
        profile = c_double()
        raw.gte_measure_profile2D(c_points(measured), 3, c_points(nominal),
                                  c_points(normals, gte_vector), 3, byref(profile))
        self.assertEqual(got, profile.value)
        self.assertAlmostEqual(got, 0.3, places=15)
        with self.assertRaises(ValueError):
            tavrisk.profile_2d(measured, nominal, normals[:2])
        with self.assertRaises(RefusedError):
            tavrisk.profile_2d([], nominal, normals)

    def test_straightness_and_signed_deviations(self):
        points = [(0, 0, 0), (1, 0.1, 0), (2, -0.2, 0), (3, 0, 0)]
        x_line = ((0, 0, 0), (1, 0, 0))
        got = call_through(self, "gte_straightness_xy_line", tavrisk.straightness_xy_line,
                           points, x_line)
        deviations = (c_double * 4)()
        value = raw.gte_straightness_xy_line(c_points(points), 4,
                                             gte_line(gte_point(), gte_vector(1, 0, 0)),
                                             deviations)
        self.assertEqual(got, (value, list(deviations)))
        # Right of the line's direction seen from above is positive.
        self.assertEqual([math.copysign(1, d) for d in got.deviations[1:3]], [-1, 1])
        with self.assertRaises(RefusedError):
            tavrisk.straightness_xy_line([], x_line)


class RotateTest(unittest.TestCase):
    def test_rotation_follows_the_right_hand_rule(self):
        got = call_through(self, "gte_tool_rotate_vector", tavrisk.rotate_vector, (1, 0, 0),
                           (0, 0, 2), 90)
        result = gte_vector()
        raw.gte_tool_rotate_vector(gte_vector(1, 0, 0), gte_vector(0, 0, 2), 90, byref(result))
        self.assertEqual(got, xyz(result))
        self.assertAlmostEqual(got.y, 1, places=15)
        self.assertAlmostEqual(tavrisk.rotate_vector((1, 0, 0), (0, 0, 1), -90).y, -1, places=15)


if __name__ == "__main__":
    unittest.main()
