#!/usr/bin/env bash
# The files of an installed program, relative to the install prefix, one a
# line: what `cmake --install` and the Debian package must both hold.
#   packaging/expected-files.sh [--no-manuals]
# --no-manuals leaves out the manuals (a build with -DSILVARONE_TOOLS=OFF).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

cat <<'LIST'
bin/silvarone
share/applications/silvarone.desktop
share/icons/hicolor/scalable/apps/silvarone.svg
share/icons/hicolor/48x48/apps/silvarone.png
share/icons/hicolor/256x256/apps/silvarone.png
share/metainfo/invalid.norlath.silvarone.metainfo.xml
share/man/man1/silvarone.1.gz
share/doc/silvarone/copyright
share/doc/silvarone/changelog.gz
LIST
# The program folder: every data file of the source tree ...
(cd "$source_dir/data" && find . -type f ! -name '.*' | sed 's|^\./|share/silvarone/|' | LC_ALL=C sort)
# ... and the manuals that the list of help documents names.
if [ "${1:-}" != "--no-manuals" ]; then
  sed -n 's|^file_[0-9]*: *\([^[:space:]]*\).*$|share/silvarone/docs/\1|p' \
    "$source_dir/data/docs/acrobatSilvaroneFiles.txt"
fi
