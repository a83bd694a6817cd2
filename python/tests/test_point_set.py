"""Point-set and segment gaps: the library's values, refusals raised, fields in their places."""

import unittest
from ctypes import byref, c_double

import tavrisk
from support import call_through, xyz
from tavrisk import RefusedError, raw
from tavrisk.records import gte_gap_result, gte_line, gte_lseg, gte_point, gte_vector

X_LINE = ((0, 0, 0), (1, 0, 0))
SLANTED = ((0.5, -1.0, 0.0), (2.0, 1.0, 0.3))
SET1 = [(0.0, 0.0, 0.0), (2.0, 0.1, 0.2), (4.0, -0.2, 0.1), (6.0, 0.05, 0.0), (8.0, 0.3, 0.4),
        (10.0, -0.1, 0.1)]
SET2 = [(0.0, 4.0, 1.0), (2.0, 6.0, 1.0), (4.0, 5.0, 1.0), (6.0, 4.4, 0.9), (8.0, 5.2, 1.1),
        (10.0, 4.9, 1.0)]
EDGE1 = [(0, 0, 0), (2, 0, 0), (4, 0, 0)]
EDGE2 = [(0, 4, 1), (2, 6, 1), (4, 5, 1)]


def c_points(points):
    return (gte_point * len(points))(*(gte_point(*p) for p in points))


def c_line(l):
    return gte_line(pt=gte_point(*l[0]), vector=gte_vector(*l[1]))


def gap_fields(record):
    return (xyz(record.centerPoint), xyz(record.direction), record.centerGap, record.minGap,
            record.maxGap)


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
        t = tavrisk
        one = (c_points(SET1), len(SET1))
        two = one + (c_points(SET2), len(SET2))
        robust = (1, 1, 1.5, True)
        cases = [
            (t.dist_points_line, "gte_dist_mutiPoint_line", (SET1, SLANTED), raw_pair,
             one + (c_line(SLANTED),)),
            (t.gap_points_line, "gte_gap_mutiPoint_line", (SET1, SLANTED), raw_gap,
             one + (c_line(SLANTED),)),
            (t.interval_points_line, "gte_interval_mutiPoint_line", (SET1, SLANTED, 1, 1, 1.5),
             raw_pair, one + (c_line(SLANTED),) + robust),
            (t.gap_sigma_points_line, "gte_gapSigma_mutiPoint_line", (SET1, SLANTED, 1, 1, 1.5),
             raw_gap, one + (c_line(SLANTED),) + robust),
            (t.dist_points_points, "gte_dist_mutiPoint_mutiPoint", (SET1, SET2, SLANTED),
             raw_pair, two + (c_line(SLANTED),)),
            (t.gap_xy_points_points, "gte_gapXY_mutiPoint_mutiPoint", (SET1, SET2, SLANTED),
             raw_gap, two + (c_line(SLANTED),)),
            (t.interval_points_points, "gte_interval_mutiPoint_mutiPoint",
             (SET1, SET2, SLANTED, 1, 1, 1.5), raw_pair, two + (c_line(SLANTED),) + robust),
            (t.gap_sigma_points_points, "gte_gapSigma_mutiPoint_mutiPoint",
             (SET1, SET2, SLANTED, 1, 1, 1.5), raw_gap, two + (c_line(SLANTED),) + robust),
        ]
        for function, export, args, read, raw_args in cases:
            with self.subTest(export):
                got = call_through(self, export, function, *args)
                self.assertEqual(tuple(got), read(export, *raw_args))

    def test_known_values_keep_their_fields(self):
        self.assertEqual(tavrisk.dist_points_line([(0, 1, 0), (0, 3, 0)], X_LINE), (3, 1))
        self.assertEqual(tavrisk.gap_points_line([(0, 1, 0), (2, 3, 0)], X_LINE),
                         ((1, 1, 0), (0, -1, 0), 2, 1, 3))
        five = [(0, 1, 0), (1, 2, 0), (2, 3, 0), (3, 4, 0), (4, 10, 0)]
        self.assertEqual(tavrisk.interval_points_line(five, X_LINE, 1, 1), (4, 2))
        self.assertEqual(tavrisk.interval_points_line(five, X_LINE, 0, 1), (10, 1))
        # With the filter, 10 lies more than one standard deviation from the mean 4.
        self.assertEqual(tavrisk.interval_points_line(five, X_LINE, 0, 1, sigma_factor=1), (4, 1))
        self.assertEqual(tavrisk.dist_points_points([(0, 0, 0)], [(0, 5, 7), (3, 2, 0)], X_LINE),
                         (5, 2))
        self.assertEqual(tavrisk.gap_xy_points_points(EDGE1, EDGE2, X_LINE),
                         ((2, 2.5, 0.5), (0, -1, 0), 5, 4, 6))
        self.assertEqual(tavrisk.gap_sigma_points_points(EDGE1, EDGE2, X_LINE, 0, 1),
                         ((2, 2.5, 0.5), (0, 1, 0), 5, 4, 6))

    def test_refusals_name_the_function(self):
        z_line = ((0, 0, 0), (0, 0, 1))
        four = [(0, 1, 0), (1, 2, 0), (2, 3, 0), (3, 4, 0)]
        t = tavrisk
        cases = [
            (t.dist_points_line, ([(0, 1, 0)], X_LINE)),
            (t.gap_points_line, ([], X_LINE)),
            (t.interval_points_line, (four, X_LINE, 1, 1)),
            (t.gap_sigma_points_line, (four, X_LINE, 1, 1)),
            (t.dist_points_points, ([(0, 0, 0)], [(0, 5, 7)], z_line)),
            (t.gap_xy_points_points, ([], EDGE2, X_LINE)),
            (t.interval_points_points, (SET1, four, X_LINE, 1, 1)),
            (t.gap_sigma_points_points, (EDGE1[:2], EDGE2[:2], X_LINE, 0, 1)),
        ]
        for function, args in cases:
            with self.subTest(function.__name__), self.assertRaises(RefusedError) as raised:
                function(*args)
            self.assertEqual(raised.exception.function, function.__name__)


