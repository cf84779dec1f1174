#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file is in its place, that the
# desktop entry and the metainfo validate and name what was installed, and that the manual lists every option.
# Usage: install_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# path under the prefix, and what it must be
while read -r path kind; do
  file="$prefix/$path"
  case $kind in
    program) [ -x "$file" ] && [ -f "$file" ] || fail "$path is not an installed program" ;;
    file) [ -s "$file" ] || fail "$path is missing or empty" ;;
  esac
done <"$(dirname "$0")/installed_files.txt"

entry="$prefix/share/applications/ravelmoot.desktop"
if [ -f "$entry" ]; then
  desktop-file-validate "$entry" || fail "the desktop entry does not validate"
  exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  icon_name=$(sed -n 's/^Icon=//p' "$entry")
  [ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "Icon=$icon_name is not an installed icon"
fi

metainfo="$prefix/share/metainfo/org.example.ravelmoot.metainfo.xml"
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "the metainfo file does not validate"
  launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
  [ -f "$prefix/share/applications/$launchable" ] || fail "the metainfo launches '$launchable', not an installed desktop entry"
fi

manual="$prefix/share/man/man1/ravelmoot-research.1"
if [ -f "$manual" ] && [ -x "$prefix/bin/ravelmoot-research" ]; then
  # Every option of --help, in the manual's escaped spelling.
  for option in $("$prefix/bin/ravelmoot-research" --help | grep -o -- '^  --[a-z-]*'); do
    escaped=$(printf '%s' "$option" | sed 's/-/\\-/g')
    grep -qF -- "$escaped" "$manual" || fail "the manual does not list $option"
  done
  for status in 0 2 3 4 130; do
    grep -q "^\.B $status\$" "$manual" || fail "the manual does not list exit status $status"
  done
fi

[ "$failures" -eq 0 ] && echo "every file in its place under $prefix"
exit "$failures"
