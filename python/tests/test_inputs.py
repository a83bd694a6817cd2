# SPDX-License-Identifier: MIT
"""Shapes, point sets and paths in every form the functions accept; numpy arrays read in place."""

import os
import pathlib
import shutil
import tempfile
import unittest
from ctypes import c_void_p, cast
from unittest import mock

import tavrisk as t
from support import CIRCLE1, CLOUD, LINE, PLATE, POINT, SCRATCH, numpy
from tavrisk import Point, RefusedError, raw



def address_passed(points):
    with mock.patch.object(raw, "gte_fit_lseg", wraps=raw.gte_fit_lseg) as spy:
        result = t.fit_segment(points)
    return cast(spy.call_args.args[0], c_void_p).value, result


class InputTest(unittest.TestCase):
    def test_shapes_and_point_sets_in_any_sequence_form(self):
        for args in ((list(POINT), [list(CIRCLE1[0]), 2.0, [0.0, 0.0, 1.0]]),
                     (POINT, (CIRCLE1[0], 2.0))):
            self.assertEqual(t.dist_point_circle(*args), t.dist_point_circle(POINT, CIRCLE1))
        for points in (tuple(CLOUD), [Point(*p) for p in CLOUD], (p for p in CLOUD),
                       [list(p) for p in CLOUD]):
            self.assertEqual(t.fit_segment(points), t.fit_segment(CLOUD))
        with mock.patch.object(raw, "gte_fit_lseg", return_value=0) as spy:
            self.assertRaises(RefusedError, t.fit_segment, [])
        self.assertEqual(spy.call_args.args[:2], (None, 0))

    def test_every_path_type_reads_the_same_file(self):
        accented = shutil.copy(PLATE, os.path.join(tempfile.mkdtemp(dir=SCRATCH), "plätte ß.txt"))
        for path in (pathlib.Path(PLATE), accented,
                     type("PathLike", (), {"__fspath__": lambda self: PLATE})()):
            with self.subTest(path=path):
                self.assertEqual(t.flatness(path), t.flatness(PLATE))

    def test_wrong_sizes_and_a_zero_byte_in_a_path_are_refused(self):
        cases = [(t.dist_point_line, (1, 2), LINE), (t.dist_point_line, POINT, (POINT,) * 3),
                 (t.fit_plane, [(0, 0, 0), (1, 2)]), (t.fit_plane, [(0, 0, 0, 1)]),
                 (t.profile_2d, CLOUD, CLOUD, CLOUD[:2]),
                 (t.flatness, PLATE + "\0.bak")]  # the library would read PLATE itself
        cases += [(t.fit_plane, numpy.zeros(shape)) for shape in ((7, 2), (21,), (7, 3, 1))
                  if numpy is not None]
        for function, *args in cases:
            with self.subTest(args=args), self.assertRaises(ValueError):
                function(*args)

    def test_integer_arguments_beyond_the_c_int_are_refused_naming_them(self):
        # Regression: ctypes kept the low 32 bits, so a trim of 2**32 measured with trim 0 and
        # an average of 2**32 + 1 with average 1.
        cloud = CLOUD * 3
        beyond = [2**32, 2**32 + 1, -2**31 - 1, 2**31]
        beyond += [numpy.int64(2**40)] if numpy is not None else []
        for value in beyond:
            for function, args in ((t.interval_points_line, (cloud, LINE)),
                                   (t.gap_sigma_points_line, (cloud, LINE)),
                                   (t.interval_points_points, (cloud, cloud, LINE)),
                                   (t.gap_sigma_points_points, (cloud, cloud, LINE))):
                for counts, name in (((value, 1), "trim_count"), ((1, value), "average_count")):
                    with self.subTest(function.__name__, value=value, name=name), \
                            self.assertRaisesRegex(OverflowError, name):
                        function(*args, *counts)
        with self.assertRaisesRegex(TypeError, "trim_count"):
            t.interval_points_line(cloud, LINE, 1.0, 1)
        small = (numpy.int32(1), numpy.int64(2)) if numpy is not None else (True, 2)
        self.assertEqual(t.interval_points_line(cloud, LINE, *small),
                         t.interval_points_line(cloud, LINE, int(small[0]), int(small[1])))

    @unittest.skipIf(numpy is None, "numpy is not available")
    def test_float64_rows_are_read_in_place_and_other_arrays_copied(self):
        array = numpy.array(CLOUD)
        for points in (array, numpy.vstack([array, array])[len(CLOUD):]):
            self.assertEqual(address_passed(points), (points.ctypes.data, t.fit_segment(CLOUD)))
        # Regression: a float64 array in C order at an odd address went to the library in
        # place, where reading its doubles is undefined behaviour.
        misaligned = numpy.frombuffer(b"\0" + array.tobytes(), offset=1).reshape(-1, 3)
        self.assertNotEqual(misaligned.ctypes.data % 8, 0)
        for points in (numpy.asfortranarray(array), array.astype(numpy.float32),
                       numpy.rint(array).astype(numpy.int64), numpy.hstack([array, array])[:, 1:4],
                       array.astype(array.dtype.newbyteorder()), misaligned):
            with self.subTest(points.dtype, strides=points.strides):
                address, result = address_passed(points)
                self.assertNotEqual(address, points.ctypes.data)
                self.assertEqual(address % 8, 0)
                self.assertEqual(result, t.fit_segment(points.astype(numpy.float64).tolist()))
        from_array = t.straightness_xy_line(array, LINE)
        self.assertIsInstance(from_array.deviations, numpy.ndarray)
        self.assertEqual((from_array.straightness, from_array.deviations.tolist()),
                         t.straightness_xy_line(CLOUD, LINE))


if __name__ == "__main__":
    unittest.main()
