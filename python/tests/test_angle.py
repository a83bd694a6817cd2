"""Angles and angle drawings agree with the library and keep its senses and arm order."""

import math
import unittest
from ctypes import byref

import tavrisk
from support import call_through, xyz
from tavrisk import raw
from tavrisk.records import gte_angle_result, gte_line, gte_lseg, gte_plane, gte_point, gte_ray
from tavrisk.records import gte_vector

LINE = ((0.5, -1.0, 2.0), (2.0, 1.0, 0.5))
RAY = ((1.0, 1.0, 1.0), (-1.0, 0.5, 0.25))
SEGMENT = ((0.0, 0.0, 0.0), (2.0, 1.0, -1.0))
SEGMENT2 = ((1.0, 5.0, 2.0), (4.0, -1.0, 0.0))
PLANE = ((0.0, 0.0, 1.0), (1.0, 0.0, 1.5), (0.0, 1.0, 0.75))
PLANE2 = ((0.0, 0.0, 0.0), (0.0, 1.0, 0.2), (1.0, 0.0, -0.4))


def record(shape, kind):
    if kind is gte_plane:
        return gte_plane(*(gte_point(*p) for p in shape))
    if kind is gte_lseg:
        return gte_lseg(pt1=gte_point(*shape[0]), pt2=gte_point(*shape[1]))
    return kind(pt=gte_point(*shape[0]), vector=gte_vector(*shape[1]))


KINDS = {"line": (LINE, gte_line), "ray": (RAY, gte_ray), "lseg": (SEGMENT, gte_lseg),
         "lseg2": (SEGMENT2, gte_lseg), "plane": (PLANE, gte_plane), "plane2": (PLANE2, gte_plane)}


class AngleTest(unittest.TestCase):
    def test_each_angle_is_its_exports(self):
        t = tavrisk
        cases = [
            (t.angle_line_line, "gte_angle_line_line", "line", "line"),
            (t.angle_line_ray, "gte_angle_line_ray", "line", "ray"),
            (t.angle_line_segment, "gte_angle_line_lseg", "line", "lseg"),
            (t.angle_ray_ray, "gte_angle_ray_ray", "ray", "ray"),
            (t.angle_ray_segment, "gte_angle_ray_lseg", "ray", "lseg"),
            (t.angle_segment_segment, "gte_angle_lseg_lseg", "lseg", "lseg2"),
            (t.angle_xy_line_line, "gte_angleXY_line_line", "line", "line"),
            (t.angle_xy_line_ray, "gte_angleXY_line_ray", "line", "ray"),
            (t.angle_xy_line_segment, "gte_angleXY_line_lseg", "line", "lseg"),
            (t.angle_xy_ray_ray, "gte_angleXY_ray_ray", "ray", "ray"),
            (t.angle_xy_ray_segment, "gte_angleXY_ray_lseg", "ray", "lseg"),
            (t.angle_xy_segment_segment, "gte_angleXY_lseg_lseg", "lseg", "lseg2"),
            (t.angle_line_plane, "gte_angle_line_plane", "line", "plane"),
            (t.angle_ray_plane, "gte_angle_ray_plane", "ray", "plane"),
            (t.angle_segment_plane, "gte_angle_lseg_plane", "lseg", "plane"),
            (t.angle_plane_plane, "gte_angle_plane_plane", "plane", "plane2"),
        ]
        for function, export, first, second in cases:
            (shape1, kind1), (shape2, kind2) = KINDS[first], KINDS[second]
            with self.subTest(export):
                got = call_through(self, export, function, shape1, shape2)
                self.assertEqual(got, getattr(raw, export)(record(shape1, kind1),
                                                           record(shape2, kind2)))

    def test_senses_and_projection(self):
        x_axis = ((0, 0, 0), (1, 0, 0))
        # A segment points from pt2 towards pt1.
        self.assertEqual(tavrisk.angle_line_segment(x_axis, ((0, 0, 0), (1, 0, 0))), 180)
        self.assertEqual(tavrisk.angle_line_segment(x_axis, ((1, 0, 0), (0, 0, 0))), 0)
        rising, falling = ((0, 0, 0), (1, 0, 1)), ((0, 0, 0), (1, 0, -1))
        self.assertAlmostEqual(tavrisk.angle_line_line(rising, falling), 90, places=12)
        self.assertEqual(tavrisk.angle_xy_line_line(rising, falling), 0)
        thirty = ((0, 0, 0), (math.cos(math.pi / 6), 0, math.sin(math.pi / 6)))
        self.assertAlmostEqual(tavrisk.angle_line_plane(thirty, ((0, 0, 0), (0, 1, 0),
                                                                 (1, 0, 0))), 30, places=12)
        flipped = ((0, 0, 0), (1, 0, 0), (0, 1, 0)), ((0, 0, 0), (0, 1, 0), (1, 0, 0))
        self.assertEqual(tavrisk.angle_plane_plane(*flipped), 180)


class AngleDrawTest(unittest.TestCase):
    def test_each_drawing_is_its_exports_record(self):
        cases = [
            (tavrisk.angle_draw_segment_segment, "gte_angle_draw_lseg_lseg", "lseg", "lseg2"),
            (tavrisk.angle_draw_xy_segment_segment, "gte_angleXY_draw_lseg_lseg", "lseg",
             "lseg2"),
            (tavrisk.angle_draw_segment_plane, "gte_angle_draw_lseg_plane", "lseg", "plane"),
            (tavrisk.angle_draw_plane_plane, "gte_angle_draw_plane_plane", "plane", "plane2"),
        ]
        for function, export, first, second in cases:
            with self.subTest(export):
                (shape1, kind1), (shape2, kind2) = KINDS[first], KINDS[second]
                got = call_through(self, export, function, shape1, shape2)
                output = gte_angle_result()
                angle = getattr(raw, export)(record(shape1, kind1), record(shape2, kind2),
                                             byref(output))
                self.assertEqual((got.angle, got.center_point, got.direction1, got.direction2),
                                 (angle, xyz(output.centerPoint), xyz(output.direction1),
                                  xyz(output.direction2)))

    def test_vertex_and_arms_of_crossing_segments(self):
        got = tavrisk.angle_draw_segment_segment(((0, 0, 0), (2, 0, 0)), ((1, -1, 5), (1, 1, 5)))
        self.assertEqual(got, (90, (1, 0, 5), (-1, 0, 0), (0, -1, 0)))
        seen_from_above = tavrisk.angle_draw_xy_segment_segment(((0, 0, 0), (2, 0, 0)),
                                                                ((1, -1, 5), (1, 1, 5)))
        self.assertEqual(seen_from_above.center_point, (1, 0, 0))


if __name__ == "__main__":
    unittest.main()
