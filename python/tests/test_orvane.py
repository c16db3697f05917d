# The Python module against the companion: the same positions, events, stays within an orb and cycles to
# the digits orvane-cli prints, the same refusals, and the same answers from threads running at once.
# ORVANE_CLI names the companion (ctest sets it, with PYTHONPATH to the build tree's module).

import concurrent.futures
import csv
import io
import json
import math
import os
import subprocess

import numpy as np
import pytest

import orvane

CLI = os.environ.get("ORVANE_CLI", "orvane-cli")


def companion(*args):
    run = subprocess.run([CLI, *args], capture_output=True, text=True)
    return run.returncode, run.stdout, run.stderr


def json_rows(*args):
    code, out, err = companion(*args, "--format", "json")
    assert code == 0, err
    return json.loads(out, parse_float=str)["rows"]


def printed(value):
    return "" if math.isnan(value) else f"{value:.6f}"


@pytest.mark.parametrize("convention", [[], ["--frame", "date", "--positions", "apparent"]])
def test_positions_equal_the_ephemeris(convention):
    # Two months of 1933 by day: Pluto's table begins in the span, so its missing positions count too.
    code, out, err = companion("ephemeris", "--from", "1932-12-01T00:00Z", "--to", "1933-02-01T00:00Z",
                               "--columns", "latitude,speed", "--format", "csv", *convention)
    assert code == 0, err
    rows = list(csv.reader(io.StringIO(out)))[1:]
    days = np.arange("1932-12-01", "1933-02-01", dtype="datetime64[D]")
    frame, kind = (convention[1], convention[3]) if convention else ("j2000", "geometric")
    found = orvane.positions(days, frame=frame, positions=kind)
    assert found.bodies == orvane.BODIES and len(rows) == len(days)
    for row, L, B, S in zip(rows, found.longitude, found.latitude, found.speed):
        expected = [printed(v) for triple in zip(L, B, S) for v in triple]
        assert row[2:] == expected, row[0]


def test_events_of_a_century_equal_the_companion():
    rows = json_rows("events", "--from", "1950-01-01T00:00Z", "--to", "2050-01-01T00:00Z")
    table = orvane.events("1950-01-01T00:00Z", "2050-01-01T00:00Z")
    assert len(rows) == len(table) > 10000
    for row, event in zip(rows, table):
        assert row["jd_ut"] == printed(event["jd_ut"])
        for key in ("kind", "body1", "aspect", "body2", "sign"):
            assert (row[key] or "") == event[key], row


def test_personal_transits_and_the_bodies_own_events_equal_the_companion():
    options = ["--birth", "1978-03-14T06:45[Europe/Vienna]", "--bodies", "Earth,Mars,Jupiter,Saturn",
               "--kinds", "exact,return,cross,perihelion,ascending-node", "--degrees", "0,123.5",
               "--orb", "Square=3"]
    rows = json_rows("events", "--from", "2000-01-01T00:00Z", "--to", "2010-01-01T00:00Z", *options)
    table = orvane.events("2000-01-01T00:00Z", np.datetime64("2010-01-01"), birth="1978-03-14T06:45[Europe/Vienna]",
                          bodies=["Earth", "Mars", "Jupiter", "Saturn"],
                          kinds=["exact", "return", "cross", "perihelion", "ascending-node"], degrees=[0, 123.5],
                          orbs={"Square": 3})
    assert [(r["jd_ut"], r["kind"], r["body1"], r["role1"], r["value"] or "") for r in rows] == [
        (printed(e["jd_ut"]), e["kind"], e["body1"], e["role1"], printed(e["value"])) for e in table]


def test_windows_and_cycles_equal_the_companion():
    birth = "1978-03-14T06:45[Europe/Vienna]"
    rows = json_rows("events", "--windows", "--birth", birth, "--from", "2020-01-01T00:00Z", "--to",
                     "2021-01-01T00:00Z", "--bodies", "Jupiter,Saturn")
    table = orvane.events("2020-01-01T00:00Z", "2021-01-01T00:00Z", birth=birth, bodies=["Jupiter", "Saturn"],
                          windows=True)
    assert len(rows) == len(table)
    for row, stay in zip(rows, table):
        assert (row["body1"], row["aspect"], row["body2"], row["tightest_orb"]) == (
            stay["body1"], stay["aspect"], stay["body2"], printed(stay["tightest_orb"]))
        assert len(row["exact"]) == stay["exacts"] and (row["enter"] is None) == math.isnan(stay["enter"])
    rows = json_rows("cycles", "Jupiter", "Saturn", "--from", "1900-01-01T00:00Z", "--to", "2000-01-01T00:00Z")
    cycles = orvane.cycles("Jupiter", "Saturn", "1900-01-01T00:00Z", "2000-01-01T00:00Z")
    assert [(r["cycle"], r["jd_ut"], r["phase"], r["aspect"]) for r in rows if r["kind"] == "phase"] == [
        (c["cycle"], printed(c["jd_ut"]), c["phase"], c["aspect"]) for c in cycles]
    assert [r["jd_ut"] for r in rows if r["kind"] == "start"] == sorted({printed(c) for c in cycles["cycle_start"]})


