#!/bin/sh
# A command given in Universal Time reads no zone file: every call that names a file, traced by strace,
# names neither the zoneinfo folder nor /etc/localtime. A command with a named zone must read them, so
# that a trace that sees nothing cannot pass. Skipped (77) where strace is missing or may not trace.
set -u
cli=$1
samples=$2
command -v strace > /dev/null 2>&1 || exit 77
strace -f -o /dev/null true 2> /dev/null || exit 77
trace=$(mktemp)
trap 'rm -f "$trace"' EXIT

# How many traced file names lie in the zone folders while the companion runs "$@".
zone_files() {
  strace -f -qq -e trace=%file -o "$trace" "$cli" "$@" > /dev/null 2>&1
  grep -c -e '/zoneinfo' -e '/etc/localtime' -e '/etc/timezone' "$trace"
}

result=0
for args in "positions --date 2000-01-01T00:00Z" "positions --jd 2451545" "report $samples/natal.qvs" \
            "report $samples/synastry.qvs" "report $samples/world-grand-trine.qvs --lang de" \
            "find $samples/world-grand-trine.qvs --pattern 0 --max-steps 3"; do
  # shellcheck disable=SC2086
  count=$(zone_files $args)
  [ "$count" -eq 0 ] || { echo "$args: $count zone files"; result=1; }
done
count=$(zone_files positions --date "2000-01-01T00:00[Europe/Berlin]")
[ "$count" -gt 0 ] || { echo "a named zone read no zone file: the trace sees nothing"; result=1; }
exit $result