class SegmentGapTest(unittest.TestCase):
    def test_gap_and_interval_of_two_edges(self):
        edge1, edge2 = ((0, 0, 0), (10, 0, 0)), ((10, 5, 0), (0, 1, 0))
        records = (gte_lseg(gte_point(*edge1[0]), gte_point(*edge1[1])),
                   gte_lseg(gte_point(*edge2[0]), gte_point(*edge2[1])))
        got = call_through(self, "gte_gapXY_lseg_lseg", tavrisk.gap_xy_segment_segment, edge1,
                           edge2)
        self.assertEqual(got, raw_gap("gte_gapXY_lseg_lseg", *records))
        self.assertEqual(got.center_point, (5, 1.5, 0))
        interval = call_through(self, "gte_intervalXY_lseg_lseg",
                                tavrisk.interval_xy_segment_segment, edge1, edge2)
        high, low = c_double(), c_double()
        center = raw.gte_intervalXY_lseg_lseg(*records, byref(high), byref(low))
        self.assertEqual(interval, (center, high.value, low.value))
        self.assertEqual(tavrisk.interval_xy_segment_segment(edge1, ((0, 3, 5), (10, 3, 5))),
                         (3, 3, 3))

    def test_the_empty_export_leaves_the_record_as_it_was(self):
        record = gte_gap_result()
        for offset, value in ((0, 1.5), (48, -2.0), (64, 7.25)):
            c_double.from_buffer(record, offset).value = value
        before = bytes(record)
        raw.gte_gap_lseg_lseg(gte_lseg(), gte_lseg(gte_point(1, 2, 3)), byref(record))
        self.assertEqual(bytes(record), before)


if __name__ == "__main__":
    unittest.main()
