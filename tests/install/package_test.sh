#!/usr/bin/env bash
# Makes the Debian package with cpack and checks its control fields and that it holds exactly the
# installed files under /usr; then unpacks it into a scratch root and runs the runner from there.
# Usage: package_test.sh CPACK BUILD_DIR
set -euo pipefail
cpack=$1
build=$2
here=$(dirname "$0")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
debs=("$out"/ravelmoot_*_amd64.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: cpack made no ravelmoot_<version>_amd64.deb"; exit 1; }
deb=${debs[0]}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = ravelmoot ] || fail "Package is '$(field Package)'"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is '$(field Architecture)'"
[ "$(basename "$deb")" = "ravelmoot_$(field Version)_amd64.deb" ] || fail "the file name does not carry the version"
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libcurl4; do
  field Depends | grep -q "\b$needed\b" || fail "Depends does not name $needed"
done
[ "$(field Suggests)" = searx ] || fail "Suggests is '$(field Suggests)', not searx"

# Every regular file of the package, against the list the install test checks.
expected=$(sed 's/ .*//; s|^|./usr/|' "$here/installed_files.txt" | sort)
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
[ "$packaged" = "$expected" ] || fail "the package holds other files than expected:
$(diff <(echo "$expected") <(echo "$packaged") || true)"

# Unpacked into a scratch root, the stripped runner still starts.
dpkg-deb -x "$deb" "$out/root"
"$out/root/usr/bin/ravelmoot-research" --help >/dev/null || fail "the packaged runner does not start"

[ "$failures" -eq 0 ] && echo "$(basename "$deb"): fields and files as expected"
exit "$failures"
