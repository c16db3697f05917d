# Type stubs of orvane.charts, the chart library.
from typing import NamedTuple, Optional

class Chart(NamedTuple):
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
    tags: tuple[str, ...]

def find(query: str, file: Optional[str] = ...) -> list[Chart]: ...
