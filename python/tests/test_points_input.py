"""Point sets as numpy arrays (read in place when possible) or as plain sequences."""

import unittest
from ctypes import c_void_p, cast

import tavrisk
from support import ExportSpy, needs_numpy, numpy
from tavrisk import Point, RefusedError
from tavrisk._points import point_array

CLOUD = [(0.0, 0.0, 5.01), (10.0, 0.5, 5.02), (9.5, 8.0, 4.98), (0.5, 9.0, 5.0), (5.0, 4.0, 5.03),
         (2.0, 7.0, 4.99), (7.0, 2.0, 5.0)]
LINE = ((0.0, 1.0, 5.0), (1.0, 0.2, 0.0))


def address_passed(array, function=tavrisk.fit_plane, export="gte_fit_plane"):
    """The address of the points that the function handed to the library."""
    with ExportSpy(export) as spy:
        result = function(array)
    return cast(spy.calls[0][0], c_void_p).value, result


class SequenceTest(unittest.TestCase):
    def test_any_sequence_of_three_numbers_is_a_point_set(self):
        expected = tavrisk.fit_plane(CLOUD)
        for points in (tuple(CLOUD), [Point(*p) for p in CLOUD], (p for p in CLOUD),
                       [list(p) for p in CLOUD]):
            with self.subTest(kind=type(points).__name__):
                self.assertEqual(tavrisk.fit_plane(points), expected)

    def test_points_that_are_not_triples_are_rejected(self):
        for points in ([(0, 0, 0), (1, 2)], [(0, 0, 0, 1)]):
            with self.subTest(points=points), self.assertRaises(ValueError):
                tavrisk.fit_plane(points)

    def test_an_empty_set_reaches_the_library_as_no_points(self):
        self.assertEqual((point_array([]).count, point_array([]).pointer), (0, None))
        with self.assertRaises(RefusedError):
            tavrisk.fit_plane([])


@needs_numpy
class NumpyTest(unittest.TestCase):
    def test_a_c_contiguous_float64_array_is_read_in_place(self):
        array = numpy.array(CLOUD)
        address, result = address_passed(array)
        self.assertEqual(address, array.ctypes.data)
        self.assertEqual(result, tavrisk.fit_plane(CLOUD))
        array.setflags(write=False)
        self.assertEqual(address_passed(array)[0], array.ctypes.data)
        # Rows of a larger C-ordered block are read in place as well.
        rows = numpy.vstack([array, array])[2:]
        self.assertEqual(address_passed(rows)[0], rows.ctypes.data)

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

    def test_wrong_shapes_are_rejected(self):
        for shape in ((7, 2), (21,), (7, 3, 1)):
            with self.subTest(shape=shape), self.assertRaises(ValueError):
                tavrisk.fit_plane(numpy.zeros(shape))

    def test_array_results_agree_with_sequence_results(self):
        array = numpy.array(CLOUD)
        self.assertEqual(tavrisk.gap_points_line(array, LINE), tavrisk.gap_points_line(CLOUD, LINE))
        self.assertEqual(tavrisk.gap_xy_points_points(array[:3], array[3:], LINE),
                         tavrisk.gap_xy_points_points(CLOUD[:3], CLOUD[3:], LINE))
        from_array = tavrisk.straightness_xy_line(array, LINE)
        from_list = tavrisk.straightness_xy_line(CLOUD, LINE)
        self.assertIsInstance(from_array.deviations, numpy.ndarray)
        self.assertIsInstance(from_list.deviations, list)
        self.assertEqual(from_array.straightness, from_list.straightness)
        self.assertEqual(from_array.deviations.tolist(), from_list.deviations)
        self.assertEqual(point_array(numpy.zeros((0, 3))).pointer, None)


if __name__ == "__main__":
    unittest.main()
