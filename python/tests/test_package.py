"""The package declares every export as the header does, names each, finds its library."""

import ctypes
import ctypes.util
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile
from unittest import mock

import tavrisk
from support import HEADER, SOURCE_DIR, exports
from tavrisk import _library, raw, records
from tavrisk._signatures import SIGNATURES

DECLARATION = re.compile(r"TAVRISK_API\s+(\w+)\s+TAVRISK_CALL\s+(gte_\w+)\(([^)]*)\);")
SCALARS = {"void": None, "double": ctypes.c_double, "int": ctypes.c_int, "bool": ctypes.c_bool}


def c_type(parameter):
    """The ctypes type of one C parameter such as 'const gte_point* points' or 'int* count'."""
    parameter = parameter.replace("const ", "").strip()
    array = parameter.endswith("]")
    base = parameter.split()[0].rstrip("*")
    if base == "char":
        return ctypes.c_char_p
    kind = SCALARS.get(base) or getattr(records, base)
    return ctypes.POINTER(kind) if array or "*" in parameter else kind


def header_signatures():
    with open(HEADER) as header:
        text = header.read()
    return {name: (SCALARS[result], tuple(c_type(p) for p in parameters.split(",")))
            for result, name, parameters in DECLARATION.findall(text)}


class ExportTableTest(unittest.TestCase):
    def test_the_table_declares_every_export_as_the_header_does(self):
        self.assertEqual(sorted(SIGNATURES), exports())
        self.assertEqual(SIGNATURES, header_signatures())
        for name in exports():
            self.assertIs(getattr(raw, name).argtypes, SIGNATURES[name][1], name)

    def test_every_export_but_the_empty_one_has_a_python_function(self):
        self.assertEqual(sorted(tavrisk.EXPORTS.values()),
                         [name for name in exports() if name != "gte_gap_lseg_lseg"])
        for name in tavrisk.EXPORTS:
            self.assertTrue(callable(getattr(tavrisk, name)) and name in tavrisk.__all__, name)

    def test_version_agrees_with_header_and_project_file(self):
        with open(HEADER) as header:
            parts = dict(re.findall(r"#define TAVRISK_VERSION_(\w+) (\d+)", header.read()))
        with open(os.path.join(SOURCE_DIR, "python", "pyproject.toml")) as project:
            project_version = re.search(r'^version = "(.*)"', project.read(), re.M).group(1)
        expected = "%(MAJOR)s.%(MINOR)s.%(PATCH)s" % parts
        self.assertEqual((tavrisk.__version__, project_version), (expected, expected))


class LibrarySearchTest(unittest.TestCase):
    def setUp(self):
        self.empty = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.empty)
        # Nothing beside the package and nothing on the system's search path.
        for patch in (mock.patch.object(_library, "PACKAGE_DIRECTORY", self.empty),
                      mock.patch.object(_library, "FILE_NAMES", ("libTavrisk-absent.so",)),
                      mock.patch.object(ctypes.util, "find_library", return_value=None)):
            patch.start()
            self.addCleanup(patch.stop)

    def test_the_error_names_all_three_places(self):
        with self.assertRaises(ImportError) as raised:
            _library.load_library({})
        for place in ("TAVRISK_LIBRARY: not set", self.empty, "system's library search"):
            self.assertIn(place, str(raised.exception))

    def test_a_variable_that_names_no_library_is_not_passed_over(self):
        beside = os.path.join(self.empty, "libTavrisk-absent.so")
        shutil.copy(raw.library_path, beside)
        with self.assertRaisesRegex(ImportError, "TAVRISK_LIBRARY.*libnothing.so"):
            _library.load_library({"TAVRISK_LIBRARY": os.path.join(self.empty, "libnothing.so")})
        # The copy beside the package comes before one the system's search finds.
        with mock.patch.object(ctypes.util, "find_library", return_value=raw.library_path):
            self.assertEqual(_library.load_library({})[1], beside)


class PackagingTest(unittest.TestCase):
    def test_the_project_file_builds_a_wheel_with_the_library_beside_the_package(self):
        try:
            import setuptools  # noqa: F401
            import wheel  # noqa: F401
        except ImportError:
            self.skipTest("setuptools or wheel is not available")
        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work)
        python_dir = os.path.join(SOURCE_DIR, "python")
        shutil.copy(os.path.join(python_dir, "pyproject.toml"), work)
        shutil.copytree(os.path.join(python_dir, "tavrisk"), os.path.join(work, "tavrisk"),
                        ignore=shutil.ignore_patterns("__pycache__"))
        shutil.copy(raw.library_path, os.path.join(work, "tavrisk", "libTavrisk.so"))
        code = "from setuptools import build_meta; print(build_meta.build_wheel('dist'))"
        run = subprocess.run([sys.executable, "-c", code], cwd=work, capture_output=True,
                             text=True)
        self.assertEqual(run.returncode, 0, run.stderr)
        with zipfile.ZipFile(os.path.join(work, "dist", run.stdout.split()[-1])) as archive:
            self.assertLessEqual({"tavrisk/raw.py", "tavrisk/libTavrisk.so"},
                                 set(archive.namelist()))


if __name__ == "__main__":
    unittest.main()
