#!/usr/bin/python3
"""Writes data/reference-materials.tsv: NIST's material compositions by mass with densities.

Run by hand when the data are to be made anew (Debian package python3-xraylib):
    tools/make_reference_materials.py          write the file
    tools/make_reference_materials.py --check  compare the file with what would be written

Each material keeps xraylib's full name and gets a short id: its name in lower case with every
run of other characters than letters and digits made one '-'. The source's mass fractions are
rounded to six decimals and some sum to 1 +- 2e-6; each material's fractions are divided by
their sum here, so that they sum to 1 to rounding.
"""
import pathlib
import re
import sys

import xraylib

from debian_source import describe, write_or_check

TARGET = pathlib.Path(__file__).resolve().parent.parent / "data" / "reference-materials.tsv"


def material_id(name):
    return re.sub(r"[^a-z0-9]+", "-", name.lower()).strip("-")


def row(name):
    material = xraylib.GetCompoundDataNISTByName(name)
    total = sum(material["massFractions"])
    fractions = " ".join(f"{xraylib.AtomicNumberToSymbol(z)}:{w / total!r}"
                         for z, w in zip(material["Elements"], material["massFractions"]))
    return f"{material_id(name)}\t{name}\t{material['density']!r}\t{fractions}\n"


def text():
    names = xraylib.GetCompoundDataNISTList()
    ids = [material_id(name) for name in names]
    if len(set(ids)) != len(ids):
        raise ValueError("two materials share an id")
    header = (
        "# Reference materials: id, name, density (g/cm3) and mass fraction of each element.\n"
        "# NIST's compositions of materials as xraylib holds them (GetCompoundDataNISTList and\n"
        f"# GetCompoundDataNISTByName), from {describe('python3-xraylib')};\n"
        "# each material's fractions divided by their sum. Written by\n"
        "# tools/make_reference_materials.py.\n"
        "id\tname\tdensity\tmass_fractions\n")
    return header + "".join(row(name) for name in names)


if __name__ == "__main__":
    sys.exit(write_or_check(TARGET, text(), sys.argv[1:]))
