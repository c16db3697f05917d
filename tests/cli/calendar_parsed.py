#!/usr/bin/env python3
"""The companion's iCalendar file read back by an independent parser (Debian python3-icalendar).

Usage: calendar_parsed.py ORVANE_CLI. The events of a span as CSV and as a calendar with its orb windows:
the calendar's events are the CSV's rows in the same order and at the same seconds, every UID is unique,
every window ends after it begins, and the file itself keeps RFC 5545's shape (CR LF, lines of at most 75
octets). Exit 77 (skipped) when the parser is not installed.
"""
import csv
import datetime
import io
import subprocess
import sys

try:
    import icalendar
except ImportError:
    print("python3-icalendar is not installed (scripts/setup installs it): skipped")
    sys.exit(77)

program = sys.argv[1]
span = ["events", "--from", "2025-01-01", "--to", "2025-04-01", "--bodies", "Earth,Mercury,Venus,Mars,Jupiter"]


def run(*extra):
    done = subprocess.run([program, *span, *extra], capture_output=True, check=True)
    return done.stdout


failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


rows = list(csv.DictReader(io.StringIO(run("--format", "csv").decode())))
for language in ("en", "de"):
    raw = run("--format", "ics", "--windows", "--lang", language)
    lines = raw.split(b"\r\n")
    check(lines[-1] == b"" and b"\n" not in raw.replace(b"\r\n", b""), f"{language}: a line not ended by CR LF")
    check(all(len(line) <= 75 for line in lines), f"{language}: a line longer than 75 octets")
    calendar = icalendar.Calendar.from_ical(raw)
    check(str(calendar["VERSION"]) == "2.0" and "PRODID" in calendar, f"{language}: VERSION or PRODID missing")
    entries = [c for c in calendar.walk("VEVENT")]
    events = [e for e in entries if "DTEND" not in e]
    windows = [e for e in entries if "DTEND" in e]
    check(len(events) == len(rows), f"{language}: {len(events)} events for {len(rows)} CSV rows")
    for event, row in zip(events, rows):
        start = event.decoded("DTSTART")
        check(start.tzinfo is not None and start.utcoffset() == datetime.timedelta(0), f"{language}: not UTC")
        check(start.strftime("%Y-%m-%dT%H:%M:%SZ") == row["time"], f"{language}: {start} for {row['time']}")
        summary = str(event["SUMMARY"])
        for name in (row["body1"], row["body2"], row["sign"]):
            check(name in summary, f"{language}: {name} not in {summary}")
    uids = [str(e["UID"]) for e in entries]
    check(len(set(uids)) == len(uids), f"{language}: a UID twice")
    check(len(windows) > 0, f"{language}: no window")
    for window in windows:
        check(window.decoded("DTEND") > window.decoded("DTSTART"), f"{language}: {window['UID']} ends before it begins")
    if language == "en":
        english_uids = uids
    else:
        check(uids == english_uids, "the UIDs depend on the language")

# The same span written again gives the same UIDs.
again = icalendar.Calendar.from_ical(run("--format", "ics", "--windows"))
check([str(e["UID"]) for e in again.walk("VEVENT")] == english_uids, "the UIDs change from run to run")

for failure in failures[:20]:
    print(failure)
print(f"{len(rows)} events and their windows parsed in English and German; {len(failures)} failures")
sys.exit(1 if failures else 0)
