#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Shows that no export of a 32-bit Windows DLL reaches x87 arithmetic, whose results follow the
precision a host leaves in the x87 control word (or, for the transcendental instructions, the
processor's maker). The library computes with SSE2; only loads, stores, sign changes and
comparisons of the x87 unit (exact whatever the precision) may appear on its paths, where a
double comes back in st(0).

From the DLL's disassembly it finds every function holding an x87 instruction whose result
depends on the precision control or the processor, follows the direct calls and jumps from each
exported function, and fails when an export reaches one, or calls a C runtime function of the
import table that computes with doubles, unless the export is named after --guarded: those set
53-bit precision for their span (platform/x87_precision.h), which the check finds in their code
(fldcw). The search does not enter the exception and termination machinery: the exports throw
only when memory runs out, the guard turns that into a refusal, and unwinding computes nothing.

Usage: tools/check_x87.py OBJDUMP DLL EXPORTS_FILE [--guarded EXPORT...]
"""
import re
import subprocess
import sys

# The precision control rounds the results of these (Intel SDM, "Precision Control Field").
PRECISION_CONTROLLED = re.compile(
    r"^f(add|addp|iadd|sub|subp|isub|subr|subrp|isubr|mul|mulp|imul|div|divp|idiv|divr|divrp|"
    r"idivr|sqrt)[slt]?$")
# Approximations whose digits may differ between processors.
TRANSCENDENTAL = re.compile(r"^f(sin|cos|sincos|ptan|patan|2xm1|yl2x|yl2xp1|scale|prem|prem1|"
                            r"rndint|xtract)$")
# C runtime functions that compute with floating point: an import of one reached by an export
# would take the host's x87 state into the result.
FLOATING_IMPORTS = re.compile(r"(strto[dfl]|ato[fi]|sqrt|pow|exp|log|sin|cos|tan|floor|ceil|"
                              r"fmod|printf|scanf|_controlfp|_fpreset)")

# Exception handling and termination: entered only when a call throws or the process ends.
UNWINDING = re.compile(r"(Unwind_|__cxa_|__throw_|terminate|abort|__gxx_personality)")

FUNCTION = re.compile(r"^([0-9a-f]+) <(.+)>:$")
INSTRUCTION = re.compile(r"^\s*[0-9a-f]+:\t(\S+)\s*(.*)$")
TARGET = re.compile(r"<([^>+]+)(\+0x[0-9a-f]+)?>")


def main():
    objdump, dll, exports_file = sys.argv[1:4]
    guarded = set(sys.argv[5:]) if sys.argv[4:5] == ["--guarded"] else set()
    listing = subprocess.run([objdump, "-d", "--no-show-raw-insn", dll], check=True,
                             capture_output=True, text=True).stdout
    x87 = {}        # function -> the precision-dependent instructions in it
    sets_precision = set()  # functions that load a control word
    calls = {}      # function -> functions it calls or jumps to
    imports = {}    # function -> imported functions it calls
    current = None
    for line in listing.splitlines():
        match = FUNCTION.match(line)
        if match:
            current = match.group(2)
            calls.setdefault(current, set())
            continue
        match = INSTRUCTION.match(line)
        if not match or current is None:
            continue
        mnemonic, operands = match.groups()
        if mnemonic == "fldcw":
            sets_precision.add(current)
        if PRECISION_CONTROLLED.match(mnemonic) or TRANSCENDENTAL.match(mnemonic):
            x87.setdefault(current, set()).add(mnemonic)
        if mnemonic.startswith("call") or mnemonic.startswith("j"):
            target = TARGET.search(operands)
            if target is None:
                continue
            name = target.group(1)
            if name.startswith("__imp_"):
                imports.setdefault(current, set()).add(name[len("__imp_"):])
            elif name != current and not UNWINDING.search(name):
                calls[current].add(name)

    with open(exports_file) as f:
        exported = [line.strip() for line in f if line.strip()]
    symbol_of = {}
    for name in calls:
        # A 32-bit __stdcall export is _name@bytes; its .cold part is no entry point.
        match = re.match(r"^_?(\w+?)(@\d+)?$", name)
        if match and match.group(1) in exported:
            symbol_of[match.group(1)] = name
    missing = [name for name in exported if name not in symbol_of]
    if missing:
        print("exports not found in the disassembly: " + " ".join(missing))
        return 1

    failures = 0
    for export in sorted(guarded):
        if symbol_of.get(export) not in sets_precision:
            print("%s is listed as guarded but sets no precision" % export)
            failures += 1
    for export in exported:
        if export in guarded:
            continue
        reached = set()
        stack = [symbol_of[export]]
        while stack:
            function = stack.pop()
            if function in reached:
                continue
            reached.add(function)
            stack.extend(calls.get(function, ()))
        for function in sorted(reached):
            if function in x87:
                print("%s reaches %s: %s" % (export, function, " ".join(sorted(x87[function]))))
                failures += 1
            for imported in sorted(imports.get(function, ())):
                if FLOATING_IMPORTS.search(imported):
                    print("%s reaches the import %s" % (export, imported))
                    failures += 1
    if failures:
        print("%d paths reach x87 arithmetic" % failures)
    else:
        print("%d exports reach no x87 arithmetic; %d set 53-bit precision for their span: %s" %
              (len(exported) - len(guarded), len(guarded), " ".join(sorted(guarded)) or "none"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
