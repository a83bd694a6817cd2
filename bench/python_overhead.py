#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""What the Python layer costs per call, against the bare ctypes call of the same export.

    PYTHONPATH=python TAVRISK_LIBRARY=build/libTavrisk.so python3 bench/python_overhead.py

Small export: gte_dist_point_line, from Python tuples to a DistResult, against the raw ctypes
call on records built beforehand. Large input: gte_fit_lseg on 1e6 points, as a float64 numpy
array (read in place), against the raw call on the array's own pointer, and as a list of tuples
(packed into a block of doubles first). Each figure is the median of repeated runs; the ratios
are to the raw call measured in the same run.
"""

import argparse
import random
import statistics
import sys
import timeit
from ctypes import POINTER, byref, c_void_p, cast

import tavrisk
from tavrisk import raw
from tavrisk.records import gte_dist_result, gte_line, gte_lseg, gte_point, gte_vector


def medians(calls, number, repeat):
    """Median seconds per call of each candidate; the runs of the candidates take turns, so
    that a noisy neighbour on the machine slows them alike."""
    runs = {name: [] for name in calls}
    for _ in range(repeat):
        for name, call in calls.items():
            runs[name].append(timeit.timeit(call, number=number) / number)
    return {name: statistics.median(seconds) for name, seconds in runs.items()}


def small_export(number, repeat):
    point, line = (3.0, 4.5, -1.25), ((0.5, -1.0, 2.0), (2.0, 1.0, 0.5))
    line_record = gte_line(gte_point(*line[0]), gte_vector(*line[1]))
    point_record = gte_point(*point)
    result = gte_dist_result()
    function = raw.gte_dist_point_line
    timings = {
        "raw ctypes call, records built beforehand":
            lambda: function(line_record, point_record, byref(result)),
        "raw ctypes call, records built from tuples":
            lambda: function(gte_line(gte_point(*line[0]), gte_vector(*line[1])),
                             gte_point(*point), byref(result)),
        "tavrisk.dist_point_line(point, line)": lambda: tavrisk.dist_point_line(point, line),
    }
    return medians(timings, number, repeat)


def large_input(count, repeat):
    rng = random.Random(7)
    cloud = [(rng.uniform(0, 100), rng.uniform(0, 100), 5 + rng.gauss(0, 0.01))
             for _ in range(count)]
    timings = {}
    try:
        import numpy
    except ImportError:
        numpy = None
    if numpy is not None:
        array = numpy.array(cloud)
        pointer = array.ctypes.data_as(POINTER(gte_point))
        segment = gte_lseg()
        timings["raw ctypes call on the array's pointer"] = lambda: raw.gte_fit_lseg(
            pointer, count, byref(segment))
        timings["tavrisk.fit_segment(numpy array)"] = lambda: tavrisk.fit_segment(array)
        check_in_place(array)
    # Timed apart: its 24 MB packing buffer, released between calls, would change what the
    # allocator hands the library in the calls taking turns with it.
    timings = medians(timings, 1, repeat)
    sequence = {"tavrisk.fit_segment(list of tuples)": lambda: tavrisk.fit_segment(cloud)}
    timings.update(medians(sequence, 1, max(3, repeat // 3)))
    return timings


def check_in_place(array):
    """Fails the benchmark unless the library reads the caller's array itself."""
    passed = []
    real = raw.gte_fit_lseg

    def spy(points, count, segment):
        passed.append(cast(points, c_void_p).value)
        return real(points, count, segment)

    raw.gte_fit_lseg = spy
    try:
        tavrisk.fit_segment(array)
    finally:
        raw.gte_fit_lseg = real
    if passed != [array.ctypes.data]:
        sys.exit("the points were copied: %s passed, the array is at %#x" % (passed,
                                                                            array.ctypes.data))
    print("a %d-point array reaches gte_fit_lseg in place at %#x" % (len(array),
                                                                     array.ctypes.data))


def report(title, timings, unit, scale):
    baseline = next(iter(timings.values()))
    print(title)
    for name, seconds in timings.items():
        print("  %-46s %10.2f %s  x%.2f" % (name, seconds * scale, unit, seconds / baseline))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--calls", type=int, default=20000, help="calls per timed run")
    parser.add_argument("--repeat", type=int, default=15, help="timed runs, median reported")
    parser.add_argument("--points", type=int, default=1000000, help="points of the large set")
    args = parser.parse_args()
    print("library %s, Python %s" % (raw.library_path, sys.version.split()[0]))
    report("per call, gte_dist_point_line (median of %d runs of %d calls)"
           % (args.repeat, args.calls), small_export(args.calls, args.repeat), "us", 1e6)
    report("per call, gte_fit_lseg on %d points (median of %d runs)" % (args.points, args.repeat),
           large_input(args.points, args.repeat), "ms", 1e3)


if __name__ == "__main__":
    main()
