"""Bisectors, intersections and tangents: the library's outputs, counts turned into lists."""

import math
import unittest
from ctypes import byref, c_int

import tavrisk
from support import call_through, xyz
from tavrisk import Circle, InfinitelyManyPoints, RefusedError, raw
from tavrisk.records import gte_circle, gte_line, gte_lseg, gte_plane, gte_point, gte_ray
from tavrisk.records import gte_vector

Z0 = ((0, 0, 0), (1, 0, 0), (0, 1, 0))  # the plane z = 0, normal +z
UNIT_CIRCLE2 = Circle((0, 0, 0), 2)


def point(p):
    return gte_point(*p)


def line(l):
    return gte_line(pt=point(l[0]), vector=gte_vector(*l[1]))


def ray(r):
    return gte_ray(pt=point(r[0]), vector=gte_vector(*r[1]))


def lseg(s):
    return gte_lseg(pt1=point(s[0]), pt2=point(s[1]))


def plane(p):
    return gte_plane(pt1=point(p[0]), pt2=point(p[1]), pt3=point(p[2]))


def circle(c):
    c = Circle(*c)
    return gte_circle(center=point(c.center), radius=c.radius, vector=gte_vector(*c.vector))


def segment_xyz(record):
    return (xyz(record.pt1), xyz(record.pt2))


class BisectorTest(unittest.TestCase):
    def test_each_bisector_is_its_exports_output(self):
        p, q = (0.5, 2.0, -1.0), (3.0, -1.0, 2.5)
        s1, s2 = ((0, 0, 0), (2, 1, -1)), ((1, 5, 2), (4, -1, 0))
        l1 = ((0.5, -1.0, 2.0), (2.0, 1.0, 0.5))
        cases = [
            (tavrisk.bisector_point_point, "gte_bisector_point_point", (p, q),
             (point(p), point(q)), gte_point, xyz),
            (tavrisk.bisector_point_line, "gte_bisector_point_line", (p, l1),
             (point(p), line(l1)), gte_point, xyz),
            (tavrisk.bisector_segment_point_point, "gte_bisectorLseg_point_point", (p, q),
             (point(p), point(q)), gte_lseg, segment_xyz),
            (tavrisk.bisector_segment_point_segment, "gte_bisectorLseg_point_lseg", (p, s1),
             (point(p), lseg(s1)), gte_lseg, segment_xyz),
            (tavrisk.bisector_segment_segment, "gte_bisector_lseg_lseg", (s1, s2),
             (lseg(s1), lseg(s2)), gte_lseg, segment_xyz),
        ]
        for function, export, args, records, output_kind, read in cases:
            with self.subTest(export):
                got = call_through(self, export, function, *args)
                output = output_kind()
                getattr(raw, export)(*records, byref(output))
                self.assertEqual(got, read(output))

    def test_known_bisectors(self):
        self.assertEqual(tavrisk.bisector_point_line((0, 2, 0), ((0, 0, 0), (5, 0, 0))),
                         (0, 1, 0))
        self.assertEqual(tavrisk.bisector_segment_point_point((2, 0, 0), (0, 0, 0)),
                         ((1, -1, 0), (1, 1, 0)))
        self.assertEqual(tavrisk.bisector_segment_point_segment((5, 2, 0),
                                                                ((-1, 0, 0), (1, 0, 0))),
                         ((4, 1, 0), (6, 1, 0)))


