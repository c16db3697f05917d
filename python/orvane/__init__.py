"""Orvane's heliocentric engine for Python: positions, events, stays within an orb and synodic cycles,
seen from the Sun or, with ``perspective="geocentric"``, from the Earth; and the chart library.

Every function computes what the companion ``orvane-cli`` computes, through the same code, in this process:

>>> import numpy as np, orvane
>>> days = np.arange("2000-01-01", "2000-01-11", dtype="datetime64[D]")
>>> orvane.positions(days, bodies=["Jupiter", "Saturn"]).longitude.shape
(10, 2)
>>> orvane.events("2024-01-01T00:00Z", "2025-01-01T00:00Z", bodies=["Jupiter", "Saturn"]).shape
(…,)

Moments are accepted as the companion reads them ("1978-03-14T06:45[Europe/Vienna]", "2000-01-01T12:00Z",
"2000-01-01T13:00+01:00"; UT without a zone), as ``datetime`` (with a ``zoneinfo`` zone, UT when naive),
``date`` (midnight UT), ``numpy.datetime64`` (UTC), as Julian dates (UT) or as a chart of the library
(``orvane.charts.find``). ``perspective="geocentric"`` takes the bodies Sun, Moon, Mercury … Pluto and, unless
``frame`` or ``positions`` say otherwise, apparent positions of date, as ``--perspective geocentric`` does;
the Earth is refused there and the Sun and the Moon in the heliocentric view. A refused value raises
``ValueError`` with the companion's message. The computations let go of the interpreter's lock, so threads
run them side by side.
"""

from __future__ import annotations

import datetime as _datetime
import os as _os

import numpy as _np

from . import _orvane
from ._location import DATA_FOLDER as _DATA_FOLDER
from . import charts

__all__ = ["BODIES", "EVENT_KINDS", "GEO_BODIES", "GEO_EVENT_KINDS", "Positions", "Table", "aspects", "charts",
           "cycles", "events", "julian_day",
           "julian_days", "patterns", "positions", "windows"]

