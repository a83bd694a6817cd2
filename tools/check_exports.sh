#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Compares the dynamic symbols a shared library defines with a committed list of exports.
# Usage: check_exports.sh LIBRARY EXPECTED_LIST
set -euo pipefail
source "$(dirname "$0")/export_list.sh"
library=$1
expected=$2
nm -D --defined-only "$library" | awk '{print $3}' | sed 's/@.*//' |
  compare_with_list "the exports of $library" "$expected"
