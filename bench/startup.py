#!/usr/bin/python3
"""Starts XScatter and its two yardsticks, the bare window and the same window with one label,
in turn and records, for each start, the time from launch to the first painted frame and the
peak memory, as the programs print them."""

import argparse
import json
import os
import subprocess
import sys
import time

LAUNCH_VARIABLE = "XSCATTER_LAUNCH_NS"


def start_once(command, folder):
    """One start of a program, a list of its path and arguments, that prints its first-paint
    line and quits."""
    env = dict(os.environ)
    env[LAUNCH_VARIABLE] = str(time.monotonic_ns())
    done = subprocess.run(command, cwd=folder, env=env, capture_output=True, text=True,
                          timeout=60, check=True)
    return json.loads(done.stdout.strip().splitlines()[-1])


def alternate(programs, runs):
    """Each program once to warm the caches, then runs rounds in which the order flips every
    round, so that drift of the machine falls on all programs alike."""
    for command, folder in programs.values():
        start_once(command, folder)
    samples = {name: [] for name in programs}
    names = list(programs)
    for round_number in range(runs):
        for name in names if round_number % 2 == 0 else reversed(names):
            samples[name].append(start_once(*programs[name]))
    return samples


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--xscatter", required=True, help="XScatter's first-paint launcher")
    parser.add_argument("--bare", required=True,
                        help="the bare window program, which shows one label given --label")
    parser.add_argument("--data", required=True, help="working folder with XFS-data, XFSM-data")
    parser.add_argument("--runs", type=int, default=15)
    parser.add_argument("--output", required=True)
    args = parser.parse_args(argv)
    xscatter, bare = os.path.abspath(args.xscatter), os.path.abspath(args.bare)
    programs = {name: (command, args.data) for name, command in (
        ("XScatter", [xscatter]), ("BareWindow", [bare]), ("LabelWindow", [bare, "--label"]))}
    with open(args.output, "w", encoding="utf-8") as out:
        json.dump(alternate(programs, args.runs), out, indent=1)


if __name__ == "__main__":
    main(sys.argv[1:])
