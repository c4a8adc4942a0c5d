"""Checks of the start-up driver and the summary: medians, ratios, budgets and missing cases."""

import os
import stat
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import startup  # noqa: E402
import summary  # noqa: E402

MS = 1e6


def aggregate(name, kind, time, unit="ns"):
    return {"run_name": name, "aggregate_name": kind, "real_time": time, "time_unit": unit}


def startup_runs(times_ms, memories_kb):
    return [{"first_paint_ms": t, "peak_rss_kb": m} for t, m in zip(times_ms, memories_kb)]


class BenchmarkMedians(unittest.TestCase):
    def test_takes_the_median_aggregate_in_nanoseconds(self):
        report = {"benchmarks": [aggregate("LoadTable", "mean", 9, "ms"),
                                 aggregate("LoadTable", "median", 2.5, "ms"),
                                 aggregate("FindRowAbove", "median", 40, "ns"),
                                 aggregate("ParseTableLine", "median", 1.5, "us")]}
        self.assertEqual(summary.benchmark_medians(report),
                         {"LoadTable": 2.5e6, "FindRowAbove": 40, "ParseTableLine": 1500})

    def test_start_up_medians_per_program_and_figure(self):
        medians = summary.startup_medians({"XScatter": startup_runs([300, 100, 200], [9, 7, 8])})
        self.assertEqual(medians, {"XScatter.first_paint_ms": 200 * MS, "XScatter.peak_rss_kb": 8})


class Judge(unittest.TestCase):
    def test_ratio_budget_holds_up_to_its_limit_and_not_beyond(self):
        case = summary.Case("pair", "ours", "theirs", max_ratio=0.8)
        row, holds = summary.judge(case, {"ours": 80, "theirs": 100})
        self.assertTrue(holds)
        self.assertEqual(row[3], "0.80")
        _, holds = summary.judge(case, {"ours": 81, "theirs": 100})
        self.assertFalse(holds)

    def test_absolute_budget(self):
        case = summary.Case("load", "LoadTable", max_value=5 * MS)
        self.assertTrue(summary.judge(case, {"LoadTable": 5 * MS})[1])
        row, holds = summary.judge(case, {"LoadTable": 6 * MS})
        self.assertFalse(holds)
        self.assertEqual(row[1:], ["6 ms", "", "", "<= 5 ms", "NO"])

    def test_a_missing_figure_fails_with_or_without_a_budget(self):
        budgeted = summary.Case("pair", "ours", "theirs", max_ratio=0.8)
        self.assertFalse(summary.judge(budgeted, {"ours": 80})[1])
        plain = summary.Case("parse", "ParseTableLine")
        row, holds = summary.judge(plain, {})
        self.assertFalse(holds)
        self.assertEqual(row[1], "missing")
        self.assertIsNone(summary.judge(plain, {"ParseTableLine": 10})[1])

    def test_memory_is_shown_in_mebibytes_and_time_in_its_own_unit(self):
        self.assertEqual(summary.show(2048, "XScatter.peak_rss_kb"), "2.0 MiB")
        self.assertEqual(summary.show(1234.0, "FindRowAbove"), "1.23 us")
        self.assertEqual(summary.show(12.3, "FindRowAbove"), "12.3 ns")

    def test_every_ratio_budget_has_a_named_anchor(self):
        for case in summary.CASES:
            if case.max_ratio is not None:
                self.assertTrue(case.anchor and case.anchor_name, case.label)


class Alternate(unittest.TestCase):
    """A fake program stands in for both launchers: it logs its name and the launch time it
    was handed, and prints the first-paint line."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.log = os.path.join(self.folder.name, "log")

    def tearDown(self):
        self.folder.cleanup()

    def fake(self, name):
        path = os.path.join(self.folder.name, name)
        with open(path, "w", encoding="utf-8") as script:
            script.write(f'#!/bin/sh\necho "{name} ${startup.LAUNCH_VARIABLE}" >> "{self.log}"\n'
                         'echo starting\necho \'{"first_paint_ms": 1.5, "peak_rss_kb": 7}\'\n')
        os.chmod(path, stat.S_IRWXU)
        return [path], self.folder.name

    def test_warms_up_then_flips_the_order_every_round(self):
        samples = startup.alternate({"A": self.fake("A"), "B": self.fake("B")}, runs=3)
        with open(self.log, encoding="utf-8") as log:
            entries = [line.split() for line in log]
        self.assertEqual([name for name, _ in entries], list("AB" "AB" "BA" "AB"))
        self.assertTrue(all(int(launch) > 0 for _, launch in entries))
        self.assertEqual(samples["A"], startup_runs([1.5] * 3, [7] * 3))
        self.assertEqual(len(samples["B"]), 3)


if __name__ == "__main__":
    unittest.main()
