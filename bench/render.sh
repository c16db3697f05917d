#!/usr/bin/env bash
# `orvane --render` as whole processes: a sample's chart drawn into an SVG, a PDF and a PNG file, without
# a display (the program chooses Qt's offscreen platform itself), in a temporary home so that no setting
# of the real user is read. Prints the median, the fastest and the slowest run of each format against the
# goal of 300 ms. Builds nothing.
#
# Usage: bench/render.sh BIN_FOLDER [RUNS]    (RUNS defaults to 21, at least 10)
set -euo pipefail

bin=${1:?usage: $0 BIN_FOLDER [RUNS]}
runs=${2:-21}
program="$bin/orvane"
sample="$(dirname "$0")/../data/samples/world-grand-trine.qvs"
[ -x "$program" ] || { echo "no executable $program" >&2; exit 2; }
[ "$runs" -ge 10 ] || { echo "RUNS must be at least 10" >&2; exit 2; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# Wall time of one render in microseconds, from the shell's own clock.
time_once() {
    local start end
    start=${EPOCHREALTIME/./}
    "$program" --render "$sample" --output "$home/chart.$1" >/dev/null 2>&1 || { echo "orvane failed" >&2; exit 1; }
    end=${EPOCHREALTIME/./}
    echo $((end - start))
}

ms() { awk -v us="$1" 'BEGIN { printf "%.1f ms", us / 1000 }'; }
echo "runs: $runs   orvane --render of a chart, process start to the file written (goal: at most 300 ms)"
for format in svg pdf png; do
    for _ in 1 2 3; do time_once "$format" >/dev/null; done  # warm the file cache
    times=()
    for ((i = 0; i < runs; ++i)); do
        times+=("$(time_once "$format")")
    done
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    median=$(echo "$sorted" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }')
    echo "$format  median $(ms "$median")  fastest $(ms "$(echo "$sorted" | head -1)")  slowest $(ms "$(echo "$sorted" | tail -1)")"
done
