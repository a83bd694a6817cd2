"""Bisectors, intersections and tangents: the library's outputs, its counts made lists."""

import unittest
from ctypes import byref, c_int

import tavrisk
from support import (LINE, POINT, SEGMENT, SEGMENT2, call_through, circle, line_fields, plane,
                     point, records_for, xyz)
from tavrisk import Circle, InfinitelyManyPoints, RefusedError, raw
from tavrisk.records import gte_line, gte_lseg, gte_point

Z0 = ((0, 0, 0), (1, 0, 0), (0, 1, 0))  # the plane z = 0, normal +z
CIRCLE = Circle((0, 0, 0), 2)


class BisectorTest(unittest.TestCase):
    def test_each_bisector_is_its_exports_output(self):
        other = (0.5, 2.0, -1.0)
        cases = [("bisector_point_point", POINT, other), ("bisector_point_line", POINT, LINE),
                 ("bisector_segment_point_point", POINT, other),
                 ("bisector_segment_point_segment", POINT, SEGMENT),
                 ("bisector_segment_segment", SEGMENT, SEGMENT2)]
        for name, *args in cases:
            export = tavrisk.EXPORTS[name]
            with self.subTest(export):
                got = call_through(self, name, *args)
                output = gte_lseg() if "segment" in name else gte_point()
                getattr(raw, export)(*records_for(export, *args), byref(output))
                self.assertEqual(got, (xyz(output.pt1), xyz(output.pt2)) if "segment" in name
                                 else xyz(output))


class IntersectionTest(unittest.TestCase):
    def test_counts_become_lists_of_the_points_written(self):
        beside = Circle((4, 0, 0), 2)
        cases = [  # several counts per function
            ("intersect_line_plane", ((1, 2, 5), (0, 0, -2)), Z0),
            ("intersect_line_plane", ((1, 2, 5), (1, 0, 0)), Z0),
            ("intersect_ray_plane", ((0, 1, 5), (0.2, 0, -1)), Z0),
            ("intersect_segment_plane", ((0, 0, -1), (3, 1, 2)), Z0),
            ("intersect_xy_line_line", ((0, 0, 7), (1, 0, 3)), ((1, 1, 0), (0, 1, 0))),
            ("intersect_plane_circle", Z0, Circle((0, 0, 0.5), 2, (1, 0.2, 0))),
            ("intersect_line_circle", ((-10, 1, 5), (1, 0.1, 0)), CIRCLE),
            ("intersect_line_arc", ((10, 1, 0), (-1, 0, 0)), CIRCLE),
            ("intersect_line_circle", ((0, 0, 0), (0, 0, 1)), CIRCLE),
            ("intersect_circle_circle", Circle((0, 1, 0), 3), beside),
            ("intersect_circle_arc", Circle((0, 0.5, 0), 2.5), beside),
            ("intersect_arc_arc", Circle((0, 0, 0), 1), beside),
        ]
        counts = set()
        for name, first, second in cases:
            export = tavrisk.EXPORTS[name]
            with self.subTest(export, first=first):
                got = call_through(self, name, first, second)
                found = (gte_point * 2)()
                count = getattr(raw, export)(*records_for(export, first, second), found)
                self.assertEqual(got, [xyz(found[i]) for i in range(count)])
                counts.add(count)
        self.assertEqual(counts, {0, 1, 2})

    def test_shared_lines_planes_and_circles_are_infinitely_many_points(self):
        cases = [
            (tavrisk.intersect_line_plane, (((1, 2, 0), (1, 0, 0)), Z0), (1, 2, 0)),
            (tavrisk.intersect_segment_plane, (((0, 0, 0), (2, 0, 0)), Z0), (1, 0, 0)),
            (tavrisk.intersect_plane_plane, (Z0, (Z0[0], Z0[2], Z0[1])), None),
            (tavrisk.intersect_xy_line_line, (((0, 0, 7), (1, 0, 3)), ((5, 0, 0), (2, 0, 0))),
             None),
            (tavrisk.intersect_plane_circle, (Z0, CIRCLE), None),
        ]
        for function, args, representative in cases:
            with self.subTest(function.__name__), self.assertRaises(InfinitelyManyPoints) as raised:
                function(*args)
            self.assertEqual((raised.exception.function, raised.exception.point),
                             (function.__name__, representative))

    def test_planes_meet_in_a_line_or_none_and_circles_apart_are_refused(self):
        upright = ((0, 0, 0), (0, 0, 1), (0.3, 1, 0))
        got = call_through(self, "intersect_plane_plane", Z0, upright)
        crossing = gte_line()
        self.assertEqual(raw.gte_intersec_plane_plane(plane(Z0), plane(upright), byref(crossing)),
                         1)
        self.assertEqual(got, line_fields(crossing))
        self.assertIsNone(tavrisk.intersect_plane_plane(Z0, ((0, 0, 1), (1, 0, 1), (0, 1, 1))))
        for second in (Circle((4, 0, 0), 3, (0, 0, -1)), Circle((4, 0, 0.01), 3)):
            with self.subTest(second=second), self.assertRaises(RefusedError):
                tavrisk.intersect_circle_circle(Circle((0, 0, 0), 3), second)


class TangentTest(unittest.TestCase):
    def test_tangents_from_a_point_pair_each_line_with_its_point(self):
        for outside in ((4, 0, 5), (2, 0, 0), (1, 0, 0)):
            got = call_through(self, "tangent_point_circle", outside, CIRCLE)
            lines, points = (gte_line * 2)(), (gte_point * 2)()
            count = raw.gte_tangent_point_circle(point(outside), circle(CIRCLE), lines, points)
            self.assertEqual(got, [(line_fields(lines[i]), xyz(points[i])) for i in range(count)])
        self.assertEqual(len(tavrisk.tangent_point_circle((4, 0, 5), CIRCLE)), 2)

    def test_common_tangents_pair_each_line_with_a_point_on_each_circle(self):
        for name in ("tangent_circle_circle", "tangent_arc_circle", "tangent_arc_arc"):
            export = tavrisk.EXPORTS[name]
            with self.subTest(export):
                got = call_through(self, name, CIRCLE, Circle((10, 1, 0), 1))
                counts = [c_int(), c_int()]
                lines = [(gte_line * 2)(), (gte_line * 2)()]
                points = [(gte_point * 4)(), (gte_point * 4)()]
                self.assertEqual(getattr(raw, export)(
                    circle(CIRCLE), circle(Circle((10, 1, 0), 1)), byref(counts[0]), lines[0],
                    points[0], byref(counts[1]), lines[1], points[1]), 4)
                self.assertEqual(got, tuple(
                    [(line_fields(lines[kind][k]), xyz(points[kind][2 * k]),
                      xyz(points[kind][2 * k + 1])) for k in range(counts[kind].value)]
                    for kind in (0, 1)))

    def test_touching_circles_share_their_point_and_opposite_normals_are_refused(self):
        touching = tavrisk.tangent_circle_circle(CIRCLE, Circle((3, 0, 0), 1))
        self.assertEqual((len(touching.outer), touching.inner),
                         (2, [(((2, 0, 0), (0, -1, 0)), (2, 0, 0), (2, 0, 0))]))
        with self.assertRaises(RefusedError):
            tavrisk.tangent_circle_circle(CIRCLE, Circle((9, 0, 0), 1, (0, 0, -1)))


if __name__ == "__main__":
    unittest.main()
