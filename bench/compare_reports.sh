#!/usr/bin/env bash
# Runs two builds of orvane-cli on the same random states and counts the runs whose output differs.
#
#   bench/compare_reports.sh [-n REPORTS] [-f FINDS] [-s SEED] [-o FOLDER] CLI_A [CLI_B]
#
# A restructuring must leave every text the companion prints alone. The states are variations of a
# golden-file state (tests/cli/golden/world-2000-01-01.qvs): random dates from 1600 to 2199 in all three
# date rows, a random mode, random orbs, boldface rule, orb proportions and midpoint orb. Each state gets a
# `report` (with a sort entry the mode offers, now and then in German or in radians); a few world-transit
# states also get a `find` for a random pattern. Every run's standard output, standard error and exit code
# are kept in FOLDER/a/NAME.txt and FOLDER/b/NAME.txt (FOLDER defaults to a temporary folder, removed at
# the end), the states in FOLDER/states. Without CLI_B only CLI_A's outputs are recorded (to compare with
# a later build: `diff -r FOLDER_BEFORE/a FOLDER_AFTER/b`). The same seed gives the same runs.
# Exit 0 when no run differs.
set -euo pipefail

reports=300
finds=30
seed=1
folder=
while getopts "n:f:s:o:" option; do
  case $option in
    n) reports=$OPTARG ;;
    f) finds=$OPTARG ;;
    s) seed=$OPTARG ;;
    o) folder=$OPTARG ;;
    *) sed -n '2,14p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  sed -n '2,14p' "$0" >&2
  exit 2
fi
cli_a=$(realpath "$1")
cli_b=${2:+$(realpath "$2")}

here=$(cd "$(dirname "$0")" && pwd)
template=$here/../tests/cli/golden/world-2000-01-01.qvs
if [ -z "$folder" ]; then
  folder=$(mktemp -d)
  trap 'rm -rf "$folder"' EXIT
fi
mkdir -p "$folder/states" "$folder/a"
[ -n "$cli_b" ] && mkdir -p "$folder/b"

mapfile -t lines < <(tr -d '\r' < "$template")
RANDOM=$seed

# R becomes a number from $1 to $2 (inclusive). Set here, never in a subshell: bash seeds a subshell's
# RANDOM afresh, which would make the runs differ from one call of the script to the next.
pick() { R=$(( $1 + RANDOM % ($2 - $1 + 1) )); }

# Writes a random state of mode $2 (1 … 6) to the file $1. Lines, counted from 1: 1 … 15 the three date
# rows (month, day, year, half hour, zone), 16 … 21 the mode buttons, 26 boldface, 27 its divisor,
# 28 and 29 the boldface rule, 32 and 50 the orb proportions, 33 … 39 the orbs, 49 the midpoint orb.
write_state() {
  local state=("${lines[@]}") row first m
  for row in 0 1 2; do
    first=$((5 * row))
    pick 1 12; state[first]=" $R "
    pick 1 28; state[first + 1]=" $R "
    pick 1600 2199; state[first + 2]=$R
    pick 1 48; state[first + 3]=" $R "
    pick 1 48; (( RANDOM % 4 )) && R=24; state[first + 4]=" $R "
  done
  for m in 0 1 2 3 4 5; do
    if [ $((m + 1)) -eq "$2" ]; then state[15 + m]='#TRUE#'; else state[15 + m]='#FALSE#'; fi
  done
  pick 0 1; state[25]=" $R "
  pick 0 8; state[26]=" $R "
  if (( RANDOM % 2 )); then state[27]='#TRUE#'; state[28]='#FALSE#'; else state[27]='#FALSE#'; state[28]='#TRUE#'; fi
  pick 0 4; state[31]=" $R "
  for m in 0 1 2 3 4 5 6; do
    if (( RANDOM % 3 )); then pick 0 15; else pick 1 10; fi
    state[32 + m]=$R
  done
  pick 0 7; state[48]=" $R "
  pick 0 4; state[49]=" $R "
  printf '%s\r\n' "${state[@]}" > "$1"
}

# Runs both builds with the arguments after $1 (the run's name) in the states folder.
different=0
runs=0
compare() {
  local name=$1 cli side
  shift
  runs=$((runs + 1))
  for side in a b; do
    cli=$cli_a
    if [ $side = b ]; then
      [ -n "$cli_b" ] || break
      cli=$cli_b
    fi
    (
      cd "$folder/states"
      set +e
      "$cli" "$@" > "$folder/$side/$name.out" 2> "$folder/$side/$name.err"
      code=$?
      { echo "orvane-cli $*"; cat "$folder/$side/$name.out"; echo "--- stderr"; cat "$folder/$side/$name.err"
        echo "--- exit $code"; } > "$folder/$side/$name.txt"
      rm -f "$folder/$side/$name.out" "$folder/$side/$name.err"
    )
  done
  if [ -n "$cli_b" ] && ! cmp -s "$folder/a/$name.txt" "$folder/b/$name.txt"; then
    different=$((different + 1))
    echo "DIFFERENT $name: orvane-cli $*" >&2
  fi
}

modes=(1 1 1 2 3 4 4 5 6)
for ((n = 0; n < reports; n++)); do
  mode=${modes[RANDOM % ${#modes[@]}]}
  write_state "$folder/states/r$n.qvs" "$mode"
  args=(report "r$n.qvs")
  case $mode in
    1) if (( RANDOM % 3 == 0 )); then pick 1 5; args+=(--sort "$R"); fi ;;
    4|5) if (( RANDOM % 3 == 0 )); then pick 1 6; args+=(--sort "$R"); fi ;;
  esac
  if (( RANDOM % 5 == 0 )); then args+=(--lang de); fi
  if (( RANDOM % 6 == 0 )); then args+=(--radians); fi
  compare "report-$n" "${args[@]}"
done

steps=(day week month halfhour)
for ((n = 0; n < finds; n++)); do
  write_state "$folder/states/f$n.qvs" 1
  pick 0 13
  args=(find "f$n.qvs" --pattern "$R" --step "${steps[RANDOM % ${#steps[@]}]}" --max-steps 2000)
  if (( RANDOM % 3 == 0 )); then pick 2 4; args+=(--at-least "$R"); fi
  compare "find-$n" "${args[@]}"
done

if [ -n "$cli_b" ]; then
  echo "$runs runs ($reports reports, $finds finds): $different different; outputs in $folder"
else
  echo "$runs runs ($reports reports, $finds finds) of $cli_a recorded in $folder/a"
fi
[ "$different" -eq 0 ]
