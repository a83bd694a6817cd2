"""Point sets as numpy arrays (read in place when possible) or as plain sequences."""

import unittest
from ctypes import c_void_p, cast

import tavrisk
from support import ExportSpy, needs_numpy, numpy
from tavrisk import Point, RefusedError

CLOUD = [(0.0, 0.0, 5.01), (10.0, 0.5, 5.02), (9.5, 8.0, 4.98), (0.5, 9.0, 5.0), (5.0, 4.0, 5.03),
         (2.0, 7.0, 4.99), (7.0, 2.0, 5.0)]
LINE = ((0.0, 1.0, 5.0), (1.0, 0.2, 0.0))


def address_passed(array):
    """The address of the points that fit_plane handed to the library, and its result."""
    with ExportSpy("gte_fit_plane") as spy:
        result = tavrisk.fit_plane(array)
    return cast(spy.calls[0][0], c_void_p).value, result


class SequenceTest(unittest.TestCase):
    def test_any_sequence_of_three_numbers_is_a_point_set(self):
        expected = tavrisk.fit_plane(CLOUD)
        for points in (tuple(CLOUD), [Point(*p) for p in CLOUD], (p for p in CLOUD),
                       [list(p) for p in CLOUD]):
            with self.subTest(kind=type(points).__name__):
                self.assertEqual(tavrisk.fit_plane(points), expected)
        for points in ([(0, 0, 0), (1, 2)], [(0, 0, 0, 1)]):
            with self.subTest(points=points), self.assertRaises(ValueError):
                tavrisk.fit_plane(points)
        with ExportSpy("gte_fit_plane") as spy, self.assertRaises(RefusedError):
            tavrisk.fit_plane([])
        self.assertEqual(spy.calls[0][:2], (None, 0))


@needs_numpy
class NumpyTest(unittest.TestCase):
    def test_a_c_contiguous_float64_array_is_read_in_place(self):
        array = numpy.array(CLOUD)
        rows = numpy.vstack([array, array])[len(CLOUD):]
        read_only = array.copy()
        read_only.setflags(write=False)
        for points in (array, rows, read_only):
            address, result = address_passed(points)
            self.assertEqual(address, points.ctypes.data)
            self.assertEqual(result, tavrisk.fit_plane(CLOUD))

    def test_other_layouts_are_copied_and_measure_their_values(self):
        base = numpy.array(CLOUD)
        wide = numpy.zeros((len(CLOUD), 4))
        wide[:, :3] = base
        for name, array in (("fortran order", numpy.asfortranarray(base)),
                            ("float32", base.astype(numpy.float32)),
                            ("integers", numpy.rint(base).astype(numpy.int64)),
                            ("strided", wide[:, :3]),
                            ("byte-swapped", base.astype(base.dtype.newbyteorder()))):
            with self.subTest(name):
                address, result = address_passed(array)
                self.assertNotEqual(address, array.ctypes.data)
                self.assertEqual(result, tavrisk.fit_plane(array.astype(numpy.float64).tolist()))
        for shape in ((7, 2), (21,), (7, 3, 1)):
            with self.subTest(shape=shape), self.assertRaises(ValueError):
                tavrisk.fit_plane(numpy.zeros(shape))

    def test_array_results_agree_with_sequence_results(self):
        array = numpy.array(CLOUD)
        self.assertEqual(tavrisk.gap_xy_points_points(array[:3], array[3:], LINE),
                         tavrisk.gap_xy_points_points(CLOUD[:3], CLOUD[3:], LINE))
        from_array = tavrisk.straightness_xy_line(array, LINE)
        from_list = tavrisk.straightness_xy_line(CLOUD, LINE)
        self.assertIsInstance(from_array.deviations, numpy.ndarray)
        self.assertEqual((from_array.straightness, from_array.deviations.tolist()), from_list)


if __name__ == "__main__":
    unittest.main()
