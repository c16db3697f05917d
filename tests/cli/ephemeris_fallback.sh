#!/bin/sh
# Without the Swiss Ephemeris data files (an empty folder mounted over Debian's, in a private mount
# namespace) the companion computes with the analytic ephemeris: the same degrees and minutes, and one
# notice on stderr however many bodies it computes. Skipped (77) where mount namespaces are not allowed.
set -u
cli=$1
empty=$(mktemp -d)
trap 'rmdir "$empty"' EXIT
"$cli" positions --jd 2451545 > "$empty.with" 2>/dev/null || exit 1
unshare -m --propagation private true 2>/dev/null || { rm -f "$empty.with"; exit 77; }
unshare -m --propagation private sh -c 'mount --bind "$1" /usr/share/libswe/ephe && "$2" positions --jd 2451545' \
  sh "$empty" "$cli" > "$empty.without" 2> "$empty.notice"
status=$?
result=0
[ "$status" -eq 0 ] || { echo "exit $status"; result=1; }
notices=$(grep -c "analytic ephemeris" "$empty.notice")
[ "$notices" -eq 1 ] || { echo "$notices notices"; cat "$empty.notice"; result=1; }
cut -d' ' -f1,3,4 "$empty.with" > "$empty.a"
cut -d' ' -f1,3,4 "$empty.without" > "$empty.b"
diff "$empty.a" "$empty.b" || result=1
rm -f "$empty.with" "$empty.without" "$empty.notice" "$empty.a" "$empty.b"
exit $result
