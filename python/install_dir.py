# SPDX-License-Identifier: MIT
"""Prints the folder, relative to the install prefix given, where this Python looks for
packages: the first of its search path's site-packages or dist-packages folders in the
prefix's own library folder (not in a prefix inside it, as /usr/local is in /usr), else the one
its own layout gives that prefix. Used by CMake at configure time."""

import os
import sys
import sysconfig


def package_dir(prefix):
    prefix = os.path.abspath(prefix)
    for entry in sys.path:
        entry = os.path.abspath(entry) if entry else ""
        if entry.startswith(prefix + os.sep) and entry.endswith(("site-packages",
                                                                 "dist-packages")):
            relative = os.path.relpath(entry, prefix)
            if relative.split(os.sep)[0].lower() in ("lib", "lib64"):
                return relative
    scheme = "nt" if os.name == "nt" else "posix_prefix"
    path = sysconfig.get_path("purelib", scheme, vars={"base": prefix, "platbase": prefix})
    return os.path.relpath(path, prefix)


if __name__ == "__main__":
    print(package_dir(sys.argv[1]))
