# SPDX-License-Identifier: MIT
# Shared by the export checks: compares the names a library exports, one per line on standard
# input, with the committed list. Source it, then: names | compare_with_list WHAT EXPECTED_LIST
compare_with_list() {
  local what=$1 expected=$2 actual
  actual=$(sort -u)
  if ! diff -u <(sort -u "$expected") <(printf '%s\n' "$actual"); then
    echo "$what differs from $expected (- expected, + actual)" >&2
    return 1
  fi
  echo "$(printf '%s\n' "$actual" | wc -l) names of $what match $expected"
}
