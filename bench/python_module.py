#!/usr/bin/python3
"""The Python module's goals: positions for 100,000 moments and nine bodies at >= 80 % of the C++ rate
(the same engine called from bench_python, which links the programs' static Swiss Ephemeris), and a year of
events within 2 ms of the companion's in-process time (orvane-cli events --format json run by cli::Run).

The machine is shared and its speed drifts by tens of percent within a minute, so the two sides are
measured in turn, one C++ run then one module run, and each goal is read from the pairs: the median of the
pairs' ratios (or differences), beside the median times. Times are CPU times. Builds nothing. A third row
runs bench_python_shared_swe, the same program over the shared Swiss Ephemeris, between the two: it
splits the distance into the library's share and the module's own.

Usage: bench/python_module.py BUILD_FOLDER [RUNS]    (RUNS pairs, default 15)
"""

import json
import statistics
import subprocess
import sys
import time

build = sys.argv[1] if len(sys.argv) > 1 else "build"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
sys.path.insert(0, f"{build}/python")

import numpy as np  # noqa: E402

import orvane  # noqa: E402


def cpu_ms(call):
    begin = time.process_time()
    call()
    return (time.process_time() - begin) * 1000.0


def cpp_ms(name, program="bench_python"):
    """One run of a bench_python benchmark: its CPU time per iteration."""
    report = json.loads(subprocess.run([f"{build}/bin/{program}", "--benchmark_format=json",
                                        f"--benchmark_filter=^{name}$"],
                                       capture_output=True, text=True, check=True).stdout)
    return report["benchmarks"][0]["cpu_time"]


def paired(name, call):
    """RUNS pairs of (C++ time, module time), after one run of each that is not counted."""
    cpp_ms(name)
    call()
    return [(cpp_ms(name), cpu_ms(call)) for _ in range(runs)]


def median(values):
    return statistics.median(values)


days = np.arange("1900-01-01", np.datetime64("1900-01-01") + np.timedelta64(100000, "D"), dtype="datetime64[D]")
jd = orvane.julian_days(days)
positions_jd = paired("PositionsOfManyMoments", lambda: orvane.positions(jd))
positions_dt = paired("PositionsOfManyMoments", lambda: orvane.positions(days))
# The same engine over the shared Swiss Ephemeris, the one library a module can link: how much of the
# distance to the programs' rate is the library's, and how much the module's.
shared = [(cpp_ms("PositionsOfManyMoments"), cpp_ms("PositionsOfManyMoments", "bench_python_shared_swe"),
           cpu_ms(lambda: orvane.positions(jd))) for _ in range(runs)]
events = paired("CompanionEventsOfAYear", lambda: orvane.events("2024-01-01T00:00Z", "2025-01-01T00:00Z"))

print(f"pairs each: {runs}                         median CPU times     median of the pairs")
for label, pairs in (("positions, 100,000 x 9, Julian dates", positions_jd),
                     ("positions, 100,000 x 9, datetime64", positions_dt)):
    rate = median([c / m for c, m in pairs])
    print(f"{label:38} C++ {median([c for c, _ in pairs]):7.1f} ms, module {median([m for _, m in pairs]):7.1f} ms"
          f"   {rate:6.1%} of the C++ rate (goal >= 80 %)")
print(f"{'the same over the shared library':38} C++ {median([c for c, _, _ in shared]):7.1f} ms, shared "
      f"{median([s for _, s, _ in shared]):7.1f} ms   {median([c / s for c, s, _ in shared]):6.1%} of the C++ rate; "
      f"the module {median([s / m for _, s, m in shared]):6.1%} of the shared one's")
difference = median([m - c for c, m in events])
print(f"{'events of 2024':38} C++ {median([c for c, _ in events]):7.1f} ms, module {median([m for _, m in events]):7.1f} ms"
      f"   {difference:+.2f} ms (goal within 2 ms)")
