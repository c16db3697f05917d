#!/usr/bin/env python3
"""orvane-cli's iCalendar file read by an independent parser, Debian's python3-icalendar.

calendar_parsed.py ORVANE_CLI: the calendar's events are the CSV's rows (same order, same seconds, UTC),
its UIDs are unique and the same in English, German and a second run, its windows end after they begin,
and its lines end in CR LF and hold at most 75 octets; the same for a geocentric calendar, whose entries say
so and whose stations are titled by their turn. Exit 77 (skipped) without the parser.
"""
import csv, io, subprocess, sys

try:
    import icalendar
except ImportError:
    print("python3-icalendar is not installed (scripts/setup installs it): skipped")
    sys.exit(77)

def check(span, extra, label):
    """The calendar of `span` against its CSV in English, German and a second run; the entries' UIDs."""
    run = lambda *more: subprocess.run(span + list(more), capture_output=True, check=True).stdout
    rows = list(csv.DictReader(io.StringIO(run("--format", "csv").decode())))
    uids = {}
    for language in ("en", "de", "en"):
        raw = run("--format", "ics", *extra, "--lang", language)
        lines = raw.split(b"\r\n")
        if lines[-1] != b"" or any(b"\n" in line or len(line) > 75 for line in lines):
            failures.append(f"{label} {language}: a line without CR LF or longer than 75 octets")
        calendar = icalendar.Calendar.from_ical(raw)
        entries = calendar.walk("VEVENT")
        events = [e for e in entries if "DTEND" not in e]
        times = [e.decoded("DTSTART").strftime("%Y-%m-%dT%H:%M:%SZ") for e in events]
        if str(calendar["VERSION"]) != "2.0" or times != [row["time"] for row in rows]:
            failures.append(f"{label} {language}: {len(events)} events, not the {len(rows)} of the CSV at its times")
        if any(e.decoded("DTSTART").utcoffset().total_seconds() != 0 for e in entries):
            failures.append(f"{label} {language}: a time not in UTC")
        if not all(e.decoded("DTEND") > e.decoded("DTSTART") for e in entries if "DTEND" in e):
            failures.append(f"{label} {language}: a window that ends before it begins")
        found = [str(e["UID"]) for e in entries]
        if len(set(found)) != len(found) or uids.setdefault("en", found) != found:
            failures.append(f"{label} {language}: a UID twice, or UIDs that differ between languages or runs")
    return rows, entries


failures = []
rows, entries = check([sys.argv[1], "events", "--from", "2025-01-01", "--to", "2025-04-01", "--bodies",
                       "Earth,Mercury,Mars,Jupiter"], ["--windows"], "heliocentric")
if len([e for e in entries if "DTEND" not in e]) == len(entries):
    failures.append("heliocentric: no windows")
# Seen from the Earth: the Moon's events and Mercury's stations, each entry described as geocentric and a
# station's title naming its turn (the German calendar is the last but one run).
rows, entries = check([sys.argv[1], "events", "--perspective", "geocentric", "--from", "2024-03-25", "--to",
                       "2024-05-01", "--bodies", "Sun,Moon,Mercury"], [], "geocentric")
stations = [str(e["SUMMARY"]) for e in entries if str(e["UID"]).startswith("geo-station-")]
kinds = [row["kind"] for row in rows]
if not all(str(e["DESCRIPTION"]).startswith("Geocentric") for e in entries) or kinds.count("station-retrograde") != 1:
    failures.append(f"geocentric: entries not described as geocentric, or not one retrograde station in {kinds}")
if [("retrograde" in s, "direct" in s) for s in stations] != [(k == "station-retrograde", k == "station-direct")
                                                               for k in kinds if k.startswith("station")]:
    failures.append(f"geocentric: station titles {stations}")
for failure in failures[:20]:
    print(failure)
print(f"two calendars parsed; {len(failures)} failures")
sys.exit(1 if failures else 0)
