# SPDX-License-Identifier: MIT
"""tavrisk.form: zones with known widths and supports, every field where the library wrote it,
the least-squares figures equal to the package's own, and refusals with their reasons."""

import math
import struct
import unittest

import tavrisk as t
from support import PLATE, numpy
from tavrisk import RefusedError, form


@unittest.skipIf(numpy is None, "numpy is not available")
class FormTest(unittest.TestCase):
    def assert_supports_are_rows(self, points, result):
        """Each support point is the row of the points it names, with its contact."""
        numpy.testing.assert_array_equal(result.support,
                                         numpy.asarray(points)[result.support_index])
        self.assertEqual(len(result.contact), len(result.support))

    def test_flatness_finds_a_three_plus_one_zone_and_its_single_support(self):
        # A triangle's corners at height 0 and a point above its inside at height 1, with
        # points strictly between: the zone is 1 wide whatever the least-squares plane says.
        points = [(0, 0, 0), (4, 0, 0), (0, 4, 0), (1, 1, 1), (1, 0.5, 0.5), (0.5, 2, 0.25)]
        zone = form.flatness(points)
        self.assertEqual((zone.width, zone.low, zone.high), (1.0, -0.5, 0.5))
        self.assertEqual((zone.criterion, zone.configuration, zone.certified),
                         ("minimum-zone", "3+1", True))
        self.assert_supports_are_rows(points, zone)
        single = "high" if zone.normal[2] > 0 else "low"
        self.assertEqual([int(i) for i, c in zip(zone.support_index, zone.contact) if c == single],
                         [3])
        self.assertEqual(sorted(int(i) for i in zone.support_index), [0, 1, 2, 3])
        self.assertLess(zone.width, zone.least_squares_width)

    def test_flatness_of_the_plate_and_its_least_squares_band(self):
        # The zone's geometry is held to the core's in the library's own tests; here the fields:
        # each support lies on the side its contact names, at the origin's offset along the
        # normal, and the least-squares band is the package's flatness to the bit, its supports
        # the lowest and the highest residual of the fit, in that order.
        plate = t.read_points(PLATE)
        zone = form.flatness(plate)
        self.assertEqual((round(zone.width, 6), zone.configuration), (0.005938, "2+2"))
        self.assert_supports_are_rows(plate, zone)
        slack = 1e-12 * numpy.abs(plate).max()
        for row, contact in zip(zone.support, zone.contact):
            on = zone.high if contact == "high" else zone.low
            self.assertAlmostEqual(float((row - zone.origin) @ zone.normal), on, delta=slack)
        figure = struct.pack("<d", t.flatness(plate))
        self.assertEqual(struct.pack("<d", zone.least_squares_width), figure)
        band = form.flatness(plate, criterion="least-squares")
        self.assertEqual(struct.pack("<d", band.width), figure)
        self.assertEqual((band.criterion, band.contact), ("least-squares", ("low", "high")))
        residuals = t.fit_plane(plate).residuals
        self.assertEqual([int(i) for i in band.support_index],
                         [int(residuals.argmin()), int(residuals.argmax())])

    def test_flatness_of_degenerate_sets_is_zero_and_says_why(self):
        cases = {"coplanar": [(0, 0, 2), (1, 0, 2), (0, 1, 2), (1, 1, 2)],
                 "collinear": [(0, 0, 0), (1, 1, 1), (2, 2, 2)],
                 "coincident": [(1, 2, 3)] * 3}
        for configuration, points in cases.items():
            with self.subTest(configuration):
                zone = form.flatness(points)
                self.assertEqual((zone.width, zone.configuration), (0.0, configuration))

    def test_straightness_finds_two_lines_in_xy(self):
        # Two points on y = 0, one at y = 2 between them, others inside; z is not looked at.
        points = numpy.array([(0, 0, 5), (10, 0, -3), (4, 2, 100), (2, 1, 0), (7, 0.5, 0)])
        zone = form.straightness(points)
        self.assertEqual((zone.width, zone.configuration, zone.certified), (2.0, "2+1", True))
        self.assertEqual(abs(zone.normal[1]), 1.0)
        self.assertEqual(zone.normal[2], 0.0)
        self.assertEqual(abs(zone.direction[0]), 1.0)
        self.assert_supports_are_rows(points, zone)
        self.assertEqual(sorted(int(i) for i in zone.support_index), [0, 1, 2])
        with self.assertRaisesRegex(ValueError, "minimum-zone"):
            form.straightness(points, criterion="least-squares")

    def test_roundness_by_each_criterion(self):
        # Outer points at radius 1.25 at 0 and 180 degrees, inner ones at radius 1 at 90 and
        # 270, others at 1.1 between: about the origin the contacts alternate, so the minimum
        # zone is 0.25 wide there, and the circumscribed circle is the outer one.
        angles = numpy.radians([0, 90, 180, 270, 30, 60, 120, 150, 210, 240, 300, 330])
        radii = numpy.array([1.25, 1.0, 1.25, 1.0] + [1.1] * 8)
        points = numpy.c_[radii * numpy.cos(angles), radii * numpy.sin(angles), numpy.ones(12)]
        zone = form.roundness(points)
        self.assertTrue(zone.certified)
        self.assertLess(float(numpy.abs(zone.center).max()), 1e-15)
        self.assertAlmostEqual(zone.width, 0.25, places=14)
        self.assertAlmostEqual(zone.radius, 1.125, places=14)
        self.assertEqual(sorted(zip(zone.support_index.tolist(), zone.contact)),
                         [(0, "outer"), (1, "inner"), (2, "outer"), (3, "inner")])
        outer = form.roundness(points, "circumscribed")
        self.assertAlmostEqual(outer.radius, 1.25, places=14)
        self.assertEqual(set(outer.contact), {"outer"})
        for criterion in ("minimum-zone", "circumscribed", "inscribed", "least-squares"):
            with self.subTest(criterion):
                ring = form.roundness(points, criterion)
                self.assertEqual((ring.criterion, ring.center[2]), (criterion, 0.0))
                self.assert_supports_are_rows(points, ring)
                # Inner and outer radius in their places: the circles reach the nearest and the
                # farthest point from the centre.
                reach = numpy.hypot(points[:, 0] - ring.center[0], points[:, 1] - ring.center[1])
                self.assertAlmostEqual(float(reach.min()), ring.inner_radius, places=14)
                self.assertAlmostEqual(float(reach.max()), ring.outer_radius, places=14)
                self.assertEqual(ring.width, ring.outer_radius - ring.inner_radius)
        with self.assertRaisesRegex(ValueError, "circumscribed"):
            form.roundness(points, criterion="maximum")

    def test_refusals_name_the_reason_and_the_point(self):
        with self.assertRaises(RefusedError) as raised:
            form.flatness([(0, 0, 0), (1, 0, 0)])
        self.assertEqual((raised.exception.kind, raised.exception.count,
                          raised.exception.expected), ("too_few_points", 2, 3))
        with self.assertRaises(RefusedError) as raised:
            form.roundness([(0, 0, 0), (1, 0, 0), (2, 0, 0), (math.nan, 1, 0)])
        self.assertEqual((raised.exception.kind, raised.exception.element,
                          raised.exception.column), ("not_finite", 4, 1))
        with self.assertRaises(RefusedError) as raised:
            form.roundness([(0, 0, 0), (1, 1, 0), (2, 2, 0)])
        self.assertEqual(raised.exception.kind, "no_center")
        self.assertEqual(raised.exception.export, "tvi_roundness_xy")
        with self.assertRaisesRegex(ValueError, r"shape \(n, 3\)"):
            form.flatness(numpy.zeros((5, 2)))
        with self.assertRaises(TypeError):
            form.straightness([("a", "b", "c")] * 3)


if __name__ == "__main__":
    unittest.main()
