#!/usr/bin/env bash
# Installs a build into a temporary tree (DESTDIR) and starts the installed program from an
# empty folder, with a temporary XDG_DATA_HOME, on the offscreen platform. It must still be
# running when stopped, leave the start folder empty and have made the per-user folder with
# nothing but the material folder, reading the installed tables where they lie, as xscatter-table
# does too; then InstalledProgramTest, started the same way, builds the main window there and
# checks its element list.
#   install-check.sh BUILD_DIR INSTALLED_PROGRAM_TEST
set -euo pipefail
build=$1 checker=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install check: $*" >&2; exit 1; }

DESTDIR=$tmp/root cmake --install "$build" --prefix /usr >"$tmp/install.log" ||
  { cat "$tmp/install.log"; fail "cmake --install failed"; }
tables=$tmp/root/usr/share/xscatter/XFS-data
mkdir "$tmp/start" "$tmp/home"
cd "$tmp/start"
export XDG_DATA_HOME=$tmp/home QT_QPA_PLATFORM=offscreen
status=0
timeout 4 "$tmp/root/usr/bin/xscatter" || status=$?
((status == 124)) || fail "the installed program ended by itself with status $status"

user=$XDG_DATA_HOME/xscatter
[[ $(ls -A "$user") == XFSM-data && -d $user/XFSM-data ]] ||
  fail "$user holds more or less than the folder XFSM-data"
"$tmp/root/usr/bin/xscatter-table" at Cu 0.25 | grep -q '^0.25 ' ||
  fail "the installed xscatter-table does not find the installed tables"
[[ -z $(ls -A "$tmp/start") ]] || fail "files were written into the start folder"
cmp -s "$tables/Cu.xfs" "$(dirname "$0")/../../data/XFS-data/Cu.xfs" ||
  fail "the installed Cu.xfs differs from the shipped one"

module_folder=$tmp/root/usr/lib/python3/dist-packages
if [[ -d $module_folder ]]; then
  # A sanitizer build's module needs the sanitizer's runtime loaded before the interpreter.
  module=("$module_folder"/xscatter.*.so)
  preload=()
  if ldd "${module[0]}" | grep -q libasan; then
    preload=(env "LD_PRELOAD=$(c++ -print-file-name=libasan.so):$(c++ -print-file-name=libstdc++.so)"
             ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0)
  fi
  [[ -f $module_folder/xscatter.pyi ]] || fail "the Python stub is not installed beside the module"
  "${preload[@]}" env PYTHONPATH="$module_folder" /usr/bin/python3 -c '
import xscatter
cu = xscatter.table("Cu")
assert cu.unit.startswith("per atom of Cu") and cu.at(0.25)[0] > 0, cu' ||
    fail "the installed Python module does not find the installed tables"
  [[ -z $(ls -A "$tmp/start") ]] || fail "the Python module wrote into the start folder"
fi

XSCATTER_INSTALLED_BIN=$tmp/root/usr/bin "$checker" listsTheInstalledTablesFromTheUsersFolder
