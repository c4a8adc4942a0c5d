#!/usr/bin/python3
"""Writes the element tables data/XFS-data/<Symbol>.xfs for Z = 1 to 98 from xraylib.

Run by hand when the data are to be made anew (Debian package python3-xraylib):
    tools/make_element_data.py          write the 98 files
    tools/make_element_data.py --check  compare the files with xraylib, digit for digit

At the grid points of Hubbell et al., J. Phys. Chem. Ref. Data 4, 471 (1975), xraylib's
FF_Rayl and SF_Compt return the tabulated values themselves. Row 1 holds the limits at zero
momentum transfer: F = Z and S = 0.
"""
import math
import pathlib
import sys

import xraylib

GRID = [0.005, 0.01, 0.015, 0.02, 0.025, 0.03, 0.04, 0.05, 0.07, 0.09, 0.1, 0.125, 0.15,
        0.175, 0.2, 0.25, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1, 1.25, 1.5, 2, 2.5, 3, 3.5, 4,
        5, 6, 7, 8, 10, 15, 20, 50, 80, 100, 1000, 1e6, 1e9]
LAST_ELEMENT = 98
FOLDER = pathlib.Path(__file__).resolve().parent.parent / "data" / "XFS-data"


def written_field(value, digits):
    """The value as two blanks and .ddd...E+ee: a mantissa below 1 with `digits` digits."""
    if value == 0:
        return "  ." + "0" * digits + "E+00"
    if value < 0 or not math.isfinite(value):
        raise ValueError(f"{value} does not fit the written layout")
    mantissa, exponent = f"{value:.{digits - 1}e}".split("e")
    exponent = int(exponent) + 1
    if abs(exponent) > 99:
        raise ValueError(f"{value} needs a three-digit exponent")
    return f"  .{mantissa.replace('.', '')}E{exponent:+03d}"


def table_lines(z):
    rows = [(0.0, float(z), 0.0)]
    rows += [(x, xraylib.FF_Rayl(z, x), xraylib.SF_Compt(z, x)) for x in GRID]
    return [written_field(x, 3) + written_field(f, 5) + written_field(s, 5) for x, f, s in rows]


def path_of(z):
    return FOLDER / f"{xraylib.AtomicNumberToSymbol(z)}.xfs"


def write_all():
    FOLDER.mkdir(parents=True, exist_ok=True)
    for z in range(1, LAST_ELEMENT + 1):
        path_of(z).write_bytes(("\r\n".join(table_lines(z)) + "\r\n").encode("ascii"))
    print(f"wrote {LAST_ELEMENT} files to {FOLDER}")


def check_all():
    differing = [path_of(z).name for z in range(1, LAST_ELEMENT + 1)
                 if path_of(z).read_bytes().decode("ascii").split("\r\n")[:-1] != table_lines(z)]
    print(f"{LAST_ELEMENT - len(differing)} of {LAST_ELEMENT} files match xraylib"
          + (f"; differing: {' '.join(differing)}" if differing else ""))
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(check_all() if sys.argv[1:] == ["--check"] else write_all())
