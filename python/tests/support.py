"""What the package's tests share: source paths, numpy if present, export spies, and records
built field by field by name, independently of the package's own conversions."""

import atexit
import os
import shutil
import tempfile
import unittest

import tavrisk
from tavrisk import Circle, raw
from tavrisk.records import gte_circle, gte_line, gte_lseg, gte_plane, gte_point, gte_ray
from tavrisk.records import gte_vector

try:
    import numpy
except ImportError:
    numpy = None

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HEADER = os.path.join(SOURCE_DIR, "include", "tavrisk.h")
# The library reads a file under an exclusive lock, so test runs at the same time would refuse
# each other's reads of the bundled sample: each run measures a copy of its own.
_SCRATCH = tempfile.mkdtemp(prefix="tavrisk_python_")
atexit.register(shutil.rmtree, _SCRATCH, True)
PLATE = shutil.copy(os.path.join(SOURCE_DIR, "data", "plate.txt"), _SCRATCH)
needs_numpy = unittest.skipIf(numpy is None, "numpy is not available")

# Shapes in general position, so that a swapped argument or field changes the numbers.
POINT = (3.0, 4.5, -1.25)
LINE = ((0.5, -1.0, 2.0), (2.0, 1.0, 0.5))
RAY = ((1.0, 1.0, 1.0), (-1.0, 0.5, 0.25))
SEGMENT = ((0.0, 0.0, 0.0), (2.0, 1.0, -1.0))
SEGMENT2 = ((1.0, 5.0, 2.0), (4.0, -1.0, 0.0))
PLANE = ((0.0, 0.0, 1.0), (1.0, 0.0, 1.5), (0.0, 1.0, 0.75))
PLANE2 = ((0.0, 0.0, 0.0), (0.0, 1.0, 0.2), (1.0, 0.0, -0.4))


def exports():
    with open(os.path.join(SOURCE_DIR, "tools", "exports.txt")) as listing:
        return sorted(line.strip() for line in listing if line.strip())


def point(p):
    return gte_point(*p)


def line(l, kind=gte_line):
    return kind(pt=point(l[0]), vector=gte_vector(*l[1]))


def ray(r):
    return line(r, gte_ray)


def lseg(s):
    return gte_lseg(pt1=point(s[0]), pt2=point(s[1]))


def plane(p):
    return gte_plane(pt1=point(p[0]), pt2=point(p[1]), pt3=point(p[2]))


def circle(c):
    c = Circle(*c)
    return gte_circle(center=point(c.center), radius=c.radius, vector=gte_vector(*c.vector))


# Record makers by the word an export's name uses for the shape.
RECORD_OF = {"point": point, "line": line, "ray": ray, "lseg": lseg, "plane": plane,
             "circle": circle, "arc": circle}


def records_for(export, *shapes, record_of=RECORD_OF):
    """The export's input records, from shapes in the order its name lists them."""
    return [record_of[kind](shape) for kind, shape in zip(export.split("_")[-2:], shapes)]


def points(values, kind=gte_point):
    return (kind * len(values))(*(kind(*p) for p in values))


def xyz(record):
    return (record.x, record.y, record.z)


def dist_fields(r):
    return (r.dist, r.dx, r.dy, r.dz, r.dxy, r.dxz, r.dyz, xyz(r.point1), xyz(r.point2),
            xyz(r.direction))


def gap_fields(r):
    return (xyz(r.centerPoint), xyz(r.direction), r.centerGap, r.minGap, r.maxGap)


def line_fields(r):
    return (xyz(r.pt), xyz(r.vector))


class ExportSpy:
    """Stands in for one export of tavrisk.raw, records its calls and forwards them (or hands
    them to ``fake``, standing for a library that answers differently)."""

    def __init__(self, export, fake=None):
        self.export, self.fake, self.calls = export, fake, []

    def __enter__(self):
        self.real = getattr(raw, self.export)
        setattr(raw, self.export, self)
        return self

    def __exit__(self, *exc):
        setattr(raw, self.export, self.real)

    def __call__(self, *args):
        self.calls.append(args)
        return (self.fake or self.real)(*args)


def call_through(testcase, name, *args):
    """Calls the package function name, checking that it reaches its export exactly once."""
    with ExportSpy(tavrisk.EXPORTS[name]) as spy:
        result = getattr(tavrisk, name)(*args)
    testcase.assertEqual(len(spy.calls), 1, "%s must call %s once" % (name, spy.export))
    return result
