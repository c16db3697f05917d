# The module seen from the Earth and the chart library, against the companion: the same positions, events,
# aspects, cycles and patterns to the digits orvane-cli prints (the refusals are among test_orvane's), and a chart of
# the library as a birthdate giving the companion's events for --birth @NAME.

import csv
import io

import numpy as np
import pytest

import orvane
from test_orvane import companion, json_rows, printed

GEO = ["--perspective", "geocentric"]


def test_geocentric_positions_equal_the_ephemeris():
    code, out, err = companion("ephemeris", *GEO, "--from", "2024-03-20T00:00Z", "--to", "2024-04-20T00:00Z",
                               "--step", "halfhour", "--columns", "latitude,speed", "--format", "csv")
    assert code == 0, err
    rows = list(csv.reader(io.StringIO(out)))
    halfhours = np.arange("2024-03-20T00:00", "2024-04-20T00:00", np.timedelta64(30, "m"), dtype="datetime64[m]")
    found = orvane.positions(halfhours, perspective="geocentric")
    assert len(rows) - 1 == len(halfhours)
    assert found.bodies == orvane.GEO_BODIES == tuple(rows[0][2::3])
    for row, L, B, S in zip(rows[1:], found.longitude, found.latitude, found.speed):
        assert row[2:] == [printed(v) for triple in zip(L, B, S) for v in triple], row[0]


def test_geocentric_events_aspects_and_cycles_equal_the_companion():
    rows = json_rows("events", *GEO, "--from", "2024-01-01T00:00Z", "--to", "2024-07-01T00:00Z", "--kinds",
                     "exact,ingress,station", "--frame", "j2000")
    table = orvane.events("2024-01-01T00:00Z", "2024-07-01T00:00Z", kinds=["exact", "ingress", "station"],
                          frame="j2000", perspective="geocentric")
    assert len(rows) > 500 and [(r["jd_ut"], r["kind"], r["body1"], r["aspect"] or "", r["body2"] or "",
                                 r["sign"] or "", r["value"] or "") for r in rows] == [
        (printed(e["jd_ut"]), e["kind"], e["body1"], e["aspect"], e["body2"], e["sign"], printed(e["value"]))
        for e in table]
    rows = json_rows("aspects", *GEO, "--from", "2024-01-01T00:00Z", "--to", "2024-01-08T00:00Z")
    table = orvane.aspects(np.arange("2024-01-01", "2024-01-08", dtype="datetime64[D]"), perspective="geocentric")
    assert [(r["jd_ut"], r["body1"], r["aspect"], r["body2"], r["deviation"], r["applying"]) for r in rows] == [
        (printed(a["jd_ut"]), a["body1"], a["aspect"], a["body2"], printed(a["deviation"]), a["applying"])
        for a in table]
    rows = json_rows("cycles", "Mercury", "Mars", *GEO, "--from", "2020-01-01T00:00Z", "--to", "2024-01-01T00:00Z")
    cycles = orvane.cycles("Mars", "Mercury", "2020-01-01T00:00Z", "2024-01-01T00:00Z", perspective="geocentric")
    assert (cycles.faster, cycles.slower) == ("Mercury", "Mars")
    assert [(r["cycle"], r["jd_ut"], r["phase"], r["aspect"]) for r in rows if r["kind"] == "phase"] == [
        (c["cycle"], printed(c["jd_ut"]), c["phase"], c["aspect"]) for c in cycles]


def test_geocentric_patterns_equal_the_companion():
    rows = json_rows("patterns", *GEO, "--from", "2025-10-01T00:00Z", "--to", "2025-11-01T00:00Z", "--planets", "Mo")
    table = orvane.patterns("2025-10-01T00:00Z", "2025-11-01T00:00Z", involving=["Mo"], perspective="geocentric")
    assert len(rows) > 10 and [(r["pattern"], r["bodies"], r["peak_deviation"]) for r in rows] == [
        (p["pattern"], p["bodies"], printed(p["peak_deviation"])) for p in table]
    assert all("Moon" in p["bodies"].split("-") for p in table)


def test_a_chart_of_the_library_is_a_birthdate(tmp_path, monkeypatch):
    library = str(tmp_path / "charts.sqlite")
    for name, birth in (("Maria Muster", "1978-03-14T06:45[Europe/Vienna]"), ("Max Muster", "1980-01-01T12:00Z")):
        code, _, err = companion("charts", "add", "--charts", library, "--name", name, "--birth", birth)
        assert code == 0, err
    with pytest.raises(ValueError):
        orvane.charts.find("maria", file=str(tmp_path / "none.sqlite"))
    monkeypatch.setenv("ORVANE_CHARTS", library)
    assert [c.name for c in orvane.charts.find("muster")] == ["Maria Muster", "Max Muster"]
    maria, = orvane.charts.find("maria", file=library)
    assert maria.birth == "1978-03-14T06:45:00+01:00[Europe/Vienna]" and orvane.julian_day(maria) == maria.jd_ut
    rows = json_rows("events", "--birth", "@Maria Muster", "--from", "2024-01-01T00:00Z", "--to", "2025-01-01T00:00Z")
    table = orvane.events("2024-01-01T00:00Z", "2025-01-01T00:00Z", birth=maria)
    assert len(rows) > 0 and [(r["jd_ut"], r["kind"], r["body1"], r["role1"]) for r in rows] == [
        (printed(e["jd_ut"]), e["kind"], e["body1"], e["role1"]) for e in table]


def test_a_place_s_angles_equal_the_companion():
    place = ["--lat", "48.21", "--lon", "16.37"]
    rows = json_rows("events", *GEO, *place, "--from", "2024-04-01T00:00Z", "--to", "2024-04-03T00:00Z")
    table = orvane.events("2024-04-01T00:00Z", "2024-04-03T00:00Z", perspective="geocentric", latitude=48.21,
                          longitude=16.37)
    assert sum(r["kind"] == "angle" for r in rows) > 400
    assert [(r["jd_ut"], r["kind"], r["body1"], r["aspect"] or "", r["body2"] or "") for r in rows] == [
        (printed(e["jd_ut"]), e["kind"], e["body1"], e["aspect"], e["body2"]) for e in table]
    rows = json_rows("aspects", *GEO, *place, "--from", "2024-01-01T00:00Z", "--to", "2024-01-03T00:00Z",
                     "--step", "halfhour")
    table = orvane.aspects(np.arange("2024-01-01T00:00", "2024-01-03T00:00", np.timedelta64(30, "m"),
                                     dtype="datetime64[m]"), perspective="geocentric", latitude=48.21, longitude=16.37)
    assert {"Ascendant", "Midheaven"} <= {r["body2"] for r in rows}
    assert [(r["jd_ut"], r["body1"], r["aspect"], r["body2"], r["deviation"], r["applying"]) for r in rows] == [
        (printed(a["jd_ut"]), a["body1"], a["aspect"], a["body2"], printed(a["deviation"]), a["applying"])
        for a in table]
    for refused in ({"latitude": 70.0, "longitude": 20.0, "perspective": "geocentric"},
                    {"latitude": 48.21, "perspective": "geocentric"},
                    {"latitude": 48.21, "longitude": 16.37}):
        with pytest.raises(ValueError):
            orvane.events("2024-04-01T00:00Z", "2024-04-02T00:00Z", **refused)
