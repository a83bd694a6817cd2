"""Point, linear and circle distances are the library's records, in named fields."""

import unittest
from ctypes import byref

import tavrisk
from support import (LINE, PLANE, POINT, RAY, SEGMENT, SEGMENT2, ExportSpy, call_through, circle,
                     dist_fields, line, lseg, plane, point, ray)
from tavrisk import Circle, Ellipse, Quad, Rect, raw
from tavrisk.records import gte_dist_result, gte_ellipse, gte_quad, gte_rect, gte_vector

RECT = Rect((1.0, 2.0, 0.0), 1.5, 0.5, (0.0, 0.3, 1.0), (1.0, 1.0, 0.0))
QUAD = Quad((0.0, 0.0, 0.0), (2.0, 0.0, 0.5), (2.0, 2.0, 1.0), (0.0, 3.0, 0.0))
ELLIPSE = Ellipse(7.0, 5.0, (0.0, 3.0, 1.0), (0.0, 0.0, 1.0), (1.0, 0.0, 0.0))
CIRCLE1 = Circle((0.5, 0.25, 0.0), 2.0, (0.0, 0.0, 1.0))
CIRCLE2 = Circle((6.0, 1.0, 0.0), 1.5, (0.0, 0.0, 1.0))
TILTED = Circle((6.0, 1.0, 0.5), 1.5, (0.3, 0.0, 1.0))
RECT_RECORD = gte_rect(center=point(RECT.center), extent1=1.5, extent2=0.5,
                       norVector=gte_vector(0.0, 0.3, 1.0), mainVector=gte_vector(1.0, 1.0, 0.0))
QUAD_RECORD = gte_quad(*(point(p) for p in QUAD))
ELLIPSE_RECORD = gte_ellipse(majorRadius=7.0, minorRadius=5.0, center=point(ELLIPSE.center),
                             norVector=gte_vector(0, 0, 1), mainVector=gte_vector(1, 0, 0))


class PointAndLinearDistanceTest(unittest.TestCase):
    def test_each_function_reports_the_record_of_its_export(self):
        t = tavrisk
        # (function, export, arguments in the name's order, the export's records in its order:
        # the point distances take the shape first)
        cases = [
            (t.dist_point_line, "gte_dist_point_line", (POINT, LINE), (line(LINE), point(POINT))),
            (t.dist_point_ray, "gte_dist_point_ray", (POINT, RAY), (ray(RAY), point(POINT))),
            (t.dist_point_segment, "gte_dist_point_lseg", (POINT, SEGMENT),
             (lseg(SEGMENT), point(POINT))),
            (t.dist_point_plane, "gte_dist_point_plane", (POINT, PLANE),
             (plane(PLANE), point(POINT))),
            (t.dist_point_rect, "gte_dist_point_rect", (POINT, RECT), (RECT_RECORD, point(POINT))),
            (t.dist_rect_center_line, "gte_dist_rectCenter_line", (RECT, LINE),
             (RECT_RECORD, line(LINE))),
            (t.dist_ellipse_center_line, "gte_dist_ellipseCenter_line", (ELLIPSE, LINE),
             (ELLIPSE_RECORD, line(LINE))),
            (t.dist_quad_center_line, "gte_dist_quadCenter_line", (QUAD, LINE),
             (QUAD_RECORD, line(LINE))),
            (t.dist_segment_segment, "gte_dist_lseg_lseg", (SEGMENT, SEGMENT2),
             (lseg(SEGMENT), lseg(SEGMENT2))),
            (t.dist_segment_plane, "gte_dist_lseg_plane", (SEGMENT, PLANE),
             (lseg(SEGMENT), plane(PLANE))),
        ]
        for function, export, args, records in cases:
            with self.subTest(export):
                got = call_through(self, export, function, *args)
                expected = gte_dist_result()
                getattr(raw, export)(*records, byref(expected))
                self.assertEqual(got, dist_fields(expected))

    def test_foot_and_the_three_circle_records_come_in_order(self):
        foot, result = call_through(self, "gte_distfootpoint_point_line",
                                    tavrisk.dist_foot_point_line, POINT, LINE)
        self.assertEqual((foot, result), (result.point2, tavrisk.dist_point_line(POINT, LINE)))
        for function, export in ((tavrisk.dist_point_circle, "gte_dist_point_circle"),
                                 (tavrisk.dist_point_arc, "gte_dist_point_arc")):
            got = call_through(self, export, function, POINT, CIRCLE1)
            expected = (gte_dist_result * 3)()
            getattr(raw, export)(circle(CIRCLE1), point(POINT), expected)
            self.assertEqual(got, tuple(dist_fields(r) for r in expected))

    def test_linear_distances_are_the_exports_numbers(self):
        t = tavrisk
        cases = [(t.dist_line_line, "gte_dist_line_line", LINE, line(LINE), RAY, line(RAY)),
                 (t.dist_line_ray, "gte_dist_line_ray", LINE, line(LINE), RAY, ray(RAY)),
                 (t.dist_line_segment, "gte_dist_line_lseg", LINE, line(LINE), SEGMENT,
                  lseg(SEGMENT)),
                 (t.dist_ray_ray, "gte_dist_ray_ray", RAY, ray(RAY), LINE, ray(LINE)),
                 (t.dist_ray_segment, "gte_dist_ray_lseg", RAY, ray(RAY), SEGMENT,
                  lseg(SEGMENT))]
        for function, export, first, first_record, second, second_record in cases:
            with self.subTest(export):
                got = call_through(self, export, function, first, second)
                self.assertEqual(got, getattr(raw, export)(first_record, second_record))

    def test_plain_sequences_and_records_are_shapes_and_wrong_sizes_are_not(self):
        expected = tavrisk.dist_point_circle(POINT, CIRCLE1)
        for args in (([3.0, 4.5, -1.25], [[0.5, 0.25, 0.0], 2.0, [0.0, 0.0, 1.0]]),
                     (point(POINT), circle(CIRCLE1)), (POINT, ((0.5, 0.25, 0.0), 2.0))):
            self.assertEqual(tavrisk.dist_point_circle(*args), expected)
        for function, args in [(tavrisk.dist_point_line, ((1, 2), LINE)),
                               (tavrisk.dist_point_line, (POINT, PLANE)),
                               (tavrisk.dist_point_rect, (POINT, RECT[:4]))]:
            with self.subTest(args=args), self.assertRaises(ValueError):
                function(*args)


