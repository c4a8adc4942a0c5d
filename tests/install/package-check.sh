#!/usr/bin/env bash
# Makes the Debian package of a release build twice and compares the two byte for byte, then
# checks what it holds: both programs hardened (BIND_NOW, the stack protector and fortified
# library calls), the documents compressed, a copyright file naming the tables' source and a
# changelog of this version.
#   package-check.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }

for run in 1 2; do
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/$run" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; fail "cpack failed"; }
done
deb=$(cd "$tmp/1" && echo xscatter_*.deb)
cmp "$tmp/1/$deb" "$tmp/2/$deb" || fail "two packages of one build differ"

dpkg-deb -x "$tmp/1/$deb" "$tmp/root"
for program in xscatter xscatter-table; do
  binary=$tmp/root/usr/bin/$program
  readelf -d "$binary" | grep -q BIND_NOW || fail "$program is not linked with BIND_NOW"
  symbols=$(readelf --dyn-syms -W "$binary")
  grep -q __stack_chk_fail <<<"$symbols" || fail "$program has no stack protector"
  grep -qE '__[a-z0-9]+_chk\b' <<<"$symbols" || fail "$program calls no fortified function"
done
docs=$tmp/root/usr/share/doc/xscatter
[[ -f $docs/README.md.gz && ! -e $docs/README.md ]] || fail "the README is not compressed"
grep -q 'Hubbell' "$docs/copyright" || fail "the copyright file does not name the tables' source"
[[ $(zcat "$docs/changelog.Debian.gz" | head -n 1) == "xscatter ($version-1) "* ]] ||
  fail "the changelog is not of version $version"
