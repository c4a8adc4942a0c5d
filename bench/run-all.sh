#!/usr/bin/env bash
# Runs every benchmark of a build folder configured with XSCATTER_BENCH=ON (preset bench) and
# prints one table of medians, anchors and budgets.
#   bench/run-all.sh BUILD_FOLDER
# REPETITIONS (default 15) sets the repetitions of each benchmark case, STARTUP_RUNS
# (default 15) the starts of each program. The raw results stay in BUILD_FOLDER/bench/results.
# Exits with 1 when a budget is missed.
set -euo pipefail

here=$(dirname "$(readlink -f "$0")")
build=$(readlink -f "${1:?usage: bench/run-all.sh BUILD_FOLDER}")
results="$build/bench/results"
mkdir -p "$results"

# Repetitions of all cases run in random order, so that the machine's drift falls on a case and
# its anchor alike.
echo "== Benchmarks (offscreen), ${REPETITIONS:-15} repetitions, medians"
"$build/bench/xscatter_bench" \
  --benchmark_repetitions="${REPETITIONS:-15}" --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$results/benchmarks.json" --benchmark_out_format=json

echo "== Start to first paint under Xvfb, ${STARTUP_RUNS:-15} starts of each program"
xvfb-run -a -s "-screen 0 1400x900x24" /usr/bin/python3 "$here/startup.py" \
  --xscatter "$build/bench/xscatter_startup" --bare "$build/bench/bare_window" \
  --data "$(dirname "$here")/data" --runs "${STARTUP_RUNS:-15}" \
  --output "$results/startup.json"

echo "== Summary (load: $(cut -d' ' -f1-3 /proc/loadavg))"
status=0
/usr/bin/python3 "$here/summary.py" \
  --benchmarks "$results/benchmarks.json" --startup "$results/startup.json" || status=1

echo "== The Python module, medians of 7 runs (load: $(cut -d' ' -f1-3 /proc/loadavg))"
PYTHONPATH="$build/python" /usr/bin/python3 "$here/python_bench.py" "$(dirname "$here")/data" ||
  status=1
exit "$status"
