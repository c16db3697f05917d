#!/usr/bin/env python3
"""orvane-cli's iCalendar file read by an independent parser, Debian's python3-icalendar.

calendar_parsed.py ORVANE_CLI: the calendar's events are the CSV's rows (same order, same seconds, UTC),
its UIDs are unique and the same in English, German and a second run, its windows end after they begin,
and its lines end in CR LF and hold at most 75 octets. Exit 77 (skipped) without the parser.
"""
import csv, io, subprocess, sys

try:
    import icalendar
except ImportError:
    print("python3-icalendar is not installed (scripts/setup installs it): skipped")
    sys.exit(77)

span = [sys.argv[1], "events", "--from", "2025-01-01", "--to", "2025-04-01", "--bodies", "Earth,Mercury,Mars,Jupiter"]
run = lambda *extra: subprocess.run(span + list(extra), capture_output=True, check=True).stdout
failures = []
rows = list(csv.DictReader(io.StringIO(run("--format", "csv").decode())))
uids = {}
for language in ("en", "de", "en"):
    raw = run("--format", "ics", "--windows", "--lang", language)
    lines = raw.split(b"\r\n")
    if lines[-1] != b"" or any(b"\n" in line or len(line) > 75 for line in lines):
        failures.append(f"{language}: a line without CR LF or longer than 75 octets")
    calendar = icalendar.Calendar.from_ical(raw)
    entries = calendar.walk("VEVENT")
    events = [e for e in entries if "DTEND" not in e]
    times = [e.decoded("DTSTART").strftime("%Y-%m-%dT%H:%M:%SZ") for e in events]
    if str(calendar["VERSION"]) != "2.0" or times != [row["time"] for row in rows]:
        failures.append(f"{language}: {len(events)} events, not the {len(rows)} of the CSV at its times")
    if any(e.decoded("DTSTART").utcoffset().total_seconds() != 0 for e in entries):
        failures.append(f"{language}: a time not in UTC")
    if not all(e.decoded("DTEND") > e.decoded("DTSTART") for e in entries if "DTEND" in e) or len(events) == len(entries):
        failures.append(f"{language}: no windows, or one that ends before it begins")
    found = [str(e["UID"]) for e in entries]
    if len(set(found)) != len(found) or uids.setdefault("en", found) != found:
        failures.append(f"{language}: a UID twice, or UIDs that differ between languages or runs")
for failure in failures[:20]:
    print(failure)
print(f"{len(rows)} events and their windows parsed; {len(failures)} failures")
sys.exit(1 if failures else 0)
