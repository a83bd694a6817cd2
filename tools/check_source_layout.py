#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks the layout of src/: every file name is unique across its folders, no module (a header
with its source file) depends on itself through others, and no two folders depend on each other.

A module depends on another when its header or source file includes the other's header. Usage:
check_source_layout.py [SRC_DIR]; exits 1 and names the cycle or the repeated name on failure."""
import os
import re
import sys
from collections import defaultdict

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def modules_of(src):
    """Maps each module ("folder/stem") to the set of modules it includes, and lists file names."""
    depends = defaultdict(set)
    names = defaultdict(list)
    for folder, _, files in os.walk(src):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, src)
            names[name].append(relative)
            module = os.path.splitext(relative)[0]
            depends[module]
            with open(path, encoding="utf-8") as f:
                for included in INCLUDE.findall(f.read()):
                    target = os.path.splitext(included)[0]
                    if os.path.exists(os.path.join(src, included)) and target != module:
                        depends[module].add(target)
    return depends, names


def find_cycle(graph):
    """A list of nodes forming a cycle, or None."""
    state = {}
    stack = []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == "open":
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src")
    depends, names = modules_of(src)
    failures = []
    for name, places in sorted(names.items()):
        if len(places) > 1:
            failures.append("file name in more than one folder: " + ", ".join(sorted(places)))
    stems = defaultdict(set)
    for module in depends:
        stems[os.path.basename(module)].add(os.path.dirname(module))
    for stem, folders in sorted(stems.items()):
        if len(folders) > 1:
            failures.append(f"module name {stem} in folders " + ", ".join(sorted(folders)))
    cycle = find_cycle(depends)
    if cycle:
        failures.append("module include cycle: " + " -> ".join(cycle))
    folders = defaultdict(set)
    for module, targets in depends.items():
        for target in targets:
            if os.path.dirname(module) != os.path.dirname(target):
                folders[os.path.dirname(module)].add(os.path.dirname(target))
    cycle = find_cycle(folders)
    if cycle:
        failures.append("folder dependency cycle: " + " -> ".join(cycle))
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
