"""The records' layout table is the header's, and a structure that strays from it is refused."""

import os
import re
import subprocess
import sys
import unittest
from ctypes import Structure, c_double, c_float

from support import HEADER
from tavrisk import records

SIZE = re.compile(r"^TAVRISK_CHECK_SIZE\((\w+),\s*(\d+)\);", re.M)
OFFSET = re.compile(r"^TAVRISK_CHECK_OFFSET\((\w+),\s*(\w+),\s*(\d+)\);", re.M)


def header_layout():
    with open(HEADER) as header:
        text = header.read()
    layout = {name: (int(size), {}) for name, size in SIZE.findall(text)}
    for name, field, offset in OFFSET.findall(text):
        layout[name][1][field] = int(offset)
    return layout


class LayoutTest(unittest.TestCase):
    def test_the_package_layout_is_the_headers(self):
        expected = header_layout()
        self.assertGreaterEqual(len(expected), 13)
        self.assertEqual(records.LAYOUT, expected)
        self.assertEqual(sorted(records.STRUCTURES), sorted(expected))

    def test_a_structure_that_strays_is_refused_by_name(self):
        class ShortPoint(Structure):
            _fields_ = [("x", c_double), ("y", c_double)]

        class SwappedResult(Structure):
            _fields_ = [(name, kind) for name, kind in records.gte_dist_result._fields_]
            _fields_[0], _fields_[1] = _fields_[1], _fields_[0]

        class PackedCircle(Structure):
            _pack_ = 4
            _fields_ = [("center", records.gte_point), ("radius", c_float),
                        ("vector", records.gte_vector)]

        for name, structure in (("gte_point", ShortPoint), ("gte_dist_result", SwappedResult),
                                ("gte_circle", PackedCircle)):
            with self.subTest(name), self.assertRaisesRegex(ImportError, name):
                records.check_layout({name: structure})
        records.check_layout()  # the package's own structures pass

    def test_import_fails_when_ctypes_lays_the_records_out_differently(self):
        # A double that is not 8 bytes wide shifts every record: the package must not load.
        code = "import ctypes; ctypes.c_double = ctypes.c_float; import tavrisk"
        package_parent = os.path.dirname(os.path.dirname(records.__file__))
        run = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                             env=dict(os.environ, PYTHONPATH=package_parent))
        self.assertNotEqual(run.returncode, 0)
        self.assertIn("ImportError: tavrisk: record gte_point does not match", run.stderr)


if __name__ == "__main__":
    unittest.main()
