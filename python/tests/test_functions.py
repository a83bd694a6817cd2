# SPDX-License-Identifier: MIT
"""Every function hands its arguments to its export in the library's order and returns exactly
what the export wrote, under its own names; where there is no answer it raises naming itself."""

import os
import shutil
import unittest
from ctypes import c_bool, c_double, c_int
from unittest import mock

import tavrisk as t
from support import CIRCLE1, CLOUD, LINE, PLATE, POINT, SCRATCH, build, named, plain
from tavrisk import Circle, Ellipse, InfinitelyManyPoints, Quad, Rect, RefusedError, raw

# More shapes in general position, as those of support.
RAY = ((1.0, 1.0, 1.0), (-1.0, 0.5, 0.25))
RAY2 = ((2.0, -1.0, 0.5), (0.5, 1.5, -1.0))
SEGMENT = ((0.5, 0.25, 0.5), (2.0, 1.0, 3.0))
SEGMENT2 = ((1.0, 5.0, 2.0), (4.0, -1.5, 0.0))
PLANE = ((0.5, -0.25, 1.0), (1.0, 0.3, 1.5), (-0.2, 1.0, 0.75))
PLANE2 = ((0.1, 0.7, 0.0), (0.2, 1.0, 0.2), (1.0, -0.3, -0.4))
CIRCLE2 = Circle((3.2, 1.1, 0.0), 1.5, (0.0, 0.0, 1.0))
RECT = Rect((1.0, 2.0, 0.5), 1.5, 0.5, (0.1, 0.3, 1.0), (1.0, 0.6, -0.2))
QUAD = Quad((0.1, -0.2, 0.3), (2.0, 0.4, 0.5), (2.2, 1.9, 1.0), (-0.3, 3.0, 0.7))
ELLIPSE = Ellipse(7.0, 5.0, (0.0, 3.0, 1.0), (0.0, 0.0, 1.0), (1.0, 0.0, 0.0))
SET2 = [(y + 0.5, x + 3.0, -z) for x, y, z in CLOUD]
# Two shapes of each kind, by the word the exports use: the first for a first argument.
SHAPES = {"point": (POINT, (0.5, 2.0, -1.0)), "line": (LINE, RAY), "ray": (RAY, RAY2),
          "lseg": (SEGMENT, SEGMENT2), "plane": (PLANE2, PLANE), "circle": (CIRCLE1, CIRCLE2),
          "arc": (CIRCLE1, CIRCLE2), "rect": (RECT,), "rectCenter": (RECT,),
          "ellipseCenter": (ELLIPSE,), "quadCenter": (QUAD,), "mutiPoint": (CLOUD, SET2)}
ARGS = {  # where the export's name does not list the arguments
    "intersect_plane_circle": (PLANE2, Circle((0.0, 0.0, 0.5), 2.0, (1.0, 0.2, 0.0))),
    "interval_points_line": (CLOUD, LINE, 1, 2, 1.5), "gap_sigma_points_line": (CLOUD, LINE, 0, 2),
    "dist_points_points": (CLOUD, SET2, LINE), "gap_xy_points_points": (CLOUD, SET2, LINE),
    "interval_points_points": (CLOUD, SET2, LINE, 2, 1, None),
    "gap_sigma_points_points": (CLOUD, SET2, LINE, 1, 2, 1.5),
    "fit_segment": (SET2,), "fit_plane": (CLOUD,), "moment2": (CLOUD,),
    "flatness": (os.fsencode(PLATE),), "straightness_xy_line": (CLOUD, LINE),
    "profile_2d": (SET2, CLOUD, SET2[::-1]),
    "rotate_vector": ((1.0, 0.5, 0.0), (0.0, 0.3, 2.0), 33.0),
}


def raw_call(name, args):
    """The export called with args made records field by field (a point set an array and its
    count, a sigma factor the factor and its switch) and fresh outputs: (value, outputs, inputs)."""
    export = getattr(raw, t.EXPORTS[name])
    if name.startswith(("dist_point_", "dist_foot_")):
        args = args[::-1]  # the library takes the shape before the point
    types, inputs = export.argtypes, []
    for arg in list(args) + [None]:  # None: the end, or no sigma factor
        rest = types[len(inputs):]
        if rest[:2] == (c_double, c_bool):
            inputs += [0.0, False] if arg is None else [arg, True]
        elif arg is None:
            break
        elif isinstance(arg, list):
            record = rest[0]._type_
            inputs += [(record * len(arg))(*(build(record, p) for p in arg))]
            inputs += [len(arg)] if rest[1] is c_int else []
        else:
            inputs.append(build(rest[0], arg))
    outputs = [(kind._type_ * 8)() for kind in types[len(inputs):]]
    return export(*inputs, *outputs), outputs, inputs


