"""What the package's tests share: paths of the source tree, numpy if present, export spies."""

import os

import tavrisk
from tavrisk import raw

try:
    import numpy
except ImportError:
    numpy = None

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HEADER = os.path.join(SOURCE_DIR, "include", "tavrisk.h")
EXPORT_LIST = os.path.join(SOURCE_DIR, "tools", "exports.txt")
PLATE = os.path.join(SOURCE_DIR, "data", "plate.txt")

needs_numpy = __import__("unittest").skipIf(numpy is None, "numpy is not available")

DIST_NUMBERS = ("dist", "dx", "dy", "dz", "dxy", "dxz", "dyz")


def exports():
    with open(EXPORT_LIST) as listing:
        return sorted(line.strip() for line in listing if line.strip())


def xyz(record):
    return (record.x, record.y, record.z)


class ExportSpy:
    """Stands in for one export of tavrisk.raw, records its calls and forwards them (or hands
    them to ``fake``, standing for a library that answers differently)."""

    def __init__(self, export, fake=None):
        self.export = export
        self.fake = fake
        self.calls = []

    def __enter__(self):
        self.real = getattr(raw, self.export)
        setattr(raw, self.export, self)
        return self

    def __exit__(self, *exc):
        setattr(raw, self.export, self.real)

    def __call__(self, *args):
        self.calls.append(args)
        return (self.fake or self.real)(*args)


def call_through(testcase, export, function, *args):
    """Calls a package function, checking that it reaches the given export exactly once."""
    with ExportSpy(export) as spy:
        result = function(*args)
    testcase.assertEqual(len(spy.calls), 1, "%s must call %s once" % (function.__name__, export))
    return result


def assert_dist_equal(testcase, result, record):
    """A DistResult holds the same numbers as the library's record, field by field."""
    for name in DIST_NUMBERS:
        testcase.assertEqual(getattr(result, name), getattr(record, name), name)
    testcase.assertEqual(result.point1, xyz(record.point1))
    testcase.assertEqual(result.point2, xyz(record.point2))
    testcase.assertEqual(result.direction, xyz(record.direction))
