# SPDX-License-Identifier: MIT
"""What the tests share: source paths, numpy if present, and records built and read field by
field by name, independently of the package's own conversions."""

import atexit
import os
import re
import shutil
import tempfile
from ctypes import Structure

try:
    import numpy
except ImportError:
    numpy = None

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HEADER = os.path.join(SOURCE_DIR, "include", "tavrisk.h")
# The library reads a file under an exclusive lock, so test runs at the same time would refuse
# each other's reads of the bundled sample: each run measures a copy of its own.
SCRATCH = tempfile.mkdtemp(prefix="tavrisk_python_")
atexit.register(shutil.rmtree, SCRATCH, True)
PLATE = shutil.copy(os.path.join(SOURCE_DIR, "data", "plate.txt"), SCRATCH)
# Shapes and points in general position: a swapped argument or field changes the numbers.
POINT = (3.0, 4.5, -1.25)
LINE = ((0.5, -1.0, 2.0), (2.0, 1.0, 0.5))
CIRCLE1 = ((0.5, 0.25, 0.0), 2.0, (0.0, 0.0, 1.0))
CLOUD = [(0.0, 0.0, 5.01), (10.0, 0.5, 5.02), (9.5, 8.0, 4.98), (0.5, 9.0, 5.0),
         (5.0, 4.0, 5.03), (2.0, 7.0, 4.99), (7.0, 2.0, 5.0)]


def exports():
    with open(os.path.join(SOURCE_DIR, "tools", "exports.txt")) as listing:
        return sorted(line.strip() for line in listing if line.strip())


def _fields(record):
    return [(name, kind) for name, kind in record._fields_ if not name.startswith("reserved")]


def build(kind, value):
    """The record of type kind whose fields, the reserved ones left out, are value's items."""
    if not isinstance(kind, type(Structure)):
        return value
    return kind(**{name: build(t, v) for (name, t), v in zip(_fields(kind), value)})


def plain(record):
    if not isinstance(record, Structure):
        return record
    return tuple(plain(getattr(record, name)) for name, _ in _fields(record))


def named(result, record):
    """The record as result holds it: each field of result from the record's field so named."""
    if not hasattr(result, "_fields"):
        return plain(record)
    return tuple(named(part, getattr(record, re.sub("_(.)", lambda m: m[1].upper(), field)))
                 for field, part in zip(result._fields, result))


def raw_stub_text():
    """The text of tavrisk/raw.pyi: every export typed as the header declares it, with the
    header's parameter names; pointers and arrays as Any, records by their ctypes classes."""
    with open(HEADER) as header_file:
        text = header_file.read()
    declaration = re.compile(r"TAVRISK_API\s+(\w+)\s+TAVRISK_CALL\s+(gte_\w+)\(([^)]*)\);")
    results = {"void": "None", "double": "float", "int": "int", "bool": "bool"}
    records_used = set()
    lines = []
    for result, name, parameters in declaration.findall(text):
        typed = []
        for parameter in parameters.split(","):
            parameter = " ".join(parameter.replace("const ", "").split())
            pointer = "*" in parameter or parameter.endswith("]")
            base = parameter.split()[0].rstrip("*")
            argument = re.sub(r"\[.*\]$", "", parameter.split()[-1].lstrip("*"))
            if base == "char":
                kind = "bytes"
            elif pointer:
                kind = "Any"
            elif base.startswith("gte_"):
                kind = base
                records_used.add(base)
            else:
                kind = results[base]
            typed.append("%s: %s" % (argument, kind))
        lines.append("def %s(%s, /) -> %s: ..." % (name, ", ".join(typed), results[result]))
    header = [
        "# SPDX-License-Identifier: MIT",
        '"""Types of the exports of tavrisk.raw, as the header declares them (written by',
        'python/tests/support.py: python3 python/tests/support.py > python/tavrisk/raw.pyi)."""',
        "",
        "from ctypes import CDLL",
        "from typing import Any, List",
        "",
        "from .records import %s" % ", ".join(sorted(records_used)),
        "",
        "library: CDLL",
        "library_path: str",
        "__all__: List[str]",
        "",
    ]
    return "\n".join(header + lines) + "\n"


if __name__ == "__main__":
    print(raw_stub_text(), end="")
