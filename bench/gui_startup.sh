#!/usr/bin/env bash
# Start-up of the desktop program as whole processes: from the process start to the first painted main
# window (`orvane --quit-after-first-paint` on the offscreen platform), in a temporary home so that no
# per-user state file or setting of the real user is read. Prints the median, the fastest and the
# slowest run against the goal of 400 ms. Builds nothing.
#
# Usage: bench/gui_startup.sh BIN_FOLDER [RUNS]    (RUNS defaults to 21, at least 10)
set -euo pipefail

bin=${1:?usage: $0 BIN_FOLDER [RUNS]}
runs=${2:-21}
program="$bin/orvane"
[ -x "$program" ] || { echo "no executable $program" >&2; exit 2; }
[ "$runs" -ge 10 ] || { echo "RUNS must be at least 10" >&2; exit 2; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen

# Wall time of one run in microseconds, from the shell's own clock.
time_once() {
    local start end
    start=${EPOCHREALTIME/./}
    "$program" --quit-after-first-paint >/dev/null 2>&1 || { echo "orvane failed" >&2; exit 1; }
    end=${EPOCHREALTIME/./}
    echo $((end - start))
}

for _ in 1 2 3; do time_once >/dev/null; done  # warm the file cache
times=()
for ((i = 0; i < runs; ++i)); do
    times+=("$(time_once)")
done

sorted=$(printf '%s\n' "${times[@]}" | sort -n)
ms() { awk -v us="$1" 'BEGIN { printf "%.1f ms", us / 1000 }'; }
median=$(echo "$sorted" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }')
echo "runs: $runs   process start to first painted main window (goal: at most 400 ms)"
echo "median  $(ms "$median")"
echo "fastest $(ms "$(echo "$sorted" | head -1)")"
echo "slowest $(ms "$(echo "$sorted" | tail -1)")"
