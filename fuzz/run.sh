#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds, one after another, and prints each
# one's executions per second and what it found. Inputs it finds new are kept in the build
# folder's corpus, crashing inputs in fuzz/artifacts/. Exits non-zero when anything was found.
#   fuzz/run.sh SECONDS [BUILD_FOLDER]   (default: build/fuzz, configured and built here)
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

readonly seconds=${1:?usage: fuzz/run.sh SECONDS [BUILD_FOLDER]}
build=${2:-}
if [[ -z $build ]]; then
  cmake --preset fuzz >/dev/null
  build=build/fuzz
fi
readonly targets=(fuzz_table_line fuzz_table_file fuzz_typed_momentum fuzz_formula)
cmake --build "$build" --target "${targets[@]}" >/dev/null
mkdir -p fuzz/artifacts

stat() { sed -n "s/^stat::$1: *//p" "$2"; }

clean=0
found=0
printf '%-20s %8s %12s %8s  %s\n' target seconds executions exec/s findings
for target in "${targets[@]}"; do
  corpus="$build/fuzz/corpus/$target"
  log="$build/fuzz/$target.log"
  mkdir -p "$corpus"
  start=$SECONDS
  status=0
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="fuzz/artifacts/$target-" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 ||
    status=$?
  finding=none
  if ((status != 0)); then
    finding="$(grep -m1 -E '^(SUMMARY|broken expectation)' "$log" || echo "exit $status"); $(
      grep -m1 -o 'Test unit written to .*' "$log" || echo "see $log")"
    found=$((found + 1))
  else
    clean=$((clean + 1))
  fi
  printf '%-20s %8s %12s %8s  %s\n' "$target" $((SECONDS - start)) \
    "$(stat number_of_executed_units "$log")" "$(stat average_exec_per_sec "$log")" "$finding"
done
echo "$clean passed, $found failed"
((found == 0))
