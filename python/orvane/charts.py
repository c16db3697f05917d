"""The chart library of Orvane (the Charts window's and ``orvane-cli charts``): its charts as records
usable wherever a moment or a birthdate goes.

>>> import orvane
>>> maria = orvane.charts.find("maria vienna")[0]
>>> orvane.events("2025-01-01", "2026-01-01", birth=maria).shape
(…,)
"""

from __future__ import annotations

from typing import NamedTuple, Optional

from . import _orvane


class Chart(NamedTuple):
    """One chart of the library, with the keys of ``orvane-cli charts list --format json``; ``birth`` is
    its moment as the text a birthdate takes (in its own zone), ``jd_ut`` the same as a Julian date."""

    id: int
    name: str
    first_name: str
    kind: str
    birth: str
    jd_ut: float
    time_known: bool
    place: str
    region: str
    country_code: str
    latitude: Optional[float]
    longitude: Optional[float]
    source: str
    reliability: str
    notes: str
    tags: tuple


def find(query: str, file: Optional[str] = None) -> list[Chart]:
    """The charts whose name, first name, place, region, tags or notes hold words beginning with each word of
    `query` ("mar vie" finds Maria of Vienna; "" lists all), in any case and with or without accents,
    sorted by name. `file` is the library (default: as the companion's, the ORVANE_CHARTS variable when
    set, else ~/.local/share/orvane/charts.sqlite); it is only read. A library that is not there, or not
    one, raises ValueError with the companion's message."""
    records = _orvane.find_charts(str(query), "" if file is None else str(file))
    return [Chart(**{**record, "tags": tuple(record["tags"])}) for record in records]
