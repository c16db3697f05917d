#!/usr/bin/env bash
# The mainstream convention (--frame date --positions apparent) against the default J2000 run, as whole
# processes: the median CPU time (perf task-clock) of each over --version, and their ratio, for a year and a
# century of every event kind, the cycles of Neptune and Pluto, a year of patterns and of daily aspects;
# then the peak memory of a thousand years of patterns, which streams. The cycles are timed in the frame of
# date alone as well, the convention their goal was first set in. Builds nothing.
#
# Usage: bench/conventions.sh BIN_FOLDER [RUNS]    (RUNS defaults to 11)
set -euo pipefail

bin=${1:?usage: $0 BIN_FOLDER [RUNS]}
runs=${2:-11}
cli="$bin/orvane-cli"
[ -x "$cli" ] || { echo "no executable $cli" >&2; exit 2; }
source "$(dirname "$0")/cpu_median.sh"

kinds=exact,enter,leave,ingress,ascending-node,descending-node,latitude-max,latitude-min,perihelion,aphelion,miss
mainstream=(--frame date --positions apparent)
convention=("${mainstream[@]}")
version=$(cpu_median "$cli" --version)

# Prints one row: the J2000 run and the run in `convention` over --version, and their ratio.
row() {
    local label=$1 goal=$2
    shift 2
    local j2000 other
    j2000=$(cpu_median "$cli" "$@")
    other=$(cpu_median "$cli" "$@" "${convention[@]}")
    awk -v l="$label" -v a=$((j2000 - version)) -v b=$((other - version)) -v g="$goal" \
        'BEGIN { printf "%-28s %9.2f ms %9.2f ms   %5.2fx   (goal %s)\n", l, a / 1000, b / 1000, b / a, g }'
}

echo "runs each: $runs; CPU time over --version ($(ms "$version")):  J2000    mainstream   ratio"
row "events, 2025" "1.25x" events --from 2025-01-01 --to 2026-01-01 --kinds "$kinds" --format csv
row "events, 2000-2099" "1.25x, 1 s" events --from 2000-01-01 --to 2100-01-01 --kinds "$kinds" --format csv
convention=(--frame date)
row "cycles Neptune Pluto, of date" "2x" cycles Neptune Pluto --from 2025-01-01 --to 2026-01-01 --format csv
convention=("${mainstream[@]}")
row "cycles Neptune Pluto" "2x" cycles Neptune Pluto --from 2025-01-01 --to 2026-01-01 --format csv
row "patterns, 2025" "1.25x" patterns --from 2025-01-01 --to 2026-01-01 --format csv
row "aspects, 2025 by day" "1.25x" aspects --from 2025-01-01 --to 2026-01-01 --format csv
/usr/bin/time -f "patterns, 1300-2299 (of date): peak memory %M KB (goal 12000 KB)" \
    "$cli" patterns --from 1300-01-01 --to 2300-01-01 --frame date --format csv >/dev/null
