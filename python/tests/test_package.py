# SPDX-License-Identifier: MIT
"""The package declares every export and record as the header does, and finds its library."""

import ctypes
import ctypes.util
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
from unittest import mock

import tavrisk
from support import HEADER, SCRATCH, SOURCE_DIR, exports, raw_stub_text
from tavrisk import _inspect, _library, codes, raw, records
from tavrisk._signatures import SIGNATURES

with open(HEADER) as header_file:
    HEADER_TEXT = header_file.read()
with open(os.path.join(SOURCE_DIR, "include", "tavrisk_inspect.h")) as header_file:
    INSPECT_HEADER_TEXT = header_file.read()
DECLARATION = re.compile(r"TAVRISK_API\s+(\w+)\s+TAVRISK_CALL\s+(gte_\w+)\(([^)]*)\);")
SCALARS = {"void": None, "double": ctypes.c_double, "int": ctypes.c_int, "bool": ctypes.c_bool}


def c_type(parameter):
    """The ctypes type of one C parameter such as 'const gte_point* points' or 'int* count'."""
    parameter = parameter.replace("const ", "").strip()
    base = parameter.split()[0].rstrip("*")
    if base == "char":
        return ctypes.c_char_p
    kind = SCALARS.get(base) or getattr(records, base)
    return ctypes.POINTER(kind) if parameter.endswith("]") or "*" in parameter else kind


def inspect_c_type(declared):
    """The ctypes type of a type of the second library's header, such as 'tvi_points**'."""
    base = declared.replace("const ", "").rstrip("*").strip()
    depth = declared.count("*")
    if base in ("char", "void") and depth < 2:
        return {"char": ctypes.c_char_p, "void": ctypes.c_void_p}[base] if depth else None
    kind = {"int": ctypes.c_int, "size_t": ctypes.c_size_t, "double": ctypes.c_double,
            "gte_arc": records.gte_circle}.get(base) or getattr(records, base, None) \
        or getattr(_inspect, base)
    for _ in range(depth):
        kind = ctypes.POINTER(kind)
    return kind


class DeclarationTest(unittest.TestCase):
    def test_every_export_is_declared_as_the_header_does_and_has_a_function(self):
        declared = {name: (SCALARS[result], tuple(c_type(p) for p in parameters.split(",")))
                    for result, name, parameters in DECLARATION.findall(HEADER_TEXT)}
        self.assertEqual((sorted(SIGNATURES), SIGNATURES), (exports(), declared))
        # gte_gap_lseg_lseg measures nothing and is left to the raw module.
        self.assertEqual(sorted(tavrisk.EXPORTS.values()),
                         [name for name in exports() if name != "gte_gap_lseg_lseg"])
        self.assertLessEqual(set(tavrisk.EXPORTS), set(tavrisk.__all__))

    def test_every_return_code_has_the_value_the_header_gives_it(self):
        header = {name: float(value) for name, value in
                  re.findall(r"^#define TAVRISK_(\w+) \(?(-?[\d.e]+)\)?$", HEADER_TEXT, re.M)}
        named = {name: value for name, value in vars(codes).items() if name.isupper()}
        self.assertEqual(named, {name: header[name] for name in named})
        self.assertIn("NO_ANSWER", named)

    def test_every_record_is_laid_out_as_the_header_does_or_the_package_does_not_load(self):
        layout = {name: (int(size), {}) for name, size in
                  re.findall(r"^TAVRISK_CHECK_SIZE\((\w+),\s*(\d+)\);", HEADER_TEXT, re.M)}
        for name, field, offset in re.findall(
                r"^TAVRISK_CHECK_OFFSET\((\w+),\s*(\w+),\s*(\d+)\);", HEADER_TEXT, re.M):
            layout[name][1][field] = int(offset)
        self.assertEqual((records.LAYOUT, sorted(records.STRUCTURES)), (layout, sorted(layout)))
        short = type("Short", (ctypes.Structure,), {"_fields_": [("x", ctypes.c_double)]})
        self.assertRaisesRegex(ImportError, "gte_point", records.check_layout, {"gte_point": short})
        # A double that is not 8 bytes wide shifts every record: the package must not load.
        code = "import ctypes; ctypes.c_double = ctypes.c_float; import tavrisk"
        package_parent = os.path.dirname(os.path.dirname(records.__file__))
        run = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                             env=dict(os.environ, PYTHONPATH=package_parent))
        self.assertIn("ImportError: tavrisk: record gte_point does not match", run.stderr)

    def test_version_agrees_with_header_and_project_file(self):
        expected = "%(MAJOR)s.%(MINOR)s.%(PATCH)s" % dict(
            re.findall(r"#define TAVRISK_VERSION_(\w+) (\d+)", HEADER_TEXT))
        with open(os.path.join(SOURCE_DIR, "python", "pyproject.toml")) as project:
            self.assertIn('\nversion = "%s"\n' % expected, project.read())
        self.assertEqual(tavrisk.__version__, expected)


