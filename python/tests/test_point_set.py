"""Point-set and segment gaps: the library's values in named fields, refusals raised."""

import unittest
from ctypes import byref, c_double

import tavrisk
from support import SEGMENT, SEGMENT2, call_through, gap_fields, line, lseg, points
from tavrisk import RefusedError, raw
from tavrisk.records import gte_gap_result, gte_lseg, gte_point

X_LINE = ((0, 0, 0), (1, 0, 0))
SLANTED = ((0.5, -1.0, 0.0), (2.0, 1.0, 0.3))
SET1 = [(0.0, 0.0, 0.0), (2.0, 0.1, 0.2), (4.0, -0.2, 0.1), (6.0, 0.05, 0.0), (8.0, 0.3, 0.4),
        (10.0, -0.1, 0.1)]
SET2 = [(0.0, 4.0, 1.0), (2.0, 6.0, 1.0), (4.0, 5.0, 1.0), (6.0, 4.4, 0.9), (8.0, 5.2, 1.1),
        (10.0, 4.9, 1.0)]


def raw_gap(export, *args):
    record = gte_gap_result()
    getattr(raw, export)(*args, byref(record))
    return gap_fields(record)


def raw_pair(export, *args):
    high, low = c_double(), c_double()
    getattr(raw, export)(*args, byref(high), byref(low))
    return (high.value, low.value)


class PointSetTest(unittest.TestCase):
    def test_each_function_reports_its_exports_values(self):
        one = (points(SET1), len(SET1), line(SLANTED))
        two = (points(SET1), len(SET1), points(SET2), len(SET2), line(SLANTED))
        filtered, plain = (1, 1, 1.5, True), (1, 1, 0.0, False)
        cases = [
            ("dist_points_line", (SET1, SLANTED), one),
            ("gap_points_line", (SET1, SLANTED), one),
            ("interval_points_line", (SET1, SLANTED, 1, 1, 1.5), one + filtered),
            ("gap_sigma_points_line", (SET1, SLANTED, 0, 2), one + (0, 2, 0.0, False)),
            ("dist_points_points", (SET1, SET2, SLANTED), two),
            ("gap_xy_points_points", (SET1, SET2, SLANTED), two),
            ("interval_points_points", (SET1, SET2, SLANTED, 1, 1), two + plain),
            ("gap_sigma_points_points", (SET1, SET2, SLANTED, 1, 1, 1.5), two + filtered),
        ]
        for name, args, raw_args in cases:
            export = tavrisk.EXPORTS[name]
            with self.subTest(export):
                got = call_through(self, name, *args)
                read = raw_gap if name.startswith("gap") else raw_pair
                self.assertEqual(got, read(export, *raw_args))

    def test_the_sigma_factor_switches_the_outlier_filter_on(self):
        five = [(0, 1, 0), (1, 2, 0), (2, 3, 0), (3, 4, 0), (4, 10, 0)]
        self.assertEqual(tavrisk.interval_points_line(five, X_LINE, 0, 1), (10, 1))
        self.assertEqual(tavrisk.interval_points_line(five, X_LINE, 0, 1, sigma_factor=1), (4, 1))

    def test_refusals_name_the_function(self):
        four = SET1[:4]
        t = tavrisk
        cases = [
            (t.dist_points_line, (SET1[:1], X_LINE)),
            (t.gap_points_line, ([], X_LINE)),
            (t.interval_points_line, (four, X_LINE, 1, 1)),
            (t.gap_sigma_points_line, (four, X_LINE, 1, 1)),
            (t.dist_points_points, (SET1, SET2, ((0, 0, 0), (0, 0, 1)))),
            (t.gap_xy_points_points, ([], SET2, X_LINE)),
            (t.interval_points_points, (SET1, four, X_LINE, 1, 1)),
            (t.gap_sigma_points_points, (SET1[:2], SET2[:2], X_LINE, 0, 1)),
        ]
        for function, args in cases:
            with self.subTest(function.__name__), self.assertRaises(RefusedError) as raised:
                function(*args)
            self.assertEqual(raised.exception.function, function.__name__)


class SegmentGapTest(unittest.TestCase):
    def test_gap_and_interval_of_two_edges(self):
        records = (lseg(SEGMENT), lseg(SEGMENT2))
        got = call_through(self, "gap_xy_segment_segment", SEGMENT, SEGMENT2)
        self.assertEqual(got, raw_gap("gte_gapXY_lseg_lseg", *records))
        got = call_through(self, "interval_xy_segment_segment", SEGMENT, SEGMENT2)
        high, low = c_double(), c_double()
        center = raw.gte_intervalXY_lseg_lseg(*records, byref(high), byref(low))
        self.assertEqual(got, (center, high.value, low.value))

    def test_the_empty_export_leaves_the_record_as_it_was(self):
        record = gte_gap_result()
        for offset, value in ((0, 1.5), (48, -2.0), (64, 7.25)):
            c_double.from_buffer(record, offset).value = value
        before = bytes(record)
        raw.gte_gap_lseg_lseg(gte_lseg(), gte_lseg(gte_point(1, 2, 3)), byref(record))
        self.assertEqual(bytes(record), before)


if __name__ == "__main__":
    unittest.main()
