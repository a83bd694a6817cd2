"""Point, linear and circle distances are the library's records, in named fields."""

import unittest
from ctypes import byref

import tavrisk
from support import (LINE, PLANE, POINT, RAY, RECORD_OF, SEGMENT, SEGMENT2, ExportSpy,
                     call_through, circle, dist_fields, point, records_for)
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


# Rect, ellipse and quad records built field by field; the point distances take the shape first.
RECORD_OF = dict(RECORD_OF, rect=lambda _: RECT_RECORD, rectCenter=lambda _: RECT_RECORD,
                 ellipseCenter=lambda _: ELLIPSE_RECORD, quadCenter=lambda _: QUAD_RECORD)


def raw_records(export, *shapes):
    records = records_for(export, *shapes, record_of=RECORD_OF)
    return records[::-1] if export.startswith("gte_dist_point_") else records


class PointAndLinearDistanceTest(unittest.TestCase):
    def test_each_function_reports_the_record_or_number_of_its_export(self):
        cases = [("dist_point_line", POINT, LINE), ("dist_point_ray", POINT, RAY),
                 ("dist_point_segment", POINT, SEGMENT), ("dist_point_plane", POINT, PLANE),
                 ("dist_point_rect", POINT, RECT), ("dist_rect_center_line", RECT, LINE),
                 ("dist_ellipse_center_line", ELLIPSE, LINE),
                 ("dist_quad_center_line", QUAD, LINE), ("dist_segment_segment", SEGMENT, SEGMENT2),
                 ("dist_segment_plane", SEGMENT, PLANE),
                 # the distances between lines, rays and segments return a number, no record
                 ("dist_line_line", LINE, RAY), ("dist_line_ray", LINE, RAY),
                 ("dist_line_segment", LINE, SEGMENT), ("dist_ray_ray", RAY, LINE),
                 ("dist_ray_segment", RAY, SEGMENT)]
        for name, *shapes in cases:
            export = tavrisk.EXPORTS[name]
            with self.subTest(export):
                got = call_through(self, name, *shapes)
                records = raw_records(export, *shapes)
                if len(getattr(raw, export).argtypes) == 2:
                    self.assertEqual(got, getattr(raw, export)(*records))
                    continue
                expected = gte_dist_result()
                getattr(raw, export)(*records, byref(expected))
                self.assertEqual(got, dist_fields(expected))

    def test_the_foot_comes_with_its_distance(self):
        foot, result = call_through(self, "dist_foot_point_line", POINT, LINE)
        self.assertEqual((foot, result), (result.point2, tavrisk.dist_point_line(POINT, LINE)))

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
    def test_each_function_reports_the_three_records_of_its_export(self):
        xy_apart = CIRCLE2._replace(center=(6.0, 1.0, 3.0))
        cases = [("dist_circle_circle", CIRCLE1), ("dist_3d_circle_circle", TILTED),
                 ("dist_xy_circle_circle", xy_apart), ("dist_arc_circle", CIRCLE1),
                 ("dist_arc_arc", CIRCLE1), ("dist_line_circle", LINE), ("dist_line_arc", LINE),
                 ("dist_segment_circle", SEGMENT), ("dist_segment_arc", SEGMENT),
                 ("dist_point_circle", POINT), ("dist_point_arc", POINT)]
        for name, first in cases:
            export = tavrisk.EXPORTS[name]
            with self.subTest(export):
                got = call_through(self, name, first, CIRCLE2)
                expected = (gte_dist_result * 3)()
                count = getattr(raw, export)(*raw_records(export, first, CIRCLE2), expected)
                self.assertIn(count, (None, 3))  # a point has no pairs to leave out
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
