# Sourced by the benchmarks that time whole processes with perf: `cpu_median CMD ...` prints the median
# CPU time in microseconds (perf task-clock) of $runs runs of the command, `ms US` prints it in ms.
# Needs $runs set and perf installed.
command -v perf >/dev/null || { echo "perf is needed" >&2; exit 2; }
perf_out=$(mktemp)
trap 'rm -f "$perf_out"' EXIT

cpu_median() {
    for ((i = 0; i < runs; ++i)); do
        perf stat -x, -e task-clock -o "$perf_out" -- "$@" >/dev/null 2>&1
        awk -F, '/task-clock/ { printf "%d\n", $1 * 1000 }' "$perf_out"
    done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
ms() { awk -v us="$1" 'BEGIN { printf "%8.2f ms", us / 1000 }'; }