def tangents(value, outputs):
    if len(outputs) == 2:  # from a point: each line with its point
        return [(plain(line), plain(point)) for line, point in zip(outputs[0][:value], outputs[1])]
    return tuple([(plain(lines[k]), plain(points[2 * k]), plain(points[2 * k + 1]))
                  for k in range(count[0])] for count, lines, points in (outputs[:3], outputs[3:]))


def expected(name, got, value, outputs):
    """What the function should return, made of what the export returned and wrote."""
    if name.startswith("intersect_") and name != "intersect_plane_plane":
        return [plain(point) for point in outputs[0][:value]]
    if name.startswith("tangent_"):
        return tangents(value, outputs)
    if name == "straightness_xy_line":
        return value, outputs[0][:len(CLOUD)]
    if name.startswith("dist_") and name.endswith(("circle", "arc")):
        outputs = [[record] for record in outputs[0][:3]]  # a part of the result per record
    if name == "interval_xy_segment_segment":
        outputs = [[value]] + outputs  # the centre gap is returned
    if len(outputs) < 2:
        return named(got, outputs[0][0]) if outputs else value
    return tuple(named(part, output[0]) for part, output in zip(got, outputs))


# Functions that give their export's figures through the second library, which runs the same
# code: the part of their result that is the export's output.
SECOND_LIBRARY = {"fit_plane": lambda fit: fit.plane, "flatness": lambda figure: figure}


class FunctionTest(unittest.TestCase):
    def test_each_function_returns_what_its_export_wrote(self):
        for name in sorted(t.EXPORTS):
            export = t.EXPORTS[name]
            first, second = export.split("_")[-2:]
            args = ARGS.get(name) or (SHAPES[first][0], SHAPES[second][-1])
            with self.subTest(name):
                with mock.patch.object(raw, export, wraps=getattr(raw, export)) as spy:
                    got = getattr(t, name)(*args)
                value, outputs, inputs = raw_call(name, args)
                calls = 1
                if name in SECOND_LIBRARY:
                    got, calls = SECOND_LIBRARY[name](got), 0
                self.assertEqual((spy.call_count, got),
                                 (calls, expected(name, got, value, outputs)))
                if len(inputs) == len(args) and name not in SECOND_LIBRARY:
                    # the records themselves are shapes too
                    order = -1 if name.startswith(("dist_point_", "dist_foot_")) else 1
                    self.assertEqual(getattr(t, name)(*inputs[::order]), got)


Z0 = ((0, 0, 0), (1, 0, 0), (0, 1, 0))  # the plane z = 0, normal +z
CIRCLE = Circle((0, 0, 0), 2)
OPPOSITE = Circle((3, 0, 0), 2, (0, 0, -1))


# The second library's functions that refuse for these.
REFUSING = {"fit_plane": "tvi_fit_plane", "flatness": "tvi_least_squares_flatness_file"}


