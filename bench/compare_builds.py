#!/usr/bin/env python3
"""Runs two builds of orvane-cli on the same random inputs and reports every difference in what they print.

    bench/compare_builds.py REFERENCE_CLI CANDIDATE_CLI [--reports N] [--finds N] [--seed S]

A change that only makes the companion faster must leave its output alone: `report` (the grid, the
summary and every aspect's beginning and end) on random world-transit, personal-transit, natal and
synastry states, and `find` (the day found, or none) for random patterns, sought bodies, counts, steps and
starting dates. The states are variations of a golden-file state with random dates, orbs and midpoint
orb. Exit 0 when every run printed the same text and ended with the same code in both builds.
"""

import argparse
import os
import random
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TEMPLATE = os.path.join(HERE, "..", "tests", "cli", "golden", "world-2000-01-01.qvs")
PATTERNS = 14
BODIES = ["Earth", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"]
STEPS = ["halfhour", "day", "week", "fortnight", "month", "year"]


def read_template():
    with open(TEMPLATE, "rb") as f:
        return f.read().decode("latin-1").split("\r\n")


def random_date(rng, lines, row, wide):
    """Month, day, year, half hour and zone of date row `row` (lines 5·row + 1 … 5·row + 5)."""
    first = 5 * row
    year = rng.randint(1, 2799) if wide else rng.randint(1600, 2199)
    lines[first] = " %d " % rng.randint(1, 12)
    lines[first + 1] = " %d " % rng.randint(1, 28)
    lines[first + 2] = str(year)
    lines[first + 3] = " %d " % rng.randint(1, 48)
    lines[first + 4] = " %d " % rng.choice([24, 24, 24, rng.randint(1, 48)])


def random_state(rng, template, mode):
    lines = list(template)
    wide = rng.random() < 0.1  # now and then years beyond Pluto's table
    for row in range(3):
        random_date(rng, lines, row, wide)
    for m in range(6):  # lines 16 … 21: the mode buttons
        lines[15 + m] = "#TRUE#" if m + 1 == mode else "#FALSE#"
    for k in range(7):  # lines 33 … 39: the orbs of the seven aspects in degrees
        lines[32 + k] = str(rng.choice([rng.randint(0, 15), rng.randint(1, 10), 8]))
    lines[49] = " %d " % rng.randint(0, 7)  # line 50: the midpoint orb
    return "\r\n".join(lines).encode("latin-1")


def run(cli, args, cwd):
    done = subprocess.run([cli] + args, cwd=cwd, capture_output=True, timeout=600)
    return done.returncode, done.stdout, done.stderr


def compare(reference, candidate, args, cwd, label, failures):
    a = run(reference, args, cwd)
    b = run(candidate, args, cwd)
    if a != b:
        failures.append(label + ": " + " ".join(args))
        sys.stderr.write("DIFFERENT %s: %s\n" % (label, " ".join(args)))
    return a


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("reference")
    parser.add_argument("candidate")
    parser.add_argument("--reports", type=int, default=300)
    parser.add_argument("--finds", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    options = parser.parse_args()
    rng = random.Random(options.seed)
    template = read_template()
    failures = []
    found = 0
    with tempfile.TemporaryDirectory() as folder:
        for n in range(options.reports):
            mode = rng.choice([1, 1, 1, 4, 4, 5, 2, 3, 6])
            path = os.path.join(folder, "r%d.qvs" % n)
            with open(path, "wb") as f:
                f.write(random_state(rng, template, mode))
            args = ["report", os.path.basename(path)]
            if rng.random() < 0.2:
                args += ["--sort", str(rng.randint(0, 5))]
            compare(options.reference, options.candidate, args, folder, "report", failures)
        for n in range(options.finds):
            path = os.path.join(folder, "f%d.qvs" % n)
            with open(path, "wb") as f:
                f.write(random_state(rng, template, 1))
            args = ["find", os.path.basename(path), "--pattern", str(rng.randrange(PATTERNS)),
                    "--step", rng.choice(STEPS), "--max-steps", str(rng.choice([100, 1000, 3000]))]
            if rng.random() < 0.4:
                args += ["--planets", ",".join(rng.sample(BODIES, rng.randint(1, 3)))]
            if rng.random() < 0.4:
                args += ["--at-least", str(rng.randint(2, 9))]
            code, _, _ = compare(options.reference, options.candidate, args, folder, "find", failures)
            found += code == 0
    print("%d reports and %d finds (%d found), %d different" %
          (options.reports, options.finds, found, len(failures)))
    for failure in failures:
        print("  " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