def test_sampled_aspects_and_pattern_lifetimes_equal_the_companion():
    rows = json_rows("aspects", "--from", "2024-01-01T00:00Z", "--to", "2024-03-01T00:00Z", "--step", "week")
    table = orvane.aspects(np.arange("2024-01-01", "2024-03-01", 7, dtype="datetime64[D]"))
    assert [(r["jd_ut"], r["body1"], r["aspect"], r["body2"], r["deviation"], r["applying"]) for r in rows] == [
        (printed(a["jd_ut"]), a["body1"], a["aspect"], a["body2"], printed(a["deviation"]), a["applying"])
        for a in table]
    rows = json_rows("patterns", "--from", "2020-01-01T00:00Z", "--to", "2022-01-01T00:00Z")
    table = orvane.patterns("2020-01-01T00:00Z", "2022-01-01T00:00Z")
    assert len(rows) > 0 and [(r["pattern"], r["bodies"], r["peak_deviation"]) for r in rows] == [
        (p["pattern"], p["bodies"], printed(p["peak_deviation"])) for p in table]


REFUSALS = [
    (lambda: orvane.positions(["2023-02-30T00:00Z"]), ["positions", "--date", "2023-02-30T00:00Z"]),
    (lambda: orvane.julian_day("2000-01-01T00:00[Mars/Olympus]"), ["positions", "--date", "2000-01-01T00:00[Mars/Olympus]"]),
    (lambda: orvane.positions([2451545.0], bodies=["Moon"]), ["events", "--bodies", "Moon"]),
    (lambda: orvane.positions([2451545.0], frame="galactic"), ["positions", "--jd", "2451545", "--frame", "galactic"]),
    (lambda: orvane.events(2451545.0, 2451555.0, kinds=["eclipse"]), ["events", "--kinds", "eclipse"]),
    (lambda: orvane.events(2451545.0, 2451555.0, kinds=["cross"]), ["events", "--kinds", "cross"]),
    (lambda: orvane.events(2451545.0, 2451555.0, orbs={"Square": 190}), ["events", "--orb", "Square=190"]),
    (lambda: orvane.events(2451545.0, 2451555.0, mode="personal1"), ["events", "--mode", "personal1"]),
    (lambda: orvane.events("2001-01-01T00:00Z", "2000-01-01T00:00Z"),
     ["events", "--from", "2001-01-01T00:00Z", "--to", "2000-01-01T00:00Z"]),
    (lambda: orvane.cycles("Mars", "mars", 2451545.0, 2451555.0), ["cycles", "Mars", "mars"]),
    (lambda: orvane.patterns(2451545.0, 2451555.0, patterns=["Kite", "Pentagram"]), ["patterns", "--pattern", "Kite,Pentagram"]),
    # Seen from the Earth.
    (lambda: orvane.positions([2451545.0], bodies=["Earth"], perspective="geocentric"),
     ["events", "--perspective", "geocentric", "--bodies", "Earth"]),
    (lambda: orvane.positions([2451545.0], perspective="topocentric"),
     ["positions", "--perspective", "topocentric"]),
    (lambda: orvane.events(2451545.0, 2451555.0, kinds=["return"], perspective="geocentric"),
     ["events", "--perspective", "geocentric", "--kinds", "return"]),
    (lambda: orvane.events(2451545.0, 2451555.0, birth="1978-03-14", perspective="geocentric"),
     ["events", "--perspective", "geocentric", "--birth", "1978-03-14"]),
    (lambda: orvane.cycles("Venus", "Sun", 2451545.0, 2451555.0, perspective="geocentric"),
     ["cycles", "Venus", "Sun", "--perspective", "geocentric"]),
    (lambda: orvane.patterns(2451545.0, 2451555.0, patterns=["Kite", "midpoint"], perspective="geocentric"),
     ["patterns", "--perspective", "geocentric", "--pattern", "Kite,midpoint"]),
    (lambda: orvane.patterns(2451545.0, 2451555.0, involving=["Earth"], perspective="geocentric"),
     ["patterns", "--perspective", "geocentric", "--planets", "Earth"]),
]


@pytest.mark.parametrize("call,args", REFUSALS)
def test_refusals_raise_the_companions_message(call, args):
    code, _, err = companion(*args)
    assert code != 0
    with pytest.raises(ValueError) as raised:
        call()
    assert str(raised.value) == err.splitlines()[0]


def test_threads_at_once_give_the_same_results():
    days = np.arange("1990-01-01", "2030-01-01", dtype="datetime64[D]")

    def work(k):
        found = orvane.positions(days[k::3])
        return found.longitude.tobytes(), orvane.events(2440000.5 + 365 * k, 2440000.5 + 365 * (k + 4)).tobytes()

    alone = [work(k) for k in range(6)]
    with concurrent.futures.ThreadPoolExecutor(6) as pool:
        assert list(pool.map(work, range(6))) == alone
