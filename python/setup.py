# SPDX-License-Identifier: MIT
"""Builds the package with both Tavrisk libraries inside it and tags the wheel for the platform
they were built for (py3-none-linux_x86_64, win_amd64, win32, ...): the package itself is plain
Python for every Python 3, the libraries are not.

The libraries are compiled with CMake from the source tree this directory belongs to, so that
``pip install --no-build-isolation ./python`` and ``python3 -m build --no-isolation --wheel
python`` work in a fresh clone, offline. The environment may change that:

  TAVRISK_LIBRARY_DIR  a build directory that already holds both libraries (a cross build for
                       Windows, say): they are taken from there and nothing is compiled.
  TAVRISK_CMAKE_ARGS   more arguments for CMake's configure step, such as a toolchain file.
  CMAKE_BUILD_PARALLEL_LEVEL  the jobs of the compile (CMake's own variable; default: the CPUs).
"""

import os
import shlex
import shutil
import struct
import subprocess
import sysconfig

from setuptools import Distribution, setup
from setuptools.command.build_py import build_py

try:
    from wheel.bdist_wheel import bdist_wheel
except ImportError:  # no wheel package: an sdist or a plain install still works
    bdist_wheel = None

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_TREE = os.path.dirname(HERE)
LIBRARIES = ("Tavrisk", "TavriskInspect")

# ELF and PE machine numbers, with the architecture the platform tags call them by.
ELF_MACHINES = {0x03: "i686", 0x3E: "x86_64", 0xB7: "aarch64", 0x28: "armv7l"}
PE_MACHINES = {0x014C: "win32", 0x8664: "win_amd64", 0xAA64: "win_arm64"}


def library_files(directory):
    """The files of both libraries in a build directory, by the names the package loads them
    by, or an error naming what is missing."""
    found = {}
    for library in LIBRARIES:
        for name in ("lib%s.so" % library, "%s.dll" % library, "lib%s.dylib" % library):
            for subdirectory in ("", "Release"):
                path = os.path.join(directory, subdirectory, name)
                if os.path.exists(path):
                    found[name] = os.path.realpath(path)
                    break
            if name in found:
                break
        else:
            raise SystemExit("tavrisk: no %s library in %s" % (library, directory))
    return found


def platform_tag(path):
    """The wheel platform tag of a library file, from its own header: a wheel can then not be
    labelled for another platform than its libraries'."""
    with open(path, "rb") as binary:
        head = binary.read(4096)
    if head[:4] == b"\x7fELF":
        order = "<" if head[5] == 1 else ">"
        machine = struct.unpack_from(order + "H", head, 18)[0]
        if machine in ELF_MACHINES:
            return "linux_" + ELF_MACHINES[machine]
    elif head[:2] == b"MZ":
        pe = struct.unpack_from("<I", head, 0x3C)[0]
        if head[pe:pe + 4] == b"PE\0\0":
            machine = struct.unpack_from("<H", head, pe + 4)[0]
            if machine in PE_MACHINES:
                return PE_MACHINES[machine]
    # Other systems (macOS): the platform this Python runs on.
    return sysconfig.get_platform().replace("-", "_").replace(".", "_")


def compile_libraries(build_temp):
    """Builds both libraries with CMake in build_temp; returns the build directory."""
    if not (os.path.exists(os.path.join(SOURCE_TREE, "CMakeLists.txt"))
            and os.path.exists(os.path.join(SOURCE_TREE, "include", "tavrisk.h"))):
        raise SystemExit("tavrisk: the libraries are built from the Tavrisk source tree around "
                         "python/, which is not there (%s); build from a clone of Tavrisk, or "
                         "set TAVRISK_LIBRARY_DIR to a build directory holding them"
                         % SOURCE_TREE)
    cmake = shutil.which("cmake")
    if cmake is None:
        raise SystemExit("tavrisk: CMake builds the libraries, and it is not installed "
                         "(Debian: cmake; tools/install-deps installs what the build needs)")
    directory = os.path.join(os.path.abspath(build_temp), "cmake")
    configure = [cmake, "-S", SOURCE_TREE, "-B", directory, "-DCMAKE_BUILD_TYPE=Release",
                 "-DTAVRISK_TESTS=OFF", "-DTAVRISK_TOOL=OFF", "-DTAVRISK_BENCH=OFF",
                 "-DTAVRISK_EXAMPLES=OFF", "-DTAVRISK_PYTHON=OFF"]
    configure += shlex.split(os.environ.get("TAVRISK_CMAKE_ARGS", ""))
    build = [cmake, "--build", directory, "--config", "Release", "--target"] + list(LIBRARIES)
    if not os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL"):
        build += ["--parallel", str(os.cpu_count() or 1)]
    for command in (configure, build):
        print(" ".join(shlex.quote(part) for part in command), flush=True)
        subprocess.check_call(command)
    return directory


class BuildWithLibraries(build_py):
    """The package's Python files, and both libraries beside them."""

    def run(self):
        super().run()
        directory = os.environ.get("TAVRISK_LIBRARY_DIR")
        if not directory:
            directory = compile_libraries(self.get_finalized_command("build").build_temp)
        target = os.path.join(self.build_lib, "tavrisk")
        # Libraries of an earlier build for another platform would go into the wheel too.
        for stale in os.listdir(target):
            if stale.endswith((".so", ".dll", ".dylib")):
                os.remove(os.path.join(target, stale))
        for name, path in library_files(directory).items():
            self.copy_file(path, os.path.join(target, name), preserve_mode=True)


class BinaryDistribution(Distribution):
    """Carries compiled libraries: installed as platform-specific, never as pure Python."""

    def has_ext_modules(self):
        return True


commands = {"build_py": BuildWithLibraries}

if bdist_wheel is not None:
    class PlatformWheel(bdist_wheel):
        """A wheel for any Python 3 on the libraries' platform."""

        def finalize_options(self):
            super().finalize_options()
            self.root_is_pure = False

        def get_tag(self):
            build_lib = self.get_finalized_command("build_py").build_lib
            package = os.path.join(build_lib, "tavrisk")
            libraries = sorted(name for name in os.listdir(package)
                               if name.endswith((".so", ".dll", ".dylib")))
            tags = {platform_tag(os.path.join(package, name)) for name in libraries}
            if len(tags) != 1:
                raise SystemExit("tavrisk: the libraries %s are for %s, not one platform"
                                 % (libraries, sorted(tags)))
            return "py3", "none", tags.pop()

    commands["bdist_wheel"] = PlatformWheel

setup(cmdclass=commands, distclass=BinaryDistribution)