#: The bodies in the program's order.
BODIES = ("Earth", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto")
#: The event kinds by the names the companion's --kinds takes.
EVENT_KINDS = ("exact", "enter", "leave", "ingress", "cross", "return", "ascending-node", "descending-node",
               "latitude-max", "latitude-min", "perihelion", "aphelion", "miss")
#: The bodies seen from the Earth, in the tables' order.
GEO_BODIES = ("Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto")
#: The event kinds of the view from the Earth (station: both stations).
GEO_EVENT_KINDS = ("exact", "ingress", "station", "angle")

_UNIX_EPOCH_JD = 2440587.5
_MICROSECONDS_A_DAY = 86400e6
_EPOCH = _datetime.datetime(1970, 1, 1, tzinfo=_datetime.timezone.utc)

_orvane.start(_os.environ.get("ORVANE_DATA_DIR") or _DATA_FOLDER)


def julian_day(moment) -> float:
    """The Julian date (UT) of one moment: a text as the companion reads it, a datetime, a date, a
    numpy.datetime64 or a number (already a Julian date)."""
    if isinstance(moment, str):
        return _orvane.moment(moment)
    if isinstance(moment, charts.Chart):
        return moment.jd_ut
    if isinstance(moment, _datetime.datetime):
        aware = moment if moment.tzinfo is not None else moment.replace(tzinfo=_datetime.timezone.utc)
        return (aware - _EPOCH) / _datetime.timedelta(days=1) + _UNIX_EPOCH_JD
    if isinstance(moment, _datetime.date):
        return julian_day(_datetime.datetime(moment.year, moment.month, moment.day))
    if isinstance(moment, _np.datetime64):
        return float(julian_days(_np.asarray([moment]))[0])
    if isinstance(moment, (int, float, _np.integer, _np.floating)):
        return float(moment)
    raise TypeError(f"not a moment: {moment!r}")


def julian_days(times) -> _np.ndarray:
    """The Julian dates (UT) of an array of moments: datetime64 (UTC), numbers (Julian dates) or any
    moments julian_day takes."""
    array = _np.asarray(times)
    if array.dtype.kind == "M":
        microseconds = array.astype("datetime64[us]").astype(_np.int64)
        days = microseconds / _MICROSECONDS_A_DAY + _UNIX_EPOCH_JD
        return _np.where(_np.isnat(array), _np.nan, days)
    if array.dtype.kind in "fiu":
        return array.astype(_np.float64)
    return _np.array([julian_day(moment) for moment in array.ravel()], dtype=_np.float64).reshape(array.shape)


def _datetimes(jd: _np.ndarray) -> _np.ndarray:
    """Julian dates as datetime64[us] (UTC); NaT for NaN."""
    microseconds = _np.round((jd - _UNIX_EPOCH_JD) * _MICROSECONDS_A_DAY)
    times = _np.where(_np.isnan(microseconds), 0, microseconds).astype(_np.int64).astype("datetime64[us]")
    times[_np.isnan(jd)] = _np.datetime64("NaT")
    return times


class Table(_np.ndarray):
    """A numpy structured array, one record a row, with ``to_pandas()``."""

    def to_pandas(self):
        """The rows as a pandas DataFrame (needs python3-pandas); the moments' columns as UTC timestamps."""
        import pandas

        frame = pandas.DataFrame({name: self[name] for name in self.dtype.names})
        for name in self.dtype.names:
            if self.dtype[name].kind == "M":
                frame[name] = frame[name].dt.tz_localize("UTC")
        return frame


def _table(columns: dict, moments: tuple = ()) -> Table:
    """A Table of columns (numpy arrays of numbers or lists of texts), each column in `moments` a Julian
    date given a datetime64 column beside it named without its '_jd' or as 'time' for 'jd_ut'."""
    fields = []
    for name, column in columns.items():
        if isinstance(column, str):
            continue
        if isinstance(column, list):
            width = max((len(text) for text in column), default=1) or 1
            fields.append((name, _np.array(column, dtype=f"<U{width}")))
        else:
            fields.append((name, _np.asarray(column)))
        if name in moments:
            fields.append(("time" if name == "jd_ut" else name + "_time", _datetimes(_np.asarray(column))))
    rows = len(fields[0][1]) if fields else 0
    table = _np.empty(rows, dtype=[(name, values.dtype) for name, values in fields])
    for name, values in fields:
        table[name] = values
    return table.view(Table)


class Positions:
    """Positions at moments: ``longitude``, ``latitude`` (degrees) and ``speed`` (degrees a day) as arrays of
    (moments × bodies), NaN where a body has no position; ``bodies`` names the columns, ``jd`` the moments."""

    def __init__(self, jd, bodies, longitude, latitude, speed):
        self.jd = jd
        self.bodies = tuple(bodies)
        self.longitude = longitude
        self.latitude = latitude
        self.speed = speed

    def __len__(self) -> int:
        return len(self.jd)

    def to_pandas(self):
        """A DataFrame indexed by the moments (UTC): per body its longitude under its name, then
        NAME_latitude and NAME_speed, as the companion's ephemeris names them (needs python3-pandas)."""
        import pandas

        data = {}
        for column, body in enumerate(self.bodies):
            data[body] = self.longitude[:, column]
            data[body + "_latitude"] = self.latitude[:, column]
            data[body + "_speed"] = self.speed[:, column]
        index = pandas.DatetimeIndex(_datetimes(self.jd), name="time").tz_localize("UTC")
        return pandas.DataFrame(data, index=index)


def _names(values) -> list:
    if values is None:
        return []
    if isinstance(values, str):
        return [values]
    return [str(value) for value in values]


def positions(times, bodies=None, frame: str | None = None, positions: str | None = None,
              perspective: str = "heliocentric") -> Positions:
    """Positions of `bodies` (names or abbreviations; default all of the perspective) at every moment of
    `times` (an array of datetime64 in UTC, of Julian dates, or of any moments julian_day takes), in the
    convention of the companion's --frame (j2000, date) and --positions (geometric, apparent): heliocentric
    by default (J2000, geometric), geocentric with perspective="geocentric" (of date, apparent)."""
    jd = _np.ascontiguousarray(julian_days(times), dtype=_np.float64).ravel()
    names, longitude, latitude, speed = _orvane.positions(jd, _names(bodies), frame or "", positions or "",
                                                          perspective)
    return Positions(jd, names, longitude, latitude, speed)


def _options(kinds, bodies, aspects, orbs, degrees, birth, birth2, mode, frame, positions,
             perspective="heliocentric") -> dict:
    options = {"kinds": _names(kinds), "bodies": _names(bodies), "aspects": _names(aspects),
               "frame": frame or "", "positions": positions or "", "mode": mode or "", "perspective": perspective}
    if orbs:
        items = orbs.items() if isinstance(orbs, dict) else (item.split("=", 1) for item in _names(orbs))
        options["orbs"] = [f"{name}={_number_text(degree)}" for name, degree in items]
    if degrees is not None:
        options["degrees"] = [float(degree) for degree in _np.atleast_1d(degrees)]
    for key, moment in (("birth", birth), ("birth2", birth2)):
        if moment is not None:
            options[key] = _moment_text(moment)
    return options


def _place(latitude, longitude) -> dict:
    """A place's latitude and longitude as the engine takes them (only those given)."""
    return {key: float(value) for key, value in (("latitude", latitude), ("longitude", longitude))
            if value is not None}


def _number_text(number) -> str:
    """A number as the companion's options are typed: 3, 2.5 (not 3.0)."""
    text = repr(float(number))
    return text[:-2] if text.endswith(".0") else text


def _moment_text(moment) -> str:
    """A birthdate as the companion reads it: a text as it is, any other moment to the microsecond in UT."""
    if isinstance(moment, str):
        return moment
    if isinstance(moment, charts.Chart):
        return moment.birth
    jd = julian_day(moment)
    time = _datetimes(_np.asarray([jd]))[0]
    return str(time) + "Z"


def events(start, end, kinds=None, bodies=None, aspects=None, orbs=None, degrees=None, birth=None, birth2=None,
           mode=None, windows: bool = False, frame: str | None = None, positions: str | None = None,
           perspective: str = "heliocentric", latitude: float | None = None,
           longitude: float | None = None) -> Table:
    """Every event with start ≤ moment < end, as ``orvane-cli events --format json`` lists them: a Table
    with jd_ut, time, kind, body1, aspect, body2, sign, value (degrees; AU for perihelion and aphelion),
    role1, role2 ("" and NaN where nothing applies).

    kinds, bodies, aspects: names as --kinds, --bodies, --aspects take them (default: exact, enter, leave,
    ingress among all bodies and the seven aspects); orbs: {aspect: degrees} as --orb; degrees: the
    longitudes of the kind cross; birth, birth2: the birthdates; mode: world, natal1, natal2, personal1,
    personal2 (default: personal1 with a birth, world otherwise); a birth may be a chart of the library.
    windows=True returns the stays within an orb instead (see windows()). perspective="geocentric": the
    sky's events among GEO_BODIES, kinds GEO_EVENT_KINDS (value: a station's longitude), world events only;
    latitude and longitude (degrees, north and east positive, within 65° of the equator) add the kind
    angle to the default kinds: a body exact in an aspect to the place's Ascendant or Midheaven (body2)."""
    if windows:
        return globals()["windows"](start, end, bodies=bodies, aspects=aspects, orbs=orbs, birth=birth,
                                    birth2=birth2, mode=mode, frame=frame, positions=positions,
                                    perspective=perspective)
    options = _options(kinds, bodies, aspects, orbs, degrees, birth, birth2, mode, frame, positions, perspective)
    options.update(_place(latitude, longitude))
    return _table(_orvane.events(julian_day(start), julian_day(end), options), moments=("jd_ut",))


def windows(start, end, bodies=None, aspects=None, orbs=None, birth=None, birth2=None, mode=None,
            frame: str | None = None, positions: str | None = None, perspective: str = "heliocentric") -> Table:
    """Every stay of an aspect within its orb in the span, as ``orvane-cli events --windows``: a Table with
    enter, leave (NaN where the span cuts the stay), duration_days, exact (the first exact moment), exacts
    (how many), body1, aspect, body2, tightest_orb (degrees), role1, role2, with a datetime64 column beside
    each moment. The options are those of events() (the geocentric view has no windows)."""
    options = _options(None, bodies, aspects, orbs, None, birth, birth2, mode, frame, positions, perspective)
    columns = _orvane.windows(julian_day(start), julian_day(end), options)
    return _table(columns, moments=("enter", "leave", "exact"))


def aspects(times, birth=None, birth2=None, mode=None, frame: str | None = None, positions: str | None = None,
            perspective: str = "heliocentric", latitude: float | None = None,
            longitude: float | None = None) -> Table:
    """The aspects the grid shows with the world date at each moment of `times` (an array as positions()
    takes it), as ``orvane-cli aspects`` samples them: a Table with jd_ut, time, body1 (the grid's row
    body), aspect, body2, deviation (degrees from exact), applying, role1, role2. birth, birth2 and mode
    choose the chart as for events(); perspective="geocentric": the sky's aspects among GEO_BODIES, and
    with latitude and longitude each body's aspects to the place's Ascendant and Midheaven (body2)."""
    jd = _np.ascontiguousarray(julian_days(times), dtype=_np.float64).ravel()
    options = _options(None, None, None, None, None, birth, birth2, mode, frame, positions, perspective)
    options.update(_place(latitude, longitude))
    return _table(_orvane.aspects(jd, options), moments=("jd_ut",))


def patterns(start, end, patterns=None, involving=None, frame: str | None = None,
             positions: str | None = None, perspective: str = "heliocentric") -> Table:
    """The lifetimes of the aspect patterns in the span, as ``orvane-cli patterns``: a Table with begin,
    end (NaN where the span cuts the life), pattern, bodies (names joined by '-'), peak, peak_deviation
    (degrees), duration_days, with a datetime64 column beside each moment. patterns: names or numbers as
    --pattern takes them (default all); involving: only occurrences with every one of these bodies.
    perspective="geocentric": among GEO_BODIES, the Moon's hours-long patterns included; no midpoints
    (asking for them is refused)."""
    options = {"patterns": _names(patterns), "involving": _names(involving), "frame": frame or "",
               "positions": positions or "", "perspective": perspective}
    columns = _orvane.patterns(julian_day(start), julian_day(end), options)
    return _table(columns, moments=("begin", "end", "peak"))


def cycles(body1, body2, start, end, frame: str | None = None, positions: str | None = None,
           perspective: str = "heliocentric") -> Table:
    """The synodic cycles of two bodies in the span, as ``orvane-cli cycles``: one row per phase, with
    cycle (1, 2 …), cycle_start, cycle_end, jd_ut, time, phase (the synodic angle in degrees: 0, 30, 60 …)
    and aspect; the table's ``faster`` and ``slower`` name the bodies. perspective="geocentric": two of
    GEO_BODIES (not two of the Sun, Mercury and Venus, which never lap)."""
    columns = _orvane.cycles(str(body1), str(body2), julian_day(start), julian_day(end), frame or "",
                             positions or "", perspective)
    table = _table(columns, moments=("jd_ut", "cycle_start", "cycle_end"))
    table.faster, table.slower = columns["faster"], columns["slower"]
    return table