class OutcomeTest(unittest.TestCase):
    def assertRefused(self, function, *args):
        name = function.__name__
        with self.subTest(name), self.assertRaises(RefusedError) as raised:
            function(*args)
        self.assertEqual((raised.exception.function, raised.exception.export),
                         (name, REFUSING.get(name, t.EXPORTS[name])))

    def test_no_answer_raises_naming_the_function_and_its_export(self):
        four, missing = CLOUD[:4], os.path.join(SCRATCH, "missing.txt")
        cases = [(t.fit_plane, CLOUD[:2]), (t.fit_segment, [(1, 2, 3)] * 4),
                 (t.moment2, CLOUD[:2]), (t.flatness, missing), (t.profile_2d, [], CLOUD, CLOUD),
                 (t.straightness_xy_line, [], LINE), (t.dist_points_line, CLOUD[:1], LINE),
                 (t.gap_points_line, [], LINE), (t.interval_points_line, four, LINE, 1, 1),
                 (t.gap_sigma_points_line, four, LINE, 1, 1),
                 (t.dist_points_points, CLOUD, CLOUD, ((0, 0, 0), (0, 0, 1))),
                 (t.gap_xy_points_points, [], CLOUD, LINE),
                 (t.interval_points_points, CLOUD, four, LINE, 1, 1),
                 (t.gap_sigma_points_points, CLOUD[:2], CLOUD[:2], LINE, 0, 1)]
        # Which shapes the library refuses is its own tests'; here each function's refusal.
        cases += [(function, CIRCLE, OPPOSITE) for function in
                  (t.intersect_circle_circle, t.intersect_circle_arc, t.intersect_arc_arc,
                   t.tangent_circle_circle, t.tangent_arc_circle, t.tangent_arc_arc)]
        for function, *args in cases:
            self.assertRefused(function, *args)
        # Refusals that no input reaches here, as the library may answer them.
        first = {"circle": CIRCLE, "arc": CIRCLE, "line": LINE, "lseg": LINE, "point": POINT}
        for name, export in t.EXPORTS.items():
            if name.startswith(("dist_", "tangent_point")) and name.endswith(("circle", "arc")) \
                    and not name.startswith("dist_point"):
                with self.subTest(name), mock.patch.object(raw, export, return_value=-1):
                    self.assertRefused(getattr(t, name), first[export.split("_")[-2]], CIRCLE)

    @unittest.skipIf(os.name == "nt", "the file is held with flock")
    def test_a_flatness_refused_for_a_held_file_says_it_is_held(self):
        # Regression: the reason given was that the file cannot be read, as for a file that is
        # not a point file, though the file was fine and only held by another measurement.
        import fcntl

        held = shutil.copy(PLATE, os.path.join(SCRATCH, "held.txt"))
        with open(held, "rb") as holder:
            fcntl.flock(holder, fcntl.LOCK_EX)
            with self.assertRaises(RefusedError) as raised:
                t.flatness(held)
        self.assertEqual(raised.exception.kind, "locked")
        self.assertIn("held open by another reading", raised.exception.reason)
        self.assertEqual(t.flatness(held), t.flatness(PLATE))

    def test_shared_shapes_are_infinitely_many_points_and_what_is_not_written_none(self):
        cases = [
            (t.intersect_line_plane, (((1, 2, 0), (1, 0, 0)), Z0), (1, 2, 0)),
            (t.intersect_segment_plane, (((0, 0, 0), (2, 0, 0)), Z0), (1, 0, 0)),
            (t.intersect_plane_plane, (Z0, (Z0[0], Z0[2], Z0[1])), None),
            (t.intersect_xy_line_line, (((0, 0, 7), (1, 0, 3)), ((5, 0, 0), (2, 0, 0))), None),
            (t.intersect_plane_circle, (Z0, CIRCLE), None),
        ]
        for function, args, representative in cases:
            with self.subTest(function.__name__), self.assertRaises(InfinitelyManyPoints) as raised:
                function(*args)
            self.assertEqual(
                (raised.exception.function, raised.exception.export, raised.exception.point),
                (function.__name__, t.EXPORTS[function.__name__], representative))
        # Circles in planes at right angles are not compared by the coplanar measure, and a
        # line through the centre singles out no diameter: only the centre record is written.
        apart = t.dist_circle_circle(CIRCLE, Circle((5, 0, 0), 1, (1, 0, 0)))
        through = t.dist_line_circle(((-5, 0, 0), (1, 0, 0)), CIRCLE)
        self.assertEqual([(r.center.dist, r.nearest, r.farthest) for r in (apart, through)],
                         [(5, None, None), (0, None, None)])
        self.assertIsNone(t.intersect_plane_plane(Z0, ((0, 0, 1), (1, 0, 1), (0, 1, 1))))
        # Shapes that miss each other have no points in common and no tangents: no refusal.
        self.assertEqual((t.intersect_line_plane(((1, 2, 5), (1, 0, 0)), Z0),
                          t.tangent_point_circle((1, 0, 0), CIRCLE),
                          t.tangent_circle_circle(CIRCLE, Circle((0.5, 0, 0), 1))),
                         ([], [], ([], [])))
        # Touching circles have one tangent of a kind, its point of contact on both circles.
        touching = t.tangent_circle_circle(CIRCLE, Circle((3, 0, 0), 1))
        self.assertEqual((len(touching.outer), touching.inner),
                         (2, [(((2, 0, 0), (0, -1, 0)), (2, 0, 0), (2, 0, 0))]))


if __name__ == "__main__":
    unittest.main()
