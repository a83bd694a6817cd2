# SPDX-License-Identifier: MIT
"""Point files read right or refused with the reason: read_points over the layouts instruments
write, the problem record on RefusedError for every file refusal, flatness(path) included."""

import gzip
import os
import tempfile
import unittest
from ctypes import byref, c_double

import tavrisk as t
from support import SCRATCH, SOURCE_DIR, numpy
from tavrisk import RefusedError

FACE = os.path.join(SOURCE_DIR, "data", "face.txt")
with open(FACE) as face_file:
    FACE_ROWS = [line.split() for line in face_file if line.strip()]


def write(name, text, mode="w"):
    path = os.path.join(tempfile.mkdtemp(dir=SCRATCH), name)
    with open(path, mode) as out:
        out.write(text)
    return path


def layout(row_of, header=None):
    """The face's values in another layout: row_of(i, (x, y, z)) gives the line of point i."""
    lines = [header] if header is not None else []
    lines += [row_of(i, row) for i, row in enumerate(FACE_ROWS)]
    return "\n".join(lines) + "\n"


@unittest.skipIf(numpy is None, "numpy is not available")
class ReadPointsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.face = t.read_points(FACE)

    def test_each_layout_is_refused_naming_its_option_and_read_with_it(self):
        self.assertEqual(self.face.shape, (len(FACE_ROWS), 3))
        self.assertEqual(self.face[:, 2].tolist(), [float(row[2]) for row in FACE_ROWS])
        self.assertEqual(round(t.flatness(self.face), 6), 0.013066)
        comma = lambda row: [v.replace(".", ",") for v in row]  # noqa: E731
        cases = [
            # (layout, the option that reads it, and the problem without it); the layouts read
            # with no option are the library's own tests'.
            (layout(lambda i, r: " ".join(r + ["0", "0", "1"])), {"columns": (1, 2, 3)},
             "columns_needed"),
            (layout(lambda i, r: "\t".join(comma(r))), {"decimal_comma": True},
             "ambiguous_comma"),
            (layout(lambda i, r: " ".join(r + ["7"]), header="X Y Z intensity"),
             {"columns": ("x", "Y", "Z")}, "columns_needed"),
            (layout(lambda i, r: " ".join(r), header="# exported points"), {"comment": "#"},
             "comment_line"),
        ]
        for text, options, problem in cases:
            path = write("face.txt", text)
            with self.subTest(text=text[:40], options=options):
                with self.assertRaises(RefusedError) as raised:
                    t.read_points(path)
                self.assertEqual(raised.exception.kind, problem)
                self.assertEqual(raised.exception.option, list(options)[0])
                self.assertIsNotNone(raised.exception.line)
                points = t.read_points(path, **options)
                self.assertEqual(points.tobytes(), self.face.tobytes())

    def test_refusals_carry_the_problem_record(self):
        six = write("six.txt", "1 2 3 4 5 6\n7 8 9 10 11 12\n")
        with self.assertRaises(RefusedError) as raised:
            t.read_points(six)
        error = raised.exception
        self.assertEqual((error.function, error.export, error.kind, error.line, error.count,
                          error.option, error.format),
                         ("read_points", "tvi_read_points_file", "columns_needed", 1, 6,
                          "columns", "text"))
        self.assertIn("line 1", error.reason)
        bad = write("bad.txt", "1 2 3\n4 5 six\n")
        with self.assertRaises(RefusedError) as raised:
            t.read_points(bad)
        self.assertEqual((raised.exception.kind, raised.exception.line,
                          raised.exception.column, raised.exception.text),
                         ("not_a_number", 2, 3, "six"))
        packed = write("face.txt.gz", gzip.compress(b"1 2 3\n"), "wb")
        with self.assertRaises(RefusedError) as raised:
            t.read_points(packed)
        self.assertEqual((raised.exception.kind, raised.exception.format),
                         ("unread_format", "gzip"))

    def test_other_formats_and_arguments(self):
        ply = ("ply\nformat ascii 1.0\nelement vertex 2\nproperty float x\nproperty float y\n"
               "property float z\nproperty uchar red\nend_header\n1.5 -2 3 200\n4 5 6.25 1\n")
        self.assertEqual(t.read_points(write("two.ply", ply)).tolist(),
                         [[1.5, -2, 3], [4, 5, 6.25]])
        text = write("three.txt", "1 2 3\n")
        for arguments in ({"columns": (1, 2)}, {"columns": (0, 1, 2)}, {"columns": "xyz"},
                          {"comment": "##"}, {"format": "xyz"}):
            with self.subTest(arguments), self.assertRaises(ValueError):
                t.read_points(text, **arguments)
        # A format named reads the bytes as that format, and says what is wrong with them.
        with self.assertRaises(RefusedError) as raised:
            t.read_points(text, format="ply")
        self.assertEqual(raised.exception.format, "PLY")


class FlatnessFileTest(unittest.TestCase):
    def test_a_refused_file_names_the_export_and_gives_no_line_where_none_is_at_fault(self):
        # The kinds are the library's own tests', the fields of a record with a line the test
        # of read_points above: the same mapping serves both.
        with self.assertRaises(RefusedError) as raised:
            t.flatness(write("points.txt", "0 0 0\n1 1 1\n2 2 2\n"))
        error = raised.exception
        self.assertEqual((error.kind, error.line, error.text, error.export),
                         ("no_unique_fit", None, None, "tvi_least_squares_flatness_file"))
        self.assertTrue(error.message)
        self.assertEqual(error.message, error.reason)
        # The file export reads numbers three at a time whatever the lines: its figure stays.
        six = write("six.txt", "0 0 0 1 0 0.5\n0 1 0 1 1 0.25\n")
        figure = c_double()
        self.assertEqual(t.raw.gte_measure_platness_pointCloud_file(os.fsencode(six),
                                                                   byref(figure)),
                         t.codes.FLATNESS_MEASURED)
        self.assertEqual(t.flatness(six), figure.value)


if __name__ == "__main__":
    unittest.main()
