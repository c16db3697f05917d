#!/usr/bin/python3
"""The Python module's goals: positions for 100,000 moments and nine bodies at >= 80 % of the C++ rate
(the same engine called from bench_python, which links the programs' static Swiss Ephemeris), and a year of
events within 2 ms of the companion's in-process time (orvane-cli events --format json run by cli::Run).
Medians of RUNS runs each, in CPU time (the machine is shared: wall time measures the neighbours).
Builds nothing.

Usage: bench/python_module.py BUILD_FOLDER [RUNS]    (RUNS defaults to 15)
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


def median_ms(call):
    call()
    times = []
    for _ in range(runs):
        begin = time.process_time()
        call()
        times.append(time.process_time() - begin)
    return statistics.median(times) * 1000.0


cpp = json.loads(subprocess.run([f"{build}/bin/bench_python", "--benchmark_format=json",
                                 f"--benchmark_repetitions={runs}", "--benchmark_report_aggregates_only=true"],
                                capture_output=True, text=True, check=True).stdout)
medians = {b["run_name"]: b["cpu_time"] for b in cpp["benchmarks"] if b.get("aggregate_name") == "median"}

days = np.arange("1900-01-01", np.datetime64("1900-01-01") + np.timedelta64(100000, "D"), dtype="datetime64[D]")
jd = orvane.julian_days(days)
module_positions = median_ms(lambda: orvane.positions(jd))
module_positions_dt = median_ms(lambda: orvane.positions(days))
module_events = median_ms(lambda: orvane.events("2024-01-01T00:00Z", "2025-01-01T00:00Z"))

cpp_positions = medians["PositionsOfManyMoments"]
companion_events = medians["CompanionEventsOfAYear"]
print(f"runs each: {runs}                                 median CPU time")
print(f"positions, 100,000 x 9, C++ engine        {cpp_positions:8.2f} ms")
print(f"positions, module, Julian dates           {module_positions:8.2f} ms   {cpp_positions / module_positions:6.1%}"
      " of the C++ rate (goal >= 80 %)")
print(f"positions, module, datetime64             {module_positions_dt:8.2f} ms   "
      f"{cpp_positions / module_positions_dt:6.1%}")
print(f"events of 2024, companion in process      {companion_events:8.2f} ms")
print(f"events of 2024, module                    {module_events:8.2f} ms   {module_events - companion_events:+.2f} ms"
      " (goal within 2 ms)")
