"""Runs the package's unit tests: ``run.py [--require-numpy | --without-numpy]``.

--require-numpy fails when numpy cannot be imported, so that the array path is really tested;
--without-numpy makes ``import numpy`` fail for the whole run, as on a machine without it.
The library is the one named by TAVRISK_LIBRARY, else the one the package finds.
"""

import importlib.abc
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))


class _NumpyBlocker(importlib.abc.MetaPathFinder):
    def find_spec(self, name, path, target=None):
        if name == "numpy" or name.startswith("numpy."):
            raise ModuleNotFoundError("numpy is made unavailable for this run", name=name)
        return None


def main(argv):
    mode = argv[1] if len(argv) > 1 else ""
    if mode == "--without-numpy":
        sys.meta_path.insert(0, _NumpyBlocker())
    elif mode == "--require-numpy":
        import numpy  # noqa: F401  (fails the run when missing)
    elif mode:
        print(__doc__, file=sys.stderr)
        return 2
    suite = unittest.defaultTestLoader.discover(HERE, top_level_dir=HERE)
    result = unittest.TextTestRunner(verbosity=1).run(suite)
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
