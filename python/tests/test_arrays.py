# SPDX-License-Identifier: MIT
"""Whole arrays of points: each element what the one-point call gives, to the bit (NaN,
infinite and huge coordinates among them); any array-like taken, wrong ones refused clearly;
the full fits against numpy's own and the flatness of an array against the file's."""

import math
import struct
import unittest

import tavrisk as t
from support import CLOUD, LINE, PLATE, numpy
from tavrisk import Circle, Rect, RefusedError

PLANE = ((0.5, -0.25, 1.0), (1.0, 0.3, 1.5), (-0.2, 1.0, 0.75))
RAY = ((1.0, 1.0, 1.0), (-1.0, 0.5, 0.25))
SEGMENT = ((0.5, 0.25, 0.5), (2.0, 1.0, 3.0))
RECT = Rect((1.0, 2.0, 0.5), 1.5, 0.5, (0.1, 0.3, 1.0), (1.0, 0.6, -0.2))
CIRCLE = Circle((0.5, 0.25, 0.0), 2.0, (0.3, 0.0, 1.0))
# Each point function with a shape of its kind, and shapes that give no direction.
POINT_FUNCTIONS = [
    (t.dist_point_line, LINE), (t.dist_point_line, ((1, 2, 3), (0, 0, 0))),
    (t.dist_foot_point_line, LINE), (t.dist_point_ray, RAY), (t.dist_point_segment, SEGMENT),
    (t.dist_point_segment, ((1, 1, 1), (1, 1, 1))), (t.dist_point_plane, PLANE),
    (t.dist_point_plane, ((0, 0, 0), (1, 1, 1), (2, 2, 2))), (t.dist_point_rect, RECT),
    (t.dist_point_circle, CIRCLE), (t.dist_point_arc, Circle((0, 0, 0), 1.0, (0, 0, 1e-5))),
    (t.deviation_point_plane, PLANE), (t.deviation_xy_point_line, LINE),
    (t.deviation_xy_point_line, ((0, 0, 0), (0, 0, 1))),
]


def bits(value):
    """A result's numbers as their bits, in field order: NaN signs and -0 tell."""
    if isinstance(value, float):
        return [struct.pack("<d", value)]
    if hasattr(value, "tobytes"):
        return [value.astype("<f8").tobytes()]
    return [b for part in value for b in bits(part)]


def element(result, i):
    """Element i of an array result, as the one-point result is laid out."""
    if hasattr(result, "_fields"):
        return tuple(element(part, i) for part in result)
    return float(result[i]) if result.ndim == 1 else tuple(float(v) for v in result[i])


