#!/usr/bin/env bash
# Start-up cost of the command-line companion as whole processes: the median wall time of
# `orvane-cli --version` (no data read) against `orvane-cli positions --jd 2451545` (program text, tables,
# Pluto table, ephemeris, nine longitudes), and their difference; with perf, the CPU time of both and of a
# report of bench/states/world-2000-01-01.qvs (a world chart with the durations of its aspects). Builds
# nothing.
#
# Usage: bench/startup.sh BIN_FOLDER [RUNS]    (RUNS defaults to 31, at least 20)
set -euo pipefail

bin=${1:?usage: $0 BIN_FOLDER [RUNS]}
runs=${2:-31}
cli="$bin/orvane-cli"
[ -x "$cli" ] || { echo "no executable $cli" >&2; exit 2; }
[ "$runs" -ge 20 ] || { echo "RUNS must be at least 20" >&2; exit 2; }

# CPU time (user and system) of one run in microseconds, from perf's task clock; it varies less than
# the wall time when other work shares the machine.
cpu_once() {
    perf stat -x, -e task-clock -o "$perf_out" -- "$@" >/dev/null 2>&1
    awk -F, '/task-clock/ { printf "%d\n", $1 * 1000 }' "$perf_out"
}

# Wall time of one run in microseconds, taken from the shell's own clock (no extra process per sample).
time_once() {
    local start end
    start=${EPOCHREALTIME/./}
    "$@" >/dev/null 2>&1
    end=${EPOCHREALTIME/./}
    echo $((end - start))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

version_cmd=("$cli" --version)
positions_cmd=("$cli" positions --jd 2451545)
"${positions_cmd[@]}" >/dev/null || { echo "positions failed" >&2; exit 1; }

# Warm the file cache, then alternate the two commands so that a busy moment hits both alike.
for _ in 1 2 3; do time_once "${version_cmd[@]}" >/dev/null; time_once "${positions_cmd[@]}" >/dev/null; done
version_times=()
positions_times=()
for ((i = 0; i < runs; ++i)); do
    version_times+=("$(time_once "${version_cmd[@]}")")
    positions_times+=("$(time_once "${positions_cmd[@]}")")
done

# With perf at hand, the CPU time too (a separate round, so that perf does not weigh on the wall times).
have_perf=no
perf_out=$(mktemp)
trap 'rm -f "$perf_out"' EXIT
if command -v perf >/dev/null && perf stat -x, -e task-clock -o "$perf_out" -- true 2>/dev/null; then
    have_perf=yes
    version_cpu=()
    positions_cpu=()
    for ((i = 0; i < runs; ++i)); do
        version_cpu+=("$(cpu_once "${version_cmd[@]}")")
        positions_cpu+=("$(cpu_once "${positions_cmd[@]}")")
    done
fi

v=$(printf '%s\n' "${version_times[@]}" | median)
p=$(printf '%s\n' "${positions_times[@]}" | median)
ms() { awk -v us="$1" 'BEGIN { printf "%.2f ms", us / 1000 }'; }
echo "runs each: $runs                          wall time (median)"
echo "orvane-cli --version               $(ms "$v")"
echo "orvane-cli positions --jd 2451545  $(ms "$p")"
echo "difference                         $(ms $((p - v)))"
if [ "$have_perf" = yes ]; then
    vc=$(printf '%s\n' "${version_cpu[@]}" | median)
    pc=$(printf '%s\n' "${positions_cpu[@]}" | median)
    echo "                                   CPU time (median, perf task-clock)"
    echo "orvane-cli --version               $(ms "$vc")"
    echo "orvane-cli positions --jd 2451545  $(ms "$pc")"
    echo "difference                         $(ms $((pc - vc)))"
fi

# A report (the durations of its aspects included) against --version, CPU time alone.
if [ "$have_perf" = yes ]; then
    report_cpu=()
    for ((i = 0; i < runs; ++i)); do
        report_cpu+=("$(cpu_once "$cli" report "$(dirname "$0")/states/world-2000-01-01.qvs")")
    done
    rc=$(printf '%s\n' "${report_cpu[@]}" | median)
    echo "orvane-cli report (world, 2000)    $(ms "$rc")"
    echo "difference                         $(ms $((rc - vc)))   (goal 1 ms)"
fi
