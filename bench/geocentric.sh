#!/usr/bin/env bash
# The geocentric event search as whole processes: the median CPU time (perf task-clock) of
# `orvane-cli --version` against `orvane-cli events --perspective geocentric` (every exact aspect, ingress and
# station among the Sun, the Moon and Mercury … Pluto, apparent positions of date, as CSV) over a year and
# a century, with their differences; then the heliocentric year beside it, which must not move.
# Builds nothing.
#
# Usage: bench/geocentric.sh BIN_FOLDER [RUNS]    (RUNS defaults to 21; the century runs RUNS/4 + 1 times)
set -euo pipefail

bin=${1:?usage: $0 BIN_FOLDER [RUNS]}
runs=${2:-21}
cli="$bin/orvane-cli"
[ -x "$cli" ] || { echo "no executable $cli" >&2; exit 2; }
source "$(dirname "$0")/cpu_median.sh"

version=$(cpu_median "$cli" --version)
year=$(cpu_median "$cli" events --perspective geocentric --from 2025-01-01 --to 2026-01-01 --format csv)
helio=$(cpu_median "$cli" events --from 2025-01-01 --to 2026-01-01 --format csv)
runs=$((runs / 4 + 1))
century=$(cpu_median "$cli" events --perspective geocentric --from 1950-01-01 --to 2050-01-01 --format csv)
echo "                                     CPU time (median)   over --version"
echo "orvane-cli --version                 $(ms "$version")"
echo "geocentric events, 2025              $(ms "$year")   $(ms $((year - version)))   (goal 100 ms)"
echo "geocentric events, 1950-2049         $(ms "$century")   $(ms $((century - version)))   (goal 5 s)"
echo "heliocentric events, 2025            $(ms "$helio")   $(ms $((helio - version)))   (goal 20 ms)"
echo "geocentric events in 2025: $("$cli" events --perspective geocentric --from 2025-01-01 --to 2026-01-01 \
    --format csv | tail -n +2 | wc -l)"
