#!/usr/bin/env bash
# The window program answers its command line before opening any window, with no display at
# all: --help and --version on standard output, an unknown argument with status 2 and one line,
# no arguments without a display with status 1 and one line instead of Qt's abort.
#   arguments-check.sh PROGRAM VERSION
set -euo pipefail
program=$1 version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "arguments check: $*" >&2; exit 1; }

run() {  # sets status, out and err
  local output=$tmp/out
  [[ ${1:-} == ">/dev/full" ]] && { output=/dev/full; shift; }
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" "$@" \
    >"$output" 2>"$tmp/err" || status=$?
  out=$( [[ $output == /dev/full ]] || cat "$output") err=$(cat "$tmp/err")
}
one_line() { [[ -n $err && $err != *$'\n'* ]]; }

run --help
[[ $status == 0 && $out == 'Usage: xscatter '* && -z $err ]] || fail "--help: $status $err"
run --version
[[ $status == 0 && $out == "xscatter $version" && -z $err ]] || fail "--version: $status $err"
run $'--bo\e[2Jgus'
[[ $status == 2 && -z $out ]] && one_line && [[ $err == *'\x1b'* ]] ||
  fail "an unknown option: $status $out $err"
run file.xfs
[[ $status == 2 && -z $out ]] && one_line || fail "an argument: $status $out $err"
run
[[ $status == 1 && -z $out ]] && one_line && [[ $err == *display* ]] ||
  fail "no display: $status $out $err"
run '>/dev/full' --help
[[ $status == 2 ]] && one_line || fail "--help into a full disk: $status $err"
