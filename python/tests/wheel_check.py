# SPDX-License-Identifier: MIT
"""From a copy of the source tree as a clone holds it (no build anywhere in it): builds the
wheel, checks its platform tag and contents, then installs the package into a fresh virtual
environment on the system's site packages with pip, offline, and uses it from there with no
variable pointing at a library. The copy's CMake build serves both steps, so the libraries are
compiled once.

Usage: wheel_check.py SOURCE_DIR WORK_DIR (WORK_DIR is emptied first). Exits 0 on success."""

import os
import shutil
import subprocess
import sys
import sysconfig
import zipfile

USE = r"""
import os, sys, numpy, tavrisk
package = os.path.dirname(tavrisk.__file__)
assert package.startswith(sys.prefix), (package, sys.prefix)
for path in (tavrisk.library_path, tavrisk.inspect_library_path):
    assert os.path.dirname(path) == package, path
points = numpy.loadtxt(sys.argv[1], delimiter=",")
fit = tavrisk.fit_plane(points)
assert fit.flatness == tavrisk.flatness(sys.argv[1]), (fit.flatness, tavrisk.flatness(sys.argv[1]))
assert tavrisk.dist_point_plane(points, fit).dist.shape == (len(points),)
print("installed package measures flatness", fit.flatness)
"""


def run(command, cwd, environment):
    print("$", " ".join(command), flush=True)
    subprocess.run(command, cwd=cwd, env=environment, check=True)


def tracked_files(source):
    """The files a clone holds (and new ones not ignored), or every file outside the builds."""
    try:
        listing = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"],
                                 cwd=source, capture_output=True, check=True).stdout
        return [name for name in listing.decode().split("\0") if name]
    except (OSError, subprocess.CalledProcessError):
        names = []
        for folder, subfolders, files in os.walk(source):
            subfolders[:] = [d for d in subfolders if not d.startswith(("build", ".git"))]
            names += [os.path.relpath(os.path.join(folder, f), source) for f in files]
        return names


def copy_tree(source, target):
    for name in tracked_files(source):
        if os.path.isfile(os.path.join(source, name)):
            os.makedirs(os.path.dirname(os.path.join(target, name)), exist_ok=True)
            shutil.copy2(os.path.join(source, name), os.path.join(target, name))


def main(source, work):
    shutil.rmtree(work, ignore_errors=True)
    tree = os.path.join(work, "tavrisk")
    copy_tree(source, tree)
    # Nothing may point the package at another library, nor Python at another package.
    environment = {name: value for name, value in os.environ.items()
                   if not name.startswith(("TAVRISK_", "PYTHON")) and name != "LD_LIBRARY_PATH"}
    environment.setdefault("CMAKE_BUILD_PARALLEL_LEVEL", "2")

    run([sys.executable, "-m", "build", "--no-isolation", "--wheel", "python"], tree, environment)
    platform = sysconfig.get_platform().replace("-", "_").replace(".", "_")
    wheel = os.path.join(tree, "python", "dist", "tavrisk-1.0.0-py3-none-%s.whl" % platform)
    with zipfile.ZipFile(wheel) as archive:
        names = set(archive.namelist())
        metadata = archive.read("tavrisk-1.0.0.dist-info/WHEEL").decode()
    wanted = {"tavrisk/libTavrisk.so", "tavrisk/libTavriskInspect.so", "tavrisk/py.typed",
              "tavrisk/raw.pyi", "tavrisk/__init__.py"}
    if not wanted <= names or "Root-Is-Purelib: false" not in metadata:
        raise SystemExit("the wheel lacks %s, or says it is pure:\n%s"
                         % (sorted(wanted - names), metadata))

    venv = os.path.join(work, "venv")
    run([sys.executable, "-m", "venv", "--system-site-packages", venv], work, environment)
    python = os.path.join(venv, "bin", "python")
    run([python, "-m", "pip", "install", "--no-build-isolation", "--no-index",
         os.path.join(tree, "python")], work, environment)
    run([python, "-c", USE, os.path.join(tree, "data", "plate.txt")], work, environment)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