class IntersectionTest(unittest.TestCase):
    def test_counts_become_lists_of_the_points_written(self):
        root3 = math.sqrt(3)
        t = tavrisk
        cases = [
            (t.intersect_line_plane, "gte_intersec_line_plane", ((1, 2, 5), (0, 0, -2)), Z0,
             [(1, 2, 0)]),
            (t.intersect_line_plane, "gte_intersec_line_plane", ((1, 2, 5), (1, 0, 0)), Z0, []),
            (t.intersect_ray_plane, "gte_intersec_ray_plane", ((0, 0, 5), (0, 0, 1)), Z0, []),
            (t.intersect_ray_plane, "gte_intersec_ray_plane", ((0, 0, 5), (0, 0, -1)), Z0,
             [(0, 0, 0)]),
            (t.intersect_segment_plane, "gte_intersec_lseg_plane", ((0, 0, -1), (0, 0, 1)),
             ((0, 0, 1), (1, 0, 1), (0, 1, 1)), [(0, 0, 1)]),
            (t.intersect_xy_line_line, "gte_intersecXY_line_line", ((0, 0, 7), (1, 0, 3)),
             ((1, 1, 0), (0, 1, 0)), [(1, 0, 7)]),
            (t.intersect_xy_line_line, "gte_intersecXY_line_line", ((0, 0, 7), (1, 0, 3)),
             ((1, 1, 0), (2, 0, 0)), []),
            (t.intersect_plane_circle, "gte_intersec_plane_circle", Z0,
             Circle((0, 0, 0), 2, (1, 0, 0)), [(0, 2, 0), (0, -2, 0)]),
            (t.intersect_plane_circle, "gte_intersec_plane_circle", Z0,
             Circle((0, 0, 2), 2, (1, 0, 0)), [(0, 0, 0)]),
            (t.intersect_line_circle, "gte_intersec_line_circle", ((-10, 1, 5), (1, 0, 0)),
             UNIT_CIRCLE2, [(-root3, 1, 0), (root3, 1, 0)]),
            (t.intersect_line_arc, "gte_intersec_line_arc", ((10, 1, 0), (-1, 0, 0)),
             UNIT_CIRCLE2, [(root3, 1, 0), (-root3, 1, 0)]),
            (t.intersect_line_circle, "gte_intersec_line_circle", ((0, 0, 0), (0, 0, 1)),
             UNIT_CIRCLE2, []),
            (t.intersect_circle_circle, "gte_intersec_circle_circle", Circle((0, 0, 0), 3),
             Circle((4, 0, 0), 3), [(2, math.sqrt(5), 0), (2, -math.sqrt(5), 0)]),
            (t.intersect_circle_arc, "gte_intersec_circle_arc", Circle((0, 0, 0), 2),
             Circle((4, 0, 0), 2), [(2, 0, 0)]),
            (t.intersect_arc_arc, "gte_intersec_arc_arc", Circle((0, 0, 0), 1),
             Circle((4, 0, 0), 1), []),
        ]
        convert = {"line": line, "ray": ray, "lseg": lseg, "plane": plane, "circle": circle,
                   "arc": circle}
        for function, export, first, second, expected in cases:
            with self.subTest(export, first=first, second=second):
                got = call_through(self, export, function, first, second)
                for found, want in zip(got, expected):
                    for a, b in zip(found, want):
                        self.assertAlmostEqual(a, b, places=12)
                kinds = export.split("_")[-2:]
                points = (gte_point * 2)()
                count = getattr(raw, export)(convert[kinds[0]](first), convert[kinds[1]](second),
                                             points)
                self.assertEqual(got, [xyz(points[i]) for i in range(count)])

    def test_shared_lines_planes_and_circles_are_infinitely_many_points(self):
        in_plane = ((1, 2, 0), (1, 0, 0))
        cases = [
            (tavrisk.intersect_line_plane, (in_plane, Z0), (1, 2, 0)),
            (tavrisk.intersect_segment_plane, (((0, 0, 0), (2, 0, 0)), Z0), (1, 0, 0)),
            (tavrisk.intersect_plane_plane, (Z0, (Z0[0], Z0[2], Z0[1])), None),
            (tavrisk.intersect_xy_line_line, (((0, 0, 7), (1, 0, 3)), ((5, 0, 0), (2, 0, 0))),
             None),
            (tavrisk.intersect_plane_circle, (Z0, Circle((0, 0, 0), 2)), None),
            (tavrisk.intersect_circle_circle, (UNIT_CIRCLE2, UNIT_CIRCLE2), None),
        ]
        for function, args, representative in cases:
            with self.subTest(function.__name__):
                with self.assertRaises(InfinitelyManyPoints) as raised:
                    function(*args)
                self.assertEqual((raised.exception.function, raised.exception.point),
                                 (function.__name__, representative))

    def test_plane_plane_gives_a_line_or_none(self):
        got = call_through(self, "gte_intersec_plane_plane", tavrisk.intersect_plane_plane, Z0,
                           ((0, 0, 0), (0, 0, 1), (0, 1, 0)))
        self.assertEqual(got, ((0, 0, 0), (0, -1, 0)))
        self.assertIsNone(tavrisk.intersect_plane_plane(Z0, ((0, 0, 1), (1, 0, 1), (0, 1, 1))))

    def test_circles_apart_are_refused(self):
        for second in (Circle((4, 0, 0), 3, (0, 0, -1)), Circle((4, 0, 0.01), 3)):
            with self.subTest(second=second), self.assertRaises(RefusedError) as raised:
                tavrisk.intersect_circle_circle(Circle((0, 0, 0), 3), second)
            self.assertEqual(raised.exception.export, "gte_intersec_circle_circle")


