#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Whole-process cost of the flatness of a large point file: the library's export against the
# literal reader and fit and against the peer (std::from_chars and a 3x3 fit), run in turn; wall
# time, CPU time, peak resident memory and page faults from /usr/bin/time -v, medians over the
# runs. The file is written once and kept under /tmp.
#
# Usage: bench/flatness_file_job.sh [BUILD_DIR] [POINTS] [RUNS]   (build, 10000000, 5)
set -euo pipefail

build=${1:-build}
points=${2:-10000000}
runs=${3:-5}
job="$build/bench/flatness_file_job"
file="/tmp/tavrisk_flatness_${points}.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ ! -s "$file" ]; then
  "$job" make "$file.part" "$points"
  mv "$file.part" "$file"
fi
echo "file: $file, $(stat -c %s "$file") bytes, $points points"

# One run: "wall cpu peak_kib faults" on a line of its own, the flatness in $work/$mode.out.
run() {
  local mode=$1
  /usr/bin/time -v -o "$work/time" "$job" "$mode" "$file" >"$work/$mode.out"
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, t, ":"); wall = t[n] + (n > 1 ? 60 * t[n - 1] : 0) }
    /User time/ { user = $2 } /System time/ { sys = $2 }
    /Maximum resident set size/ { peak = $2 } /Minor .*page faults/ { faults = $2 }
    END { printf "%.3f %.3f %d %d\n", wall, user + sys, peak, faults }' "$work/time"
}

for ((i = 0; i < runs; ++i)); do
  run fast >>"$work/fast"
  run literal >>"$work/literal"
  run peer >>"$work/peer"
done
if ! cmp -s "$work/fast.out" "$work/literal.out"; then
  echo "the flatness differs: fast $(cat "$work/fast.out"), literal $(cat "$work/literal.out")" >&2
  exit 1
fi
echo "flatness $(cat "$work/fast.out") from both"
if ! awk -v f="$(cat "$work/fast.out")" -v p="$(cat "$work/peer.out")" \
  'BEGIN { d = f - p; if (d < 0) d = -d; exit !(d <= 1e-12 * (f < 0 ? -f : f) + 1e-300) }'; then
  echo "the peer's flatness differs beyond 12 digits: $(cat "$work/peer.out")" >&2
  exit 1
fi

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
list_mib=$(awk -v n="$points" 'BEGIN { printf "%.1f", n * 24 / 1048576 }')
printf '%-8s %10s %10s %12s %14s %12s\n' "" "wall s" "cpu s" "peak MiB" "peak / list" "page faults"
for mode in fast literal peer; do
  wall=$(cut -d' ' -f1 "$work/$mode" | median)
  cpu=$(cut -d' ' -f2 "$work/$mode" | median)
  peak=$(cut -d' ' -f3 "$work/$mode" | median)
  faults=$(cut -d' ' -f4 "$work/$mode" | median)
  printf '%-8s %10.3f %10.3f %12.1f %14.2f %12d\n' "$mode" "$wall" "$cpu" \
    "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" \
    "$(awk -v k="$peak" -v l="$list_mib" 'BEGIN { print k / 1024 / l }')" "$faults"
  eval "${mode}_wall=$wall ${mode}_cpu=$cpu"
done
echo "point list $list_mib MiB; medians of $runs runs"
awk -v fw="$fast_wall" -v lw="$literal_wall" -v fc="$fast_cpu" -v lc="$literal_cpu" \
  -v pc="$peer_cpu" 'BEGIN { printf "literal / fast: wall %.2fx, cpu %.2fx; fast / peer: cpu %.2fx\n",
  lw / fw, lc / fc, fc / pc }'
