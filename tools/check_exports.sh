#!/usr/bin/env bash
# Compares the dynamic symbols a shared library defines with a committed list of exports.
# Usage: check_exports.sh LIBRARY EXPECTED_LIST
set -euo pipefail
library=$1
expected=$2
actual=$(nm -D --defined-only "$library" | awk '{print $3}' | sed 's/@.*//' | sort -u)
if ! diff -u <(sort -u "$expected") <(printf '%s\n' "$actual"); then
  echo "export list of $library differs from $expected (- expected, + actual)" >&2
  exit 1
fi
echo "$(printf '%s\n' "$actual" | wc -l) exports match $expected"
