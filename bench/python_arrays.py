#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Whole arrays from Python against numpy doing the same sums, and against a loop of calls.

    PYTHONPATH=python TAVRISK_LIBRARY=build/libTavrisk.so python3 bench/python_arrays.py

Distance of each of 1e6 points to a plane: tavrisk.dist_point_plane(points, plane), which gives
the full record of every point (distance, components, foot, direction), and
tavrisk.deviation_point_plane (one signed figure a point), against the same formula in numpy
(the unit normal from the plane's three points, then |(p - p1) . n|; and every field of the
record, as the library computes them), and against the one-point call in a Python loop (timed
on a slice, scaled up).
fit_plane of 1e6 points with its residuals, against numpy's own fit: centroid, the SVD of the
3 x 3 scatter matrix, residuals. The points are a scan-like face: 200 x 100 mm, a few µm of form.

Every figure is the median of repeated runs, the candidates taking turns so that a noisy
neighbour on the machine slows them alike; ratios are to numpy in the same run.
"""

import argparse
import statistics
import sys
import time

import numpy

import tavrisk

PLANE = ((0.0, 0.0, 5.0), (200.0, 0.0, 5.0004), (0.0, 100.0, 4.9998))


def medians(calls, repeat):
    runs = {name: [] for name in calls}
    for _ in range(repeat):
        for name, call in calls.items():
            start = time.perf_counter()
            call()
            runs[name].append(time.perf_counter() - start)
    return {name: statistics.median(seconds) for name, seconds in runs.items()}


def face(count, seed=1):
    generator = numpy.random.default_rng(seed)
    x = generator.uniform(0, 200, count)
    y = generator.uniform(0, 100, count)
    z = 5 + 2e-6 * x - 2e-6 * y + 0.005 * numpy.sin(x / 17) * numpy.cos(y / 13)
    return numpy.c_[x, y, z + generator.normal(0, 0.001, count)]


def numpy_distance(points):
    p1, p2, p3 = (numpy.array(p) for p in PLANE)
    normal = numpy.cross(p2 - p1, p3 - p1)
    normal /= numpy.linalg.norm(normal)
    return numpy.abs((points - p1) @ normal)


def numpy_record(points):
    """What the record holds, as the library computes it: the foot, the components of the
    offset to it, the distances in the coordinate planes and in space, the unit direction."""
    p1, p2, p3 = (numpy.array(p) for p in PLANE)
    normal = numpy.cross(p2 - p1, p3 - p1)
    normal /= numpy.linalg.norm(normal)
    signed = points @ normal - p1 @ normal
    foot = points - signed[:, None] * normal
    offset = foot - points
    squares = offset * offset
    dist = numpy.sqrt(squares.sum(axis=1))
    planes = [numpy.sqrt(squares[:, a] + squares[:, b]) for a, b in ((0, 1), (0, 2), (1, 2))]
    return numpy.abs(offset), planes, dist, foot, offset / dist[:, None]


def numpy_fit(points):
    centroid = points.mean(axis=0)
    centred = points - centroid
    _, _, axes = numpy.linalg.svd(centred.T @ centred)
    normal = axes[2]
    residuals = centred @ normal
    return centroid, normal, residuals, numpy.sqrt(numpy.mean(residuals ** 2))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--points", type=int, default=1000000)
    parser.add_argument("--repeat", type=int, default=11, help="timed runs, median reported")
    parser.add_argument("--loop-points", type=int, default=20000,
                        help="points of the one-point loop, scaled to --points")
    args = parser.parse_args()
    points = face(args.points)
    print("library %s, numpy %s, Python %s, %d points, median of %d runs"
          % (tavrisk.inspect_library_path, numpy.__version__, sys.version.split()[0],
             args.points, args.repeat))

    # The results agree before they are timed.
    distances = tavrisk.dist_point_plane(points, PLANE).dist
    assert numpy.allclose(distances, numpy_distance(points), rtol=0, atol=1e-12)
    fit = tavrisk.fit_plane(points)
    _, normal, residuals, _ = numpy_fit(points)
    assert numpy.allclose(numpy.abs(fit.residuals), numpy.abs(residuals), rtol=0, atol=1e-12)

    timings = medians({
        "numpy |(p - p1) . n|": lambda: numpy_distance(points),
        "numpy, every field of the record": lambda: numpy_record(points),
        "tavrisk.dist_point_plane(array)": lambda: tavrisk.dist_point_plane(points, PLANE),
        "tavrisk.deviation_point_plane(array)":
            lambda: tavrisk.deviation_point_plane(points, PLANE),
    }, args.repeat)
    loop = points[:args.loop_points].tolist()
    timings.update({
        "loop of tavrisk.dist_point_plane(point)":
            medians({"": lambda: [tavrisk.dist_point_plane(p, PLANE) for p in loop]},
                    max(3, args.repeat // 3))[""] * args.points / len(loop)})
    baseline = timings["numpy |(p - p1) . n|"]
    print("distance of each point to a plane")
    for name, seconds in timings.items():
        print("  %-42s %9.1f ms  x%.2f of numpy" % (name, seconds * 1e3, seconds / baseline))
    array_time = timings["tavrisk.dist_point_plane(array)"]
    print("  the loop takes x%.0f the array call's time"
          % (timings["loop of tavrisk.dist_point_plane(point)"] / array_time))

    timings = medians({
        "numpy centroid, SVD of 3x3, residuals": lambda: numpy_fit(points),
        "tavrisk.fit_plane(array)": lambda: tavrisk.fit_plane(points),
    }, args.repeat)
    baseline = timings["numpy centroid, SVD of 3x3, residuals"]
    print("plane fit with residuals")
    for name, seconds in timings.items():
        print("  %-42s %9.1f ms  x%.2f of numpy" % (name, seconds * 1e3, seconds / baseline))


if __name__ == "__main__":
    main()
