#!/usr/bin/env bash
# Checks a built Debian package: it holds the files of the install layout
# (packaging/expected-files.sh) under /usr, depends on the Qt 6 libraries the
# program links, and lintian finds no error. Its warnings are printed.
#   packaging/check-deb.sh silvarone_VERSION_ARCH.deb
set -euo pipefail
deb=$1
here=$(cd "$(dirname "$0")" && pwd)
failed=0
fail() {
  echo "check-deb: $*" >&2
  failed=1
}

# "-rwxr-xr-x root/root 23000 2026-01-01 00:00 ./usr/bin/silvarone"
listing=$(dpkg-deb --contents "$deb")
paths=$(awk '{print $6}' <<<"$listing")
while read -r file; do
  grep -qxF "./usr/$file" <<<"$paths" || fail "missing ./usr/$file"
done < <("$here/expected-files.sh")
grep -qE '^-rwxr-xr-x root/root .* \./usr/bin/silvarone$' <<<"$listing" ||
  fail "./usr/bin/silvarone is not an executable owned by root"
if awk '$2 != "root/root"' <<<"$listing" | grep -q .; then
  fail "files not owned by root"
fi

depends=$(dpkg-deb --field "$deb" Depends)
# libqt6svg6: the measurement drawing saved as SVG;
# libqt6charts6: the run chart of the inspection log window.
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6charts6; do
  grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done

# The desktop entry, icon and metainfo as installed agree with each other.
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb --extract "$deb" "$tree"
# The batch's CSV reader links libcsv (shared); the linker keeps it only
# when the program uses it, and then the package must pull it in.
if objdump -p "$tree/usr/bin/silvarone" | grep -qE 'NEEDED +libcsv\.so'; then
  grep -qE "(^|, )libcsv3( |,|$)" <<<"$depends" || fail "Depends lacks libcsv3: $depends"
fi
# The inspection log links SQLite (shared).
if objdump -p "$tree/usr/bin/silvarone" | grep -qE 'NEEDED +libsqlite3\.so'; then
  grep -qE "(^|, )libsqlite3-0( |,|$)" <<<"$depends" || fail "Depends lacks libsqlite3-0: $depends"
fi
appstreamcli validate-tree --no-net "$tree" >/dev/null || fail "appstreamcli validate-tree"

# lintian complains about being run as root; that is no finding.
if ! lintian --fail-on error "$deb" 2> >(grep -v 'running with root privileges' >&2); then
  fail "lintian reports errors"
fi

if [ "$failed" -ne 0 ]; then exit 1; fi
echo "check-deb: $deb holds the install layout, depends on Qt 6 and passes lintian"
