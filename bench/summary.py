#!/usr/bin/python3
"""Prints the benchmark medians beside their anchors and budgets, from Google Benchmark's
JSON (run with median aggregates) and the start-up samples of startup.py. Exits with 1 when a
budget is missed or a measured case is missing."""

import argparse
import json
import statistics
import sys
from dataclasses import dataclass
from typing import Optional

NANOSECONDS = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}
MS = 1e6


@dataclass(frozen=True)
class Case:
    label: str
    key: str
    anchor: Optional[str] = None
    anchor_name: str = ""
    max_ratio: Optional[float] = None  # budget against the anchor
    max_value: Optional[float] = None  # budget in the case's own unit (ns or kB)


CASES = [
    Case("InterpolateAt, F and S (Fe)", "InterpolateAt", "XraylibFormFactorAndScattering",
         "xraylib FF_Rayl+SF_Compt", max_ratio=1.0),
    Case("InterpolateAt, from dirty upper vector halves", "InterpolateAt/DirtyUpperHalves",
         "XraylibFormFactorAndScattering", "xraylib FF_Rayl+SF_Compt", max_ratio=1.0),
    Case("FindRowAbove", "FindRowAbove"),
    Case("ParseTableLine", "ParseTableLine"),
    Case("ReadTableFile (Fe)", "ReadTableFile"),
    Case("CombineMixture, 10 elements", "CombineMixture"),
    Case("Load a table with its graph", "LoadTable", max_value=5 * MS),
    Case("Graph cursor read-out, next row", "CursorReadOut/NextRow", max_value=0.2 * MS),
    Case("Graph cursor read-out, list scrolls", "CursorReadOut/AcrossTheList"),
    Case("CreateCompoundFile, 5 elements", "CreateCompoundFile", max_value=5 * MS),
    Case("ParseFormula, Ca5(PO4)3OH", "ParseFormula/Ca5(PO4)3OH", max_value=1000),
    # 180,001 rows at >= 2 million rows/s; 10,000 energies at >= 20,000 energies/s.
    Case("ScatteringAtAngles, 180,001 angles (H2O)", "ScatteringAtAngles/H2O/180001",
         max_value=180001 / 2e6 * 1e9),
    Case("TotalCrossSections, 10,000 energies (Fe)", "TotalCrossSections/Fe/10000",
         max_value=10000 / 2e4 * 1e9),
    Case("Start to first paint", "XScatter.first_paint_ms", "BareWindow.first_paint_ms",
         "bare window"),
    Case("Start to first paint", "XScatter.first_paint_ms", "LabelWindow.first_paint_ms",
         "one-label window", max_ratio=1.25),
    Case("Peak memory at first paint", "XScatter.peak_rss_kb", "BareWindow.peak_rss_kb",
         "bare window"),
    Case("Peak memory at first paint", "XScatter.peak_rss_kb", "LabelWindow.peak_rss_kb",
         "one-label window", max_ratio=1.3),
]

def benchmark_medians(report):
    """Median real time in ns of every benchmark in a Google Benchmark JSON report."""
    return {
        run["run_name"]: run["real_time"] * NANOSECONDS[run["time_unit"]]
        for run in report["benchmarks"]
        if run.get("aggregate_name") == "median"
    }


def startup_medians(samples):
    """Median of each figure of each program, first-paint times in ns and memory in kB."""
    medians = {}
    for program, runs in samples.items():
        medians[program + ".first_paint_ms"] = statistics.median(
            run["first_paint_ms"] * MS for run in runs)
        medians[program + ".peak_rss_kb"] = statistics.median(run["peak_rss_kb"] for run in runs)
    return medians


def show(value, key):
    if value is None:
        return "missing"
    if key.endswith("_kb"):
        return f"{value / 1024:.1f} MiB"
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if value >= scale:
            return f"{value / scale:.3g} {unit}"
    return f"{value:.3g} ns"


def judge(case, medians):
    """One row of the table and whether its budget holds: None where there is no budget, False
    also where a figure is missing."""
    value = medians.get(case.key)
    anchor = medians.get(case.anchor) if case.anchor else None
    ratio = value / anchor if value is not None and anchor else None
    if case.max_ratio is not None:
        budget, holds = f"<= {case.max_ratio:g} x", ratio is not None and ratio <= case.max_ratio
    elif case.max_value is not None:
        budget = "<= " + show(case.max_value, case.key)
        holds = value is not None and value <= case.max_value
    else:
        budget, holds = "", False if value is None else None
    anchor_text = f"{show(anchor, case.anchor)} ({case.anchor_name})" if case.anchor else ""
    return [case.label, show(value, case.key), anchor_text,
            f"{ratio:.2f}" if ratio is not None else "", budget,
            {None: "", True: "yes", False: "NO"}[holds]], holds


def table(rows):
    header = ["case", "median", "anchor", "ratio", "budget", "holds"]
    widths = [max(len(row[i]) for row in [header] + rows) for i in range(len(header))]
    lines = [header, ["-" * w for w in widths]] + rows
    return "\n".join("  ".join(cell.ljust(w) for cell, w in zip(line, widths)).rstrip()
                     for line in lines)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--benchmarks", required=True, help="Google Benchmark JSON report")
    parser.add_argument("--startup", required=True, help="start-up samples of startup.py")
    args = parser.parse_args(argv)
    with open(args.benchmarks, encoding="utf-8") as report, \
         open(args.startup, encoding="utf-8") as samples:
        medians = benchmark_medians(json.load(report)) | startup_medians(json.load(samples))
    judged = [judge(case, medians) for case in CASES]
    print(table([row for row, _ in judged]))
    return 0 if all(holds is not False for _, holds in judged) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