class InspectDeclarationTest(unittest.TestCase):
    def test_the_second_library_s_functions_are_declared_as_its_header_does(self):
        declared = re.findall(r"TAVRISK_API\s+([\w ]+?\**)\s*TAVRISK_CALL\s+(tvi_\w+)\(([^)]*)\)",
                              INSPECT_HEADER_TEXT)
        with open(os.path.join(SOURCE_DIR, "tools", "inspect_exports.txt")) as listing:
            self.assertEqual(sorted(name for _, name, _ in declared), sorted(listing.read().split()))
        types = {name: (inspect_c_type(result), tuple(
            inspect_c_type(" ".join(p.split()[:-1])) for p in parameters.split(",") if p != "void"))
            for result, name, parameters in declared}
        # Only the functions the package calls are declared by it, each exactly.
        self.assertEqual(_inspect.SIGNATURES, {name: types[name] for name in _inspect.SIGNATURES})

    def test_the_second_library_s_records_are_laid_out_as_its_header_checks(self):
        sizes = {"size_t": ctypes.sizeof(ctypes.c_size_t),
                 "tvi_support_point": ctypes.sizeof(_inspect.tvi_support_point)}

        def expression(text):
            """The value of a C constant expression of the header's checks."""
            text = re.sub(r"sizeof\((\w+)\)", lambda m: str(sizes[m[1]]), " ".join(text.split()))
            return eval(text.replace("/", "//").replace("TVI_MAX_SUPPORT",
                                                        str(_inspect.MAX_SUPPORT)))

        for name, structure in _inspect.STRUCTURES.items():
            offsets = dict(re.findall(r"TAVRISK_CHECK_OFFSET\(%s, (\w+),\s*([^;]+)\);" % name,
                                      INSPECT_HEADER_TEXT))
            size = re.search(r"TAVRISK_CHECK_SIZE\(%s,\s*([^;]+)\);" % name, INSPECT_HEADER_TEXT)
            with self.subTest(name):
                self.assertEqual([field[0] for field in structure._fields_], list(offsets))
                self.assertEqual({field: getattr(structure, field).offset for field in offsets},
                                 {field: expression(value) for field, value in offsets.items()})
                self.assertEqual(ctypes.sizeof(structure), expression(size[1]))
        problem = dict(re.findall(r"TAVRISK_CHECK_OFFSET\(tvi_problem, (\w+), ([^)]+)\);",
                                  INSPECT_HEADER_TEXT))
        self.assertEqual([f[0] for f in _inspect.tvi_problem._fields_], list(problem))
        self.assertEqual(_inspect.tvi_problem.message.offset, 64 + _inspect.PROBLEM_TEXT_SIZE)

    def test_the_raw_module_s_types_are_the_header_s(self):
        with open(os.path.join(SOURCE_DIR, "python", "tavrisk", "raw.pyi")) as stub:
            self.assertEqual(stub.read(), raw_stub_text(),
                             "python3 python/tests/support.py > python/tavrisk/raw.pyi")


class LibraryTest(unittest.TestCase):
    def test_the_variable_comes_first_then_the_copy_beside_then_the_system(self):
        empty = tempfile.mkdtemp(dir=SCRATCH)
        # Nothing beside the package and nothing on the system's search path.
        with mock.patch.object(_library, "PACKAGE_DIRECTORY", empty), \
                mock.patch.object(_library, "FILE_NAMES", ("libTavrisk-absent.so",)), \
                mock.patch.object(ctypes.util, "find_library", return_value=None) as find:
            with self.assertRaises(ImportError) as raised:
                _library.load_library({})
            for place in ("TAVRISK_LIBRARY: not set", empty, "system's library search",
                          "pip install --no-build-isolation ./python"):
                self.assertIn(place, str(raised.exception))
            find.return_value = raw.library_path  # the system's search finds it
            self.assertEqual(_library.load_library({})[1], raw.library_path)
            beside = shutil.copy(raw.library_path, os.path.join(empty, "libTavrisk-absent.so"))
            self.assertEqual(_library.load_library({})[1], beside)
            with self.assertRaisesRegex(ImportError, "TAVRISK_LIBRARY.*libnothing.so"):
                _library.load_library({"TAVRISK_LIBRARY": os.path.join(empty, "libnothing.so")})
        # TavriskInspect is looked for beside the Tavrisk loaded before the package.
        inspect = _library.load_inspect_library(raw.library_path, {})
        self.assertEqual(os.path.dirname(inspect[1]),
                         os.path.dirname(os.path.abspath(raw.library_path)))
        with self.assertRaisesRegex(ImportError, "TAVRISK_INSPECT_LIBRARY.*libnothing.so"):
            _library.load_inspect_library(raw.library_path, {
                "TAVRISK_INSPECT_LIBRARY": os.path.join(empty, "libnothing.so")})


if __name__ == "__main__":
    unittest.main()
