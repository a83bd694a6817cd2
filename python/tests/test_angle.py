"""Angles and angle drawings are the library's, with vertex and arms in their places."""

import unittest
from ctypes import byref

import tavrisk
from support import (LINE, PLANE, PLANE2, RAY, SEGMENT, SEGMENT2, call_through, line, lseg, plane,
                     ray, xyz)
from tavrisk import raw
from tavrisk.records import gte_angle_result

# Two different shapes of each kind, by the word the exports use for it.
SHAPES = {"line": ((LINE, line), (RAY, line)), "ray": ((RAY, ray), (LINE, ray)),
          "lseg": ((SEGMENT, lseg), (SEGMENT2, lseg)), "plane": ((PLANE, plane), (PLANE2, plane))}


class AngleTest(unittest.TestCase):
    def test_each_angle_and_drawing_is_its_exports(self):
        measured = 0
        for name, export in sorted(tavrisk.EXPORTS.items()):
            if not name.startswith("angle"):
                continue
            first, second = export.split("_")[-2:]
            (shape1, record1), (shape2, record2) = SHAPES[first][0], SHAPES[second][1]
            with self.subTest(export):
                got = call_through(self, export, getattr(tavrisk, name), shape1, shape2)
                if "draw" not in export:
                    self.assertEqual(got, getattr(raw, export)(record1(shape1), record2(shape2)))
                else:
                    output = gte_angle_result()
                    angle = getattr(raw, export)(record1(shape1), record2(shape2), byref(output))
                    self.assertEqual(got, (angle, xyz(output.centerPoint), xyz(output.direction1),
                                           xyz(output.direction2)))
                    self.assertEqual(got.angle, output.angle)
                measured += 1
        self.assertEqual(measured, 20)


if __name__ == "__main__":
    unittest.main()
