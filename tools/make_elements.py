#!/usr/bin/python3
"""Writes data/elements.tsv: symbol, name and standard atomic weight of the elements Z = 1 to 98.

Run by hand when the data are to be made anew (Debian packages python3-ase and
python3-periodictable):
    tools/make_elements.py          write the file
    tools/make_elements.py --check  compare the file with what would be written

The standard atomic weights are IUPAC's of 2013 with the conventional values for the elements
whose weight is an interval, as ase.data.atomic_masses_iupac2016 holds them. For an element
without a standard atomic weight ASE holds the mass of an isotope instead; the file gives the
mass number in brackets that IUPAC's table gives, which periodictable carries as an integer.
The two packages must agree on the symbols and on that mass number.
"""
import pathlib
import sys

import ase.data
import periodictable

from debian_source import describe, write_or_check

LAST_ELEMENT = 98
TARGET = pathlib.Path(__file__).resolve().parent.parent / "data" / "elements.tsv"


def weight_field(z):
    weight = float(ase.data.atomic_masses_iupac2016[z])
    bracketed = periodictable.elements[z].mass
    if isinstance(bracketed, int):
        if round(weight) != bracketed:
            raise ValueError(f"Z = {z}: ASE's isotope {weight} is not the mass number {bracketed}")
        return f"[{bracketed}]"
    return repr(weight)


def row(z):
    symbol = ase.data.chemical_symbols[z]
    if symbol != periodictable.elements[z].symbol:
        raise ValueError(f"Z = {z}: symbols {symbol} and {periodictable.elements[z].symbol}")
    return f"{z}\t{symbol}\t{ase.data.atomic_names[z]}\t{weight_field(z)}\n"


def text():
    header = (
        "# Elements H to Cf: atomic number, symbol, name and standard atomic weight (g/mol).\n"
        "# Standard atomic weights of IUPAC 2013 (J. Meija et al., Pure Appl. Chem. 88, 265-291\n"
        "# (2016)), for the elements given as an interval its conventional value, and names, from\n"
        f"# {describe('python3-ase')}: ase.data.atomic_masses_iupac2016 and atomic_names.\n"
        "# [A]: no standard atomic weight; A is the mass number of the longest-lived isotope as\n"
        "# IUPAC gives it in brackets, from the NIST atomic weights table in\n"
        f"# {describe('python3-periodictable')}.\n"
        "# Written by tools/make_elements.py.\n"
        "Z\tsymbol\tname\tatomic_weight\n")
    return header + "".join(row(z) for z in range(1, LAST_ELEMENT + 1))


if __name__ == "__main__":
    sys.exit(write_or_check(TARGET, text(), sys.argv[1:]))
