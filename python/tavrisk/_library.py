# SPDX-License-Identifier: MIT
"""Finds and loads the two shared libraries: Tavrisk (the 85 gte_ exports) and TavriskInspect
(point files, whole arrays, full fits).

Search order for Tavrisk: the path in the environment variable TAVRISK_LIBRARY; a copy beside
this package (where a wheel, ``pip install`` and ``cmake --install`` put one); the system's
library search (the loader's paths, LD_LIBRARY_PATH or PATH, and ctypes.util.find_library).
TavriskInspect is looked for the same way, with TAVRISK_INSPECT_LIBRARY, and first of all beside
the Tavrisk that was loaded: the two come from one build. A variable that is set is taken as the
caller's decision: when it names a library that does not load, the package does not fall back to
another copy that could be of a different version.
"""

from __future__ import annotations

import ctypes
import ctypes.util
import os
import sys
from typing import Callable, List, Mapping, Optional, Tuple

ENVIRONMENT_VARIABLE = "TAVRISK_LIBRARY"
INSPECT_ENVIRONMENT_VARIABLE = "TAVRISK_INSPECT_LIBRARY"
PACKAGE_DIRECTORY = os.path.dirname(os.path.abspath(__file__))

if sys.platform == "win32":
    FILE_NAMES: Tuple[str, ...] = ("Tavrisk.dll",)
    INSPECT_FILE_NAMES: Tuple[str, ...] = ("TavriskInspect.dll",)
elif sys.platform == "darwin":
    FILE_NAMES = ("libTavrisk.dylib", "libTavrisk.1.dylib")
    INSPECT_FILE_NAMES = ("libTavriskInspect.dylib", "libTavriskInspect.1.dylib")
else:
    FILE_NAMES = ("libTavrisk.so", "libTavrisk.so.1")
    INSPECT_FILE_NAMES = ("libTavriskInspect.so", "libTavriskInspect.so.1")

# What a person does about a missing library, whichever of the two it is.
HOW_TO_FIX = (
    "Install the package with its libraries: in a clone of Tavrisk, "
    "'pip install --no-build-isolation ./python' (CMake builds both libraries), or install a "
    "wheel made there with 'python3 -m build --no-isolation --wheel python'. Or build them "
    "('cmake -S . -B build && cmake --build build') and run 'cmake --install build', or set "
    "%s to build/libTavrisk.so (TavriskInspect is then found beside it)." % ENVIRONMENT_VARIABLE
)

# The exports use __stdcall on 32-bit Windows and the platform's C convention elsewhere.
_Loader: Callable[[str], ctypes.CDLL]
if sys.platform == "win32" and ctypes.sizeof(ctypes.c_void_p) == 4:
    _Loader = ctypes.WinDLL
else:
    _Loader = ctypes.CDLL

Found = Tuple[ctypes.CDLL, str]


def _try_load(path: str, attempts: List[str]) -> Optional[ctypes.CDLL]:
    try:
        return _Loader(path)
    except OSError as error:
        attempts.append("%s: %s" % (path, error))
        return None


def _search_in(directory: str, names: Tuple[str, ...], where: str,
               attempts: List[str]) -> Optional[Found]:
    for name in names:
        path = os.path.join(directory, name)
        if os.path.exists(path):
            library = _try_load(path, attempts)
            if library is not None:
                return library, path
    attempts.append("%s (%s): no %s" % (where, directory, " or ".join(names)))
    return None


def _search_system(names: Tuple[str, ...], base: str, attempts: List[str]) -> Optional[Found]:
    candidates = list(names)
    found = ctypes.util.find_library(base)
    if found and found not in candidates:
        candidates.append(found)
    for name in candidates:
        library = _try_load(name, attempts)
        if library is not None:
            return library, str(getattr(library, "_name", name))
    attempts.append("the system's library search: %s not found" % base)
    return None


def _load(variable: str, names: Tuple[str, ...], base: str, first_directory: Optional[str],
          environ: Mapping[str, str]) -> Found:
    attempts: List[str] = []
    explicit = environ.get(variable)
    if explicit:
        library = _try_load(explicit, attempts)
        if library is not None:
            return library, explicit
        raise ImportError(
            "tavrisk: the library named by %s does not load (%s); no other copy was tried, "
            "since the variable takes precedence. Point it at a %s built for this Python "
            "(%d-bit)." % (variable, attempts[0], names[0], 8 * ctypes.sizeof(ctypes.c_void_p))
        )
    attempts.append("%s: not set" % variable)
    directories = [] if first_directory is None else [(first_directory, "beside Tavrisk")]
    directories.append((PACKAGE_DIRECTORY, "beside the package"))
    for directory, where in directories:
        found = _search_in(directory, names, where, attempts)
        if found is not None:
            return found
    found = _search_system(names, base, attempts)
    if found is not None:
        return found
    raise ImportError(
        "tavrisk: the %s library was not found. %s\nTried, in order:\n  %s"
        % (base, HOW_TO_FIX, "\n  ".join(attempts))
    )


def load_library(environ: Optional[Mapping[str, str]] = None) -> Found:
    """Returns (library, path) of the first Tavrisk found; raises ImportError naming every
    place tried and what to do."""
    return _load(ENVIRONMENT_VARIABLE, FILE_NAMES, "Tavrisk", None,
                 os.environ if environ is None else environ)


def load_inspect_library(tavrisk_path: str,
                         environ: Optional[Mapping[str, str]] = None) -> Found:
    """Returns (library, path) of the first TavriskInspect found, looking beside the Tavrisk at
    tavrisk_path first; raises ImportError naming every place tried and what to do."""
    directory = os.path.dirname(os.path.abspath(tavrisk_path)) if os.sep in tavrisk_path or (
        os.altsep is not None and os.altsep in tavrisk_path) else None
    return _load(INSPECT_ENVIRONMENT_VARIABLE, INSPECT_FILE_NAMES, "TavriskInspect", directory,
                 os.environ if environ is None else environ)
