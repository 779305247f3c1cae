#!/usr/bin/env bash
# `cmake --install` into a temporary DESTDIR, then the installed program run
# as a user runs it: it finds its tables, balls and manuals in
# <prefix>/share/silvarone/, keeps its settings in SILVARONE_HOME and writes
# nothing under the prefix.
#   install_test.sh BUILD_DIR VERSION [--no-manuals]
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
manuals=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

dest=$work/dest
root=$dest/usr/local
DESTDIR=$dest cmake --install "$build" --prefix /usr/local >"$work/install.log"

# The layout: every file in its place, the data as shipped.
while read -r file; do
  [ -f "$root/$file" ] || fail "not installed: $file"
done < <("$source_dir/packaging/expected-files.sh" $manuals)
[ -x "$root/bin/silvarone" ] || fail "bin/silvarone is not executable"
while read -r file; do
  cmp -s "$source_dir/data/$file" "$root/share/silvarone/$file" || fail "differs: data/$file"
done < <(cd "$source_dir/data" && find . -type f ! -name '.*' | sed 's|^\./||')
for size in 48 256; do
  file -b "$root/share/icons/hicolor/${size}x$size/apps/silvarone.png" |
    grep -q "PNG image data, $size x $size" || fail "the $size px icon is not $size x $size"
done

snapshot() { (cd "$dest" && find . -printf '%y %p %s %m %T@\n' | LC_ALL=C sort); }
snapshot >"$work/before"

# --version and --help on standard output with status 0.
"$root/bin/silvarone" --version >"$work/version"
head -n 1 "$work/version" | grep -q "^Norlath Measurement $version " ||
  fail "installed --version: $(head -n 1 "$work/version")"
"$root/bin/silvarone" --help | grep -q '^usage: silvarone' || fail "installed --help"

# The report of the installed program is the build's, without a message: the
# tolerance tables, ball series and the list of help documents were found.
# The settings choose a ball of each series (0.600 mm is the DIN series'
# second ball, 12.000 mm the instrument's twelfth): only a series that was
# read shows it.
home=$work/home
mkdir -p "$home"
printf '[data]\r\nMesskugeldurchmesser D_M DIN=0.600\r\nMesskugeldurchmesser D_M VEK=12.000\r\n' \
  >"$home/diruvavida_roduzaz.ini"
cp "$home/diruvavida_roduzaz.ini" "$work/build-settings.ini"
SILVARONE_HOME=$home "$root/bin/silvarone" report --json >"$work/installed.json" \
  2>"$work/installed.err" || fail "installed report: status $? $(cat "$work/installed.err")"
[ ! -s "$work/installed.err" ] || fail "installed report: $(cat "$work/installed.err")"
mkdir -p "$work/build-home"
cp "$work/build-settings.ini" "$work/build-home/diruvavida_roduzaz.ini"
SILVARONE_HOME=$work/build-home "$build/silvarone" report --json >"$work/build.json" 2>/dev/null
cmp -s "$work/installed.json" "$work/build.json" ||
  fail "the installed program's report differs from the build's"
grep -q '"ComboBox3": "0.600"' "$work/installed.json" || fail "the DIN ball series was not read"
grep -q '"ComboBox4": "12.000"' "$work/installed.json" || fail "the instrument's balls were not read"

# --save keeps the settings in SILVARONE_HOME.
SILVARONE_HOME=$home "$root/bin/silvarone" report --save --lang en >/dev/null ||
  fail "installed report --save"
[ -f "$home/diruvavida_roduzaz.ini" ] || fail "no settings file in SILVARONE_HOME"

snapshot >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "the installed program wrote under the prefix"

# And the data really come from share/silvarone: without it the start misses them.
mv "$root/share/silvarone" "$root/share/silvarone-away"
if SILVARONE_HOME=$work/home-away "$root/bin/silvarone" report >/dev/null 2>"$work/away.err" ||
  ! grep -q 'acrobatSilvaroneFiles.txt' "$work/away.err"; then
  fail "the installed program did not miss share/silvarone"
fi
echo "installed into $root: layout, --version, report and settings as expected"
