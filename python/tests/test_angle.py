"""Angles and angle drawings are the library's, with vertex and arms in their places."""

import unittest
from ctypes import byref

import tavrisk
from support import LINE, PLANE, PLANE2, RAY, SEGMENT, SEGMENT2, call_through, records_for, xyz
from tavrisk import raw
from tavrisk.records import gte_angle_result

# Two different shapes of each kind, by the word the exports use for it.
SHAPES = {"line": (LINE, RAY), "ray": (RAY, LINE), "lseg": (SEGMENT, SEGMENT2),
          "plane": (PLANE, PLANE2)}


class AngleTest(unittest.TestCase):
    def test_each_angle_and_drawing_is_its_exports(self):
        measured = 0
        for name, export in sorted(tavrisk.EXPORTS.items()):
            if not name.startswith("angle"):
                continue
            first, second = export.split("_")[-2:]
            shapes = SHAPES[first][0], SHAPES[second][1]
            with self.subTest(export):
                got = call_through(self, name, *shapes)
                if "draw" not in export:
                    self.assertEqual(got, getattr(raw, export)(*records_for(export, *shapes)))
                else:
                    output = gte_angle_result()
                    angle = getattr(raw, export)(*records_for(export, *shapes), byref(output))
                    self.assertEqual(got, (angle, xyz(output.centerPoint), xyz(output.direction1),
                                           xyz(output.direction2)))
                    self.assertEqual(got.angle, output.angle)
                measured += 1
        self.assertEqual(measured, 20)


if __name__ == "__main__":
    unittest.main()
