# SPDX-License-Identifier: MIT
"""Runs the package's tests: ``run.py [--require-numpy | --without-numpy]``; the second makes
``import numpy`` fail for the whole run, as on a machine without it."""

import os
import sys
import unittest


def main(mode):
    if mode == "--without-numpy":
        sys.modules["numpy"] = None  # what a failed import leaves: every later import fails
    elif mode == "--require-numpy":
        import numpy  # noqa: F401  (fails the run when missing)
    here = os.path.dirname(os.path.abspath(__file__))
    suite = unittest.defaultTestLoader.discover(here, top_level_dir=here)
    return 0 if unittest.TextTestRunner().run(suite).wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else ""))
