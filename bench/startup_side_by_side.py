#!/usr/bin/env python3
"""The short commands' CPU time over `--version`, for several builds side by side.

    bench/startup_side_by_side.py [--rounds N] [--against REFERENCE_FOLDER] BIN_FOLDER [BIN_FOLDER ...]

Each round runs, for every build in turn (the order rotating from round to round), `--version`,
`positions --date 2025-06-21T12:00Z`, `--version` again and a report of bench/states/world-2000-01-01.qvs,
and takes each command's CPU time (user and system) from the system as the process ends (wait4). A
round's difference pairs each command with the `--version` run just before it, so a machine that slows
down or speeds up within the run weighs on both alike; the medians of the differences are printed. On a
shared machine the same build's figures move from hour to hour: compare builds within one run only.
With --against, every command is paired with the reference build's `--version` instead of its own:
`--version` alone builds no command's parser since 8 December 2026, where it built all of them before, so
an earlier build's `--version` is the start-up the goals were first set against.
Builds nothing; run each build once beforehand so that its Pluto table is checked and stamped.
"""

import argparse
import os
import statistics
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
STATE = os.path.join(HERE, "states", "world-2000-01-01.qvs")
COMMANDS = (("positions", ["positions", "--date", "2025-06-21T12:00Z"]), ("report", ["report", STATE]))


def cpu_seconds(command):
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, _, usage = os.wait4(process.pid, 0)
    return usage.ru_utime + usage.ru_stime


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--rounds", type=int, default=151)
    parser.add_argument("--against", metavar="REFERENCE_FOLDER", help="pair with this build's --version")
    parser.add_argument("folders", nargs="+", metavar="BIN_FOLDER")
    args = parser.parse_args()
    clis = [os.path.join(folder, "orvane-cli") for folder in args.folders]
    reference = os.path.join(args.against, "orvane-cli") if args.against else None
    over = {(cli, name): [] for cli in clis for name, _ in COMMANDS}
    version = {cli: [] for cli in clis}
    for round_number in range(args.rounds):
        shift = round_number % len(clis)
        for cli in clis[shift:] + clis[:shift]:
            for name, arguments in COMMANDS:
                floor = cpu_seconds([reference or cli, "--version"])
                version[cli].append(floor)
                over[(cli, name)].append(cpu_seconds([cli] + arguments) - floor)
    print(f"rounds: {args.rounds}      CPU time, medians" + (f"; --version of {reference}" if reference else ""))
    for cli in clis:
        print(cli)
        print(f"  --version                 {1000 * statistics.median(version[cli]):7.2f} ms")
        for name, _ in COMMANDS:
            print(f"  {name:<10} over --version {1000 * statistics.median(over[(cli, name)]):+7.2f} ms")


if __name__ == "__main__":
    main()
