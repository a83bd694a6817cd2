#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks a Windows DLL as a host sees it: its export table holds exactly the committed names,
# undecorated; it imports from system DLLs only (KERNEL32 and the C runtime), so nothing needs to
# be shipped beside it; and its import library gives callers the same functions, with the
# __stdcall decoration (name@bytes) on 32 bits.
# Usage: check_dll_exports.sh DLL EXPECTED_LIST OBJDUMP NM IMPORT_LIBRARY
set -euo pipefail
source "$(dirname "$0")/export_list.sh"
dll=$1
expected=$2
objdump=$3
nm=$4
import_library=$5

headers=$("$objdump" -p "$dll")
failed=0

# The names follow the "[Ordinal/Name Pointer] Table" line, one "[   n] name" each.
printf '%s\n' "$headers" |
  awk '/^\[Ordinal\/Name Pointer\] Table/ {table = 1; next}
       table && /^[[:space:]]*\[ *[0-9]+\]/ {print $NF; next}
       table {table = 0}' |
  compare_with_list "the export table of $dll" "$expected" || failed=1

imports=$(printf '%s\n' "$headers" | awk '/DLL Name:/ {print $3}')
foreign=$(printf '%s\n' "$imports" | grep -viE '^(kernel32\.dll|msvcrt\.dll|api-ms-win-crt-[a-z0-9-]+\.dll)$' || true)
if [ -n "$foreign" ]; then
  echo "$dll imports from DLLs that are not the system's: $foreign" >&2
  failed=1
else
  echo "imports only from: $(printf '%s\n' "$imports" | sort -u | tr '\n' ' ')"
fi

# PE32 (32-bit) callers link to _imp__name@bytes, PE32+ callers to __imp_name.
if grep -qE '^Magic[[:space:]]+010b' <<<"$headers"; then
  symbol='^__imp__([A-Za-z_][A-Za-z0-9_]*)@[0-9]+$'
else
  symbol='^__imp_([A-Za-z_][A-Za-z0-9_]*)$'
fi
"$nm" "$import_library" | awk '{print $NF}' | sed -nE "s/$symbol/\1/p" |
  compare_with_list "the import library $import_library" "$expected" || failed=1
exit "$failed"
