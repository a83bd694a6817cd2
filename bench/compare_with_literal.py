#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs the benchmarks that come in pairs, a fast path and the literal algorithm it must equal
("BM_X/fast/..." and "BM_X/literal/...") or the peer algorithm it is measured against
("BM_X/peer/..."), interleaved and repeated in one run of the benchmark program, and prints the
median time of each and the ratio baseline / fast.

Usage: bench/compare_with_literal.py [BENCH_PROGRAM] [REPETITIONS] [FILTER] [BASELINE]
       (build/bench/tavrisk_bench, 9, "/(fast|literal)/", literal)
"""
import json
import statistics
import subprocess
import sys


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "build/bench/tavrisk_bench"
    repetitions = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    pattern = sys.argv[3] if len(sys.argv) > 3 else "/(fast|literal)/"
    baseline = sys.argv[4] if len(sys.argv) > 4 else "literal"
    output = subprocess.run(
        [program, "--benchmark_filter=" + pattern,
         "--benchmark_repetitions=%d" % repetitions,
         "--benchmark_enable_random_interleaving=true",
         "--benchmark_format=json"],
        check=True, capture_output=True, text=True).stdout
    times = {}
    for run in json.loads(output)["benchmarks"]:
        if run.get("run_type") != "iteration":
            continue
        seconds = run["cpu_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
        times.setdefault(run["run_name"], []).append(seconds)
    print("%-44s %12s %12s %8s" % ("benchmark", "fast ms", baseline + " ms", "ratio"))
    for name in sorted(times):
        if "/fast/" not in name:
            continue
        literal = name.replace("/fast/", "/%s/" % baseline)
        if literal not in times:
            continue
        fast_median = statistics.median(times[name])
        literal_median = statistics.median(times[literal])
        print("%-44s %12.3f %12.3f %7.2fx" % (name.replace("/fast", ""), fast_median * 1e3,
                                             literal_median * 1e3, literal_median / fast_median))
    print("medians of %d interleaved repetitions" % repetitions)


if __name__ == "__main__":
    main()
