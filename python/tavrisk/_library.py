# SPDX-License-Identifier: MIT
"""Finds and loads the shared library.

Search order: the path in the environment variable TAVRISK_LIBRARY; a copy of the library
beside this package (where ``cmake --install`` puts one); the system's library search (the
loader's paths, LD_LIBRARY_PATH or PATH, and ctypes.util.find_library). A variable that is set
is taken as the caller's decision: when it names a library that does not load, the package does
not fall back to another copy that could be of a different version.
"""

import ctypes
import ctypes.util
import os
import sys

ENVIRONMENT_VARIABLE = "TAVRISK_LIBRARY"
PACKAGE_DIRECTORY = os.path.dirname(os.path.abspath(__file__))

if sys.platform == "win32":
    FILE_NAMES = ("Tavrisk.dll",)
elif sys.platform == "darwin":
    FILE_NAMES = ("libTavrisk.dylib", "libTavrisk.1.dylib")
else:
    FILE_NAMES = ("libTavrisk.so", "libTavrisk.so.1")

# The exports use __stdcall on 32-bit Windows and the platform's C convention elsewhere.
if sys.platform == "win32" and ctypes.sizeof(ctypes.c_void_p) == 4:
    _Loader = ctypes.WinDLL
else:
    _Loader = ctypes.CDLL


def _try_load(path, attempts):
    try:
        return _Loader(path)
    except OSError as error:
        attempts.append("%s: %s" % (path, error))
        return None


def _search_beside_package(attempts):
    for name in FILE_NAMES:
        path = os.path.join(PACKAGE_DIRECTORY, name)
        if os.path.exists(path):
            library = _try_load(path, attempts)
            if library is not None:
                return library, path
    attempts.append("beside the package (%s): no %s" % (PACKAGE_DIRECTORY, " or ".join(FILE_NAMES)))
    return None, None


def _search_system(attempts):
    names = list(FILE_NAMES)
    found = ctypes.util.find_library("Tavrisk")
    if found and found not in names:
        names.append(found)
    for name in names:
        library = _try_load(name, attempts)
        if library is not None:
            return library, getattr(library, "_name", name)
    attempts.append("the system's library search: Tavrisk not found")
    return None, None


def load_library(environ=None):
    """Returns (library, path) of the first library found; raises ImportError naming every place."""
    environ = os.environ if environ is None else environ
    attempts = []
    explicit = environ.get(ENVIRONMENT_VARIABLE)
    if explicit:
        library = _try_load(explicit, attempts)
        if library is not None:
            return library, explicit
        raise ImportError(
            "tavrisk: the library named by %s does not load (%s); the copy beside the package "
            "and the system's library search were not tried, since the variable takes "
            "precedence" % (ENVIRONMENT_VARIABLE, attempts[0])
        )
    attempts.append("%s: not set" % ENVIRONMENT_VARIABLE)
    for search in (_search_beside_package, _search_system):
        library, path = search(attempts)
        if library is not None:
            return library, path
    raise ImportError(
        "tavrisk: the Tavrisk library was not found. Tried, in order:\n  " + "\n  ".join(attempts)
    )
