#!/usr/bin/env bash
# The event search as whole processes: the median CPU time (perf task-clock) of `orvane-cli --version`
# against `orvane-cli events` over one and over ten years (every event among the nine bodies, as CSV),
# a year of the stays in orb of a personal-transit chart (--windows), their differences, and the peak
# memory of a century, which streams. Builds nothing.
#
# Usage: bench/events.sh BIN_FOLDER [RUNS]    (RUNS defaults to 21)
set -euo pipefail

bin=${1:?usage: $0 BIN_FOLDER [RUNS]}
runs=${2:-21}
cli="$bin/orvane-cli"
[ -x "$cli" ] || { echo "no executable $cli" >&2; exit 2; }
source "$(dirname "$0")/cpu_median.sh"

version=$(cpu_median "$cli" --version)
year=$(cpu_median "$cli" events --from 2025-01-01 --to 2026-01-01 --format csv)
decade=$(cpu_median "$cli" events --from 2025-01-01 --to 2035-01-01 --format csv)
windows=$(cpu_median "$cli" events --birth "1978-03-14T06:45[Europe/Vienna]" --mode personal1 --from 2025-01-01 \
    --to 2026-01-01 --windows --format csv)
echo "runs each: $runs                      CPU time (median)   over --version"
echo "orvane-cli --version           $(ms "$version")"
echo "events, 2025                   $(ms "$year")   $(ms $((year - version)))   (goal 20 ms)"
echo "events, 2025-2034              $(ms "$decade")   $(ms $((decade - version)))   (goal 150 ms)"
echo "windows, personal1, 2025       $(ms "$windows")   $(ms $((windows - version)))   (goal 20 ms)"
echo "events in 2025: $("$cli" events --from 2025-01-01 --to 2026-01-01 --format csv | tail -n +2 | wc -l)," \
     "exact: $("$cli" events --from 2025-01-01 --to 2026-01-01 --kinds exact --format csv | tail -n +2 | wc -l)"
/usr/bin/time -f "a century, 1950-2049: peak memory %M KB" "$cli" events --from 1950-01-01 --to 2050-01-01 \
    --format csv >/dev/null