class TangentTest(unittest.TestCase):
    def test_tangents_from_a_point(self):
        got = call_through(self, "gte_tangent_point_circle", tavrisk.tangent_point_circle,
                           (4, 0, 5), UNIT_CIRCLE2)
        lines, points = (gte_line * 2)(), (gte_point * 2)()
        self.assertEqual(raw.gte_tangent_point_circle(point((4, 0, 5)), circle(UNIT_CIRCLE2),
                                                      lines, points), 2)
        self.assertEqual(got, [((xyz(lines[i].pt), xyz(lines[i].vector)), xyz(points[i]))
                               for i in range(2)])
        self.assertEqual([t.line.pt for t in got], [(4, 0, 0), (4, 0, 0)])
        self.assertAlmostEqual(got[0].point.y, math.sqrt(3), places=12)
        self.assertEqual(tavrisk.tangent_point_circle((2, 0, 0), UNIT_CIRCLE2),
                         [(((2, 0, 0), (0, -1, 0)), (2, 0, 0))])
        self.assertEqual(tavrisk.tangent_point_circle((1, 0, 0), UNIT_CIRCLE2), [])

    def test_common_tangents_pair_each_line_with_its_two_points(self):
        t = tavrisk
        big, small = Circle((0, 0, 0), 2), Circle((10, 0, 0), 1)
        for function, export in ((t.tangent_circle_circle, "gte_tangent_circle_circle"),
                                 (t.tangent_arc_circle, "gte_tangent_arc_circle"),
                                 (t.tangent_arc_arc, "gte_tangent_arc_arc")):
            with self.subTest(export):
                got = call_through(self, export, function, big, small)
                counts = [c_int(-5), c_int(-5)]
                lines = [(gte_line * 2)(), (gte_line * 2)()]
                points = [(gte_point * 4)(), (gte_point * 4)()]
                total = getattr(raw, export)(circle(big), circle(small), byref(counts[0]),
                                             lines[0], points[0], byref(counts[1]), lines[1],
                                             points[1])
                self.assertEqual(total, 4)
                for kind, found in enumerate(got):
                    self.assertEqual(found, [((xyz(lines[kind][k].pt), xyz(lines[kind][k].vector)),
                                              xyz(points[kind][2 * k]),
                                              xyz(points[kind][2 * k + 1]))
                                             for k in range(counts[kind].value)])
        self.assertAlmostEqual(got.outer[0].point2.x, 10.1, places=12)
        self.assertAlmostEqual(got.inner[0].point2.x, 9.7, places=12)

    def test_touching_and_refused_circles(self):
        touching = tavrisk.tangent_circle_circle(Circle((0, 0, 0), 2), Circle((3, 0, 0), 1))
        self.assertEqual((len(touching.outer), touching.inner),
                         (2, [(((2, 0, 0), (0, -1, 0)), (2, 0, 0), (2, 0, 0))]))
        with self.assertRaises(RefusedError):
            tavrisk.tangent_circle_circle(Circle((0, 0, 0), 2), Circle((9, 0, 0), 1, (0, 0, -1)))


if __name__ == "__main__":
    unittest.main()
