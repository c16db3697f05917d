#!/usr/bin/env bash
# Instruction counts (valgrind's callgrind) of the companion's long jobs: the same for a binary, its inputs
# and environment whatever else the machine is doing, so that a change of machine or a busy one does not
# hide a regression. Each row counts the whole process; --version is the floor. Builds nothing.
#
# Usage: bench/instructions.sh BIN_FOLDER
set -euo pipefail

bin=${1:?usage: $0 BIN_FOLDER}
cli="$bin/orvane-cli"
[ -x "$cli" ] || { echo "no executable $cli" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 2; }

kinds=exact,enter,leave,ingress,ascending-node,descending-node,latitude-max,latitude-min,perihelion,aphelion,miss
count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$cli" "$@" 2>&1 >/dev/null |
        awk '/Collected/ { print $4 }'
}
row() {
    local label=$1
    shift
    printf "%-36s %'16d\n" "$label" "$(count "$@")"
}

row "--version" --version
row "positions --date 2000-01-01T00:00Z" positions --date 2000-01-01T00:00Z
row "report world-2000-01-01.qvs" report "$(dirname "$0")/states/world-2000-01-01.qvs"
row "events 2025, J2000" events --from 2025-01-01 --to 2026-01-01 --kinds "$kinds" --format csv
row "events 2025, mainstream" events --from 2025-01-01 --to 2026-01-01 --kinds "$kinds" --frame date \
    --positions apparent --format csv
row "cycles Neptune Pluto, J2000" cycles Neptune Pluto --from 2025-01-01 --to 2026-01-01 --format csv
row "cycles Neptune Pluto, of date" cycles Neptune Pluto --from 2025-01-01 --to 2026-01-01 --frame date \
    --format csv
row "cycles Neptune Pluto, mainstream" cycles Neptune Pluto --from 2025-01-01 --to 2026-01-01 --frame date \
    --positions apparent --format csv
row "patterns 2025, J2000" patterns --from 2025-01-01 --to 2026-01-01 --format csv
row "patterns 2025, mainstream" patterns --from 2025-01-01 --to 2026-01-01 --frame date --positions apparent \
    --format csv
row "aspects 2025 by day, J2000" aspects --from 2025-01-01 --to 2026-01-01 --format csv
row "aspects 2025 by day, mainstream" aspects --from 2025-01-01 --to 2026-01-01 --frame date --positions apparent \
    --format csv
