#!/usr/bin/env bash
# Pattern lifetimes as whole processes: the median CPU time (perf task-clock) of `orvane-cli --version`
# against `orvane-cli patterns` (every pattern and the midpoints, as CSV) over one year and over a
# century, their differences, and the century's peak memory. Builds nothing.
#
# Usage: bench/patterns.sh BIN_FOLDER [RUNS]    (RUNS defaults to 11)
set -euo pipefail

bin=${1:?usage: $0 BIN_FOLDER [RUNS]}
runs=${2:-11}
cli="$bin/orvane-cli"
[ -x "$cli" ] || { echo "no executable $cli" >&2; exit 2; }
command -v perf >/dev/null || { echo "perf is needed" >&2; exit 2; }
perf_out=$(mktemp)
trap 'rm -f "$perf_out"' EXIT

# Median CPU time in microseconds of `runs` runs of the command given.
cpu_median() {
    for ((i = 0; i < runs; ++i)); do
        perf stat -x, -e task-clock -o "$perf_out" -- "$@" >/dev/null 2>&1
        awk -F, '/task-clock/ { printf "%d\n", $1 * 1000 }' "$perf_out"
    done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
ms() { awk -v us="$1" 'BEGIN { printf "%8.2f ms", us / 1000 }'; }

version=$(cpu_median "$cli" --version)
year=$(cpu_median "$cli" patterns --from 2025-01-01 --to 2026-01-01 --format csv)
century=$(cpu_median "$cli" patterns --from 1950-01-01 --to 2050-01-01 --format csv)
echo "runs each: $runs                      CPU time (median)   over --version"
echo "orvane-cli --version           $(ms "$version")"
echo "patterns, 2025                 $(ms "$year")   $(ms $((year - version)))   (goal 50 ms)"
echo "patterns, 1950-2049            $(ms "$century")   $(ms $((century - version)))   (goal 2000 ms)"
echo "occurrences in 2025: $("$cli" patterns --from 2025-01-01 --to 2026-01-01 --format csv | tail -n +2 | wc -l)"
/usr/bin/time -f "a century, 1950-2049: peak memory %M KB" "$cli" patterns --from 1950-01-01 --to 2050-01-01 \
    --format csv >/dev/null
