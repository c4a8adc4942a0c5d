#!/usr/bin/python3
"""Times the Python module beside its anchors: numpy.interp on the same log-log table, and
xraylib's FF_Rayl + SF_Compt pair from Python. Prints medians with the budgets and exits with 1
when one is missed.
  PYTHONPATH=BUILD/python bench/python_bench.py DATA_FOLDER [REPEATS]"""
import statistics
import sys
import timeit

import numpy as np
import xraylib

import xscatter


def median_seconds(call, number, repeats):
    return statistics.median(timeit.repeat(call, number=number, repeat=repeats)) / number


def main():
    data, repeats = sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 7
    iron = xscatter.table("Fe", data=data)
    x = 10 ** np.random.default_rng(1).uniform(np.log10(0.005), 3, 10**7)
    lx, lf, ls = (np.log(column[1:]) for column in (iron.x, iron.F, iron.S))

    def numpy_interp():
        u = np.log(x)
        return np.exp(np.interp(u, lx, lf)), np.exp(np.interp(u, lx, ls))

    angles = np.linspace(0, 180, 10**6)
    at = median_seconds(lambda: iron.at(x), 1, repeats)
    anchor = median_seconds(numpy_interp, 1, repeats)
    scalar = median_seconds(lambda: iron.at(0.25), 100_000, repeats)
    pair = median_seconds(lambda: (xraylib.FF_Rayl(26, 0.25), xraylib.SF_Compt(26, 0.25)),
                          100_000, repeats)
    differential = median_seconds(lambda: iron.differential(energy=17.48, angle=angles), 1,
                                  repeats)
    rows = [
        ("t.at(x), 10^7 log-uniform x", f"{x.size / at / 1e6:.1f} M values/s",
         f"numpy.interp {x.size / anchor / 1e6:.1f} M values/s", f"ratio {anchor / at:.2f}",
         anchor / at >= 3 and x.size / at >= 20e6, ">= 3x and >= 20 M/s"),
        ("t.at(0.25), one call", f"{scalar * 1e9:.0f} ns", f"xraylib pair {pair * 1e9:.0f} ns",
         f"ratio {scalar / pair:.2f}", scalar <= 1e-6, "<= 1 us"),
        ("t.differential, 10^6 angles", f"{angles.size / differential / 1e6:.1f} M angles/s", "",
         "", angles.size / differential >= 10e6, ">= 10 M/s"),
    ]
    print(f"{'case':32} {'median':20} {'anchor':30} {'':12} budget")
    for case, value, anchor_text, ratio, holds, budget in rows:
        print(f"{case:32} {value:20} {anchor_text:30} {ratio:12} {budget}: "
              f"{'holds' if holds else 'MISSED'}")
    return 0 if all(row[4] for row in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
