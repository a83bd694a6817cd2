#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks that every source, header, script and build file of the repository names its licence
in its first lines (after a #! line). Usage: check_licence_lines.py [REPO_DIR]; lists the files
without the line and exits 1."""
import os
import subprocess
import sys

# Files that are data rather than code: measured points, fuzz inputs, pictures, lists, text.
DATA_PREFIXES = ("data/", "fuzz/corpus/", "docs/")
DATA_SUFFIXES = (".md", ".png", ".svg")
DATA_FILES = {"LICENSE", "tools/exports.txt", "tools/inspect_exports.txt"}
TAG = "SPDX-License-Identifier: MIT"


def main():
    repo = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    files = subprocess.check_output(["git", "ls-files"], cwd=repo, text=True).split("\n")
    missing = []
    for name in filter(None, files):
        if name.startswith(DATA_PREFIXES) or name.endswith(DATA_SUFFIXES) or name in DATA_FILES:
            continue
        path = os.path.join(repo, name)
        if not os.path.isfile(path):
            continue  # removed from the work tree but not yet from the index
        with open(path, "rb") as f:
            head = f.read(512).decode("utf-8", "replace").split("\n")[:2]
        if not any(TAG in line for line in head):
            missing.append(name)
    for name in missing:
        print(f"no licence line: {name}", file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
