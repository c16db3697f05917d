# Type stubs of the package orvane, for editors and type checkers.
import datetime
from typing import Any, Iterable, Literal, Mapping, Sequence, Union

import numpy as np
import numpy.typing as npt

from . import charts as charts

Moment = Union[str, datetime.datetime, datetime.date, np.datetime64, float, int, charts.Chart]
Names = Union[str, Iterable[str], None]
Perspective = Literal["heliocentric", "geocentric"]

BODIES: tuple[str, ...]
EVENT_KINDS: tuple[str, ...]
GEO_BODIES: tuple[str, ...]
GEO_EVENT_KINDS: tuple[str, ...]

def julian_day(moment: Moment) -> float: ...
def julian_days(times: Union[npt.ArrayLike, Sequence[Moment]]) -> npt.NDArray[np.float64]: ...

class Table(np.ndarray):
    faster: str
    slower: str
    def to_pandas(self) -> Any: ...

class Positions:
    jd: npt.NDArray[np.float64]
    bodies: tuple[str, ...]
    longitude: npt.NDArray[np.float64]
    latitude: npt.NDArray[np.float64]
    speed: npt.NDArray[np.float64]
    def __len__(self) -> int: ...
    def to_pandas(self) -> Any: ...

def positions(times: Union[npt.ArrayLike, Sequence[Moment]], bodies: Names = ..., frame: str | None = ...,
              positions: str | None = ..., perspective: Perspective = ...) -> Positions: ...
def events(start: Moment, end: Moment, kinds: Names = ..., bodies: Names = ..., aspects: Names = ...,
           orbs: Union[Mapping[str, float], Names] = ..., degrees: Union[float, Iterable[float], None] = ...,
           birth: Moment | None = ..., birth2: Moment | None = ..., mode: str | None = ..., windows: bool = ...,
           frame: str | None = ..., positions: str | None = ..., perspective: Perspective = ...,
           latitude: float | None = ..., longitude: float | None = ...) -> Table: ...
def windows(start: Moment, end: Moment, bodies: Names = ..., aspects: Names = ...,
            orbs: Union[Mapping[str, float], Names] = ..., birth: Moment | None = ..., birth2: Moment | None = ...,
            mode: str | None = ..., frame: str | None = ..., positions: str | None = ...,
            perspective: Perspective = ...) -> Table: ...
def cycles(body1: str, body2: str, start: Moment, end: Moment, frame: str | None = ..., positions: str | None = ...,
           perspective: Perspective = ...) -> Table: ...
def aspects(times: Union[npt.ArrayLike, Sequence[Moment]], birth: Moment | None = ..., birth2: Moment | None = ...,
            mode: str | None = ..., frame: str | None = ..., positions: str | None = ...,
            perspective: Perspective = ..., latitude: float | None = ..., longitude: float | None = ...) -> Table: ...
def patterns(start: Moment, end: Moment, patterns: Names = ..., involving: Names = ..., frame: str | None = ...,
             positions: str | None = ..., perspective: str = ...) -> Table: ...