class CircleDistanceTest(unittest.TestCase):
    def test_each_function_reports_the_records_of_its_export(self):
        t = tavrisk
        xy_apart = CIRCLE2._replace(center=(6.0, 1.0, 3.0))
        cases = [(t.dist_circle_circle, "gte_dist_circle_circle", CIRCLE1, circle(CIRCLE1)),
                 (t.dist_3d_circle_circle, "gte_dist3D_circle_circle", TILTED, circle(TILTED)),
                 (t.dist_xy_circle_circle, "gte_distXY_circle_circle", xy_apart,
                  circle(xy_apart)),
                 (t.dist_arc_circle, "gte_dist_arc_circle", CIRCLE1, circle(CIRCLE1)),
                 (t.dist_arc_arc, "gte_dist_arc_arc", CIRCLE1, circle(CIRCLE1)),
                 (t.dist_line_circle, "gte_dist_line_circle", LINE, line(LINE)),
                 (t.dist_line_arc, "gte_dist_line_arc", LINE, line(LINE)),
                 (t.dist_segment_circle, "gte_dist_lseg_circle", SEGMENT, lseg(SEGMENT)),
                 (t.dist_segment_arc, "gte_dist_lseg_arc", SEGMENT, lseg(SEGMENT))]
        for function, export, first, first_record in cases:
            with self.subTest(export):
                got = call_through(self, export, function, first, CIRCLE2)
                expected = (gte_dist_result * 3)()
                self.assertEqual(getattr(raw, export)(first_record, circle(CIRCLE2), expected), 3)
                self.assertEqual(got, tuple(dist_fields(r) for r in expected))

    def test_pairs_not_written_are_none_and_a_refusal_raises(self):
        # Circles in planes at right angles are not compared by the coplanar measure, and a
        # line through the centre singles out no diameter: only the centre record is written.
        apart = tavrisk.dist_circle_circle(Circle((0, 0, 0), 2), Circle((5, 0, 0), 1, (1, 0, 0)))
        through = tavrisk.dist_line_circle(((-5, 0, 0), (1, 0, 0)), Circle((0, 0, 0), 2))
        self.assertEqual([(r.center.dist, r.nearest, r.farthest) for r in (apart, through)],
                         [(5, None, None), (0, None, None)])
        with ExportSpy("gte_dist_line_circle", fake=lambda *args: -1):
            with self.assertRaises(tavrisk.RefusedError) as raised:
                tavrisk.dist_line_circle(LINE, CIRCLE1)
        self.assertEqual((raised.exception.function, raised.exception.export),
                         ("dist_line_circle", "gte_dist_line_circle"))


if __name__ == "__main__":
    unittest.main()
