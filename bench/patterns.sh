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
source "$(dirname "$0")/cpu_median.sh"

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