def random_points(generator, count):
    """Points of every size, some at the shapes' own places, some not finite."""
    scale = 10.0 ** generator.uniform(-300, 300, (count, 1))
    points = generator.uniform(-1, 1, (count, 3)) * numpy.where(generator.random((count, 1)) < 0.2,
                                                                scale, 10.0)
    points[::17] = (0.5, 0.25, 0.0)  # the circle's centre, on its axis
    points[::13] = PLANE[0]
    special = [math.nan, -math.nan, math.inf, -math.inf, 1e308, -0.0, 5e-324]
    for k in range(count // 10):
        points[generator.integers(count), generator.integers(3)] = special[k % len(special)]
    return points


@unittest.skipIf(numpy is None, "numpy is not available")
class ArrayTest(unittest.TestCase):
    def test_each_element_is_the_one_point_result_to_the_bit(self):
        generator = numpy.random.default_rng(7)
        points = random_points(generator, 400)
        for function, shape in POINT_FUNCTIONS:
            with self.subTest(function.__name__, shape=shape):
                result = function(points, shape)
                for i, point in enumerate(points.tolist()):
                    one = function(point, shape)
                    self.assertEqual(bits(element(result, i)), bits(one), (i, point))

    def test_a_distance_of_an_array_is_the_named_result_of_arrays(self):
        # The layout of each element is held to the one-point result's above; here the names.
        points = numpy.array(CLOUD)
        result = t.dist_point_plane(points, PLANE)
        self.assertIsInstance(result, t.DistResult)
        foot = t.dist_foot_point_line(points, LINE)
        self.assertEqual(foot.foot.tolist(), foot.result.point2.tolist())
        empty = t.dist_point_line(numpy.empty((0, 3)), LINE)
        self.assertEqual((empty.dist.shape, empty.point2.shape), ((0,), (0, 3)))
        self.assertEqual(t.deviation_point_plane([], PLANE).shape, (0,))
        # The signed deviation is the distance with the side of the plane's normal.
        self.assertEqual(t.deviation_point_plane((0, 0, 5), ((0, 0, 0), (1, 0, 0), (0, 1, 0))),
                         5.0)
        self.assertEqual(t.deviation_point_plane((0, 0, 5), ((0, 0, 0), (0, 1, 0), (1, 0, 0))),
                         -5.0)

    def test_any_array_like_is_taken_and_converted_once(self):
        array = numpy.array(CLOUD)
        want = bits(t.dist_point_ray(array, RAY))
        for points in (CLOUD, tuple(map(list, CLOUD)), numpy.asfortranarray(array),
                       numpy.hstack([array, array])[:, 3:6], array.astype(">f8"),
                       numpy.frombuffer(b"\0" + array.tobytes(), offset=1).reshape(-1, 3)):
            with self.subTest(type(points).__name__):
                self.assertEqual(bits(t.dist_point_ray(points, RAY)), want)
        self.assertEqual(t.dist_point_ray(array.astype(numpy.int64), RAY).dist.tolist(),
                         t.dist_point_ray(array.astype(numpy.int64).tolist(), RAY).dist.tolist())
        # A single point still measures as itself, whatever its form.
        one = t.dist_point_ray(CLOUD[2], RAY)
        for point in (list(CLOUD[2]), numpy.array(CLOUD[2]), t.Point(*CLOUD[2])):
            self.assertEqual(t.dist_point_ray(point, RAY), one)

    def test_wrong_shapes_and_types_are_refused_saying_what_is_wrong(self):
        for points, error, says in (
                (numpy.zeros((4, 2)), ValueError, r"shape \(n, 3\), not \(4, 2\)"),
                (numpy.zeros((4, 3, 1)), ValueError, "shape"),
                ([(1, 2, 3), (4, 5)], ValueError, "shape"),
                ((1.0, 2.0), ValueError, "three coordinates, not 2"),
                ([("a", "b", "c")] * 2, TypeError, "real numbers"),
                (numpy.zeros((2, 3), dtype=bool), TypeError, "real numbers")):
            with self.subTest(points=points), self.assertRaisesRegex(error, says):
                t.dist_point_plane(points, PLANE)


@unittest.skipIf(numpy is None, "numpy is not available")
class FitTest(unittest.TestCase):
    def face(self, count=500):
        generator = numpy.random.default_rng(3)
        xy = generator.uniform(0, 200, (count, 2))
        z = 35.2 + 0.0004 * xy[:, 0] - 0.0003 * xy[:, 1] + generator.normal(0, 0.002, count)
        return numpy.column_stack([xy + (271.0, 143.5), z])

    def test_plane_fit_as_numpy_finds_it_with_the_export_s_record(self):
        points = self.face()
        fit = t.fit_plane(points)
        centroid = points.mean(axis=0)
        normal = numpy.linalg.svd(points - centroid)[2][2]
        normal *= numpy.sign(normal @ fit.normal)
        residuals = (points - centroid) @ normal
        self.assertTrue(numpy.allclose(fit.centroid, centroid, rtol=0, atol=1e-12))
        self.assertTrue(numpy.allclose(fit.normal, normal, rtol=0, atol=1e-12))
        self.assertLess(numpy.abs(fit.residuals - residuals).max(), 1e-12)
        self.assertAlmostEqual(fit.rms, math.sqrt(numpy.mean(residuals ** 2)), delta=1e-15)
        self.assertEqual(fit.flatness, fit.residuals.max() - fit.residuals.min())
        self.assertEqual(fit.plane, t.fit_plane(points.tolist()).plane)
        self.assertEqual(t.dist_point_plane(points, fit).dist.tolist(),
                         t.dist_point_plane(points, fit.plane).dist.tolist())
        # Points of a part measured in metres: the plane fits, the three-point record does not.
        small = t.fit_plane(points * 1e-6)
        self.assertIsNone(small.plane)
        self.assertRaisesRegex(ValueError, "no three-point record", t.dist_point_plane,
                               (0, 0, 0), small)

    def test_line_fit_as_numpy_finds_it(self):
        generator = numpy.random.default_rng(5)
        along = generator.uniform(0, 100, 300)
        points = numpy.outer(along, (0.6, 0.8, 0.0)) + generator.normal(0, 0.01, (300, 3))
        fit = t.fit_line(points)
        centroid = points.mean(axis=0)
        direction = numpy.linalg.svd(points - centroid)[2][0]
        across = (points - centroid) - numpy.outer((points - centroid) @ direction, direction)
        distances = numpy.sqrt((across ** 2).sum(axis=1))
        self.assertLess(abs(abs(direction @ fit.direction) - 1), 1e-12)
        self.assertLess(numpy.abs(fit.residuals - distances).max(), 1e-9)
        self.assertEqual(fit.largest, fit.residuals.max())
        self.assertEqual(fit.segment, t.fit_segment(points))
        self.assertAlmostEqual(fit.rms, math.sqrt(numpy.mean(fit.residuals ** 2)), delta=1e-15)

    def test_flatness_of_an_array_is_the_file_s_figure_to_the_bit(self):
        # The library's own tests hold the array fit to the file export on random sets; here the
        # package's two ways for one set, and the refusals of an array.
        plate = numpy.loadtxt(PLATE, delimiter=",")
        self.assertEqual(t.flatness(plate), t.flatness(PLATE))
        self.assertEqual(t.flatness(plate[:2]), 0.0)  # one or two points measure flat
        for points, kind in (([], "no_point"), ([(0, 0, 0)] * 5, "no_unique_fit"),
                             ([(0, 0, math.nan)], "not_finite")):
            with self.subTest(kind), self.assertRaises(RefusedError) as raised:
                t.flatness(points)
            self.assertEqual(raised.exception.kind, kind)

    def test_fit_refusals_name_the_reason_and_the_point(self):
        points = self.face(count=20)
        points[7, 1] = math.inf
        with self.assertRaises(RefusedError) as raised:
            t.fit_plane(points)
        error = raised.exception
        self.assertEqual((error.kind, error.element, error.column, error.text),
                         ("not_finite", 8, 2, "inf"))
        with self.assertRaises(RefusedError) as raised:
            t.fit_line(points[:2])
        self.assertEqual((raised.exception.kind, raised.exception.count,
                          raised.exception.expected), ("too_few_points", 2, 3))


class WithoutNumpyTest(unittest.TestCase):
    @unittest.skipUnless(numpy is None, "numpy is available")
    def test_arrays_say_they_need_numpy_and_fits_give_lists(self):
        with self.assertRaisesRegex(TypeError, "needs numpy"):
            t.dist_point_plane(CLOUD, PLANE)
        with self.assertRaisesRegex(TypeError, "needs numpy"):
            t.read_points(PLATE)
        fit = t.fit_plane(CLOUD)
        self.assertIsInstance(fit.residuals, list)
        self.assertEqual(len(fit.residuals), len(CLOUD))
        self.assertEqual(fit.flatness, max(fit.residuals) - min(fit.residuals))
        self.assertEqual(t.flatness(CLOUD), fit.flatness)
        self.assertEqual(t.dist_point_plane(CLOUD[0], PLANE).point1, CLOUD[0])


if __name__ == "__main__":
    unittest.main()
